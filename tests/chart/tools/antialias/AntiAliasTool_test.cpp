#include "chart/control/Chart.h"
#include "chart/control/ToolTypes.h"
#include "chart/core/ChartAxis.h"
#include "chart/imaging/Filters.h"
#include "chart/imaging/PlotFilter.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PieSeries.h"
#include "chart/tools/AntiAliasTool.h"
#include "chart/tools/ToolTexts.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/chart/tools/antialias/AntiAliasTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QWidget>

#include <memory>
#include <set>

namespace {

using aatest::DifferingPixels;

class AntiAliasToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = TCustomForm::Create<TForm>(nullptr);
        form->SetBounds(0, 0, 860, 340);
        form->Show();
        chart = NewChart(0);
    }
    void TearDown() override { form->Free(); }

    // A 400 x 300 flat chart without a legend at x, its axes fixed.
    TChart* NewChart(int x) {
        auto* c = new TChart(form);
        c->SetParent(form);
        c->SetBounds(x, 0, 400, 300);
        c->SetView3D(false);
        c->Legend()->SetVisible(false);
        c->BottomAxis()->SetMinMax(0, 10);
        c->LeftAxis()->SetMinMax(0, 100);
        c->Handle();
        return c;
    }
    // A line series zig-zagging across the chart.
    void AddDiagonals(TChart* c) {
        auto* series = new TLineSeries(form);
        const double ys[] = {5, 90, 20, 70, 10, 95, 40, 60, 3, 80, 30};
        for (int i = 0; i <= 10; ++i)
            series->AddXYValue(i, ys[i]);
        series->SetParentChart(c);
    }
    QImage Paint(TChart* c) {
        c->Invalidate();
        QApplication::processEvents();
        QImage image = c->Handle()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QApplication::processEvents();
        return image;
    }
    static int Colours(const QImage& image) {
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                colours.insert(image.pixel(x, y));
        return static_cast<int>(colours.size());
    }

    TForm* form = nullptr;
    TChart* chart = nullptr;
};

TEST_F(AntiAliasToolTest, InstallsItsCanvasWhenActiveAndSmoothingOnAChart) {
    auto* tool = new TAntiAliasTool(form);
    TAntiAliasCanvas* canvas = tool->Canvas();
    ASSERT_NE(canvas, nullptr);
    EXPECT_TRUE(tool->AntiAlias());
    EXPECT_NE(canvas->Tool(), nullptr);
    EXPECT_NE(chart->DrawCanvas(), canvas);
    tool->SetParentChart(chart);
    EXPECT_EQ(chart->DrawCanvas(), canvas);

    // Switched off, the canvas stays installed but draws plain.
    tool->SetAntiAlias(false);
    EXPECT_EQ(chart->DrawCanvas(), canvas);
    EXPECT_TRUE(canvas->Disabled());
    EXPECT_FALSE(tool->AntiAlias());
    tool->SetAntiAlias(true);
    EXPECT_FALSE(canvas->Disabled());

    // Active and AntiAlias go together.
    tool->SetActive(false);
    EXPECT_FALSE(tool->AntiAlias());
    tool->SetActive(true);
    EXPECT_TRUE(tool->AntiAlias());
    EXPECT_EQ(tool->Canvas(), canvas);

    // An inactive tool joining a chart leaves its canvas alone until it is activated.
    TChart* other = NewChart(420);
    auto* idle = new TAntiAliasTool(form);
    idle->SetActive(false);
    idle->SetParentChart(other);
    EXPECT_NE(other->DrawCanvas(), idle->Canvas());
    idle->SetActive(true);
    EXPECT_EQ(other->DrawCanvas(), idle->Canvas());
}

TEST_F(AntiAliasToolTest, FreeingTheToolLeavesTheChartDrawingWithItsCanvas) {
    AddDiagonals(chart);
    auto* tool = new TAntiAliasTool(form);
    tool->SetParentChart(chart);
    TAntiAliasCanvas* canvas = tool->Canvas();
    const QImage smoothed = Paint(chart);
    tool->Free();
    EXPECT_EQ(chart->DrawCanvas(), canvas);
    EXPECT_EQ(canvas->Tool(), nullptr);
    // The chart draws on with it, as smoothly as before.
    EXPECT_EQ(DifferingPixels(Paint(chart), smoothed), 0);
}

TEST_F(AntiAliasToolTest, ACanvasTheChartFreesClearsTheToolsReference) {
    auto* tool = new TAntiAliasTool(form);
    tool->SetParentChart(chart);
    chart->ReplaceDrawCanvas(std::make_unique<TPlotCanvas3D>());
    EXPECT_EQ(tool->Canvas(), nullptr);
    EXPECT_FALSE(tool->AntiAlias());
    // Switching it on again makes and installs a new one.
    tool->SetAntiAlias(true);
    ASSERT_NE(tool->Canvas(), nullptr);
    EXPECT_EQ(chart->DrawCanvas(), tool->Canvas());
    tool->Free();
}

TEST_F(AntiAliasToolTest, MovingToAnotherChartLeavesTheFirstItsCanvas) {
    auto* tool = new TAntiAliasTool(form);
    tool->SetParentChart(chart);
    TAntiAliasCanvas* first = tool->Canvas();
    TChart* other = NewChart(420);
    tool->SetParentChart(other);
    EXPECT_EQ(chart->DrawCanvas(), first);
    EXPECT_EQ(first->Tool(), nullptr);
    ASSERT_NE(tool->Canvas(), nullptr);
    EXPECT_NE(tool->Canvas(), first);
    EXPECT_EQ(other->DrawCanvas(), tool->Canvas());
    // The chart left behind may free its canvas: the tool is not told of a canvas it gave up.
    chart->Free();
    chart = nullptr;
    EXPECT_EQ(other->DrawCanvas(), tool->Canvas());
}

TEST_F(AntiAliasToolTest, SmoothingOffDrawsExactlyAsAChartWithoutTheTool) {
    AddDiagonals(chart);
    const QImage plain = Paint(chart);
    auto* tool = new TAntiAliasTool(form);
    tool->SetParentChart(chart);
    const QImage smoothed = Paint(chart);
    EXPECT_GT(DifferingPixels(smoothed, plain), 200);
    EXPECT_GT(Colours(smoothed), Colours(plain) + 20);
    tool->SetAntiAlias(false);
    EXPECT_EQ(DifferingPixels(Paint(chart), plain), 0);
}

TEST_F(AntiAliasToolTest, FiltersRunOverTheFinishedChart) {
    AddDiagonals(chart);
    auto* tool = new TAntiAliasTool(form);
    tool->SetParentChart(chart);
    const QImage smoothed = Paint(chart);
    tool->Filters()->Add<TInvertFilter>();
    const QImage inverted = Paint(chart);
    ASSERT_EQ(inverted.size(), smoothed.size());
    int wrong = 0;
    for (int y = 0; y < smoothed.height(); ++y)
        for (int x = 0; x < smoothed.width(); ++x)
            wrong += inverted.pixel(x, y) != (smoothed.pixel(x, y) ^ 0x00FFFFFFu);
    EXPECT_EQ(wrong, 0);
}

TEST_F(AntiAliasToolTest, SettingsAndFiltersGoThroughAFormDescription) {
    form->SetName("Form1");
    chart->SetName("Chart1");
    auto* tool = new TAntiAliasTool(form);
    tool->SetName("Smooth1");
    tool->SetParentChart(chart);
    tool->SetAntiAlias(false);
    tool->Filters()->Add<TInvertFilter>();
    tool->Filters()->Add<TBlurFilter>()->Amount = 3;
    const std::string text = ComponentToText(form);
    EXPECT_NE(text.find("AntiAlias = False"), std::string::npos) << text;
    EXPECT_NE(text.find("FilterItems"), std::string::npos) << text;

    // Freed also when an assertion below ends the test early.
    std::unique_ptr<TForm, void (*)(TForm*)> read(new TForm(nullptr), [](TForm* f) { f->Free(); });
    ReadComponentDescription(ObjectTextToBinary(text), read.get());
    auto* readTool = dynamic_cast<TAntiAliasTool*>(read->FindComponent("Smooth1"));
    auto* readChart = dynamic_cast<TChart*>(read->FindComponent("Chart1"));
    ASSERT_NE(readTool, nullptr) << text;
    EXPECT_FALSE(readTool->AntiAlias());
    ASSERT_EQ(readTool->Filters()->Count(), 2);
    EXPECT_NE(dynamic_cast<TInvertFilter*>(readTool->Filters()->Items(0)), nullptr);
    auto* blur = dynamic_cast<TBlurFilter*>(readTool->Filters()->Items(1));
    ASSERT_NE(blur, nullptr);
    EXPECT_EQ(blur->Amount, 3);
    // Read while switched off: on the chart, not installed until switched on.
    readTool->SetAntiAlias(true);
    EXPECT_EQ(readChart->DrawCanvas(), readTool->Canvas());
    read.reset();

    // An empty filter list is not written.
    tool->Filters()->Clear();
    EXPECT_EQ(ComponentToText(form).find("FilterItems"), std::string::npos);
}

TEST_F(AntiAliasToolTest, NamesAndDescribesItself) {
    auto* tool = new TAntiAliasTool(form);
    EXPECT_EQ(tool->ToolTitleText(), ToolText(ttAntiAliasTitle));
    EXPECT_EQ(tool->ToolTitleText(), "Anti-Alias");
    EXPECT_EQ(tool->ToolSummaryText(),
              "Improves display of diagonal and curved lines, removing zig-zag.");
    EXPECT_EQ(tool->EditorClassName(), "TAntiAliasEditor");
}

// Diagonal lines and a pie, without and with the tool, side by side, for looking at.
TEST_F(AntiAliasToolTest, PictureOfChartsWithAndWithoutTheTool) {
    AddDiagonals(chart);
    TChart* smoothLines = NewChart(420);
    AddDiagonals(smoothLines);
    (new TAntiAliasTool(form))->SetParentChart(smoothLines);
    auto pieChart = [&](int x) {
        TChart* c = NewChart(x);
        c->SetTop(310);
        auto* pie = new TPieSeries(form);
        for (double v : {30.0, 20.0, 15.0, 25.0, 10.0})
            pie->AddValue(v, "Доля");
        pie->SetParentChart(c);
        return c;
    };
    form->SetBounds(0, 0, 860, 640);
    TChart* plainPie = pieChart(0);
    TChart* smoothPie = pieChart(420);
    (new TAntiAliasTool(form))->SetParentChart(smoothPie);
    QImage picture(820, 610, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter p(&picture);
        p.drawImage(0, 0, Paint(chart));
        p.drawImage(420, 0, Paint(smoothLines));
        p.drawImage(0, 310, Paint(plainPie));
        p.drawImage(420, 310, Paint(smoothPie));
    }
    charttest::SavePicture(picture, "tools-antialias");
    EXPECT_GT(DifferingPixels(Paint(smoothPie), Paint(plainPie)), 100);
    EXPECT_GT(Colours(Paint(smoothLines)), Colours(Paint(chart)) + 20);
}

} // namespace
