#pragma once
// TFrCustomPanel: the container base of the framed controls. It draws an outer and an inner frame
// with an optional coloured border between them, a plain or gradient client fill, an optional
// design grid and a caption with margins and vertical alignment; its aligned children sit inside
// the frames. TFrPanel publishes it.
//
// While the panel is disabled its children are disabled too. What each child was before is kept
// in the enabled-state list, and so is every Enabled a child is given meanwhile, so that enabling
// the panel again gives each child the state last asked of it.

#include "controls/common/FrFrameController.h"
#include "controls/common/FrTextStyle.h"
#include "controls/containers/FrControlExtras.h"
#include "controls/paint/FrBitmaps.h"
#include "controls/paint/FrColors.h"
#include "controls/paint/FrFrames.h"
#include "platform/stdctrls/Panel.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class TFiler;

Q4_ENUM(TFrGridStyle, gsDots, gsDottedLines, gsSolidLines);

class TFrCustomPanel : public TCustomPanel, public IFramingNotification {
    Q4_CLASS(TFrCustomPanel, TCustomPanel)
public:
    explicit TFrCustomPanel(TComponent* owner);
    ~TFrCustomPanel() override;
    static void DeclareProperties(TPropertyList& p);

    TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
    void SetAlignmentVertical(TAlignmentVertical v);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor v);
    TFrameStyleEx BorderInner() const { return borderInner_; }
    void SetBorderInner(TFrameStyleEx v);
    TFrameStyleEx BorderOuter() const { return borderOuter_; }
    void SetBorderOuter(TFrameStyleEx v);
    TSides BorderSides() const { return borderSides_; }
    void SetBorderSides(TSides v);
    TColor BorderHighlight() const { return borderHighlight_; }
    void SetBorderHighlight(TColor v);
    TColor BorderShadow() const { return borderShadow_; }
    void SetBorderShadow(TColor v);
    TColor FlatColor() const { return flatColor_; }
    void SetFlatColor(TColor v);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    void SetFlatColorAdjustment(int v);
    TFrFrameController* FrameController() const { return frameController_; }
    void SetFrameController(TFrFrameController* v);
    TFrFrameControllerNotifications FrameControllerNotifications() const { return notifications_; }
    void SetFrameControllerNotifications(TFrFrameControllerNotifications v) { notifications_ = v; }
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool v) { fullRepaint_ = v; }
    bool Locked() const { return locked_; }
    void SetLocked(bool v) { locked_ = v; }
    TFrGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
    void SetGradientColorStyle(TFrGradientColorStyle v);
    TColor GradientColorStart() const { return gradientColorStart_; }
    void SetGradientColorStart(TColor v);
    TColor GradientColorStop() const { return gradientColorStop_; }
    void SetGradientColorStop(TColor v);
    TGradientDirection GradientDirection() const { return gradientDirection_; }
    void SetGradientDirection(TGradientDirection v);
    TColor GridColor() const { return gridColor_; }
    void SetGridColor(TColor v);
    TFrGridStyle GridStyle() const { return gridStyle_; }
    void SetGridStyle(TFrGridStyle v);
    int GridXSize() const { return gridXSize_; }
    void SetGridXSize(int v);
    int GridYSize() const { return gridYSize_; }
    void SetGridYSize(int v);
    bool PaintClientArea() const { return paintClientArea_; }
    void SetPaintClientArea(bool v);
    bool ShowDockClientCaptions() const { return showDockClientCaptions_; }
    void SetShowDockClientCaptions(bool v) { showDockClientCaptions_ = v; }
    bool ShowGrid() const { return showGrid_; }
    void SetShowGrid(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    int TextMargin() const { return textMargin_; }
    void SetTextMargin(int v);
    int TextMarginVertical() const { return textMarginVertical_; }
    void SetTextMarginVertical(int v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    TFrVisualStyle VisualStyle() const { return visualStyle_; }
    void SetVisualStyle(TFrVisualStyle v);
    TFrPadding* Padding() const { return padding_.get(); }
    void SetPadding(TFrPadding* v) { padding_->Assign(v); }

    // Runs at the end of every paint.
    TNotifyEvent OnPaint;

    // Moves the sides of `rect` in by the frames (and the border width when asked).
    TRect ShrinkByBorders(TRect rect, bool includeBorderWidth) const;
    // Whether `child` is recorded as disabled in the enabled-state list.
    bool RecordedDisabled(const TControl* child) const;

    void FramingChanged() override;
    void AlignControls(TControl* changed, TRect& rect) override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler* filer) override;
    void SetBounds(int left, int top, int width, int height) override;

    TFrInertProperties inert_;

protected:
    TRect PaintBounds() const { return Rect(0, 0, Width(), Height()); }
    virtual void GradientColors(TColor& start, TColor& stop) const;
    virtual void FlatFrameColors(TColor& color, int& adjustment) const;
    virtual void PaintCaption(TRect rect);
    virtual void PaintGrid(const TRect& rect);
    // Shrinks the client rectangle by what the border width (and a subclass's caption) take,
    // before the frames are taken off for the children.
    virtual void AdjustChildArea(TRect& rect);
    // The panel's own painting: frames, fill, grid, caption, then OnPaint.
    void PaintPanel();
    void Paint() override;
    // Changes a property the painting reads: stores it and repaints, when it differs.
    template <class T> bool Change(T& field, const T& value) {
        if (field == value)
            return false;
        field = value;
        Invalidate();
        return true;
    }
    template <class T> void ChangeAndRealign(T& field, const T& value) {
        if (Change(field, value))
            Realign();
    }

private:
    bool IsColorStored() const { return !ParentColor() && Color() != clBtnFace; }
    void EnabledChanged();
    void ChildEnabledSet(TControl* child, bool value);
    void InvalidateChildren();

    TAlignmentVertical alignmentVertical_ = avCenter;
    TColor borderColor_ = clBtnFace;
    TFrameStyleEx borderInner_ = fsNone;
    TFrameStyleEx borderOuter_ = fsRaised;
    TSides borderSides_ = AllSides;
    TColor borderHighlight_ = clBtnHighlight;
    TColor borderShadow_ = clBtnShadow;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    TFrFrameController* frameController_ = nullptr;
    TFrFrameControllerNotifications notifications_ =
        TFrFrameControllerNotifications::FromBits(AllFrameControllerNotifications);
    bool fullRepaint_ = true;
    bool locked_ = false;
    TFrGradientColorStyle gradientColorStyle_ = gcsSystem;
    TColor gradientColorStart_ = clWhite;
    TColor gradientColorStop_ = clBtnFace;
    TGradientDirection gradientDirection_ = gdHorizontalEnd;
    TColor gridColor_ = clBtnShadow;
    TFrGridStyle gridStyle_ = gsDots;
    int gridXSize_ = 8;
    int gridYSize_ = 8;
    bool paintClientArea_ = true;
    bool showDockClientCaptions_ = true;
    bool showGrid_ = false;
    bool transparent_ = false;
    int textMargin_ = 0;
    int textMarginVertical_ = 0;
    bool wordWrap_ = true;
    TFrVisualStyle visualStyle_ = vsWinXP;
    std::unique_ptr<TFrPadding> padding_;
    // The enabled-state list: each child with the state it is to have when the panel is enabled
    // again. Filled when the panel is disabled.
    std::vector<std::pair<TControl*, bool>> enabledStates_;
    bool settingChildren_ = false;
};

class TFrPanel : public TFrCustomPanel {
    Q4_CLASS(TFrPanel, TFrCustomPanel)
public:
    explicit TFrPanel(TComponent* owner) : TFrCustomPanel(owner) {}
};
