#pragma once
// The edit-mask language of the masked edit, kept apart from any window so that the control only
// forwards keys to it.
//
// A mask has up to three fields separated by ';': the picture, whether literals are saved in Text
// ('0' = no, anything else = yes; yes when absent) and the character shown in unfilled positions
// ('_' when absent). Picture characters:
//   L required letter      l optional letter
//   A required letter/digit a optional letter/digit
//   C required character   c optional character
//   0 required digit       9 optional digit          # optional digit or sign
//   > upper-cases what follows, < lower-cases it, <> ends either
//   \ takes the next character as a literal           _ a literal blank
//   : and / the time and date separators of the format settings
//   ! fills text set in from the right (optional positions stay blank on the left)
// Every other character is a literal.
//
// EditText is what the control shows: one character per position, literals included and the blank
// character in unfilled positions. Text is EditText with unfilled positions as spaces, or, when
// literals are not saved, only the field positions (with trailing, or under '!' leading, blanks
// dropped).

#include "platform/rtl/Exception.h"

#include <string>
#include <string_view>
#include <vector>

Q4_EXCEPTION(EEditMaskError, Exception);

class TEditMask {
public:
    enum class TCharClass { Literal, Letter, AlphaNum, AnyChar, Digit, DigitOrSign };
    enum class TCaseConv { None, Upper, Lower };
    struct TPosition {
        TCharClass Class = TCharClass::Literal;
        bool Required = false;
        TCaseConv Case = TCaseConv::None;
        char32_t Literal = 0;
    };

    TEditMask() = default;
    explicit TEditMask(std::string_view mask) { SetMask(mask); }

    // Replaces the mask; the content is re-fitted from the current Text.
    void SetMask(std::string_view mask);
    const std::string& Mask() const { return mask_; }
    bool IsMasked() const { return !positions_.empty(); }
    bool SaveLiterals() const { return saveLiterals_; }
    bool Reversed() const { return reversed_; }
    char32_t BlankChar() const { return blank_; }
    int Length() const { return static_cast<int>(positions_.size()); }
    const TPosition& Position(int i) const { return positions_.at(i); }
    bool IsLiteral(int i) const { return positions_.at(i).Class == TCharClass::Literal; }

    std::string EditText() const;
    // Sets the shown text position by position; characters that do not fit leave blanks.
    void SetEditText(std::string_view text);
    std::string Text() const;
    // Fits a text into the mask (from the right under '!'). Literals in the text are taken where
    // they match; a character that does not fit its position leaves it blank.
    void SetText(std::string_view text);

    // Whether c may stand at position i (after the position's case conversion, which is applied
    // to c).
    bool Accepts(int i, char32_t& c) const;
    // Whether every required position is filled.
    bool IsComplete() const;
    // Raises EEditMaskError naming the first unfilled required position.
    void Validate() const;

    // Keyboard editing (the control always overwrites). TypeChar puts c at the first field at or
    // after the cursor and moves the cursor past it; typing the literal at the cursor steps over
    // it. Returns false (nothing changes) when c fits nowhere.
    bool TypeChar(int& cursor, char32_t c);
    // Blanks the field before the cursor and moves the cursor onto it.
    bool Backspace(int& cursor);
    // Blanks the fields in [from, from + count).
    void Clear(int from, int count);
    // The nearest field position at or after / at or before i, or -1.
    int NextField(int i) const;
    int PrevField(int i) const;

private:
    // Reads the picture into positions_; returns where it ends (at the first unescaped ';').
    size_t ReadPicture(const std::u32string& m);
    // Reads the fields after the picture.
    void ReadOptions(const std::u32string& m, size_t pictureEnd);
    bool Fits(const TPosition& p, char32_t c) const;
    void FitForward(const std::u32string& text);
    void FitReverse(const std::u32string& text);

    std::string mask_;
    std::vector<TPosition> positions_;
    std::u32string chars_;     // one per position; 0 for an unfilled field
    std::u32string plainText_; // the content when there is no mask
    bool saveLiterals_ = true;
    bool reversed_ = false;
    char32_t blank_ = U'_';
};
