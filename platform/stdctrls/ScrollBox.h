#pragma once
// Scroll boxes.

#include "platform/forms/Controls.h"

// A container that scrolls its children when they reach past its client area.
class TScrollBox : public TWinControl {
    Q4_CLASS(TScrollBox, TWinControl)
public:
    explicit TScrollBox(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    QWidget* ChildHost() override;
    bool PaintsOwnWidget() const override { return false; }
    bool BorderNone() const { return borderNone_; }
    void SetBorderNone(bool v);
    // The size the children take (the scrolled area).
    TSize ContentSize() const;
    void UpdateContent();
    void AlignControls(TControl* changed, TRect& rect) override;

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;

private:
    QWidget* content_ = nullptr;
    bool borderNone_ = false;
};
