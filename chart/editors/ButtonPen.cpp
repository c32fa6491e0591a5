#include "chart/editors/ButtonPen.h"

#include "chart/draw/ChartPen.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/PenDialog.h"

#include <utility>

namespace {

constexpr int MaxSampleWidth = 6;

// Draws the sample at most MaxSampleWidth wide without telling the pen's owner: the pen's width
// and change notification are put back whatever happens while drawing.
class TSampleWidth {
public:
    explicit TSampleWidth(TChartPen& pen) : pen_(pen), width_(pen.Width()) {
        if (width_ <= MaxSampleWidth)
            return;
        onChange_ = std::exchange(pen_.OnChange, nullptr);
        pen_.SetWidth(MaxSampleWidth);
        narrowed_ = true;
    }
    ~TSampleWidth() {
        if (!narrowed_)
            return;
        pen_.SetWidth(width_);
        pen_.OnChange = std::move(onChange_);
    }
    TSampleWidth(const TSampleWidth&) = delete;
    TSampleWidth& operator=(const TSampleWidth&) = delete;

private:
    TChartPen& pen_;
    int width_;
    TNotifyEvent onChange_;
    bool narrowed_ = false;
};

} // namespace

TButtonPen::TButtonPen(TComponent* owner) : TPlotButton(owner) {}

void TButtonPen::LinkPen(TChartPen* pen) {
    BindProperty(pen, "");
    Invalidate();
}

TChartPen* TButtonPen::LinkedPen() const {
    return dynamic_cast<TChartPen*>(LinkedObject());
}

void TButtonPen::Click() {
    TChartPen* pen = LinkedPen();
    if (pen == nullptr) {
        TPlotButton::Click();
        return;
    }
    if (dialog_ == nullptr) {
        dialog_ = CreateEditorDialog<TPenDialog>(this);
        dialog_->Pen = pen;
        savedOnDestroy_ = dialog_->OnDestroy;
        dialog_->OnDestroy = [this](TObject* sender) {
            if (savedOnDestroy_)
                savedOnDestroy_(sender);
            dialog_ = nullptr;
        };
    }
    const bool ok = dialog_->ShowModal() == mrOk;
    if (dialog_ != nullptr)
        dialog_->Free();
    if (ok) {
        Repaint();
        TPlotButton::Click();
    }
}

void TButtonPen::DrawSymbol(TPlotCanvas3D& canvas) {
    TChartPen* pen = LinkedPen();
    if (!Enabled() || pen == nullptr)
        return;
    TSampleWidth sample(*pen);
    canvas.Brush()->SetStyle(bsClear);
    canvas.SelectPen(pen);
    if (!pen->Visible())
        return;
    const int y = Height() / 2;
    canvas.MoveTo(Width() - 17, y);
    canvas.LineTo(Width() - 6, y);
}
