#include "chart/editors/ButtonColor.h"

#include "chart/draw/PlotCanvas3D.h"
#include "platform/classes/Properties.h"
#include "platform/forms/Dialogs.h"

TButtonColor::TButtonColor(TComponent* owner) : TPlotButton(owner) {}

TColor TButtonColor::SymbolColor() const {
    if (GetColorProc)
        return GetColorProc();
    if (LinkedObject() != nullptr && LinkedProperty() != nullptr)
        return ColorToRGB(
            static_cast<TColor>(GetOrdProp(LinkedObject(), LinkedProperty()->Name())));
    return ownColor_;
}

void TButtonColor::SetOwnColor(TColor color) {
    ownColor_ = color;
    Invalidate();
}

void TButtonColor::StoreColor(TColor color) {
    if (LinkedObject() != nullptr && LinkedProperty() != nullptr)
        SetOrdProp(LinkedObject(), LinkedProperty()->Name(), color);
    else
        ownColor_ = color;
}

void TButtonColor::Click() {
    TColor color = SymbolColor();
    if (!EditColorVar(this, color))
        return;
    StoreColor(color);
    Repaint();
    TPlotButton::Click();
}

void TButtonColor::DrawSymbol(TPlotCanvas3D& canvas) {
    const TColor color = SymbolColor();
    if (color == clNone)
        return;
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(color);
    canvas.Pen()->SetStyle(Enabled() ? psSolid : psClear);
    canvas.Pen()->SetColor(clBlack);
    canvas.Pen()->SetWidth(1);
    canvas.Rectangle(SymbolRect());
}

TColor EditColor(TComponent*, TColor color) {
    TColorDialog dialog(nullptr);
    dialog.SetColor(color);
    return dialog.Execute() ? dialog.Color() : color;
}

bool EditColorVar(TComponent* owner, TColor& color) {
    const TColor chosen = EditColor(owner, color);
    if (chosen == color)
        return false;
    color = chosen;
    return true;
}
