// The typed layer of charts: series formulas and names, geometry, the default data point,
// sheet options, plot area styles and axes, gel frames, and the errors of attaching.

#include "spreadsheet/charts/DrwChart.h"

#include "spreadsheet/cells/Cell.h"
#include "spreadsheet/charts/SheetCharts.h"
#include "spreadsheet/drawing/ChartPart.h"
#include "spreadsheet/drawing/ChartTemplates.h"
#include "spreadsheet/drawing/EscherDrawing.h"
#include "spreadsheet/drawing/TextObject.h"
#include "tests/spreadsheet/charts/ChartTestSupport.h"
#include "tests/spreadsheet/drawing/DrawingTestSupport.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

namespace {

using TBody = std::vector<uint8_t>;

struct Charts : ::testing::Test, TChartBook {
    Charts() {
        group.NewTextId = [] { return 5u; };
    }
    TDrwChart& NewChart() { return *charts.Add(); }
    TChartRecord& RootOf(TDrwChart& chart) {
        return *static_cast<TShapeOutsideMsoChart&>(*chart.Shape()->Object).Root;
    }

    TEscherDrawing drawing{&group, &handler.InternalNames(), &fonts};
    TDrwCharts charts{nullptr, &drawing, &handler, &fonts};
};

TEST_F(Charts, NewChartIsTheDefaultChartWithOneSeries) {
    TDrwChart& chart = NewChart();
    EXPECT_EQ(chart.Name, "Chart " + std::to_string(chart.ID()));
    ASSERT_EQ(drawing.ShapeCount(), 1);
    EXPECT_EQ(drawing.Shapes(0)->ObjectType(), 5);
    EXPECT_EQ(chart.Shape()->Anchor[TMSOObjCLIENTANCHOR::Col2], 8);
    ASSERT_NE(chart.Rec(), nullptr);
    EXPECT_EQ(chart.Rec()->Id, crCHART);
    ASSERT_EQ(chart.Series().Count(), 1);
    EXPECT_EQ(chart.Series().Items(0)->Values(), u"");
    EXPECT_EQ(chart.Series().Items(0)->SerieName(), u"");
    EXPECT_EQ(chart.Labels().Count(), 0);
    // The default texts name the chart's own fonts.
    ASSERT_NE(chart.DefaultTextA().Font(), nullptr);
    EXPECT_TRUE(chart.DefaultTextA().Font()->ChartFont);
    EXPECT_NE(chart.DefaultTextA().Font(), chart.DefaultTextB().Font());
    // A column chart with its axes and legend.
    ASSERT_NE(chart.PlotArea().Style, nullptr);
    EXPECT_EQ(chart.PlotArea().Style->StyleKind(), 3);
    EXPECT_NE(dynamic_cast<TChartStyleBarColumn*>(chart.PlotArea().Style.get()), nullptr);
    EXPECT_EQ(chart.PlotArea().CategoryAxis.Scaling.Record->Id, crCATSERRANGE);
    EXPECT_EQ(chart.PlotArea().ValueAxis.Scaling.Record->Id, crVALUERANGE);
    EXPECT_EQ(chart.PlotArea().ValueAxis.TickFormat.Record->Id, crTICK);
    EXPECT_EQ(chart.PlotArea().SerieAxis.Record, nullptr);
    EXPECT_EQ(chart.PlotArea().Style->Legend.Record->Id, crLEGEND);
    EXPECT_EQ(chart.PaintFrame().AreaFormat.Record->Id, crAREAFORMAT);
    EXPECT_EQ(chart.SheetOptions(), TChartSheetOptions{csoOnlyVisibleCells});
}

TEST_F(Charts, ValuesAndCategoriesAreFormulas) {
    TXLSChartSerie& serie = *NewChart().Series().Items(0);
    serie.SetValues(u"Sheet1!$B$2:$B$4");
    EXPECT_EQ(serie.Values(), u"Sheet1!$B$2:$B$4");
    serie.SetCategory(u"Sheet1!$A$2:$A$4");
    EXPECT_EQ(serie.Category(), u"Sheet1!$A$2:$A$4");
    // The values AI holds a reference to the sheet, in the reference class.
    const TChartRecord& series = *serie.Series();
    const TChartRecord& ai = series.Items(1);
    EXPECT_EQ(ai.Body[1], 2);
    EXPECT_EQ(ai.Word(6), ai.Body.size() - 8);
    EXPECT_EQ(ai.Body[8], 0x3B);
    // The series counts the cells of its values' area.
    EXPECT_EQ(series.Word(6), 3);
    serie.SetValues(u"Sheet1!$B$2:$C$11");
    EXPECT_EQ(series.Word(6), 20);
    // An empty formula is no reference.
    serie.SetValues(u"");
    EXPECT_EQ(serie.Values(), u"");
    EXPECT_EQ(ai.Body.size(), 8u);
    EXPECT_EQ(ai.Body[1], 1);
    EXPECT_EQ(series.Word(6), 20);
}

TEST_F(Charts, FormulasFitOneRecord) {
    TDrwChart& chart = NewChart();
    TXLSChartSerie& serie = *chart.Series().Items(0);
    // n numbers added up take 3 bytes each and n - 1 additions.
    const auto sum = [](int n) {
        std::u16string text = u"1";
        for (int i = 1; i < n; ++i)
            text += u"+1";
        return text;
    };
    // 8215 bytes of tokens: the AI's body of 8223 bytes is one record, and reads back.
    serie.SetValues(sum(2054));
    EXPECT_EQ(serie.Series()->Items(1).Body.size(), 8223u);
    auto part = std::make_unique<TShapeOutsideMsoChart>(&group, &fonts);
    ReadChartInto(*part->Root, WrittenChart(RootOf(chart)));
    TDrwCharts other{nullptr, nullptr, &handler, &fonts};
    AttachChart(*other.Add(), *part->Root);
    EXPECT_EQ(other.Items(0)->Series().Items(0)->Values(), sum(2054));
    // 8219 bytes would need a continuation record: refused, the AI unchanged.
    EXPECT_EQ(ErrorMessage([&] { serie.SetValues(sum(2055)); }), "Formula buffer overflow.");
    EXPECT_EQ(serie.Values(), sum(2054));
}

TEST_F(Charts, SerieNameIsATextInQuotesOrAFormula) {
    TDrwChart& chart = NewChart();
    TXLSChartSerie& serie = *chart.Series().Items(0);
    serie.SetValues(u"Sheet1!$B$2:$B$4");
    serie.SetSerieName(u"\"Voltage\"");
    EXPECT_EQ(serie.SerieName(), u"\"Voltage\"");
    // The text went into a SERIESTEXT record after the name's AI, the other AIs moved on.
    const TChartRecord& series = *serie.Series();
    EXPECT_EQ(series.Items(1).Id, crSERIESTEXT);
    EXPECT_EQ(serie.Values(), u"Sheet1!$B$2:$B$4");
    // A second text replaces the first; a long one keeps 255 characters.
    const std::u16string longName(300, u'Ж');
    serie.SetSerieName(u"\"" + longName + u"\"");
    EXPECT_EQ(serie.SerieName(), u"\"" + longName.substr(0, 255) + u"\"");
    EXPECT_EQ(series.Items(1).Body.size(), 4u + 2 * 255);
    EXPECT_EQ(series.Count(), 7); // one SERIESTEXT record, replaced
    serie.SetSerieName(u"\"\"");
    EXPECT_EQ(serie.SerieName(), u"");
    // A formula names the series with the text of the cell it refers to.
    Text(0, 0, u"Supply");
    serie.SetSerieName(u"Sheet1!$A$1");
    EXPECT_EQ(serie.SerieName(), u"Supply");
    EXPECT_EQ(series.Items(0).Body[1], 2);
    serie.SetSerieName(u"Sheet1!$C$9");
    EXPECT_EQ(serie.SerieName(), u"");
    // A name without a sheet is calculated on the charts' sheet, as it is when asked.
    handler.CellValuesList().AddNew();
    handler.CellValuesList().Items(1)->SetCell(
        0, 0,
        std::make_unique<TStringCell>(formats, formats.DefaultFormat(), 0, 0, sst,
                                      sst.AddString(u"Other sheet")));
    serie.SetSerieName(u"$A$1");
    EXPECT_EQ(serie.SerieName(), u"Supply");
    charts.SheetIndex = 1;
    EXPECT_EQ(serie.SerieName(), u"Other sheet");
    charts.SheetIndex = 0;
    // The text is read back after the records are written and read again.
    serie.SetSerieName(u"\"Back\"");
    auto part = std::make_unique<TShapeOutsideMsoChart>(&group, &fonts);
    ReadChartInto(*part->Root, WrittenChart(RootOf(chart)));
    TDrwCharts other{nullptr, &drawing, &handler, &fonts};
    TDrwChart& back = *other.Add();
    AttachChart(back, *part->Root);
    EXPECT_EQ(back.Series().Items(0)->SerieName(), u"\"Back\"");
    EXPECT_EQ(back.Series().Items(0)->Values(), u"Sheet1!$B$2:$B$4");
}

TEST_F(Charts, GeometryIsTheDefaultDataPointsBarShape) {
    TXLSChartSerie& serie = *NewChart().Series().Items(0);
    const struct {
        TSerieItemGeomtery Value;
        uint16_t Body;
    } cases[] = {{sigCylinder, 1}, {sigPyramid, 256},     {sigChoppedPyramid, 512},
                 {sigCone, 257},   {sigChoppedCone, 513}, {sigDefault, 0}};
    const TChartRecord& shape = serie.DefDataPoint().Record->Items(0);
    ASSERT_EQ(shape.Id, cr3DBARSHAPE);
    for (const auto& c : cases) {
        serie.SetGeomtery(c.Value);
        EXPECT_EQ(serie.Geomtery(), c.Value);
        EXPECT_EQ(shape.Word(0), c.Body);
    }
    const_cast<TChartRecord&>(shape).SetWord(0, 7);
    EXPECT_EQ(serie.Geomtery(), sigDefault);
}

TEST_F(Charts, DefaultDataPointRecordsAreAddedOnce) {
    TXLSChartSerie& serie = *NewChart().Series().Items(0);
    TChartRecord& dataFormat = *serie.DefDataPoint().Record;
    ASSERT_EQ(dataFormat.Count(), 1);
    EXPECT_FALSE(serie.HasDefDataPoint());
    serie.SetHasDefDataPoint(false);
    EXPECT_EQ(dataFormat.Count(), 1);
    serie.SetHasDefDataPoint(true);
    EXPECT_TRUE(serie.HasDefDataPoint());
    EXPECT_EQ(dataFormat.Count(), 6);
    EXPECT_EQ(serie.DefDataPoint().AreaFormat.Record, &dataFormat.Items(3));
    EXPECT_EQ(serie.DefDataPoint().PieFormat, &dataFormat.Items(4));
    // Neither True again nor False adds or removes anything.
    serie.SetHasDefDataPoint(true);
    serie.SetHasDefDataPoint(false);
    EXPECT_EQ(dataFormat.Count(), 6);
    EXPECT_TRUE(serie.HasDefDataPoint());
}

TEST_F(Charts, SheetOptionsAreBitsOfTheSheetProperties) {
    TDrwChart& chart = NewChart();
    const TChartRecord* props = xlschart::TRecordObject::FindChild(chart.Rec(), crSHTPROPS);
    chart.SetSheetOptions({csoDoNotSize});
    EXPECT_EQ(props->Word(0), 0x000C);
    chart.SetSheetOptions({csoOnlyVisibleCells, csoDoNotSize});
    EXPECT_EQ(props->Word(0), 0x000E);
    EXPECT_EQ(chart.SheetOptions(), (TChartSheetOptions{csoOnlyVisibleCells, csoDoNotSize}));
}

// A chart's records from (id, body, children) lists, under a BOF and a CHART.
struct TRec {
    uint16_t Id;
    TBody Body;
    std::vector<TRec> Children;
};

void Build(TChartRecord& list, const std::vector<TRec>& records) {
    for (const TRec& r : records)
        Build(*list.Add(r.Id, r.Body), r.Children);
}

std::unique_ptr<TShapeOutsideMsoChart> ChartOf(TEscherGroup& group, TXFonts& fonts,
                                               const std::vector<TRec>& chart) {
    auto part = std::make_unique<TShapeOutsideMsoChart>(&group, &fonts);
    part->Root->Add(crBOF, TBody(16));
    Build(*part->Root->Add(crCHART, TBody(16)), chart);
    part->Root->Add(crEOF);
    return part;
}

TEST_F(Charts, AttachingRefusesRecordsItCannotPlace) {
    const TRec ai1{crAI, {1, 1, 0, 0, 0, 0, 0, 0}, {}};
    const struct {
        std::vector<TRec> Chart;
        const char* Message;
    } cases[] = {
        {{{crDEFAULTTEXT, {2, 0}, {}}, {crFRAME, {}, {}}}, "Excpected Chart record missing: TEXT"},
        {{{crDEFAULTTEXT, {2, 0}, {}}}, "Excpected Chart record missing: TEXT"},
        {{{crAXISPARENT, {}, {{crCHARTFORMAT, TBody(20), {}}}}}, "Chart style record is missing"},
        {{{crAXISPARENT, {}, {{crCHARTFORMAT, TBody(20), {{crTICK, {}, {}}}}}}},
         "Unknown chart style 101E"},
        {{{crAXISPARENT, {}, {{crAXIS, {3, 0}, {}}}}}, "Unknown axis type 3"},
        {{{crSERIES, TBody(12), {ai1, {crDATAFORMAT, {0, 0, 0, 0}, {}}}}},
         "DATAFORMAT has no child records"},
    };
    for (const auto& c : cases) {
        auto part = ChartOf(group, fonts, c.Chart);
        TDrwChart& chart = *charts.Add();
        EXPECT_EQ(ErrorMessage([&] { AttachChart(chart, *part->Root); }), c.Message);
    }
    // A failed attach leaves what it attached before.
    auto part = ChartOf(group, fonts,
                        {{crSERIES, TBody(12), {ai1}}, {crAXISPARENT, {}, {{crAXIS, {9, 0}, {}}}}});
    TDrwChart& chart = *charts.Add();
    EXPECT_NE(ErrorMessage([&] { AttachChart(chart, *part->Root); }), "<no error>");
    ASSERT_EQ(chart.Series().Count(), 1);
    // The properties whose records are missing say so.
    EXPECT_EQ(ErrorMessage([&] { chart.Series().Items(0)->Category(); }), "Property has no data");
    EXPECT_EQ(ErrorMessage([&] { chart.Series().Items(0)->SetSerieName(u"\"x\""); }),
              "Property has no data");
    EXPECT_EQ(ErrorMessage([&] { chart.SheetOptions(); }), "Property has no data");
    EXPECT_EQ(chart.Series().Items(0)->Geomtery(), sigDefault);
    // A BOF without a CHART record.
    auto empty = std::make_unique<TShapeOutsideMsoChart>(&group, &fonts);
    empty->Root->Add(crBOF, TBody(16));
    EXPECT_EQ(ErrorMessage([&] { AttachChart(*charts.Add(), *empty->Root); }),
              "Can not find CHART record.");
}

// An OPT record (header and properties) of simple values.
TBody Opt(uint16_t type, std::vector<std::pair<uint16_t, uint32_t>> props) {
    TBody body = {static_cast<uint8_t>(3 | props.size() << 4),
                  static_cast<uint8_t>(props.size() >> 4), static_cast<uint8_t>(type),
                  static_cast<uint8_t>(type >> 8)};
    const uint32_t length = static_cast<uint32_t>(6 * props.size());
    for (int i = 0; i < 4; ++i)
        body.push_back(static_cast<uint8_t>(length >> (8 * i)));
    for (const auto& [id, value] : props) {
        body.insert(body.end(), {static_cast<uint8_t>(id), static_cast<uint8_t>(id >> 8)});
        for (int i = 0; i < 4; ++i)
            body.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
    return body;
}

TEST_F(Charts, GelFrameIsWrittenFromItsPropertyTable) {
    TBody gel = Opt(0xF00B, {{0x0180, 7}, {0x0181, 0x00FF0000}});
    const TBody tertiary = Opt(0xF122, {{0x01BF, 1}});
    gel.insert(gel.end(), tertiary.begin(), tertiary.end());
    const TBody second = Opt(0xF00B, {{0x0182, 0x00010000}, {0x0180, 5}});
    gel.insert(gel.end(), second.begin(), second.end());
    auto part = ChartOf(group, fonts, {{crFRAME, {0, 0, 3, 0}, {{crGELFRAME, gel, {}}}}});
    TDrwChart& chart = *charts.Add();
    AttachChart(chart, *part->Root);
    ASSERT_NE(chart.PaintFrame().GelFrame, nullptr);
    TOPT& table = chart.PaintFrame().GelFrame->Properties();
    EXPECT_EQ(table.Count(), 3);
    EXPECT_EQ(table.GetValue(0x0180), 5);
    EXPECT_EQ(table.GetValue(0x0181), 0x00FF0000);
    // The record is written as the one property table of the frame.
    table.SetValue(0x0182, 0x00020000);
    const std::vector<TRecordInfo> records = SheetRecords(WrittenChart(*part->Root));
    const auto frame = std::find_if(records.begin(), records.end(),
                                    [](const TRecordInfo& r) { return r.Id == crGELFRAME; });
    ASSERT_NE(frame, records.end());
    EXPECT_EQ(frame->Body, Opt(0xF00B, {{0x0180, 5}, {0x0181, 0x00FF0000}, {0x0182, 0x00020000}}));
    // Attached again, the frame reads what it writes.
    TDrwChart& again = *charts.Add();
    AttachChart(again, *part->Root);
    EXPECT_EQ(again.PaintFrame().GelFrame->Properties().GetValue(0x0182), 0x00020000);
    // The frame's table outlives the typed layer: the records still write it.
    charts.Clear();
    EXPECT_EQ(SheetRecords(WrittenChart(*part->Root)).size(), records.size());

    auto bad =
        ChartOf(group, fonts, {{crFRAME, {0, 0, 3, 0}, {{crGELFRAME, Opt(0xF122, {{1, 1}}), {}}}}});
    EXPECT_EQ(ErrorMessage([&] { AttachChart(*charts.Add(), *bad->Root); }),
              "First MSO record in Gelframe is not OPT");
}

TEST_F(Charts, ChartReadFromADrawingAttachesToItsRecords) {
    TDrwChart& chart = NewChart();
    chart.Series().Items(0)->SetValues(u"Sheet1!$B$2:$B$4");
    const TBody bytes = Written(drawing);
    TEscherDrawing back(&group, &handler.InternalNames(), &fonts);
    TDrwCharts backCharts{nullptr, &back, &handler, &fonts};
    back.OnShapeAdded = [&](TEscherDrawing&, TShape& shape) {
        if (shape.Object && shape.Object->ObjectKind == okChart)
            backCharts.AddFileShape(static_cast<TShapeClientAnchor*>(&shape));
    };
    ReadInto(back, bytes);
    ASSERT_EQ(backCharts.Count(), 1);
    EXPECT_EQ(back.ShapeCount(), 1);
    EXPECT_EQ(backCharts.Items(0)->Series().Items(0)->Values(), u"Sheet1!$B$2:$B$4");
    EXPECT_EQ(Written(back), bytes);
}

TEST_F(Charts, ChartSheetsHoldTheDrawingsOfTheirRecords) {
    TSheetCharts sheets(nullptr, &group, &fonts);
    // A drawing inside a chart's records goes to the last chart sheet.
    auto part = std::make_unique<TShapeOutsideMsoChart>(&group, &fonts);
    TEscherDrawing& inner = part->NewChartDrawing();
    static_cast<TShapeOutsideMsoBaseText&>(*inner.NewTextShape()->Object).Text = u"Title";
    part->Root->Add(crBOF, TBody(16));
    part->Root->Add(crMSODRAWING);
    part->Root->Add(crEOF);
    const TBody bytes = WrittenChart(*part->Root);
    TSheetChart& first = *sheets.Add();
    EXPECT_EQ(first.Name, u"Chart");
    EXPECT_EQ(ErrorMessage([&] { ReadChartInto(*TChartRecord::NewRoot(&sheets), bytes); }),
              "<no error>");
    TSheetChart& second = *sheets.Add();
    ReadChartInto(*second.Records, bytes);
    ASSERT_NE(second.Drawing(), nullptr);
    EXPECT_EQ(static_cast<TShapeOutsideMsoBaseText&>(*second.Drawing()->Shapes(0)->Object).Text,
              u"Title");
    // The chart sheet being written gives its drawing.
    sheets.WritingIndex = 1;
    EXPECT_EQ(WrittenChart(*second.Records), bytes);
    TSheetCharts none(nullptr, &group, &fonts);
    EXPECT_EQ(ErrorMessage([&] { ReadChartInto(*TChartRecord::NewRoot(&none), bytes); }),
              "Chart record parent is not of excpected type");
}

} // namespace
