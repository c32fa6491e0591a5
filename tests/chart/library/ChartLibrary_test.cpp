// The whole chart library's ordered start and stop: what each unit leaves for the next, the
// registries and hooks it fills, a second start that changes nothing, and a stop after which the
// library starts again.

#include "chart/ChartLibrary.h"

#include "chart/control/Chart.h"
#include "chart/control/SeriesTypes.h"
#include "chart/control/ToolTypes.h"
#include "chart/core/ChartAxis.h"
#include "chart/draw/ChartMessages.h"
#include "chart/draw/DrawLibrary.h"
#include "chart/draw/TaggedText.h"
#include "chart/editors/AxisIncrement.h"
#include "chart/editors/listbox/ChartListBox.h"
#include "chart/export/BMPExportFormat.h"
#include "chart/export/EMFExportFormat.h"
#include "chart/series/LineSeries.h"
#include "chart/tools/AntiAliasTool.h"
#include "chart/tools/CursorTool.h"
#include "chart/tools/FullScreenTool.h"
#include "chart/tools/PageNumTool.h"
#include "chart/util/ChartUtils.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Cursors_p.h"
#include "platform/graphics/Picture.h"
#include "tests/chart/support/ChartAppEnvironment.h"

#include <gtest/gtest.h>

#include <QCursor>

#include <memory>
#include <string>
#include <vector>

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new charttest::TChartAppEnvironment(
    "chart-library-fonts", "test_chart_library", [] {}, [] {}));

const char* const kSeriesClasses[] = {"TLineSeries",     "TBarSeries",       "THorizBarSeries",
                                      "TAreaSeries",     "TPointSeries",     "TPieSeries",
                                      "TFastLineSeries", "THorizLineSeries", "THorizAreaSeries"};

const char* const kFilterClasses[] = {
    "TInvertFilter",    "TGrayScaleFilter",  "TMosaicFilter",   "TFlipFilter",
    "TReverseFilter",   "TBrightnessFilter", "TContrastFilter", "TColorFilter",
    "THueLumSatFilter", "TBlurFilter",       "TSharpenFilter",  "TGammaCorrectionFilter",
    "TEmbossFilter",    "TSoftenFilter",     "TCropFilter",     "TResizeFilter",
    "TRotateFilter",    "TMirrorFilter",     "TTileFilter",     "TBevelFilter",
    "TZoomFilter"};

bool HandCursorLoaded() {
    return CursorOf(crPlotHand).shape() == Qt::BitmapCursor;
}

bool AllSeriesClassesKnown() {
    for (const char* name : kSeriesClasses)
        if (GetClass(name) == nullptr)
            return false;
    return true;
}

// What the units have left behind when one of them has just started.
struct TStep {
    std::string unit;
    bool chartClass;
    bool handCursor;
    bool standardTools;
    bool seriesClasses;
    bool pageNumTool;
    bool exportFormats;
    bool listBoxHooks;
};

TStep Observe(const std::string& unit) {
    const TPlotToolTypes& tools = PlotToolTypes();
    const bool standard = tools.IndexOf(TCursorTool::StaticClass()) >= 0 &&
                          tools.IndexOf(TFullScreenTool::StaticClass()) >= 0 &&
                          tools.IndexOf(TAntiAliasTool::StaticClass()) >= 0;
    return {unit,
            GetClass("TChart") != nullptr,
            HandCursorLoaded(),
            standard,
            AllSeriesClassesKnown() && PlotSeriesTypes().Count() == 9,
            tools.IndexOf(TPageNumTool::StaticClass()) >= 0,
            RegisteredExportFormats() != nullptr && RegisteredExportFormats()->size() == 2,
            AddSeriesHook() && ChangeSeriesTypeHook()};
}

// The first step at which the condition holds; the number of steps when it never does.
template <class F> std::size_t FirstStep(const std::vector<TStep>& steps, F holds) {
    for (std::size_t i = 0; i < steps.size(); ++i)
        if (holds(steps[i]))
            return i;
    return steps.size();
}

// Starts the library with the start hook recording every step, and stops it at the end.
class ChartLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ChartUnitStartedHook() = [this](const std::string& unit) {
            steps.push_back(Observe(unit));
        };
    }
    void TearDown() override {
        ChartUnitStartedHook() = nullptr;
        while (started-- > 0)
            FinalizeChartLibrary();
    }
    void Start() {
        InitializeChartLibrary();
        ++started;
    }
    void Stop() {
        FinalizeChartLibrary();
        --started;
    }

    std::vector<TStep> steps;
    int started = 0;
};

TEST_F(ChartLibraryTest, UnitsStartInOrder) {
    ASSERT_FALSE(HandCursorLoaded()) << "nothing started before the test";
    Start();
    ASSERT_FALSE(steps.empty());
    const std::size_t chart = FirstStep(steps, [](const TStep& s) { return s.chartClass; });
    const std::size_t cursor = FirstStep(steps, [](const TStep& s) { return s.handCursor; });
    const std::size_t formats = FirstStep(steps, [](const TStep& s) { return s.exportFormats; });
    const std::size_t tools = FirstStep(steps, [](const TStep& s) { return s.standardTools; });
    const std::size_t series = FirstStep(steps, [](const TStep& s) { return s.seriesClasses; });
    const std::size_t hooks = FirstStep(steps, [](const TStep& s) { return s.listBoxHooks; });
    const std::size_t pageNum = FirstStep(steps, [](const TStep& s) { return s.pageNumTool; });
    ASSERT_LT(pageNum, steps.size()) << "every unit started";
    EXPECT_LE(cursor, chart) << "the hand cursor is there before any chart can be made";
    EXPECT_LT(chart, formats);
    EXPECT_LT(formats, tools);
    EXPECT_LT(tools, series) << "the tools are registered before the series";
    EXPECT_LT(series, hooks) << "the series are there before the list box's hooks are set";
    EXPECT_LT(hooks, pageNum) << "the page-number tool comes last";
    EXPECT_EQ(steps.back().unit, "page-number tool");

    // The tool-type list in gallery order: the anti-alias tool first, the page number last.
    const TPlotToolTypes& types = PlotToolTypes();
    ASSERT_EQ(types.Count(), 19);
    EXPECT_EQ(types.Items(0), TAntiAliasTool::StaticClass());
    EXPECT_EQ(types.Items(1), TCursorTool::StaticClass());
    EXPECT_EQ(types.Items(17), TFullScreenTool::StaticClass());
    EXPECT_EQ(types.Items(18), TPageNumTool::StaticClass());
}

TEST_F(ChartLibraryTest, StartFillsTheRegistriesAndHooks) {
    Start();
    ASSERT_NE(RegisteredExportFormats(), nullptr);
    EXPECT_EQ(*RegisteredExportFormats(), (std::vector<TClass>{TEMFExportFormat::StaticClass(),
                                                               TBMPExportFormat::StaticClass()}));
    EXPECT_EQ(FindClass("TLineSeries"), TLineSeries::StaticClass());
    for (const char* name : kFilterClasses)
        EXPECT_NE(GetClass(name), nullptr) << name;
    for (const char* name :
         {"TChartAxis", "TChartAxisTitle", "TChartDepthAxis", "TSeriesMarks", "TChart",
          "TPenDialog", "TFiltersEditor", "TChartGalleryPanel", "TGalleryChart", "TAntiAliasEditor",
          "TBaseFunctionEditor", "TPlotFunctionEditor", "TSeriesPointerEditor",
          "TAnnotationToolEdit", "TPageNumToolEdit"})
        EXPECT_NE(GetClass(name), nullptr) << name;
    EXPECT_EQ(ChartMsg(msgAsBitmap), "as &Bitmap");
    EXPECT_EQ(DefaultChartFontName(), "Arial");
    EXPECT_EQ(DaysTimeSeparator(), " ");
    EXPECT_TRUE(AddSeriesHook());
    EXPECT_TRUE(ChangeSeriesTypeHook());

    // Tagged texts find their pictures' kind through the export formats.
    ASSERT_TRUE(CreateGraphicForExtensionHook());
    std::unique_ptr<TGraphic> bitmap = CreateGraphicForExtensionHook()(".BMP");
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->ClassType(), TBitmap::StaticClass());
    EXPECT_EQ(CreateGraphicForExtensionHook()(".PNG"), nullptr);
}

// The program's forms name series classes: a chart with a line series loads from a description,
// and its axes keep huge values within the largest drawable coordinate.
TEST_F(ChartLibraryTest, AChartDescriptionLoadsAfterARestart) {
    Start();
    Stop();
    EXPECT_EQ(GetClass("TLineSeries"), nullptr);
    Start();
    std::unique_ptr<TForm, void (*)(TForm*)> form(new TForm(nullptr), [](TForm* f) { f->Free(); });
    ReadComponentDescription(ObjectTextToBinary("object Form1: TForm\n"
                                                "  object Chart1: TChart\n"
                                                "    Width = 400\n"
                                                "    Height = 300\n"
                                                "    object Series1: TLineSeries\n"
                                                "    end\n"
                                                "  end\n"
                                                "end\n"),
                             form.get());
    auto* chart = dynamic_cast<TChart*>(form->FindComponent("Chart1"));
    auto* series = dynamic_cast<TLineSeries*>(form->FindComponent("Series1"));
    ASSERT_NE(chart, nullptr);
    ASSERT_NE(series, nullptr);
    for (int i = 0; i <= 4; ++i)
        series->AddXYValue(i, 10 * i);
    TBitmap bitmap(400, 300);
    chart->DrawToCanvas(bitmap.Canvas(), {0, 0, 400, 300});
    EXPECT_EQ(chart->BottomAxis()->PixelOfX(1e15), 0x3FFFFFF);
    EXPECT_EQ(chart->BottomAxis()->PixelOfX(-1e15), -0x3FFFFFF);
}

// What the library holds after one start, to compare a second start and a stop with.
struct TState {
    std::vector<TClass> tools;
    int seriesTypes;
    std::vector<TClass> formats;
    bool lineSeries;
    bool handCursor;
    bool pictureLookup;
    bool addSeriesHook;
    bool changeTypeHook;
    std::string separator;
    std::string message;
    bool operator==(const TState&) const = default;
};

TState Current() {
    TState s;
    for (int i = 0; i < PlotToolTypes().Count(); ++i)
        s.tools.push_back(PlotToolTypes().Items(i));
    s.seriesTypes = PlotSeriesTypes().Count();
    if (RegisteredExportFormats() != nullptr)
        s.formats = *RegisteredExportFormats();
    s.lineSeries = GetClass("TLineSeries") != nullptr;
    s.handCursor = HandCursorLoaded();
    s.pictureLookup = static_cast<bool>(CreateGraphicForExtensionHook());
    s.addSeriesHook = static_cast<bool>(AddSeriesHook());
    s.changeTypeHook = static_cast<bool>(ChangeSeriesTypeHook());
    s.separator = DaysTimeSeparator();
    s.message = ChartMsg(msgAsMetafile);
    return s;
}

TEST_F(ChartLibraryTest, ASecondStartChangesNothingAndTheLastStopUndoesAll) {
    Start();
    const TState once = Current();
    Start();
    EXPECT_EQ(Current(), once) << "nothing registered twice";
    Stop();
    EXPECT_EQ(Current(), once) << "one start is still running";
    Stop();
    const TState stopped = Current();
    EXPECT_TRUE(stopped.tools.empty());
    EXPECT_EQ(stopped.seriesTypes, 0);
    EXPECT_TRUE(stopped.formats.empty());
    EXPECT_EQ(RegisteredExportFormats(), nullptr);
    EXPECT_FALSE(stopped.lineSeries);
    EXPECT_FALSE(stopped.handCursor);
    EXPECT_FALSE(stopped.pictureLookup);
    EXPECT_FALSE(stopped.addSeriesHook);
    EXPECT_FALSE(stopped.changeTypeHook);
    EXPECT_EQ(stopped.separator, "");
    EXPECT_EQ(stopped.message, "");
    // The formats' units found no list when they stopped; unregistering now does nothing.
    UnregisterExportFormat(TBMPExportFormat::StaticClass());
    EXPECT_EQ(RegisteredExportFormats(), nullptr);

    Start();
    EXPECT_EQ(Current(), once) << "started again, the library is as it was";
}

} // namespace
