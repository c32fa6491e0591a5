// The power page's supply-voltage chart with its real line series: read from the page's form
// description it draws exactly what the chart built in code draws; one reading shows the title,
// the two-line time labels at the window's ends, the voltage labels, the red threshold line and
// the green diamond; later readings move the window, a clock stepping back is no error, readings
// handed over from a worker thread feed it while it repaints, and its picture matches the
// committed one.

#include "tests/chart/power/PowerChartTestSupport.h"

#include "chart/core/SeriesPointer.h"
#include "platform/rtl/Threads.h"
#include "tests/chart/support/ChartTestSupport.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <thread>

using namespace powertest;

namespace {

const TDateTime kT = EncodeDateTime(2024, 3, 15, 10, 22, 5, 0);

class PowerChart : public ::testing::Test {
protected:
    void TearDown() override {
        for (TPowerChart* p : {&built, &loaded})
            if (p->form != nullptr)
                p->form->Free();
    }
    TPowerChart built;
    TPowerChart loaded;
};

// The label blocks below the plot, grouped by x: each the texts drawn at that x, top down.
std::vector<std::pair<int, std::vector<std::string>>> BottomLabels(const TRecording& rec,
                                                                   int plotBottom) {
    std::vector<std::pair<int, std::vector<std::string>>> blocks;
    for (const std::string& line : rec.Matching("TEXT")) {
        const auto xy = NumbersOf(line);
        if (xy.size() < 2 || xy[1] <= plotBottom || line.find("esc=") != std::string::npos)
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

// The green polygons drawn (the voltage's diamonds).
std::vector<std::string> GreenPolygons(const TRecording& rec) {
    std::vector<std::string> found;
    for (const auto& line : rec.Matching("POLYGON"))
        if (line.find("brush=008000") != std::string::npos)
            found.push_back(line);
    return found;
}

int RoundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

TEST_F(PowerChart, TheFormDescriptionAndTheChartBuiltInCodeDrawAlike) {
    ASSERT_FALSE(PowerFormText().empty());
    loaded = LoadPowerChart();
    ASSERT_NE(loaded.chart, nullptr);
    ASSERT_NE(loaded.voltage, nullptr);
    ASSERT_NE(loaded.threshold, nullptr);
    EXPECT_EQ(loaded.chart->SeriesCount(), 2);
    built = BuildPowerChart();
    for (TPowerChart* p : {&loaded, &built})
        p->Feed(kT, 10, 12);
    TRecording fromText(*loaded.chart, 600, 300);
    TRecording fromCode(*built.chart, 600, 300);
    ASSERT_FALSE(GreenPolygons(fromCode).empty());
    EXPECT_EQ(fromText.Lines(), fromCode.Lines());
    EXPECT_EQ(fromText.GroupNames(), fromCode.GroupNames());

    // And again after a second reading.
    for (TPowerChart* p : {&loaded, &built})
        p->Feed(kT + 20 * kSecond, 10, 13.5);
    TRecording secondText(*loaded.chart, 600, 300);
    TRecording secondCode(*built.chart, 600, 300);
    EXPECT_EQ(secondText.Lines(), secondCode.Lines());
}

TEST_F(PowerChart, OneReadingShowsTitleLabelsThresholdAndDiamond) {
    built = BuildPowerChart();
    TRect beforeTitles;
    built.chart->OnBeforeDrawChart = [&](TObject*) { beforeTitles = built.chart->PlotRect(); };
    built.Feed(kT, 10, 12);
    TRecording rec(*built.chart, 600, 300);
    charttest::SavePicture(rec.Image(), "power-chart-series");
    const TRect plot = built.chart->PlotRect();
    const auto texts = rec.Texts();

    // The title: once, in its group, centred over the plot rectangle the titles started from.
    EXPECT_EQ(std::count(texts.begin(), texts.end(), kTitle), 1);
    const auto title = rec.LinesIn("title");
    const auto titleText = std::find_if(
        title.begin(), title.end(), [](const std::string& l) { return l.rfind("TEXT ", 0) == 0; });
    ASSERT_NE(titleText, title.end());
    EXPECT_EQ(TextOf(*titleText), kTitle);
    const int titleLeft = NumbersOf(*titleText)[0];
    const int centre = (beforeTitles.Left + beforeTitles.Right) / 2;
    TBitmap scratch(10, 10);
    TCanvas3D& canvas = *built.chart->DrawCanvas();
    canvas.AttachCanvas(scratch.Canvas());
    canvas.SelectFont(built.chart->Title()->Font());
    const int titleWidth = canvas.MeasureTextWidth(kTitle);
    canvas.AttachCanvas(nullptr);
    EXPECT_NEAR(titleLeft + titleWidth / 2, centre, 1);

    // The bottom axis: two blocks of two lines, at the window's ends.
    const auto blocks = BottomLabels(rec, plot.Bottom);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].second, (std::vector<std::string>{"15:03:24", "10:22:04"}));
    EXPECT_EQ(blocks[1].second, (std::vector<std::string>{"15:03:24", "10:22:05"}));
    const int width = plot.Right - plot.Left;
    EXPECT_NEAR(blocks[0].first, plot.Left, 1);
    EXPECT_NEAR(blocks[1].first, plot.Left + RoundEven(1000.0 / 1001 * width), 1);

    // The left axis: 30 down to 6 in equal steps; its title once, turned upright.
    std::vector<int> values;
    for (const auto& line : rec.Matching("TEXT")) {
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
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Напряжение"), 1);
    const auto upright = std::find_if(texts.begin(), texts.end(),
                                      [](const std::string& t) { return t == "Напряжение"; });
    ASSERT_NE(upright, texts.end());
    bool turned = false;
    for (const auto& line : rec.Matching("TEXT"))
        turned = turned || (TextOf(line) == "Напряжение" && line.find("esc=900") != line.npos);
    EXPECT_TRUE(turned);

    // No unused top axis title, no legend.
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Время"), 0);
    const auto groups = rec.GroupNames();
    EXPECT_EQ(std::count(groups.begin(), groups.end(), "Legend"), 0);

    // The threshold: red, two pixels wide, across the plot at 10 V.
    const int y10 = plot.Bottom - RoundEven((10.0 - 6) / 24 * (plot.Bottom - plot.Top));
    // Each line is noted from its start to its end.
    bool across = false;
    for (const auto& line : rec.Matching("LINETO")) {
        const auto xy = NumbersOf(line);
        if (line.find("pen=0000FF/2/solid") == std::string::npos || xy.size() != 4)
            continue;
        across = across || (std::abs(xy[0] - plot.Left) <= 1 && std::abs(xy[1] - y10) <= 1 &&
                            std::abs(xy[2] - plot.Right) <= 1 && xy[3] == xy[1]);
    }
    EXPECT_TRUE(across);

    // The reading: a green diamond of radius 4 at (t, 12), drawn under the plot's clip.
    const auto diamonds = GreenPolygons(rec);
    ASSERT_EQ(diamonds.size(), 1u);
    const int x = built.voltage->PixelX(0), y = built.voltage->PixelY(0);
    std::vector<int> corners = NumbersOf(diamonds[0]);
    std::vector<std::pair<int, int>> points;
    for (std::size_t i = 0; i + 1 < corners.size(); i += 2)
        points.push_back({corners[i], corners[i + 1]});
    std::sort(points.begin(), points.end());
    std::vector<std::pair<int, int>> expected{{x - 4, y}, {x, y - 4}, {x + 4, y}, {x, y + 4}};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(points, expected) << diamonds[0];
    EXPECT_NEAR(y, plot.Bottom - RoundEven((12.0 - 6) / 24 * (plot.Bottom - plot.Top)), 1);
    const auto at = std::find(rec.Lines().begin(), rec.Lines().end(), diamonds[0]);
    std::string clip;
    for (auto it = rec.Lines().begin(); it != at; ++it)
        if (it->rfind("CLIP ", 0) == 0)
            clip = *it;
    const auto box = NumbersOf(clip);
    ASSERT_EQ(box.size(), 4u) << clip;
    EXPECT_NEAR(box[0], plot.Left, 1);
    EXPECT_NEAR(box[2], plot.Right, 1);
}

TEST_F(PowerChart, LaterReadingsMoveTheWindowAndAClockSteppingBackIsNoError) {
    built = BuildPowerChart();
    built.Feed(kT, 10, 12);
    TRecording first(*built.chart, 600, 300);
    built.Feed(kT + 20 * kSecond, 10, 13.5);
    TRecording second(*built.chart, 600, 300);
    EXPECT_EQ(built.voltage->Count(), 2);
    EXPECT_EQ(GreenPolygons(second).size(), 1u) << "only the new reading is in the window";
    auto blocks = BottomLabels(second, built.chart->PlotRect().Bottom);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].second, (std::vector<std::string>{"15:03:24", "10:22:24"}));
    EXPECT_EQ(blocks[1].second, (std::vector<std::string>{"15:03:24", "10:22:25"}));

    EXPECT_NO_THROW(built.Feed(kT + 15 * kSecond, 10, 12.5));
    TRecording back(*built.chart, 600, 300);
    blocks = BottomLabels(back, built.chart->PlotRect().Bottom);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].second, (std::vector<std::string>{"15:03:24", "10:22:19"}));
    EXPECT_EQ(blocks[1].second, (std::vector<std::string>{"15:03:24", "10:22:20"}));
    // The reading after the window (kept for the line to run out of the plot) is clipped away.
    const TRect plot = built.chart->PlotRect();
    const auto diamonds = GreenPolygons(back);
    const auto inside = std::count_if(diamonds.begin(), diamonds.end(), [&](const std::string& l) {
        const int x = NumbersOf(l)[0];
        return x >= plot.Left - 4 && x <= plot.Right + 4;
    });
    EXPECT_EQ(inside, 1);
}

TEST_F(PowerChart, ReadingsHandedOverFromAWorkerFeedItWhileItRepaints) {
    built = BuildPowerChart();
    int drawings = 0;
    built.chart->OnBeforeDrawChart = [&drawings](TObject*) { ++drawings; };
    constexpr int readings = 10000;
    TPowerChart* chart = &built;
    std::thread worker([chart] {
        for (int i = 0; i < readings; ++i)
            TThread::Synchronize(
                nullptr, [chart, i] { chart->Feed(kT + i * kSecond, 10, 12 + (i % 7) * 0.25); });
    });
    int paints = 0;
    while (built.voltage->Count() < readings) {
        CheckSynchronize(10);
        if (built.voltage->Count() / 500 > paints) {
            ++paints;
            // The window painted as the screen would, whether or not it is on view.
            built.chart->Handle()->grab();
        }
    }
    worker.join();
    EXPECT_EQ(built.voltage->Count(), readings);
    EXPECT_EQ(built.threshold->Count(), 2);
    EXPECT_DOUBLE_EQ(built.voltage->XValues()->ValueAt(readings - 1),
                     kT + (readings - 1) * kSecond);
    EXPECT_EQ(paints, readings / 500);
    EXPECT_GE(drawings, paints) << "each repaint drew the chart";
    const QImage shown = built.chart->Handle()->grab().toImage();
    EXPECT_GT(charttest::CountColor(shown, clRed), 0) << "the threshold is shown";
}

TEST_F(PowerChart, ThePictureMatchesTheCommittedOne) {
    built = BuildPowerChart();
    built.Feed(kT, 10, 12);
    TRecording rec(*built.chart, 600, 300);
    const QImage image = rec.Image().convertToFormat(QImage::Format_RGB32);
    charttest::SavePicture(image, "power-chart-now");
    const QImage golden = QImage(Q4_SOURCE_DIR "/tests/chart/power/power-chart.png")
                              .convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(golden.isNull());
    ASSERT_EQ(golden.size(), image.size());
    // Text edges may be smoothed a little differently: a channel may differ by a few steps.
    int differing = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y), b = golden.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) > 24 || std::abs(qGreen(a) - qGreen(b)) > 24 ||
                std::abs(qBlue(a) - qBlue(b)) > 24)
                ++differing;
        }
    EXPECT_LE(differing, image.width() * image.height() / 1000)
        << "pixels off the committed picture";
}

} // namespace
