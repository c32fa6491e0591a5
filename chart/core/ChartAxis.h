#pragma once
// One axis of a chart: the four standard axes, the two depth axes and any custom axes are all
// TChartAxis objects held by the chart. An axis owns its pens, its title and its labels, and
// keeps the range, scale and labelling state of the current drawing:
//   - ChartAxis.cpp: properties, construction, SetMinMax, the date-time test;
//   - AxisScale.cpp: the range chain (automatic extremes, scale, rounding to the label step,
//     pixel span, margins), value <-> pixel conversions and scrolling;
//   - AxisLabels.cpp: label steps, label texts and label sizes;
//   - AxisDraw.cpp: the room the axis takes beside the chart rectangle, the title and the labels;
//   - AxisText.cpp: one axis text at any angle, multi-line, with its shape and exponent;
//   - AxisTicks.cpp: the axis line, ticks, minor ticks and grids, flat and on the 3D walls.
// Setters store a changed value and repaint the chart; the checked ones raise AxisException and
// keep the old value. TChartDepthAxis is the Z axis; TChartAxisTitle the title; TChartAxisPen
// the axis line's pen.

#include "chart/core/AxisDrawHost.h"
#include "chart/core/AxisGridPen.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisTextShape.h"
#include "chart/core/ChartHost.h"
#include "chart/draw/ChartPen.h"
#include "platform/classes/Collection.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCanvas3D;
class TChartSeries;

Q4_EXCEPTION(AxisException, Exception);

Q4_ENUM(TAxisLabelAlign, alDefault, alOpposite);
Q4_ENUM(TAxisLabelStyle, talAuto, talNone, talValue, talMark, talText);
Q4_ENUM(TPenLineMode, lmLine, lmCylinder, lmRectangle);

// The pen of the axis line: width 2, drawn as a line, a cylinder or a rectangle.
class TChartAxisPen : public TChartPen {
    Q4_CLASS(TChartAxisPen, TChartPen)
public:
    explicit TChartAxisPen(TNotifyEvent onChange = {});
    static void DeclareProperties(TPropertyList& p);
    using TChartPen::Assign;
    void Assign(TPersistent* source) override;
    TPenLineMode LineMode() const { return lineMode_; }
    void SetLineMode(TPenLineMode value);

private:
    TPenLineMode lineMode_ = lmLine;
};

// The axis title: a caption drawn at an angle (stored when it differs from the default angle the
// chart gives each axis).
class TChartAxisTitle : public TAxisTextShape {
    Q4_CLASS(TChartAxisTitle, TAxisTextShape)
public:
    explicit TChartAxisTitle(TChartHost* chart = nullptr);
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;
    int Angle() const { return angle_; }
    // Kept modulo 360.
    void SetAngle(int value);
    int DefaultAngle() const { return defaultAngle_; }
    void SetDefaultAngle(int value) { defaultAngle_ = angle_ = value; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);

private:
    bool AngleStored() const { return angle_ != defaultAngle_; }
    int angle_ = 0;
    int defaultAngle_ = 0;
    std::string caption_;
};

// The chart's custom axes: axes created after the six standard ones join this collection.
class TChartCustomAxes : public TCollection {
    Q4_CLASS(TChartCustomAxes, TCollection)
public:
    explicit TChartCustomAxes(TChartHost* chart, TPersistent* owner = nullptr);
    TChartHost* Chart() const { return chart_; }

private:
    TChartHost* chart_;
};

using TAxisDrawLabelEvent = std::function<void(TChartAxis* sender, int& x, int& y, int& z,
                                               std::string& text, bool& drawLabel)>;
// Lets a tool shorten the axis maximum: called with the axis, -1, a flag and a value that starts
// as the internal maximum; the internal maximum is then reduced by what the value holds.
using TAxisMaximumHook =
    std::function<void(TChartAxis* axis, int index, bool& flag, double& value)>;

class TChartAxis : public TCollectionItem {
    Q4_CLASS(TChartAxis, TCollectionItem)

    static constexpr const char* DefaultAxisValuesFormat = "#,##0.###";
    // Pixels never go beyond this many either way (the drawing calls' coordinate range).
    static constexpr int PixelLimit = 67108863;
    // The smallest label steps.
    static constexpr double MinNumberStep = 1e-12;
    static constexpr double MinDateTimeStep = 1.0 / 86400000000.0; // one microsecond
    // Most value labels measured for MaxLabelsWidth.
    static constexpr int MaxMeasuredLabels = 5000;

    // Created by the chart (for the standard axes) or by its custom-axes collection. The axis
    // joins the collection only when the chart already has its six standard axes; either way it
    // appends itself to the chart's list of every axis.
    explicit TChartAxis(TCollection* collection);
    ~TChartAxis() override;
    static void DeclareProperties(TPropertyList& p);
    // Copies the settings, fields only (not ZPosition or OnDrawLabel).
    void Assign(TPersistent* source) override;

    TChartHost* ParentChart() const { return chart_; }
    bool IsDepthAxis() const { return isDepthAxis_; }
    // A custom axis: after the six standard ones in the chart's list.
    bool IsCustom() const;

    // ---- range ---------------------------------------------------------------------------------
    bool Automatic() const { return automatic_; }
    void SetAutomatic(bool value);
    bool AutomaticMaximum() const { return automaticMaximum_; }
    void SetAutomaticMaximum(bool value);
    bool AutomaticMinimum() const { return automaticMinimum_; }
    void SetAutomaticMinimum(bool value);
    double Minimum() const { return minimum_; }
    void SetMinimum(double value);
    double Maximum() const { return maximum_; }
    void SetMaximum(double value);
    // Both ends at once, in either order, without the range checks; the automatic flags go off.
    void SetMinMax(double a, double b);
    double Increment() const { return increment_; }
    void SetIncrement(double value);
    bool Logarithmic() const { return logarithmic_; }
    void SetLogarithmic(bool value);
    double LogarithmicBase() const { return logarithmicBase_; }
    void SetLogarithmicBase(double value);
    bool MaximumRound() const { return maximumRound_; }
    void SetMaximumRound(bool value) { SetField(maximumRound_, value); }
    bool MinimumRound() const { return minimumRound_; }
    void SetMinimumRound(bool value) { SetField(minimumRound_, value); }
    int MaximumOffset() const { return maximumOffset_; }
    void SetMaximumOffset(int value) { SetField(maximumOffset_, value); }
    int MinimumOffset() const { return minimumOffset_; }
    void SetMinimumOffset(int value) { SetField(minimumOffset_, value); }

    // ---- placement -----------------------------------------------------------------------------
    bool Horizontal() const { return horizontal_; }
    void SetHorizontal(bool value);
    bool OtherSide() const { return otherSide_; }
    void SetOtherSide(bool value) { SetField(otherSide_, value); }
    bool Inverted() const { return inverted_; }
    virtual void SetInverted(bool value) { SetField(inverted_, value); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { SetField(visible_, value); }
    double StartPosition() const { return startPosition_; }
    void SetStartPosition(double value) { SetField(startPosition_, value); }
    double EndPosition() const { return endPosition_; }
    void SetEndPosition(double value) { SetField(endPosition_, value); }
    double PositionPercent() const { return positionPercent_; }
    void SetPositionPercent(double value) { SetField(positionPercent_, value); }
    TPlotUnits PositionUnits() const { return positionUnits_; }
    void SetPositionUnits(TPlotUnits value) { SetField(positionUnits_, value); }
    double ZPosition() const { return zPosition_; }
    // 0 becomes 0.01.
    void SetZPosition(double value);

    // ---- labels --------------------------------------------------------------------------------
    const std::string& AxisValuesFormat() const { return axisValuesFormat_; }
    void SetAxisValuesFormat(const std::string& value) { SetField(axisValuesFormat_, value); }
    const std::string& DateTimeFormat() const { return dateTimeFormat_; }
    void SetDateTimeFormat(const std::string& value) { SetField(dateTimeFormat_, value); }
    bool ExactDateTime() const { return exactDateTime_; }
    void SetExactDateTime(bool value) { SetField(exactDateTime_, value); }
    bool Labels() const { return items_->Format()->Visible(); }
    void SetLabels(bool value) { items_->Format()->SetVisible(value); }
    TAxisLabelAlign LabelsAlign() const { return labelsAlign_; }
    void SetLabelsAlign(TAxisLabelAlign value) { SetField(labelsAlign_, value); }
    bool LabelsAlternate() const { return labelsAlternate_; }
    void SetLabelsAlternate(bool value) { SetField(labelsAlternate_, value); }
    int LabelsAngle() const { return labelsAngle_; }
    // Kept as 0 .. 359 (a negative angle counts back from 360).
    void SetLabelsAngle(int value);
    bool LabelsExponent() const { return labelsExponent_; }
    void SetLabelsExponent(bool value) { SetField(labelsExponent_, value); }
    TPlotFont* LabelsFont() const { return items_->Format()->Font(); }
    void SetLabelsFont(TPlotFont* font) { LabelsFont()->Assign(font); }
    bool LabelsMultiLine() const { return labelsMultiLine_; }
    void SetLabelsMultiLine(bool value) { SetField(labelsMultiLine_, value); }
    bool LabelsOnAxis() const { return labelsOnAxis_; }
    void SetLabelsOnAxis(bool value) { SetField(labelsOnAxis_, value); }
    int LabelsSeparation() const { return labelsSeparation_; }
    void SetLabelsSeparation(int value);
    int LabelsSize() const { return labelsSize_; }
    void SetLabelsSize(int value) { SetField(labelsSize_, value); }
    TAxisLabelStyle LabelStyle() const { return labelStyle_; }
    void SetLabelStyle(TAxisLabelStyle value) { SetField(labelStyle_, value); }
    bool RoundFirstLabel() const { return roundFirstLabel_; }
    void SetRoundFirstLabel(bool value) { SetField(roundFirstLabel_, value); }
    TAxisItems* Items() const { return items_.get(); }

    // ---- pens, ticks and title -----------------------------------------------------------------
    TChartAxisPen* Axis() const { return axisPen_.get(); }
    void SetAxis(TChartAxisPen* pen) { axisPen_->Assign(pen); }
    TAxisGridPen* Grid() const { return grid_.get(); }
    void SetGrid(TAxisGridPen* pen) { grid_->Assign(pen); }
    bool GridCentered() const { return grid_->Centered(); }
    void SetGridCentered(bool value) { grid_->SetCentered(value); }
    TChartHiddenPen* MinorGrid() const { return minorGrid_.get(); }
    void SetMinorGrid(TChartHiddenPen* pen) { minorGrid_->Assign(pen); }
    TDarkGrayPen* Ticks() const { return ticks_.get(); }
    void SetTicks(TDarkGrayPen* pen) { ticks_->Assign(pen); }
    TDarkGrayPen* TicksInner() const { return ticksInner_.get(); }
    void SetTicksInner(TDarkGrayPen* pen) { ticksInner_->Assign(pen); }
    TDarkGrayPen* MinorTicks() const { return minorTicks_.get(); }
    void SetMinorTicks(TDarkGrayPen* pen) { minorTicks_->Assign(pen); }
    int TickLength() const { return tickLength_; }
    void SetTickLength(int value) { SetField(tickLength_, value); }
    int TickInnerLength() const { return tickInnerLength_; }
    void SetTickInnerLength(int value) { SetField(tickInnerLength_, value); }
    int MinorTickCount() const { return minorTickCount_; }
    void SetMinorTickCount(int value) { SetField(minorTickCount_, value); }
    int MinorTickLength() const { return minorTickLength_; }
    void SetMinorTickLength(int value) { SetField(minorTickLength_, value); }
    bool TickOnLabelsOnly() const { return tickOnLabelsOnly_; }
    void SetTickOnLabelsOnly(bool value) { SetField(tickOnLabelsOnly_, value); }
    TChartAxisTitle* Title() const { return title_.get(); }
    void SetTitle(TChartAxisTitle* title) { title_->Assign(title); }
    int TitleSize() const { return titleSize_; }
    void SetTitleSize(int value) { SetField(titleSize_, value); }

    TAxisDrawLabelEvent OnDrawLabel;
    // Hooks of tools and series types.
    TAxisMaximumHook LabelMaximumHook;
    std::function<void(TChartAxis*)> AxisLineHook;
    std::function<void(TChartAxis*)> BeforeGridHook;

    // ---- queries -------------------------------------------------------------------------------
    // The first active series with a value list for this axis holds date-times.
    bool IsDateTime() const;
    // Remembers IsDateTime for the drawing about to start (labels and steps follow it).
    void CheckDateTime() { axisDateTime_ = IsDateTime(); }
    bool AxisDateTime() const { return axisDateTime_; }
    // The point lies on the title as last drawn (rotated by its angle).
    bool TitleClicked(int x, int y) const;
    // The label style talAuto stands for: none without active series on the axis, text when a
    // series of the matching orientation has labels, else values.
    virtual TAxisLabelStyle AutoLabelStyle() const;
    TAxisLabelStyle EffectiveLabelStyle() const {
        return labelStyle_ == talAuto ? AutoLabelStyle() : labelStyle_;
    }

    // ---- range chain and scale (AxisScale.cpp) -------------------------------------------------
    void GetAutoExtremes(double& minimum, double& maximum);
    // Takes the automatic range into Minimum and Maximum, then scales and rounds.
    void AdjustRange();
    void UpdateScale();
    void RoundToStep();
    // The pixel span from the chart rectangle and StartPosition/EndPosition.
    void CalcStartEnd();
    // Widens the range so that `before` and `after` pixels (left/right or top/bottom) stay free.
    void ApplyMargins(int before, int after);
    double PixelToValue(int pixel) const;
    int PixelOfX(double value) const { return PixelIn(value, true); }
    int PixelOfY(double value) const { return PixelIn(value, false); }
    // The function of the axis' own direction.
    int PixelOf(double value) const { return horizontal_ ? PixelOfX(value) : PixelOfY(value); }
    // Moves the range by offset; with checkLimits only towards series values beyond it.
    void ScrollBy(double offset, bool checkLimits);
    int ApplyPositionOffset(int pixel, const TRect& rect) const;
    int SideOf(const TRect& rect) const;
    // Chooses the value-to-pixel functions for the settings (and the chart's fast calculation).
    void SelectPositionFunctions();

    double InternalMinimum() const { return iMinimum_; }
    double InternalMaximum() const { return iMaximum_; }
    double Range() const { return iRange_; }
    bool ZeroRange() const { return iRangeZero_; }
    // Moves the pixel span by delta without changing the scale (a series' offset shadow is
    // drawn through the axis moved and moved back).
    void ShiftPixels(int delta) {
        iStartPos_ += delta;
        iEndPos_ += delta;
        iCenterPos_ += delta;
    }
    int StartPixel() const { return iStartPos_; }
    int EndPixel() const { return iEndPos_; }
    int PixelSize() const { return iAxisSize_; }
    int CenterPixel() const { return iCenterPos_; }
    int ZPixel() const { return iZPos_; }
    double PixelsPerUnit() const { return iAxisScale_; }

    // ---- label steps and texts (AxisLabels.cpp) ------------------------------------------------
    // 1 -> 2 -> 5 -> 10 -> 20 ...; an infinite step gives 1.
    static double NextNiceStep(double x);
    double NearestLogPower(double x) const;
    // The step for at most count labels.
    double LabelStepForCount(int count);
    double LabelStepForSize(int labelSize);
    // The label of the value measured along the axis.
    int LabelExtent(double value);
    // The step the labels use.
    double CalcLabelStep();
    virtual std::string LabelValueText(double value);
    // Room the labels need across the axis.
    int MaxLabelsWidth();
    // A fixed size wins; else the font height when the text runs across the axis, the text's
    // width otherwise (MaxLabelsWidth when text is null).
    int TextSize(TPlotFont* font, int angle, int fixedSize, const std::string* text);
    int LabelsRoom();
    // Lines of a text separated by carriage returns ("" 0, "a" 1, "a\r" 1, "a\rb" 2).
    static int TextLineCount(const std::string& text);

    // ---- drawing (AxisDraw.cpp, AxisText.cpp, AxisTicks.cpp)
    // -------------------------------------- Places the axis beside rect. With takeRoom the title,
    // the labels, the wall beside the axis and the axis' own line and ticks take their room out of
    // rect (outward: down for a bottom axis, up for a top one, left for a left one, right for a
    // right one); without it the axis lies on rect's side and its labels and title outside it.
    void CalcAxisRoom(TRect& rect, bool takeRoom);
    // The title position again from the labels position and the labels' room (after the
    // series' margins moved the axis).
    void CalcTitlePosition();
    // Draws the title, the labels, the ticks, the grid and the axis line on the chart canvas,
    // inside a drawing group named "axis"; with setAxisPosition the axis first moves to the side
    // of the chart rectangle.
    void DrawAxis(bool setAxisPosition);
    // One axis text at (x, y, z) at an angle: aligned by the axis' side, lines separated by
    // carriage returns growing away from the axis, with shape (a custom label or the title; none
    // for the automatic labels) drawn behind it, through OnDrawLabel.
    void DrawAxisText(int x, int y, int z, TAxisTextShape* shape, const std::string& text,
                      int angle);
    // The point lies on the axis or its labels, as last drawn.
    bool ClickedAt(int x, int y);

    // Pixels across the axis, as last placed: its line, the labels' inner edge, the title's.
    int AxisPosition() const { return iPosAxis_; }
    int LabelsPosition() const { return iPosLabels_; }
    int TitlePosition() const { return iPosTitle_; }
    // The room of the axis line and the ticks across the axis.
    int AxisSize() const;
    // For the depth axis: where it runs across the chart (its Y): the chart rectangle's bottom
    // less the Z pixel on the other side, its top plus it otherwise.
    int DepthAxisPosition() const;
    // The tick pixels of the last drawing, in the order the labels were drawn.
    const std::vector<int>& TickPositions() const { return tickPixels_; }
    // The chart shows the axis in this drawing (set by the chart while it fits the axes).
    bool Shown() const { return shown_; }
    void SetShown(bool value) { shown_ = value; }
    // Tools hide the grid lines on the back wall or along the floor and side walls.
    bool HideBackGrid() const { return hideBackGrid_; }
    void SetHideBackGrid(bool value) { hideBackGrid_ = value; }
    bool HideSideGrid() const { return hideSideGrid_; }
    void SetHideSideGrid(bool value) { hideSideGrid_ = value; }

protected:
    // Stores a changed value and repaints the chart.
    template <class T> bool SetField(T& field, const T& value) {
        const bool changed = StoreChanged(field, value);
        if (changed)
            Repaint();
        return changed;
    }
    void Repaint();
    bool ChartLoading() const;
    void SetDepthAxisFlag(bool value) { isDepthAxis_ = value; }

private:
    enum class TPositionKind { Clamped, Plain, Log, Depth };

    bool HorizontalStored() const { return IsCustom(); }
    bool MinimumStored() const { return !automatic_ && !automaticMinimum_; }
    bool MaximumStored() const { return !automatic_ && !automaticMaximum_; }
    bool ZPositionStored() const;
    bool LogarithmicBaseStored() const { return logarithmicBase_ != 10; }
    bool AxisValuesFormatStored() const { return axisValuesFormat_ != DefaultAxisValuesFormat; }
    bool StartPositionStored() const { return startPosition_ != 0; }
    bool EndPositionStored() const { return endPosition_ != 100; }
    bool PositionPercentStored() const { return positionPercent_ != 0; }
    void PenChanged(TObject*) { Repaint(); }
    void SetAutomaticEnd(bool& end, bool otherEnd, bool value);
    double StepForNumbers(int count);
    double StepForDateTimes(int count);
    int TextLabelsWidth();
    int ClampedPixel(double b) const;
    int PixelIn(double value, bool xDirection) const;
    void MeasureValueLabels(int& widest, int& lines);
    int MaxLabelsLines();

    // Drawing.
    TAxisDrawHost* DrawHost() const;
    int WallSize(TChartAxis* axis) const;
    int MoveOutward(int pixel, int amount) const;
    int TakeRoom(TRect& rect, int amount) const;
    void SetPositionsBeside(const TRect& rect);
    void DrawTitle();
    void DrawLabels();
    int LabelDateStep(double step) const;
    double PreviousLabelValue(double value, double step, int dateStep) const;
    void DrawValueLabels(double step, int dateStep);
    void DrawLogarithmicLabels();
    bool DrawEventLabels();
    void DrawSeriesLabels(bool marks);
    void DrawDepthLabels();
    void DrawCustomLabels();
    void DrawValueLabel(double value);
    void DrawLabelAt(int pixel, const std::string& text, TAxisItem* item, double value);
    void AddTick(int pixel, double value);
    int AlternateRowWidth();
    unsigned AlignText(int angle, const TAxisTextShape* shape, const std::string& text, int& x,
                       int& y);
    int DrawingLabelsRoom();
    void MoveToFirstLine(int angle, int lines, int lineHeight, int& x, int& y) const;
    void DrawTextShape(TAxisTextShape* shape, const std::string& text, unsigned align, int angle,
                       int x, int y, int z);
    void DrawExponentText(int x, int y, int z, const std::string& text);
    void DrawTicksAndGrid();
    void DrawAxisLine();
    void DrawTickMarks(const std::vector<int>& pixels, int offset, int length);
    void DrawGridLines(const std::vector<int>& pixels);
    void DrawGridLine3D(int pixel);
    std::vector<int> GridPixels() const;
    std::vector<int> MinorPixels() const;

    TChartHost* chart_ = nullptr;
    bool automatic_ = true;
    bool automaticMaximum_ = true;
    bool automaticMinimum_ = true;
    std::unique_ptr<TChartAxisPen> axisPen_;
    std::string axisValuesFormat_ = DefaultAxisValuesFormat;
    std::string dateTimeFormat_;
    bool exactDateTime_ = true;
    std::unique_ptr<TAxisGridPen> grid_;
    double increment_ = 0;
    bool inverted_ = false;
    bool horizontal_ = false;
    bool otherSide_ = false;
    TAxisLabelAlign labelsAlign_ = alDefault;
    bool labelsAlternate_ = false;
    int labelsAngle_ = 0;
    bool labelsExponent_ = false;
    bool labelsMultiLine_ = false;
    bool labelsOnAxis_ = true;
    int labelsSeparation_ = 10;
    int labelsSize_ = 0;
    TAxisLabelStyle labelStyle_ = talAuto;
    bool logarithmic_ = false;
    double logarithmicBase_ = 10;
    double maximum_ = 0;
    int maximumOffset_ = 0;
    bool maximumRound_ = false;
    double minimum_ = 0;
    int minimumOffset_ = 0;
    bool minimumRound_ = false;
    std::unique_ptr<TChartHiddenPen> minorGrid_;
    int minorTickCount_ = 3;
    int minorTickLength_ = 2;
    std::unique_ptr<TDarkGrayPen> minorTicks_;
    double startPosition_ = 0;
    double endPosition_ = 100;
    double positionPercent_ = 0;
    TPlotUnits positionUnits_ = muPercent;
    bool roundFirstLabel_ = true;
    int tickInnerLength_ = 0;
    int tickLength_ = 4;
    std::unique_ptr<TDarkGrayPen> ticks_;
    std::unique_ptr<TDarkGrayPen> ticksInner_;
    bool tickOnLabelsOnly_ = true;
    std::unique_ptr<TChartAxisTitle> title_;
    int titleSize_ = 0;
    bool visible_ = true;
    double zPosition_ = 0;

    // State of the current drawing.
    std::unique_ptr<TAxisItems> items_;
    bool axisDateTime_ = false;
    bool isDepthAxis_ = false;
    double iLogMax_ = 0;
    double iLogMin_ = 0;
    double iLogRange_ = 0;
    double iAxisLogScale_ = 0;
    double iMaximum_ = 0;
    double iMinimum_ = 0;
    double iRange_ = 0;
    bool iRangeZero_ = true;
    double iAxisScale_ = 0;
    int iCenterPos_ = 0;
    int iZPos_ = 0;
    int iStartPos_ = 0;
    int iEndPos_ = 0;
    int iAxisSize_ = 0;
    TPositionKind positionKind_ = TPositionKind::Clamped;

    // Placement and the last drawing.
    int iPosAxis_ = 0;
    int iPosLabels_ = 0;
    int iPosTitle_ = 0;
    std::vector<int> tickPixels_;
    std::vector<double> tickValues_;
    bool shown_ = false;
    bool hideBackGrid_ = false;
    bool hideSideGrid_ = false;
    // While drawing: the chart canvas, the wall beside the axis, the alternate-row toggle and the
    // widest label (measured once, for alternate rows on vertical axes).
    TCanvas3D* canvas_ = nullptr;
    int wallOffset_ = 0;
    bool labelToggle_ = false;
    int alternateRowWidth_ = -1;
    int drawingLabelsRoom_ = -1;
};

// The Z axis: its labels are the series (or their Z values), and Inverted is shared by both
// depth axes.
class TChartDepthAxis : public TChartAxis {
    Q4_CLASS(TChartDepthAxis, TChartAxis)
public:
    explicit TChartDepthAxis(TCollection* collection);
    static void DeclareProperties(TPropertyList& p);
    TAxisLabelStyle AutoLabelStyle() const override;
    void SetInverted(bool value) override;
};
