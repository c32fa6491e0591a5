// Chart titles: their layout against the plot rectangle, the strips they take, the lines they
// draw, custom positions, the hit test and their stored form.

#include "tests/chart/control/ControlTestSupport.h"

#include "chart/control/ChartTitle.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"

#include <gtest/gtest.h>

using namespace controltest;

namespace {

class TitleFixture : public ::testing::Test {
protected:
    void SetUp() override {
        panel = std::make_unique<TBarePanel>();
        title = std::make_unique<TChartTitle>(panel.get());
        subTitle = std::make_unique<TChartTitle>(panel.get());
        foot = std::make_unique<TChartFootTitle>(panel.get());
        panel->Content = [this](TBarePanel& p) {
            plotBefore = p.PlotRect();
            const std::pair<TChartTitle*, const char*> titles[] = {
                {title.get(), "title"}, {subTitle.get(), "subtitle"}, {foot.get(), "foot"}};
            for (const auto& [t, group] : titles) {
                p.DrawCanvas()->BeginGroup(group);
                t->Draw();
                p.DrawCanvas()->EndGroup();
            }
            plotAfter = p.PlotRect();
        };
    }
    void TearDown() override { panel->Content = nullptr; }
    std::unique_ptr<TRecording> Draw() { return std::make_unique<TRecording>(*panel, 300, 200); }
    // The canvas's height and width of "W" and width of text in font.
    int CharHeight(TPlotFont* font) { return Measure(font, "W", true); }
    int Width(TPlotFont* font, const std::string& text) { return Measure(font, text, false); }
    int Measure(TPlotFont* font, const std::string& text, bool height) {
        TCanvas3D& canvas = *panel->DrawCanvas();
        TBitmap bitmap(10, 10);
        canvas.AttachCanvas(bitmap.Canvas());
        canvas.SelectFont(font);
        const int value = height ? canvas.MeasureTextHeight(text) : canvas.MeasureTextWidth(text);
        canvas.AttachCanvas(nullptr);
        return value;
    }

    std::unique_ptr<TBarePanel> panel;
    std::unique_ptr<TChartTitle> title, subTitle;
    std::unique_ptr<TChartFootTitle> foot;
    TRect plotBefore, plotAfter;
};

TEST_F(TitleFixture, TitlesWithoutLinesDrawNothingAndLeaveThePlotRectangle) {
    title->SetTransparent(false);
    foot->SetTransparent(false);
    auto rec = Draw();
    EXPECT_TRUE(rec->LinesIn("title").empty());
    EXPECT_TRUE(rec->LinesIn("foot").empty());
    EXPECT_EQ(plotAfter, plotBefore);
}

TEST_F(TitleFixture, HiddenTitleWithLinesDrawsNothing) {
    title->Text()->Add("Hidden");
    title->SetVisible(false);
    auto rec = Draw();
    EXPECT_TRUE(rec->LinesIn("title").empty());
    EXPECT_EQ(plotAfter, plotBefore);
}

TEST_F(TitleFixture, TopTitlesStackAndTakeTheirStripsFromTheTop) {
    title->Text()->Add("Первый");
    subTitle->Text()->Add("Second");
    subTitle->Text()->Add("Third");
    auto rec = Draw();
    const int h = CharHeight(title->Font());
    const int f = title->FrameWidth();
    // Each title: its frame, its lines, its frame again, then the margin and the frame once more.
    const int titleBottom = plotBefore.Top + f + h + f;
    EXPECT_EQ(title->ShapeRect.Bottom, titleBottom);
    EXPECT_EQ(subTitle->ShapeRect.Top, titleBottom + 5 + f);
    EXPECT_EQ(plotAfter.Top, subTitle->ShapeRect.Bottom + 5 + f);
    EXPECT_EQ(plotAfter.Left, plotBefore.Left);
    EXPECT_EQ(plotAfter.Right, plotBefore.Right);
    // The sub-title's lines read downwards, one line height apart, below the title's.
    const auto sub = rec->LinesIn("subtitle");
    std::vector<std::string> subTexts;
    std::vector<int> ys;
    for (const auto& line : sub)
        if (line.rfind("TEXT ", 0) == 0) {
            subTexts.push_back(TextOf(line));
            ys.push_back(NumbersOf(line)[1]);
        }
    ASSERT_EQ(subTexts, (std::vector<std::string>{"Second", "Third"}));
    EXPECT_EQ(ys[1] - ys[0], h);
    EXPECT_GT(ys[0], NumbersOf(rec->Matching("TEXT")[0])[1]);
    EXPECT_FALSE(panel->FixedPlotRect());
}

TEST_F(TitleFixture, FootLinesReadDownwardsAndItsStripComesFromTheBottom) {
    foot->Text()->Add("one");
    foot->Text()->Add("two");
    auto rec = Draw();
    const int h = CharHeight(foot->Font());
    const int f = foot->FrameWidth();
    const auto lines = rec->LinesIn("foot");
    std::vector<int> ys;
    std::vector<std::string> texts;
    for (const auto& line : lines)
        if (line.rfind("TEXT ", 0) == 0) {
            texts.push_back(TextOf(line));
            ys.push_back(NumbersOf(line)[1]);
        }
    ASSERT_EQ(texts, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(ys[1], ys[0] + h);
    EXPECT_EQ(ys[1], plotBefore.Bottom + f - h - f);
    EXPECT_EQ(plotAfter.Bottom, plotBefore.Bottom + f - 5 - f - 2 * h);
    EXPECT_EQ(plotAfter.Top, plotBefore.Top);
}

TEST_F(TitleFixture, AdjustedFrameIsAsWideAsTheLongestLinePlusOneCharacter) {
    title->Pen()->SetVisible(false);
    title->Text()->Add("short");
    title->Text()->Add("a longer line");
    Draw();
    const int w = Width(title->Font(), "W") + Width(title->Font(), "a longer line");
    const int centre = (plotBefore.Left + plotBefore.Right) / 2;
    EXPECT_EQ(title->ShapeRect.Left, centre - w / 2);
    EXPECT_EQ(title->ShapeRect.Right, centre + w / 2);

    title->SetAdjustFrame(false);
    Draw();
    EXPECT_EQ(title->ShapeRect.Left, plotBefore.Left);
    EXPECT_EQ(title->ShapeRect.Right, plotBefore.Right);
}

TEST_F(TitleFixture, AlignmentPlacesTheFrameAndTheLines) {
    title->Pen()->SetVisible(false);
    title->Text()->Add("Wide line");
    const int w0 = Width(title->Font(), "W");
    const int tw = Width(title->Font(), "Wide line");
    struct Case {
        TAlignment alignment;
        bool adjust;
        // Expected text x from the plot rectangle before the titles.
        std::function<int(const TRect&)> x;
    };
    const Case cases[] = {
        {taLeftJustify, true, [&](const TRect& r) { return r.Left + w0 / 2; }},
        {taLeftJustify, false, [&](const TRect& r) { return r.Left + w0 / 2; }},
        {taRightJustify, true, [&](const TRect& r) { return r.Right - tw - w0 / 2; }},
        {taRightJustify, false, [&](const TRect& r) { return r.Right - tw - w0 / 2; }},
        {taCenter, false, [&](const TRect& r) { return (r.Left + r.Right) / 2 - tw / 2; }},
    };
    for (const Case& c : cases) {
        title->SetAlignment(c.alignment);
        title->SetAdjustFrame(c.adjust);
        auto rec = Draw();
        const auto texts = rec->Matching("TEXT");
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(NumbersOf(texts[0])[0], c.x(plotBefore))
            << "alignment " << c.alignment << " adjust " << c.adjust;
    }
}

TEST_F(TitleFixture, FrameWidthCountsBevelOrAFramePenWithAColour) {
    struct Case {
        bool penVisible;
        TColor penColor;
        int penWidth;
        TPanelBevel bevel;
        int expected;
    };
    const Case cases[] = {
        {true, clBlack, 3, bvNone, 3},     {false, clBlack, 3, bvNone, 0},
        {true, clDefault, 3, bvNone, 0},   {true, clBlack, 3, bvRaised, 2},
        {false, clBlack, 1, bvLowered, 2},
    };
    for (const Case& c : cases) {
        title->Pen()->SetVisible(c.penVisible);
        title->Pen()->SetColor(c.penColor);
        title->Pen()->SetWidth(c.penWidth);
        title->SetBevel(c.bevel);
        EXPECT_EQ(title->FrameWidth(), c.expected) << c.penColor << " " << c.bevel;
    }
}

TEST_F(TitleFixture, CustomPositionedFootGrowsDownFromItsTopAndTakesNoRoom) {
    foot->Text()->Add("a");
    foot->Text()->Add("b");
    foot->SetLeft(40);
    foot->SetTop(30);
    EXPECT_TRUE(foot->CustomPosition());
    auto rec = Draw();
    const int h = CharHeight(foot->Font());
    EXPECT_EQ(foot->ShapeRect.Top, 30);
    EXPECT_EQ(foot->ShapeRect.Bottom, 30 + 2 * h);
    const int w = Width(foot->Font(), "W") + foot->FrameWidth() + Width(foot->Font(), "a");
    EXPECT_EQ(foot->ShapeRect.Left, 40);
    EXPECT_EQ(foot->ShapeRect.Right, 40 + 2 * (w / 2));
    EXPECT_EQ(plotAfter, plotBefore);
    const auto texts = rec->LinesIn("foot");
    std::vector<int> ys;
    for (const auto& line : texts)
        if (line.rfind("TEXT ", 0) == 0)
            ys.push_back(NumbersOf(line)[1]);
    ASSERT_EQ(ys.size(), 2u);
    EXPECT_LT(ys[0], ys[1]);
}

TEST_F(TitleFixture, FixedPlotRectangleIsNotShrunk) {
    title->Text()->Add("Fixed");
    panel->SetPlotRect({20, 20, 200, 150});
    Draw();
    EXPECT_EQ(plotAfter, (TRect{20, 20, 200, 150}));
    EXPECT_GT(title->ShapeRect.Bottom, 20);
}

TEST_F(TitleFixture, HtmlTitleIsDrawnOnceAsTaggedText) {
    title->SetTextFormat(ttfHtml);
    title->Text()->Add("<b>bold</b> plain");
    auto rec = Draw();
    const auto texts = rec->Texts();
    ASSERT_FALSE(texts.empty());
    for (const auto& t : texts)
        EXPECT_EQ(t.find('<'), std::string::npos) << t;
}

TEST_F(TitleFixture, OpaqueTitleFillsItsFrameInItsColour) {
    title->Text()->Add("Filled");
    title->SetTransparent(false);
    title->SetColor(clYellow);
    auto rec = Draw();
    std::vector<std::string> rectangles;
    for (const auto& line : rec->LinesIn("title"))
        if (line.rfind("RECTANGLE ", 0) == 0)
            rectangles.push_back(line);
    ASSERT_EQ(rectangles.size(), 1u);
    EXPECT_NE(rectangles[0].find("brush=00FFFF/solid"), std::string::npos) << rectangles[0];
    const auto r = NumbersOf(rectangles[0]);
    EXPECT_EQ((TRect{r[0], r[1], r[2], r[3]}), title->ShapeRect);
}

TEST(ChartTitleHit, InsideTheRectangleEdgesIncludedWhileVisible) {
    TChartTitle title(nullptr);
    title.ShapeRect = {10, 20, 50, 40};
    const struct {
        int x, y;
        bool hit;
    } cases[] = {{10, 20, true},  {50, 40, true},  {30, 30, true}, {9, 30, false},
                 {51, 30, false}, {30, 19, false}, {30, 41, false}};
    for (const auto& c : cases)
        EXPECT_EQ(title.Clicked(c.x, c.y), c.hit) << c.x << "," << c.y;
    title.SetVisible(false);
    EXPECT_FALSE(title.Clicked(30, 30));
}

TEST(ChartTitleDefaults, TitlesAreBlueFeetRedItalicBothTransparent) {
    TChartTitle title(nullptr);
    TChartFootTitle foot(nullptr);
    EXPECT_EQ(title.Font()->Color(), clBlue);
    EXPECT_TRUE(title.Font()->Style().Empty());
    EXPECT_EQ(foot.Font()->Color(), clRed);
    EXPECT_TRUE(foot.Font()->Style().Contains(fsItalic));
    for (TChartTitle* t : {static_cast<TChartTitle*>(&title), static_cast<TChartTitle*>(&foot)}) {
        EXPECT_TRUE(t->Transparent());
        EXPECT_TRUE(t->AdjustFrame());
        EXPECT_EQ(t->Alignment(), taCenter);
        EXPECT_EQ(t->VertMargin(), 5);
        EXPECT_FALSE(t->CustomPosition());
    }
    EXPECT_TRUE(title.OnTop());
    EXPECT_FALSE(foot.OnTop());
}

TEST(ChartTitleAssign, CopiesTextSettingsAndAPlacedPosition) {
    TChartTitle from(nullptr), to(nullptr);
    from.Text()->Add("x");
    from.SetAdjustFrame(false);
    from.SetAlignment(taRightJustify);
    from.SetVertMargin(9);
    from.SetLeft(12);
    from.SetTop(34);
    from.SetColor(clLime);
    to.Assign(&from);
    EXPECT_EQ(to.Text()->Text(), from.Text()->Text());
    EXPECT_FALSE(to.AdjustFrame());
    EXPECT_EQ(to.Alignment(), taRightJustify);
    EXPECT_EQ(to.VertMargin(), 9);
    EXPECT_TRUE(to.CustomPosition());
    EXPECT_EQ(to.Left(), 12);
    EXPECT_EQ(to.Top(), 34);
    EXPECT_EQ(to.Color(), clLime);
}

TEST(ChartTitleAssign, PositionIsNotCopiedWhileNotCustom) {
    TChartTitle from(nullptr), to(nullptr);
    from.ShapeRect = {5, 6, 7, 8};
    to.ShapeRect = {1, 2, 3, 4};
    to.Assign(&from);
    EXPECT_EQ(to.Left(), 1);
    EXPECT_EQ(to.Top(), 2);
}

TEST_F(TitleFixture, TextChangesRepaintThePanel) {
    panel->SetRepaintEnabled(true);
    Draw();
    title->Text()->Add("changed");
    auto* canvas = dynamic_cast<TPlotCanvas3D*>(panel->DrawCanvas());
    ASSERT_NE(canvas, nullptr);
    EXPECT_TRUE(canvas->BufferStale());
}

} // namespace
