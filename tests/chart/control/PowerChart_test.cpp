// The power page's supply-voltage chart, built in code as its form describes it and fed as the
// page feeds it: a window of the last second on a date-time bottom axis, a threshold line across
// it and one reading, drawn into 600 x 300 and checked on the recording.

#include "tests/chart/control/ControlTestSupport.h"

#include "platform/rtl/DateTime.h"
#include "tests/chart/support/ChartTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>

using namespace controltest;

namespace {

const std::string kTitle = "Изменение напряжения питания прибора";
constexpr double kSecond = 1.0 / 86400;

class PowerChartFixture : public ChartFixture {
protected:
    void SetUp() override {
        ChartFixture::SetUp();
        chart->SetView3D(false);
        chart->Legend()->SetVisible(false);
        chart->Title()->Text()->Add(kTitle);
        chart->ApplyColorPalette(13);
        chart->SetEnabled(false);
        TChartAxis* left = chart->LeftAxis();
        left->SetAutomatic(false);
        left->SetMinMax(6, 30);
        left->Title()->SetCaption("Напряжение");
        TChartAxis* bottom = chart->BottomAxis();
        bottom->SetAutomatic(false);
        bottom->SetDateTimeFormat("dd:mm:yy hh:mm:ss");
        bottom->SetIncrement(kSecond);
        bottom->SetLabelsMultiLine(true);
        chart->TopAxis()->Title()->SetCaption("Время");
        voltage = AddSeries();
        voltage->SetSeriesColor(clGreen);
        voltage->SetTitle("Напряжение");
        voltage->XValues()->SetDateTime(true);
        threshold = AddSeries();
        threshold->SetSeriesColor(clRed);
        threshold->Pen()->SetWidth(2);
        threshold->SetTitle("Порог");
        chart->OnBeforeDrawChart = [this](TObject*) { plotBeforeTitles = chart->PlotRect(); };
    }
    // What the page does with each reading: the window [t - 1 s, t + 1 ms], the threshold line
    // across it, the reading.
    void Feed(TDateTime t, double thresholdVolts, double volts) {
        chart->BottomAxis()->SetMinMax(t - kSecond, t + kSecond / 1000);
        threshold->ClearValues();
        threshold->AddXYValue(chart->BottomAxis()->Minimum(), thresholdVolts, "", clRed);
        threshold->AddXYValue(chart->BottomAxis()->Maximum(), thresholdVolts, "", clRed);
        voltage->AddXYValue(t, volts, "", clGreen);
    }
    int TextWidth(TPlotFont* font, const std::string& text) {
        TBitmap bitmap(10, 10);
        TCanvas3D& canvas = *chart->DrawCanvas();
        canvas.AttachCanvas(bitmap.Canvas());
        canvas.SelectFont(font);
        const int width = canvas.MeasureTextWidth(text);
        canvas.AttachCanvas(nullptr);
        return width;
    }

    TTestLineSeries* voltage = nullptr;
    TTestLineSeries* threshold = nullptr;
    TRect plotBeforeTitles;
    const TDateTime t = EncodeDateTime(2024, 3, 15, 10, 22, 5, 0);
};

// The label blocks of the bottom axis: each text below the plot, grouped by x.
std::vector<std::pair<int, std::vector<std::string>>> BottomLabels(const TRecording& rec,
                                                                   int plotBottom) {
    std::vector<std::pair<int, std::vector<std::string>>> blocks;
    for (const std::string& line : rec.Matching("TEXT")) {
        const auto xy = NumbersOf(line);
        if (xy[1] <= plotBottom || line.find("esc=") != std::string::npos)
            continue;
        auto block = std::find_if(blocks.begin(), blocks.end(),
                                  [&](const auto& b) { return b.first == xy[0]; });
        if (block == blocks.end())
            blocks.push_back({xy[0], {TextOf(line)}});
        else
            block->second.push_back(TextOf(line));
    }
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

TEST_F(PowerChartFixture, OneReadingShowsTheTitleAxesAndThresholdLine) {
    Feed(t, 10, 12);
    auto rec = Draw(600, 300);
    charttest::SavePicture(rec->Image(), "power-chart");
    const TRect plot = chart->PlotRect();

    // The title: once, in its group, centred over the plot rectangle the titles started from.
    const auto texts = rec->Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), kTitle), 1);
    std::vector<std::string> titleTexts;
    int titleX = 0;
    for (const auto& line : rec->LinesIn("title"))
        if (line.rfind("TEXT ", 0) == 0) {
            titleTexts.push_back(TextOf(line));
            titleX = NumbersOf(line)[0];
        }
    ASSERT_EQ(titleTexts, std::vector<std::string>{kTitle});
    const int centre = titleX + TextWidth(chart->Title()->Font(), kTitle) / 2;
    EXPECT_NEAR(centre, (plotBeforeTitles.Left + plotBeforeTitles.Right) / 2, 1);

    // The bottom axis: two blocks of two lines, at the window's ends.
    const auto blocks = BottomLabels(*rec, plot.Bottom);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].second, (std::vector<std::string>{"15:03:24", "10:22:04"}));
    EXPECT_EQ(blocks[1].second, (std::vector<std::string>{"15:03:24", "10:22:05"}));
    const int width = plot.Right - plot.Left;
    EXPECT_NEAR(blocks[0].first, plot.Left, 1);
    EXPECT_NEAR(blocks[1].first, plot.Left + RoundEven(1000.0 / 1001 * width), 1);

    // The left axis: 30 down to 6 in equal steps, its title once and turned upright.
    std::vector<int> values;
    for (const auto& line : rec->Matching("TEXT")) {
        const std::string text = TextOf(line);
        if (NumbersOf(line)[0] < plot.Left && line.find("esc=") == std::string::npos &&
            !text.empty() && std::isdigit(static_cast<unsigned char>(text[0])) &&
            text.find(':') == std::string::npos)
            values.push_back(std::stoi(text));
    }
    ASSERT_GE(values.size(), 3u);
    EXPECT_EQ(values.front(), 30);
    EXPECT_EQ(values.back(), 6);
    for (std::size_t i = 1; i < values.size(); ++i)
        EXPECT_EQ(values[i - 1] - values[i], values[0] - values[1]) << i;
    const auto upright = rec->FirstLine("TEXT", "\"Напряжение\"");
    ASSERT_NE(upright, std::string::npos);
    EXPECT_NE(rec->Lines()[upright].find("esc=900"), std::string::npos) << rec->Lines()[upright];
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Напряжение"), 1);

    // The unused top axis shows nothing, the hidden legend has no group.
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Время"), 0);
    const auto groups = rec->GroupOrder();
    EXPECT_EQ(std::count(groups.begin(), groups.end(), "Legend"), 0);

    // The threshold line: red, two pixels wide, across the plot at 10 V.
    const int y10 = plot.Bottom - RoundEven((10.0 - 6) / 24 * (plot.Bottom - plot.Top));
    const auto red = rec->Matching("LINETO");
    const auto line = std::find_if(red.begin(), red.end(), [](const std::string& l) {
        return l.find("pen=0000FF/2/solid") != std::string::npos;
    });
    ASSERT_NE(line, red.end());
    const auto xy = NumbersOf(*line);
    EXPECT_NEAR(xy[0], plot.Left, 1);
    EXPECT_NEAR(xy[1], y10, 1);
    EXPECT_NEAR(xy[2], plot.Right, 1);
    EXPECT_EQ(xy[3], xy[1]);
}

TEST_F(PowerChartFixture, LaterReadingsMoveTheWindowAndAClockSteppingBackIsNoError) {
    Feed(t, 10, 12);
    Draw(600, 300);
    Feed(t + 20 * kSecond, 10, 13.5);
    auto rec = Draw(600, 300);
    EXPECT_EQ(voltage->Count(), 2);
    auto blocks = BottomLabels(*rec, chart->PlotRect().Bottom);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].second, (std::vector<std::string>{"15:03:24", "10:22:24"}));
    EXPECT_EQ(blocks[1].second, (std::vector<std::string>{"15:03:24", "10:22:25"}));

    EXPECT_NO_THROW(Feed(t + 15 * kSecond, 10, 12.5));
    rec = Draw(600, 300);
    blocks = BottomLabels(*rec, chart->PlotRect().Bottom);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[1].second, (std::vector<std::string>{"15:03:24", "10:22:20"}));
}

} // namespace
