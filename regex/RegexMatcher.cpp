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

bool RegexMatcher::MatchPrim(const uint8_t* scan) {
    CheckStack();
    while (scan) {
        const uint8_t op = *scan;
        const uint8_t* next = NextNode(scan);
        const uint8_t* opnd = Operand(scan);
        switch (op) {
        case opEnd:
            return true;
        case opLineStart:
            if (in_ != begin_)
                return false;
            break;
        case opLineEnd:
            if (in_ != end_)
                return false;
            break;
        case opLineStartMulti:
            if (!AtLineStart())
                return false;
            break;
        case opLineEndMulti:
            if (!AtLineEnd())
                return false;
            break;
        case opAnyChar:
            if (in_ == end_)
                return false;
            ++in_;
            break;
        case opAnyCharMulti: {
            if (in_ == end_)
                return false;
            const uint8_t c = *in_;
            if (env_.lineSeparators[c] || (env_.paired && c == env_.pairedHead && in_ + 1 < end_ &&
                                           in_[1] == env_.pairedTail))
                return false;
            ++in_;
            break;
        }
        case opWordBoundary:
            if (!AtWordBoundary())
                return false;
            break;
        case opNotWordBoundary:
            if (AtWordBoundary())
                return false;
            break;
        case opLiteral: {
            // A literal holds no zero byte and the input is followed by one, so the comparison
            // stops at the end of the input at the latest.
            const uint8_t* p = opnd;
            const uint8_t* s = in_;
            while (*p && *p == *s) {
                ++p;
                ++s;
            }
            if (*p)
                return false;
            in_ = s;
            break;
        }
        case opLiteralNoCase: {
            const uint8_t* p = opnd;
            const uint8_t* s = in_;
            while (*p && s < end_ && (*p == *s || env_.caseTable[*p] == *s)) {
                ++p;
                ++s;
            }
            if (*p)
                return false;
            in_ = s;
            break;
        }
        case opDigit:
            if (in_ == end_ || !IsDigit(*in_))
                return false;
            ++in_;
            break;
        case opNonDigit:
            if (in_ == end_ || IsDigit(*in_))
                return false;
            ++in_;
            break;
        case opSetTiny: {
            if (in_ == end_)
                return false;
            const uint8_t c = *in_;
            if (c != opnd[0] && c != opnd[1] && c != opnd[2])
                return false;
            ++in_;
            break;
        }
        case opNotSetTiny: {
            if (in_ == end_)
                return false;
            const uint8_t c = *in_;
            if (c == opnd[0] || c == opnd[1] || c == opnd[2])
                return false;
            ++in_;
            break;
        }
        case opSetFull:
            if (in_ == end_ || !InBitmap(opnd, *in_))
                return false;
            ++in_;
            break;
        case opBackRef:
        case opBackRefNoCase: {
            const int n = opnd[0];
            const uint8_t* gs = starts_[n];
            const uint8_t* ge = ends_[n];
            if (!gs || !ge || ge < gs)
                return false;
            const size_t length = static_cast<size_t>(ge - gs);
            if (length > static_cast<size_t>(end_ - in_))
                return false;
            if (op == opBackRef) {
                if (std::memcmp(gs, in_, length) != 0)
                    return false;
            } else {
                for (size_t i = 0; i < length; ++i)
                    if (gs[i] != in_[i] && env_.caseTable[gs[i]] != in_[i])
                        return false;
            }
            in_ += length;
            break;
        }
        case opAlternative: {
            if (!next || *next != opAlternative) {
                next = opnd; // no choice: go on with the single alternative
                break;
            }
            const uint8_t* save = in_;
            for (const uint8_t* alt = scan; alt && *alt == opAlternative; alt = NextNode(alt)) {
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
        case opRepeat:
        case opRepeatLazy: {
            // A fixed count of one-character items leaves no choice: go straight on.
            const uint8_t* item = RepeatItem(scan);
            const int32_t min = CountMin(scan);
            if (min == CountMax(scan) && *item != opBackRef && *item != opBackRefNoCase) {
                if (RegRepeat(item, static_cast<size_t>(min)) != static_cast<size_t>(min))
                    return false;
                break;
            }
            return MatchRepeat(scan, next);
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
            if (IsOpen(op)) {
                const int n = GroupOfOpen(op);
                const uint8_t* old = starts_[n];
                starts_[n] = in_;
                if (MatchPrim(next))
                    return true;
                starts_[n] = old;
                return false;
            }
            if (IsClose(op)) {
                const int n = GroupOfClose(op);
                const uint8_t* old = ends_[n];
                ends_[n] = in_;
                if (MatchPrim(next))
                    return true;
                ends_[n] = old;
                return false;
            }
            throw MatchError{regexExecMemoryCorruption};
        }
        scan = next;
    }
    throw MatchError{regexExecCorruptedPointers};
}

bool RegexMatcher::MatchRepeat(const uint8_t* node, const uint8_t* next) {
    const uint8_t op = *node;
    const uint8_t* opnd = Operand(node);
    int32_t min, max;
    bool lazy = false;
    switch (op) {
    case opStarLazy:
        lazy = true;
        [[fallthrough]];
    case opStar:
        min = 0;
        max = kInfinite;
        break;
    case opPlusLazy:
        lazy = true;
        [[fallthrough]];
    case opPlus:
        min = 1;
        max = kInfinite;
        break;
    default:
        lazy = op == opRepeatLazy;
        min = CountMin(node);
        max = CountMax(node);
        opnd = RepeatItem(node);
        break;
    }
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
        while (reps < max && static_cast<size_t>(end_ - p) >= length) {
            bool same = true;
            for (size_t i = 0; i < length && same; ++i)
                same = gs[i] == p[i] || (*node == opBackRefNoCase && env_.caseTable[gs[i]] == p[i]);
            if (!same)
                break;
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
