#include "regex/Regex.h"

#include "regex/RegexCompiler.h"
#include "regex/RegexMatcher.h"
#include "regex/RegexProgram.h"

using regex_program::RegexProgram;

namespace {

// Windows-1251 case pairs: lower-case letter, its capital.
constexpr unsigned char kCasePairs[][2] = {
    {0x83, 0x81}, {0x90, 0x80}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D},
    {0x9E, 0x8E}, {0x9F, 0x8F}, {0xA2, 0xA1}, {0xB3, 0xB2}, {0xB4, 0xA5},
    {0xB8, 0xA8}, {0xBA, 0xAA}, {0xBC, 0xA3}, {0xBE, 0xBD}, {0xBF, 0xAF},
};

struct CaseTables {
    unsigned char upper[256];
    unsigned char lower[256];
    CaseTables() {
        for (int c = 0; c < 256; ++c)
            upper[c] = lower[c] = static_cast<unsigned char>(c);
        auto pair = [this](int lo, int up) {
            upper[lo] = static_cast<unsigned char>(up);
            lower[up] = static_cast<unsigned char>(lo);
        };
        for (int c = 'a'; c <= 'z'; ++c)
            pair(c, c - 32);
        for (int c = 0xE0; c <= 0xFF; ++c)
            pair(c, c - 32);
        for (const auto& p : kCasePairs)
            pair(p[0], p[1]);
    }
};

const CaseTables& Cp1251Case() {
    static const CaseTables tables;
    return tables;
}

// The message of each error code; the codes are the named ones of TRegexErrorCode.
struct ErrorText {
    int code;
    const char* text;
};
constexpr ErrorText kErrorTexts[] = {
    {regexNoErrors, "No errors"},
    {regexCompNullArgument, "TRegex(comp): Null Argument"},
    {regexCompTooBig, "TRegex(comp): Regexp Too Big"},
    {regexCompTooManyGroups, "TRegex(comp): ParseReg Too Many ()"},
    {regexCompUnmatchedOpen, "TRegex(comp): ParseReg Unmatched ()"},
    {regexCompUnmatchedClose, "TRegex(comp): ParseReg Unmatched ()"},
    {regexCompJunkOnEnd, "TRegex(comp): ParseReg Junk On End"},
    {regexCompOperandCouldBeEmpty, "TRegex(comp): *+ Operand Could Be Empty"},
    {regexCompNestedQuantifier, "TRegex(comp): Nested *?+"},
    {regexCompBadHexDigit, "TRegex(comp): Bad Hex Digit"},
    {regexCompInvalidRange, "TRegex(comp): Invalid [] Range"},
    {regexCompClassTrailingBackslash, "TRegex(comp): Parse Atom Trailing \\"},
    {regexCompNoHexCode, "TRegex(comp): No Hex Code After \\x"},
    {regexCompHexCodeTooBig, "TRegex(comp): Hex Code After \\x Is Too Big"},
    {regexCompUnmatchedBracket, "TRegex(comp): Unmatched []"},
    {regexCompInternalUrp, "TRegex(comp): Internal Urp"},
    {regexCompQuantifierFollowsNothing, "TRegex(comp): ?+*{ Follows Nothing"},
    {regexCompTrailingBackslash, "TRegex(comp): Trailing \\"},
    {regexCompInternalDisaster, "TRegex(comp): RarseAtom Internal Disaster"},
    {regexCompBracesTooBig, "TRegex(comp): BRACES Argument Too Big"},
    {regexCompBracesMinGreaterThanMax, "TRegex(comp): BRACE Min Param Greater then Max"},
    {regexCompUnclosedComment, "TRegex(comp): Unclosed (?#Comment)"},
    {regexCompComplexBraces, "TRegex(comp): BRACES '{min,max}' and non-greedy ops '*?', '+?', "
                             "'?\?' are not supported for complex cases"},
    {regexCompBadModifier, "TRegex(comp): Urecognized Modifier"},
    {regexCompBadLinePairedSeparator,
     "TRegex(comp): LinePairedSeparator must countain two different chars or no chars at all"},
    {regexExecRepeatInappropriate, "TRegex(exec): RegRepeat Called Inappropriately"},
    {regexExecMemoryCorruption, "TRegex(exec): MatchPrim Memory Corruption"},
    {regexExecCorruptedPointers, "TRegex(exec): MatchPrim Corrupted Pointers"},
    {regexExecNoExpression, "TRegex(exec): Not Assigned Expression Property"},
    {regexExecCorruptedProgram, "TRegex(exec): Corrupted Program"},
    {regexExecNoInput, "TRegex(exec): No Input String Specified"},
    {regexExecOffsetNotPositive, "TRegex(exec): Offset Must Be Greater Then 0"},
    {regexExecNextWithoutExec, "TRegex(exec): ExecNext Without Exec[Pos]"},
    {regexExecNoInputString, "TRegex(exec): GetInputString Without InputString"},
    {regexDumpCorruptedOpcode, "TRegex(dump): Corrupted Opcode"},
    {regexExecLoopStackExceeded, "TRegex(exec): Loop Stack Exceeded"},
    {regexExecLoopWithoutEntry, "TRegex(exec): Loop Without LoopEntry !"},
    {regexExecRecursionTooDeep, "TRegex(exec): Recursion Too Deep"},
    {regexMiscBadPCode, "TRegex(misc): Bad p-code imported"},
};

const char* ErrorMessage(int code) {
    for (const ErrorText& e : kErrorTexts)
        if (e.code == code)
            return e.text;
    return nullptr;
}

} // namespace

unsigned char TRegex::DefaultCaseInverter(unsigned char c) {
    const CaseTables& t = Cp1251Case();
    return t.upper[c] != c ? t.upper[c] : t.lower[c];
}

TRegex::TRegex()
    : spaceChars_(" \t\n\r\f"),
      wordChars_("0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_"),
      lineBreakChars_("\r\n"), caseInverter_(&TRegex::DefaultCaseInverter) {
    for (int c = 0; c < 256; ++c)
        caseTable_[c] = DefaultCaseInverter(static_cast<unsigned char>(c));
    RebuildCharacterTables();
}

void TRegex::RebuildCharacterTables() {
    for (int c = 0; c < 256; ++c)
        lineSeparators_[c] = wordTable_[c] = false;
    for (unsigned char c : lineBreakChars_)
        lineSeparators_[c] = true;
    for (unsigned char c : wordChars_)
        wordTable_[c] = true;
}

TRegex::~TRegex() = default;

void TRegex::DiscardProgram() {
    program_.reset();
}

void TRegex::SetExpression(const std::string& text) {
    // Any change discards the compiled program, so that a search never runs a pattern other
    // than the present one (an empty expression then fails with code 1003).
    if (text != expression_ || !program_) {
        expression_ = text;
        DiscardProgram();
    }
}

bool TRegex::Exec(const std::string& input) {
    for (int i = 0; i < kGroupCount; ++i)
        groupStart_[i] = groupEnd_[i] = nullptr;
    if (input_.size() == input.size())
        input_.replace(0, input.size(), input); // keeps the buffer
    else
        input_ = input;
    inputSet_ = true;
    return ExecPos(1);
}

bool TRegex::ExecPos(int offset) {
    for (int i = 0; i < kGroupCount; ++i)
        groupStart_[i] = groupEnd_[i] = nullptr;
    CheckProgram();
    if (!program_)
        return false;
    if (!inputSet_) {
        RaiseError(regexExecNoInput);
        return false;
    }
    if (offset < 1) {
        RaiseError(regexExecOffsetNotPositive);
        return false;
    }
    if (static_cast<size_t>(offset) > input_.size() + 1)
        return false;

    regex_program::MatchEnvironment env;
    env.caseTable = caseTable_;
    env.wordChars = wordTable_;
    env.lineSeparators = lineSeparators_;
    env.paired = pairedAssigned_;
    env.pairedHead = pairedHead_;
    env.pairedTail = pairedTail_;

    const auto* begin = reinterpret_cast<const unsigned char*>(input_.c_str());
    const unsigned char* end = begin + input_.size();
    regex_program::RegexMatcher matcher(*program_, env, groupStart_, groupEnd_);
    try {
        return matcher.Search(begin, end, begin + (offset - 1));
    } catch (const regex_program::MatchError& e) {
        for (int i = 0; i < kGroupCount; ++i)
            groupStart_[i] = groupEnd_[i] = nullptr;
        RaiseError(e.code);
        return false;
    }
}

void TRegex::CheckProgram() {
    if (program_ && modifiers_ != compiledModifiers_)
        DiscardProgram();
    // The line-separator set follows LineBreakChars as it is set (RebuildCharacterTables).
    if (!program_) {
        if (expression_.empty()) {
            RaiseError(regexExecNoExpression);
            return;
        }
        CompileProgram();
        if (!program_)
            return;
    }
    if (program_->code.empty() || program_->code[0] != regex_program::kMagic) {
        RaiseError(regexExecCorruptedProgram);
        DiscardProgram();
    }
}

void TRegex::CompileProgram() {
    DiscardProgram();
    if (expression_.empty()) {
        RaiseError(regexCompNullArgument);
        return;
    }
    regex_program::CompileOptions options;
    options.modifiers = modifiers_;
    options.caseTable = caseTable_;
    options.spaceChars = spaceChars_;
    options.wordChars = wordChars_;
    options.lineBreakChars = lineBreakChars_;
    options.lineSeparatorsExist = !lineBreakChars_.empty() || pairedAssigned_;
    compiledModifiers_ = modifiers_;
    try {
        program_ = std::make_unique<RegexProgram>(regex_program::Compile(expression_, options));
    } catch (const regex_program::CompileError& e) {
        compilePosition_ = e.position;
        try {
            RaiseError(e.code);
        } catch (...) {
            compilePosition_ = 0;
            throw;
        }
        compilePosition_ = 0;
    }
}

std::string TRegex::GetGroupText(int n) const {
    if (n < 0 || n >= kGroupCount || !inputSet_ || !groupStart_[n] || !groupEnd_[n])
        return std::string();
    return std::string(reinterpret_cast<const char*>(groupStart_[n]),
                       static_cast<size_t>(groupEnd_[n] - groupStart_[n]));
}

int TRegex::MatchPos(int n) const {
    if (n < 0 || n >= kGroupCount || !groupStart_[n] || !groupEnd_[n])
        return -1;
    return static_cast<int>(groupStart_[n] -
                            reinterpret_cast<const unsigned char*>(input_.c_str())) +
           1;
}

int TRegex::MatchLen(int n) const {
    if (n < 0 || n >= kGroupCount || !groupStart_[n] || !groupEnd_[n])
        return -1;
    return static_cast<int>(groupEnd_[n] - groupStart_[n]);
}

bool TRegex::Modifier(int index) {
    if (index < 1 || index > 6) {
        RaiseError(regexBadModifierIndex);
        return false;
    }
    return (modifiers_ & (1u << (index - 1))) != 0;
}

void TRegex::SetModifier(int index, bool on) {
    if (index < 1 || index > 6) {
        RaiseError(regexBadModifierIndex);
        return;
    }
    const unsigned bit = 1u << (index - 1);
    modifiers_ = on ? (modifiers_ | bit) : (modifiers_ & ~bit);
}

bool TRegex::ParseModifiers(const std::string& text, unsigned& set) {
    bool clear = false;
    for (char ch : text) {
        unsigned bit;
        switch (ch) {
        case '-':
            clear = true;
            continue;
        case 'i':
        case 'I':
            bit = modI;
            break;
        case 'r':
        case 'R':
            bit = modR;
            break;
        case 's':
        case 'S':
            bit = modS;
            break;
        case 'g':
        case 'G':
            bit = modG;
            break;
        case 'm':
        case 'M':
            bit = modM;
            break;
        case 'x':
        case 'X':
            bit = modX;
            break;
        default:
            return false;
        }
        set = clear ? (set & ~bit) : (set | bit);
    }
    return true;
}

// The classes \s and \w, "^" and "$" and the case folding are compiled into the program, so a
// change of any of these character settings discards it as well.
void TRegex::SetSpaceCharacters(const std::string& chars) {
    if (chars != spaceChars_) {
        spaceChars_ = chars;
        DiscardProgram();
    }
}

void TRegex::SetWordCharacters(const std::string& chars) {
    if (chars != wordChars_) {
        wordChars_ = chars;
        RebuildCharacterTables();
        DiscardProgram();
    }
}

void TRegex::SetLineBreakChars(const std::string& chars) {
    if (chars != lineBreakChars_) {
        lineBreakChars_ = chars;
        RebuildCharacterTables();
        DiscardProgram();
    }
}

std::string TRegex::LinePairedSeparator() const {
    if (!pairedAssigned_)
        return std::string();
    return std::string{static_cast<char>(pairedHead_), static_cast<char>(pairedTail_)};
}

void TRegex::SetLinePairedSeparator(const std::string& pair) {
    if (pair.empty()) {
        if (pairedAssigned_) {
            pairedAssigned_ = false;
            DiscardProgram();
        }
        return;
    }
    if (pair.size() != 2 || pair[0] == pair[1]) {
        RaiseError(regexCompBadLinePairedSeparator);
        return;
    }
    const auto head = static_cast<unsigned char>(pair[0]);
    const auto tail = static_cast<unsigned char>(pair[1]);
    if (!pairedAssigned_ || head != pairedHead_ || tail != pairedTail_) {
        pairedAssigned_ = true;
        pairedHead_ = head;
        pairedTail_ = tail;
        DiscardProgram();
    }
}

void TRegex::SetCaseInverter(TCaseInverter inverter) {
    caseInverter_ = inverter ? std::move(inverter) : TCaseInverter(&TRegex::DefaultCaseInverter);
    for (int c = 0; c < 256; ++c)
        caseTable_[c] = caseInverter_(static_cast<unsigned char>(c));
    DiscardProgram();
}

void TRegex::RaiseError(int code) {
    lastError_ = code;
    std::string message = ErrorText(code);
    int position = 0;
    if (code < 1000) {
        position = compilePosition_;
        message += " (pos " + std::to_string(position) + ")";
    }
    throw ERegex(message, code, position);
}

std::string TRegex::ErrorText(int code) const {
    const char* message = ErrorMessage(code);
    return message ? message : "Unknown error";
}

std::string TRegex::DumpProgram() {
    CheckProgram();
    if (!program_)
        return std::string();
    return regex_program::DumpProgram(program_->code);
}
