#include "platform/stdctrls/EditMask.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/FormatSettings.h"

#include <algorithm>

namespace {

std::u32string Decode(std::string_view s) {
    std::u32string out;
    size_t i = 0;
    while (i < s.size())
        out.push_back(Utf8Next(s, i));
    return out;
}

std::string Encode(std::u32string_view s) {
    std::string out;
    for (char32_t c : s)
        AppendUtf8(out, c);
    return out;
}

bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

bool IsLetter(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'))
        return true;
    return c >= 0x80 && UnicodeUpper(c) != UnicodeLower(c);
}

using TCharClass = TEditMask::TCharClass;

// The picture characters of fields: their class and whether they must be filled.
struct TFieldChar {
    char32_t Picture;
    TCharClass Class;
    bool Required;
};
constexpr TFieldChar kFieldChars[] = {
    {U'L', TCharClass::Letter, true},       {U'l', TCharClass::Letter, false},
    {U'A', TCharClass::AlphaNum, true},     {U'a', TCharClass::AlphaNum, false},
    {U'C', TCharClass::AnyChar, true},      {U'c', TCharClass::AnyChar, false},
    {U'0', TCharClass::Digit, true},        {U'9', TCharClass::Digit, false},
    {U'#', TCharClass::DigitOrSign, false},
};

const TFieldChar* FindField(char32_t c) {
    for (const TFieldChar& f : kFieldChars)
        if (f.Picture == c)
            return &f;
    return nullptr;
}

// The literal a picture character stands for: '_' a blank, ':' and '/' the format settings'
// separators, any other character itself.
char32_t LiteralOf(char32_t c) {
    if (c == U'_')
        return U' ';
    if (c == U':')
        return static_cast<unsigned char>(FormatSettings().TimeSeparator);
    if (c == U'/')
        return static_cast<unsigned char>(FormatSettings().DateSeparator);
    return c;
}

} // namespace

void TEditMask::SetMask(std::string_view mask) {
    const std::string oldText = Text();
    mask_ = std::string(mask);
    positions_.clear();
    saveLiterals_ = true;
    reversed_ = false;
    blank_ = U'_';
    const std::u32string m = Decode(mask);
    ReadOptions(m, ReadPicture(m));
    SetText(oldText);
}

size_t TEditMask::ReadPicture(const std::u32string& m) {
    TCaseConv conv = TCaseConv::None;
    size_t k = 0;
    for (; k < m.size() && m[k] != U';'; ++k) {
        const char32_t c = m[k];
        if (c == U'!') {
            reversed_ = true;
            continue;
        }
        if (c == U'>' || c == U'<') {
            const bool ends = c == U'>' && k + 1 < m.size() && m[k + 1] == U'<';
            if (ends)
                ++k;
            conv = ends ? TCaseConv::None : c == U'>' ? TCaseConv::Upper : TCaseConv::Lower;
            continue;
        }
        TPosition p;
        p.Case = conv;
        if (c == U'\\') {
            if (k + 1 >= m.size())
                continue; // a trailing backslash escapes nothing
            p.Literal = m[++k];
        } else if (const TFieldChar* field = FindField(c)) {
            p.Class = field->Class;
            p.Required = field->Required;
        } else {
            p.Literal = LiteralOf(c);
        }
        positions_.push_back(p);
    }
    return k;
}

// Second field: whether literals are saved; third: the blank character.
void TEditMask::ReadOptions(const std::u32string& m, size_t k) {
    if (k >= m.size())
        return;
    size_t end = m.find(U';', k + 1);
    std::u32string save =
        m.substr(k + 1, end == std::u32string::npos ? std::u32string::npos : end - k - 1);
    if (!save.empty() && save[0] == U'0')
        saveLiterals_ = false;
    if (end != std::u32string::npos && end + 1 < m.size())
        blank_ = m[end + 1];
}

bool TEditMask::Fits(const TPosition& p, char32_t c) const {
    switch (p.Class) {
    case TCharClass::Literal:
        return false;
    case TCharClass::Letter:
        return IsLetter(c);
    case TCharClass::AlphaNum:
        return IsLetter(c) || IsDigit(c);
    case TCharClass::AnyChar:
        return c > U' ' && c != 0x7F;
    case TCharClass::Digit:
        return IsDigit(c);
    case TCharClass::DigitOrSign:
        return IsDigit(c) || c == U'+' || c == U'-';
    }
    return false;
}

bool TEditMask::Accepts(int i, char32_t& c) const {
    if (i < 0 || i >= Length())
        return false;
    const TPosition& p = positions_[i];
    char32_t v = c;
    if (p.Case == TCaseConv::Upper)
        v = UnicodeUpper(v);
    else if (p.Case == TCaseConv::Lower)
        v = UnicodeLower(v);
    if (!Fits(p, v))
        return false;
    c = v;
    return true;
}

void TEditMask::FitForward(const std::u32string& text) {
    const int n = Length();
    size_t j = 0;
    for (int i = 0; i < n; ++i) {
        const TPosition& p = positions_[i];
        if (p.Class == TCharClass::Literal) {
            chars_[i] = p.Literal;
            if (j < text.size() && text[j] == p.Literal)
                ++j;
            continue;
        }
        if (j >= text.size())
            continue;
        char32_t c = text[j];
        if (Accepts(i, c)) {
            chars_[i] = c;
            ++j;
            continue;
        }
        // A character that is the next literal ends this stretch of fields early: keep it for
        // the literal.
        int next = i + 1;
        while (next < n && positions_[next].Class != TCharClass::Literal)
            ++next;
        if (next < n && text[j] == positions_[next].Literal && text[j] != U' ')
            continue;
        ++j;
    }
}

void TEditMask::FitReverse(const std::u32string& text) {
    const int n = Length();
    int j = static_cast<int>(text.size()) - 1;
    for (int i = n - 1; i >= 0; --i) {
        const TPosition& p = positions_[i];
        if (p.Class == TCharClass::Literal) {
            chars_[i] = p.Literal;
            if (j >= 0 && text[j] == p.Literal)
                --j;
            continue;
        }
        if (j < 0)
            continue;
        char32_t c = text[j];
        if (Accepts(i, c)) {
            chars_[i] = c;
            --j;
            continue;
        }
        int prev = i - 1;
        while (prev >= 0 && positions_[prev].Class != TCharClass::Literal)
            --prev;
        if (prev >= 0 && text[j] == positions_[prev].Literal && text[j] != U' ')
            continue;
        --j;
    }
}

void TEditMask::SetText(std::string_view text) {
    if (!IsMasked()) {
        plainText_ = Decode(text);
        chars_.clear();
        return;
    }
    plainText_.clear();
    chars_.assign(positions_.size(), 0);
    const std::u32string t = Decode(text);
    if (reversed_)
        FitReverse(t);
    else
        FitForward(t);
}

void TEditMask::SetEditText(std::string_view text) {
    if (!IsMasked()) {
        plainText_ = Decode(text);
        return;
    }
    const std::u32string t = Decode(text);
    chars_.assign(positions_.size(), 0);
    for (int i = 0; i < Length(); ++i) {
        const TPosition& p = positions_[i];
        if (p.Class == TCharClass::Literal) {
            chars_[i] = p.Literal;
            continue;
        }
        if (static_cast<size_t>(i) >= t.size())
            continue;
        char32_t c = t[i];
        if (Accepts(i, c))
            chars_[i] = c;
    }
}

std::string TEditMask::EditText() const {
    if (!IsMasked())
        return Encode(plainText_);
    std::u32string out = chars_;
    for (char32_t& c : out)
        if (c == 0)
            c = blank_;
    return Encode(out);
}

std::string TEditMask::Text() const {
    if (!IsMasked())
        return Encode(plainText_);
    std::u32string out;
    for (int i = 0; i < Length(); ++i) {
        if (!saveLiterals_ && positions_[i].Class == TCharClass::Literal)
            continue;
        out.push_back(chars_[i] == 0 ? U' ' : chars_[i]);
    }
    if (!saveLiterals_) {
        if (reversed_) {
            size_t first = out.find_first_not_of(U' ');
            out.erase(0, first == std::u32string::npos ? out.size() : first);
        } else {
            size_t last = out.find_last_not_of(U' ');
            out.erase(last == std::u32string::npos ? 0 : last + 1);
        }
    }
    return Encode(out);
}

bool TEditMask::IsComplete() const {
    for (int i = 0; i < Length(); ++i)
        if (positions_[i].Required && chars_[i] == 0)
            return false;
    return true;
}

void TEditMask::Validate() const {
    for (int i = 0; i < Length(); ++i)
        if (positions_[i].Required && chars_[i] == 0)
            throw EEditMaskError("Invalid input value at position " + std::to_string(i + 1) +
                                 ". Use escape key to abandon changes");
}

int TEditMask::NextField(int i) const {
    for (i = std::max(i, 0); i < Length(); ++i)
        if (positions_[i].Class != TCharClass::Literal)
            return i;
    return -1;
}

int TEditMask::PrevField(int i) const {
    for (i = std::min(i, Length() - 1); i >= 0; --i)
        if (positions_[i].Class != TCharClass::Literal)
            return i;
    return -1;
}

bool TEditMask::TypeChar(int& cursor, char32_t c) {
    if (!IsMasked())
        return false;
    const int start = std::max(cursor, 0);
    const int f = NextField(start);
    if (f >= 0) {
        char32_t v = c;
        if (Accepts(f, v)) {
            chars_[f] = v;
            const int next = NextField(f + 1);
            cursor = next >= 0 ? next : Length();
            return true;
        }
    }
    // Typing a literal that lies ahead steps over it.
    const int stop = f >= 0 ? f : Length();
    for (int i = start; i < stop; ++i)
        if (positions_[i].Literal == c) {
            cursor = i + 1;
            return true;
        }
    return false;
}

bool TEditMask::Backspace(int& cursor) {
    const int f = PrevField(cursor - 1);
    if (f < 0)
        return false;
    chars_[f] = 0;
    cursor = f;
    return true;
}

void TEditMask::Clear(int from, int count) {
    for (int i = std::max(from, 0); i < Length() && i < from + count; ++i)
        if (positions_[i].Class != TCharClass::Literal)
            chars_[i] = 0;
}
