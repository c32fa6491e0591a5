// Chart record trees: reading and writing record by record, fonts named by reference, gel
// frames, embedded drawings, templates and the reader's errors.

#include "spreadsheet/drawing/ChartRecords.h"

#include "spreadsheet/drawing/ChartPart.h"
#include "spreadsheet/drawing/ChartTemplates.h"
#include "spreadsheet/drawing/TextObject.h"
#include "tests/spreadsheet/drawing/DrawingTestSupport.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using TBody = std::vector<uint8_t>;

TBody Word(uint16_t w) {
    return {static_cast<uint8_t>(w), static_cast<uint8_t>(w >> 8)};
}

// A chart's BOF body.
TBody Bof() {
    return {0x00, 0x06, 0x20, 0x00, 0xBB, 0x0D, 0xCC, 0x07, 0, 0, 0, 0, 6, 0, 0, 0};
}

TBody Fbi(uint16_t font) {
    TBody body = {0x40, 0x1D, 0x50, 0x14, 0xC8, 0x00, 0x01, 0x00};
    const TBody index = Word(font);
    body.insert(body.end(), index.begin(), index.end());
    return body;
}

// The tree as text: one "depth:id" per record.
std::string Dump(const TChartRecord& list, int depth = 0) {
    std::string out;
    for (const auto& r : list.Children) {
        out += std::to_string(depth) + ":" + std::to_string(r->Id) + " ";
        out += Dump(*r, depth + 1);
    }
    return out;
}

struct ChartRecords : ::testing::Test, TDrawingBook {
    std::unique_ptr<TShapeOutsideMsoChart> NewPart() {
        return std::make_unique<TShapeOutsideMsoChart>(&group, &fonts);
    }
};

TEST_F(ChartRecords, DefaultChartIsAWholeChartThatReadsBack) {
    auto part = NewPart();
    InsertTemplate(*part->Root, ctDefaultChart, &fonts);
    // Its two FBI records got fonts of their own, flagged as chart fonts.
    ASSERT_EQ(fonts.Count(), 7);
    EXPECT_TRUE(fonts.Fonts(5)->ChartFont);
    EXPECT_TRUE(fonts.Fonts(6)->ChartFont);
    const TBody bytes = WrittenChart(*part->Root);
    const std::vector<TRecordInfo> records = SheetRecords(bytes);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.front().Id, crBOF);
    EXPECT_EQ(records.front().Body[2], 0x20); // a chart's substream
    EXPECT_EQ(records.back().Id, crEOF);
    int depth = 0, deepest = 0, fontx = 0;
    for (const TRecordInfo& r : records) {
        depth += r.Id == crBEGIN ? 1 : r.Id == crEND ? -1 : 0;
        deepest = std::max(deepest, depth);
        ASSERT_GE(depth, 0);
        // The FONTX records name the FBI fonts by their index in the workbook's list.
        if (r.Id == crFONTX) {
            EXPECT_EQ(r.Body, Word(static_cast<uint16_t>(5 + fontx++)));
        }
    }
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(deepest, 5);
    EXPECT_EQ(fontx, 2);
    // 83 records, the text block counted as one (it has 8).
    EXPECT_EQ(TemplateRecordCount(ctDefaultChart), 83);
    EXPECT_EQ(records.size(), 83u + 7);

    auto back = NewPart();
    ReadChartInto(*back->Root, bytes);
    EXPECT_EQ(Dump(*back->Root), Dump(*part->Root));
    EXPECT_EQ(WrittenChart(*back->Root), bytes);
    EXPECT_EQ(fonts.Count(), 7); // read back, the FBI records name the same fonts
}

TEST_F(ChartRecords, DefaultDataPointTemplateHasItsFixedBodies) {
    auto root = TChartRecord::NewRoot(nullptr);
    InsertTemplate(*root, ctDefDataPoint, &fonts);
    const std::vector<std::pair<uint16_t, TBody>> expected = {
        {0x105F, {0x00, 0x00}},
        {0x1007, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x4F, 0x00}},
        {0x100A,
         {0xCC, 0xFF, 0xCC, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x01, 0x00, 0x00, 0x00, 0x2A, 0x00, 0x09,
          0x00}},
        {0x100B, {0x00, 0x00}},
        {0x1009, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00,
                  0x01, 0x00, 0x4D, 0x00, 0x4D, 0x00, 0x3C, 0x00, 0x00, 0x00}},
    };
    ASSERT_EQ(root->Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(root->Items(i).Id, expected[static_cast<size_t>(i)].first);
        EXPECT_EQ(root->Items(i).Body, expected[static_cast<size_t>(i)].second);
    }
}

TEST_F(ChartRecords, ChartGroupTemplatesNestTheirTextBlock) {
    // Record counts of the groups, a text block counted as one, and the records inserted.
    const struct {
        int Kind;
        uint16_t First;
        int Count;
        int Inserted;
    } cases[] = {
        {ctAreaGroup, crAREA, 12, 4},       {ctBarGroup, crBAR, 4, 3},
        {ctLineGroup, crLINE, 4, 3},        {ctPieGroup, crPIE, 4, 3},
        {ctRadarGroup, crRADAR, 12, 4},     {ctScatterGroup, crSCATTER, 12, 4},
        {ctSurfaceGroup, crSURFACE, 12, 4},
    };
    for (const auto& c : cases) {
        auto root = TChartRecord::NewRoot(nullptr);
        InsertTemplate(*root, c.Kind, nullptr);
        EXPECT_EQ(TemplateRecordCount(c.Kind), c.Count) << c.Kind;
        ASSERT_EQ(root->Count(), c.Inserted) << c.Kind;
        EXPECT_EQ(root->Items(0).Id, c.First);
        // The legend holds the text block: position and text, the text its position and AI.
        const TChartRecord& legend = root->Items(2);
        ASSERT_EQ(legend.Id, crLEGEND);
        EXPECT_EQ(Dump(legend), "0:4175 0:4133 1:4175 1:4177 ");
        if (c.Inserted == 4) {
            EXPECT_EQ(root->Items(3).Word(2), 0xFFFD);
            EXPECT_EQ(root->Items(3).Count(), 5);
        }
    }
    auto root = TChartRecord::NewRoot(nullptr);
    EXPECT_EQ(ErrorMessage([&] { InsertTemplate(*root, 11, nullptr); }),
              "Unknown chart template 11");
}

TEST_F(ChartRecords, FontRecordsFollowTheirFonts) {
    for (int i = 0; i < 3; ++i)
        fonts.AddFont()->SetSize20(220 + 20 * i); // fonts 5, 6, 7
    const TBody bytes = RecordBytes({{crBOF, Bof()},
                                     {crFBI, Fbi(6)},
                                     {crFONTX, Word(6)},
                                     {crFONTX, Word(7)},
                                     {crFONTX, Word(40)},
                                     {crEOF, {}}});
    auto part = NewPart();
    ReadChartInto(*part->Root, bytes);
    EXPECT_EQ(WrittenChart(*part->Root), bytes);
    const TChartRecord& root = *part->Root;
    ASSERT_EQ(root.Count(), 6);
    EXPECT_EQ(root.Items(1).Font(), fonts.Fonts(6));
    EXPECT_TRUE(fonts.Fonts(6)->ChartFont);
    EXPECT_EQ(root.Items(2).Font(), fonts.Fonts(6)); // through the FBI
    EXPECT_EQ(root.Items(3).Font(), fonts.Fonts(7)); // a workbook font
    EXPECT_EQ(root.Items(4).Font(), nullptr);        // beyond the list: kept as read
    EXPECT_EQ(fonts.Fonts(7)->UsageCount, 1);
    // A font before them goes: the records write the indexes their fonts have now.
    fonts.DeleteFont(5);
    EXPECT_EQ(WrittenChart(*part->Root), RecordBytes({{crBOF, Bof()},
                                                      {crFBI, Fbi(5)},
                                                      {crFONTX, Word(5)},
                                                      {crFONTX, Word(6)},
                                                      {crFONTX, Word(40)},
                                                      {crEOF, {}}}));
}

TEST_F(ChartRecords, AFontAChartNamesStaysWhileTheChartExists) {
    fonts.AddFont()->SetSize20(240); // font 5, used by no cell
    fonts.AddFont()->SetSize20(260); // font 6, used once by a cell format
    fonts.Fonts(6)->UsageCount = 1;
    auto part = NewPart();
    ReadChartInto(
        *part->Root,
        RecordBytes({{crBOF, Bof()}, {crFONTX, Word(5)}, {crFONTX, Word(6)}, {crEOF, {}}}));
    // Released by everything else, font 5 stays: the chart still names it.
    fonts.ReleaseFont(5);
    fonts.ReleaseFont(5);
    ASSERT_EQ(fonts.Count(), 7);
    EXPECT_EQ(part->Root->Items(1).Font(), fonts.Fonts(5));
    // When the chart goes, it gives its uses back: font 5 goes, font 6 stays for its cells.
    TXFont* shared = fonts.Fonts(6);
    part.reset();
    ASSERT_EQ(fonts.Count(), 6);
    EXPECT_EQ(fonts.Fonts(5), shared);
    EXPECT_EQ(shared->UsageCount, 1);
}

TEST_F(ChartRecords, GelFrameJoinsItsPartsAndWritesThemAsTheyCame) {
    TBody frame(9000);
    for (size_t i = 0; i < frame.size(); ++i)
        frame[i] = static_cast<uint8_t>(i * 7);
    const TBody first(frame.begin(), frame.begin() + 8224), rest(frame.begin() + 8224, frame.end());
    for (uint16_t continuation : {crCONTINUE, crGELFRAME}) {
        const TBody bytes =
            RecordBytes({{crBOF, Bof()}, {crGELFRAME, first}, {continuation, rest}, {crEOF, {}}});
        auto part = NewPart();
        ReadChartInto(*part->Root, bytes);
        ASSERT_EQ(part->Root->Count(), 3);
        EXPECT_EQ(part->Root->Items(1).Body, frame);
        EXPECT_EQ(WrittenChart(*part->Root), bytes) << continuation;
    }
}

TEST_F(ChartRecords, EmbeddedDrawingIsReadIntoThePartAndWrittenInItsPlace) {
    auto part = NewPart();
    TEscherDrawing& drawing = part->NewChartDrawing();
    static_cast<TShapeOutsideMsoBaseText&>(*drawing.NewTextShape()->Object).Text = u"In a chart";
    // A note writes its NOTE record after the drawing; read back, the note writes it again and
    // the record is not kept a second time as a record of the chart.
    static_cast<TShapeOutsideMsoNote&>(*drawing.NewNoteShape()->Object).Text = u"Noted";
    TChartRecord& root = *part->Root;
    root.Add(crBOF, Bof());
    TChartRecord* chart = root.Add(crCHART, TBody(16));
    chart->Add(crMSODRAWING);
    chart->Add(crFRAME, {0, 0, 3, 0});
    root.Add(crEOF);
    const TBody bytes = WrittenChart(root);

    auto back = NewPart();
    ReadChartInto(*back->Root, bytes);
    ASSERT_NE(back->Drawing, nullptr);
    ASSERT_EQ(back->Drawing->ShapeCount(), 2);
    EXPECT_EQ(static_cast<TShapeOutsideMsoBaseText&>(*back->Drawing->Shapes(0)->Object).Text,
              u"In a chart");
    EXPECT_EQ(Dump(*back->Root), Dump(root));
    EXPECT_EQ(WrittenChart(*back->Root), bytes);
    const std::vector<TRecordInfo> records = SheetRecords(bytes);
    EXPECT_EQ(std::count_if(records.begin(), records.end(),
                            [](const TRecordInfo& r) { return r.Id == crNOTE; }),
              1);

    // A drawing record of 80 bytes or less holds no drawing and is dropped.
    auto small = NewPart();
    ReadChartInto(*small->Root,
                  RecordBytes({{crBOF, Bof()}, {crMSODRAWING, TBody(80)}, {crEOF, {}}}));
    EXPECT_EQ(Dump(*small->Root), "0:2057 0:10 ");
    EXPECT_EQ(small->Drawing, nullptr);
    // A drawing without shapes would write a record of 80 bytes: it writes nothing.
    auto empty = NewPart();
    empty->NewChartDrawing();
    empty->Root->Add(crBOF, Bof());
    empty->Root->Add(crMSODRAWING);
    empty->Root->Add(crEOF);
    EXPECT_EQ(WrittenChart(*empty->Root), RecordBytes({{crBOF, Bof()}, {crEOF, {}}}));
    // A tree that belongs to nothing has no place for a drawing.
    auto orphan = TChartRecord::NewRoot(nullptr);
    EXPECT_EQ(ErrorMessage([&] { ReadChartInto(*orphan, bytes); }),
              "Chart record parent is not of excpected type");
}

TEST_F(ChartRecords, ReaderRefusesBrokenRecords) {
    std::vector<std::pair<uint16_t, TBody>> deep = {{crBOF, Bof()}};
    for (int i = 0; i < kMaxChartRecordDepth; ++i) {
        deep.emplace_back(crFRAME, TBody{0, 0, 3, 0});
        deep.emplace_back(crBEGIN, TBody{});
    }
    // Bodies cut short: a record's own, and a gel frame's continuation.
    const auto cutShort = [](TBody bytes) {
        bytes.resize(bytes.size() - 5);
        return bytes;
    };
    const struct {
        TBody Bytes;
        const char* Message;
    } cases[] = {
        {RecordBytes({{crBEGIN, {}}, {crEND, {}}}), "Chart block without record"},
        {RecordBytes(deep), "Chart records nest too deep"},
        {cutShort(RecordBytes({{crBOF, Bof()}, {crCHART, TBody(16)}})), "Chart records end early"},
        {cutShort(RecordBytes({{crBOF, Bof()}, {crGELFRAME, TBody(4)}, {crCONTINUE, TBody(8)}})),
         "Chart records end early"},
    };
    for (const auto& c : cases) {
        auto part = NewPart();
        EXPECT_EQ(ErrorMessage([&] { ReadChartInto(*part->Root, c.Bytes); }), c.Message);
    }
    // Without EOF the records end with the stream.
    auto part = NewPart();
    ReadChartInto(*part->Root, RecordBytes({{crBOF, Bof()}, {crFRAME, {0, 0, 3, 0}}}));
    EXPECT_EQ(Dump(*part->Root), "0:2057 0:4146 ");
}

TEST_F(ChartRecords, ChartPartsCannotBeCopied) {
    auto part = NewPart();
    EXPECT_EQ(ErrorMessage([&] { part->AssignObject(); }), "Chart Assign not implemented");
}

} // namespace
