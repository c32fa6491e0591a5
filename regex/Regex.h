#pragma once
// TRegex: a backtracking regular-expression engine over single-byte Windows-1251 text.
//
// A pattern (Expression) is compiled on demand into a compact program (RegexCompiler) and run by
// a backtracking matcher (RegexMatcher) against a copy of the input, which records the whole match
// (group 0) and up to 14 parenthesised groups. Errors raise ERegex with a numeric code; codes
// below 1000 arise while compiling and carry the offset in the pattern where the parser stood.
//
// Beyond the classic error table the engine has one code of its own: 1016 "TRegex(exec):
// Recursion Too Deep", raised when a search would need more stack than the engine allows itself
// (a general loop over a very long input). The search stops cleanly instead of overflowing.

#include "platform/rtl/Exception.h"

#include <functional>
#include <memory>
#include <string>

namespace regex_program {
struct RegexProgram;
}

class ERegex : public Exception {
public:
    ERegex(std::string message, int errorCode, int errorPosition)
        : Exception(std::move(message)), errorCode_(errorCode), errorPosition_(errorPosition) {}

    int ErrorCode() const noexcept { return errorCode_; }
    int ErrorPosition() const noexcept { return errorPosition_; }
    const char* ClassName() const noexcept override { return "ERegex"; }

private:
    int errorCode_;
    int errorPosition_;
};

// Error codes (messages in TRegex::ErrorText).
enum TRegexErrorCode : int {
    regexNoErrors = 0,
    regexCompNullArgument = 100,
    regexCompTooBig = 101,
    regexCompTooManyGroups = 102,
    regexCompUnmatchedOpen = 103,
    regexCompUnmatchedClose = 104,
    regexCompJunkOnEnd = 105,
    regexCompOperandCouldBeEmpty = 106,
    regexCompNestedQuantifier = 107,
    regexCompBadHexDigit = 108,
    regexCompInvalidRange = 109,
    regexCompClassTrailingBackslash = 110,
    regexCompNoHexCode = 111,
    regexCompHexCodeTooBig = 112,
    regexCompUnmatchedBracket = 113,
    regexCompInternalUrp = 114,
    regexCompQuantifierFollowsNothing = 115,
    regexCompTrailingBackslash = 116,
    regexCompInternalDisaster = 119,
    regexCompBracesTooBig = 122,
    regexCompBracesMinGreaterThanMax = 124,
    regexCompUnclosedComment = 125,
    regexCompComplexBraces = 126,
    regexCompBadModifier = 127,
    regexCompBadLinePairedSeparator = 128,
    regexExecRepeatInappropriate = 1000,
    regexExecMemoryCorruption = 1001,
    regexExecCorruptedPointers = 1002,
    regexExecNoExpression = 1003,
    regexExecCorruptedProgram = 1004,
    regexExecNoInput = 1005,
    regexExecOffsetNotPositive = 1006,
    regexExecNextWithoutExec = 1007,
    regexExecNoInputString = 1008,
    regexDumpCorruptedOpcode = 1011,
    regexBadModifierIndex = 1013,
    regexExecLoopStackExceeded = 1014,
    regexExecLoopWithoutEntry = 1015,
    regexExecRecursionTooDeep = 1016,
    regexMiscBadPCode = 2000,
};

class TRegex {
public:
    // Modifier flags; Modifier(1..6) addresses them in this order.
    enum : unsigned {
        modI = 1,  // case-insensitive literals, classes and back-references
        modR = 2,  // Russian ranges in classes include Ё and ё
        modS = 4,  // "." also matches line separators
        modG = 8,  // quantifiers are greedy (off: every quantifier is lazy)
        modM = 16, // "^" and "$" also match at line separators
        modX = 32, // extended syntax: blanks and "#" comments are ignored
    };
    static constexpr int kGroupCount = 15; // group 0 and groups 1-14

    // Gives a character's other-case counterpart (or the character itself).
    using TCaseInverter = std::function<unsigned char(unsigned char)>;

    TRegex();
    virtual ~TRegex();
    TRegex(const TRegex&) = delete;
    TRegex& operator=(const TRegex&) = delete;

    const std::string& Expression() const { return expression_; }
    void SetExpression(const std::string& text);

    // Searches `input` from its first character. True when a match was found.
    bool Exec(const std::string& input);
    // Searches the last input from the 1-based character `offset`.
    bool ExecPos(int offset);

    const std::string& InputString() const { return input_; }
    // The text of group n of the last search; empty when n is outside 0-14, there is no input,
    // or the group did not take part.
    std::string GetGroupText(int n) const;
    // 1-based position and length of group n of the last search, -1 when unset.
    int MatchPos(int n) const;
    int MatchLen(int n) const;

    // Modifiers by index: 1 = i, 2 = r, 3 = s, 4 = g, 5 = m, 6 = x; any other index raises 1013.
    bool Modifier(int index);
    void SetModifier(int index, bool on);
    unsigned Modifiers() const { return modifiers_; }
    // Reads modifier letters (either case) into `set`; after "-" later letters clear their flag.
    // Any other character stops with false; letters already read stay applied.
    static bool ParseModifiers(const std::string& text, unsigned& set);

    const std::string& SpaceCharacters() const { return spaceChars_; }
    void SetSpaceCharacters(const std::string& chars);
    const std::string& WordCharacters() const { return wordChars_; }
    void SetWordCharacters(const std::string& chars);
    const std::string& LineBreakChars() const { return lineBreakChars_; }
    void SetLineBreakChars(const std::string& chars);
    // Two different characters that together form one line break ("\r\n" by default), or "".
    std::string LinePairedSeparator() const;
    void SetLinePairedSeparator(const std::string& pair);
    const TCaseInverter& CaseInverter() const { return caseInverter_; }
    void SetCaseInverter(TCaseInverter inverter);

    // The code of the last error raised, 0 when none.
    int LastError() const { return lastError_; }

    virtual void RaiseError(int code);
    virtual std::string ErrorText(int code) const;

    // A listing of the compiled program (compiling the expression when needed).
    std::string DumpProgram();

    // The default case inverter: the Windows-1251 upper case of c, or its lower case when the
    // upper case leaves it unchanged.
    static unsigned char DefaultCaseInverter(unsigned char c);

private:
    void DiscardProgram();
    void CheckProgram();
    void RebuildCharacterTables();
    void CompileProgram();

    std::unique_ptr<regex_program::RegexProgram> program_;
    unsigned compiledModifiers_ = 0;
    std::string expression_;
    std::string input_;
    bool inputSet_ = false;
    const unsigned char* groupStart_[kGroupCount] = {};
    const unsigned char* groupEnd_[kGroupCount] = {};
    int lastError_ = 0;
    int compilePosition_ = 0;
    unsigned modifiers_ = modR | modS | modG;
    std::string spaceChars_;
    std::string wordChars_;
    std::string lineBreakChars_;
    bool pairedAssigned_ = true;
    unsigned char pairedHead_ = '\r';
    unsigned char pairedTail_ = '\n';
    TCaseInverter caseInverter_;
    unsigned char caseTable_[256];
    bool lineSeparators_[256] = {}; // from LineBreakChars
    bool wordTable_[256] = {};      // from WordCharacters
};
