#include "spreadsheet/formats/FormattedObject.h"

template <class Apply> void TFormattedObject::ChangeFormat(Apply apply) {
    TCellFormat scratch(formats_);
    scratch.Assign(*format_);
    apply(scratch);
    format_ = formats_->Share(format_, scratch);
}

template <class Apply> void TFormattedObject::ChangeFont(Apply apply) {
    TXFont scratch(Font());
    apply(scratch);
    format_ = formats_->ChangeFont(format_, scratch);
}

void TFormattedObject::AssignFormat(const TCellFormat& entry) {
    // A copy first: the entry given may be the object's own, which the sharing steps free.
    TCellFormat scratch(formats_);
    scratch.Assign(entry);
    format_ = formats_->Share(format_, scratch);
}

// One format setter: compare with the getter (at the width the getter returns), then change.
#define Q4_FORMAT_SETTER(Name, Type, Compare)                                                      \
    void TFormattedObject::Set##Name(Type value) {                                                 \
        Update([&] {                                                                               \
            if (Compare(format_->Get##Name()) == Compare(value))                                   \
                return;                                                                            \
            ChangeFormat([&](TCellFormat& f) { f.Set##Name(value); });                             \
        });                                                                                        \
    }

#define Q4_SAME(v) (v)
#define Q4_LOW_BYTE(v) static_cast<uint8_t>(v)

Q4_FORMAT_SETTER(FillPatternBackColor, int, Q4_LOW_BYTE)
Q4_FORMAT_SETTER(FillPatternForeColor, int, Q4_LOW_BYTE)
Q4_FORMAT_SETTER(BorderBottomColor, int, Q4_LOW_BYTE)
Q4_FORMAT_SETTER(BorderBottomStyle, TCellBorderStyle, Q4_LOW_BYTE)
Q4_FORMAT_SETTER(BorderDiagColor, int, Q4_LOW_BYTE)
Q4_FORMAT_SETTER(BorderDiagLines, TCellDiagLines, Q4_LOW_BYTE)
Q4_FORMAT_SETTER(BorderDiagStyle, TCellBorderStyle, Q4_LOW_BYTE)
Q4_FORMAT_SETTER(BorderLeftColor, int, Q4_LOW_BYTE)
Q4_FORMAT_SETTER(BorderLeftStyle, TCellBorderStyle, Q4_LOW_BYTE)
Q4_FORMAT_SETTER(BorderRightColor, int, Q4_LOW_BYTE)
Q4_FORMAT_SETTER(BorderRightStyle, TCellBorderStyle, Q4_LOW_BYTE)
Q4_FORMAT_SETTER(BorderTopColor, int, Q4_LOW_BYTE)
Q4_FORMAT_SETTER(BorderTopStyle, TCellBorderStyle, Q4_LOW_BYTE)
Q4_FORMAT_SETTER(FormatOptions, TFormatOptions, Q4_LOW_BYTE)
Q4_FORMAT_SETTER(Indent, int, Q4_LOW_BYTE)
Q4_FORMAT_SETTER(NumberFormat, const std::u16string&, Q4_SAME)
Q4_FORMAT_SETTER(Protection, TCellProtection, Q4_LOW_BYTE)
Q4_FORMAT_SETTER(Rotation, int16_t, Q4_SAME)
Q4_FORMAT_SETTER(HorizAlignment, int, Q4_LOW_BYTE)
Q4_FORMAT_SETTER(VertAlignment, int, Q4_LOW_BYTE)
Q4_FORMAT_SETTER(FillPattern, TExcelFillPattern, Q4_LOW_BYTE)

// One font setter: compare with the font getter, then change a copy of the font.
#define Q4_FONT_SETTER(Name, Type, Getter, Apply)                                                  \
    void TFormattedObject::Set##Name(Type value) {                                                 \
        Update([&] {                                                                               \
            if (Getter() == value)                                                                 \
                return;                                                                            \
            ChangeFont([&](TXFont& f) { Apply; });                                                 \
        });                                                                                        \
    }

Q4_FONT_SETTER(FontCharset, uint8_t, FontCharset, f.SetCharset(value))
Q4_FONT_SETTER(FontColorRGB, uint32_t, FontColorRGB, f.SetColorRGB(value))
Q4_FONT_SETTER(FontFamily, uint8_t, FontFamily, f.SetFamily(value))
Q4_FONT_SETTER(FontName, const std::u16string&, FontName, f.Name = value)
Q4_FONT_SETTER(FontSize20, int32_t, FontSize20, f.SetSize20(value))
Q4_FONT_SETTER(FontSubSuperscript, TXSubSuperscript, FontSubSuperscript, f.SetSubSuperscript(value))
Q4_FONT_SETTER(FontUnderline, TXUnderline, FontUnderline, f.SetUnderline(value))
Q4_FONT_SETTER(FontStyle, TXFontStyles, FontStyle, f.SetStyle(value))

void TFormattedObject::SetFontSize(int points) {
    Update([&] {
        if (FontSize() == points || points < 1)
            return;
        ChangeFont([&](TXFont& f) { f.SetSizePoints(points); });
    });
}

void TFormattedObjectNotify::Update(const std::function<void()>& setter) {
    // The body counts too: an object whose entry was the list's last and its own alone gets a
    // new entry at the same position.
    const int before = FormatIndex();
    const TCellFormat::TData data = Format()->Data();
    setter();
    if ((FormatIndex() != before || Format()->Data() != data) && OnFormatChange)
        OnFormatChange(Format(), NotifyIdentity());
    FormatChanged();
}
