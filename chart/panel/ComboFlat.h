#pragma once
// The flat combo box of the chart editors: a drop-down list that shows a flat frame and button
// until the mouse is over it or it has the focus, when it shows the platform's own look.

#include "platform/stdctrls/ComboBox.h"

#include <string>

class TComboFlat : public TComboBox {
    Q4_CLASS(TComboFlat, TComboBox)
public:
    // 21 pixels high, items 13 high, a drop-down list; on a Japanese desktop in the chart
    // library's font.
    explicit TComboFlat(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    void WndProc(TMessage& message) override;

    // The chosen item's text (empty with none) and object (null with none).
    std::string CurrentText() const;
    TObject* CurrentObject() const;
    bool MouseInside() const { return mouseInside_; }

    // The width of the button area at the right of the box.
    static constexpr int ButtonWidth = 18;

protected:
    bool PaintsOver() const override;
    void PaintOver(TCanvas& canvas, const TRect& client) override;

private:
    // The list is as wide as the box unless it was made wider; only then is it stored.
    int StoredDropDownWidth() const { return DropDownWidth() > 0 ? DropDownWidth() : Width(); }
    void SetStoredDropDownWidth(int width) { SetDropDownWidth(width == Width() ? 0 : width); }
    bool DropDownWidthStored() const { return DropDownWidth() > 0 && DropDownWidth() != Width(); }
    void SetMouseInside(bool inside);

    bool mouseInside_ = false;
};
