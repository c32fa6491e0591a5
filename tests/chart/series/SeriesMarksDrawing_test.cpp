// Marks of a line series on a chart: where each mark lands, which points get one, the hit test
// on what was drawn, and a picture of a line chart with marks and callouts.

#include "tests/chart/series/SeriesTestSupport.h"

#include "chart/core/SeriesMarks.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"
#include "tests/chart/support/ChartTestSupport.h"

#include <gtest/gtest.h>

namespace {

using seriestest::SeriesFixture;

class MarksDrawing : public SeriesFixture {
protected:
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
