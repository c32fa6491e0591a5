#include "tests/chart/control/ControlTestSupport.h"

#include "chart/control/ControlLibrary.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "tests/chart/support/ChartAppEnvironment.h"
#include "tests/support/ProjectFonts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

// An application over the offscreen platform with the project's fonts, and the chart control
// library started the way the program starts it.
[[maybe_unused]] ::testing::Environment* const kControl =
    ::testing::AddGlobalTestEnvironment(new charttest::TChartAppEnvironment(
        "chart-control-fonts", "test_chart_control", [] { StartChartControl(); },
        [] { StopChartControl(); }));

} // namespace

namespace controltest {

void TGroupedCanvas::BeginGroup(const std::string& name) {
    Groups.push_back({name, Log != nullptr ? Log->Lines().size() : 0, 0});
    open_.push_back(Groups.size() - 1);
}

void TGroupedCanvas::EndGroup() {
    if (open_.empty())
        return;
    Groups[open_.back()].end = Log != nullptr ? Log->Lines().size() : 0;
    open_.pop_back();
}

void TGroupedCanvas::BoxShape(int left, int right, int top, int bottom, int z0, int z1,
                              bool darkSides) {
    Boxes.push_back({left, right, top, bottom, z0, z1, Log != nullptr ? Log->Lines().size() : 0});
    TPlotCanvas3D::BoxShape(left, right, top, bottom, z0, z1, darkSides);
}

void TGroupedCanvas::TextOut(int x, int y, const std::string& text) {
    if (!FailOnText.empty() && text == FailOnText)
        throw Exception("drawing failed on purpose");
    TPlotCanvas3D::TextOut(x, y, text);
}

TRecording::TRecording(TCustomPlotPanel& panel, int width, int height,
                       const std::string& failOnText)
    : bitmap_(std::make_unique<TBitmap>(width, height)) {
    auto canvas = std::make_unique<TGroupedCanvas>();
    canvas_ = canvas.get();
    canvas_->FailOnText = failOnText;
    panel.ReplaceDrawCanvas(std::move(canvas));
    log_ = std::make_unique<charttest::TCanvasCallLog>(*bitmap_->Canvas());
    canvas_->Log = log_.get();
    panel.SetBounds(0, 0, width, height);
    try {
        panel.DrawToCanvas(bitmap_->Canvas(), {0, 0, width, height});
    } catch (...) {
        canvas_->Log = nullptr;
        throw;
    }
    canvas_->Log = nullptr;
}

std::size_t TRecording::FirstLine(const std::string& prefix, const std::string& part) const {
    for (std::size_t i = 0; i < Lines().size(); ++i)
        if (Lines()[i].rfind(prefix, 0) == 0 && Lines()[i].find(part) != std::string::npos)
            return i;
    return std::string::npos;
}

std::size_t TRecording::LastLine(const std::string& prefix, const std::string& part) const {
    for (std::size_t i = Lines().size(); i-- > 0;)
        if (Lines()[i].rfind(prefix, 0) == 0 && Lines()[i].find(part) != std::string::npos)
            return i;
    return std::string::npos;
}

TRecording::~TRecording() = default;

const std::vector<std::string>& TRecording::Lines() const {
    return log_->Lines();
}

std::vector<std::string> TRecording::LinesIn(const std::string& group) const {
    for (const auto& g : canvas_->Groups)
        if (g.name == group)
            return {Lines().begin() + static_cast<std::ptrdiff_t>(g.begin),
                    Lines().begin() + static_cast<std::ptrdiff_t>(g.end)};
    return {};
}

std::vector<std::string> TRecording::GroupOrder() const {
    std::vector<std::string> names;
    for (const auto& g : canvas_->Groups)
        names.push_back(g.name);
    return names;
}

std::vector<std::string> TRecording::Texts() const {
    std::vector<std::string> texts;
    for (const std::string& line : Matching("TEXT"))
        texts.push_back(TextOf(line));
    return texts;
}

std::vector<std::string> TRecording::Matching(const std::string& op) const {
    std::vector<std::string> lines;
    for (const std::string& line : Lines())
        if (line.rfind(op + " ", 0) == 0)
            lines.push_back(line);
    return lines;
}

QImage TRecording::Image() const {
    bitmap_->Canvas()->Flush();
    return TGraphicsQt::Image(*bitmap_);
}

std::vector<int> NumbersOf(const std::string& line) {
    std::vector<int> numbers;
    std::istringstream words(line);
    std::string word;
    words >> word;
    while (words >> word) {
        std::replace(word.begin(), word.end(), ',', ' ');
        std::istringstream parts(word);
        int value = 0;
        bool any = false;
        while (parts >> value) {
            numbers.push_back(value);
            any = true;
        }
        if (!any)
            break;
    }
    return numbers;
}

std::string TextOf(const std::string& line) {
    const auto open = line.find('"');
    const auto close = line.rfind('"');
    if (open == std::string::npos || close <= open)
        return {};
    return line.substr(open + 1, close - open - 1);
}

void TTestLineSeries::DrawPoint(int index) {
    if (index == FirstDrawIndex() || index == 0)
        return;
    TCanvas3D& canvas = *ParentChart()->ChartCanvas();
    canvas.SelectPenColored(Pen(), SeriesColor());
    canvas.MoveTo(PixelX(index - 1), PixelY(index - 1));
    canvas.LineTo(PixelX(index), PixelY(index));
}

void ChartFixture::SetUp() {
    owner = new TComponent(nullptr);
    chart = new TChart(nullptr);
}

void ChartFixture::TearDown() {
    chart->Free();
    owner->Free();
}

TBarePanel::TBarePanel(TComponent* owner) : TCustomPlotPanelExtended(owner) {}

void TBarePanel::DrawToRect(const TRect& r) {
    DrawBackground(r);
    if (Content)
        Content(*this);
}

} // namespace controltest
