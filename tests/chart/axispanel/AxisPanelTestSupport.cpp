#include "tests/chart/axispanel/AxisPanelTestSupport.h"

#include "chart/core/ChartCore.h"
#include "chart/imaging/Filters.h"
#include "chart/util/ChartUtils.h"
#include "platform/graphics/Bitmap.h"
#include "tests/chart/support/ChartAppEnvironment.h"
#include "tests/support/ProjectFonts.h"

#include <QApplication>
#include <QWidget>

#include <memory>

namespace axistest {

namespace {

// A full application (forms, the error handler) over the offscreen platform, with the chart
// library started as the program starts it.
[[maybe_unused]] ::testing::Environment* const kAxisPanel =
    ::testing::AddGlobalTestEnvironment(new charttest::TChartAppEnvironment(
        "chart-axispanel-fonts", "test_chart_axispanel",
        [] {
            StartChartImaging();
            StartChartUtilities();
            StartChartCore();
        },
        [] {
            StopChartCore();
            StopChartUtilities();
            StopChartImaging();
        }));

} // namespace

TPoints LinePoints(int count, double x0, double y0, double yStep) {
    TPoints points;
    for (int i = 0; i < count; ++i)
        points.emplace_back(x0 + i, y0 + yStep * i);
    return points;
}

std::string ToolEventName(TChartToolEventKind kind) {
    switch (kind) {
    case ctkAfterDraw:
        return "ctkAfterDraw";
    case ctkBeforeDrawSeries:
        return "ctkBeforeDrawSeries";
    case ctkBeforeDraw:
        return "ctkBeforeDraw";
    case ctkBeforeDrawAxes:
        return "ctkBeforeDrawAxes";
    case ctkAfterDrawSeries:
        return "ctkAfterDrawSeries";
    case ctkMouseLeave:
        return "ctkMouseLeave";
    }
    return "?";
}

// ---- TLogCanvas ---------------------------------------------------------------------------------

void TLogCanvas::BeginGroup(const std::string& name) {
    groups_.push_back(name);
    log_.push_back("group " + name);
}

void TLogCanvas::EndGroup() {
    log_.push_back("end " + (groups_.empty() ? std::string("?") : groups_.back()));
    if (!groups_.empty())
        groups_.pop_back();
}

void TLogCanvas::ClipToBox(const TRect& r, int z0, int z1) {
    log_.push_back("clip");
    TPlotCanvas3D::ClipToBox(r, z0, z1);
}

void TLogCanvas::RemoveClip() {
    log_.push_back("unclip");
    TPlotCanvas3D::RemoveClip();
}

void TLogCanvas::Rectangle(int left, int top, int right, int bottom) {
    if (Pen()->Mode() == pmNotXor)
        log_.push_back("zoom band");
    TPlotCanvas3D::Rectangle(left, top, right, bottom);
}

// ---- series and tools ---------------------------------------------------------------------------

void TStraightLineSeries::DrawPoint(int index) {
    if (log)
        log->push_back("point " + Name() + " " + std::to_string(index));
    if (index == raiseAtPoint)
        throw Exception("point " + std::to_string(index) + " cannot be drawn");
    if (index == 0)
        return;
    TCanvas3D* canvas = ParentChart()->ChartCanvas();
    canvas->Pen()->SetColor(SeriesColor());
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    canvas->MoveTo(PixelX(index - 1), PixelY(index - 1));
    canvas->LineTo(PixelX(index), PixelY(index));
}

void TStraightLineSeries::DoBeforeDrawValues() {
    if (log)
        log->push_back("before values " + Name());
    TChartSeries::DoBeforeDrawValues();
}

void TStraightLineSeries::DoAfterDrawValues() {
    if (log)
        log->push_back("after values " + Name());
    TChartSeries::DoAfterDrawValues();
}

void TStraightLineSeries::GetHorizMargins(int& left, int& right) {
    left = marginLeft;
    right = marginRight;
}

void TStraightLineSeries::GetVertMargins(int& top, int& bottom) {
    top = marginTop;
    bottom = marginBottom;
}

void TLogTool::ChartToolEvent(TChartToolEventKind kind) {
    if (log)
        log->push_back(ToolEventName(kind));
}

// ---- TTestAxisPanel -----------------------------------------------------------------------------

TTestAxisPanel::TTestAxisPanel(TComponent* owner) : TCustomAxisPanel(owner) {
    auto canvas = std::make_unique<TLogCanvas>(log);
    logCanvas = canvas.get();
    ReplaceDrawCanvas(std::move(canvas));
    OnBeforeDrawChart = [this](TObject*) { log.push_back("OnBeforeDrawChart"); };
    OnBeforeDrawAxes = [this](TObject*) { log.push_back("OnBeforeDrawAxes"); };
    OnBeforeDrawSeries = [this](TObject*) { log.push_back("OnBeforeDrawSeries"); };
    OnAfterDraw = [this](TObject*) { log.push_back("OnAfterDraw"); };
}

void TTestAxisPanel::ReserveWallRoom() {
    log.push_back("wall room");
    ComputeDepthSizes();
}

void TTestAxisPanel::PaintTitlesAndLegend(bool beforeSeries) {
    log.push_back(beforeSeries ? "titles before" : "titles after");
    if (titles)
        titles(beforeSeries);
}

bool TTestAxisPanel::ColorIsFree(TColor color, bool, TChartSeries* series) {
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* other = SeriesAt(i);
        if (other != series && other->SeriesColor() == color)
            return false;
    }
    return true;
}

void TTestAxisPanel::DrawBackground(TRect rect) {
    log.push_back("background");
    TCustomAxisPanel::DrawBackground(rect);
}

void TTestAxisPanel::GetChildren(const TGetChildProc& proc, TComponent* root) {
    TCustomAxisPanel::GetChildren(proc, root);
    for (int i = 0; i < Tools()->Count(); ++i)
        proc(Tools()->Items(i));
}

// ---- fixture ------------------------------------------------------------------------------------

void AxisPanelFixture::SetUp() {
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 640, 400);
    form->Show();
}

void AxisPanelFixture::TearDown() {
    form->Free();
}

TTestAxisPanel* AxisPanelFixture::MakePanel(int w, int h) {
    auto* panel = new TTestAxisPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, w, h);
    panel->SetView3D(false);
    panel->Handle();
    panel->log.clear();
    return panel;
}

TStraightLineSeries*
AxisPanelFixture::AddSeries(TTestAxisPanel* panel,
                            const std::vector<std::pair<double, double>>& points,
                            const std::string& name) {
    auto* series = new TStraightLineSeries(form);
    if (!name.empty())
        series->SetName(name);
    for (const auto& [x, y] : points)
        series->AddXYValue(x, y);
    panel->AttachSeries(series);
    series->log = &panel->log;
    return series;
}

void AxisPanelFixture::Draw(TTestAxisPanel* panel) {
    TBitmap target(panel->Width(), panel->Height());
    panel->DrawToCanvas(target.Canvas(), {0, 0, panel->Width(), panel->Height()});
}

QImage Grab(TWinControl* control) {
    QApplication::processEvents();
    QImage image = control->Handle()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QApplication::processEvents();
    return image;
}

TEventLog PipelineEvents(const TEventLog& log) {
    TEventLog out;
    for (const std::string& line : log) {
        // The axes' own groups and the groups of single points are the axes' and series' affair.
        const bool group = line.rfind("group ", 0) == 0;
        const bool end = line.rfind("end ", 0) == 0;
        if (group || end) {
            const std::string name = line.substr(group ? 6 : 4);
            if (name != "axes" && name.rfind("Line", 0) != 0 && name.rfind("Series", 0) != 0)
                continue;
        }
        if (line.rfind("point ", 0) == 0)
            continue;
        out.push_back(line);
    }
    return out;
}

} // namespace axistest
