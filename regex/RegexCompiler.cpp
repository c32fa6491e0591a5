#include "regex/RegexCompiler.h"

#include "regex/Regex.h"

#include <algorithm>

namespace regex_program {

namespace {

// Flags returned by each parse step.
enum : unsigned {
    kHasWidth = 1,       // always matches at least one character
    kSimple = 2,         // matches exactly one character: the fast repeat nodes apply
    kStartsWithStar = 4, // begins with a repeat
};

constexpr size_t kNone = static_cast<size_t>(-1);

bool IsMeta(uint8_t c) {
    switch (c) {
    case '^':
    case '$':
    case '.':
    case '[':
    case '(':
    case ')':
    case '|':
    case '?':
    case '+':
    case '*':
    case '\\':
    case '{':
        return true;
    default:
        return false;
    }
}
bool IsQuantifier(uint8_t c) {
    return c == '*' || c == '+' || c == '?' || c == '{';
}
bool IsBlank(uint8_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool IsDigit(uint8_t c) {
    return c >= '0' && c <= '9';
}
int HexValue(uint8_t c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

constexpr uint8_t kRuLowerA = 0xE0, kRuLowerYa = 0xFF, kRuLowerYo = 0xB8;
constexpr uint8_t kRuUpperA = 0xC0, kRuUpperYa = 0xDF, kRuUpperYo = 0xA8;

class Compiler {
public:
    Compiler(const std::string& pattern, const CompileOptions& options)
        : pat_(reinterpret_cast<const uint8_t*>(pattern.data())), len_(pattern.size()),
          options_(options) {}

    RegexProgram Run();

private:
    [[noreturn]] void Fail(int code) const { throw CompileError{code, static_cast<int>(pos_)}; }
    bool AtEnd() const { return pos_ >= len_; }
    uint8_t Peek() const { return pos_ < len_ ? pat_[pos_] : 0; }

    // Emit primitives; in the measuring pass they only count bytes.
    size_t EmitNode(uint8_t op);
    void EmitByte(uint8_t b);
    void EmitInt(int32_t v);
    void InsertNode(uint8_t op, size_t at, int operandBytes);
    void Tail(size_t chain, size_t target);
    void OperandTail(size_t node, size_t target);

    size_t ParseReg(bool parenthesised, unsigned& flags);
    size_t ParseSequence(unsigned& flags);
    size_t ParseQuantified(unsigned& flags);
    size_t ParseSingle(unsigned& flags);
    size_t ParseClass();
    void ParseClassRange(uint8_t from, bool (&members)[256]);
    void AddClassRange(uint8_t from, uint8_t to, bool (&members)[256]) const;
    size_t ParseGroup(unsigned& flags);
    size_t ParseEscape(unsigned& flags);
    size_t SkipExtendedBlank(uint8_t c);
    unsigned BuildQuantifier(uint8_t op, size_t ret, int32_t min, int32_t max, bool lazy,
                             bool simple);
    void InsertRepeat(uint8_t op, size_t at, int32_t min, int32_t max);
    size_t ParseLiteralRun(unsigned& flags);
    size_t EmitSet(const bool (&members)[256], bool negated);
    size_t EmitCharsClass(const std::string& chars, bool negated);
    size_t EmitOneChar(uint8_t c);
    uint8_t DecodeEscape(uint8_t c);
    bool ParseBraces(int32_t& min, int32_t& max);
    void BuildLoop(size_t item, int32_t min, int32_t max, bool lazy);
    void AddCaseCounterparts(bool (&members)[256]) const;

    void FindStartFacts(RegexProgram& program, unsigned flags);
    void FirstChars(const uint8_t* node, bool* set, int depth);
    void AddItemChars(uint8_t op, const uint8_t* opnd, bool* set) const;
    const uint8_t* RepeatFirstChars(const uint8_t* node, bool* set, int depth);

    const uint8_t* pat_;
    size_t len_;
    const CompileOptions& options_;
    size_t pos_ = 0;
    int groups_ = 1;
    unsigned mods_ = 0;
    bool measuring_ = true;
    size_t size_ = 0;
    bool hasLoops_ = false;
    std::vector<uint8_t> code_;
    const uint8_t* codeStart_ = nullptr;
    std::vector<bool> visited_; // nodes the first-character walk has been through
};

size_t Compiler::EmitNode(uint8_t op) {
    size_t at = size_;
    if (!measuring_) {
        code_.push_back(op);
        code_.insert(code_.end(), 4, 0);
    }
    size_ += kHeaderSize;
    return at;
}

void Compiler::EmitByte(uint8_t b) {
    if (!measuring_)
        code_.push_back(b);
    ++size_;
}

void Compiler::EmitInt(int32_t v) {
    if (!measuring_) {
        uint8_t buf[4];
        WriteInt(buf, v);
        code_.insert(code_.end(), buf, buf + 4);
    }
    size_ += 4;
}

// Puts a node of kind `op` (with `operandBytes` zero bytes of operands) in front of the operand
// that starts at `at`, moving the operand up.
void Compiler::InsertNode(uint8_t op, size_t at, int operandBytes) {
    size_t bytes = kHeaderSize + operandBytes;
    size_ += bytes;
    if (measuring_)
        return;
    code_.insert(code_.begin() + static_cast<std::ptrdiff_t>(at), bytes, 0);
    code_[at] = op;
}

// Links the last node of the chain that starts at `chain` to `target`.
void Compiler::Tail(size_t chain, size_t target) {
    if (measuring_)
        return;
    size_t scan = chain;
    for (;;) {
        int32_t off = ReadInt(&code_[scan + 1]);
        if (off == 0)
            break;
        scan = static_cast<size_t>(static_cast<std::ptrdiff_t>(scan) + off);
    }
    WriteInt(&code_[scan + 1], static_cast<int32_t>(static_cast<std::ptrdiff_t>(target) -
                                                    static_cast<std::ptrdiff_t>(scan)));
}

// Links the end of an alternative node's operand chain to `target`.
void Compiler::OperandTail(size_t node, size_t target) {
    if (measuring_ || code_[node] != opAlternative)
        return;
    Tail(node + kHeaderSize, target);
}

RegexProgram Compiler::Run() {
    mods_ = options_.modifiers;
    unsigned flags = 0;
    // Measuring pass.
    measuring_ = true;
    size_ = 0;
    pos_ = 0;
    groups_ = 1;
    EmitByte(kMagic);
    ParseReg(false, flags);
    size_t measured = size_;

    // Writing pass into a buffer of the measured size.
    mods_ = options_.modifiers;
    measuring_ = false;
    code_.clear();
    code_.reserve(measured);
    size_ = 0;
    pos_ = 0;
    groups_ = 1;
    hasLoops_ = false;
    EmitByte(kMagic);
    ParseReg(false, flags);
    if (code_.size() != measured)
        Fail(regexCompInternalUrp);

    RegexProgram program;
    program.code = std::move(code_);
    program.hasLoops = hasLoops_;
    FindStartFacts(program, flags);
    return program;
}

size_t Compiler::ParseReg(bool parenthesised, unsigned& flags) {
    flags = kHasWidth;
    const unsigned savedMods = mods_;
    int group = 0;
    size_t ret = kNone;
    if (parenthesised) {
        if (groups_ > kMaxGroups)
            Fail(regexCompTooManyGroups);
        group = groups_++;
        ret = EmitNode(OpenOf(group));
    }

    unsigned branchFlags = 0;
    size_t branch = ParseSequence(branchFlags);
    if (ret != kNone)
        Tail(ret, branch);
    else
        ret = branch;
    if (!(branchFlags & kHasWidth))
        flags &= ~kHasWidth;
    flags |= branchFlags & kStartsWithStar;

    // Each branch links to the one before it directly: walking the chain from its start every
    // time would make many alternatives cost the square of their number.
    size_t lastBranch = branch;
    while (Peek() == '|' && !AtEnd()) {
        ++pos_;
        branch = ParseSequence(branchFlags);
        Tail(lastBranch, branch);
        lastBranch = branch;
        if (!(branchFlags & kHasWidth))
            flags &= ~kHasWidth;
        flags |= branchFlags & kStartsWithStar;
    }

    size_t ender = EmitNode(parenthesised ? CloseOf(group) : static_cast<uint8_t>(opEnd));
    Tail(lastBranch, ender);
    if (!measuring_) {
        for (size_t br = ret; br != ender;) {
            OperandTail(br, ender);
            int32_t off = ReadInt(&code_[br + 1]);
            if (off == 0)
                break;
            br = static_cast<size_t>(static_cast<std::ptrdiff_t>(br) + off);
        }
    }

    if (parenthesised) {
        if (AtEnd() || Peek() != ')')
            Fail(regexCompUnmatchedOpen);
        ++pos_;
    } else if (!AtEnd()) {
        Fail(Peek() == ')' ? regexCompUnmatchedClose : regexCompJunkOnEnd);
    }
    mods_ = savedMods;
    return ret;
}

size_t Compiler::ParseSequence(unsigned& flags) {
    flags = 0;
    size_t ret = EmitNode(opAlternative);
    size_t chain = kNone;
    while (!AtEnd() && Peek() != '|' && Peek() != ')') {
        unsigned pieceFlags = 0;
        size_t latest = ParseQuantified(pieceFlags);
        flags |= pieceFlags & kHasWidth;
        if (chain == kNone)
            flags |= pieceFlags & kStartsWithStar;
        else
            Tail(chain, latest);
        chain = latest;
    }
    if (chain == kNone)
        EmitNode(opEmpty);
    return ret;
}

// Reads "{min}", "{min,}" or "{min,max}" at the parse position. False (nothing consumed) when the
// text there is not a well-formed brace quantifier.
bool Compiler::ParseBraces(int32_t& min, int32_t& max) {
    size_t p = pos_ + 1;
    size_t minStart = p;
    while (p < len_ && IsDigit(pat_[p]))
        ++p;
    size_t minDigits = p - minStart;
    if (minDigits == 0 || p >= len_)
        return false;
    size_t maxStart = p, maxDigits = 0;
    bool hasComma = false;
    if (pat_[p] == ',') {
        hasComma = true;
        maxStart = ++p;
        while (p < len_ && IsDigit(pat_[p]))
            ++p;
        maxDigits = p - maxStart;
        if (p >= len_)
            return false;
    }
    if (pat_[p] != '}')
        return false;
    pos_ = minStart;
    if (minDigits > 8)
        Fail(regexCompBracesTooBig);
    if (maxDigits > 8) {
        pos_ = maxStart;
        Fail(regexCompBracesTooBig);
    }
    min = 0;
    for (size_t i = 0; i < minDigits; ++i)
        min = min * 10 + (pat_[minStart + i] - '0');
    if (!hasComma) {
        max = min;
    } else if (maxDigits == 0) {
        max = kInfinite;
    } else {
        max = 0;
        for (size_t i = 0; i < maxDigits; ++i)
            max = max * 10 + (pat_[maxStart + i] - '0');
    }
    if (max < min) {
        pos_ = maxStart;
        Fail(regexCompBracesMinGreaterThanMax);
    }
    pos_ = p; // at the closing brace
    return true;
}

// A counted loop over a general item: opLoopEntry before the item, opLoop after it; the item's
// chain leads back to the loop node, which knows where the item starts.
void Compiler::BuildLoop(size_t item, int32_t min, int32_t max, bool lazy) {
    hasLoops_ = true;
    InsertNode(opLoopEntry, item, 0);
    size_t loop = EmitNode(lazy ? opLoopLazy : opLoop);
    EmitInt(min);
    EmitInt(max);
    EmitInt(0);
    if (measuring_)
        return;
    size_t body = item + kHeaderSize;
    WriteInt(&code_[loop + kHeaderSize + kLoopBodyAt],
             static_cast<int32_t>(static_cast<std::ptrdiff_t>(body) -
                                  static_cast<std::ptrdiff_t>(loop)));
    Tail(item, loop); // entry -> loop
    Tail(body, loop); // end of the body -> loop
}

// A counted repeat node of a one-character item, put in front of the item at `at`.
void Compiler::InsertRepeat(uint8_t op, size_t at, int32_t min, int32_t max) {
    InsertNode(op, at, kRepeatOperandBytes);
    if (!measuring_) {
        WriteInt(&code_[at + kHeaderSize + kCountMinAt], min);
        WriteInt(&code_[at + kHeaderSize + kCountMaxAt], max);
    }
}

size_t Compiler::ParseQuantified(unsigned& flags) {
    unsigned itemFlags = 0;
    size_t ret = ParseSingle(itemFlags);
    if (AtEnd() || !IsQuantifier(Peek())) {
        flags = itemFlags;
        return ret;
    }
    const uint8_t op = Peek();
    int32_t min = 0, max = 0;
    if (op == '{') {
        size_t bracePos = pos_;
        if (!ParseBraces(min, max)) {
            flags = itemFlags;
            return ret; // not a quantifier: the "{" is read later as a literal
        }
        if (!(itemFlags & kHasWidth)) {
            pos_ = bracePos;
            Fail(regexCompOperandCouldBeEmpty);
        }
    } else if (op != '?' && !(itemFlags & kHasWidth)) {
        Fail(regexCompOperandCouldBeEmpty);
    }
    ++pos_; // past the quantifier character or the closing brace
    bool lazy = false;
    if (Peek() == '?' && !AtEnd()) {
        lazy = true;
        ++pos_;
    }
    if (!(mods_ & TRegex::modG))
        lazy = true;
    flags = BuildQuantifier(op, ret, min, max, lazy, (itemFlags & kSimple) != 0);
    if (!AtEnd() && IsQuantifier(Peek()))
        Fail(regexCompNestedQuantifier);
    return ret;
}

// Wraps the item at `ret` in the nodes of quantifier `op` ("*", "+", "?" or "{" with its counts)
// and returns the flags of the quantified item.
unsigned Compiler::BuildQuantifier(uint8_t op, size_t ret, int32_t min, int32_t max, bool lazy,
                                   bool simple) {
    unsigned flags = 0;
    switch (op) {
    case '*':
        flags = kStartsWithStar;
        if (simple) {
            InsertNode(lazy ? opStarLazy : opStar, ret, 0);
        } else if (lazy) {
            BuildLoop(ret, 0, kInfinite, true);
        } else {
            // (item back | empty): the item repeats through the back link or leaves through
            // the empty branch.
            InsertNode(opAlternative, ret, 0);
            OperandTail(ret, EmitNode(opBack));
            OperandTail(ret, ret);
            Tail(ret, EmitNode(opAlternative));
            Tail(ret, EmitNode(opEmpty));
        }
        break;
    case '+':
        flags = kStartsWithStar | kHasWidth;
        if (simple) {
            InsertNode(lazy ? opPlusLazy : opPlus, ret, 0);
        } else if (lazy) {
            BuildLoop(ret, 1, kInfinite, true);
        } else {
            // item (back | empty)
            size_t alt = EmitNode(opAlternative);
            Tail(ret, alt);
            Tail(EmitNode(opBack), ret);
            Tail(alt, EmitNode(opAlternative));
            Tail(ret, EmitNode(opEmpty));
        }
        break;
    case '?':
        flags = 0;
        if (lazy) {
            if (simple)
                InsertRepeat(opRepeatLazy, ret, 0, 1);
            else
                BuildLoop(ret, 0, 1, true);
        } else {
            // (item | empty)
            InsertNode(opAlternative, ret, 0);
            Tail(ret, EmitNode(opAlternative));
            size_t empty = EmitNode(opEmpty);
            Tail(ret, empty);
            OperandTail(ret, empty);
        }
        break;
    default: // '{'
        // A repeat that may run zero times gives no width: "(x{0,2})*" would otherwise loop on
        // empty iterations for ever.
        flags = 0;
        if (max > 0)
            flags |= kStartsWithStar;
        if (min > 0)
            flags |= kHasWidth;
        if (simple)
            InsertRepeat(lazy ? opRepeatLazy : opRepeat, ret, min, max);
        else
            BuildLoop(ret, min, max, lazy);
        break;
    }
    return flags;
}

uint8_t Compiler::DecodeEscape(uint8_t c) {
    switch (c) {
    case 'a':
        return 7;
    case 'e':
        return 27;
    case 'f':
        return 12;
    case 'n':
        return 10;
    case 'r':
        return 13;
    case 't':
        return 9;
    case 'x': {
        if (AtEnd())
            Fail(regexCompNoHexCode);
        if (Peek() == '{') {
            ++pos_;
            int value = 0;
            int digits = 0;
            for (;;) {
                if (AtEnd())
                    Fail(regexCompNoHexCode);
                uint8_t d = pat_[pos_];
                if (d == '}')
                    break;
                int h = HexValue(d);
                if (h < 0)
                    Fail(regexCompBadHexDigit);
                if (value >= 16)
                    Fail(regexCompHexCodeTooBig);
                value = value * 16 + h;
                ++digits;
                ++pos_;
            }
            if (digits == 0)
                Fail(regexCompNoHexCode);
            ++pos_; // past "}"
            return static_cast<uint8_t>(value);
        }
        int value = 0;
        for (int i = 0; i < 2; ++i) {
            if (AtEnd())
                Fail(regexCompNoHexCode);
            int h = HexValue(pat_[pos_]);
            if (h < 0)
                Fail(regexCompBadHexDigit);
            value = value * 16 + h;
            ++pos_;
        }
        return static_cast<uint8_t>(value);
    }
    default:
        return c;
    }
}

void Compiler::AddCaseCounterparts(bool (&members)[256]) const {
    bool extra[256] = {};
    for (int c = 0; c < 256; ++c)
        if (members[c])
            extra[options_.caseTable[c]] = true;
    for (int c = 0; c < 256; ++c)
        members[c] = members[c] || extra[c];
}

size_t Compiler::EmitSet(const bool (&members)[256], bool negated) {
    uint8_t tiny[3];
    int count = 0;
    for (int c = 0; c < 256; ++c) {
        if (members[c]) {
            if (count < 3)
                tiny[count] = static_cast<uint8_t>(c);
            ++count;
        }
    }
    if (count >= 1 && count <= 3) {
        size_t ret = EmitNode(negated ? opNotSetTiny : opSetTiny);
        for (int i = 0; i < 3; ++i)
            EmitByte(tiny[std::min(i, count - 1)]);
        return ret;
    }
    size_t ret = EmitNode(opSetFull);
    for (int byte = 0; byte < 32; ++byte) {
        uint8_t bits = 0;
        for (int bit = 0; bit < 8; ++bit)
            if (members[byte * 8 + bit] != negated)
                bits |= static_cast<uint8_t>(1u << bit);
        EmitByte(bits);
    }
    return ret;
}

size_t Compiler::EmitCharsClass(const std::string& chars, bool negated) {
    bool members[256] = {};
    for (unsigned char c : chars)
        members[c] = true;
    return EmitSet(members, negated);
}

// One character as a literal. The zero byte ends a literal in the program, so it becomes a set of
// that one byte: in the input it is a character like any other.
size_t Compiler::EmitOneChar(uint8_t c) {
    if (c == 0) {
        size_t ret = EmitNode(opSetTiny);
        EmitByte(0);
        EmitByte(0);
        EmitByte(0);
        return ret;
    }
    size_t ret = EmitNode((mods_ & TRegex::modI) ? opLiteralNoCase : opLiteral);
    EmitByte(c);
    EmitByte(0);
    return ret;
}

size_t Compiler::ParseClass() {
    bool negated = false;
    if (!AtEnd() && Peek() == '^') {
        negated = true;
        ++pos_;
    }
    bool members[256] = {};
    if (!AtEnd() && Peek() == ']') {
        members[static_cast<uint8_t>(']')] = true;
        ++pos_;
    }
    auto addChars = [&members](const std::string& chars) {
        for (unsigned char c : chars)
            members[c] = true;
    };
    for (;;) {
        if (AtEnd())
            Fail(regexCompUnmatchedBracket);
        uint8_t c = pat_[pos_];
        if (c == ']') {
            ++pos_;
            break;
        }
        uint8_t from;
        if (c == '\\') {
            ++pos_;
            if (AtEnd())
                Fail(regexCompClassTrailingBackslash);
            uint8_t e = pat_[pos_++];
            if (e == 'd') {
                addChars("0123456789");
                continue;
            }
            if (e == 's') {
                addChars(options_.spaceChars);
                continue;
            }
            if (e == 'w') {
                addChars(options_.wordChars);
                continue;
            }
            from = DecodeEscape(e);
        } else {
            from = c;
            ++pos_;
        }
        ParseClassRange(from, members);
    }
    if (mods_ & TRegex::modI)
        AddCaseCounterparts(members);
    return EmitSet(members, negated);
}

// After a class member `from`: a range "x-y" when "-" follows that is not followed by "]" or the
// end of the pattern, else the member alone.
void Compiler::ParseClassRange(uint8_t from, bool (&members)[256]) {
    if (!(pos_ + 1 < len_ && pat_[pos_] == '-' && pat_[pos_ + 1] != ']')) {
        members[from] = true;
        return;
    }
    uint8_t to;
    if (pat_[pos_ + 1] == '\\') {
        if (pos_ + 2 < len_ &&
            std::string("dDsSwW").find(static_cast<char>(pat_[pos_ + 2])) != std::string::npos) {
            // "x-\d": the "-" is a member and the escape is the next item.
            members[from] = true;
            members[static_cast<uint8_t>('-')] = true;
            ++pos_;
            return;
        }
        pos_ += 2;
        if (AtEnd())
            Fail(regexCompClassTrailingBackslash);
        to = DecodeEscape(pat_[pos_++]);
    } else {
        to = pat_[pos_ + 1];
        pos_ += 2;
    }
    AddClassRange(from, to, members);
}

// The members of range "from-to". With the Russian modifier the ranges of the alphabet take in
// the letter yo, which stands apart in the code page.
void Compiler::AddClassRange(uint8_t from, uint8_t to, bool (&members)[256]) const {
    auto addSpan = [&members](int first, int last) {
        for (int x = first; x <= last; ++x)
            members[x] = true;
    };
    const bool russian = (mods_ & TRegex::modR) != 0;
    if (russian && from == kRuLowerA && to == kRuLowerYa) {
        addSpan(kRuLowerA, kRuLowerYa);
        members[kRuLowerYo] = true;
    } else if (russian && from == kRuUpperA && to == kRuUpperYa) {
        addSpan(kRuUpperA, kRuUpperYa);
        members[kRuUpperYo] = true;
    } else if (russian && from == kRuLowerA && to == kRuUpperYa) {
        addSpan(kRuUpperA, kRuLowerYa);
        members[kRuLowerYo] = true;
        members[kRuUpperYo] = true;
    } else {
        if (to < from)
            Fail(regexCompInvalidRange);
        addSpan(from, to);
    }
}

size_t Compiler::ParseLiteralRun(unsigned& flags) {
    const bool extended = (mods_ & TRegex::modX) != 0;
    const size_t start = pos_ - 1; // the run's first character is already read
    auto stops = [extended](uint8_t c) { return c == 0 || IsMeta(c) || (extended && c == '#'); };
    size_t end = start + 1;
    while (end < len_ && pat_[start] != 0 && !stops(pat_[end]))
        ++end;
    size_t runLength = end - start;
    if (runLength > 1 && end < len_ && IsQuantifier(pat_[end]))
        --runLength; // the quantifier applies to the last character alone
    pos_ = start + runLength;
    flags = kHasWidth | (runLength == 1 ? unsigned{kSimple} : 0u);

    if (runLength == 1)
        return EmitOneChar(pat_[start]);
    size_t ret = EmitNode((mods_ & TRegex::modI) ? opLiteralNoCase : opLiteral);
    for (size_t i = start; i < start + runLength; ++i)
        if (!(extended && IsBlank(pat_[i])))
            EmitByte(pat_[i]);
    EmitByte(0);
    return ret;
}

size_t Compiler::ParseSingle(unsigned& flags) {
    flags = 0;
    if (AtEnd())
        Fail(regexCompInternalUrp);
    const uint8_t c = pat_[pos_++];
    const bool multiLine = (mods_ & TRegex::modM) && options_.lineSeparatorsExist;
    switch (c) {
    case '^':
        return EmitNode(multiLine ? opLineStartMulti : opLineStart);
    case '$':
        return EmitNode(multiLine ? opLineEndMulti : opLineEnd);
    case '.':
        if (mods_ & TRegex::modS) {
            flags = kHasWidth | kSimple;
            return EmitNode(opAnyChar);
        }
        flags = kHasWidth;
        return EmitNode(opAnyCharMulti);
    case '[':
        flags = kHasWidth | kSimple;
        return ParseClass();
    case '(':
        return ParseGroup(flags);
    case ')':
    case '|':
        Fail(regexCompInternalUrp);
    case '*':
    case '+':
    case '?':
        Fail(regexCompQuantifierFollowsNothing);
    case '\\':
        return ParseEscape(flags);
    default:
        if ((mods_ & TRegex::modX) && (IsBlank(c) || c == '#'))
            return SkipExtendedBlank(c);
        return ParseLiteralRun(flags);
    }
}

// After "(": a comment "(?#...)", modifiers "(?ims-x)" or a group.
size_t Compiler::ParseGroup(unsigned& flags) {
    if (!AtEnd() && Peek() == '?') {
        if (pos_ + 1 < len_ && pat_[pos_ + 1] == '#') {
            while (!AtEnd() && Peek() != ')')
                ++pos_;
            if (AtEnd())
                Fail(regexCompUnclosedComment);
            ++pos_;
            return EmitNode(opComment);
        }
        size_t close = pos_ + 1;
        while (close < len_ && pat_[close] != ')')
            ++close;
        if (close >= len_)
            Fail(regexCompBadModifier);
        std::string letters(reinterpret_cast<const char*>(pat_) + pos_ + 1, close - pos_ - 1);
        pos_ = close + 1;
        if (!TRegex::ParseModifiers(letters, mods_))
            Fail(regexCompBadModifier);
        return EmitNode(opComment);
    }
    unsigned groupFlags = 0;
    size_t ret = ParseReg(true, groupFlags);
    flags = groupFlags & (kHasWidth | kStartsWithStar);
    return ret;
}

// In extended mode blanks and "#" comments to the end of the line are not part of the pattern.
size_t Compiler::SkipExtendedBlank(uint8_t c) {
    if (IsBlank(c)) {
        while (!AtEnd() && IsBlank(Peek()))
            ++pos_;
        return EmitNode(opComment);
    }
    while (!AtEnd() && Peek() != '\r' && Peek() != '\n')
        ++pos_;
    while (!AtEnd() && (Peek() == '\r' || Peek() == '\n'))
        ++pos_;
    return EmitNode(opComment);
}

// After "\\": a back-reference, an assertion, a class or an escaped character.
size_t Compiler::ParseEscape(unsigned& flags) {
    if (AtEnd())
        Fail(regexCompTrailingBackslash);
    const uint8_t e = pat_[pos_++];
    if (e >= '1' && e <= '9') {
        flags = kHasWidth | kSimple;
        size_t ret = EmitNode((mods_ & TRegex::modI) ? opBackRefNoCase : opBackRef);
        EmitByte(static_cast<uint8_t>(e - '0'));
        return ret;
    }
    switch (e) {
    case 'A':
        return EmitNode(opLineStart);
    case 'Z':
        return EmitNode(opLineEnd);
    case 'b':
        return EmitNode(opWordBoundary);
    case 'B':
        return EmitNode(opNotWordBoundary);
    case 'd':
        flags = kHasWidth | kSimple;
        return EmitNode(opDigit);
    case 'D':
        flags = kHasWidth | kSimple;
        return EmitNode(opNonDigit);
    case 's':
    case 'S':
        flags = kHasWidth | kSimple;
        return EmitCharsClass(options_.spaceChars, e == 'S');
    case 'w':
    case 'W':
        flags = kHasWidth | kSimple;
        return EmitCharsClass(options_.wordChars, e == 'W');
    default:
        flags = kHasWidth | kSimple;
        return EmitOneChar(DecodeEscape(e));
    }
}

void Compiler::FindStartFacts(RegexProgram& program, unsigned flags) {
    const uint8_t* first = program.FirstNode();
    const uint8_t* next = NextNode(first);
    if (next && *next == opEnd) { // a single top-level alternative
        const uint8_t* node = Operand(first);
        program.entry = static_cast<int>(node - program.code.data());
        if (*node == opLiteral)
            program.startChar = node[kHeaderSize];
        else if (*node == opLineStart)
            program.anchored = true;
        if (flags & kStartsWithStar) {
            size_t longest = 0;
            for (const uint8_t* scan = node; scan && *scan != opEnd; scan = NextNode(scan)) {
                if (*scan != opLiteral)
                    continue;
                size_t length = std::strlen(reinterpret_cast<const char*>(scan + kHeaderSize));
                if (length >= longest) {
                    longest = length;
                    program.requiredLiteral = static_cast<int>(scan - program.code.data());
                    program.requiredLength = static_cast<int>(length);
                }
            }
        }
    }
    codeStart_ = program.code.data();
    visited_.assign(program.code.size(), false);
    FirstChars(first, program.firstChars, 0);
    program.firstCount = static_cast<int>(
        std::count(std::begin(program.firstChars), std::end(program.firstChars), true));
}

// Adds the first characters of a repeat's item to `set`; returns the node after the repeat when
// the item may be left out, else none.
const uint8_t* Compiler::RepeatFirstChars(const uint8_t* node, bool* set, int depth) {
    const uint8_t op = *node;
    const bool loop = op == opLoop || op == opLoopLazy;
    const bool counted = loop || op == opRepeat || op == opRepeatLazy;
    FirstChars(loop ? LoopBody(node) : counted ? RepeatItem(node) : Operand(node), set, depth + 1);
    const bool optional = counted ? CountMin(node) == 0 : op == opStar || op == opStarLazy;
    return optional ? NextNode(node) : nullptr;
}

// Adds to `set` every character the literal or character class node `op` can begin with.
void Compiler::AddItemChars(uint8_t op, const uint8_t* opnd, bool* set) const {
    switch (op) {
    case opLiteral:
        set[opnd[0]] = true;
        break;
    case opLiteralNoCase:
        set[opnd[0]] = true;
        set[options_.caseTable[opnd[0]]] = true;
        break;
    case opSetTiny:
        set[opnd[0]] = set[opnd[1]] = set[opnd[2]] = true;
        break;
    default:
        for (int c = 0; c < 256; ++c) {
            const uint8_t ch = static_cast<uint8_t>(c);
            const bool member = op == opDigit      ? IsDigit(ch)
                                : op == opNonDigit ? !IsDigit(ch)
                                : op == opSetFull  ? ((opnd[c >> 3] >> (c & 7)) & 1) != 0
                                                   : c != opnd[0] && c != opnd[1] && c != opnd[2];
            set[c] = set[c] || member;
        }
        break;
    }
}

// Adds to `set` every character a match of the chain from `node` can begin with. The walk from a
// node always adds the same characters, so a node already walked through is not walked again:
// this keeps the walk linear and ends it where a loop's body leads back to the loop.
void Compiler::FirstChars(const uint8_t* node, bool* set, int depth) {
    auto all = [set] { std::fill(set, set + 256, true); };
    if (depth > 1000) { // a pathological nesting: give up on narrowing the start
        all();
        return;
    }
    while (node) {
        const size_t at = static_cast<size_t>(node - codeStart_);
        if (visited_[at])
            return;
        visited_[at] = true;
        const uint8_t op = *node;
        const uint8_t* opnd = Operand(node);
        switch (op) {
        case opEnd:
        case opAnyChar:
        case opAnyCharMulti:
        case opBackRef:
        case opBackRefNoCase:
            all();
            return;
        case opLineEnd:
        case opLineEndMulti:
            set[0] = true;
            if (options_.modifiers & TRegex::modM)
                for (unsigned char c : options_.lineBreakChars)
                    set[c] = true;
            return;
        case opLiteral:
        case opLiteralNoCase:
        case opDigit:
        case opNonDigit:
        case opSetTiny:
        case opNotSetTiny:
        case opSetFull:
            AddItemChars(op, opnd, set);
            return;
        case opAlternative: {
            const uint8_t* next = NextNode(node);
            if (next && *next == opAlternative) {
                for (const uint8_t* alt = node; alt && *alt == opAlternative; alt = NextNode(alt))
                    FirstChars(Operand(alt), set, depth + 1);
                return;
            }
            node = opnd;
            continue;
        }
        case opStar:
        case opStarLazy:
        case opPlus:
        case opPlusLazy:
        case opRepeat:
        case opRepeatLazy:
        case opLoop:
        case opLoopLazy:
            node = RepeatFirstChars(node, set, depth); // none when the item must match first
            continue;
        case opLineStart:
        case opLineStartMulti:
        case opBack:
        case opEmpty:
        case opComment:
        case opWordBoundary:
        case opNotWordBoundary:
        case opLoopEntry:
            node = NextNode(node);
            continue;
        default:
            if (IsOpen(op) || IsClose(op)) {
                node = NextNode(node);
                continue;
            }
            throw CompileError{regexExecMemoryCorruption, 0};
        }
    }
}

} // namespace

RegexProgram Compile(const std::string& pattern, const CompileOptions& options) {
    Compiler compiler(pattern, options);
    return compiler.Run();
}

} // namespace regex_program
