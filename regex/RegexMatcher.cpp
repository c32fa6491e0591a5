#include "regex/RegexMatcher.h"

#include "regex/Regex.h"

#include <algorithm>
#include <cstring>

namespace regex_program {

namespace {

inline bool IsDigit(uint8_t c) {
    return c >= '0' && c <= '9';
}
inline bool InBitmap(const uint8_t* bits, uint8_t c) {
    return (bits[c >> 3] >> (c & 7)) & 1;
}

// What a repeat node repeats, how often and whether it tries the fewest repetitions first.
struct RepeatBounds {
    const uint8_t* item;
    int32_t min;
    int32_t max;
    bool lazy;
};

RepeatBounds BoundsOf(const uint8_t* node) {
    switch (*node) {
    case opStar:
        return {Operand(node), 0, kInfinite, false};
    case opStarLazy:
        return {Operand(node), 0, kInfinite, true};
    case opPlus:
        return {Operand(node), 1, kInfinite, false};
    case opPlusLazy:
        return {Operand(node), 1, kInfinite, true};
    default:
        return {RepeatItem(node), CountMin(node), CountMax(node), *node == opRepeatLazy};
    }
}

} // namespace

bool RegexMatcher::Search(const uint8_t* begin, const uint8_t* end, const uint8_t* from) {
    begin_ = begin;
    end_ = end;
    stackBase_ = static_cast<const char*>(__builtin_frame_address(0));
    for (int i = 0; i <= kMaxGroups; ++i)
        starts_[i] = ends_[i] = nullptr;

    if (program_.requiredLiteral) {
        const uint8_t* literal = program_.code.data() + program_.requiredLiteral + kHeaderSize;
        size_t length = static_cast<size_t>(program_.requiredLength);
        if (static_cast<size_t>(end - from) < length ||
            !memmem(from, static_cast<size_t>(end - from), literal, length))
            return false;
    }

    if (program_.anchored)
        return TryMatchAt(from);

    if (program_.startChar >= 0) {
        const uint8_t c = static_cast<uint8_t>(program_.startChar);
        for (const uint8_t* p = from; p < end; ++p) {
            p = static_cast<const uint8_t*>(std::memchr(p, c, static_cast<size_t>(end - p)));
            if (!p)
                break;
            if (TryMatchAt(p))
                return true;
        }
        return false;
    }

    const bool* first = program_.firstChars;
    // The zero byte stands for the end of the input as well as for itself: the general scan
    // below covers both.
    if (program_.firstCount == 1 && !first[0]) {
        const uint8_t c = static_cast<uint8_t>(std::find(first, first + 256, true) - first);
        for (const uint8_t* p = from; p < end; ++p) {
            p = static_cast<const uint8_t*>(std::memchr(p, c, static_cast<size_t>(end - p)));
            if (!p)
                break;
            if (TryMatchAt(p))
                return true;
        }
        return false;
    }
    for (const uint8_t* p = from; p <= end; ++p) {
        if (!first[*p])
            continue;
        if (TryMatchAt(p))
            return true;
    }
    return false;
}

// A failed attempt leaves the group slots as it found them (every node that sets one restores
// it when the rest fails), so nothing needs clearing between attempts.
bool RegexMatcher::TryMatchAt(const uint8_t* p) {
    in_ = p;
    loopIndex_ = 0;
    if (!MatchPrim(program_.Entry()))
        return false;
    starts_[0] = p;
    ends_[0] = in_;
    return true;
}

void RegexMatcher::CheckStack() const {
    const char* here = static_cast<const char*>(__builtin_frame_address(0));
    std::ptrdiff_t used = stackBase_ > here ? stackBase_ - here : here - stackBase_;
    if (used > kStackBudget)
        throw MatchError{regexExecRecursionTooDeep};
}

bool RegexMatcher::AtLineStart() const {
    if (in_ == begin_)
        return true;
    const uint8_t prev = in_[-1];
    if (env_.paired && prev == env_.pairedTail && in_ - 1 > begin_ && in_[-2] == env_.pairedHead)
        return true;
    return env_.lineSeparators[prev] &&
           !(env_.paired && prev == env_.pairedHead && in_ < end_ && *in_ == env_.pairedTail);
}

bool RegexMatcher::AtLineEnd() const {
    if (in_ == end_)
        return true;
    const uint8_t c = *in_;
    if (env_.paired && c == env_.pairedHead && in_ + 1 < end_ && in_[1] == env_.pairedTail)
        return true;
    return env_.lineSeparators[c] &&
           !(env_.paired && c == env_.pairedTail && in_ > begin_ && in_[-1] == env_.pairedHead);
}

bool RegexMatcher::AtWordBoundary() const {
    const bool before = in_ > begin_ && env_.wordChars[in_[-1]];
    const bool after = in_ < end_ && env_.wordChars[*in_];
    return before != after;
}

// One node that consumes a single character, or none: the assertions, literals, character
// classes and back-references. Moves the input past what matched; false when the node fails
// here.
bool RegexMatcher::MatchItem(uint8_t op, const uint8_t* opnd) {
    switch (op) {
    case opLineStart:
        return in_ == begin_;
    case opLineEnd:
        return in_ == end_;
    case opLineStartMulti:
        return AtLineStart();
    case opLineEndMulti:
        return AtLineEnd();
    case opWordBoundary:
        return AtWordBoundary();
    case opNotWordBoundary:
        return !AtWordBoundary();
    case opLiteral:
    case opLiteralNoCase:
        return MatchLiteral(opnd, op == opLiteralNoCase);
    case opBackRef:
    case opBackRefNoCase:
        return MatchBackRef(op == opBackRefNoCase, opnd[0]);
    default:
        if (in_ == end_ || !CharMatches(op, opnd))
            return false;
        ++in_;
        return true;
    }
}

// Whether the character at the input (which is not at its end) matches a one-character node.
bool RegexMatcher::CharMatches(uint8_t op, const uint8_t* opnd) const {
    const uint8_t c = *in_;
    switch (op) {
    case opAnyChar:
        return true;
    case opAnyCharMulti:
        return !env_.lineSeparators[c] && !(env_.paired && c == env_.pairedHead && in_ + 1 < end_ &&
                                            in_[1] == env_.pairedTail);
    case opDigit:
        return IsDigit(c);
    case opNonDigit:
        return !IsDigit(c);
    case opSetTiny:
        return c == opnd[0] || c == opnd[1] || c == opnd[2];
    case opNotSetTiny:
        return c != opnd[0] && c != opnd[1] && c != opnd[2];
    case opSetFull:
        return InBitmap(opnd, c);
    default:
        throw MatchError{regexExecMemoryCorruption};
    }
}

// A literal holds no zero byte, so its end is where the comparison stops at the latest.
bool RegexMatcher::MatchLiteral(const uint8_t* literal, bool noCase) {
    const uint8_t* p = literal;
    const uint8_t* s = in_;
    while (*p && s < end_ && (*p == *s || (noCase && env_.caseTable[*p] == *s))) {
        ++p;
        ++s;
    }
    if (*p)
        return false;
    in_ = s;
    return true;
}

// The text group `group` matched, once more at the input.
bool RegexMatcher::MatchBackRef(bool noCase, int group) {
    const uint8_t* gs = starts_[group];
    const uint8_t* ge = ends_[group];
    if (!gs || !ge || ge < gs)
        return false;
    const size_t length = static_cast<size_t>(ge - gs);
    if (length > static_cast<size_t>(end_ - in_) || !SameText(gs, in_, length, noCase))
        return false;
    in_ += length;
    return true;
}

bool RegexMatcher::SameText(const uint8_t* a, const uint8_t* b, size_t length, bool noCase) const {
    if (!noCase)
        return std::memcmp(a, b, length) == 0;
    for (size_t i = 0; i < length; ++i)
        if (a[i] != b[i] && env_.caseTable[a[i]] != b[i])
            return false;
    return true;
}

// Tries each branch of a chain of alternatives in turn from the same input position.
bool RegexMatcher::MatchAlternatives(const uint8_t* chain) {
    const uint8_t* save = in_;
    for (const uint8_t* alt = chain; alt && *alt == opAlternative; alt = NextNode(alt)) {
        // Skip a branch whose first node is a literal that cannot match here.
        const uint8_t* first = Operand(alt);
        if (*first == opLiteral && first[kHeaderSize] != *in_)
            continue;
        if (MatchPrim(first))
            return true;
        in_ = save;
    }
    return false;
}

// Opens or closes group slot at the input and matches the rest; the slot is put back when the
// rest fails.
bool RegexMatcher::MatchGroupMark(uint8_t op, const uint8_t* next) {
    const bool open = IsOpen(op);
    const uint8_t*& slot = open ? starts_[GroupOfOpen(op)] : ends_[GroupOfClose(op)];
    const uint8_t* old = slot;
    slot = in_;
    if (MatchPrim(next))
        return true;
    slot = old;
    return false;
}

bool RegexMatcher::MatchPrim(const uint8_t* scan) {
    CheckStack();
    while (scan) {
        const uint8_t op = *scan;
        const uint8_t* next = NextNode(scan);
        switch (op) {
        case opEnd:
            return true;
        case opAlternative:
            if (next && *next == opAlternative)
                return MatchAlternatives(scan);
            next = Operand(scan); // no choice: go on with the single alternative
            break;
        case opRepeat:
        case opRepeatLazy: {
            const uint8_t* item = RepeatItem(scan);
            const int32_t min = CountMin(scan);
            if (min != CountMax(scan) || *item == opBackRef || *item == opBackRefNoCase)
                return MatchRepeat(scan, next);
            // A fixed count of one-character items leaves no choice: go straight on.
            if (RegRepeat(item, static_cast<size_t>(min)) != static_cast<size_t>(min))
                return false;
            break;
        }
        case opStar:
        case opPlus:
        case opStarLazy:
        case opPlusLazy:
            return MatchRepeat(scan, next);
        case opLoopEntry:
            return MatchLoopEntry(next);
        case opLoop:
        case opLoopLazy:
            return MatchLoop(scan, next);
        case opBack:
        case opEmpty:
        case opComment:
            break;
        default:
            if (IsOpen(op) || IsClose(op))
                return MatchGroupMark(op, next);
            if (!MatchItem(op, Operand(scan)))
                return false;
            break;
        }
        scan = next;
    }
    throw MatchError{regexExecCorruptedPointers};
}

bool RegexMatcher::MatchRepeat(const uint8_t* node, const uint8_t* next) {
    const RepeatBounds bounds = BoundsOf(node);
    const uint8_t* opnd = bounds.item;
    const int32_t min = bounds.min;
    int32_t max = bounds.max;
    const bool lazy = bounds.lazy;
    if (!next)
        throw MatchError{regexExecCorruptedPointers};

    // A back-reference repeats the group's whole text; every other item is one character.
    size_t unit = 1;
    if (*opnd == opBackRef || *opnd == opBackRefNoCase) {
        const uint8_t* gs = starts_[opnd[kHeaderSize]];
        const uint8_t* ge = ends_[opnd[kHeaderSize]];
        if (!gs || !ge || ge < gs) {
            if (min > 0)
                return false;
            max = 0;
        } else if (ge == gs) {
            max = min; // an empty group matches any number of times in the same place
        }
        unit = gs && ge > gs ? static_cast<size_t>(ge - gs) : 0;
    }

    // When a literal follows, its first character must stand where the rest is tried.
    const int hint = *next == opLiteral ? next[kHeaderSize] : -1;
    const uint8_t* start = in_;
    size_t count = RegRepeat(opnd, static_cast<size_t>(max));
    if (unit == 0)
        count = static_cast<size_t>(min);

    int32_t savedCounters[kMaxLoopDepth + 1];
    const bool saveLoops = program_.hasLoops;
    const int savedIndex = loopIndex_;
    auto tryRest = [&](size_t n) {
        in_ = start + n * unit;
        if (hint >= 0 && *in_ != hint)
            return false;
        if (saveLoops)
            std::memcpy(savedCounters, loopCounters_, sizeof savedCounters);
        if (MatchPrim(next))
            return true;
        if (saveLoops)
            std::memcpy(loopCounters_, savedCounters, sizeof savedCounters);
        loopIndex_ = savedIndex;
        return false;
    };

    if (!lazy) {
        for (size_t n = count + 1; n-- > static_cast<size_t>(min);)
            if (tryRest(n))
                return true;
    } else {
        for (size_t n = static_cast<size_t>(min); n <= count; ++n)
            if (tryRest(n))
                return true;
    }
    in_ = start;
    return false;
}

// Counts how many times (at most `max`) the one-character item `node` matches from the input
// pointer and moves the pointer past them. For a back-reference it counts whole repetitions of
// the group's text.
size_t RegexMatcher::RegRepeat(const uint8_t* node, size_t max) {
    const size_t left = static_cast<size_t>(end_ - in_);
    const size_t limit = std::min(max, left);
    const uint8_t* opnd = Operand(node);
    const uint8_t* p = in_;
    const uint8_t* const stop = in_ + limit;
    switch (*node) {
    case opAnyChar:
        p = stop;
        break;
    case opLiteral: {
        const uint8_t c = opnd[0];
        while (p < stop && *p == c)
            ++p;
        break;
    }
    case opLiteralNoCase: {
        const uint8_t c = opnd[0], other = env_.caseTable[opnd[0]];
        while (p < stop && (*p == c || *p == other))
            ++p;
        break;
    }
    case opDigit:
        while (p < stop && IsDigit(*p))
            ++p;
        break;
    case opNonDigit:
        while (p < stop && !IsDigit(*p))
            ++p;
        break;
    case opSetTiny:
        while (p < stop && (*p == opnd[0] || *p == opnd[1] || *p == opnd[2]))
            ++p;
        break;
    case opNotSetTiny:
        while (p < stop && *p != opnd[0] && *p != opnd[1] && *p != opnd[2])
            ++p;
        break;
    case opSetFull:
        while (p < stop && InBitmap(opnd, *p))
            ++p;
        break;
    case opBackRef:
    case opBackRefNoCase: {
        const uint8_t* gs = starts_[opnd[0]];
        const uint8_t* ge = ends_[opnd[0]];
        if (!gs || !ge || ge <= gs)
            return 0;
        const size_t length = static_cast<size_t>(ge - gs);
        size_t reps = 0;
        const bool noCase = *node == opBackRefNoCase;
        while (reps < max && static_cast<size_t>(end_ - p) >= length &&
               SameText(gs, p, length, noCase)) {
            p += length;
            ++reps;
        }
        in_ = p;
        return reps;
    }
    default:
        throw MatchError{regexExecRepeatInappropriate};
    }
    const size_t count = static_cast<size_t>(p - in_);
    in_ = p;
    return count;
}

bool RegexMatcher::MatchLoopEntry(const uint8_t* next) {
    const int savedIndex = loopIndex_;
    if (loopIndex_ + 1 > kMaxLoopDepth)
        throw MatchError{regexExecLoopStackExceeded};
    ++loopIndex_;
    const int32_t oldCounter = loopCounters_[loopIndex_];
    loopCounters_[loopIndex_] = 0;
    const uint8_t* save = in_;
    if (MatchPrim(next))
        return true;
    loopCounters_[savedIndex + 1] = oldCounter;
    loopIndex_ = savedIndex;
    in_ = save;
    return false;
}

// A counted loop over a general item. The counter of the current level counts the iterations
// done; every failed attempt puts counter, level and input pointer back as they were, so that an
// outer alternative or repeat that tries again finds the loop's state intact.
bool RegexMatcher::MatchLoop(const uint8_t* node, const uint8_t* next) {
    if (loopIndex_ == 0)
        throw MatchError{regexExecLoopWithoutEntry};
    const int32_t min = CountMin(node);
    const int32_t max = CountMax(node);
    const uint8_t* body = LoopBody(node);
    const int level = loopIndex_;
    const int32_t count = loopCounters_[level];
    const uint8_t* save = in_;

    auto tryBody = [&] {
        loopCounters_[level] = count + 1;
        if (MatchPrim(body))
            return true;
        loopIndex_ = level;
        loopCounters_[level] = count;
        in_ = save;
        return false;
    };
    // Leaves the loop: the rest is matched at the enclosing level.
    auto tryNext = [&] {
        if (!next)
            throw MatchError{regexExecCorruptedPointers};
        loopIndex_ = level - 1;
        if (MatchPrim(next))
            return true;
        loopIndex_ = level;
        loopCounters_[level] = count;
        in_ = save;
        return false;
    };

    if (count < min)
        return tryBody();
    if (*node == opLoop) {
        if (count < max && tryBody())
            return true;
        return tryNext();
    }
    if (tryNext())
        return true;
    return count < max && tryBody();
}

} // namespace regex_program
