#include "tests/chart/power/PowerChartTestSupport.h"

#include "chart/core/SeriesPointer.h"
#include "chart/series/SeriesLibrary.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "tests/chart/support/ChartAppEnvironment.h"
#include "tests/support/ProjectFonts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

// An application over the offscreen platform with the project's fonts, and the series library
// started the way the program starts it (the line series known to descriptions).
[[maybe_unused]] ::testing::Environment* const kPower =
    ::testing::AddGlobalTestEnvironment(new charttest::TChartAppEnvironment(
        "chart-power-fonts", "test_chart_power", [] { StartChartSeries(); },
        [] { StopChartSeries(); }));

} // namespace

namespace powertest {

const std::string kTitle = "Изменение напряжения питания прибора";

std::string PowerFormText() {
    // The chart's block of the page's description: from its object line to the end at its
    // indentation, put on a form of its own.
    std::ifstream file(Q4_SOURCE_DIR "/app/pages/power/TformPower.txt", std::ios::binary);
    std::string line, block, indent;
    while (std::getline(file, line)) {
        const auto at = line.find("object Chart1: TChart");
        if (indent.empty() && at != std::string::npos)
            indent = line.substr(0, at);
        if (indent.empty())
            continue;
        block += line.substr(std::min(indent.size(), line.size())) + "\n";
        if (line == indent + "end")
            break;
    }
    if (block.empty())
        return {};
    return "object formPower: TForm\n" + block + "end\n";
}

void TPowerChart::Feed(TDateTime t, double thresholdVolts, double volts) {
    TChartAxis* bottom = chart->BottomAxis();
    bottom->SetMinMax(t - kSecond, t + kSecond / 1000);
    threshold->ClearValues();
    threshold->AddXYValue(bottom->Minimum(), thresholdVolts, "", clRed);
    threshold->AddXYValue(bottom->Maximum(), thresholdVolts, "", clRed);
    voltage->AddXYValue(t, volts, "", clGreen);
}

TPowerChart LoadPowerChart() {
    TPowerChart p;
    p.form = new TForm(nullptr);
    ReadComponentDescription(ObjectTextToBinary(PowerFormText()), p.form);
    p.chart = dynamic_cast<TChart*>(p.form->FindComponent("Chart1"));
    p.voltage = dynamic_cast<TLineSeries*>(p.form->FindComponent("Series1"));
    p.threshold = dynamic_cast<TLineSeries*>(p.form->FindComponent("Series2"));
    return p;
}

TPowerChart BuildPowerChart() {
    TPowerChart p;
    p.form = new TForm(nullptr);
    p.form->SetName("formPower");
    p.form->SetBounds(0, 0, 640, 340);
    TChart* chart = new TChart(p.form);
    p.chart = chart;
    chart->SetName("Chart1");
    chart->SetParent(p.form);
    chart->SetBounds(0, 0, 600, 300);
    chart->Legend()->SetVisible(false);
    chart->Title()->Text()->Add(kTitle);
    TChartAxis* bottom = chart->BottomAxis();
    bottom->SetAutomatic(false);
    bottom->SetDateTimeFormat("dd:mm:yy hh:mm:ss");
    bottom->SetIncrement(kSecond);
    bottom->SetLabelsMultiLine(true);
    TChartAxis* left = chart->LeftAxis();
    left->SetAutomatic(false);
    left->SetMinMax(6, 30);
    left->Title()->SetCaption("Напряжение");
    chart->TopAxis()->Title()->SetCaption("Время");
    chart->SetView3D(false);
    chart->ApplyColorPalette(13);
    chart->SetEnabled(false);
    p.voltage = new TLineSeries(p.form);
    p.voltage->SetName("Series1");
    p.voltage->SetSeriesColor(clGreen);
    p.voltage->SetTitle("Напряжение");
    p.voltage->Pointer()->SetStyle(psDiamond);
    p.voltage->Pointer()->SetVisible(true);
    p.voltage->XValues()->SetDateTime(true);
    p.voltage->SetParentChart(chart);
    p.threshold = new TLineSeries(p.form);
    p.threshold->SetName("Series2");
    p.threshold->SetTitle("Порог");
    p.threshold->LinePen()->SetColor(clRed);
    p.threshold->LinePen()->SetWidth(2);
    p.threshold->Pointer()->SetStyle(psRectangle);
    p.threshold->Pointer()->SetVisible(false);
    p.threshold->SetParentChart(chart);
    return p;
}

void TGroupLogCanvas::BeginGroup(const std::string& name) {
    const std::size_t at = Log != nullptr ? Log->Lines().size() : 0;
    Groups.push_back({name, at, at});
    open_.push_back(Groups.size() - 1);
}

void TGroupLogCanvas::EndGroup() {
    if (open_.empty())
        return;
    Groups[open_.back()].end = Log != nullptr ? Log->Lines().size() : 0;
    open_.pop_back();
}

TRecording::TRecording(TChart& chart, int width, int height)
    : bitmap_(std::make_unique<TBitmap>(width, height)) {
    auto canvas = std::make_unique<TGroupLogCanvas>();
    canvas_ = canvas.get();
    chart.ReplaceDrawCanvas(std::move(canvas));
    log_ = std::make_unique<charttest::TCanvasCallLog>(*bitmap_->Canvas());
    canvas_->Log = log_.get();
    chart.DrawToCanvas(bitmap_->Canvas(), {0, 0, width, height});
    canvas_->Log = nullptr;
}

TRecording::~TRecording() = default;

std::vector<std::string> TRecording::LinesIn(const std::string& group) const {
    for (const auto& g : canvas_->Groups)
        if (g.name == group)
            return {Lines().begin() + static_cast<std::ptrdiff_t>(g.begin),
                    Lines().begin() + static_cast<std::ptrdiff_t>(g.end)};
    return {};
}

std::vector<std::string> TRecording::GroupNames() const {
    std::vector<std::string> names;
    for (const auto& g : canvas_->Groups)
        names.push_back(g.name);
    return names;
}

std::vector<std::string> TRecording::Texts() const {
    std::vector<std::string> texts;
    for (const auto& line : Matching("TEXT"))
        texts.push_back(TextOf(line));
    return texts;
}

QImage TRecording::Image() const {
    bitmap_->Canvas()->Flush();
    return TGraphicsQt::Image(*bitmap_);
}

std::vector<int> NumbersOf(const std::string& line) {
    std::vector<int> numbers;
    std::istringstream words(line);
    std::string word;
    words >> word; // the operation
    while (words >> word) {
        for (char& c : word)
            if (c == ',')
                c = ' ';
        std::istringstream parts(word);
        int value = 0;
        bool any = false;
        while (parts >> value) {
            numbers.push_back(value);
            any = true;
        }
        if (!any || !parts.eof())
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

} // namespace powertest
