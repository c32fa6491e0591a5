#pragma once
// One dimension of a chart series: a growable array of doubles that can keep itself sorted while
// values arrive, with lazily cached highest, lowest, sum and sum of absolute values.

#include "chart/draw/ChartTypes.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/TypeInfo.h"

#include <memory>
#include <string>
#include <vector>

Q4_ENUM(TChartListOrder, loNone, loAscending, loDescending);

// An index outside the list given to one of its operations; nothing was changed.
class EChartIndexError : public ChartException {
public:
    EChartIndexError(int index, int count);
    const char* ClassName() const noexcept override { return "EChartIndexError"; }
    int Index() const { return index_; }
    int Count() const { return count_; }

private:
    int index_;
    int count_;
};

class TChartValueList;

// What a value list asks of the series that holds it.
class TChartValueListOwner {
public:
    virtual ~TChartValueListOwner() = default;
    // A setting that shows on the chart changed (the date-time flag).
    virtual void ValueListChanged(TChartValueList& list) = 0;
    // The list's ValueSource changed: reload the points from the data source.
    virtual void ValueSourceChanged(TChartValueList& list) = 0;
    // The order of the points changed from index on (linked series are told).
    virtual void ValueOrderChanged(TChartValueList& list, int index) = 0;
    // Exchanges two whole points (every value list, colour and label), for SortByOrder.
    virtual void SwapPoints(int a, int b) = 0;
};

class TChartValueList : public TPersistent {
    Q4_CLASS(TChartValueList, TPersistent)

    // The array grows by this many values whenever it is full.
    static constexpr int CapacityStep = 1000;

    TChartValueList(TChartValueListOwner* owner, std::string name);
    static void DeclareProperties(TPropertyList& p);

    void Assign(TPersistent* source) override; // Order, DateTime and ValueSource only
    // Reads (never writes) the obsolete "Multiplier": a value other than 1 is reported through
    // the chart's error box and otherwise ignored.
    void DefineProperties(TFiler* filer) override;

    // Inserts value where Order puts it (at the end for loNone; after any equal values) and
    // returns its index.
    virtual int AppendValue(double value);
    // The value the next insertion by order puts in place (series types set it on their extra
    // lists before adding a point); InsertTempValue inserts it like AppendValue.
    double TempValue() const { return tempValue_; }
    void SetTempValue(double value) { tempValue_ = value; }
    int InsertTempValue();
    virtual void RemoveAll();
    virtual void InsertValueAt(int index, double value); // 0 <= index <= Count()
    virtual void DeleteValue(int index);                 // 0 <= index < Count()
    void DeleteRange(int index, int count);              // clamped to the values present
    virtual void RotateLeft();                           // first value to the end

    int Count() const { return count_; }
    int Capacity() const { return capacity_; }
    double ValueAt(int index) const;
    void SetValueAt(int index, double value);
    double FirstValue() const { return ValueAt(0); }
    double LastValue() const { return ValueAt(count_ - 1); }
    int IndexOfValue(double value) const;
    int IndexOfValue(double value, int first, int last) const;
    void SwapValues(int a, int b);
    void FillIndexSequence();
    int CompareAt(int a, int b) const;
    // Sorts the owner's points by this list's Order (nothing for loNone), exchanging whole points
    // through the owner; without an owner only this list's values move.
    void SortByOrder();

    double Highest();
    double Lowest();
    double Sum();
    double SumAbs();
    // Keeps the absolute sum at value until the values change next (a series that adds a point
    // of its own keeps its percentages relative to the points before it).
    void HoldSumAbs(double value) {
        EnsureStats();
        sumAbs_ = value;
    }
    double Spread() { return Highest() - Lowest(); }
    // Brings the cached figures up to date, continuing from index from when they already cover
    // exactly the values before it, and from the first value otherwise.
    void UpdateStats(int from);
    void RefreshStats();

    bool DateTime() const { return dateTime_; }
    void SetDateTime(bool value);
    bool DefaultDateTime() const { return defaultDateTime_; }
    void SetDefaultDateTime(bool value) { defaultDateTime_ = value; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& value) { name_ = value; }
    TChartListOrder Order() const { return order_; }
    void SetOrder(TChartListOrder value) { order_ = value; } // existing values stay as they are
    const std::string& ValueSource() const { return valueSource_; }
    void SetValueSource(const std::string& value);
    TChartValueListOwner* Owner() const { return owner_; }

private:
    bool DateTimeStored() const { return dateTime_ != defaultDateTime_; }
    int InsertPosition(double value) const;
    void Insert(int index, double value);
    void CheckIndex(int index, int limit) const;
    void MarkDirty() { statsCount_ = -1; }
    void EnsureStats();

    TChartValueListOwner* owner_;
    std::string name_;
    std::string valueSource_;
    TChartListOrder order_ = TChartListOrder::loNone;
    bool dateTime_ = false;
    bool defaultDateTime_ = false;
    double tempValue_ = 0;
    int count_ = 0;
    int capacity_ = 0; // the array's length: whole steps of CapacityStep
    // The count_ values in use. The storage behind them grows geometrically on its own, so that
    // growing by whole steps stays cheap for long lists.
    std::vector<double> values_;
    // The cached figures cover the first statsCount_ values; -1 when they are dirty.
    int statsCount_ = -1;
    double maximum_ = 0;
    double minimum_ = 0;
    double sum_ = 0;
    double sumAbs_ = 0;
};

// The value lists of one series, owned here and freed with it.
class TChartValueLists {
public:
    TChartValueList* Add(std::unique_ptr<TChartValueList> list);
    int Count() const { return static_cast<int>(lists_.size()); }
    TChartValueList* operator[](int index) const; // checked
    void Clear() { lists_.clear(); }

private:
    std::vector<std::unique_ptr<TChartValueList>> lists_;
};
