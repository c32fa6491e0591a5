#include "platform/classes/ObjectText.h"

#include "platform/classes/Writer.h"
#include "platform/rtl/CodePage.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// --- binary to text ------------------------------------------------------------------------------

constexpr size_t StringSegment = 64;
constexpr int BytesPerLine = 32;

std::string FloatToText(double value) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".eE") == std::string::npos)
        text += ".0";
    return text;
}

// The names the text form can hold: ASCII letters, digits and "_", not starting with a digit.
bool IsTextName(std::string_view name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9'))
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_';
    });
}

// Names joined by dots ("Font.Style").
bool IsTextPath(std::string_view path) {
    for (;;) {
        size_t dot = path.find('.');
        if (!IsTextName(path.substr(0, dot)))
            return false;
        if (dot == std::string_view::npos)
            return true;
        path.remove_prefix(dot + 1);
    }
}

// INF and NAN, bare or with a float suffix, are numbers where a value stands.
bool IsNumberWord(std::string_view word, char* suffix = nullptr) {
    if (word.size() != 3 && word.size() != 4)
        return false;
    if (!SameIdent(word.substr(0, 3), "INF") && !SameIdent(word.substr(0, 3), "NAN"))
        return false;
    char s = word.size() == 4 ? static_cast<char>(word[3] | 0x20) : 0;
    if (s != 0 && s != 's' && s != 'c' && s != 'd')
        return false;
    if (suffix != nullptr)
        *suffix = s;
    return true;
}

bool IsControl(char32_t c) {
    return c < 32 || c == 127 || (c >= 0x80 && c < 0xA0);
}

// 'text'#13#10'more', cut into segments joined by "+" and a new line.
std::string QuoteString(const std::string& text, const std::string& indent) {
    if (text.empty())
        return "''";
    std::string out;
    size_t segment = 0;
    bool quoted = false;
    size_t i = 0;
    while (i < text.size()) {
        if (segment >= StringSegment) {
            if (quoted)
                out += '\'';
            quoted = false;
            out += " +\r\n" + indent;
            segment = 0;
        }
        size_t start = i;
        char32_t c = Utf8Next(text, i);
        if (IsControl(c) || (c == 0xFFFD && text.compare(start, 3, "\xEF\xBF\xBD") != 0)) {
            if (quoted)
                out += '\'';
            quoted = false;
            char32_t code = c == 0xFFFD ? static_cast<unsigned char>(text[start]) : c;
            out += '#' + std::to_string(code);
        } else {
            if (!quoted)
                out += '\'';
            quoted = true;
            if (c == '\'')
                out += "''";
            else
                out.append(text, start, i - start);
        }
        ++segment;
    }
    if (quoted)
        out += '\'';
    return out;
}

class BinaryToText {
public:
    BinaryToText(TReader& reader, TStream& output) : reader_(reader), output_(output) {}

    void Object(int level) {
        TReader::DepthGuard guard(reader_);
        std::string indent(static_cast<size_t>(level) * 2, ' ');
        uint8_t flags;
        int childPos;
        reader_.ReadPrefix(flags, childPos);
        std::string className = reader_.ReadStr();
        std::string name = reader_.ReadStr();
        if (!IsTextName(className) || (!name.empty() && !IsTextName(name)))
            reader_.Error("Invalid stream format");
        const char* keyword = (flags & ffInherited) ? "inherited"
                              : (flags & ffInline)  ? "inline"
                                                    : "object";
        std::string line = indent + keyword + " ";
        if (!name.empty())
            line += name + ": ";
        line += className;
        if (flags & ffChildPos)
            line += " [" + std::to_string(childPos) + "]";
        Line(line);
        while (!reader_.EndOfList())
            Property(level + 1);
        reader_.ReadListEnd();
        while (!reader_.EndOfList())
            Object(level + 1);
        reader_.ReadListEnd();
        Line(indent + "end");
    }

private:
    void Put(std::string_view text) { output_.WriteBytes(text); }
    void Line(std::string_view text) {
        Put(text);
        Put("\r\n");
    }

    void Property(int level) {
        std::string indent(static_cast<size_t>(level) * 2, ' ');
        std::string name = reader_.ReadStr();
        if (!IsTextPath(name))
            reader_.Error("Invalid stream format");
        Put(indent + name + " = ");
        Value(level);
        Put("\r\n");
    }

    void Value(int level) {
        const std::string indent(static_cast<size_t>(level) * 2, ' ');
        switch (reader_.NextValue()) {
        case vaList:
            return List(level, indent);
        case vaInt8:
        case vaInt16:
        case vaInt32:
        case vaInt64:
            return Put(std::to_string(reader_.ReadInt64()));
        case vaExtended:
        case vaDouble:
            return Put(FloatToText(reader_.ReadFloat()));
        case vaSingle:
            return Put(FloatToText(reader_.ReadSingle()) + "s");
        case vaCurrency:
            return Put(FloatToText(reader_.ReadCurrency()) + "c");
        case vaDate:
            return Put(FloatToText(reader_.ReadDate()) + "d");
        case vaString:
        case vaLString:
        case vaWString:
        case vaUTF8String:
            return Put(QuoteString(reader_.ReadString(), indent + "  "));
        case vaIdent:
        case vaFalse:
        case vaTrue:
        case vaNil:
        case vaNull:
            return Ident();
        case vaBinary:
            return Binary(indent);
        case vaSet:
            return Set();
        case vaCollection:
            return Collection(level, indent);
        }
        reader_.Error("Invalid stream format");
    }

    void List(int level, const std::string& indent) {
        TReader::DepthGuard guard(reader_);
        reader_.ReadValue();
        Put("(");
        while (!reader_.EndOfList()) {
            Put("\r\n" + indent + "  ");
            Value(level + 1);
        }
        reader_.ReadListEnd();
        Put(")");
    }

    void Ident() {
        std::string ident = reader_.ReadIdent();
        // A word that would read back as a number cannot be written as a name.
        if (!IsTextPath(ident) || IsNumberWord(ident.substr(0, ident.find('.'))))
            reader_.Error("Invalid property value");
        Put(ident);
    }

    void Binary(const std::string& indent) {
        std::string bytes = reader_.ReadBinary();
        static const char hex[] = "0123456789ABCDEF";
        std::string text = "{";
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (i % BytesPerLine == 0)
                text += "\r\n" + indent + "  ";
            unsigned char b = static_cast<unsigned char>(bytes[i]);
            text += hex[b >> 4];
            text += hex[b & 15];
        }
        Put(text + "}");
    }

    void Set() {
        std::string text = "[";
        bool first = true;
        for (const std::string& element : reader_.ReadSet()) {
            if (!IsTextName(element))
                reader_.Error("Invalid property value");
            if (!first)
                text += ", ";
            text += element;
            first = false;
        }
        Put(text + "]");
    }

    void Collection(int level, const std::string& indent) {
        TReader::DepthGuard guard(reader_);
        reader_.ReadValue();
        Put("<");
        while (!reader_.EndOfList()) {
            Put("\r\n" + indent + "  item");
            TValueType t = reader_.NextValue();
            if (t == vaInt8 || t == vaInt16 || t == vaInt32)
                Put(" [" + std::to_string(reader_.ReadInteger()) + "]");
            Put("\r\n");
            reader_.ReadListBegin();
            while (!reader_.EndOfList())
                Property(level + 2);
            reader_.ReadListEnd();
            Put(indent + "  end");
        }
        reader_.ReadListEnd();
        Put(">");
    }

    TReader& reader_;
    TStream& output_;
};

// --- text to binary ------------------------------------------------------------------------------

enum class Tok { End, Symbol, String, Integer, Float, Char };

class TextToBinary {
public:
    TextToBinary(std::string_view text, TWriter& writer, TLineMap* lines)
        : text_(text), writer_(writer), lines_(lines) {
        Next();
    }

    void Description() {
        writer_.WriteSignature();
        Object(0);
        if (token_ != Tok::End)
            Error("End of file expected");
    }

private:
    static constexpr int MaxDepth = TReader::MaxDepth;

    [[noreturn]] void Error(const std::string& cause) {
        throw EParserError(cause + " on line " + std::to_string(tokenLine_), -1, tokenLine_);
    }

    bool IsSymbol(std::string_view word) const {
        return token_ == Tok::Symbol && SameIdent(tokenText_, word);
    }
    bool IsChar(char c) const { return token_ == Tok::Char && tokenChar_ == c; }
    // A keyword that opens or closes an object; the same word followed by "=" or "." is the
    // start of a property ("End = 3", "Object.Caption = 'x'").
    bool AtKeyword(std::string_view word) const {
        if (!IsSymbol(word))
            return false;
        size_t p = pos_;
        while (p < text_.size() && (text_[p] == ' ' || text_[p] == '\t'))
            ++p;
        return p >= text_.size() || (text_[p] != '=' && text_[p] != '.');
    }
    bool AtObject() const {
        return AtKeyword("object") || AtKeyword("inherited") || AtKeyword("inline");
    }
    void ExpectChar(char c) {
        if (!IsChar(c))
            Error(std::string("'") + c + "' expected");
        Next();
    }
    std::string ExpectSymbol() {
        if (token_ != Tok::Symbol)
            Error("Identifier expected");
        std::string s = tokenText_;
        Next();
        return s;
    }

    void Object(int depth) {
        if (depth > MaxDepth)
            Error("Nesting too deep");
        if (lines_ != nullptr)
            lines_->Add(writer_.Position(), tokenLine_);
        uint8_t flags = 0;
        if (IsSymbol("inherited"))
            flags = ffInherited;
        else if (IsSymbol("inline"))
            flags = ffInline;
        else if (!IsSymbol("object"))
            Error("'object' expected");
        Next();
        std::string name;
        std::string className = ExpectSymbol();
        if (IsChar(':')) {
            Next();
            name = className;
            className = ExpectSymbol();
        }
        int childPos = 0;
        if (IsChar('[')) {
            Next();
            childPos = static_cast<int>(ExpectInteger());
            ExpectChar(']');
            flags |= ffChildPos;
        }
        writer_.WritePrefix(flags, childPos);
        writer_.WriteStr(className);
        writer_.WriteStr(name);
        while (!AtKeyword("end") && !AtObject()) {
            if (token_ == Tok::End)
                Error("'end' expected");
            Property(depth);
        }
        writer_.WriteListEnd();
        while (!AtKeyword("end")) {
            if (token_ == Tok::End)
                Error("'end' expected");
            Object(depth + 1);
        }
        writer_.WriteListEnd();
        Next();
    }

    void Property(int depth) {
        if (lines_ != nullptr)
            lines_->Add(writer_.Position(), tokenLine_);
        std::string name = ExpectSymbol();
        while (IsChar('.')) {
            Next();
            name += "." + ExpectSymbol();
        }
        writer_.WriteStr(name);
        ExpectChar('=');
        Value(depth);
    }

    int64_t ExpectInteger() {
        bool negative = false;
        if (IsChar('-')) {
            negative = true;
            Next();
        }
        if (token_ != Tok::Integer)
            Error("Integer expected");
        int64_t value = Signed(negative);
        Next();
        return value;
    }

    // The integer token with its sign: decimal ones from -2^63 to 2^63 - 1; hexadecimal ones
    // are the 64-bit pattern.
    int64_t Signed(bool negative) {
        constexpr uint64_t Max = std::numeric_limits<int64_t>::max();
        if (!integerHex_ && integer_ > (negative ? Max + 1 : Max))
            Error("Invalid integer");
        return static_cast<int64_t>(negative ? 0 - integer_ : integer_);
    }

    bool AtNumber() const {
        return token_ == Tok::Integer || token_ == Tok::Float ||
               (token_ == Tok::Symbol && IsNumberWord(tokenText_));
    }

    void Number(bool negative) {
        if (token_ == Tok::Integer) {
            writer_.WriteInteger(Signed(negative));
            return;
        }
        if (token_ == Tok::Symbol && IsNumberWord(tokenText_, &floatSuffix_)) {
            float_ = SameIdent(tokenText_.substr(0, 3), "INF")
                         ? std::numeric_limits<double>::infinity()
                         : std::numeric_limits<double>::quiet_NaN();
        } else if (token_ != Tok::Float) {
            Error("Number expected");
        }
        double v = negative ? -float_ : float_;
        switch (floatSuffix_) {
        case 's':
            writer_.WriteSingle(static_cast<float>(v));
            break;
        case 'c':
            writer_.WriteCurrency(v);
            break;
        case 'd':
            writer_.WriteDate(v);
            break;
        default:
            writer_.WriteFloat(v);
        }
    }

    void Value(int depth) {
        if (depth > MaxDepth)
            Error("Nesting too deep");
        if (IsChar('-') || AtNumber()) {
            bool negative = IsChar('-');
            if (negative)
                Next();
            Number(negative);
            Next();
            return;
        }
        if (token_ == Tok::String)
            return StringValue();
        if (token_ == Tok::Symbol)
            return IdentValue();
        if (IsChar('['))
            return SetValue();
        if (IsChar('('))
            return ListValue(depth);
        if (IsChar('<'))
            return CollectionValue(depth);
        if (IsChar('{')) {
            writer_.WriteBinary(BinaryBlock());
            Next();
            return;
        }
        Error("Invalid property value");
    }

    // 'text' + 'more text' + ...
    void StringValue() {
        std::string s = tokenText_;
        Next();
        while (IsChar('+')) {
            Next();
            if (token_ != Tok::String)
                Error("String expected");
            s += tokenText_;
            Next();
        }
        writer_.WriteString(s);
    }

    // A name, dotted names joined.
    void IdentValue() {
        std::string ident = tokenText_;
        Next();
        while (IsChar('.')) {
            Next();
            ident += "." + ExpectSymbol();
        }
        writer_.WriteIdent(ident);
    }

    // [name, name, ...]
    void SetValue() {
        Next();
        std::vector<std::string> names;
        if (!IsChar(']')) {
            for (;;) {
                names.push_back(ExpectSymbol());
                if (IsChar(']'))
                    break;
                ExpectChar(',');
            }
        }
        Next();
        writer_.WriteSetNames(names);
    }

    // (value value ...)
    void ListValue(int depth) {
        Next();
        writer_.WriteListBegin();
        while (!IsChar(')')) {
            if (token_ == Tok::End)
                Error("')' expected");
            Value(depth + 1);
        }
        Next();
        writer_.WriteListEnd();
    }

    // <item [n] properties end ...>
    void CollectionValue(int depth) {
        Next();
        writer_.WriteValue(vaCollection);
        while (!IsChar('>')) {
            if (!IsSymbol("item"))
                Error("'item' expected");
            Next();
            if (IsChar('[')) {
                Next();
                writer_.WriteInteger(ExpectInteger());
                ExpectChar(']');
            }
            writer_.WriteListBegin();
            while (!AtKeyword("end")) {
                if (token_ == Tok::End)
                    Error("'end' expected");
                Property(depth + 1);
            }
            Next();
            writer_.WriteListEnd();
        }
        Next();
        writer_.WriteListEnd();
    }

    // The hex digits up to "}", read straight from the text (white space ignored).
    std::string BinaryBlock() {
        std::string bytes;
        int high = -1;
        for (;;) {
            if (pos_ >= text_.size())
                Error("'}' expected");
            char c = text_[pos_++];
            if (c == '}')
                break;
            if (c == '\n')
                ++line_;
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
                continue;
            int digit = HexDigit(c);
            if (digit < 0)
                Error("Invalid binary value");
            if (high < 0) {
                high = digit;
            } else {
                bytes += static_cast<char>(high * 16 + digit);
                high = -1;
            }
        }
        if (high >= 0)
            Error("Invalid binary value");
        return bytes;
    }

    static int HexDigit(char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    static bool IsAlpha(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    void Next() {
        SkipBlanks();
        tokenLine_ = line_;
        if (pos_ >= text_.size()) {
            token_ = Tok::End;
            return;
        }
        const char c = text_[pos_];
        if (IsAlpha(c))
            return Word();
        if (c == '\'' || c == '#')
            return String();
        if (c == '$')
            return HexInteger();
        if (IsDigit(c))
            return DecimalNumber();
        token_ = Tok::Char;
        tokenChar_ = c;
        ++pos_;
    }

    // Blanks and line ends, counting the lines.
    void SkipBlanks() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n')
                ++line_;
            else if (c != ' ' && c != '\t' && c != '\r' && c != '\f')
                break;
            ++pos_;
        }
    }

    void SkipDigits() {
        while (pos_ < text_.size() && IsDigit(text_[pos_]))
            ++pos_;
    }

    // A float suffix (s, c or d in either case) after a number, taken when it is there.
    char TakeFloatSuffix() {
        if (pos_ < text_.size()) {
            const char s = static_cast<char>(text_[pos_] | 0x20);
            if (s == 's' || s == 'c' || s == 'd') {
                ++pos_;
                return s;
            }
        }
        return 0;
    }

    void Word() {
        const size_t start = pos_;
        while (pos_ < text_.size() && (IsAlpha(text_[pos_]) || IsDigit(text_[pos_])))
            ++pos_;
        tokenText_.assign(text_.substr(start, pos_ - start));
        token_ = Tok::Symbol;
    }

    // $ and hexadecimal digits: the 64-bit pattern.
    void HexInteger() {
        const size_t start = ++pos_;
        while (pos_ < text_.size() && HexDigit(text_[pos_]) >= 0)
            ++pos_;
        uint64_t v = 0;
        auto r = std::from_chars(text_.data() + start, text_.data() + pos_, v, 16);
        if (start == pos_ || r.ec != std::errc())
            Error("Invalid integer");
        token_ = Tok::Integer;
        integer_ = v;
        integerHex_ = true;
    }

    // Digits, with a fraction or an exponent a float (too large ones are infinite), then an
    // optional float suffix; a whole number with a suffix ("5d") is a float too.
    void DecimalNumber() {
        const size_t start = pos_;
        SkipDigits();
        bool isFloat = false;
        if (pos_ + 1 < text_.size() && text_[pos_] == '.' && IsDigit(text_[pos_ + 1])) {
            isFloat = true;
            ++pos_;
            SkipDigits();
        }
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            size_t p = pos_ + 1;
            if (p < text_.size() && (text_[p] == '+' || text_[p] == '-'))
                ++p;
            if (p < text_.size() && IsDigit(text_[p])) {
                isFloat = true;
                pos_ = p;
                SkipDigits();
            }
        }
        const std::string_view number = text_.substr(start, pos_ - start);
        if (isFloat) {
            auto r = std::from_chars(number.data(), number.data() + number.size(), float_);
            if (r.ec == std::errc::result_out_of_range)
                float_ = std::numeric_limits<double>::infinity();
            else if (r.ec != std::errc())
                Error("Invalid float");
            token_ = Tok::Float;
            floatSuffix_ = TakeFloatSuffix();
            return;
        }
        uint64_t v = 0;
        auto r = std::from_chars(number.data(), number.data() + number.size(), v);
        if (r.ec != std::errc())
            Error("Invalid integer");
        integer_ = v; // its range is checked with its sign
        integerHex_ = false;
        token_ = Tok::Integer;
        if (const char suffix = TakeFloatSuffix()) {
            token_ = Tok::Float;
            float_ = static_cast<double>(v);
            floatSuffix_ = suffix;
        }
    }

    // A run of 'quoted' and #n pieces with nothing between them.
    void String() {
        std::string s;
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (c == '\'') {
                ++pos_;
                for (;;) {
                    if (pos_ >= text_.size() || text_[pos_] == '\r' || text_[pos_] == '\n')
                        Error("Unterminated string");
                    char q = text_[pos_++];
                    if (q == '\'') {
                        if (pos_ < text_.size() && text_[pos_] == '\'') {
                            s += '\'';
                            ++pos_;
                            continue;
                        }
                        break;
                    }
                    s += q;
                }
            } else if (c == '#') {
                ++pos_;
                int base = 10;
                if (pos_ < text_.size() && text_[pos_] == '$') {
                    base = 16;
                    ++pos_;
                }
                size_t start = pos_;
                while (pos_ < text_.size() &&
                       (base == 16 ? HexDigit(text_[pos_]) >= 0
                                   : (text_[pos_] >= '0' && text_[pos_] <= '9')))
                    ++pos_;
                uint32_t code = 0;
                auto r = std::from_chars(text_.data() + start, text_.data() + pos_, code, base);
                if (start == pos_ || r.ec != std::errc() || code > 0x10FFFF)
                    Error("Invalid character code");
                AppendUtf8(s, code);
            } else {
                break;
            }
        }
        token_ = Tok::String;
        tokenText_ = std::move(s);
    }

    std::string_view text_;
    TWriter& writer_;
    TLineMap* lines_;
    size_t pos_ = 0;
    int line_ = 1;
    int tokenLine_ = 1;
    Tok token_ = Tok::End;
    std::string tokenText_;
    char tokenChar_ = 0;
    uint64_t integer_ = 0; // the magnitude
    bool integerHex_ = false;
    double float_ = 0;
    char floatSuffix_ = 0;
};

} // namespace

void ObjectBinaryToText(TStream& input, TStream& output) {
    TReader reader(input);
    reader.ReadSignature();
    BinaryToText(reader, output).Object(0);
}

void ObjectTextToBinary(TStream& input, TStream& output, TLineMap* lines) {
    std::string text = input.ReadToEnd();
    TWriter writer(output);
    TextToBinary(text, writer, lines).Description();
}

std::string ObjectBinaryToText(std::string_view binary) {
    TStringStream input(binary);
    TStringStream output;
    ObjectBinaryToText(input, output);
    return output.DataString();
}

std::string ObjectTextToBinary(std::string_view text, TLineMap* lines) {
    TStringStream output;
    {
        TWriter writer(output);
        TextToBinary(text, writer, lines).Description();
    }
    return output.DataString();
}

bool IsBinaryDescription(std::string_view bytes) {
    return bytes.size() >= 4 && std::memcmp(bytes.data(), FilerSignature, 4) == 0;
}
