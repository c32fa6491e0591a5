#pragma once
// The matcher: a recursive backtracking interpreter of a compiled program over one input.
// MatchPrim follows a node chain and calls itself at every choice point, so a successful call has
// matched the whole rest of the program; RegRepeat counts repetitions of one-character items
// without recursion.

#include "regex/RegexProgram.h"

#include <cstddef>

namespace regex_program {

// A search error (codes 1000 and above).
struct MatchError {
    int code;
};

// What the matcher needs besides the program: per-character tables and the paired separator.
struct MatchEnvironment {
    const uint8_t* caseTable = nullptr; // 256 entries: each character's other-case counterpart
    const bool* wordChars = nullptr;    // 256 entries
    const bool* lineSeparators = nullptr;
    bool paired = false;
    uint8_t pairedHead = 0;
    uint8_t pairedTail = 0;
};

class RegexMatcher {
public:
    // Group slots: group 0 (the whole match) and groups 1-14; nullptr = unset.
    using Groups = const uint8_t * [kMaxGroups + 1];

    RegexMatcher(const RegexProgram& program, const MatchEnvironment& env, Groups& starts,
                 Groups& ends)
        : program_(program), env_(env), starts_(starts), ends_(ends) {}

    // Searches [begin, end) from `from` (begin <= from <= end; *end must be 0). On success the
    // group slots hold the match; on failure they are all unset. Throws MatchError.
    bool Search(const uint8_t* begin, const uint8_t* end, const uint8_t* from);

    // Stack a search may use for its recursion before it stops with code 1016.
    static constexpr std::ptrdiff_t kStackBudget = 4 * 1024 * 1024;

private:
    bool TryMatchAt(const uint8_t* p);
    bool MatchPrim(const uint8_t* node);
    bool MatchItem(uint8_t op, const uint8_t* opnd);
    bool CharMatches(uint8_t op, const uint8_t* opnd) const;
    bool MatchLiteral(const uint8_t* literal, bool noCase);
    bool MatchBackRef(bool noCase, int group);
    bool SameText(const uint8_t* a, const uint8_t* b, size_t length, bool noCase) const;
    bool MatchAlternatives(const uint8_t* chain);
    bool MatchGroupMark(uint8_t op, const uint8_t* next);
    bool MatchRepeat(const uint8_t* node, const uint8_t* next);
    bool MatchLoop(const uint8_t* node, const uint8_t* next);
    bool MatchLoopEntry(const uint8_t* next);
    size_t RegRepeat(const uint8_t* node, size_t max);
    bool AtLineStart() const;
    bool AtLineEnd() const;
    bool AtWordBoundary() const;
    void CheckStack() const;

    const RegexProgram& program_;
    const MatchEnvironment& env_;
    Groups& starts_;
    Groups& ends_;
    const uint8_t* begin_ = nullptr;
    const uint8_t* end_ = nullptr;
    const uint8_t* in_ = nullptr;
    const char* stackBase_ = nullptr;
    int loopIndex_ = 0;
    int32_t loopCounters_[kMaxLoopDepth + 1] = {};
};

} // namespace regex_program
