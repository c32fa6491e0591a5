#pragma once
// Tool bars and their tool buttons, painted by the controls themselves.

#include "platform/forms/Controls.h"
#include "platform/stdctrls/ButtonPress.h"

#include <vector>

class TCustomImageList;

Q4_ENUM(TToolButtonStyle, tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider);

class TToolBar;

// A button of a tool bar: an image from the bar's image list, a hint, and with tbsCheck a
// down state (Grouped check buttons side by side behave as one group).
class TToolButton : public TGraphicControl {
    Q4_CLASS(TToolButton, TGraphicControl)
public:
    explicit TToolButton(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle v);
    bool Down() const { return down_; }
    void SetDown(bool v);
    bool Grouped() const { return grouped_; }
    void SetGrouped(bool v) { grouped_ = v; }
    TToolBar* ToolBar() const;
    void Click() override;
    void SetParent(TWinControl* parent) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    int imageIndex_ = -1;
    TToolButtonStyle style_ = tbsButton;
    bool down_ = false;
    bool grouped_ = false;
    TButtonPress press_;
};

// Lays its tool buttons (and other controls) out left to right in reading order, wrapping when
// Wrapable.
class TToolBar : public TCustomControl {
    Q4_CLASS(TToolBar, TCustomControl)
public:
    explicit TToolBar(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* v);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int v);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int v);
    bool Flat() const { return flat_; }
    void SetFlat(bool v);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool v);
    bool Wrapable() const { return wrapable_; }
    void SetWrapable(bool v);
    int ButtonCount() const;
    TToolButton* Buttons(int i) const;
    // Places the controls; run when buttons come, go or change size.
    void ArrangeButtons();
    void Loaded() override;

protected:
    void Paint() override;
    void Resize() override;

private:
    TCustomImageList* images_ = nullptr;
    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
    bool flat_ = false;
    bool showCaptions_ = false;
    bool wrapable_ = true;
    bool arranging_ = false;
    std::vector<TControl*> order_;
};
