// The stored points of a series: what the block holds for what the series holds (every point
// looked at), its exact bytes, reading it back, blocks that end early, when a form stores it,
// and the custom axes stored by their place in the chart's collection.

#include "CoreTestSupport.h"
#include "SeriesDataTestSupport.h"
#include "chart/core/SeriesDataBlock.h"
#include "chart/core/SeriesMarks.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

// Little-endian bytes put together by hand, to say what a block must hold.
struct Bytes {
    std::string data;
    template <typename T> Bytes& Put(T value) {
        char raw[sizeof value];
        std::memcpy(raw, &value, sizeof value);
        data.append(raw, sizeof value);
        return *this;
    }
    Bytes& U8(int v) { return Put<std::uint8_t>(static_cast<std::uint8_t>(v)); }
    Bytes& I32(int v) { return Put<std::int32_t>(v); }
    Bytes& F64(double v) { return Put<double>(v); }
    Bytes& Raw(const std::string& s) {
        data += s;
        return *this;
    }
};

std::string BlockOf(TChartSeries& series) {
    TStringStream stream;
    TSeriesDataBlock::Write(series, stream);
    return stream.DataString();
}

void ReadInto(TChartSeries& series, const std::string& block) {
    TStringStream stream(block);
    TSeriesDataBlock::Read(series, stream);
}

class SeriesDataTest : public ::testing::Test {
protected:
    ChartCoreSession session;
    TChartSeries series{nullptr};
};

TEST_F(SeriesDataTest, PlainPositionsLeaveOnlyTheValues) {
    for (int i = 0; i < 3; ++i)
        series.AddXYValue(i, 5 + i);
    const std::string block = BlockOf(series);
    EXPECT_EQ(block.size(), 29u);
    EXPECT_EQ(block, Bytes().U8(0).I32(3).F64(5).F64(6).F64(7).data);
}

TEST_F(SeriesDataTest, OwnPositionsComeBeforeTheValueOfEachPoint) {
    for (int i = 1; i <= 3; ++i)
        series.AddXYValue(10 * i, 4 + i);
    EXPECT_EQ(BlockOf(series),
              Bytes().U8(sdfNotMandatory).I32(3).F64(10).F64(5).F64(20).F64(6).F64(30).F64(7).data);
}

TEST_F(SeriesDataTest, AHorizontalSeriesStoresItsPositionsFirstAndReadsThemBack) {
    TStoredShapeSeries written(nullptr, {.horizontal = true});
    written.AddXYValue(7.5, 1); // X is the value, Y the position
    written.AddXYValue(-2, 4);
    const std::string block = BlockOf(written);
    EXPECT_EQ(block, Bytes().U8(sdfNotMandatory).I32(2).F64(1).F64(7.5).F64(4).F64(-2).data);

    TStoredShapeSeries read(nullptr, {.horizontal = true});
    ReadInto(read, block);
    ASSERT_EQ(read.Count(), 2);
    EXPECT_EQ(ValuesOf(*read.XValues()), (std::vector<double>{7.5, -2}));
    EXPECT_EQ(ValuesOf(*read.YValues()), (std::vector<double>{1, 4}));
}

// Each case builds a series of n points (X = index, Y = 1) and changes one thing far along.
TEST_F(SeriesDataTest, TheFlagsLookAtEveryPoint) {
    struct Case {
        const char* what;
        int points;
        void (*change)(TChartSeries&);
        std::uint8_t flags;
    };
    const Case cases[] = {
        {"nothing of their own", 20000, [](TChartSeries&) {}, 0},
        {"an own colour only from point 10001 on", 20000,
         [](TChartSeries& s) {
             for (int i = 10001; i < 20000; ++i)
                 s.SetPointColor(i, clRed);
         },
         sdfColors},
        {"the last point's colour", 20000, [](TChartSeries& s) { s.SetPointColor(19999, clBlue); },
         sdfColors},
        {"a null point", 50, [](TChartSeries& s) { s.SetPointColor(30, clNone); }, sdfColors},
        {"a point coloured as the series", 50,
         [](TChartSeries& s) { s.SetPointColor(3, s.SeriesColor()); }, 0},
        {"one label at point 150", 200, [](TChartSeries& s) { s.SetXLabel(150, "Стоп"); },
         sdfLabels},
        {"only empty labels", 200,
         [](TChartSeries& s) {
             s.SetXLabel(150, "x");
             s.SetXLabel(150, "");
         },
         0},
        {"one position out of sequence at 15000", 20000,
         [](TChartSeries& s) { s.XValues()->SetValueAt(15000, 15000.5); }, sdfNotMandatory},
        {"the last position only", 20000,
         [](TChartSeries& s) { s.XValues()->SetValueAt(19999, 20000); }, sdfNotMandatory},
        {"a custom mark position", 10,
         [](TChartSeries& s) { s.Marks()->Positions().Ensure(4).Custom = true; }, sdfMarkPositions},
        {"mark positions that are not custom", 10,
         [](TChartSeries& s) { s.Marks()->Positions().Ensure(4); }, 0},
    };
    for (const Case& c : cases) {
        TChartSeries s(nullptr);
        s.SetSeriesColor(clGreen);
        s.BeginUpdate();
        for (int i = 0; i < c.points; ++i)
            s.AddXYValue(i, 1);
        s.EndUpdate();
        c.change(s);
        EXPECT_EQ(TSeriesDataBlock::ContentFlags(s), c.flags) << c.what;
        EXPECT_EQ(static_cast<std::uint8_t>(BlockOf(s)[0]), c.flags) << c.what;
    }
}

TEST_F(SeriesDataTest, ColoursAreOwnOnlyWhenTheyDifferFromTheSeries) {
    struct Case {
        TColor seriesColor;
        TColor pointColor;
        bool own;
    };
    const Case cases[] = {{clGreen, clRed, true}, {clRed, clRed, false}, {clRed, clDefault, false}};
    for (const Case& c : cases) {
        TChartSeries s(nullptr);
        s.SetSeriesColor(c.seriesColor);
        s.AddXYValue(0, 1);
        s.AddXYValue(1, 2, "", c.pointColor);
        EXPECT_EQ(TSeriesDataBlock::HasOwnColors(s), c.own) << c.seriesColor << " " << c.pointColor;
    }
    // With colours stored, a point without one carries the automatic colour.
    TChartSeries s(nullptr);
    s.SetSeriesColor(clGreen);
    s.AddXYValue(0, 1);
    s.AddXYValue(1, 2, "", clRed);
    EXPECT_EQ(BlockOf(s), Bytes()
                              .U8(sdfColors)
                              .I32(2)
                              .F64(1)
                              .Put<std::uint32_t>(clDefault)
                              .F64(2)
                              .Put<std::uint32_t>(clRed)
                              .data);
}

TEST_F(SeriesDataTest, PositionsMeanNothingForSomeSeriesTypes) {
    TStoredShapeSeries s(nullptr, {.usesPositions = false});
    s.AddXYValue(10, 1);
    s.AddXYValue(20, 2);
    EXPECT_FALSE(TSeriesDataBlock::HasOwnNotMandatoryValues(s));
    EXPECT_EQ(BlockOf(s), Bytes().U8(0).I32(2).F64(1).F64(2).data);
}

TEST_F(SeriesDataTest, LabelsAreStoredInTheSingleByteCodePageUpTo255Bytes) {
    const std::string longLabel(300, 'a');
    series.AddXYValue(0, 1, "Ток");
    series.AddXYValue(1, 2); // an empty slot
    series.AddXYValue(2, 3, longLabel);
    const std::string block = BlockOf(series);
    EXPECT_EQ(block, Bytes()
                         .U8(sdfLabels)
                         .I32(3)
                         .F64(1)
                         .U8(3)
                         .Raw("\xD2\xEE\xEA")
                         .F64(2)
                         .U8(0)
                         .F64(3)
                         .U8(255)
                         .Raw(std::string(255, 'a'))
                         .data);

    TChartSeries read(nullptr);
    ReadInto(read, block);
    EXPECT_EQ(read.XLabel(0), "Ток");
    EXPECT_EQ(read.XLabel(1), "");
    EXPECT_EQ(read.XLabel(2), std::string(255, 'a'));
}

TEST_F(SeriesDataTest, FurtherValueListsFollowEachPoint) {
    TStoredShapeSeries written(nullptr, {.extraLists = 2});
    written.ValueList(2)->SetTempValue(100);
    written.ValueList(3)->SetTempValue(-1);
    written.AddXYValue(0, 5);
    written.ValueList(2)->SetTempValue(200);
    written.ValueList(3)->SetTempValue(-2);
    written.AddXYValue(1, 6);
    const std::string block = BlockOf(written);
    EXPECT_EQ(block, Bytes().U8(0).I32(2).F64(5).F64(100).F64(-1).F64(6).F64(200).F64(-2).data);

    TStoredShapeSeries read(nullptr, {.extraLists = 2});
    ReadInto(read, block);
    EXPECT_EQ(ValuesOf(*read.ValueList(2)), (std::vector<double>{100, 200}));
    EXPECT_EQ(ValuesOf(*read.ValueList(3)), (std::vector<double>{-1, -2}));
}

TEST_F(SeriesDataTest, MarkPositionsAreStoredForEveryPointOnceOneIsCustom) {
    for (int i = 0; i < 3; ++i)
        series.AddXYValue(i, i);
    TSeriesMarkPosition custom;
    custom.ArrowFrom = {-1, 2};
    custom.ArrowFix = true;
    custom.ArrowTo = {3, -4};
    custom.Custom = true;
    custom.Height = 14;
    custom.Left = 100;
    custom.Top = -50;
    custom.Width = 60;
    custom.MidPoint = {9, 9}; // not stored
    custom.MidPointUsed = true;
    series.Marks()->Positions().StoreAt(1, custom);
    const std::string block = BlockOf(series);
    const std::string empty =
        Bytes().I32(0).I32(0).U8(0).I32(0).I32(0).U8(0).I32(0).I32(0).I32(0).I32(0).data;
    const std::string stored =
        Bytes().I32(-1).I32(2).U8(1).I32(3).I32(-4).U8(1).I32(14).I32(100).I32(-50).I32(60).data;
    ASSERT_EQ(stored.size(), static_cast<size_t>(TSeriesDataBlock::MarkPositionSize));
    EXPECT_EQ(block, Bytes()
                         .U8(sdfMarkPositions)
                         .I32(3)
                         .F64(0)
                         .Raw(empty)
                         .F64(1)
                         .Raw(stored)
                         .F64(2)
                         .Raw(empty)
                         .data);
    // Writing gave the points without a position an empty one.
    EXPECT_EQ(series.Marks()->Positions().Count(), 3);

    TChartSeries read(nullptr);
    ReadInto(read, block);
    ASSERT_EQ(read.Marks()->Positions().Count(), 3);
    const TSeriesMarkPosition* back = read.Marks()->Positions().EntryAt(1);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->Custom);
    EXPECT_TRUE(back->ArrowFix);
    EXPECT_EQ(back->ArrowFrom, (TPoint{-1, 2}));
    EXPECT_EQ(back->ArrowTo, (TPoint{3, -4}));
    EXPECT_EQ(back->Bounds(), (TRect{100, -50, 160, -36}));
    EXPECT_FALSE(back->MidPointUsed);
    EXPECT_FALSE(read.Marks()->Positions().EntryAt(0)->Custom);
}

TEST_F(SeriesDataTest, ReadingReplacesThePointsInOneBatch) {
    TTestChart chart;
    series.SetParentChart(&chart);
    int added = 0;
    series.OnAfterAdd = [&added](TChartSeries*, int) { ++added; };
    series.AddXYValue(0, 99, "old", clRed);
    added = 0;
    chart.events.clear();
    ASSERT_FALSE(series.ManualData());

    ReadInto(series, Bytes().U8(sdfNotMandatory).I32(2).F64(3).F64(30).F64(1).F64(10).data);
    // Added by order of position, as AddXYValue adds.
    EXPECT_EQ(ValuesOf(*series.XValues()), (std::vector<double>{1, 3}));
    EXPECT_EQ(ValuesOf(*series.YValues()), (std::vector<double>{10, 30}));
    EXPECT_FALSE(series.HasPointColors());
    EXPECT_EQ(series.XLabel(0), "");
    EXPECT_TRUE(series.ManualData());
    EXPECT_EQ(series.UpdateDepth(), 0);
    EXPECT_EQ(added, 0); // the batch holds back the per-point notices
    int dataChanged = 0;
    for (const auto& e : chart.events)
        dataChanged += e.second == sekDataChanged;
    EXPECT_EQ(dataChanged, 1);
    series.SetParentChart(nullptr);
}

TEST_F(SeriesDataTest, ABlockThatEndsEarlyKeepsThePointsBeforeIt) {
    // Every flag and a further list: 8 + 8 + 4 + (1 + 2) + 8 + 34 bytes a point.
    TStoredShapeSeries written(nullptr, {.extraLists = 1});
    written.SetSeriesColor(clGreen);
    for (int i = 0; i < 4; ++i) {
        written.ValueList(2)->SetTempValue(i * 0.5);
        written.AddXYValue(i * 10, i, "p" + std::to_string(i), clRed);
    }
    written.Marks()->Positions().Ensure(0).Custom = true;
    const std::string block = BlockOf(written);
    const size_t record = 8 + 8 + 4 + 3 + 8 + 34;
    ASSERT_EQ(block.size(), 5 + 4 * record);
    ASSERT_EQ(static_cast<std::uint8_t>(block[0]), 15);

    struct Case {
        const char* what;
        size_t length;
        int pointsLeft;
    };
    const Case cases[] = {
        {"no count", 3, 0},
        {"in the first value of point 3", 5 + 2 * record + 4, 2},
        {"in the label of point 3", 5 + 2 * record + 21, 2},
        {"in the mark position of point 3", 5 + 2 * record + record - 1, 2},
        {"after point 3", 5 + 3 * record, 3},
    };
    for (const Case& c : cases) {
        TStoredShapeSeries read(nullptr, {.extraLists = 1});
        read.AddXYValue(0, 0);
        EXPECT_THROW(ReadInto(read, block.substr(0, c.length)), EReadError) << c.what;
        EXPECT_EQ(read.UpdateDepth(), 0) << c.what;
        EXPECT_EQ(read.Count(), c.pointsLeft) << c.what;
        EXPECT_EQ(read.Marks()->Positions().Count(), c.pointsLeft) << c.what;
        for (int i = 0; i < read.Count(); ++i)
            EXPECT_EQ(read.XLabel(i), "p" + std::to_string(i)) << c.what;
    }
    // Every other cut fails the same way.
    for (size_t length = 0; length < block.size(); ++length) {
        TStoredShapeSeries read(nullptr, {.extraLists = 1});
        EXPECT_THROW(ReadInto(read, block.substr(0, length)), EReadError) << length;
        EXPECT_EQ(read.UpdateDepth(), 0) << length;
    }
}

TEST_F(SeriesDataTest, ACountFromOutsideIsNotTrusted) {
    // A huge count with two points behind it reads the two, then fails; nothing is reserved.
    TChartSeries read(nullptr);
    EXPECT_THROW(ReadInto(read, Bytes().U8(0).I32(0x7FFFFFFF).F64(1).F64(2).data), EReadError);
    EXPECT_EQ(read.Count(), 2);
    EXPECT_LE(read.YValues()->Capacity(), TChartValueList::CapacityStep);

    TChartSeries negative(nullptr);
    negative.AddXYValue(0, 1);
    EXPECT_THROW(ReadInto(negative, Bytes().U8(0).I32(-1).data), EReadError);
    EXPECT_EQ(negative.Count(), 0);
    EXPECT_EQ(negative.UpdateDepth(), 0);
}

// ---- in a description -----------------------------------------------------------------------

TEST_F(SeriesDataTest, TheFormStoresThePointsWhenAskedOrWhenTheyAreManual) {
    struct Case {
        bool manual, dontSave, forceSave, stored;
    };
    const Case cases[] = {
        {false, false, false, false}, {true, false, false, true}, {true, true, false, false},
        {false, false, true, true},   {true, true, true, true},
    };
    for (const Case& c : cases) {
        TChartSeries s(nullptr);
        s.SetName("Series1");
        s.AddXYValue(0, 42);
        s.SetManualData(c.manual);
        s.SetDontSaveData(c.dontSave);
        s.SetForceSaveData(c.forceSave);
        const std::string text = ComponentToText(&s);
        EXPECT_EQ(text.find("Data = {") != std::string::npos, c.stored)
            << c.manual << c.dontSave << c.forceSave << "\n"
            << text;
    }
}

TEST_F(SeriesDataTest, PointsComeBackFromATextDescription) {
    TChartSeries s(nullptr);
    s.SetName("Series1");
    s.SetSeriesColor(clGreen);
    s.AddXYValue(1.5, -3, "Ноль", clRed);
    s.AddXYValue(2.25, 1e300);
    s.SetManualData(true);
    const std::string text = ComponentToText(&s);

    TChartSeries read(nullptr);
    ReadComponentDescription(ObjectTextToBinary(text), &read);
    EXPECT_EQ(ValuesOf(*read.XValues()), (std::vector<double>{1.5, 2.25}));
    EXPECT_EQ(ValuesOf(*read.YValues()), (std::vector<double>{-3, 1e300}));
    EXPECT_EQ(read.OwnPointColor(0), clRed);
    EXPECT_EQ(read.OwnPointColor(1), clDefault);
    EXPECT_EQ(read.XLabel(0), "Ноль");
    EXPECT_TRUE(read.ManualData());
    EXPECT_EQ(ComponentToText(&read), text);
}

TEST_F(SeriesDataTest, CustomAxesAreStoredByTheirPlaceInTheChart) {
    TTestChart chart;
    chart.CustomAxes()->Add();
    auto* horiz = static_cast<TChartAxis*>(chart.CustomAxes()->Add());
    auto* vert = static_cast<TChartAxis*>(chart.CustomAxes()->Add());
    TChartSeries s(nullptr);
    s.SetName("Series1");
    s.SetParentChart(&chart);
    const std::string plain = ComponentToText(&s);
    EXPECT_EQ(plain.find("Custom"), std::string::npos) << plain;

    s.SetCustomHorizAxis(horiz);
    s.SetCustomVertAxis(vert);
    const std::string text = ComponentToText(&s);
    EXPECT_NE(text.find("CustomHorizAxis = 1"), std::string::npos) << text;
    EXPECT_NE(text.find("CustomVertAxis = 2"), std::string::npos) << text;

    TChartSeries read(nullptr);
    read.SetParentChart(&chart);
    ReadComponentDescription(ObjectTextToBinary(text), &read);
    EXPECT_EQ(read.CustomHorizAxis(), horiz);
    EXPECT_EQ(read.CustomVertAxis(), vert);
    EXPECT_EQ(read.HorizAxis(), aCustomHorizAxis);
    EXPECT_EQ(read.VertAxis(), aCustomVertAxis);
    EXPECT_EQ(read.GetHorizAxis(), horiz);

    // An index the chart does not have, or no chart at all, leaves the axes as they were.
    for (TChartHost* host : {static_cast<TChartHost*>(&chart), static_cast<TChartHost*>(nullptr)}) {
        TChartSeries other(nullptr);
        other.SetParentChart(host);
        ReadComponentDescription(ObjectTextToBinary("object Series1: TChartSeries\n"
                                                    "  CustomHorizAxis = 3\n"
                                                    "  CustomVertAxis = -1\n"
                                                    "end\n"),
                                 &other);
        EXPECT_EQ(other.CustomHorizAxis(), nullptr);
        EXPECT_EQ(other.CustomVertAxis(), nullptr);
        EXPECT_EQ(other.HorizAxis(), aBottomAxis);
        EXPECT_EQ(other.VertAxis(), aLeftAxis);
        other.SetParentChart(nullptr);
    }
    read.SetParentChart(nullptr);
    s.SetParentChart(nullptr);
}

} // namespace
