#pragma once
// Panels: containers with bevels and a caption, painted by the control itself.

#include "platform/forms/Controls.h"
#include "platform/stdctrls/ControlTypes.h"

Q4_ENUM(TPanelBevel, bvNone, bvLowered, bvRaised, bvSpace);

// A container with an outer and an inner bevel and a caption. Aligned children are placed inside
// the bevels and the border.
class TCustomPanel : public TCustomControl {
    Q4_CLASS(TCustomPanel, TCustomControl)
public:
    explicit TCustomPanel(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel v);
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel v);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int v);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    void AlignControls(TControl* changed, TRect& rect) override;
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    // How far the bevels and the border reach in from each edge.
    int Inset() const;

private:
    void Changed();
    TPanelBevel bevelInner_ = bvNone;
    TPanelBevel bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
    Q4_CLASS(TPanel, TCustomPanel)
public:
    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};
