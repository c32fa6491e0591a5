// A chart whose line series keep their points and custom axes in the form: the description,
// text or binary, brings back the points, their colours, labels and custom mark positions, and
// the axes the series were bound to.

#include "chart/control/Chart.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/SeriesMarks.h"
#include "chart/series/LineSeries.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/support/ChartTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

const std::string kStoredForm = "object Form1: TForm\n"
                                "  object Chart1: TChart\n"
                                "    Width = 400\n"
                                "    Height = 300\n"
                                "    CustomAxes = <\n"
                                "      item\n"
                                "      end\n"
                                "      item\n"
                                "        Horizontal = True\n"
                                "      end\n"
                                "      item\n"
                                "      end>\n"
                                "    object Series1: TLineSeries\n"
                                "      SeriesColor = clGreen\n"
                                "    end\n"
                                "    object Series2: TLineSeries\n"
                                "    end\n"
                                "  end\n"
                                "end\n";

using FormPtr = std::unique_ptr<TForm, void (*)(TForm*)>;

FormPtr NewForm() {
    return FormPtr(new TForm(nullptr), [](TForm* f) { f->Free(); });
}

TLineSeries* SeriesOf(TForm& form, const char* name) {
    return dynamic_cast<TLineSeries*>(form.FindComponent(name));
}

// Series1: three manual points with a colour, labels and one dragged mark, on custom axes 1
// (horizontal) and 2. Series2: points from code that are not stored.
FormPtr StoredForm() {
    FormPtr form = NewForm();
    ReadComponentDescription(ObjectTextToBinary(kStoredForm), form.get());
    auto* chart = dynamic_cast<TChart*>(form->FindComponent("Chart1"));
    TLineSeries* stored = SeriesOf(*form, "Series1");
    stored->AddXYValue(0.5, 220.25, "Пуск");
    stored->AddXYValue(1.5, 231, "", clRed);
    stored->AddXYValue(4, -1e-9, "Стоп");
    TSeriesMarkPosition dragged;
    dragged.Custom = true;
    dragged.Left = 40;
    dragged.Top = 12;
    dragged.Width = 30;
    dragged.Height = 14;
    stored->Marks()->Positions().StoreAt(1, dragged);
    stored->SetManualData(true);
    stored->SetCustomHorizAxis(static_cast<TChartAxis*>(chart->CustomAxes()->Items(1)));
    stored->SetCustomVertAxis(static_cast<TChartAxis*>(chart->CustomAxes()->Items(2)));
    TLineSeries* live = SeriesOf(*form, "Series2");
    live->AddXYValue(1, 2);
    live->AddXYValue(2, 3);
    return form;
}

void ExpectStoredContent(TForm& form) {
    auto* chart = dynamic_cast<TChart*>(form.FindComponent("Chart1"));
    ASSERT_NE(chart, nullptr);
    TLineSeries* stored = SeriesOf(form, "Series1");
    ASSERT_NE(stored, nullptr);
    ASSERT_EQ(stored->Count(), 3);
    EXPECT_EQ(stored->XValueAt(0), 0.5);
    EXPECT_EQ(stored->XValueAt(2), 4);
    EXPECT_EQ(stored->YValueAt(0), 220.25);
    EXPECT_EQ(stored->YValueAt(2), -1e-9);
    EXPECT_EQ(stored->XLabel(0), "Пуск");
    EXPECT_EQ(stored->XLabel(1), "");
    EXPECT_EQ(stored->XLabel(2), "Стоп");
    EXPECT_EQ(stored->PointColor(1), clRed);
    EXPECT_EQ(stored->PointColor(0), clGreen);
    EXPECT_TRUE(stored->ManualData());
    const TSeriesMarkPosition* mark = stored->Marks()->Positions().EntryAt(1);
    ASSERT_NE(mark, nullptr);
    EXPECT_TRUE(mark->Custom);
    EXPECT_EQ(mark->Bounds(), (TRect{40, 12, 70, 26}));
    EXPECT_EQ(stored->HorizAxis(), aCustomHorizAxis);
    EXPECT_EQ(stored->CustomHorizAxis(), chart->CustomAxes()->Items(1));
    EXPECT_EQ(stored->VertAxis(), aCustomVertAxis);
    EXPECT_EQ(stored->CustomVertAxis(), chart->CustomAxes()->Items(2));
    EXPECT_EQ(stored->GetVertAxis(), chart->CustomAxes()->Items(2));
    TLineSeries* live = SeriesOf(form, "Series2");
    ASSERT_NE(live, nullptr);
    EXPECT_EQ(live->Count(), 0);
    EXPECT_EQ(live->HorizAxis(), aBottomAxis);
}

TEST(SeriesDataForms, PointsAndCustomAxesComeBackFromTheTextAndTheBinaryForm) {
    FormPtr form = StoredForm();
    const std::string text = ComponentToText(form.get());
    EXPECT_NE(text.find("CustomHorizAxis = 1"), std::string::npos) << text;
    EXPECT_NE(text.find("CustomVertAxis = 2"), std::string::npos) << text;
    EXPECT_EQ(text.find("Data = {"), text.rfind("Data = {")) << "only Series1 stores points";

    struct Way {
        const char* what;
        std::function<void(TForm*)> read;
    };
    const Way ways[] = {
        {"text", [&](TForm* f) { ReadComponentDescription(ObjectTextToBinary(text), f); }},
        {"binary",
         [&](TForm* f) {
             TMemoryStream stream;
             WriteComponentToStream(stream, form.get());
             stream.SetPosition(0);
             ReadComponentFromStream(stream, f);
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        FormPtr back = NewForm();
        way.read(back.get());
        ExpectStoredContent(*back);
        EXPECT_EQ(ComponentToText(back.get()), text);
    }
}

TEST(SeriesDataForms, ABrokenPointBlockFailsTheFormsReading) {
    FormPtr form = StoredForm();
    std::string text = ComponentToText(form.get());
    // Drop the block's last 8 bytes: its last point's mark position ends early.
    const size_t close = text.find('}', text.find("Data = {"));
    ASSERT_NE(close, std::string::npos);
    ASSERT_EQ(text.find_first_not_of("0123456789ABCDEF", close - 16), close);
    text.erase(close - 16, 16);
    FormPtr back = NewForm();
    EXPECT_THROW(ReadComponentDescription(ObjectTextToBinary(text), back.get()), EReadError);
}

} // namespace
