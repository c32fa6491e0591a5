#include "i18n/text/LocText.h"

#include "platform/rtl/Classes.h"
#include "platform/rtl/CodePage.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// The fields of a line: field 0, then the text fields up to the last delimiter.
std::vector<std::string_view> TextFields(std::string_view line, char delimiter) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == delimiter) {
            fields.push_back(line.substr(start, i - start));
            start = i + 1;
        }
    }
    return fields;
}

std::string JoinWithTrailing(const std::vector<std::string_view>& fields, char delimiter) {
    std::string out;
    for (std::string_view f : fields) {
        out.append(f);
        out += delimiter;
    }
    return out;
}

bool IsDelimiter(char c, std::string_view delimiters) {
    return delimiters.find(c) != std::string_view::npos;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

char SimpleEscape(char c) {
    switch (c) {
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case 'a':
        return '\a';
    case 'b':
        return '\b';
    case 'f':
        return '\f';
    case 'v':
        return '\v';
    case '\\':
    case '"':
    case '\'':
    case '?':
        return c;
    default:
        return 0;
    }
}

} // namespace

namespace {

// Field `index` of a text; the text after the last delimiter counts only when `open` allows.
template <class S>
std::basic_string<typename S::value_type> FieldOf(S text, typename S::value_type delimiter,
                                                  int index, bool open) {
    if (index < 0)
        return {};
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        size_t at = text.find(delimiter, start);
        if (at == S::npos)
            return {};
        start = at + 1;
    }
    size_t end = text.find(delimiter, start);
    if (end == S::npos && !open)
        return {};
    return std::basic_string<typename S::value_type>(
        text.substr(start, end == S::npos ? end : end - start));
}

} // namespace

std::string GetField(std::string_view text, char delimiter, int index) {
    return FieldOf(text, delimiter, index, true);
}

std::u16string GetWideField(std::u16string_view text, char16_t delimiter, int index) {
    return FieldOf(text, delimiter, index, false);
}

int CountDelimiters(std::string_view text, std::string_view delimiters) {
    return static_cast<int>(std::count_if(text.begin(), text.end(),
                                          [&](char c) { return IsDelimiter(c, delimiters); }));
}

std::string DeleteColumn(std::string_view line, int index, char delimiter) {
    std::vector<std::string_view> fields = TextFields(line, delimiter);
    if (index >= 1 && index < static_cast<int>(fields.size()))
        fields.erase(fields.begin() + index);
    return JoinWithTrailing(fields, delimiter);
}

void DeleteColumnInList(TStrings& list, int index, char delimiter) {
    for (int i = list.Count() - 1; i >= 0; --i)
        list.Put(i, DeleteColumn(list.Get(i), index, delimiter));
}

std::string MoveColumn(std::string_view line, int from, int to, char delimiter) {
    if (from == to)
        return std::string(line);
    std::vector<std::string_view> fields = TextFields(line, delimiter);
    const int last = static_cast<int>(fields.size()) - 1;
    if (from >= 1 && from <= last && to >= 1 && to <= last) {
        std::string_view moved = fields[from];
        fields.erase(fields.begin() + from);
        fields.insert(fields.begin() + to, moved);
    }
    return JoinWithTrailing(fields, delimiter);
}

void MoveColumnInList(TStrings& list, int from, int to, char delimiter) {
    for (int i = list.Count() - 1; i >= 0; --i)
        list.Put(i, MoveColumn(list.Get(i), from, to, delimiter));
}

int WordPosition(int n, std::string_view text, std::string_view delimiters) {
    int count = 0;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsDelimiter(text[i], delimiters))
            ++i;
        if (i >= text.size())
            break;
        if (++count == n)
            return static_cast<int>(i) + 1;
        while (i < text.size() && !IsDelimiter(text[i], delimiters))
            ++i;
    }
    return 0;
}

std::string ExtractWord(int n, std::string_view text, std::string_view delimiters) {
    int pos = WordPosition(n, text, delimiters);
    if (pos == 0)
        return {};
    size_t start = static_cast<size_t>(pos - 1), end = start;
    while (end < text.size() && !IsDelimiter(text[end], delimiters))
        ++end;
    return std::string(text.substr(start, end - start));
}

int FindText(std::string_view pattern, std::string_view text) {
    const size_t m = pattern.size(), n = text.size();
    if (m == 0)
        return 1;
    if (m > n)
        return 0;
    std::array<size_t, 256> skip;
    skip.fill(m);
    for (size_t i = 0; i + 1 < m; ++i)
        skip[static_cast<unsigned char>(pattern[i])] = m - 1 - i;
    size_t at = 0;
    while (at + m <= n) {
        size_t k = m;
        while (k > 0 && text[at + k - 1] == pattern[k - 1])
            --k;
        if (k == 0)
            return static_cast<int>(at) + 1;
        at += skip[static_cast<unsigned char>(text[at + m - 1])];
    }
    return 0;
}

std::string ReplaceText(std::string_view text, std::string_view oldText, std::string_view newText,
                        bool all) {
    if (oldText.empty())
        return std::string(text);
    std::string out;
    size_t from = 0;
    while (from <= text.size()) {
        int pos = FindText(oldText, text.substr(from));
        if (pos == 0)
            break;
        out.append(text.substr(from, static_cast<size_t>(pos - 1)));
        out.append(newText);
        from += static_cast<size_t>(pos - 1) + oldText.size();
        if (!all)
            break;
    }
    out.append(text.substr(std::min(from, text.size())));
    return out;
}

namespace {

// The place of each Windows-1251 byte in the order of the platform's comparison without case:
// bytes that compare equal share a place. Every byte is one character, so two texts compare as
// the sequences of their bytes' places, with a text that runs out first ordered first.
const std::array<uint8_t, 256>& TextRanks() {
    static const std::array<uint8_t, 256> ranks = [] {
        std::array<std::string, 256> texts;
        std::array<int, 256> order{};
        for (int b = 0; b < 256; ++b) {
            texts[static_cast<size_t>(b)] = Cp1251ToUtf8(std::string(1, static_cast<char>(b)));
            order[static_cast<size_t>(b)] = b;
        }
        auto compare = [&](int x, int y) {
            return AnsiCompareText(texts[static_cast<size_t>(x)], texts[static_cast<size_t>(y)]);
        };
        std::stable_sort(order.begin(), order.end(),
                         [&](int x, int y) { return compare(x, y) < 0; });
        std::array<uint8_t, 256> r{};
        int rank = 0;
        for (size_t i = 0; i < order.size(); ++i) {
            if (i > 0 && compare(order[i - 1], order[i]) != 0)
                ++rank;
            r[static_cast<size_t>(order[i])] = static_cast<uint8_t>(rank);
        }
        return r;
    }();
    return ranks;
}

} // namespace

int CompareTextLocale(std::string_view a, std::string_view b) {
    const std::array<uint8_t, 256>& ranks = TextRanks();
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const uint8_t x = ranks[static_cast<unsigned char>(a[i])];
        const uint8_t y = ranks[static_cast<unsigned char>(b[i])];
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

int CompareStrLocale(std::string_view a, std::string_view b) {
    return AnsiCompareStr(Cp1251ToUtf8(a), Cp1251ToUtf8(b));
}

std::string DecodeEscapes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c != '\\' || i + 1 >= text.size()) {
            out += c;
            ++i;
            continue;
        }
        char next = text[i + 1];
        if (char simple = SimpleEscape(next)) {
            out += simple;
            i += 2;
        } else if (next == 'x' && i + 2 < text.size() && HexDigit(text[i + 2]) >= 0) {
            int value = HexDigit(text[i + 2]);
            i += 3;
            if (i < text.size() && HexDigit(text[i]) >= 0)
                value = value * 16 + HexDigit(text[i++]);
            out += static_cast<char>(value);
        } else if (next >= '0' && next <= '7') {
            int value = 0;
            size_t j = i + 1;
            while (j < text.size() && j < i + 4 && text[j] >= '0' && text[j] <= '7')
                value = value * 8 + (text[j++] - '0');
            out += static_cast<char>(value & 0xFF);
            i = j;
        } else {
            out += c;
            out += next;
            i += 2;
        }
    }
    return out;
}

std::string FlipCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        auto u = static_cast<unsigned char>(c);
        unsigned char lower = Cp1251LowerChar(u);
        c = static_cast<char>(lower != u ? lower : Cp1251UpperChar(u));
    }
    return out;
}

std::string ExpandChars(std::string_view text, char fillChar, int percent) {
    if (text.find('%') != std::string_view::npos)
        return std::string(text);
    const int64_t length = static_cast<int64_t>(text.size());
    int64_t extra = std::clamp<int64_t>(length * percent / 100, 0, MaxExpansion);
    std::string out;
    out.reserve(static_cast<size_t>(length + extra));
    for (int64_t p = 1; p <= length; ++p) {
        out += text[static_cast<size_t>(p - 1)];
        int64_t now = extra / (length - p + 1);
        out.append(static_cast<size_t>(now), fillChar);
        extra -= now;
    }
    return out;
}
