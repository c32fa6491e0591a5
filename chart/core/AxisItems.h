#pragma once
// The labels of an axis. While the list is automatic the axis refills it with the labels it
// computes at every drawing; once a label of the user's own is added (Add), only the user's
// labels are drawn, at their values, until the list is cleared and refilled by hand: clearing
// does not switch back to automatic labels.

#include "chart/core/AxisTextShape.h"

#include <memory>
#include <string>
#include <vector>

class TChartAxis;
class TAxisItems;

// One label: a value and its text, with the look of a text shape (transparent by default).
class TAxisItem : public TAxisTextShape {
    Q4_CLASS(TAxisItem, TAxisTextShape)

    explicit TAxisItem(TAxisItems* owner = nullptr);
    static void DeclareProperties(TPropertyList& p);

    TAxisItems* Owner() const { return owner_; }
    double Value() const { return value_; }
    void SetValue(double value);
    const std::string& Text() const { return text_; }
    void SetText(const std::string& value);

private:
    friend class TAxisItems;
    TAxisItems* owner_;
    double value_ = 0;
    std::string text_;
};

class TAxisItems {
public:
    explicit TAxisItems(TChartAxis* axis);
    ~TAxisItems();
    TAxisItems(const TAxisItems&) = delete;
    TAxisItems& operator=(const TAxisItems&) = delete;

    TChartAxis* Axis() const { return axis_; }
    // The labels are the axis' own computed ones.
    bool Automatic() const { return automatic_; }
    void SetAutomatic(bool value) { automatic_ = value; }
    // The font and look of the automatic labels (transparent by default).
    TAxisTextShape* Format() const { return format_.get(); }

    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EChartIndexError outside 0 .. Count() - 1.
    TAxisItem* operator[](int index) const;
    // A label of the user's own: switches the automatic labels off.
    TAxisItem* Add(double value);
    TAxisItem* Add(double value, const std::string& text);
    // The format, then the items of other with their values and texts.
    void CopyFrom(const TAxisItems& other);
    // Frees every item and repaints; the list stays as automatic as it was.
    void Clear();

    // Refilling with computed labels: the axis empties the list and appends without touching
    // the automatic flag.
    void ClearAutomatic() { items_.clear(); }
    TAxisItem* AppendAutomatic(double value, const std::string& text);

private:
    TChartHost* Chart() const;
    TAxisItem* Append(double value, const std::string& text);

    TChartAxis* axis_;
    bool automatic_ = true;
    std::unique_ptr<TAxisTextShape> format_;
    std::vector<std::unique_ptr<TAxisItem>> items_;
};
