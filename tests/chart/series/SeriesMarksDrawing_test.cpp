// Marks of a line series on a chart: where each mark lands, which points get one, the hit test
// on what was drawn, and a picture of a line chart with marks and callouts.

#include "tests/chart/series/SeriesTestSupport.h"

#include "chart/core/SeriesMarks.h"
#include "chart/draw/TaggedText.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"
#include "tests/chart/support/ChartTestSupport.h"

#include "platform/graphics/CanvasRecorder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using seriestest::SeriesFixture;

// The texts a canvas writes, with the turn and height of the font each was written in.
struct TTextCall {
    TPoint at;
    std::string text;
    int orientation;
    int height;
    TColor color;
};

class TTextLog : public TCanvasRecorder {
public:
    explicit TTextLog(TCanvas& canvas) : canvas_(canvas) { canvas_.SetRecorder(this); }
    ~TTextLog() override { canvas_.SetRecorder(nullptr); }
    void Record(TCanvas& canvas, const TCanvasCall& call) override {
        if (call.op == TCanvasOp::Text && !call.points.empty())
            calls.push_back({call.points[0], call.text, canvas.Font()->Orientation(),
                             std::abs(canvas.Font()->Height()), canvas.Font()->Color()});
    }
    // The calls that wrote text.
    std::vector<TTextCall> Of(const std::string& text) const {
        std::vector<TTextCall> out;
        for (const TTextCall& c : calls)
            if (c.text == text)
                out.push_back(c);
        return out;
    }
    std::vector<TTextCall> calls;

private:
    TCanvas& canvas_;
};

class MarksDrawing : public SeriesFixture {
protected:
    // Draws as Draw does, noting the texts written.
    void DrawNotingTexts(int width = 400, int height = 300) {
        auto drawCanvas = std::make_unique<seriestest::TSeriesCanvas>();
        canvas = drawCanvas.get();
        chart->ReplaceDrawCanvas(std::move(drawCanvas));
        texts.reset(); // it leaves the old bitmap's canvas while that still exists
        bitmap = std::make_unique<TBitmap>(width, height);
        texts = std::make_unique<TTextLog>(*bitmap->Canvas());
        chart->SetBounds(0, 0, width, height);
        chart->DrawToCanvas(bitmap->Canvas(), {0, 0, width, height});
    }
    // The rectangles drawn in the series' group with the marks' colour.
    std::vector<TRect> MarkBoxes() const {
        std::vector<TRect> boxes;
        for (const seriestest::TShape& shape : canvas->Shapes)
            if (shape.rectangle && shape.brush == clYellow)
                boxes.push_back(
                    {shape.points[0].X, shape.points[0].Y, shape.points[1].X, shape.points[1].Y});
        return boxes;
    }
    // Five points whose marks read in Russian.
    TLineSeries* AddNamed() {
        TLineSeries* series = AddSeries();
        const char* names[] = {"Стоянка", "Поворот", "Въезд в зону", "Остановка", "Выезд"};
        const double ys[] = {20, 60, 35, 80, 50};
        for (int i = 0; i < 5; ++i)
            series->AddXYValue(1 + 2 * i, ys[i], names[i]);
        TSeriesMarks* marks = series->Marks();
        marks->SetVisible(true);
        marks->SetColor(clYellow);
        marks->Callout()->Arrow()->SetColor(clBlack);
        marks->Callout()->SetDistance(2);
        // The axis shows values, so each name is written by its mark only.
        chart->BottomAxis()->SetLabelStyle(talValue);
        return series;
    }
    std::unique_ptr<TTextLog> texts;

    TLineSeries* AddMarked(int drawEvery) {
        TLineSeries* series = AddSeries({{1, 20}, {3, 60}, {5, 35}, {7, 80}, {9, 50}});
        TSeriesMarks* marks = series->Marks();
        marks->SetVisible(true);
        marks->SetStyle(smsValue);
        marks->SetDrawEvery(drawEvery);
        marks->Callout()->Arrow()->SetColor(clBlack);
        marks->Callout()->SetDistance(2);
        return series;
    }
};

TEST_F(MarksDrawing, EachMarkStandsAboveItsPointLiftedByTheCallout) {
    TLineSeries* series = AddMarked(1);
    Draw();
    const TSeriesMarksPositions& positions = series->Marks()->Positions();
    ASSERT_EQ(positions.Count(), 5);
    for (int i = 0; i < 5; ++i) {
        const TSeriesMarkPosition* p = positions.EntryAt(i);
        ASSERT_NE(p, nullptr) << i;
        const int x = PX(series->XValueAt(i));
        const int y = PY(series->YValueAt(i));
        EXPECT_EQ(p->ArrowFrom, (TPoint{x, y - 2})) << i;
        EXPECT_EQ(p->ArrowTo, (TPoint{x, y - 10})) << i;
        EXPECT_EQ(p->Left, x - p->Width / 2) << i;
        EXPECT_EQ(p->Top + p->Height - 1, y - 10) << i; // the box's bottom meets the arrow
        EXPECT_GT(p->Width, 0);
        // The box drawn is found again under the pointer.
        EXPECT_EQ(series->Marks()->MarkAt(x, p->Top + 1), i);
    }
    EXPECT_EQ(series->Marks()->MarkAt(PX(2), PY(95)), -1);
    charttest::SavePicture(Image(), "marks-line-callouts");
}

TEST_F(MarksDrawing, AVisibleSymbolWidensTheMarkAndShowsThePointsColourBesideTheText) {
    TLineSeries* series = AddMarked(1);
    Draw();
    const int plainWidth = series->Marks()->Positions().EntryAt(0)->Width;
    series->Marks()->Symbol()->SetVisible(true);
    Draw();
    const TSeriesMarkPosition* p = series->Marks()->Positions().EntryAt(0);
    const int fontHeight = canvas->CharHeight();
    EXPECT_EQ(p->Width, plainWidth + fontHeight - 4);
    const QImage image = Image();
    charttest::SavePicture(image, "marks-line-symbol");
    for (int i = 0; i < 5; ++i) {
        const TSeriesMarkPosition* q = series->Marks()->Positions().EntryAt(i);
        // The middle of the symbol's square, (left + 4, top + 3) .. (left + fh - 1, top + fh - 2).
        const int x = q->Left + (fontHeight + 3) / 2;
        const int y = q->Top + (fontHeight + 1) / 2;
        EXPECT_EQ(charttest::PixelAt(image, x, y), series->SeriesColor()) << i;
    }
}

TEST_F(MarksDrawing, OnlyEveryNthPointGetsAMarkAndNoneWhenHidden) {
    struct Case {
        int every;
        std::vector<int> marked;
    };
    const Case cases[] = {{2, {0, 2, 4}}, {0, {0, 1, 2, 3, 4}}, {3, {0, 3}}};
    for (const Case& c : cases) {
        TLineSeries* series = AddMarked(c.every);
        Draw();
        std::vector<int> marked;
        for (int i = 0; i < 5; ++i)
            if (series->Marks()->Positions().EntryAt(i) != nullptr)
                marked.push_back(i);
        EXPECT_EQ(marked, c.marked) << "every " << c.every;
        series->Free();
    }
    TLineSeries* hidden = AddMarked(1);
    hidden->Marks()->SetVisible(false);
    Draw();
    EXPECT_EQ(hidden->Marks()->Positions().Count(), 0);
}

} // namespace

namespace {

const std::string kMarkedForm = "object Form1: TForm\n"
                                "  object Chart1: TChart\n"
                                "    Width = 400\n"
                                "    Height = 300\n"
                                "    View3D = False\n"
                                "    object Series1: TLineSeries\n"
                                "      Marks.Callout.Brush.Color = clBlack\n"
                                "      Marks.Callout.Arrow.Visible = True\n"
                                "      Marks.Callout.Length = 12\n"
                                "      Marks.DrawEvery = 2\n"
                                "    end\n"
                                "  end\n"
                                "end\n";

TEST(MarksForms, CalloutSettingsLoadAndHiddenMarksDrawNothing) {
    std::unique_ptr<TForm, void (*)(TForm*)> form(new TForm(nullptr), [](TForm* f) { f->Free(); });
    ReadComponentDescription(ObjectTextToBinary(kMarkedForm), form.get());
    auto* chart = dynamic_cast<TChart*>(form->FindComponent("Chart1"));
    auto* series = dynamic_cast<TLineSeries*>(form->FindComponent("Series1"));
    ASSERT_NE(series, nullptr);
    TSeriesMarks* marks = series->Marks();
    ASSERT_NE(marks->CalloutIfAny(), nullptr);
    EXPECT_EQ(marks->Callout()->Brush()->Color(), clBlack);
    EXPECT_TRUE(marks->Callout()->Arrow()->Visible());
    EXPECT_EQ(marks->Callout()->Length(), 12);
    EXPECT_EQ(marks->DrawEvery(), 2);
    EXPECT_FALSE(marks->Visible());
    for (int i = 0; i <= 4; ++i)
        series->AddXYValue(i, 10 * i);
    TBitmap bitmap(400, 300);
    chart->DrawToCanvas(bitmap.Canvas(), {0, 0, 400, 300});
    EXPECT_EQ(marks->Positions().Count(), 0);
}

TEST(MarksForms, CustomItemsComeBackThroughTheFormsDescription) {
    std::unique_ptr<TForm, void (*)(TForm*)> form(new TForm(nullptr), [](TForm* f) { f->Free(); });
    ReadComponentDescription(ObjectTextToBinary(kMarkedForm), form.get());
    auto* series = dynamic_cast<TLineSeries*>(form->FindComponent("Series1"));
    ASSERT_NE(series, nullptr);
    series->Marks()->Items().Item(2)->Text()->Add("Стоянка");
    series->Marks()->Items().Item(2)->SetColor(clAqua);
    series->Marks()->Items().Item(0)->SetVisible(false);
    const std::string text = ComponentToText(form.get());
    EXPECT_NE(text.find("Marks.Items = {"), std::string::npos) << text;

    std::unique_ptr<TForm, void (*)(TForm*)> back(new TForm(nullptr), [](TForm* f) { f->Free(); });
    ReadComponentDescription(ObjectTextToBinary(text), back.get());
    auto* again = dynamic_cast<TLineSeries*>(back->FindComponent("Series1"));
    ASSERT_NE(again, nullptr);
    TMarksItems& items = again->Marks()->Items();
    ASSERT_EQ(items.Count(), 3);
    ASSERT_NE(items.Existing(2), nullptr);
    ASSERT_EQ(items.Existing(2)->Text()->Count(), 1);
    EXPECT_EQ(items.Existing(2)->Text()->Get(0), "Стоянка");
    EXPECT_EQ(items.Existing(2)->Color(), clAqua);
    EXPECT_FALSE(items.Existing(0)->Visible());
    EXPECT_EQ(again->Marks()->Callout()->Length(), 12);
    EXPECT_EQ(ComponentToText(back.get()), text);
}

} // namespace

namespace {

using seriestest::SeriesFixture;

class MarksLook : public MarksDrawing {};

TEST_F(MarksLook, InThreeDimensionsEachBoxSitsOnItsProjectedArrow) {
    chart->SetView3D(true);
    TLineSeries* series = AddNamed();
    series->SetZOrder(2); // deeper than the front, where projecting moves a point
    DrawNotingTexts();
    const std::vector<TRect> boxes = MarkBoxes();
    ASSERT_EQ(boxes.size(), 5u);
    TSeriesMarks* marks = series->Marks();
    ASSERT_GT(series->StartZ(), 0);
    for (int i = 0; i < 5; ++i) {
        const TSeriesMarkPosition* p = marks->Positions().EntryAt(i);
        ASSERT_NE(p, nullptr);
        // Kept where the point lies before the view's projection, lifted by the callout.
        const int x = series->PixelX(i);
        const int y = series->PixelY(i);
        EXPECT_EQ(p->ArrowTo, (TPoint{x, y - 10})) << i;
        // Drawn where that arrow end appears, at the series' front.
        const TPoint end = canvas->Project(x, y - 10, series->StartZ());
        const TRect& box = boxes[static_cast<size_t>(i)];
        EXPECT_EQ(box.Left, end.X - p->Width / 2) << i;
        EXPECT_EQ(box.Bottom - 1, end.Y) << i;
        EXPECT_EQ(box.Right - box.Left, p->Width) << i;
        // Its text inside it, and the hit test finds it there.
        const std::vector<TTextCall> text = texts->Of(series->MarkText(i));
        ASSERT_EQ(text.size(), 1u) << i;
        EXPECT_GE(text[0].at.Y, box.Top) << i;
        EXPECT_LT(text[0].at.Y, box.Bottom) << i;
        EXPECT_EQ(marks->MarkAt((box.Left + box.Right) / 2, box.Top + 2), i) << i;
    }
    charttest::SavePicture(Image(), "marks-line-3d");

    // Turned, each box turns about the middle of where it stands on the screen; it is not
    // projected a second time.
    marks->SetAngle(45);
    DrawNotingTexts();
    charttest::SavePicture(Image(), "marks-line-3d-rotated");
    std::vector<std::vector<TPoint>> turned;
    for (const seriestest::TShape& shape : canvas->Shapes)
        if (!shape.rectangle && shape.brush == clYellow)
            turned.push_back(shape.points);
    ASSERT_EQ(turned.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        const TSeriesMarkPosition* p = marks->Positions().EntryAt(i);
        const TPoint end = canvas->Project(p->ArrowTo.X, p->ArrowTo.Y, series->StartZ());
        const std::vector<TPoint>& corners = turned[static_cast<size_t>(i)];
        ASSERT_EQ(corners.size(), 4u);
        int sx = 0, sy = 0;
        for (const TPoint& c : corners) {
            sx += c.X;
            sy += c.Y;
        }
        EXPECT_NEAR(sx / 4.0, end.X, 2) << i;
        EXPECT_NEAR(sy / 4.0, end.Y + 1 - p->Height / 2.0, 2) << i;
    }
}

TEST_F(MarksLook, AZoomedViewZoomsTheMarksTextAndItsBoxWhenItZoomsText) {
    chart->SetView3D(true);
    chart->View3DOptions()->SetZoom(150);
    TLineSeries* series = AddNamed();
    struct Result {
        int width;
        int textHeight;
    };
    auto measure = [&](bool zoomText) {
        chart->View3DOptions()->SetZoomText(zoomText);
        DrawNotingTexts();
        const std::vector<TTextCall> text = texts->Of(series->MarkText(2));
        EXPECT_EQ(text.size(), 1u) << zoomText;
        return Result{series->Marks()->Positions().EntryAt(2)->Width,
                      text.empty() ? 0 : text[0].height};
    };
    const Result plain = measure(false);
    const Result zoomed = measure(true);
    charttest::SavePicture(Image(), "marks-line-3d-zoomed");
    // 150 % of the font: the text and the box around it grow by about half.
    EXPECT_GT(zoomed.textHeight, plain.textHeight * 5 / 4);
    EXPECT_GT(zoomed.width, plain.width * 5 / 4);
    EXPECT_LT(zoomed.width, plain.width * 7 / 4);
}

TEST_F(MarksLook, TurnedMarksWriteTurnedTextInsideTheirTurnedBox) {
    TLineSeries* series = AddNamed();
    series->Marks()->SetAngle(90);
    DrawNotingTexts();
    charttest::SavePicture(Image(), "marks-line-rotated");
    TSeriesMarks* marks = series->Marks();
    for (int i = 0; i < 5; ++i) {
        const std::vector<TTextCall> text = texts->Of(series->MarkText(i));
        ASSERT_EQ(text.size(), 1u) << i;
        EXPECT_EQ(text[0].orientation, 900) << i;
        // Turned a quarter to the left, the glyphs lie right of where the text starts.
        EXPECT_EQ(marks->MarkAt(text[0].at.X + text[0].height / 2, text[0].at.Y), i) << i;
        // The box stands upright: a pixel above the flat box but inside the turned one hits.
        const TSeriesMarkPosition* p = marks->Positions().EntryAt(i);
        const int cx = (2 * p->Left + p->Width) / 2;
        const int cy = (2 * p->Top + p->Height) / 2;
        EXPECT_EQ(marks->MarkAt(cx, cy - p->Width / 2 + 3), i) << i;
        EXPECT_EQ(marks->MarkAt(p->Left + 2, cy), -1) << i;
    }
}

TEST_F(MarksLook, MarkTextsTakeThePointsColourWhenTheSeriesAsks) {
    TLineSeries* series = AddNamed();
    series->SetColorEachPoint(true);
    series->Marks()->Font()->SetColor(clNavy);
    for (bool pointColour : {false, true}) {
        series->Marks()->SetFontSeriesColor(pointColour);
        DrawNotingTexts();
        for (int i = 0; i < 5; ++i) {
            const std::vector<TTextCall> text = texts->Of(series->MarkText(i));
            ASSERT_EQ(text.size(), 1u) << i;
            EXPECT_EQ(text[0].color, pointColour ? series->PointColor(i) : clNavy) << i;
        }
    }
    EXPECT_NE(series->PointColor(0), series->PointColor(1));
}

TEST_F(MarksLook, TaggedMarksAreMeasuredAndWrittenWithoutTheirTags) {
    TLineSeries* series = AddNamed();
    TSeriesMarks* marks = series->Marks();
    marks->Items().Item(1)->Text()->Add("<b>Жирный</b> текст");
    DrawNotingTexts();
    const int plainWidth = marks->Positions().EntryAt(1)->Width;
    EXPECT_EQ(texts->Of("<b>Жирный</b> текст").size(), 1u);
    marks->SetTextFormat(ttfHtml);
    DrawNotingTexts();

    charttest::SavePicture(Image(), "marks-line-tagged");
    EXPECT_TRUE(texts->Of("<b>Жирный</b> текст").empty());
    bool bold = false, rest = false;
    for (const TTextCall& c : texts->calls) {
        bold = bold || c.text.find("Жирный") != std::string::npos;
        rest = rest || c.text.find("текст") != std::string::npos;
    }
    EXPECT_TRUE(bold);
    EXPECT_TRUE(rest);
    // The tags take no room: the box is narrower than with them written out.
    const int taggedWidth = marks->Positions().EntryAt(1)->Width;
    EXPECT_LT(taggedWidth, plainWidth);
    EXPECT_GT(taggedWidth, plainWidth / 2);
}

TEST_F(MarksLook, HorizontalLinesSetTheirMarksBesideThePointAwayFromTheOrigin) {
    auto* series = AddSeries<THorizLineSeries>({{3, 20}, {6, 50}, {8, 80}});
    TSeriesMarks* marks = series->Marks();
    marks->SetVisible(true);
    marks->SetStyle(smsValue);
    marks->Callout()->SetDistance(2);
    for (bool inverted : {false, true}) {
        chart->BottomAxis()->SetInverted(inverted);
        Draw();
        for (int i = 0; i < 3; ++i) {
            const TSeriesMarkPosition* p = marks->Positions().EntryAt(i);
            ASSERT_NE(p, nullptr);
            const int x = series->PixelX(i);
            const int y = series->PixelY(i);
            const int w = p->Width;
            const int h = p->Height;
            // Origin on the left: the mark right of its point at the callout's length and
            // distance; origin on the right (inverted axis): left of it.
            const int left = inverted ? x - 10 - w : x + 10;
            EXPECT_EQ(p->Left, left) << inverted << " " << i;
            EXPECT_EQ(p->Top, y - h + 1 + h / 2) << inverted << " " << i;
            EXPECT_EQ(p->ArrowTo, (TPoint{left, y})) << inverted << " " << i;
            EXPECT_EQ(p->ArrowFrom, (TPoint{inverted ? x - 2 : x + 2, y})) << inverted;
        }
    }
    charttest::SavePicture(Image(), "marks-horizontal-line");
}

// Long callouts with solid heads, in 2D and 3D: each arrow shows whole between its point and its
// box, its tip touching the box above the box's shadow, its head wider than its shaft.
TEST_F(MarksLook, ArrowHeadsOfLongCalloutsShowBetweenPointAndBox) {
    TLineSeries* series = AddNamed();
    TMarksCallout* callout = series->Marks()->Callout();
    callout->SetLength(24);
    callout->SetArrowHead(ahSolid);
    const int head = callout->ArrowHeadSize();
    for (bool view3D : {false, true}) {
        chart->SetView3D(view3D);
        Draw();
        const QImage image = Image();
        // The black pixels of row y within reach of x.
        auto blackAround = [&](int x, int y, int reach) {
            int n = 0;
            for (int dx = -reach; dx <= reach; ++dx)
                n += charttest::PixelAt(image, x + dx, y) == clBlack;
            return n;
        };
        for (int i = 0; i < 5; ++i) {
            const TSeriesMarkPosition* p = series->Marks()->Positions().EntryAt(i);
            ASSERT_NE(p, nullptr) << i;
            const int z = series->Marks()->ZPosition();
            const TPoint to = view3D ? canvas->Project(p->ArrowTo.X, p->ArrowTo.Y, z) : p->ArrowTo;
            const TPoint from =
                view3D ? canvas->Project(p->ArrowFrom.X, p->ArrowFrom.Y, z) : p->ArrowFrom;
            ASSERT_EQ(from.Y - to.Y, 24) << i;
            const std::string where = (view3D ? "3D mark " : "2D mark ") + std::to_string(i);
            // Just below the box, where its shadow falls, the tip.
            for (int dy = 1; dy <= 3; ++dy)
                EXPECT_GE(blackAround(to.X, to.Y + dy, 1), 1) << where << ": the tip, " << dy;
            const int headWidth = blackAround(to.X, to.Y + head - 2, 6);
            const int shaftWidth = blackAround(to.X, to.Y + head + 8, 6);
            EXPECT_GE(shaftWidth, 1) << where;
            EXPECT_GT(headWidth, shaftWidth) << where;
        }
        charttest::SavePicture(image,
                               view3D ? "marks-line-arrow-heads-3d" : "marks-line-arrow-heads");
    }
}

TEST_F(MarksLook, VisibleMarksWidenTheMarginsOnTheirSide) {
    TLineSeries* line = AddNamed();
    auto* horizontal = AddSeries<THorizLineSeries>({{3, 20}, {6, 50}});
    Draw();
    struct Case {
        TChartSeries* series;
        bool visible;
        bool vertical;
        int expected; // the margin on the marks' side
    };
    horizontal->Marks()->SetVisible(true);
    const int widest = horizontal->Marks()->MaxMarkWidth();
    ASSERT_GT(widest, 0);
    const Case cases[] = {
        {line, true, true, 10},            // above: the callout's length and distance
        {line, false, true, 0},            // hidden marks take no room
        {horizontal, true, false, widest}, // beside: the widest mark text
        {horizontal, false, false, 0},
    };
    for (const Case& c : cases) {
        c.series->Marks()->SetVisible(c.visible);
        int low = 0, high = 0;
        if (c.vertical)
            c.series->GetVertMargins(high, low);
        else
            c.series->GetHorizMargins(low, high);
        EXPECT_EQ(high, c.expected) << c.series->ClassName() << " " << c.visible;
    }
}

TEST_F(MarksLook, TheChartsWidestMarkIsOverTheVisibleMarksOfItsActiveSeries) {
    TLineSeries* series = AddNamed();
    // Hidden marks, but one point has an item of its own, visible.
    auto* other = AddSeries({{2, 30}, {4, 40}});
    other->Marks()->Items().Item(0)->Text()->Add("Очень длинная подпись точки");
    Draw();
    const int both = chart->WidestMark();
    other->SetActive(false);
    const int one = chart->WidestMark();
    EXPECT_GT(both, one);
    EXPECT_GT(one, 0);
    other->SetActive(true);
    other->Marks()->Items().Item(0)->SetVisible(false);
    EXPECT_EQ(chart->WidestMark(), one);
    series->Marks()->SetVisible(false);
    EXPECT_EQ(chart->WidestMark(), 0);
}

// A canvas that places text in depth itself, noting what it is asked to write there.
class TDepthTextCanvas : public seriestest::TSeriesCanvas {
public:
    struct TDepthText {
        TPoint at;
        int z;
        std::string text;
        double angle;
    };
    bool PlacesText3D() override { return true; }
    void TextOutAtDepth(int x, int y, int z, const std::string& text) override {
        Texts.push_back({{x, y}, z, text, 0});
    }
    void AngledTextAtDepth(int x, int y, int z, const std::string& text, double angle) override {
        Texts.push_back({{x, y}, z, text, angle});
    }
    std::vector<TDepthText> Texts;
};

TEST_F(MarksLook, ACanvasThatPlacesTextInDepthGetsTheMarksTextAtTheSeriesFront) {
    chart->SetView3D(true);
    TLineSeries* series = AddNamed();
    for (int angle : {0, 45}) {
        series->Marks()->SetAngle(angle);
        auto depthCanvas = std::make_unique<TDepthTextCanvas>();
        TDepthTextCanvas* depth = depthCanvas.get();
        canvas = depth;
        chart->ReplaceDrawCanvas(std::move(depthCanvas));
        bitmap = std::make_unique<TBitmap>(400, 300);
        chart->SetBounds(0, 0, 400, 300);
        chart->DrawToCanvas(bitmap->Canvas(), {0, 0, 400, 300});
        for (int i = 0; i < 5; ++i) {
            std::vector<TDepthTextCanvas::TDepthText> written;
            for (const auto& t : depth->Texts)
                if (t.text == series->MarkText(i))
                    written.push_back(t);
            ASSERT_EQ(written.size(), 1u) << angle << " " << i;
            const auto& t = written[0];
            const TSeriesMarkPosition* p = series->Marks()->Positions().EntryAt(i);
            EXPECT_EQ(t.z, series->StartZ());
            EXPECT_EQ(t.angle, angle);
            // The canvas projects: the text stays inside the mark's own, unprojected box.
            if (angle == 0) {
                EXPECT_GE(t.at.Y, p->Top) << i;
                EXPECT_LT(t.at.Y, p->Top + p->Height) << i;
                EXPECT_EQ(t.at.X, p->Left + 2 + p->Width / 2 - 1) << i;
            }
            EXPECT_EQ(series->Marks()->ScreenTopLeft(*p), (TPoint{p->Left, p->Top})) << i;
        }
    }
}

TEST(MarksForms, ItemsSurviveTheStoredPointsReadAfterThem) {
    std::unique_ptr<TForm, void (*)(TForm*)> form(new TForm(nullptr), [](TForm* f) { f->Free(); });
    ReadComponentDescription(ObjectTextToBinary(kMarkedForm), form.get());
    auto* series = dynamic_cast<TLineSeries*>(form->FindComponent("Series1"));
    ASSERT_NE(series, nullptr);
    for (int i = 0; i <= 4; ++i)
        series->AddXYValue(i, 10 * i);
    series->SetManualData(true);
    series->Marks()->Items().Item(3)->Text()->Add("Заправка");
    const std::string text = ComponentToText(form.get());
    ASSERT_NE(text.find("Data = {"), std::string::npos) << text;
    ASSERT_LT(text.find("Marks.Items"), text.find("Data = {")) << text;

    std::unique_ptr<TForm, void (*)(TForm*)> back(new TForm(nullptr), [](TForm* f) { f->Free(); });
    ReadComponentDescription(ObjectTextToBinary(text), back.get());
    auto* again = dynamic_cast<TLineSeries*>(back->FindComponent("Series1"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Count(), 5);
    ASSERT_NE(again->Marks()->Items().Existing(3), nullptr);
    EXPECT_EQ(again->MarkText(3), "Заправка");
    // Read and done: clearing the points now clears the items too.
    again->ClearValues();
    EXPECT_EQ(again->Marks()->Items().Count(), 0);
}

} // namespace
