#pragma once
// The colour button of the chart editors: a swatch of a colour beside its caption; a click runs
// the colour dialog and writes a changed colour back before the button's own click event fires.
// The colour comes from a getter when one is set, else from a linked published colour property,
// else from the button's own colour.

#include "chart/draw/PlotButton.h"
#include "platform/graphics/Color.h"

#include <functional>
#include <string>

class TButtonColor : public TPlotButton {
    Q4_CLASS(TButtonColor, TPlotButton)
public:
    explicit TButtonColor(TComponent* owner);

    // Links the button to obj's colour property name.
    void LinkProperty(TObject* obj, const std::string& name) { BindProperty(obj, name); }
    TColor SymbolColor() const;
    TColor OwnColor() const { return ownColor_; }
    void SetOwnColor(TColor color);

    void Click() override;
    void DrawSymbol(TPlotCanvas3D& canvas) override;

    std::function<TColor()> GetColorProc;

private:
    void StoreColor(TColor color);

    TColor ownColor_ = clNone;
};

// The colour dialog started from color: the chosen colour on OK, else color.
TColor EditColor(TComponent* owner, TColor color);
// True, with color changed, only when the dialog gave another colour.
bool EditColorVar(TComponent* owner, TColor& color);
