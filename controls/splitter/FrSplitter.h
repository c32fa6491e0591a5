#pragma once
// TFrSplitter: a framed panel divided by a bar into two panes, side by side (orHorizontal) or one
// above the other (orVertical). The bar's place is `Position` in pixels, or `Percent` of the size
// with `UsePercent`, kept inside margins; `FixedPane` is the pane that keeps its size when the
// splitter is resized. The user drags the bar (an outline follows the mouse, Escape cancels), and
// an optional hot spot in the middle of the bar closes one pane with a click and opens it again
// with the next.
//
// Position arithmetic is done in 64-bit integers and doubles and clamped before it is stored, so
// the "as far as it goes" position of a hot spot closed towards the maximum never overflows; when
// a hidden pane shows again, the position is checked against the size once more.

#include "controls/common/FrOrientation.h"
#include "controls/paint/FrBitmaps.h"
#include "controls/splitter/FrSplitterPane.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TFrDragOutline;

Q4_ENUM(TFixedPane, fpUpperLeft, fpLowerRight);
Q4_ENUM(TSelectedPane, spUpperLeft, spLowerRight);
Q4_ENUM(TSplitterStyle, ssStandard, ssGroove, ssBump, ssGroupBar);
Q4_ENUM(THotSpotDirection, hsdMin, hsdMax, hsdBoth);

using TPositionChangingEvent = std::function<void(TObject* Sender, int NewPos, bool& AllowChange)>;

class TFrSplitter : public TFrCustomPanel {
    Q4_CLASS(TFrSplitter, TFrCustomPanel)
public:
    explicit TFrSplitter(TComponent* owner);
    ~TFrSplitter() override;
    static void DeclareProperties(TPropertyList& p);

    // ---- panes --------------------------------------------------------------------------------
    TFrSplitterPane* UpperLeftPane() const { return panes_[0]; }
    TFrSplitterPane* LowerRightPane() const { return panes_[1]; }
    TFrPaneData* UpperLeft() const { return paneData_[0].get(); }
    void SetUpperLeft(TFrPaneData* v) { paneData_[0]->Assign(v); }
    TFrPaneData* LowerRight() const { return paneData_[1].get(); }
    void SetLowerRight(TFrPaneData* v) { paneData_[1]->Assign(v); }
    TSelectedPane SelectedPane() const { return selectedPane_; }
    void SetSelectedPane(TSelectedPane v) { selectedPane_ = v; }

    // ---- the bar's place ----------------------------------------------------------------------
    TOrientation Orientation() const { return orientation_; }
    void SetOrientation(TOrientation v);
    int Position() const { return position_; }
    void SetPosition(int v) { ChangePosition(v); }
    int Percent() const { return percent_; }
    void SetPercent(int v);
    int PercentMin() const { return percentMin_; }
    void SetPercentMin(int v);
    int PercentMax() const { return percentMax_; }
    void SetPercentMax(int v);
    bool UsePercent() const { return usePercent_; }
    void SetUsePercent(bool v);
    int MarginMin() const { return marginMin_; }
    void SetMarginMin(int v);
    int MarginMax() const { return marginMax_; }
    void SetMarginMax(int v);
    TFixedPane FixedPane() const { return fixedPane_; }
    void SetFixedPane(TFixedPane v);
    // The position the user last chose, counted from the fixed pane's side.
    int ManualPosition() const { return manualPosition_; }
    // Sets Position (when it differs) and takes the result as the user's chosen position.
    void SetPositionAndRemember(int v);

    // ---- the bar -------------------------------------------------------------------------------
    int SplitterWidth() const { return splitterWidth_; }
    void SetSplitterWidth(int v);
    TSplitterStyle SplitterStyle() const { return splitterStyle_; }
    void SetSplitterStyle(TSplitterStyle v);
    bool RealTimeDrag() const { return realTimeDrag_; }
    void SetRealTimeDrag(bool v) { realTimeDrag_ = v; }
    bool LockBar() const { return lockBar_; }
    void SetLockBar(bool v) { lockBar_ = v; }
    int GradientColorAdjustment() const { return gradientColorAdjustment_; }
    void SetGradientColorAdjustment(int v);
    TFrGroupBarGradientPath GradientPath() const { return gradientPath_; }
    void SetGradientPath(TFrGroupBarGradientPath v);
    // The bar as last laid out, in the splitter's coordinates (empty while a pane is hidden).
    TRect BarRect() const { return barRect_; }
    bool Dragging() const { return dragging_; }
    // The outline that follows the mouse during a drag (null when there is no drag).
    TFrDragOutline* DragOutline() const { return outline_.get(); }

    // ---- the hot spot --------------------------------------------------------------------------
    bool HotSpotVisible() const { return hotSpotVisible_; }
    void SetHotSpotVisible(bool v);
    TColor HotSpotColor() const { return hotSpotColor_; }
    void SetHotSpotColor(TColor v) { Change(hotSpotColor_, v); }
    TColor HotSpotDotColor() const { return hotSpotDotColor_; }
    void SetHotSpotDotColor(TColor v) { Change(hotSpotDotColor_, v); }
    TColor HotSpotFrameColor() const { return hotSpotFrameColor_; }
    void SetHotSpotFrameColor(TColor v) { Change(hotSpotFrameColor_, v); }
    TColor HotSpotHighlight() const { return hotSpotHighlight_; }
    void SetHotSpotHighlight(TColor v) { Change(hotSpotHighlight_, v); }
    THotSpotDirection HotSpotDirection() const { return hotSpotDirection_; }
    void SetHotSpotDirection(THotSpotDirection v) { Change(hotSpotDirection_, v); }
    bool HotSpotIgnoreMargins() const { return hotSpotIgnoreMargins_; }
    void SetHotSpotIgnoreMargins(bool v) { hotSpotIgnoreMargins_ = v; }
    int HotSpotSizePercent() const { return hotSpotSizePercent_; }
    void SetHotSpotSizePercent(int v);
    bool HotSpotClosed() const { return hotSpotClosed_; }
    bool HotSpotClosedToMin() const { return closedToMin_; }
    bool HotSpotClosedToMax() const { return closedToMax_; }
    // The position the bar returns to when the hot spot opens.
    int HotSpotPosition() const { return hotSpotPosition_; }
    TRect HotSpotRect() const { return hotSpotRect_; }
    bool HotSpotHighlighted() const { return highlighted_; }
    void ResetHotSpot() { hotSpotClosed_ = closedToMin_ = closedToMax_ = false; }

    // ---- overrides
    // -------------------------------------------------------------------------------
    void SetParentColorAll(bool v);
    void SetTransparentAll(bool v);
    void SetBorderOuterAndLayout(TFrameStyleEx v);
    void SetBorderInnerAndLayout(TFrameStyleEx v);
    void SetBorderSidesAndLayout(TSides v);
    void SetBorderWidthAndLayout(int v);
    void AlignControls(TControl* changed, TRect& rect) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void DefineProperties(TFiler* filer) override;
    void Loaded() override;
    void WndProc(TMessage& message) override;

    // Lays both panes and the bar out in the client area (nothing while loading).
    void LayoutPanes();
    // The area the panes share: the splitter less its border width and frames.
    TRect PaneArea() const;
    // The splitter's height (orVertical) or width.
    int Size() const;
    // BorderWidth and the frames on the left and top sides.
    int BorderThickness() const;

    TNotifyEvent OnChange;
    TPositionChangingEvent OnChanging;
    TNotifyEvent OnHotSpotClick;
    TGetSiteInfoEvent OnULGetSiteInfo, OnLRGetSiteInfo;
    TDragOverEvent OnULDockOver, OnLRDockOver;
    TDragDropEvent OnULDockDrop, OnLRDockDrop;
    TUnDockEvent OnULUnDock, OnLRUnDock;

protected:
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;

private:
    friend class TFrSplitterPane;
    // The Position setter: checks, asks OnChanging, stores, lays out and reports.
    void ChangePosition(int64_t v);
    // A requested position kept between the margins (only while both panes show).
    int CheckPosition(int64_t v) const;
    bool BothPanesVisible() const;
    int PercentOf(int position) const;
    int PositionOfPercent(int percent) const;
    void MarginsFromPercent();
    int ManualPositionOf(int position) const;
    void PaneVisibilityChanged();
    void UpdateHotSpotRect();
    void ResizePanes();
    void BindPaneControls();
    // Drag and hot spot (FrSplitterDrag.cpp).
    bool OnHotSpot(TPoint p) const;
    void StartDrag(TPoint p);
    void EndDrag(TPoint p);
    void CancelDrag();
    void ToggleHotSpot(TPoint p);
    void MoveOutline(int position);
    void TrackHotSpot(TPoint p, bool inside);
    void UpdateCursor(TPoint p);
    int CoordinateOf(TPoint p) const { return orientation_ == orVertical ? p.Y : p.X; }
    // Painting (FrSplitterPaint.cpp).
    void PaintBar(TCanvas* canvas);
    void PaintHotSpot(TCanvas* canvas);
    void PaintHotSpotArrows(TCanvas* canvas, const TRect& inside);
    void PaintHotSpotDots(TCanvas* canvas, const TRect& inside);
    template <class T> void Change(T& field, const T& value) {
        if (field == value)
            return;
        field = value;
        Invalidate();
    }

    TFrSplitterPane* panes_[2] = {nullptr, nullptr};
    std::unique_ptr<TFrPaneData> paneData_[2];
    std::vector<std::string> paneControlNames_[2];
    TSelectedPane selectedPane_ = spUpperLeft;
    TOrientation orientation_ = orHorizontal;
    int position_ = 100;
    int marginMin_ = 0;
    int marginMax_ = 0;
    bool usePercent_ = false;
    int percent_ = 50;
    int percentMin_ = 0;
    int percentMax_ = 100;
    TFixedPane fixedPane_ = fpUpperLeft;
    int fixedSize_ = 100;
    int manualPosition_ = 100;
    int splitterWidth_ = 4;
    TSplitterStyle splitterStyle_ = ssStandard;
    bool realTimeDrag_ = false;
    bool lockBar_ = false;
    TRect barRect_{};
    int gradientColorAdjustment_ = 30;
    TFrGroupBarGradientPath gradientPath_ = gpTopToBottom;
    bool resizing_ = false;
    // Drag state.
    bool dragging_ = false;
    int dragStart_ = 0;
    int centreOffset_ = 0;
    int lastPosition_ = 0;
    std::unique_ptr<TFrDragOutline> outline_;
    // Hot spot.
    bool hotSpotVisible_ = false;
    TColor hotSpotColor_ = clBtnFace;
    TColor hotSpotDotColor_ = clHighlight;
    TColor hotSpotFrameColor_ = clBtnShadow;
    TColor hotSpotHighlight_ = clWindow;
    THotSpotDirection hotSpotDirection_ = hsdMin;
    bool hotSpotIgnoreMargins_ = true;
    int hotSpotSizePercent_ = 40;
    bool hotSpotClosed_ = false;
    bool closedToMin_ = false;
    bool closedToMax_ = false;
    bool pressedOnHotSpot_ = false;
    int hotSpotPosition_ = 100;
    TRect hotSpotRect_{};
    bool highlighted_ = false;
    TPoint mouse_{};
};
