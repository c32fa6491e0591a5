// Drawings read back what they write; broken drawing records raise the reader's errors.

#include "spreadsheet/drawing/EscherDrawing.h"

#include "spreadsheet/drawing/ChartPart.h"
#include "spreadsheet/drawing/ControlParts.h"
#include "spreadsheet/drawing/TextObject.h"
#include "tests/spreadsheet/drawing/DrawingTestSupport.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct ReadBack : ::testing::Test, TDrawingBook {
    // Every shape the drawing makes by default, with some text.
    std::unique_ptr<TEscherDrawing> Full() {
        auto d = NewDrawing();
        static_cast<TShapeOutsideMsoBaseText&>(*d->NewTextShape()->Object).Text = u"Text box";
        d->NewLineShape();
        auto& note = static_cast<TShapeOutsideMsoNote&>(*d->NewNoteShape()->Object);
        note.Text = u"A note";
        note.Author = u"Me";
        d->NewAutoShape();
        d->NewPictureShape();
        d->NewListBoxShape();
        d->NewComboBoxShape();
        d->NewAutoFilterComboShape();
        d->NewButtonShape();
        d->NewRadioButtonShape();
        d->NewCheckBoxShape();
        d->NewChartShape();
        d->NewLineShape();
        return d;
    }
    // The records without the NOTE records, which the sheet reader reads.
    static std::vector<uint8_t> WithoutNotes(const std::vector<uint8_t>& bytes) {
        std::vector<uint8_t> out;
        for (const TRecordInfo& r : SheetRecords(bytes)) {
            if (r.Id == recNOTE)
                continue;
            out.insert(out.end(),
                       {static_cast<uint8_t>(r.Id), static_cast<uint8_t>(r.Id >> 8),
                        static_cast<uint8_t>(r.Length), static_cast<uint8_t>(r.Length >> 8)});
            out.insert(out.end(), r.Body.begin(), r.Body.end());
        }
        return out;
    }
};

TEST_F(ReadBack, EveryDefaultShapeReadsBackAsWritten) {
    auto drawing = Full();
    const std::vector<uint8_t> bytes = Written(*drawing);
    auto back = NewDrawing();
    std::vector<uint16_t> added;
    back->OnShapeAdded = [&](TEscherDrawing&, TShape& s) { added.push_back(s.ShapeType); };
    ReadInto(*back, bytes);
    EXPECT_EQ(added, (std::vector<uint16_t>{202, 20, 202, 183, 75, 201, 201, 201, 201, 201, 201,
                                            201, 20}));
    ASSERT_EQ(back->ShapeCount(), 13);
    EXPECT_EQ(back->DrawingId, drawing->DrawingId);
    EXPECT_EQ(back->HighestObjectId, drawing->HighestObjectId);
    EXPECT_EQ(static_cast<TShapeOutsideMsoBaseText&>(*back->Shapes(0)->Object).Text, u"Text box");
    EXPECT_TRUE(back->Shapes(2)->Object->IsNote());
    EXPECT_EQ(static_cast<TShapeOutsideMsoBaseText&>(*back->Shapes(2)->Object).Text, u"A note");
    EXPECT_EQ(back->Shapes(1)->Object, nullptr);
    EXPECT_EQ(back->Shapes(4)->Opt.GetText(0x0105), u"[???]");
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(back->Shapes(i)->ShapeId, drawing->Shapes(i)->ShapeId);
        EXPECT_EQ(back->Shapes(i)->Opt.WriteToBuffer(true),
                  drawing->Shapes(i)->Opt.WriteToBuffer(true));
        EXPECT_EQ(back->Shapes(i)->ClientAnchor()->Values,
                  drawing->Shapes(i)->ClientAnchor()->Values);
    }
    // Controls come back with their object parts.
    EXPECT_NE(dynamic_cast<TShapeControlListBox*>(back->Shapes(5)->Object.get()), nullptr);
    EXPECT_TRUE(static_cast<TShapeControlListBox&>(*back->Shapes(6)->Object).Combo);
    EXPECT_EQ(static_cast<TShapeControlButton&>(*back->Shapes(8)->Object).Text, u"Button");
    EXPECT_NE(dynamic_cast<TShapeControlRadioButton*>(back->Shapes(9)->Object.get()), nullptr);
    EXPECT_EQ(static_cast<TShapeControlCheckBox&>(*back->Shapes(10)->Object).Text, u"CheckBox");
    // The chart comes back with its records, and the shape after it reads on.
    const auto* chart = dynamic_cast<TShapeOutsideMsoChart*>(back->Shapes(11)->Object.get());
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->ObjectKind, okChart);
    EXPECT_EQ(
        WrittenChart(*chart->Root),
        WrittenChart(*static_cast<TShapeOutsideMsoChart&>(*drawing->Shapes(11)->Object).Root));
    EXPECT_EQ(back->Shapes(11)->ObjectType(), 5);
    EXPECT_EQ(WithoutNotes(Written(*back)), WithoutNotes(bytes));
}

TEST_F(ReadBack, TextsOfAnyLength) {
    for (int length : {0, 1, 8222, 8223, 12334, 16445, 28780, 32767}) {
        auto drawing = NewDrawing();
        auto& text = static_cast<TShapeOutsideMsoBaseText&>(*drawing->NewTextShape()->Object);
        for (int i = 0; i < length; ++i)
            text.Text += static_cast<char16_t>(u'a' + i % 26 + (i % 7 == 0 ? 0x400 : 0));
        const std::vector<uint8_t> bytes = Written(*drawing);
        // Each text record holds the flag byte and at most 8222 text bytes.
        int textRecords = 0;
        for (const TRecordInfo& r : SheetRecords(bytes))
            textRecords += r.Id == 0x003C && r.Length > 0 && r.Body[0] == 1;
        EXPECT_EQ(textRecords, (2 * length + 8221) / 8222) << length;
        auto back = NewDrawing();
        ReadInto(*back, bytes);
        ASSERT_EQ(back->ShapeCount(), 1);
        EXPECT_EQ(static_cast<TShapeOutsideMsoBaseText&>(*back->Shapes(0)->Object).Text, text.Text)
            << length;
        EXPECT_EQ(Written(*back), bytes) << length;
    }
}

// 16-bit words as bytes.
std::vector<uint8_t> Bytes16(std::initializer_list<uint16_t> words) {
    std::vector<uint8_t> out;
    for (uint16_t w : words)
        out.insert(out.end(), {static_cast<uint8_t>(w), static_cast<uint8_t>(w >> 8)});
    return out;
}

TEST_F(ReadBack, BrokenRecordsRaiseTheirErrors) {
    auto drawing = Full();
    const std::vector<uint8_t> good = Written(*drawing);
    const std::vector<TRecordInfo> records = SheetRecords(good);
    // Changes to the good records, each with the error it brings.
    struct TCase {
        std::function<void(std::vector<uint8_t>& first)> Change;
        const char* Message;
    } cases[] = {
        {[](std::vector<uint8_t>& b) { b[2] = 0x03; }, "Expected record missing: DGCONTAINER"},
        {[](std::vector<uint8_t>& b) { b[10] = 0x09; },
         "Error on reading shape #0\rExpected record missing: DG"},
        {[](std::vector<uint8_t>& b) { b[26] = 0x04; },
         "Error on reading shape #0\rExpected record missing: SPGRCONTAINER"},
        {[](std::vector<uint8_t>& b) { b[34] = 0x03; },
         "Error on reading shape #0\rExpected record missing: SPCONTAINER"},
        {[](std::vector<uint8_t>& b) { b[42] = 0x0A; },
         "Error on reading shape #0\rExpected record missing: SPGR"},
        {[](std::vector<uint8_t>& b) { b[66] = 0x0B; },
         "Error on reading shape #0\rExpected record missing: SP"},
        {[](std::vector<uint8_t>& b) { b[76] = 0; }, "Error on reading shape #0\rSP is not root"},
        {[](std::vector<uint8_t>& b) { b[82] = 0x05; },
         "Error on reading shape #1\rExpected record missing: SPCONTAINER"},
    };
    for (const TCase& c : cases) {
        std::vector<uint8_t> first = records[0].Body;
        c.Change(first);
        std::vector<uint8_t> bytes = RecordBytes({{0x00EC, first}});
        bytes.insert(bytes.end(), good.begin() + 4 + static_cast<std::ptrdiff_t>(records[0].Length),
                     good.end());
        auto back = NewDrawing();
        EXPECT_EQ(ErrorMessage([&] { ReadInto(*back, bytes); }), c.Message);
    }
    // The OBJ record after the first shape, and what may stand in it.
    const auto withObj = [&](std::vector<uint8_t> obj) {
        std::vector<std::pair<uint16_t, std::vector<uint8_t>>> list;
        for (const TRecordInfo& r : records)
            list.emplace_back(r.Id, r.Id == 0x005D && list.size() == 1 ? obj : r.Body);
        return RecordBytes(list);
    };
    auto back = NewDrawing();
    EXPECT_EQ(ErrorMessage([&] {
                  ReadInto(*back, withObj(Bytes16({0x0003, 0})));
              }),
              "Error on reading shape #1\rUnknown OBJ record 03");
    EXPECT_EQ(ErrorMessage([&] {
                  ReadInto(*back, withObj(Bytes16({0x0015, 0x0100})));
              }),
              "Error on reading shape #1\rError while reading Shape. Length <> 0");
    EXPECT_EQ(ErrorMessage([&] { ReadInto(*back, withObj({})); }),
              "Error on reading shape #1\rOBJ record without common data");
    // A record other than OBJ after the client data.
    std::vector<std::pair<uint16_t, std::vector<uint8_t>>> list;
    for (const TRecordInfo& r : records)
        list.emplace_back(r.Id == 0x005D && list.size() == 1 ? 0x0006 : r.Id, r.Body);
    EXPECT_EQ(ErrorMessage([&] { ReadInto(*back, RecordBytes(list)); }),
              "Error on reading shape #1\rExpected record missing: OBJ");
    // A text object without its TXO record.
    list.clear();
    for (const TRecordInfo& r : records)
        list.emplace_back(r.Id == recTXO && list.size() == 3 ? 0x0006 : r.Id, r.Body);
    EXPECT_EQ(ErrorMessage([&] { ReadInto(*back, RecordBytes(list)); }),
              "Error on reading shape #1\rExcpected record missing: TXO");
    // Records that end early.
    const std::vector<uint8_t> cut(good.begin(), good.begin() + 150);
    EXPECT_NE(ErrorMessage([&] { ReadInto(*back, cut); }), "<no error>");
}

TEST_F(ReadBack, PictureDataBetweenShapesIsSkipped) {
    auto drawing = NewDrawing();
    drawing->NewLineShape();
    drawing->NewAutoShape();
    const std::vector<uint8_t> bytes = Written(*drawing);
    std::vector<std::pair<uint16_t, std::vector<uint8_t>>> list;
    for (const TRecordInfo& r : SheetRecords(bytes)) {
        if (r.Id == 0x00EC && !list.empty()) {
            list.emplace_back(recIMDATA, std::vector<uint8_t>(20, 7));
            list.emplace_back(0x003C, std::vector<uint8_t>(5, 7));
        }
        list.emplace_back(r.Id, r.Body);
    }
    auto back = NewDrawing();
    ReadInto(*back, RecordBytes(list));
    EXPECT_EQ(back->ShapeCount(), 2);
    EXPECT_EQ(Written(*back), bytes);
}

TEST_F(ReadBack, ScrollBarWritesWhatItRead) {
    auto drawing = NewDrawing();
    drawing->NewListBoxShape();
    const std::vector<TRecordInfo> records = SheetRecords(Written(*drawing));
    // The list box's OBJ record replaced by a scroll bar's without its scroll bar subrecord:
    // common data (type 17, id 1, options 0x6011) and the end.
    const std::vector<uint8_t> obj =
        Bytes16({0x0015, 0x0012, 17, 1, 0x6011, 0, 0, 0, 0, 0, 0, 0, 0});
    std::vector<std::pair<uint16_t, std::vector<uint8_t>>> list;
    for (const TRecordInfo& r : records)
        list.emplace_back(r.Id, r.Id == 0x005D ? obj : r.Body);
    auto back = NewDrawing();
    ReadInto(*back, RecordBytes(list));
    ASSERT_EQ(back->ShapeCount(), 1);
    EXPECT_EQ(back->Shapes(0)->Object->ObjectKind, okScrollBar);
    // Written back without a scroll bar subrecord, and read again the same.
    const std::vector<uint8_t> first = Written(*back);
    for (const TRecordInfo& r : SheetRecords(first)) {
        if (r.Id == 0x005D) {
            EXPECT_EQ(r.Body, obj);
        }
    }
    auto again = NewDrawing();
    ReadInto(*again, first);
    EXPECT_EQ(Written(*again), first);
}

} // namespace
