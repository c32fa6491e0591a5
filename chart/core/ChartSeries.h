#pragma once
// A data series of a chart: ordered points, each an X and a Y value (series types add further
// value lists), an optional label and an optional colour of its own. Every series type derives
// from TChartSeries and overrides its virtual operations; the chart's drawing, legend and axis
// code reach series only through them. The series binds itself to a horizontal and a vertical
// axis of its chart, keeps a series colour and a depth slot, and may follow other series it
// takes its points from (its data sources; the series fed by it are its linked series).
//
// Detached (no chart) -> attached (in a chart's series list, axes bound) -> detached again.
// A batch update (BeginUpdate .. EndUpdate) holds back the per-point notifications and
// announces one data change at its end. Indexes given to the point operations are checked: a
// bad one raises (ChartException or EChartIndexError) and changes nothing.

#include "chart/core/ChartElement.h"
#include "chart/core/ChartValueList.h"
#include "chart/core/DataSourcesList.h"
#include "chart/core/LabelsList.h"
#include "platform/forms/Controls.h"
#include "platform/graphics/Cursors.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TChartAxis;
class TPlotFunction;
class TPlotSeriesSource;
class TSeriesMarks;
struct TSeriesMarkPosition;

Q4_ENUM(THorizAxis, aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis);
Q4_ENUM(TVertAxis, aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis);
// What a point's mark shows.
Q4_ENUM(TSeriesMarksStyle, smsValue, smsPercent, smsLabel, smsLabelPercent, smsLabelValue,
        smsLegend, smsPercentTotal, smsLabelPercentTotal, smsXValue, smsXY, smsSeriesTitle,
        smsPointIndex, smsPercentRelative);

// Which changes of a series its linked series follow (bits of RecalcOptions).
constexpr int rOnDelete = 1;
constexpr int rOnModify = 2;
constexpr int rOnInsert = 4;
constexpr int rOnClear = 8;
constexpr int rOnAll = rOnDelete | rOnModify | rOnInsert | rOnClear;

// What a series tells its linked series (NotifyLinked).
enum TLinkedEvent {
    leCleared = 0,
    lePointAdded = 1,
    lePointsDeleted = 2,
    leReloaded = 3,
    leOrderChanged = 4
};

class TChartSeries;
using TSeriesOnAfterAdd = std::function<void(TChartSeries* sender, int valueIndex)>;
using TSeriesOnBeforeAdd = std::function<bool(TChartSeries* sender)>;
using TSeriesOnClear = std::function<void(TChartSeries* sender)>;
using TSeriesClick = std::function<void(TChartSeries* sender, int valueIndex, TMouseButton button,
                                        TShiftState shift, int x, int y)>;
using TSeriesOnGetMarkText =
    std::function<void(TChartSeries* sender, int valueIndex, std::string& markText)>;
using TSubStyleProc = std::function<void(const std::string& name)>;

// What the point operations ask of the series' marks, which keep a position and a custom item
// per point. The marks object registers itself with SetMarkPoints.
class TSeriesMarkPoints {
public:
    virtual ~TSeriesMarkPoints() = default;
    virtual void ClearPositions() = 0;
    // Custom items; the marks keep them while they are being read from a description.
    virtual void ClearItems() = 0;
    // Frees the position and the item of one point and closes the gap.
    virtual void DeletePoint(int index) = 0;
    // Removes the positions first .. first + count - 1 that exist (items stay).
    virtual void DeletePositions(int first, int count) = 0;
    virtual void SetParentChart(TChartHost* chart) = 0;
    virtual void SetZPosition(int z) = 0;
    // What the mark texts show and whether their parts stand on lines of their own.
    virtual TSeriesMarksStyle Style() const { return smsLabel; }
    virtual bool MultiLine() const { return false; }
    // The text of the point's own item when it has one with a text set (lines joined by CR LF).
    virtual bool CustomItemText(int, std::string&) const { return false; }
};

class TChartSeries : public TCustomChartSeries, public TChartValueListOwner {
    Q4_CLASS(TChartSeries, TCustomChartSeries)

    static constexpr int DefaultNumberOfSamples = 25;
    static constexpr const char* DefaultValueFormat = "#,##0.###";
    static constexpr const char* DefaultPercentFormat = "##0.## %";

    explicit TChartSeries(TComponent* owner);
    ~TChartSeries() override;
    // Freed through Free (as owners free their components): leaves the chart while the whole
    // series still exists, so the chart's listeners see a complete series go.
    void BeforeDestruction() override;
    static void DeclareProperties(TPropertyList& p);
    // A data source component that goes away is removed from the sources.
    void Notification(TComponent* component, TOperation operation) override;
    // From another series: its settings, its function (when this series has none), and its
    // points (or its data sources, when it takes them from sources), then reloads.
    void Assign(TPersistent* source) override;
    // Resolves the data sources stored by name among the owner's components, then reloads.
    void Loaded() override;
    // The function is the series' child in descriptions.
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    // The stored points ("Data") and custom axes (SeriesDataStream.cpp), beside the sources.
    void DefineProperties(TFiler* filer) override;

    // ---- chart binding -------------------------------------------------------------------------
    // Leaves the old chart's series list and joins the new one's (which calls AddedToChart).
    void SetParentChart(TChartHost* chart) override;
    // Takes a free colour when the own colour is automatic, binds the axes, reloads the points.
    void AddedToChart() override;
    // Gives the chart its cursor back, unlinks from the sources and forgets the chart.
    void RemovedFromChart() override;

    // The labelled boxes beside the points (hidden unless shown).
    TSeriesMarks* Marks() const { return marks_.get(); }
    void SetMarks(TSeriesMarks* marks);

    // ---- axes ----------------------------------------------------------------------------------
    THorizAxis HorizAxis() const { return horizAxis_; }
    void SetHorizAxis(THorizAxis value);
    TVertAxis VertAxis() const { return vertAxis_; }
    void SetVertAxis(TVertAxis value);
    TChartAxis* CustomHorizAxis() const { return customHorizAxis_; }
    void SetCustomHorizAxis(TChartAxis* axis);
    TChartAxis* CustomVertAxis() const { return customVertAxis_; }
    void SetCustomVertAxis(TChartAxis* axis);
    // The resolved axes (none without a chart).
    TChartAxis* GetHorizAxis() const { return horizAxisBound_; }
    TChartAxis* GetVertAxis() const { return vertAxisBound_; }
    // The axis the mandatory values are measured on.
    TChartAxis* MandatoryAxis() const { return yMandatory_ ? vertAxisBound_ : horizAxisBound_; }
    void BindAxes();

    // ---- depth ---------------------------------------------------------------------------------
    int ZOrder() const { return zOrder_; }
    void SetZOrder(int value);
    int Depth() const { return depth_; }
    void SetDepth(int value) { SetField(depth_, value); }
    // The Z order in effect: ZOrder, or the chart's choice when it is -1.
    int EffectiveZOrder() const { return zOrder_ == -1 ? internalZOrder_ : zOrder_; }
    // The depth slot the chart gives the series for this drawing.
    void SetInternalZOrder(int value) { internalZOrder_ = value; }
    virtual void AssignZOrder();
    virtual void CalcZRange();
    // Another active series without Z values of its own occupies the same depth slot.
    virtual bool SharesZOrder();
    // Active and no earlier active series of the chart has the same Z order.
    bool FirstInZOrder() const;
    int StartZ() const { return startZ_; }
    int MiddleZ() const { return middleZ_; }
    int EndZ() const { return endZ_; }
    bool HasZValues() const { return hasZValues_; }

    // ---- colours -------------------------------------------------------------------------------
    // The own colour, or the chart's automatic choice while the own colour is clDefault.
    TColor SeriesColor() const { return color_ == clDefault ? autoColor_ : color_; }
    virtual void SetSeriesColor(TColor value);
    TColor OwnSeriesColor() const { return color_; }
    // Takes the chart's choice as the automatic colour; the own colour stays automatic.
    void TakeAutomaticColor(TColor value);
    bool ColorEachPoint() const { return colorEachPoint_; }
    virtual void SetColorEachPoint(bool value) { SetField(colorEachPoint_, value); }

    // ---- settings ------------------------------------------------------------------------------
    const std::string& ColorSource() const { return colorSource_; }
    void SetColorSource(const std::string& value);
    const std::string& XLabelsSource() const { return xLabelsSource_; }
    void SetXLabelsSource(const std::string& value);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value) { cursor_ = value; }
    const std::string& ValueFormat() const { return valueFormat_; }
    virtual void SetValueFormat(const std::string& value) { SetField(valueFormat_, value); }
    const std::string& PercentFormat() const { return percentFormat_; }
    void SetPercentFormat(const std::string& value) { SetField(percentFormat_, value); }
    double DefaultNullValue() const { return defaultNullValue_; }
    void SetDefaultNullValue(double value) { defaultNullValue_ = value; }
    int RecalcOptions() const { return recalcOptions_; }
    void SetRecalcOptions(int value) { recalcOptions_ = value & rOnAll; }
    int SampleCount() const { return sampleCount_; }
    void SetSampleCount(int value) { sampleCount_ = value; }
    // Whether the points came from code or a description (and are stored with the form).
    bool ManualData() const { return manualData_; }
    void SetManualData(bool value) { manualData_ = value; }
    // The points are stored with the form when ForceSaveData is set, or when they are manual
    // data and DontSaveData is not set (SeriesDataStream.cpp).
    bool DontSaveData() const { return dontSaveData_; }
    void SetDontSaveData(bool value) { dontSaveData_ = value; }
    bool ForceSaveData() const { return forceSaveData_; }
    void SetForceSaveData(bool value) { forceSaveData_ = value; }
    bool StoresPointData() const { return forceSaveData_ || (manualData_ && !dontSaveData_); }
    // Whether the not-mandatory values (X for vertical series) carry meaning of their own.
    bool UsesNotMandatory() const { return useNotMandatory_; }

    // ---- value lists ---------------------------------------------------------------------------
    TChartValueList* XValues() const { return xValues_; }
    TChartValueList* YValues() const { return yValues_; }
    // Assign the list's settings (Order, DateTime, ValueSource) and repaint.
    void SetXValues(TChartValueList* value);
    void SetYValues(TChartValueList* value);
    TChartValueList* MandatoryValueList() const { return mandatory_; }
    TChartValueList* NotMandatoryValueList() const { return notMandatory_; }
    // Y is the value and X the position (vertical series); false for horizontal ones.
    bool YMandatory() const { return yMandatory_; }
    int ValueListCount() const { return valueLists_.Count(); }
    TChartValueList* ValueList(int index) const { return valueLists_[index]; }
    // The list from index 2 up named so (ignoring case); the mandatory list when none is.
    virtual TChartValueList* ValueListByName(const std::string& name) const;
    // XValues for a horizontal axis, YValues for a vertical one the series uses; else none.
    virtual TChartValueList* ValueListForAxis(TChartAxis* axis);
    const TLabelsList& Labels() const { return labels_; }
    std::string XLabel(int index) const { return labels_.Get(index); }
    void SetXLabel(int index, const std::string& label);
    // Whether some point has a colour of its own stored (the colour list exists).
    bool HasPointColors() const { return colors_.has_value(); }
    int PointColorCount() const { return colors_ ? static_cast<int>(colors_->size()) : 0; }

    // ---- points --------------------------------------------------------------------------------
    virtual int GetValueCount() const { return xValues_->Count(); }
    int Count() const { return GetValueCount(); }
    virtual double XValueAt(int index) const { return xValues_->ValueAt(index); }
    virtual double YValueAt(int index) const { return yValues_->ValueAt(index); }
    double MandatoryValueAt(int index) const { return mandatory_->ValueAt(index); }
    virtual double MarkValue(int index) const { return MandatoryValueAt(index); }

    // Adds one point keeping the X order; returns its index, or -1 when OnBeforeAdd refuses.
    virtual int AddXYValue(double x, double y, const std::string& label = {},
                           TColor color = clDefault);
    // Adds at the position given by the point count (X for vertical series, Y otherwise).
    virtual int AddValue(double value, const std::string& label = {}, TColor color = clDefault);
    virtual int AddNullValue(const std::string& label = {});
    virtual int AddNullPoint(double x, double y, const std::string& label = {});
    // Appends the values of the source's point (exchanged when the two differ in which value
    // is mandatory) by this series' X order; returns the new index.
    virtual int CopyValuesFrom(TChartSeries* source, int index);
    // The values, the colour and the label of the source's point, kept in step with the points.
    virtual void CopyPointFrom(TChartSeries* source, int index);
    virtual void ClearValues();
    // Raises ChartException "Series Delete: ValueIndex %d out of bounds (0 to %d)." for an index
    // outside the points (negative ones included).
    virtual void DeletePoint(int index);
    // Deletes count points from start (as many as there are); renumber numbers the positions
    // 0, 1, 2 ... afterwards.
    virtual void DeletePoints(int start, int count, bool renumber = false);
    // Exchanges two points in every value list, the colours and the labels.
    void SwapPoints(int a, int b) override;
    // Sorts the points by the mandatory list's Order and renumbers the positions.
    void ApplyValueOrder();
    // A point was added: OnAfterAdd, the linked series, a repaint.
    virtual void PointAdded(TChartSeries* sender, int index);
    virtual void SourcePointDeleted(TChartSeries* sender, int index);

    // clDefault when the point has no colour of its own.
    TColor OwnPointColor(int index) const;
    // The point's colour: its own, else the series colour (or a palette colour for each point).
    virtual TColor PointColor(int index) const;
    bool IsNull(int index) const { return PointColor(index) == clNone; }
    void SetPointColor(int index, TColor color);
    virtual TColor LegendItemColor(int index) const { return PointColor(index); }
    virtual int SourceIndex(int index) const { return index; }
    // The rows a legend of values shows for the series (SourceIndex gives each row's point).
    virtual int LegendValueCount() const { return Count(); }

    void BeginUpdate() { ++updateDepth_; }
    void EndUpdate();
    int UpdateDepth() const { return updateDepth_; }

    virtual double HighestX() { return xValues_->Highest(); }
    virtual double HighestY() { return yValues_->Highest(); }
    virtual double HighestZ() { return EffectiveZOrder(); }
    virtual double LowestX() { return xValues_->Lowest(); }
    virtual double LowestY() { return yValues_->Lowest(); }
    virtual double LowestZ() { return EffectiveZOrder(); }

    // The points inside the chart rectangle (-1 and -1 when none).
    virtual void UpdateVisibleRange();
    int FirstVisibleIndex() const { return firstVisible_; }
    int LastVisibleIndex() const { return lastVisible_; }
    int FirstDrawIndex() const { return DrawsAscending() ? firstVisible_ : lastVisible_; }
    int LastDrawIndex() const { return DrawsAscending() ? lastVisible_ : firstVisible_; }
    // The points of the chart's current page.
    void PageRange(int& first, int& last) const;
    virtual bool UsesAxis(TChartAxis* axis) const;

    // Design-time and gallery sample data. FillSampleValues(0) takes SampleCount, or
    // DefaultSampleCount when that is 0; a negative count raises ChartException.
    void FillSampleValues(int count = 0);
    virtual void AddSampleValues(int count, bool onlyMandatory);
    virtual int DefaultSampleCount() const { return DefaultNumberOfSamples; }
    virtual void PrepareForGallery(bool enabled);

    // ---- pixels --------------------------------------------------------------------------------
    virtual int PixelX(int index);
    virtual int PixelY(int index);
    virtual void PointPixels(int index, int& x, int& y);
    int XValueToPixel(double value) const;
    int YValueToPixel(double value) const;
    int MandatoryValueToPixel(double value) const;
    double XPixelToValue(int pixel) const;
    double YPixelToValue(int pixel) const;
    // The point's pixel lies inside the chart rectangle, edges included.
    virtual bool PointInChartRect(int index);

    // ---- drawing -------------------------------------------------------------------------------
    virtual void DoBeforeDrawValues();
    virtual void DoAfterDrawValues();
    // DrawPoint for every visible point in drawing order, each in a group named by its index.
    virtual void DrawVisiblePoints();
    // Series types draw one point; nothing here.
    virtual void DrawPoint(int) {}
    virtual void DrawLegendShape(int index, const TRect& rect);
    // The mark of one point, measured above it: series types move it (by the callout, beside
    // a bar) before the marks keep and draw it; here it is drawn as measured.
    virtual void DrawMark(int index, const std::string& text, TSeriesMarkPosition& position);
    virtual bool DrawsAscending() const;
    virtual bool NormalRotation() const;
    virtual void ListSubStyles(const TSubStyleProc& add);
    virtual void ApplySubStyle(TChartSeries*, int) {}
    // Series types without axes (pies) answer false.
    virtual bool HasAxes() const { return true; }
    // The point under a pixel; series types answer, -1 here.
    virtual int PointAt(int, int) { return -1; }
    bool HasClickHandlers() const { return OnClick || OnDblClick; }
    // The chart asks on mouse moves: whether the pointer is over a point (fires the enter and
    // leave events and sets the cursor).
    bool CheckMouse(int x, int y);
    bool MouseOver() const { return mouseOver_; }

    // ---- texts (SeriesTexts.cpp) ---------------------------------------------------------------
    // Between the lines of a multi-line mark, and between the columns of a legend text.
    static constexpr char LineSeparator = '\r';
    static constexpr char ColumnSeparator = '\x06';
    // The point's mandatory value in ValueFormat.
    std::string ValueText(int index) const;
    // The point's label, or its value text when the label is empty.
    std::string LabelOrValueText(int index) const;
    // The point's position value as its horizontal axis labels it (ValueFormat without an axis).
    std::string XText(int index) const;
    // The mark's text: the point's own item text, else by the marks' Style (smsLabel without
    // marks), then OnGetMarkText.
    std::string MarkText(int index);
    // |value| as a share of the absolute sum in PercentFormat (100 when the sum is 0); with the
    // total, "<p> of <sum>" (on two lines for multi-line marks).
    std::string PercentText(int index, bool withTotal) const;
    // The legend text of a point in a legend text style (the ordinal of TLegendTextStyle), its
    // columns parted by ColumnSeparator.
    std::string LegendItemText(int index, int textStyle) const;
    // Title, else the component's name, else "Series" and the 1-based place in the chart.
    std::string DisplayTitle() const;
    // The coloured symbol of a legend row (index -1: the whole series) in rect, drawn with the
    // series' pen and brush in the point's legend colour; nothing for clNone, nor for the
    // whole series when each point has its own colour. The chart does not repaint meanwhile.
    void DrawLegendEntry(int index, const TRect& rect);
    // Series types may change the symbol's back colour and brush style.
    virtual void PrepareLegendBrush(int, TColor&, TBrushStyle&) {}

    // ---- sources, linked series and the function (SeriesSources.cpp) ---------------------------
    TDataSourcesList& DataSources() { return dataSources_; }
    const TDataSourcesList& DataSources() const { return dataSources_; }
    // The first data source; none without sources. Setting a component checks and adds it as
    // the only source (SetDataSourceItem); setting none removes the first source.
    TComponent* DataSource() const;
    void SetDataSource(TComponent* source);
    // Checks the component (through the chart; without one it must be a usable series, else
    // ChartException "No ParentChart to validate DataSource"), refuses a circle of series
    // sources ("Circular Series dependences are not allowed"), empties the list first when
    // asked (not while loading), adds the source and reloads. -1 when it is a source already.
    int SetDataSourceItem(TComponent* source, bool clearOthers);
    // Appends a source unchecked (a series links this one to itself; a series source is taken
    // over); -1 for none. The points are no longer manual data.
    int AddDataSourceItem(TComponent* source);
    // Lets the source go; the first source takes every other with it. Then reloads.
    void RemoveDataSourceItem(TComponent* source);
    // Leaves the linked series of every source series.
    void UnlinkFromSources();
    // The data source let go (the list removed it).
    void SourceDropped(TComponent* source);
    virtual bool AcceptsAsSource(TChartSeries* source) const { return source != this; }
    // No function, or the function takes the series.
    bool FunctionAcceptsSource(TChartSeries* source) const;
    // A series other than this one that the function accepts.
    bool IsUsableSource(TComponent* component) const;
    // Raises ChartException "Circular Series dependences are not allowed" when dest is among
    // the series source takes its points from, directly or through others.
    static void RefuseCircularSource(const TChartSeries* dest, TComponent* source);
    // Asks the chart to refill the series from its sources (nothing in a batch or detached).
    void ReloadFromSource();
    // Replaces the points: through the function, or as copies of the source's points.
    virtual void LoadFromSource(TChartSeries* source);
    // Tells the linked series what changed (TLinkedEvent), each as its RecalcOptions ask.
    virtual void NotifyLinked(int event, int index);
    int LinkedSeriesCount() const { return static_cast<int>(linkedSeries_.size()); }
    TChartSeries* LinkedSeries(int index) const { return linkedSeries_.at(index); }
    // The function computing the points from the sources; none by default. Setting one frees
    // the old one (when this series owns it), adopts an unowned one and reloads.
    TPlotFunction* Function() const { return function_; }
    virtual void SetFunction(TPlotFunction* function);
    // A function yields one point over all source points only when the series allows it.
    bool AllowSinglePoint() const { return allowSinglePoint_; }

    // ---- events --------------------------------------------------------------------------------
    TNotifyEvent AfterDrawValues;
    TNotifyEvent BeforeDrawValues;
    TSeriesOnAfterAdd OnAfterAdd;
    TSeriesOnBeforeAdd OnBeforeAdd;
    TSeriesOnClear OnClearValues;
    TSeriesClick OnClick;
    TSeriesClick OnDblClick;
    TSeriesOnGetMarkText OnGetMarkText;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    // Value lists of series types with more dimensions (appended after X and Y).
    TChartValueList* AddValueList(const std::string& name);
    // Horizontal series: X is the value, Y the position.
    void SetXMandatory();
    // Removes every value, the colours, the labels and the marks' positions and items.
    virtual void ClearPointLists();
    void SetMarkPoints(TSeriesMarkPoints* marks) { markPoints_ = marks; }
    // Replaces the own series colour for one drawing pass, telling no listener.
    void SetColorQuietly(TColor value) { color_ = value; }
    // Series types that narrow their depth slot set it after CalcZRange.
    void SetZRange(int startZ, int endZ) {
        startZ_ = startZ;
        endZ_ = endZ;
        middleZ_ = (startZ + endZ) / 2;
    }
    // Series types that widen the visible range set it after UpdateVisibleRange.
    void SetVisibleRange(int first, int last) {
        firstVisible_ = first;
        lastVisible_ = last;
    }
    TSeriesMarkPoints* MarkPoints() const { return markPoints_; }

    // Capabilities series types switch.
    bool calcVisiblePoints_ = true;
    bool drawBetweenPoints_ = false;
    bool allowSinglePoint_ = true;
    bool hasZValues_ = false;
    bool useSeriesColor_ = true;
    bool useNotMandatory_ = true;

private:
    // The list reports.
    void ValueListChanged(TChartValueList& list) override;
    void ValueSourceChanged(TChartValueList& list) override;
    void ValueOrderChanged(TChartValueList& list, int index) override;

    bool SeriesColorStored() const { return color_ != clDefault; }
    bool ValueFormatStored() const { return valueFormat_ != DefaultValueFormat; }
    bool PercentFormatStored() const { return percentFormat_ != DefaultPercentFormat; }
    void CheckPointIndex(int index) const;
    void InsertPointColor(int index, TColor color);
    void DeletePointColors(int first, int count);
    // Whether the pixel range of the axis runs against the values for the visible range.
    void VisibleEdgeValues(double& low, double& high) const;
    void RemoveLinkedSeries(TChartSeries* series);
    // Sources and function (SeriesSources.cpp).
    friend class TPlotFunction;
    void TakeOverSource(TPlotSeriesSource* source);
    void ReleaseSources();
    void ForgetFunction(TPlotFunction* function);
    void DropFunction(TPlotFunction* function);
    void DefineDataSources(TFiler* filer);
    void AssignSettings(TChartSeries* other);
    void SampleRange(int count, double& x, double& stepX, double& y, double& rangeY);
    void DefinePointData(TFiler* filer);
    void DefineCustomAxes(TFiler* filer);

    TColor color_ = clDefault;
    bool colorEachPoint_ = false;
    std::optional<std::vector<TColor>> colors_;
    std::string colorSource_;
    TCursor cursor_ = crDefault;
    TDataSourcesList dataSources_;
    int depth_ = -1;
    TChartAxis* horizAxisBound_ = nullptr;
    TChartAxis* vertAxisBound_ = nullptr;
    std::string xLabelsSource_;
    std::vector<TChartSeries*> linkedSeries_;
    std::vector<std::string> pendingSourceNames_;
    TPlotFunction* function_ = nullptr; // owned when its Owner() is this series
    std::string percentFormat_ = DefaultPercentFormat;
    std::string valueFormat_ = DefaultValueFormat;
    TChartValueLists valueLists_;
    TChartValueList* xValues_ = nullptr;
    TLabelsList labels_;
    TChartValueList* yValues_ = nullptr;
    double defaultNullValue_ = 0;
    THorizAxis horizAxis_ = aBottomAxis;
    TChartAxis* customHorizAxis_ = nullptr;
    TChartAxis* customVertAxis_ = nullptr;
    int zOrder_ = -1;
    TVertAxis vertAxis_ = aLeftAxis;
    int recalcOptions_ = rOnAll;
    bool mouseOver_ = false;
    TColor autoColor_ = clDefault;
    bool manualData_ = false;
    bool dontSaveData_ = false;
    bool forceSaveData_ = false;
    int firstVisible_ = -1;
    int lastVisible_ = -1;
    int sampleCount_ = 0;
    int updateDepth_ = 0;
    int internalZOrder_ = 0;
    int startZ_ = 0;
    int middleZ_ = 0;
    int endZ_ = 0;
    TChartValueList* mandatory_ = nullptr;
    std::unique_ptr<TSeriesMarks> marks_;
    TChartValueList* notMandatory_ = nullptr;
    bool yMandatory_ = true;
    TSeriesMarkPoints* markPoints_ = nullptr;
    TCursor savedChartCursor_ = crDefault;
};
