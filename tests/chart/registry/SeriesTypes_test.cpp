// The series-type registry: the standard types registered at start, entries shared at variant 0,
// Find skipping function types, and texts that follow their message variables.

#include "chart/control/SeriesTypes.h"

#include "chart/draw/ChartMessages.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PointSeries.h"
#include "platform/classes/ClassRegistry.h"
#include "tests/chart/registry/RegistryTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Series and function classes of their own for each registration case, so the cases do not
// see one another's entries in the process-wide list.
#define REGISTRY_SERIES(Name)                                                                      \
    class Name : public TLineSeries {                                                              \
        Q4_CLASS(Name, TLineSeries)                                                                \
    public:                                                                                        \
        explicit Name(TComponent* owner) : TLineSeries(owner) {}                                   \
    };
REGISTRY_SERIES(TTypeCaseSeries1)
REGISTRY_SERIES(TTypeCaseSeries2)
REGISTRY_SERIES(TTypeCaseSeries3)
REGISTRY_SERIES(TTypeCaseSeries4)
REGISTRY_SERIES(TTypeCaseSeries5)
REGISTRY_SERIES(TFindCaseSeries)
#undef REGISTRY_SERIES

class TTypeCaseFunction : public TComponent {
    Q4_CLASS(TTypeCaseFunction, TComponent)
public:
    explicit TTypeCaseFunction(TComponent* owner) : TComponent(owner) {}
};

int IndexOfType(const TPlotSeriesType* type) {
    for (int i = 0; i < PlotSeriesTypes().Count(); ++i)
        if (PlotSeriesTypes().Items(i) == type)
            return i;
    return -1;
}

TEST(SeriesTypes, TheLineFamilyIsOnTheStandardPageInGalleryOrder) {
    struct {
        TClass cls;
        const char* description;
        int gallerySeries;
    } const cases[] = {
        {TLineSeries::StaticClass(), "Line", 2},
        {TPointSeries::StaticClass(), "Point", 2},
        {TFastLineSeries::StaticClass(), "Fast Line", 2},
        {THorizLineSeries::StaticClass(), "Horizontal\rLine", 1},
    };
    int previous = -1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cls->ClassName());
        TPlotSeriesType* type = PlotSeriesTypes().Find(c.cls);
        ASSERT_NE(type, nullptr);
        EXPECT_EQ(type->Description(), c.description);
        EXPECT_EQ(type->GalleryPage(), "Standard");
        EXPECT_EQ(type->GallerySeriesCount(), c.gallerySeries);
        EXPECT_EQ(type->FunctionClass(), nullptr);
        EXPECT_EQ(type->VariantIndex(), 0);
        EXPECT_GT(IndexOfType(type), previous);
        previous = IndexOfType(type);
        // Registered types load from form descriptions.
        EXPECT_EQ(GetClass(c.cls->ClassName()), c.cls);
    }
}

TEST(SeriesTypes, AClassPairRegisteredAgainAtVariantZeroIsOneEntry) {
    struct Case {
        const char* name;
        TClass cls;
        TClass firstFunction;
        int firstVariant;
        TClass secondFunction;
        int secondVariant;
        bool sameEntry;
    };
    const TClass fn = TTypeCaseFunction::StaticClass();
    const Case cases[] = {
        {"plain twice at 0", TTypeCaseSeries1::StaticClass(), nullptr, 0, nullptr, 0, true},
        {"plain at 0, then at 1", TTypeCaseSeries2::StaticClass(), nullptr, 0, nullptr, 1, false},
        {"plain at 1, then at 1", TTypeCaseSeries3::StaticClass(), nullptr, 1, nullptr, 1, false},
        {"function type twice at 0", TTypeCaseSeries4::StaticClass(), fn, 0, fn, 0, true},
        {"function type, then plain", TTypeCaseSeries5::StaticClass(), fn, 0, nullptr, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int before = PlotSeriesTypes().Count();
        TPlotSeriesType* first = AddSeriesType(c.cls, c.firstFunction, &ChartMsg(msgGalleryLine),
                                               &ChartMsg(msgStandard), 2, c.firstVariant);
        TPlotSeriesType* second = AddSeriesType(c.cls, c.secondFunction, &ChartMsg(msgGalleryBar),
                                                &ChartMsg(msgGalleryFunctions), 1, c.secondVariant);
        EXPECT_EQ(first == second, c.sameEntry);
        EXPECT_EQ(PlotSeriesTypes().Count(), before + (c.sameEntry ? 1 : 2));
        // The entry kept for a repeated registration is the first one, values unchanged.
        EXPECT_EQ(first->Description(), "Line");
        EXPECT_EQ(first->GallerySeriesCount(), 2);
        EXPECT_EQ(second->VariantIndex(), c.sameEntry ? c.firstVariant : c.secondVariant);
        EXPECT_EQ(GetClass(c.cls->ClassName()), c.cls);
        if (c.firstFunction != nullptr) {
            EXPECT_EQ(GetClass("TTypeCaseFunction"), fn);
        }
    }
}

TEST(SeriesTypes, FindSkipsTypesThatPairTheClassWithAFunction) {
    const TClass cls = TFindCaseSeries::StaticClass();
    TPlotSeriesType* function =
        AddSeriesType(cls, TTypeCaseFunction::StaticClass(), &ChartMsg(msgGalleryFunctions),
                      &ChartMsg(msgStandard), 1);
    EXPECT_EQ(PlotSeriesTypes().Find(cls), nullptr);
    TPlotSeriesType* plain =
        AddPlainSeriesType(cls, &ChartMsg(msgGalleryLine), &ChartMsg(msgStandard), 1);
    EXPECT_NE(plain, function);
    EXPECT_EQ(PlotSeriesTypes().Find(cls), plain);
    EXPECT_EQ(PlotSeriesTypes().Find(TRegistryProbeSeries::StaticClass()), nullptr);
    EXPECT_THROW(PlotSeriesTypes().Items(PlotSeriesTypes().Count()), EChartIndexError);
    EXPECT_THROW(PlotSeriesTypes().Items(-1), EChartIndexError);
}

TEST(SeriesTypes, TheGalleryMessagesHoldTheirTexts) {
    const std::pair<int, const char*> cases[] = {
        {msgGalleryLine, "Line"},
        {msgGalleryPoint, "Point"},
        {msgGalleryArea, "Area"},
        {msgGalleryBar, "Bar"},
        {msgGalleryHorizBar, "Horizontal\rBar"},
        {msgGalleryPie, "Pie"},
        {msgGalleryFastLine, "Fast Line"},
        {msgGalleryHorizLine, "Horizontal\rLine"},
        {msgGalleryHorizArea, "Horizontal\rArea"},
        {msgGalleryFunctions, "Functions"},
        {msgStandard, "Standard"},
        {msgPaletteDefault, "Default"},
        {msgPaletteFirst, "Plotwise"},
        {msgPaletteFirst + 15, "Cool"},
    };
    for (const auto& [index, text] : cases)
        EXPECT_EQ(ChartMsg(index), text) << index;
}

TEST(SeriesTypes, TextsFollowTheirMessageVariables) {
    TPlotSeriesType* line = PlotSeriesTypes().Find(TLineSeries::StaticClass());
    ASSERT_NE(line, nullptr);
    const std::string description = ChartMsg(msgGalleryLine);
    const std::string page = ChartMsg(msgStandard);
    ChartMsg(msgGalleryLine) = "Линия";
    ChartMsg(msgStandard) = "Стандартные";
    EXPECT_EQ(line->Description(), "Линия");
    EXPECT_EQ(line->GalleryPage(), "Стандартные");
    ChartMsg(msgGalleryLine) = description;
    ChartMsg(msgStandard) = page;
    EXPECT_EQ(line->Description(), "Line");
}

} // namespace
