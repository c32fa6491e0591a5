#include "spreadsheet/formats/ExcelMask.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace {

bool IsDateKind(int kind) {
    return kind >= mekYear2 && kind <= mekAP;
}

bool IsPlaceholder(int kind) {
    return kind == mekOptDigit || kind == mekSpaceDigit || kind == mekZeroDigit;
}

// The length in bytes of the UTF-8 character that starts at `i`.
size_t CharLength(std::string_view s, size_t i) {
    size_t end = i;
    Utf8Next(s, end);
    return std::max<size_t>(end - i, 1);
}

size_t CharCount(std::string_view s) {
    size_t n = 0;
    for (size_t i = 0; i < s.size(); ++n)
        i += CharLength(s, i);
    return n;
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// Splits at ";" outside double quotes; at most four sections.
std::vector<std::string_view> SplitSections(std::string_view text) {
    std::vector<std::string_view> parts;
    bool quoted = false;
    size_t start = 0;
    for (size_t i = 0; i < text.size() && parts.size() < 4; ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (text[i] == ';' && !quoted) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (parts.size() < 4)
        parts.push_back(text.substr(start));
    return parts;
}

class TSectionParser {
public:
    TSectionParser(std::string_view text, TMaskSection& section) : s_(text), out_(section) {}
    void Run();

private:
    void Add(TMaskElementKind kind, std::string text = {}) {
        out_.Elements.push_back({kind, std::move(text)});
    }
    int LastDateKind() const;
    void SetLastDateKind(int kind);
    size_t RunLength(char letter) const;
    void DateRun(char letter);
    void Bracket();
    bool AmPm();
    void Placeholder(TMaskElementKind kind);
    void Literal();
    void Finish();

    std::string_view s_;
    TMaskSection& out_;
    size_t i_ = 0;
};

int TSectionParser::LastDateKind() const {
    for (auto it = out_.Elements.rbegin(); it != out_.Elements.rend(); ++it)
        if (IsDateKind(it->Kind))
            return it->Kind;
    return -1;
}

void TSectionParser::SetLastDateKind(int kind) {
    for (auto it = out_.Elements.rbegin(); it != out_.Elements.rend(); ++it)
        if (IsDateKind(it->Kind)) {
            it->Kind = static_cast<TMaskElementKind>(kind);
            return;
        }
}

size_t TSectionParser::RunLength(char letter) const {
    size_t n = 0;
    while (i_ + n < s_.size() && std::tolower(static_cast<unsigned char>(s_[i_ + n])) == letter)
        ++n;
    return n;
}

void TSectionParser::DateRun(char letter) {
    const size_t n = RunLength(letter);
    i_ += n;
    out_.Flags |= msfDateTime;
    const int last = LastDateKind();
    switch (letter) {
    case 'y':
        Add(n <= 2 ? mekYear2 : mekYear4);
        break;
    case 'm':
        if (last == mekHour || last == mekHour2)
            Add(n == 1 ? mekMinute : mekMinute2);
        else
            Add(static_cast<TMaskElementKind>(mekMonth + std::min<size_t>(n, 5) - 1));
        break;
    case 'd':
        Add(static_cast<TMaskElementKind>(mekDay + std::min<size_t>(n, 4) - 1));
        break;
    case 'h':
        Add(n == 1 ? mekHour : mekHour2);
        break;
    default: // 's'
        if (last == mekMonth || last == mekMonth2)
            SetLastDateKind(last == mekMonth ? mekMinute : mekMinute2);
        Add(n == 1 ? mekSecond : mekSecond2);
        break;
    }
}

void TSectionParser::Bracket() {
    const size_t close = s_.find(']', i_ + 1);
    const size_t end = close == std::string_view::npos ? s_.size() : close;
    const std::string_view raw = s_.substr(i_ + 1, end - i_ - 1);
    i_ = close == std::string_view::npos ? s_.size() : close + 1;
    const std::string tag = Upper(raw);
    if (!tag.empty() && tag[0] == '$') {
        const size_t dash = raw.find('-');
        Add(mekText, std::string(dash == std::string_view::npos ? raw : raw.substr(1, dash - 1)));
        return;
    }
    static const struct {
        const char* Name;
        uint32_t Color;
    } colors[] = {{"BLACK", 0},        {"CYAN", 0xFFFF00}, {"MAGENTA", 0x800080},
                  {"WHITE", 0xFFFFFF}, {"BLUE", 0xFF0000}, {"GREEN", 0x8000},
                  {"RED", 0xFF},       {"YELLOW", 0xFFFF}};
    if (tag == "H" || tag == "HH" || tag == "M" || tag == "MM" || tag == "S" || tag == "SS") {
        Add(tag[0] == 'H'   ? mekElapsedHours
            : tag[0] == 'M' ? mekElapsedMinutes
                            : mekElapsedSeconds);
        out_.Flags |= msfDateTime;
        return;
    }
    for (const auto& c : colors)
        if (tag == c.Name)
            out_.Color = c.Color;
}

bool TSectionParser::AmPm() {
    static const struct {
        std::string_view Text;
        TMaskElementKind Kind;
    } forms[] = {{"AM/PM", mekAMPM}, {"am/pm", mekAmPmLower}, {"a/p", mekAP}};
    for (const auto& f : forms) {
        if (s_.substr(i_, f.Text.size()) != f.Text)
            continue;
        for (auto it = out_.Elements.rbegin(); it != out_.Elements.rend(); ++it)
            if (it->Kind == mekHour || it->Kind == mekHour2) {
                it->Kind = it->Kind == mekHour ? mekHour12 : mekHour12Two;
                break;
            }
        Add(f.Kind);
        out_.Flags |= msfDateTime;
        i_ += f.Text.size();
        return true;
    }
    return false;
}

void TSectionParser::Placeholder(TMaskElementKind kind) {
    Add(kind);
    if (kind != mekSpaceDigit && (out_.Flags & msfPoint))
        ++out_.Decimals;
    out_.Scale = 0;
    ++i_;
}

void TSectionParser::Literal() {
    const size_t n = CharLength(s_, i_);
    Add(mekLiteral, std::string(s_.substr(i_, n)));
    i_ += n;
}

void TSectionParser::Run() {
    while (i_ < s_.size()) {
        const char c = s_[i_];
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (c == '"') {
            const size_t close = s_.find('"', i_ + 1);
            if (close == std::string_view::npos)
                break; // an unclosed quote adds nothing
            Add(mekText, std::string(s_.substr(i_ + 1, close - i_ - 1)));
            i_ = close + 1;
        } else if (c == '#' || c == '0' || c == '?') {
            Placeholder(c == '#' ? mekOptDigit : c == '0' ? mekZeroDigit : mekSpaceDigit);
        } else if (c == ',') {
            // In a date the comma is text ("mmmm d, yyyy"); in a number it only scales.
            if (out_.Flags & msfDateTime)
                Add(mekLiteral, ",");
            out_.Flags |= msfThousands;
            out_.Scale = std::min(out_.Scale + 1, 4);
            ++i_;
        } else if (c == '%') {
            Add(mekPercent);
            out_.Flags |= msfPercent;
            ++i_;
        } else if (c == '.') {
            out_.Flags |= msfPoint;
            out_.DecimalPos = static_cast<int>(out_.Elements.size());
            Add(mekPoint);
            ++i_;
        } else if (c == '@') {
            Add(mekText0, "@");
            out_.Flags = msfText;
            ++i_;
        } else if (lower == 'e' && i_ + 1 < s_.size() && (s_[i_ + 1] == '+' || s_[i_ + 1] == '-')) {
            Add(mekText0, std::string(s_.substr(i_, 2)));
            out_.Flags |= msfScientific;
            i_ += 2;
        } else if (lower == 'y' || lower == 'm' || lower == 'd' || lower == 'h' || lower == 's') {
            DateRun(lower);
        } else if (c == '[') {
            Bracket();
        } else if (c == '\\' || c == '*') {
            if (++i_ < s_.size())
                Literal();
        } else if (c == '_') {
            i_ = i_ + 1 < s_.size() ? i_ + 1 + CharLength(s_, i_ + 1) : s_.size();
        } else if (!AmPm()) {
            Literal();
        }
    }
    Finish();
}

void TSectionParser::Finish() {
    auto& e = out_.Elements;
    auto first = std::find_if(e.begin(), e.end(), [](const TMaskElement& m) {
        return IsPlaceholder(m.Kind) || m.Kind == mekPoint;
    });
    if (first == e.end())
        return;
    const bool placeholder = IsPlaceholder(first->Kind);
    const int at = static_cast<int>(first - e.begin());
    e.insert(first, {mekNumberStart, {}});
    if (out_.DecimalPos >= at)
        ++out_.DecimalPos;
    if (placeholder)
        out_.Flags &= static_cast<uint8_t>(~msfDateTime);
}

} // namespace

void TExcelMask::SetMask(std::string_view text) {
    if (CharCount(text) >= 256)
        throw Exception("Format string more than 255 characthers");
    for (auto& s : sections_)
        s.reset();
    mask_ = text == "GENERAL" ? std::string("@") : std::string(text);
    const std::vector<std::string_view> parts = SplitSections(mask_);
    for (size_t k = 0; k < parts.size(); ++k) {
        if (parts[k].empty())
            continue;
        auto section = std::make_unique<TMaskSection>();
        if (k == 2)
            section->Flags = msfZero;
        TSectionParser(parts[k], *section).Run();
        sections_[k] = std::move(section);
    }
}

double MaskPower(double base, double exponent) {
    if (exponent == 0)
        return 1;
    if (base == 0)
        return 0;
    if (std::floor(exponent) == exponent &&
        std::fabs(exponent) <= std::numeric_limits<int32_t>::max()) {
        int64_t n = static_cast<int64_t>(std::fabs(exponent));
        double result = 1, square = base;
        while (n > 0) {
            if (n & 1)
                result *= square;
            square *= square;
            n >>= 1;
        }
        return exponent < 0 ? 1 / result : result;
    }
    return std::exp(exponent * std::log(base));
}
