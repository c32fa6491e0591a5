#pragma once
// Marks of single points with their own text and look, made on demand, and the stored
// "Items" block that keeps them in a form description.

#include "chart/panel/PlotShape.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Streams.h"

#include <memory>
#include <vector>

class TMarksItem : public TPlotCustomShape {
    Q4_CLASS(TMarksItem, TPlotCustomShape)
public:
    // Colour: the system's info background.
    static constexpr TColor DefaultColor = static_cast<TColor>(0xFF000018);

    explicit TMarksItem(TCustomPlotPanel* parent);
    ~TMarksItem() override;
    static void DeclareProperties(TPropertyList& p);
    // The look and the text of another item.
    void Assign(TPersistent* source) override;

    // Own lines of text; made on first use, freed by setting none.
    TStrings* Text();
    void SetText(TStrings* text);
    TStrings* TextIfAny() const { return text_.get(); }

private:
    bool TextStored() const { return text_ != nullptr && text_->Count() > 0; }

    std::unique_ptr<TStringList> text_;
};

class TMarksItems {
public:
    explicit TMarksItems(TCustomPlotPanel* parent = nullptr) : parent_(parent) {}

    int Count() const { return static_cast<int>(items_.size()); }
    // The item at index, none where no item was made (or beyond the list).
    TMarksItem* Existing(int index) const;
    // The item at index, growing the list and making the item when missing.
    TMarksItem* Item(int index);
    void Clear() { items_.clear(); }
    void Delete(int index);
    void SetParent(TCustomPlotPanel* parent);
    // Set once items were read from a description, until EndLoading: a series that clears its
    // points while it is still being read keeps them.
    bool Loading() const { return loading_; }
    void EndLoading() { loading_ = false; }

    // The "Items" block: a 4-byte count, then per item a list of its stored properties (an
    // empty list where no item exists). Reading replaces the items; a damaged block raises
    // EReadError and leaves none.
    void WriteBlock(TStream& stream) const;
    void ReadBlock(TStream& stream);

private:
    TCustomPlotPanel* parent_;
    std::vector<std::unique_ptr<TMarksItem>> items_;
    bool loading_ = false;
};
