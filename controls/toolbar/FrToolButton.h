#pragma once
// TFrToolButton: a windowless tool-bar button with an image from an image list (normal, hot,
// down and disabled images), an optional caption in four layouts, flat, classic or gradient
// looks, toggle groups, and a drop-down style whose 14-pixel arrow part opens a popup menu. On a
// TFrToolbar it takes the bar's images, button size, caption display, layout and visual style
// unless told otherwise.
//
// A press that closes the button's open menu must not open it again: a press on the arrow less
// than 100 ms after the menu closed only ends the menu. The time comes from a steady clock that
// tests can replace (SetDropDownClock).

#include "controls/buttons/FrBitBtn.h"
#include "controls/common/FrTextStyle.h"
#include "controls/paint/FrBitmaps.h"
#include "controls/paint/FrColors.h"
#include "platform/forms/Controls.h"
#include "platform/graphics/ImageList.h"
#include "platform/stdctrls/ControlTypes.h"

#include <cstdint>
#include <functional>

class TPopupMenu;
class TFrToolbar;

// Told by a tool bar to the buttons on it; each follows only while its matching UseToolbar...
// flag is set.
constexpr unsigned CM_FRTOOLBARCAPTIONS = 0xB3EA; // ShowButtonCaptions changed
constexpr unsigned CM_FRTOOLBARLAYOUT = 0xB3EB;   // ButtonLayout changed
constexpr unsigned CM_FRTOOLBARSIZE = 0xB3EC;     // ButtonWidth or ButtonHeight changed
constexpr unsigned CM_FRTOOLBARSTYLE = 0xB3ED;    // VisualStyle or GradientColorStyle changed

Q4_ENUM(TFrToolStyle, tsButton, tsDropDown);
Q4_ENUM(TFrToolButtonState, tbsUp, tbsDisabled, tbsDown, tbsExclusive, tbsDropped);

// Milliseconds of a steady clock.
using TFrDropDownClock = std::function<std::uint64_t()>;

class TFrToolButton : public TGraphicControl {
    Q4_CLASS(TFrToolButton, TGraphicControl)
public:
    static constexpr int ArrowWidth = 14;

    explicit TFrToolButton(TComponent* owner);
    ~TFrToolButton() override;
    static void DeclareProperties(TPropertyList& p);
    // Replaces the clock of the drop-down guard (null: the steady clock); returns the old one.
    static TFrDropDownClock SetDropDownClock(TFrDropDownClock clock);

    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v) { Change(alignment_, v); }
    bool Down() const { return down_; }
    void SetDown(bool v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v) { Change(imageIndex_, v); }
    int DownIndex() const { return downIndex_; }
    void SetDownIndex(int v) { Change(downIndex_, v); }
    int DisabledIndex() const { return disabledIndex_; }
    void SetDisabledIndex(int v) { Change(disabledIndex_, v); }
    int HotIndex() const { return hotIndex_; }
    void SetHotIndex(int v) { Change(hotIndex_, v); }
    TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(TPopupMenu* v);
    bool Flat() const { return flat_; }
    void SetFlat(bool v) { Change(flat_, v); }
    TFrGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
    void SetGradientColorStyle(TFrGradientColorStyle v) { Change(gradientColorStyle_, v); }
    TColor SelectionColorStart() const { return selectionColorStart_; }
    void SetSelectionColorStart(TColor v) { Change(selectionColorStart_, v); }
    TColor SelectionColorStop() const { return selectionColorStop_; }
    void SetSelectionColorStop(TColor v) { Change(selectionColorStop_, v); }
    TColor SelectionFrameColor() const { return selectionFrameColor_; }
    void SetSelectionFrameColor(TColor v) { Change(selectionFrameColor_, v); }
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v);
    // The button's own image list, else its tool bar's.
    TCustomImageList* Images() const { return imagesLink_.Sender(); }
    void SetImages(TCustomImageList* v);
    TCustomImageList* UsedImages() const;
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout v);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool v);
    TFrToolStyle ToolStyle() const { return toolStyle_; }
    void SetToolStyle(TFrToolStyle v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v) { Change(transparent_, v); }
    bool UseToolbarButtonLayout() const { return useLayout_; }
    void SetUseToolbarButtonLayout(bool v);
    bool UseToolbarButtonSize() const { return useSize_; }
    void SetUseToolbarButtonSize(bool v);
    bool UseToolbarShowCaption() const { return useCaption_; }
    void SetUseToolbarShowCaption(bool v);
    bool UseToolbarVisualStyle() const { return useStyle_; }
    void SetUseToolbarVisualStyle(bool v);
    TFrVisualStyle VisualStyle() const { return visualStyle_; }
    void SetVisualStyle(TFrVisualStyle v);
    // Setting the size by hand stops following the tool bar's button size.
    void SetButtonWidth(int v);
    void SetButtonHeight(int v);

    TFrToolButtonState State() const { return state_; }
    bool MouseInControl() const { return mouseOver_; }
    bool HasClickAction() const { return static_cast<bool>(OnClick); }
    // The tool bar the button sits on, or null.
    TFrToolbar* Toolbar() const;
    // Opens the drop-down menu under the button (nothing without one).
    virtual void DropDown();

    TNotifyEvent OnDropDown;

    void Click() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void SetParent(TWinControl* parent) override;
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler* filer) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // Painting steps (FrToolButtonPaint.cpp).
    virtual TRect DrawBorderAndBackground(TCanvas* canvas, TRect r);
    virtual void DrawDropDownPart(TCanvas* canvas);
    virtual void DrawImage(TCanvas* canvas, const TRect& r);
    virtual void DrawCaptionText(TCanvas* canvas, const TRect& r);
    void ImageAndCaptionRects(TCanvas* canvas, TRect& image, TRect& caption);
    // The gradient look's frame, start and stop colours: the button's own ones, or the colour
    // style's.
    void SelectionColors(TColor& frame, TColor& start, TColor& stop) const;
    bool FlatLook() const { return visualStyle_ != vsClassic || flat_; }
    bool DownIsh() const { return state_ == tbsDown || state_ == tbsExclusive; }
    // Picks up the tool bar's settings (the four messages to itself).
    void FollowToolbar();

private:
    template <class T> void Change(T& field, const T& value) {
        if (field == value)
            return;
        field = value;
        Invalidate();
    }
    bool IsHeightStored() const;
    bool IsToolbarStyleStored() const { return !useStyle_; }
    bool IsShowCaptionStored() const { return !useCaption_; }
    void BroadcastGroup();
    void ButtonPressed(int group, TFrToolButton* sender);
    void SizeFromToolbar();
    void DropDownPressed(int x);
    void UpdateHover(int x, int y);
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }

    bool allowAllUp_ = false;
    TAlignment alignment_ = taCenter;
    bool down_ = false;
    int imageIndex_ = -1;
    int downIndex_ = -1;
    int disabledIndex_ = -1;
    int hotIndex_ = -1;
    TPopupMenu* dropDownMenu_ = nullptr;
    bool flat_ = true;
    TFrGradientColorStyle gradientColorStyle_ = gcsSystem;
    TColor selectionColorStart_ = clBtnFace;
    TColor selectionColorStop_ = clBtnShadow;
    TColor selectionFrameColor_ = cl3DDkShadow;
    int groupIndex_ = 0;
    TChangeLink imagesLink_;
    TButtonLayout layout_ = blGlyphLeft;
    bool showCaption_ = false;
    TFrToolStyle toolStyle_ = tsButton;
    bool transparent_ = true;
    bool useLayout_ = true;
    bool useSize_ = true;
    bool useCaption_ = true;
    bool useStyle_ = true;
    TFrVisualStyle visualStyle_ = vsWinXP;
    TFrToolButtonState state_ = tbsUp;
    bool dragging_ = false;
    bool mouseOver_ = false;
    bool inDropDown_ = false;
    bool treatAsNormal_ = true;
    std::uint64_t dropTime_ = 0;
    bool followingToolbar_ = false;
};
