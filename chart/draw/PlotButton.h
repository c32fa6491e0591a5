#pragma once
// A push button of the chart's editing dialogs linked to one property of one object; it draws a
// symbol of that property's value (a colour swatch, a pen) through a chart canvas, over the button
// the platform paints.

#include "chart/draw/ChartTypes.h"
#include "platform/stdctrls/Button.h"

class TPlotCanvas3D;
class TPropInfo;

class TPlotButton : public TButton {
    Q4_CLASS(TPlotButton, TButton)
public:
    explicit TPlotButton(TComponent* owner);
    ~TPlotButton() override;

    // Links the button to obj's property name (an empty name forgets the property) and repaints.
    void BindProperty(TObject* obj, const std::string& name);
    TObject* LinkedObject() const { return linked_; }
    const TPropInfo* LinkedProperty() const { return info_; }
    // Where the symbol goes: 19 to 6 pixels from the right, the middle half of the height.
    TRect SymbolRect() const;

    // Draws the symbol of the linked value; the base draws nothing.
    virtual void DrawSymbol(TPlotCanvas3D& canvas);

private:
    TObject* linked_ = nullptr;
    const TPropInfo* info_ = nullptr;
};
