#pragma once
// Anything that carries a cell format: cells, rows and columns. Reading an attribute reads the
// shared entry; writing one never changes that entry but runs the sharing steps of the format
// list, after which the object refers to an equal entry or a new one. The notifying variant
// reports when the object's entry changes, so that an owner (a row or column's sheet) can follow.

#include "spreadsheet/formats/CellFormats.h"

#include <functional>
#include <string>

class TFormattedObject {
public:
    // `format` is an entry of `formats`.
    TFormattedObject(TCellFormats& formats, TCellFormat* format)
        : formats_(&formats), format_(format) {}
    virtual ~TFormattedObject() = default;
    TFormattedObject(const TFormattedObject&) = delete;
    TFormattedObject& operator=(const TFormattedObject&) = delete;

    TCellFormats& Formats() const { return *formats_; }
    TCellFormat* Format() const { return format_; }
    // Refers to the entry equal to `entry` (found or added), releasing the current one.
    void AssignFormat(const TCellFormat& entry);

    // Format attributes: a value equal to the current one changes nothing.
    void SetFillPatternBackColor(int value);
    void SetFillPatternForeColor(int value);
    void SetBorderBottomColor(int value);
    void SetBorderBottomStyle(TCellBorderStyle value);
    void SetBorderDiagColor(int value);
    void SetBorderDiagLines(TCellDiagLines value);
    void SetBorderDiagStyle(TCellBorderStyle value);
    void SetBorderLeftColor(int value);
    void SetBorderLeftStyle(TCellBorderStyle value);
    void SetBorderRightColor(int value);
    void SetBorderRightStyle(TCellBorderStyle value);
    void SetBorderTopColor(int value);
    void SetBorderTopStyle(TCellBorderStyle value);
    void SetFormatOptions(TFormatOptions value);
    void SetIndent(int value);
    void SetNumberFormat(const std::u16string& value);
    void SetProtection(TCellProtection value);
    void SetRotation(int16_t value);
    void SetHorizAlignment(int value);
    void SetVertAlignment(int value);
    void SetFillPattern(TExcelFillPattern value);
    // Font attributes: the font changes through the list's font-change steps.
    void SetFontCharset(uint8_t value);
    void SetFontColorRGB(uint32_t rgb);
    void SetFontFamily(uint8_t value);
    void SetFontName(const std::u16string& value);
    // Points; a size below 1 is ignored.
    void SetFontSize(int points);
    void SetFontSize20(int32_t value);
    void SetFontSubSuperscript(TXSubSuperscript value);
    void SetFontUnderline(TXUnderline value);
    void SetFontStyle(TXFontStyles value);

    int GetFillPatternBackColor() const { return format_->GetFillPatternBackColor(); }
    int GetFillPatternForeColor() const { return format_->GetFillPatternForeColor(); }
    int GetBorderBottomColor() const { return format_->GetBorderBottomColor(); }
    TCellBorderStyle GetBorderBottomStyle() const { return format_->GetBorderBottomStyle(); }
    int GetBorderDiagColor() const { return format_->GetBorderDiagColor(); }
    TCellDiagLines GetBorderDiagLines() const { return format_->GetBorderDiagLines(); }
    TCellBorderStyle GetBorderDiagStyle() const { return format_->GetBorderDiagStyle(); }
    int GetBorderLeftColor() const { return format_->GetBorderLeftColor(); }
    TCellBorderStyle GetBorderLeftStyle() const { return format_->GetBorderLeftStyle(); }
    int GetBorderRightColor() const { return format_->GetBorderRightColor(); }
    TCellBorderStyle GetBorderRightStyle() const { return format_->GetBorderRightStyle(); }
    int GetBorderTopColor() const { return format_->GetBorderTopColor(); }
    TCellBorderStyle GetBorderTopStyle() const { return format_->GetBorderTopStyle(); }
    TExcelFillPattern GetFillPattern() const { return format_->GetFillPattern(); }
    TFormatOptions GetFormatOptions() const { return format_->GetFormatOptions(); }
    int GetHorizAlignment() const { return format_->GetHorizAlignment(); }
    int GetIndent() const { return format_->GetIndent(); }
    std::u16string GetNumberFormat() const { return format_->GetNumberFormat(); }
    TCellProtection GetProtection() const { return format_->GetProtection(); }
    int16_t GetRotation() const { return format_->GetRotation(); }
    int GetVertAlignment() const { return format_->GetVertAlignment(); }
    int FontIndex() const { return format_->FontIndex(); }
    int FormatIndex() const { return format_->Index; }

    uint8_t FontCharset() const { return Font().Charset(); }
    uint32_t FontColorRGB() const { return Font().GetColorRGB(); }
    uint8_t FontFamily() const { return Font().Family(); }
    std::u16string FontName() const { return Font().Name; }
    int FontSize() const { return Font().SizePoints(); }
    int32_t FontSize20() const { return Font().Size20(); }
    TXSubSuperscript FontSubSuperscript() const { return Font().SubSuperscript(); }
    TXUnderline FontUnderline() const { return Font().Underline(); }
    TXFontStyles FontStyle() const { return Font().Style(); }

protected:
    // Runs one setter. The notifying variant wraps it to report a change of entry.
    virtual void Update(const std::function<void()>& setter) { setter(); }

private:
    const TXFont& Font() const { return *format_->GetFont(); }
    template <class Apply> void ChangeFormat(Apply apply);
    template <class Apply> void ChangeFont(Apply apply);

    TCellFormats* formats_;
    TCellFormat* format_;
};

class TFormattedObjectNotify : public TFormattedObject {
public:
    using TFormatChangeEvent = std::function<void(TCellFormat* format, int identity)>;
    using TFormattedObject::TFormattedObject;

    // Told the new entry and the object's identity when a setter moved it to another entry.
    TFormatChangeEvent OnFormatChange;
    // Free for descendants.
    int32_t Tag = 0;

    // What OnFormatChange reports the object as (a column's number, a row's number).
    virtual int NotifyIdentity() const = 0;
    // Called after every setter, whether it changed anything or not.
    virtual void FormatChanged() {}

protected:
    void Update(const std::function<void()>& setter) override;
};

// A sheet's scratch format with the constructor defaults, for applying formats to ranges.
class TApplyFormat {
public:
    explicit TApplyFormat(TCellFormats& formats) : Formats(formats), Format(&formats) {}
    TCellFormats& Formats;
    TCellFormat Format;
};
