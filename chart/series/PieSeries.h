#pragma once
// The pie: each point a slice of the circle whose angle is proportional to the point's absolute
// value. Small slices can be grouped into one "Other" slice, slices can be exploded outward and
// given depths of their own in 3D, marks stand round the circle with optional legs, several pies
// of one chart share the plot in a grid, and the slice under the mouse is found.
//
// The Y values are the pie values; the X values hold only the slices' sequence and the grouping:
// X = -1 marks a point grouped into the other slice and X = OtherSliceX the other slice itself.
// Before each drawing the series takes the other slice out, numbers the points again, groups
// them and adds the other slice anew, so drawing any number of times keeps one such slice. The
// other slice is added without events, linked-series notices or repaints, and it is never stored
// with the series' points.

#include "chart/series/CircledSeries.h"

#include <memory>
#include <vector>

class TPieSeries;

// Integers per slice (explode distances, heights): 0 beyond the list; setting one grows the list
// and repaints the pie when the value changes.
class TSliceValueList {
public:
    explicit TSliceValueList(TPieSeries* owner) : owner_(owner) {}
    int Count() const { return static_cast<int>(values_.size()); }
    // 0 for an index outside the list (negative ones included).
    int Value(int index) const;
    void SetValue(int index, int value);
    void Clear() { values_.clear(); }
    void Delete(int index);
    // Grows the list to count entries and exchanges entries a and b (lists with entries only).
    void Exchange(int a, int b, int count);
    void Assign(const TSliceValueList& other) { values_ = other.values_; }

private:
    TPieSeries* owner_;
    std::vector<int> values_;
};

Q4_ENUM(TPieOtherStyle, poNone, poBelowPercent, poBelowValue);
Q4_ENUM(TMultiPie, mpAutomatic, mpDisabled);

// Which slices are grouped into the other slice, and its colour and text.
class TPieOtherSlice : public TPersistent {
    Q4_CLASS(TPieOtherSlice, TPersistent)
public:
    explicit TPieOtherSlice(TPieSeries* owner) : owner_(owner) {}
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor value) { Set(color_, value); }
    TPieOtherStyle Style() const { return style_; }
    void SetStyle(TPieOtherStyle value) { Set(style_, value); }
    // The library's "Other" while no text is set.
    std::string Text() const;
    const std::string& OwnText() const { return text_; }
    void SetText(const std::string& value) { Set(text_, value); }
    double Value() const { return value_; }
    void SetValue(double value) { Set(value_, value); }

private:
    template <class T> void Set(T& field, const T& value) {
        if (field == value)
            return;
        field = value;
        Changed();
    }
    // Repaints the owner.
    void Changed();
    bool TextStored() const { return !text_.empty(); }

    TPieSeries* owner_;
    TColor color_ = clDefault;
    TPieOtherStyle style_ = poNone;
    std::string text_;
    double value_ = 0;
};

// Where the pie's marks stand: a horizontal leg of LegSize pixels at the arrow's end, and boxes
// centred vertically on the arrow's end.
class TPieMarks : public TPersistent {
    Q4_CLASS(TPieMarks, TPersistent)
public:
    explicit TPieMarks(TPieSeries* owner) : owner_(owner) {}
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;
    int LegSize() const { return legSize_; }
    void SetLegSize(int value);
    bool VertCenter() const { return vertCenter_; }
    void SetVertCenter(bool value);

private:
    TPieSeries* owner_;
    int legSize_ = 0;
    bool vertCenter_ = false;
};

class TPieSeries : public TCircledSeries {
    Q4_CLASS(TPieSeries, TCircledSeries)
public:
    // The X value of the other slice.
    static constexpr double OtherSliceX = 2147483647.0;
    static constexpr double GroupedX = -1.0;

    explicit TPieSeries(TComponent* owner);
    ~TPieSeries() override;
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TPieSeriesEditor"; }
    // The other slice is not stored with the points.
    void DefineProperties(TFiler* filer) override;

    // ---- settings ------------------------------------------------------------------------------
    int AngleSize() const { return angleSize_; }
    void SetAngleSize(int value) { SetField(angleSize_, value); }
    bool AutoMarkPosition() const { return autoMarkPosition_; }
    void SetAutoMarkPosition(bool value) { SetField(autoMarkPosition_, value); }
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value) { SetField(dark3D_, value); }
    int DarkPen() const { return darkPen_; }
    void SetDarkPen(int value) { SetField(darkPen_, value); }
    // Hole size in percent (0: a full pie); not stored.
    int DonutPercent() const { return donutPercent_; }
    void SetDonutPercent(int value) { SetField(donutPercent_, value); }
    TSliceValueList& ExplodedSlice() { return exploded_; }
    TSliceValueList& SliceHeight() { return heights_; }
    int ExplodeBiggest() const { return explodeBiggest_; }
    // Also explodes the biggest slice by the value.
    void SetExplodeBiggest(int value);
    int GradientBright() const { return gradientBright_; }
    void SetGradientBright(int value);
    TMultiPie MultiPie() const { return multiPie_; }
    void SetMultiPie(TMultiPie value) { SetField(multiPie_, value); }
    TPieOtherSlice* OtherSlice() const { return otherSlice_.get(); }
    void SetOtherSlice(TPieOtherSlice* value) { otherSlice_->Assign(value); }
    TPieMarks* PieMarks() const { return pieMarks_.get(); }
    void SetPieMarks(TPieMarks* value) { pieMarks_->Assign(value); }
    bool UsePatterns() const { return usePatterns_; }
    void SetUsePatterns(bool value) { SetField(usePatterns_, value); }
    TChartPen* PiePen() const { return Pen(); }
    void SetPiePen(TChartPen* value) { SetPen(value); }
    TChartValueList* PieValues() const { return YValues(); }
    void SetPieValues(TChartValueList* value) { SetYValues(value); }

    // ---- grouping ------------------------------------------------------------------------------
    // Takes the other slice out, numbers the points 0, 1, 2 ... and groups them again.
    void PrepareForChartDraw() override;
    bool IsGrouped(int index) const { return XValues()->ValueAt(index) == GroupedX; }
    // The index of the other slice, -1 without one.
    int OtherSliceIndex() const;
    // The rows of the legend: the points not grouped (the other slice among them), or the
    // grouped ones for the other slice's own list.
    int LegendCount(bool otherList = false) const;
    // The point of a legend row (the row itself when there is none).
    int LegendToValueIndex(int item, bool otherList = false) const;
    int SourceIndex(int index) const override { return LegendToValueIndex(index); }
    int LegendValueCount() const override { return LegendCount(); }
    TColor LegendItemColor(int index) const override;

    // ---- angles (radians) ----------------------------------------------------------------------
    struct TSliceAngle {
        double Start = 0, Middle = 0, End = 0;
    };
    // The angles of every point, worked out on first need after they were emptied.
    const std::vector<TSliceAngle>& Angles();
    // The explode offset of a slice while exploded slices are drawn apart.
    TPoint ExplodeOffset(int index);
    // The radii multiplied by 1 + the slice's explode percent.
    void ExplodedRadius(int index, int& rx, int& ry) const;
    // The depth the slice reaches in 3D.
    int SliceDepth(int index) const;
    // The first point with the largest value (of the page's points with paging) gets
    // ExplodeBiggest.
    void ExplodeBiggestSlice();

    // ---- drawing -------------------------------------------------------------------------------
    void DoBeforeDrawValues() override;
    void DoAfterDrawValues() override;
    void DrawVisiblePoints() override;
    void DrawPoint(int index) override;
    virtual void PaintSlice(int index);
    void DrawLegendShape(int index, const TRect& rect) override;
    void DrawMark(int index, const std::string& text, TSeriesMarkPosition& position) override;
    void PrepareLegendBrush(int index, TColor& backColor, TBrushStyle& style) override;
    void PointPixels(int index, int& x, int& y) override;
    void UpdateVisibleRange() override;
    int PointAt(int x, int y) override;
    // The order the slices are drawn in (3D back to front, else index order) in the last drawing.
    const std::vector<int>& DrawOrder() const { return drawOrder_; }
    // The plot cell of the k-th of n pies: columns round(sqrt(n)), rows round(sqrt(n) + 0.5).
    static TRect MultiPieCell(const TRect& plot, int k, int n);

    // ---- points --------------------------------------------------------------------------------
    void ClearValues() override;
    void DeletePoint(int index) override;
    void SwapPoints(int a, int b) override;
    double HighestX() override;
    double LowestX() override;
    double HighestY() override;
    double LowestY() override;

    // ---- gallery -------------------------------------------------------------------------------
    int DefaultSampleCount() const override { return 8; }
    // Values 1 .. 1000 labelled in turn "Cars", "Phones", "Tables" ...
    void AddSampleValues(int count, bool onlyMandatory) override;
    void PrepareForGallery(bool enabled) override;
    void ApplyGallery3D(bool is3D) override;
    void ListSubStyles(const TSubStyleProc& add) override;
    void ApplySubStyle(TChartSeries* series, int style) override;

protected:
    void ApplyOwn3DOptions() override;
    // Quiet while the pie adds or takes out its other slice.
    void PointAdded(TChartSeries* sender, int index) override;
    void NotifyLinked(int event, int index) override;

private:
    friend class TSliceValueList;
    void RemoveOtherSlice();
    void GroupSlices();
    void CalcAngles();
    TBrushStyle SlicePattern(int index) const;
    void SetSlicePen(int index);
    void SetSliceGradient(TColor color);
    TColor SliceColor(int index) const;
    std::vector<int> SortedForDepth() const;
    void PaintSlices();
    void PlaceMarkLeg(TSeriesMarkPosition& position, int centreX) const;
    bool HitSlice(int index, int x, int y);

    int angleSize_ = 360;
    bool autoMarkPosition_ = true;
    bool dark3D_ = true;
    int darkPen_ = 0;
    int donutPercent_ = 0;
    TSliceValueList exploded_{this};
    int explodeBiggest_ = 0;
    int gradientBright_ = 0;
    TMultiPie multiPie_ = mpAutomatic;
    std::unique_ptr<TPieOtherSlice> otherSlice_;
    std::unique_ptr<TPieMarks> pieMarks_;
    TSliceValueList heights_{this};
    bool usePatterns_ = false;
    std::vector<TSliceAngle> angles_;
    std::vector<int> drawOrder_;
    TRect savedPlotRect_{};
    bool savedFixedPlot_ = false;
    bool plotSaved_ = false;
    bool explodedDrawing_ = false;
    // The other slice is being added or taken out.
    bool quiet_ = false;
};
