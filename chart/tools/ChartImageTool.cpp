#include "chart/tools/ChartImageTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/imaging/PlotFilter.h"
#include "chart/tools/ToolTexts.h"

namespace {

// Clips the canvas to a 3D box while it lives (when asked to), also when the drawing raises.
class TBoxClip {
public:
    TBoxClip(TCanvas3D& canvas, bool clip, const TRect& r, int depth)
        : canvas_(canvas), clip_(clip) {
        if (clip_)
            canvas_.ClipToBox(r, 0, depth);
    }
    ~TBoxClip() {
        if (clip_)
            canvas_.RemoveClip();
    }
    TBoxClip(const TBoxClip&) = delete;
    TBoxClip& operator=(const TBoxClip&) = delete;

private:
    TCanvas3D& canvas_;
    bool clip_;
};

} // namespace

TChartImageTool::TChartImageTool(TComponent* owner)
    : TPlotCustomToolSeries(owner), picture_(std::make_unique<TPlotPicture>()) {
    Pen()->SetVisible(false);
    picture_->OnChange = [this](TObject*) { Repaint(); };
}

TChartImageTool::~TChartImageTool() = default;

void TChartImageTool::DeclareProperties(TPropertyList& p) {
    using T = TChartImageTool;
    p.Add("Active", &T::Active, &T::SetActive).Default(true);
    p.Add("Pen", &T::Pen, &T::SetPen);
    p.Add("Picture", &T::Picture, &T::SetPicture);
}

std::string TChartImageTool::ToolTitleText() const {
    return ToolText(ttImageTitle);
}

std::string TChartImageTool::ToolSummaryText() const {
    return ToolText(ttImageSummary);
}

void TChartImageTool::SetSeries(TChartSeries* value) {
    TPlotCustomToolSeries::SetSeries(value);
    Repaint();
}

void TChartImageTool::SetPicture(TPlotPicture* value) {
    picture_->Assign(value);
}

TRect TChartImageTool::PictureRect() const {
    if (TChartSeries* series = Series()) {
        return {series->XValueToPixel(series->LowestX()), series->YValueToPixel(series->HighestY()),
                series->XValueToPixel(series->HighestX()),
                series->YValueToPixel(series->LowestY())};
    }
    TChartAxis* horiz = HorizAxisOf();
    TChartAxis* vert = VertAxisOf();
    return {horiz->PixelOf(horiz->Minimum()), vert->PixelOf(vert->Maximum()),
            horiz->PixelOf(horiz->Maximum()), vert->PixelOf(vert->Minimum())};
}

void TChartImageTool::DrawPicture(TCanvas3D& canvas) {
    TCustomAxisPanel* panel = Panel();
    TGraphic* graphic = picture_->Filtered();
    if (graphic == nullptr || graphic->Empty())
        return;
    const TRect r = PictureRect();
    const bool view3D = panel->View3D();
    const int depth = view3D ? panel->Depth3D() : 0;
    const TBoxClip clip(canvas, panel->ClippingAllowed(), panel->PlotRect(), depth);
    if (view3D && !canvas.IsOrthogonal()) {
        // The plane lays the picture the filters made, not the original.
        TPicture filtered;
        TPicture* laid = picture_.get();
        if (graphic != picture_->Graphic()) {
            filtered.SetGraphic(graphic);
            laid = &filtered;
        }
        canvas.GraphicOnPlane(r, laid, depth, 2);
    } else {
        canvas.GetDeviceContext()->StretchDraw(canvas.ProjectRect(r, depth), graphic);
    }
    if (Pen()->Visible()) {
        canvas.ApplyChartPen(Pen(), Pen()->Color());
        canvas.Brush()->SetStyle(bsClear);
        canvas.RectangleAtDepth(r, depth);
    }
}

void TChartImageTool::ChartToolEvent(TChartToolEventKind kind) {
    TPlotCustomToolSeries::ChartToolEvent(kind);
    TCustomAxisPanel* panel = Panel();
    if (kind != ctkBeforeDrawSeries || panel == nullptr || panel->DrawCanvas() == nullptr)
        return;
    DrawPicture(*panel->DrawCanvas());
}
