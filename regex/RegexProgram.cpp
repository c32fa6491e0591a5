#include "regex/RegexProgram.h"

#include <cstdio>

namespace regex_program {

int NodeSize(const uint8_t* node) {
    switch (node[0]) {
    case opLiteral:
    case opLiteralNoCase:
        return kHeaderSize +
               static_cast<int>(std::strlen(reinterpret_cast<const char*>(node + kHeaderSize))) + 1;
    case opRepeat:
    case opRepeatLazy:
        return kHeaderSize + kRepeatOperandBytes;
    case opLoop:
    case opLoopLazy:
        return kHeaderSize + kLoopOperandBytes;
    case opSetTiny:
    case opNotSetTiny:
        return kHeaderSize + 3;
    case opSetFull:
        return kHeaderSize + 32;
    case opBackRef:
    case opBackRefNoCase:
        return kHeaderSize + 1;
    case opEnd:
    case opLineStart:
    case opLineEnd:
    case opAnyChar:
    case opAlternative:
    case opBack:
    case opEmpty:
    case opStar:
    case opPlus:
    case opDigit:
    case opNonDigit:
    case opComment:
    case opLoopEntry:
    case opStarLazy:
    case opPlusLazy:
    case opLineStartMulti:
    case opLineEndMulti:
    case opAnyCharMulti:
    case opWordBoundary:
    case opNotWordBoundary:
        return kHeaderSize;
    default:
        if (IsOpen(node[0]) || IsClose(node[0]))
            return kHeaderSize;
        return 0;
    }
}

namespace {

const char* Name(uint8_t op) {
    switch (op) {
    case opEnd:
        return "END";
    case opLineStart:
        return "BOL";
    case opLineEnd:
        return "EOL";
    case opAnyChar:
        return "ANY";
    case opAlternative:
        return "ALT";
    case opBack:
        return "BACK";
    case opLiteral:
        return "LIT";
    case opEmpty:
        return "EMPTY";
    case opStar:
        return "STAR";
    case opPlus:
        return "PLUS";
    case opDigit:
        return "DIGIT";
    case opNonDigit:
        return "NONDIGIT";
    case opRepeat:
        return "REPEAT";
    case opComment:
        return "COMMENT";
    case opLiteralNoCase:
        return "LITNC";
    case opLoopEntry:
        return "LOOPENTRY";
    case opLoop:
        return "LOOP";
    case opSetTiny:
        return "SET";
    case opNotSetTiny:
        return "NOTSET";
    case opSetFull:
        return "SETFULL";
    case opBackRef:
        return "BACKREF";
    case opBackRefNoCase:
        return "BACKREFNC";
    case opStarLazy:
        return "STARLAZY";
    case opPlusLazy:
        return "PLUSLAZY";
    case opRepeatLazy:
        return "REPEATLAZY";
    case opLoopLazy:
        return "LOOPLAZY";
    case opLineStartMulti:
        return "BOLM";
    case opLineEndMulti:
        return "EOLM";
    case opAnyCharMulti:
        return "ANYM";
    case opWordBoundary:
        return "WORDB";
    case opNotWordBoundary:
        return "NOTWORDB";
    default:
        return "?";
    }
}

void AppendChar(std::string& out, uint8_t c) {
    if (c >= 0x21 && c < 0x7F && c != '\\' && c != '"' && c != '-') {
        out += static_cast<char>(c);
    } else {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\x%02X", c);
        out += buf;
    }
}

void AppendBitmap(std::string& out, const uint8_t* bits) {
    auto has = [bits](int c) { return (bits[c >> 3] >> (c & 7)) & 1; };
    out += '[';
    for (int c = 0; c < 256;) {
        if (!has(c)) {
            ++c;
            continue;
        }
        int last = c;
        while (last + 1 < 256 && has(last + 1))
            ++last;
        AppendChar(out, static_cast<uint8_t>(c));
        if (last > c) {
            out += '-';
            AppendChar(out, static_cast<uint8_t>(last));
        }
        c = last + 1;
    }
    out += ']';
}

} // namespace

std::string DumpProgram(const std::vector<uint8_t>& code) {
    std::string out;
    if (code.empty() || code[0] != kMagic)
        return "corrupted program\n";
    size_t pos = 1;
    while (pos + kHeaderSize <= code.size()) {
        const uint8_t* node = code.data() + pos;
        int size = NodeSize(node);
        if (size == 0 || pos + size > code.size()) {
            out += std::to_string(pos) + " corrupted opcode " + std::to_string(node[0]) + "\n";
            break;
        }
        uint8_t op = node[0];
        out += std::to_string(pos) + " ";
        if (IsOpen(op))
            out += "OPEN" + std::to_string(GroupOfOpen(op));
        else if (IsClose(op))
            out += "CLOSE" + std::to_string(GroupOfClose(op));
        else
            out += Name(op);
        const uint8_t* opnd = node + kHeaderSize;
        switch (op) {
        case opLiteral:
        case opLiteralNoCase:
            out += " \"";
            for (const uint8_t* p = opnd; *p; ++p)
                AppendChar(out, *p);
            out += "\"";
            break;
        case opRepeat:
        case opRepeatLazy:
        case opLoop:
        case opLoopLazy: {
            const int32_t max = CountMax(node);
            out += " {" + std::to_string(CountMin(node)) + "," +
                   (max == kInfinite ? std::string("inf") : std::to_string(max)) + "}";
            if (op == opLoop || op == opLoopLazy)
                out += " body " + std::to_string(LoopBody(node) - code.data());
            break;
        }
        case opSetTiny:
        case opNotSetTiny:
            out += " ";
            for (int i = 0; i < 3; ++i)
                AppendChar(out, opnd[i]);
            break;
        case opSetFull:
            out += " ";
            AppendBitmap(out, opnd);
            break;
        case opBackRef:
        case opBackRefNoCase:
            out += " " + std::to_string(opnd[0]);
            break;
        default:
            break;
        }
        int32_t next = ReadInt(node + 1);
        out +=
            " -> " + (next == 0 ? std::string("0") : std::to_string(static_cast<long>(pos) + next));
        out += "\n";
        pos += size;
    }
    return out;
}

} // namespace regex_program
