#pragma once
// The legend's rows as it drew them: per row position the texts of its two columns, where the
// first column's text stood and how it was aligned, and the symbol's rectangle. Once a program
// sets a text of its own the list is custom: the legend then draws the stored texts, places and
// symbol rectangles instead of working them out, until the list is cleared.

#include "chart/draw/ChartTypes.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TLegendItems;

class TLegendItem {
public:
    explicit TLegendItem(TLegendItems* owner) : owner_(owner) {}

    // The canvas text alignment the first column was drawn with (TA_LEFT or TA_RIGHT) and the
    // point it was drawn at.
    int Align = 0;
    int Left = 0;
    int Top = 0;
    TRect SymbolRect{};

    const std::string& Text() const { return text_; }
    // A different text makes the list custom and repaints the chart.
    void SetText(const std::string& text);
    const std::string& Text2() const { return text2_; }
    void SetText2(const std::string& text);
    // The legend notes what it drew, leaving the list as it was.
    void Record(const std::string& text, const std::string& text2) {
        text_ = text;
        text2_ = text2;
    }
    TLegendItems* Owner() const { return owner_; }

private:
    TLegendItems* owner_;
    std::string text_;
    std::string text2_;
};

class TLegendItems {
public:
    // invalidate: repaints the chart the legend belongs to.
    explicit TLegendItems(std::function<void()> invalidate) : invalidate_(std::move(invalidate)) {}
    TLegendItems(const TLegendItems&) = delete;
    TLegendItems& operator=(const TLegendItems&) = delete;

    // The item of a row position, made (with any missing before it) when there is none. A
    // negative position raises EListError.
    TLegendItem* Item(int position);
    // The item of a row position, or null when there is none.
    TLegendItem* Find(int position) const;
    int Count() const { return static_cast<int>(items_.size()); }
    // Set by the first text a program gives an item.
    bool Custom() const { return custom_; }
    void SetCustom(bool on) { custom_ = on; }
    // Frees every item, ends the custom texts and repaints the chart.
    void Clear();
    // Frees every item; the legend does this before it fills the list again.
    void Empty() { items_.clear(); }

private:
    friend class TLegendItem;
    void TextChanged();

    std::function<void()> invalidate_;
    std::vector<std::unique_ptr<TLegendItem>> items_;
    bool custom_ = false;
};
