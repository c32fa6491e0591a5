#pragma once
// The compiled form of a pattern: the one format shared by the compiler and the matcher.
//
// Byte 0 is the magic value 0xD8; nodes follow from byte 1. A node is an opcode byte, a signed
// 32-bit little-endian offset from the node's own start to the next node (0 = no next node), and
// the operands of its kind. Nodes refer to each other only by relative offsets, so a block of
// nodes can be moved without fixing any link inside it.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace regex_program {

enum Opcode : uint8_t {
    opEnd = 0,
    opLineStart = 1,
    opLineEnd = 2,
    opAnyChar = 3,
    opAlternative = 6,
    opBack = 7,
    opLiteral = 8,
    opEmpty = 9,
    opStar = 10,
    opPlus = 11,
    opDigit = 12,
    opNonDigit = 13,
    opRepeat = 18,
    opComment = 19,
    opLiteralNoCase = 20,
    opLoopEntry = 23,
    opLoop = 24,
    opSetTiny = 25,
    opNotSetTiny = 26,
    opSetFull = 27,
    opBackRef = 28,
    opBackRefNoCase = 29,
    opStarLazy = 30,
    opPlusLazy = 31,
    opRepeatLazy = 32,
    opLoopLazy = 33,
    opLineStartMulti = 34,
    opLineEndMulti = 35,
    opAnyCharMulti = 36,
    opWordBoundary = 37,
    opNotWordBoundary = 38,
    opOpenFirst = 40, // opOpen n = 39 + n, n = 1..14
    opOpenLast = 53,
    opCloseFirst = 55, // opClose n = 54 + n
    opCloseLast = 68,
};

constexpr uint8_t kMagic = 0xD8;
constexpr int kHeaderSize = 5; // opcode + next offset
constexpr int kMaxGroups = 14; // parenthesised groups; group 0 is the whole match
constexpr int kMaxLoopDepth = 10;
constexpr int32_t kInfinite = 2147483646;

inline uint8_t OpenOf(int group) {
    return static_cast<uint8_t>(opOpenFirst - 1 + group);
}
inline uint8_t CloseOf(int group) {
    return static_cast<uint8_t>(opCloseFirst - 1 + group);
}
inline bool IsOpen(uint8_t op) {
    return op >= opOpenFirst && op <= opOpenLast;
}
inline bool IsClose(uint8_t op) {
    return op >= opCloseFirst && op <= opCloseLast;
}
// The group number of an opening or closing node.
inline int GroupOfOpen(uint8_t op) {
    return op - (opOpenFirst - 1);
}
inline int GroupOfClose(uint8_t op) {
    return op - (opCloseFirst - 1);
}

inline int32_t ReadInt(const uint8_t* p) {
    int32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline void WriteInt(uint8_t* p, int32_t v) {
    std::memcpy(p, &v, sizeof v);
}

// The node that follows `node`, or nullptr at the end of its chain.
inline const uint8_t* NextNode(const uint8_t* node) {
    int32_t off = ReadInt(node + 1);
    return off == 0 ? nullptr : node + off;
}
inline const uint8_t* Operand(const uint8_t* node) {
    return node + kHeaderSize;
}

// Operands of the counted nodes. opRepeat and opRepeatLazy: the minimum and maximum count, then
// the one-character item node. opLoop and opLoopLazy: the minimum, the maximum, and the offset
// from the loop node back to the start of its body.
constexpr int kCountMinAt = 0;
constexpr int kCountMaxAt = 4;
constexpr int kRepeatOperandBytes = 8;
constexpr int kLoopBodyAt = 8;
constexpr int kLoopOperandBytes = 12;

inline int32_t CountMin(const uint8_t* node) {
    return ReadInt(Operand(node) + kCountMinAt);
}
inline int32_t CountMax(const uint8_t* node) {
    return ReadInt(Operand(node) + kCountMaxAt);
}
inline const uint8_t* RepeatItem(const uint8_t* node) {
    return Operand(node) + kRepeatOperandBytes;
}
inline const uint8_t* LoopBody(const uint8_t* node) {
    return node + ReadInt(Operand(node) + kLoopBodyAt);
}

// Size of a node with its own operands (the operand node of a repeat is a node of its own).
// Returns 0 for an opcode the compiler never produces.
int NodeSize(const uint8_t* node);

// A compiled pattern with the facts that let a search skip hopeless start positions.
struct RegexProgram {
    std::vector<uint8_t> code;
    int startChar = -1;      // every match begins with this character, or -1
    bool anchored = false;   // a match can only start at the start of the input
    int requiredLiteral = 0; // offset of an opLiteral whose text every match holds, or 0
    int requiredLength = 0;
    bool firstChars[256] = {}; // characters a match can begin with (0 = end of input)
    int firstCount = 0;        // how many entries of firstChars are set
    bool hasLoops = false;     // the program holds counted loops of general items
    int entry = 1;             // where an attempt starts: past a lone top-level alternative

    const uint8_t* FirstNode() const { return code.data() + 1; }
    const uint8_t* Entry() const { return code.data() + entry; }
};

// A readable listing of the program, one node per line: "<offset> <NAME> <operands> -> <next>".
// Tests compare listings to check the compiler on its own.
std::string DumpProgram(const std::vector<uint8_t>& code);

} // namespace regex_program
