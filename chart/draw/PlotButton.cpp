#include "chart/draw/PlotButton.h"

#include "chart/draw/PlotCanvas3D.h"
#include "platform/classes/Properties.h"

namespace {

// The layer the symbol is painted on: a graphic control covering the button, painted after the
// button itself. It takes no mouse input, so clicks reach the button.
class TPlotButtonSymbol : public TGraphicControl {
    Q4_CLASS(TPlotButtonSymbol, TGraphicControl)
public:
    explicit TPlotButtonSymbol(TComponent* owner) : TGraphicControl(owner) {}

protected:
    void Paint() override {
        auto* button = dynamic_cast<TPlotButton*>(Owner());
        if (button == nullptr)
            return;
        TPlotCanvas3D canvas;
        canvas.SetBufferedDisplay(false);
        canvas.AttachCanvas(Canvas());
        button->DrawSymbol(canvas);
    }
};

} // namespace

TPlotButton::TPlotButton(TComponent* owner) : TButton(owner) {
    auto* symbol = new TPlotButtonSymbol(this);
    symbol->SetEnabled(false);
    symbol->SetParent(this);
    symbol->SetAlign(alClient);
}

TPlotButton::~TPlotButton() = default;

void TPlotButton::BindProperty(TObject* obj, const std::string& name) {
    linked_ = obj;
    if (obj == nullptr)
        return;
    info_ = name.empty() ? nullptr : GetPropInfo(obj, name);
    Invalidate();
}

TRect TPlotButton::SymbolRect() const {
    const int w = Width();
    const int h = Height();
    return {w - 19, h - (h / 4) * 3, w - 6, h - h / 4};
}

void TPlotButton::DrawSymbol(TPlotCanvas3D&) {}
