#include "chart/editors/gallery/GalleryChart.h"

#include "chart/draw/PlotCanvas3D.h"
#include "chart/editors/gallery/GalleryPanel.h"
#include "chart/imaging/Resample.h"
#include "platform/forms/Messages.h"
#include "platform/graphics/Bitmap.h"

#include <algorithm>

namespace {

constexpr TColor kGrey = 0x808080;
constexpr TColor kSilver = 0xC0C0C0;
constexpr TColor kNavy = 0x800000;

void GalleryAxis(TChartAxis* axis) {
    axis->SetLabelStyle(talValue);
    axis->Grid()->SetSmallDots(true);
    axis->Grid()->SetSmallSpace(3);
    axis->LabelsFont()->SetSize(7);
    axis->LabelsFont()->SetColor(kGrey);
}

void GalleryWall(TChartWall* wall) {
    wall->SetColor(clWhite);
    wall->SetSize(4);
    wall->Pen()->SetColor(kGrey);
    wall->Gradient()->SetVisible(true);
    wall->Gradient()->SetStartColor(kGrey);
    wall->Gradient()->SetEndColor(kSilver);
}

// Puts back what the supersampled drawing changes, also when the drawing raises: the title's
// visibility and rectangle (then the title drawn once at that place), the margins, the flag.
class TSmoothScope {
public:
    TSmoothScope(TGalleryChart& chart, bool& flag)
        : chart_(chart), flag_(flag), titleRect_(chart.Title()->ShapeRect),
          titleVisible_(chart.Title()->Visible()) {
        flag_ = true;
    }
    ~TSmoothScope() {
        TChartTitle* title = chart_.Title();
        title->SetVisible(titleVisible_);
        title->ShapeRect = titleRect_;
        try {
            // The title keeps its full-size font: drawn on top at the place it had.
            title->SetCustomPosition(true);
            title->Draw();
        } catch (...) {
        }
        title->SetCustomPosition(false);
        title->ShapeRect = titleRect_;
        chart_.ResetMargins();
        flag_ = false;
    }
    TSmoothScope(const TSmoothScope&) = delete;
    TSmoothScope& operator=(const TSmoothScope&) = delete;

private:
    TGalleryChart& chart_;
    bool& flag_;
    TRect titleRect_;
    bool titleVisible_;
};

} // namespace

TGalleryChart::TGalleryChart(TComponent* owner) : TCustomChart(owner) {
    Legend()->SetVisible(false);
    GalleryAxis(LeftAxis());
    GalleryAxis(BottomAxis());
    Title()->Font()->SetColor(kNavy);
    Zoom()->Animated = true;
    TView3DOptions* view = View3DOptions();
    view->SetOrthogonal(false);
    view->SetZoom(90);
    view->SetPerspective(55);
    const TChartGalleryPanel* panel = Panel();
    if (panel != nullptr && panel->FocusRotation()) {
        view->SetRotation(335);
        view->SetElevation(350);
    }
    SetChart3DPercent(100);
    SetClipPoints(false);
    Frame()->SetVisible(false);
    SetBevelWidth(2);
    SetBevelOuter(bvNone);
    GalleryWall(LeftWall());
    GalleryWall(BottomWall());
    OnAfterDraw = [this](TObject*) { AfterDraw(); };
    ResetMargins();
}

TChartGalleryPanel* TGalleryChart::Panel() const {
    return dynamic_cast<TChartGalleryPanel*>(Owner());
}

void TGalleryChart::SetSmooth(bool on) {
    if (on == smooth_)
        return;
    smooth_ = on;
    Invalidate();
}

void TGalleryChart::ResetMargins() {
    const int margin = View3D() ? 4 : 5;
    for (int side = 0; side < 4; ++side)
        SetMargin(side, margin);
}

// ---- the arrow ----------------------------------------------------------------------------------

TRect TGalleryChart::ArrowHotSpot() const {
    TPoint p[3];
    ArrowPoints(p);
    const int x = p[0].X, y = p[0].Y + 8;
    return {x, y - 12, x + 12, y};
}

void TGalleryChart::ArrowPoints(TPoint (&points)[3]) const {
    const bool border = Border()->Visible();
    int a = border ? Border()->Width() : 0;
    if (Shadow()->Size() > 0)
        a += Shadow()->Size();
    int x = 4 + (border ? Border()->Width() : 0);
    if (smooth_) {
        x /= 2;
        a /= 2;
    }
    const int y = Height() - a;
    points[0] = {x, y - 8};
    points[1] = {x + 7, y - 8};
    points[2] = {x + 3, y - 4};
}

void TGalleryChart::DrawArrow() {
    TPoint p[3];
    ArrowPoints(p);
    TCanvas3D* canvas = DrawCanvas();
    canvas->Pen()->SetMode(pmNotXor);
    canvas->Pen()->SetStyle(psClear);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBlack);
    canvas->Polygon({p[0], p[1], p[2]});
    canvas->Pen()->SetMode(pmCopy);
    canvas->Pen()->SetStyle(psSolid);
    arrowDrawn_ = true;
}

// ---- drawing ------------------------------------------------------------------------------------

void TGalleryChart::AfterDraw() {
    arrowDrawn_ = false;
    if (smooth_ && !drawingSmooth_)
        SmoothRedraw();
    if (drawingSmooth_)
        return;
    const TChartGalleryPanel* panel = Panel();
    if (HasGradient() && Gradient()->Visible() && panel != nullptr && panel->DisplaySub())
        DrawArrow();
}

void TGalleryChart::SmoothRedraw() {
    if (Width() < 2 || Height() < 2)
        return;
    TCanvas3D* dc = DrawCanvas();
    // The canvas and the rectangle this drawing goes to (the back buffer, or another canvas).
    TCanvas* target = dc->Canvas();
    const TRect bounds = PanelBounds();
    const int w = std::max(2, bounds.Width()), h = std::max(2, bounds.Height());
    TSmoothScope scope(*this, drawingSmooth_);
    LeftAxis()->SetLabels(true);
    BottomAxis()->SetLabels(true);
    Title()->SetVisible(false);
    SetMargin(1, 30);
    std::unique_ptr<TBitmap> doubled = CreateBitmapImage(Color(), {0, 0, 2 * w, 2 * h}, pf24bit);
    dc->BeginDrawing(target, View3DOptions(), View3D(), bounds);
    TBitmap small(w, h);
    ResampleBitmap(*doubled, small, rqFast);
    target->Draw(bounds.Left, bounds.Top, &small);
}

// ---- the mouse ----------------------------------------------------------------------------------

void TGalleryChart::DrawHoverFrame(bool visible) {
    const TColor light = visible ? clWhite : Color();
    const TColor dark = visible ? kGrey : Color();
    const TRect r{0, 0, ClientWidth() - 1, ClientHeight() - 1};
    DrawOverBuffer({0, 0, ClientWidth(), ClientHeight()}, [&](TCanvas3D& dc) {
        dc.Pen()->SetMode(pmCopy);
        dc.Pen()->SetStyle(psSolid);
        dc.Pen()->SetWidth(1);
        dc.Pen()->SetColor(light);
        dc.MoveTo(r.Left, r.Bottom);
        dc.LineTo(r.Left, r.Top);
        dc.LineTo(r.Right, r.Top);
        dc.Pen()->SetColor(dark);
        dc.LineTo(r.Right, r.Bottom);
        dc.LineTo(r.Left, r.Bottom);
    });
}

void TGalleryChart::WndProc(TMessage& message) {
    TCustomChart::WndProc(message);
    if (message.Msg == CM_MOUSEENTER) {
        if (Cursor() != crNoDrop)
            DrawHoverFrame(true);
    } else if (message.Msg == CM_MOUSELEAVE) {
        mousePos_ = {-1, -1};
        DrawHoverFrame(false);
    }
}

void TGalleryChart::MouseMove(TShiftState shift, int x, int y) {
    mousePos_ = {x, y};
    TCustomChart::MouseMove(shift, x, y);
}

void TGalleryChart::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    mousePos_ = {x, y};
    TCustomChart::MouseDown(button, shift, x, y);
}

// ---- TChartList ---------------------------------------------------------------------------------

int TChartList::IndexOf(const TGalleryChart* chart) const {
    const auto it = std::find(charts_.begin(), charts_.end(), chart);
    return it == charts_.end() ? -1 : static_cast<int>(it - charts_.begin());
}

void TChartList::Remove(TGalleryChart* chart) {
    charts_.erase(std::remove(charts_.begin(), charts_.end(), chart), charts_.end());
}

void TChartList::Clear() {
    std::vector<TGalleryChart*> charts;
    charts.swap(charts_);
    for (TGalleryChart* chart : charts)
        chart->Free();
}
