#include "CoreTestSupport.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class ChartAxisTest : public ::testing::Test {
protected:
    ChartCoreSession session;
    TTestChart chart;
    TChartAxis* axis = chart.BottomAxis();
};

std::string AxisError(const std::function<void()>& op) {
    try {
        op();
    } catch (const AxisException& e) {
        return e.what();
    }
    return "no error";
}

TEST_F(ChartAxisTest, CheckedSettersRaiseAndKeepTheOldValue) {
    struct Case {
        const char* what;
        std::function<void(TChartAxis&)> op;
        const char* message;
    };
    const Case cases[] = {
        {"minimum above maximum", [](TChartAxis& a) { a.SetMinimum(5); },
         "Axis Minimum Value must be <= Maximum"},
        {"maximum below minimum", [](TChartAxis& a) { a.SetMaximum(-5); },
         "Axis Maximum Value must be >= Minimum"},
        {"negative increment", [](TChartAxis& a) { a.SetIncrement(-1); },
         "Axis increment must be >= 0"},
        {"negative separation", [](TChartAxis& a) { a.SetLabelsSeparation(-1); },
         "Labels Separation % must be greater than 0"},
        {"log base 1", [](TChartAxis& a) { a.SetLogarithmicBase(1); },
         "Axis Logarithmic Base should be <> 1 and > 0"},
        {"log base 0", [](TChartAxis& a) { a.SetLogarithmicBase(0); },
         "Axis Logarithmic Base should be <> 1 and > 0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AxisError([&] { c.op(*axis); }), c.message) << c.what;
        EXPECT_EQ(axis->Minimum(), 0) << c.what;
        EXPECT_EQ(axis->Maximum(), 0) << c.what;
        EXPECT_EQ(axis->Increment(), 0) << c.what;
        EXPECT_EQ(axis->LabelsSeparation(), 10) << c.what;
        EXPECT_EQ(axis->LogarithmicBase(), 10) << c.what;
    }
    chart.loading = true; // a description being read sets the ends in any order
    axis->SetMinimum(5);
    axis->SetMaximum(1);
    EXPECT_EQ(axis->Minimum(), 5);
    EXPECT_EQ(axis->Maximum(), 1);
}

TEST_F(ChartAxisTest, LogarithmicNeedsPositiveNumbers) {
    TChartSeries series(nullptr);
    series.SetParentChart(&chart);
    series.AddXYValue(-3, 1);
    series.AddXYValue(4, 2);
    chart.Layout();
    EXPECT_EQ(AxisError([&] { axis->SetLogarithmic(true); }),
              "Logarithmic Axis Min and Max values should be >= 0");
    EXPECT_FALSE(axis->Logarithmic());
    series.XValues()->SetDateTime(true);
    EXPECT_EQ(AxisError([&] { axis->SetLogarithmic(true); }),
              "DateTime Axis cannot be Logarithmic");
    series.XValues()->SetDateTime(false);
    series.DeletePoint(0);
    axis->SetLogarithmic(true);
    EXPECT_TRUE(axis->Logarithmic());
}

TEST_F(ChartAxisTest, AutomaticFlagsFollowEachOther) {
    axis->SetAutomatic(false);
    EXPECT_FALSE(axis->AutomaticMinimum());
    EXPECT_FALSE(axis->AutomaticMaximum());
    axis->SetAutomaticMinimum(true);
    EXPECT_FALSE(axis->Automatic());
    axis->SetAutomaticMaximum(true);
    EXPECT_TRUE(axis->Automatic());
    axis->SetAutomaticMaximum(false);
    EXPECT_FALSE(axis->Automatic());
    axis->SetAutomatic(true);
    chart.loading = true; // while loading each flag is read on its own
    axis->SetAutomatic(false);
    EXPECT_TRUE(axis->AutomaticMinimum());
}

TEST_F(ChartAxisTest, NormalisedValuesAndSetMinMax) {
    struct Angle {
        int set, stored;
    };
    for (Angle a : {Angle{450, 90}, Angle{-90, 270}, Angle{360, 0}, Angle{45, 45}}) {
        axis->SetLabelsAngle(a.set);
        EXPECT_EQ(axis->LabelsAngle(), a.stored) << a.set;
    }
    axis->Title()->SetAngle(-450);
    EXPECT_EQ(axis->Title()->Angle(), 270);
    axis->SetZPosition(0);
    EXPECT_EQ(axis->ZPosition(), 0.01);

    axis->SetMinMax(10, 3);
    EXPECT_EQ(axis->Minimum(), 3);
    EXPECT_EQ(axis->Maximum(), 10);
    EXPECT_FALSE(axis->Automatic() || axis->AutomaticMinimum() || axis->AutomaticMaximum());
    EXPECT_EQ(chart.rangesSet, std::vector<TChartAxis*>{axis});
    axis->SetMinMax(2, 2);
    EXPECT_EQ(axis->Maximum(), 2 + 1e-10);
    // The window of a clock that stepped back: no order of the two setters is needed.
    axis->SetMinMax(100, 101);
    axis->SetMinMax(90, 91);
    EXPECT_EQ(axis->Minimum(), 90);
}

TEST_F(ChartAxisTest, StoredPropertiesFollowTheirRules) {
    auto* custom = static_cast<TChartAxis*>(chart.CustomAxes()->Add());
    custom->SetHorizontal(true);
    axis->SetMinMax(1, 2);
    // The names of the properties a description would store, per axis.
    std::vector<std::string> texts;
    for (TChartAxis* a : {chart.LeftAxis(), axis, custom}) {
        std::string text = " ";
        for (const TPropInfo* p : a->ClassType()->Properties())
            if (p->IsStored(a))
                text += p->Name() + " ";
        texts.push_back(text);
    }
    EXPECT_EQ(texts[0].find(" Minimum "), std::string::npos) << texts[0];
    EXPECT_EQ(texts[0].find(" Maximum "), std::string::npos) << texts[0];
    EXPECT_EQ(texts[0].find(" Horizontal "), std::string::npos) << texts[0];
    EXPECT_EQ(texts[0].find(" ZPosition "), std::string::npos) << texts[0];
    EXPECT_EQ(texts[0].find(" LogarithmicBase "), std::string::npos) << texts[0];
    EXPECT_EQ(texts[0].find(" AxisValuesFormat "), std::string::npos) << texts[0];
    EXPECT_NE(texts[1].find(" Minimum "), std::string::npos) << texts[1];
    EXPECT_NE(texts[1].find(" Maximum "), std::string::npos) << texts[1];
    EXPECT_NE(texts[2].find(" Horizontal "), std::string::npos) << texts[2];
    EXPECT_NE(texts[2].find(" OtherSide "), std::string::npos) << texts[2];
    // Other-side axes store a depth position other than 100, the others one above 0.011.
    EXPECT_EQ(chart.TopAxis()->ClassType()->FindProperty("ZPosition")->IsStored(chart.TopAxis()),
              false);
    chart.TopAxis()->SetZPosition(50);
    EXPECT_TRUE(chart.TopAxis()->ClassType()->FindProperty("ZPosition")->IsStored(chart.TopAxis()));
}

TEST_F(ChartAxisTest, WrittenDescriptionsHoldManualEndsOnly) {
    chart.SetName("Chart1");
    const std::string automatic = ComponentToText(&chart);
    EXPECT_EQ(automatic.find("Minimum"), std::string::npos) << automatic;
    EXPECT_EQ(automatic.find("Maximum"), std::string::npos) << automatic;
    EXPECT_EQ(automatic.find("Axis"), std::string::npos) << automatic; // defaults: nothing
    chart.BottomAxis()->SetMinMax(-1.5, 20);
    chart.BottomAxis()->SetLogarithmicBase(2);
    const std::string manual = ComponentToText(&chart);
    EXPECT_NE(manual.find("BottomAxis.Minimum = -1.5"), std::string::npos) << manual;
    EXPECT_NE(manual.find("BottomAxis.Maximum = 20"), std::string::npos) << manual;
    EXPECT_NE(manual.find("BottomAxis.LogarithmicBase = 2"), std::string::npos) << manual;
    EXPECT_EQ(manual.find("LeftAxis.Minimum"), std::string::npos) << manual;

    TTestChart read;
    ReadComponentDescription(ObjectTextToBinary(manual), &read);
    EXPECT_EQ(read.BottomAxis()->Minimum(), -1.5);
    EXPECT_EQ(read.BottomAxis()->Maximum(), 20);
    EXPECT_FALSE(read.BottomAxis()->Automatic());
    EXPECT_TRUE(read.LeftAxis()->Automatic());
}

TEST_F(ChartAxisTest, AssignCopiesSettingsButNotDepthPositionOrEvent) {
    TChartAxis* other = chart.LeftAxis();
    other->SetMinMax(-4, 4);
    other->SetIncrement(0.5);
    other->SetLabelsAngle(90);
    other->SetDateTimeFormat("hh:nn");
    other->Grid()->SetDrawEvery(3);
    other->Title()->SetCaption("Напряжение");
    other->SetZPosition(40);
    other->OnDrawLabel = [](TChartAxis*, int&, int&, int&, std::string&, bool&) {};
    other->Items()->Add(2, "two");
    axis->Assign(other);
    EXPECT_EQ(axis->Minimum(), -4);
    EXPECT_EQ(axis->Maximum(), 4);
    EXPECT_FALSE(axis->Automatic());
    EXPECT_EQ(axis->Increment(), 0.5);
    EXPECT_EQ(axis->LabelsAngle(), 90);
    EXPECT_EQ(axis->DateTimeFormat(), "hh:nn");
    EXPECT_EQ(axis->Grid()->DrawEvery(), 3);
    EXPECT_EQ(axis->Title()->Caption(), "Напряжение");
    EXPECT_EQ(axis->Items()->Count(), 1);
    EXPECT_FALSE(axis->Items()->Automatic());
    EXPECT_FALSE(axis->Horizontal()); // fields, also the direction
    EXPECT_NE(axis->ZPosition(), 40);
    EXPECT_FALSE(static_cast<bool>(axis->OnDrawLabel));
}

TEST_F(ChartAxisTest, DateTimeAxisTestAndLabelStyle) {
    TChartSeries inactive(nullptr), series(nullptr);
    inactive.SetParentChart(&chart);
    series.SetParentChart(&chart);
    inactive.XValues()->SetDateTime(true);
    inactive.SetActive(false);
    EXPECT_FALSE(axis->IsDateTime()); // the first active series decides
    series.XValues()->SetDateTime(true);
    EXPECT_TRUE(axis->IsDateTime());
    EXPECT_FALSE(chart.LeftAxis()->IsDateTime());

    EXPECT_EQ(chart.TopAxis()->AutoLabelStyle(), talNone); // nothing uses it
    EXPECT_EQ(axis->AutoLabelStyle(), talValue);
    series.AddXYValue(1, 1, "one");
    EXPECT_EQ(axis->AutoLabelStyle(), talText);
    EXPECT_EQ(chart.LeftAxis()->AutoLabelStyle(), talValue); // a Y-mandatory series: values
    axis->SetLabelStyle(talMark);
    EXPECT_EQ(axis->EffectiveLabelStyle(), talMark);

    EXPECT_EQ(chart.DepthAxis()->AutoLabelStyle(), talText);
    chart.DepthAxis()->SetInverted(true); // shared by both depth axes
    EXPECT_TRUE(chart.DepthTopAxis()->Inverted());
}

TEST_F(ChartAxisTest, TitleHitTest) {
    TChartAxisTitle* title = axis->Title();
    title->SetShapeRect({10, 10, 50, 20});
    EXPECT_FALSE(axis->TitleClicked(20, 15)); // no caption
    title->SetCaption("Время");
    EXPECT_TRUE(axis->TitleClicked(20, 15));
    EXPECT_TRUE(axis->TitleClicked(50, 20)); // edges included
    EXPECT_FALSE(axis->TitleClicked(51, 15));
    title->SetAngle(90); // upright: the rectangle turned about its centre (30, 15)
    EXPECT_TRUE(axis->TitleClicked(30, 33));
    EXPECT_FALSE(axis->TitleClicked(45, 15));
    title->SetVisible(false);
    EXPECT_FALSE(axis->TitleClicked(30, 15));
}

TEST_F(ChartAxisTest, ClassesAreRegisteredUntilTheCoreStops) {
    EXPECT_NE(FindClass("TChartAxis"), nullptr);
    EXPECT_NE(FindClass("TChartDepthAxis"), nullptr);
    EXPECT_NE(FindClass("TChartAxisTitle"), nullptr);
    {
        ChartCoreSession nested; // starts nest
    }
    EXPECT_NE(FindClass("TChartAxis"), nullptr);
}

TEST(ChartCoreStop, UnregistersTheAxisClasses) {
    {
        ChartCoreSession session;
        EXPECT_NE(FindClass("TChartAxis"), nullptr);
    }
    EXPECT_EQ(GetClass("TChartAxis"), nullptr);
    EXPECT_EQ(GetClass("TChartDepthAxis"), nullptr);
    EXPECT_EQ(GetClass("TChartAxisTitle"), nullptr);
}

} // namespace
