#pragma once
// The workbook's list of cell formats. Every cell, row and column refers to one entry; a change
// of one object's format never changes an entry others use: the sharing steps release the old
// entry and find an equal one or add one (copy-on-write). Beside the entries the list owns the
// number formats, a mask parser, and the fill and border lists of the newer format.

#include "spreadsheet/formats/CellFormat.h"
#include "spreadsheet/formats/ExcelMask.h"
#include "spreadsheet/formats/NumberFormats.h"
#include "spreadsheet/formats/XFont.h"

#include <memory>
#include <vector>

struct TGradientStop {
    double Position = 0;
    uint32_t Color = 0;
};

struct TGradientFill {
    std::vector<std::unique_ptr<TGradientStop>> Stops;
};

class TFill : public TUsageObject {
public:
    explicit TFill(TExcelFillPattern pattern = efpNone) : Pattern(pattern) {}
    bool Gradient() const { return gradient_ != nullptr; }
    // On: creates the gradient when missing; off: frees it.
    void SetGradient(bool on);
    TGradientFill* GradientFill() const { return gradient_.get(); }

    TExcelFillPattern Pattern;

private:
    std::unique_ptr<TGradientFill> gradient_;
};

class TBorder : public TUsageObject {};

// Owning lists of counted objects.
template <class T> class TUsageObjectList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    T* Items(int i) const { return items_.at(static_cast<size_t>(i)).get(); }
    T* Add(std::unique_ptr<T> item) {
        item->Index = Count();
        items_.push_back(std::move(item));
        return items_.back().get();
    }
    void Clear() { items_.clear(); }

private:
    std::vector<std::unique_ptr<T>> items_;
};

class TFills : public TUsageObjectList<TFill> {
public:
    // No fill and the 12.5 % gray fill.
    void SetDefaults();
};

class TBorders : public TUsageObjectList<TBorder> {
public:
    // One empty border.
    void SetDefaults();
};

class TCellFormats : public TXFontUser {
public:
    // A master list is filled with the 22 default entries at once.
    TCellFormats(TXFonts& fonts, bool isMaster);
    ~TCellFormats() override;
    TCellFormats(const TCellFormats&) = delete;
    TCellFormats& operator=(const TCellFormats&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TCellFormat* Formats(int position) const;
    // Entry 15 of a master list: the workbook's default cell format.
    TCellFormat* DefaultFormat() const { return Formats(kDefaultFormatIndex); }
    static constexpr int kDefaultFormatIndex = 15;
    // The first entry whose body equals, or -1.
    int Find(const TCellFormat& format) const;
    // Appends an entry with the constructor defaults.
    TCellFormat* Add();
    // Frees the entry; the later entries' Index moves down by one.
    void Delete(int position);
    // Empties entries, number formats, fills and borders; adds no defaults.
    void Clear();
    void SetDefaults();
    // Raises "Add default formats when not empty." on a list with entries.
    void AddDefaultFormats();

    // The sharing steps: `current` loses one use (and goes at 0 when above the defaults), and
    // the entry equal to `scratch` (found or added) gains one. Returns that entry.
    TCellFormat* Share(TCellFormat* current, const TCellFormat& scratch);
    // The font-change steps: the wanted font is found or added and counted, an entry with it
    // shared as above, then the old font released. Returns the new entry.
    TCellFormat* ChangeFont(TCellFormat* current, const TXFont& wanted);

    TXFonts& Fonts() const { return fonts_; }
    TNumberFormats& NumberFormats() const { return *numberFormats_; }
    TExcelMask& Mask() const { return *mask_; }
    TFills& Fills() const { return *fills_; }
    TBorders& Borders() const { return *borders_; }
    bool IsMaster() const { return isMaster_; }

    // No entry of this list refers to a font that is about to go; entries behind a deleted font
    // move down with it.
    bool UsesFont(int index) const override;
    void FontDeleted(int index) override;

    int32_t DefaultCount = 0;

private:
    TXFonts& fonts_;
    std::unique_ptr<TNumberFormats> numberFormats_;
    std::vector<std::unique_ptr<TCellFormat>> items_;
    std::unique_ptr<TExcelMask> mask_;
    std::unique_ptr<TFills> fills_;
    std::unique_ptr<TBorders> borders_;
    bool isMaster_;
};
