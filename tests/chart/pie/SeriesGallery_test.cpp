// The standard series types as the gallery knows them: the registry after start-up (also after a
// second start), the sub-style captions of each type, applying every style number, and the pie
// in a form description.

#include "tests/chart/pie/PieTestSupport.h"

#include "chart/control/ChartPalettes.h"
#include "chart/control/SeriesTypes.h"
#include "chart/core/SeriesMarks.h"
#include "chart/series/AreaSeries.h"
#include "chart/series/BarSeries.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PointSeries.h"
#include "chart/series/SeriesLibrary.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"

using namespace pietest;

namespace {

std::vector<std::string> StylesOf(TChartSeries& series) {
    std::vector<std::string> styles;
    series.ListSubStyles([&](const std::string& s) { styles.push_back(s); });
    return styles;
}

struct TRegistryRow {
    std::string cls, description, page;
    int samples;
    bool operator==(const TRegistryRow&) const = default;
};

std::vector<TRegistryRow> Registry() {
    std::vector<TRegistryRow> rows;
    for (int i = 0; i < PlotSeriesTypes().Count(); ++i) {
        const TPlotSeriesType* t = PlotSeriesTypes().Items(i);
        rows.push_back({t->SeriesClass()->ClassName(), t->Description(), t->GalleryPage(),
                        t->GallerySeriesCount()});
    }
    return rows;
}

TEST(SeriesRegistry, TheStandardTypesAreListedInGalleryOrderOnce) {
    const std::vector<TRegistryRow> standard = {
        {"TLineSeries", "Line", "Standard", 2},
        {"TBarSeries", "Bar", "Standard", 2},
        {"THorizBarSeries", "Horizontal\rBar", "Standard", 2},
        {"TAreaSeries", "Area", "Standard", 2},
        {"TPointSeries", "Point", "Standard", 2},
        {"TPieSeries", "Pie", "Standard", 1},
        {"TFastLineSeries", "Fast Line", "Standard", 2},
        {"THorizLineSeries", "Horizontal\rLine", "Standard", 1},
        {"THorizAreaSeries", "Horizontal\rArea", "Standard", 1},
    };
    std::vector<TRegistryRow> listed;
    for (const TRegistryRow& row : Registry())
        if (std::find(standard.begin(), standard.end(), row) != standard.end())
            listed.push_back(row);
    EXPECT_EQ(listed, standard);
    for (const TRegistryRow& row : standard)
        EXPECT_NE(GetClass(row.cls), nullptr) << row.cls << " loads from descriptions";

    // A second start changes neither the registry nor the palette names.
    const std::vector<TRegistryRow> before = Registry();
    TColorPalettes palettesBefore;
    StartChartSeries();
    EXPECT_EQ(Registry(), before);
    TColorPalettes palettesAfter;
    ASSERT_EQ(palettesAfter.Count(), 16);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(palettesAfter.Strings(i), palettesBefore.Strings(i));
    StopChartSeries();
    EXPECT_EQ(Registry(), before);
}

class SeriesGallery : public PieFixture {};

TEST_F(SeriesGallery, EachTypeListsItsStylesAfterNormal) {
    struct Case {
        TChartSeries* series;
        std::vector<std::string> styles;
    };
    const Case cases[] = {
        {new TLineSeries(owner),
         {"Normal", "Stairs", "Points", "Height", "Hollow", "Colors", "Marks", "No Border",
          "Outline"}},
        {new THorizLineSeries(owner),
         {"Normal", "Stairs", "Points", "Height", "Hollow", "Colors", "Marks", "No Border",
          "Outline"}},
        {new TPointSeries(owner),
         {"Normal", "Colors", "Marks", "Hollow", "No Border", "Gradient", "Point 2D", "Triangle",
          "Star", "Circle", "Down Tri.", "Cross", "Diamond", "Hexagon"}},
        {new TFastLineSeries(owner), {"Normal", "Marks", "Dotted", "Stairs"}},
        {new TBarSeries(owner),
         {"Normal", "Colors", "Pyramid", "Ellipse", "Inv. Pyramid", "Gradient", "Stack",
          "Stack 100%", "Self Stacked", "Sides", "Side All"}},
        {new THorizBarSeries(owner),
         {"Normal", "Colors", "Pyramid", "Ellipse", "Inv. Pyramid", "Gradient", "Stack",
          "Stack 100%", "Self Stacked", "Sides", "Side All"}},
        {new TAreaSeries(owner),
         {"Normal", "Stairs", "Marks", "Colors", "Hollow", "No Lines", "Stack", "Stack 100%",
          "Points", "Gradient"}},
        {new THorizAreaSeries(owner),
         {"Normal", "Stairs", "Marks", "Colors", "Hollow", "No Lines", "Stack", "Stack 100%",
          "Points", "Gradient"}},
        {new TPieSeries(owner),
         {"Normal", "Patterns", "Exploded", "Shadow", "Marks", "Semi Pie", "No Border",
          "Dark Border"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StylesOf(*c.series), c.styles) << c.series->ClassName();
}

TEST_F(SeriesGallery, EveryStyleNumberAppliesWithoutFailingAndChangesItsSetting) {
    TClass classes[] = {TLineSeries::StaticClass(),     THorizLineSeries::StaticClass(),
                        TPointSeries::StaticClass(),    TFastLineSeries::StaticClass(),
                        TPieSeries::StaticClass(),      TBarSeries::StaticClass(),
                        THorizBarSeries::StaticClass(), TAreaSeries::StaticClass(),
                        THorizAreaSeries::StaticClass()};
    for (TClass cls : classes) {
        auto* probe = static_cast<TChartSeries*>(cls->CreateComponent(owner));
        const int count = static_cast<int>(StylesOf(*probe).size());
        for (int style = -2; style <= count + 2; ++style) {
            auto* s = static_cast<TChartSeries*>(cls->CreateComponent(owner));
            s->SetParentChart(chart);
            s->FillSampleValues(4);
            EXPECT_NO_THROW(s->ApplySubStyle(s, style)) << cls->ClassName() << " " << style;
            EXPECT_NO_THROW(Draw(120, 90)) << cls->ClassName() << " " << style;
            s->Free();
        }
        probe->Free();
    }
    // A few styles and what they change.
    auto* line = new TLineSeries(owner);
    line->ApplySubStyle(line, 3);
    EXPECT_EQ(line->LineHeight(), 5);
    line->ApplySubStyle(line, 7);
    EXPECT_FALSE(line->LinePen()->Visible());
    auto* point = new TPointSeries(owner);
    point->ApplySubStyle(point, 9);
    EXPECT_EQ(point->Pointer()->Style(), psCircle);
    EXPECT_EQ(point->Pointer()->HorizSize(), 8);
    auto* fast = new TFastLineSeries(owner);
    fast->ApplySubStyle(fast, 2);
    EXPECT_TRUE(fast->LinePen()->SmallDots());
    auto* pie = new TPieSeries(owner);
    pie->ApplySubStyle(pie, 1);
    EXPECT_TRUE(pie->UsePatterns());
    EXPECT_FALSE(pie->Gradient()->Visible());
    pie->ApplySubStyle(pie, 5);
    EXPECT_EQ(pie->AngleSize(), 180);
    pie->ApplySubStyle(pie, 7);
    EXPECT_EQ(pie->DarkPen(), 32);
    // A style given another type's series changes nothing.
    pie->ApplySubStyle(line, 1);
    EXPECT_FALSE(line->Stairs());
}

TEST_F(SeriesGallery, AMultiBarStyleOnTheOnlyBarSeriesAddsAStackedCompanion) {
    const std::pair<int, TMultiBar> cases[] = {
        {6, mbStacked}, {7, mbStacked100}, {8, mbSelfStack}, {9, mbSide}, {10, mbSideAll}};
    for (const auto& [style, multiBar] : cases) {
        auto* bar = new TBarSeries(owner);
        bar->SetName("Series1");
        bar->SetParentChart(chart);
        bar->FillSampleValues(6);
        bar->SetBarWidthPercent(60);
        bar->Marks()->SetVisible(true);
        bar->ApplySubStyle(bar, style);
        ASSERT_EQ(chart->SeriesCount(), 2) << style;
        auto* companion = dynamic_cast<TBarSeries*>(chart->SeriesAt(1));
        ASSERT_NE(companion, nullptr);
        EXPECT_EQ(bar->Count(), 2);
        EXPECT_EQ(companion->Count(), 2);
        EXPECT_EQ(bar->MultiBar(), multiBar);
        EXPECT_EQ(companion->MultiBar(), multiBar);
        EXPECT_EQ(companion->BarWidthPercent(), 60);
        EXPECT_TRUE(companion->Title().empty());
        EXPECT_NE(companion->Name(), bar->Name());
        EXPECT_FALSE(bar->Marks()->Visible());
        EXPECT_FALSE(companion->Marks()->Visible());
        EXPECT_NO_THROW(Draw());
        // With a second series already there no companion is added.
        bar->ApplySubStyle(bar, style);
        EXPECT_EQ(chart->SeriesCount(), 2);
        companion->Free();
        bar->Free();
    }
}

TEST_F(SeriesGallery, ThePieMarksStyleLeavesExactlySlicesAAndB) {
    TPieSeries* pie = AddPie();
    pie->FillSampleValues(8);
    ASSERT_EQ(pie->Count(), 8);
    EXPECT_EQ(pie->XLabel(0), "Cars");
    EXPECT_EQ(pie->XLabel(7), "Chairs");
    for (int i = 0; i < 8; ++i) {
        EXPECT_GE(pie->YValues()->ValueAt(i), 1);
        EXPECT_LE(pie->YValues()->ValueAt(i), 1000);
    }
    pie->ApplySubStyle(pie, 4);
    ASSERT_EQ(pie->Count(), 2);
    EXPECT_EQ(pie->XLabel(0), "A");
    EXPECT_DOUBLE_EQ(pie->YValues()->ValueAt(0), 30);
    EXPECT_EQ(pie->XLabel(1), "B");
    EXPECT_DOUBLE_EQ(pie->YValues()->ValueAt(1), 72);
    EXPECT_TRUE(pie->Marks()->Visible());
}

TEST_F(SeriesGallery, ThePieGalleryLookTurnsTheViewAndRoundsA2DPie) {
    TPieSeries* pie = AddPie();
    pie->PrepareForGallery(true);
    EXPECT_EQ(pie->Count(), 8);
    EXPECT_EQ(chart->Chart3DPercent(), 75);
    EXPECT_EQ(pie->Marks()->Callout()->Length(), 0);
    EXPECT_TRUE(pie->Gradient()->Visible());
    EXPECT_EQ(chart->View3DOptions()->Elevation(), 305);
    pie->ApplyGallery3D(false);
    EXPECT_TRUE(pie->Circled());
    pie->ApplyGallery3D(true);
    EXPECT_FALSE(pie->Circled());
    EXPECT_FALSE(chart->View3DOptions()->Orthogonal());
}

TEST(PieForms, APieIsStoredWithoutItsOtherSliceAndReadsBack) {
    auto* form = new TForm(nullptr);
    auto* chart = new TChart(form);
    chart->SetName("Chart1");
    chart->SetParent(form);
    auto* pie = new TPieSeries(form);
    pie->SetName("Series1");
    pie->SetParentChart(chart);
    for (double v : {50, 30, 10, 5, 5})
        pie->AddValue(v, "Доля");
    pie->SetManualData(true);
    pie->OtherSlice()->SetStyle(poBelowPercent);
    pie->OtherSlice()->SetValue(10);
    pie->SetAngleSize(270);
    pie->PieMarks()->SetLegSize(12);
    pie->PrepareForChartDraw();
    ASSERT_EQ(pie->Count(), 6);
    const std::string text = ComponentToText(form);
    EXPECT_NE(text.find("OtherSlice.Style = poBelowPercent"), std::string::npos) << text;
    EXPECT_NE(text.find("PieMarks.LegSize = 12"), std::string::npos) << text;
    EXPECT_EQ(text.find("Other'"), std::string::npos) << text;
    form->Free();

    auto* read = new TForm(nullptr);
    ReadComponentDescription(ObjectTextToBinary(text), read);
    auto* again = dynamic_cast<TPieSeries*>(read->FindComponent("Series1"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Count(), 5);
    EXPECT_EQ(again->AngleSize(), 270);
    EXPECT_EQ(again->OtherSlice()->Style(), poBelowPercent);
    EXPECT_EQ(again->XLabel(0), "Доля");
    read->Free();
}

} // namespace
