#include "spreadsheet/drawing/EscherDrawing.h"

#include "spreadsheet/drawing/TextObject.h"
#include "tests/spreadsheet/drawing/DrawingTestSupport.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

namespace {

uint32_t Long(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

struct DrawingTest : ::testing::Test, TDrawingBook {};

TEST_F(DrawingTest, AnEmptyDrawing) {
    auto drawing = NewDrawing();
    const std::vector<uint8_t> bytes = Written(*drawing);
    ASSERT_EQ(RecordList(bytes), (std::vector<std::pair<uint16_t, int>>{{0x00EC, 80}}));
    const std::vector<uint8_t> body = SheetRecords(bytes)[0].Body;
    EXPECT_EQ(Long(body, 4), 72u); // DGCONTAINER
    EXPECT_EQ(Long(body, 16), 1u); // DG shape count
}

TEST_F(DrawingTest, ATextBox) {
    auto drawing = NewDrawing();
    drawing->NewTextShape();
    const std::vector<uint8_t> bytes = Written(*drawing);
    EXPECT_EQ(RecordList(bytes),
              (std::vector<std::pair<uint16_t, int>>{
                  {0x00EC, 176}, {0x005D, 26}, {0x00EC, 8}, {0x01B6, 18}, {0x003C, 16}}));
    const std::vector<uint8_t> body = SheetRecords(bytes)[0].Body;
    EXPECT_EQ(Long(body, 4), 176u);  // DGCONTAINER
    EXPECT_EQ(Long(body, 16), 2u);   // DG shape count
    EXPECT_EQ(Long(body, 28), 152u); // SPGRCONTAINER
    EXPECT_EQ(Long(body, 84), 96u);  // the text box's SPCONTAINER
    EXPECT_EQ(Long(body, 108), 30u); // its OPT: five properties
}

TEST_F(DrawingTest, PropertyTables) {
    TOPT opt;
    opt.AddValue(0x0080, 1);
    opt.AddValue(0x0004, 2);
    opt.AddValue(0x00BF, 3);
    EXPECT_EQ(opt.Items(0).Number(), 4);
    EXPECT_EQ(opt.Items(1).Number(), 0x80);
    opt.SetValue(0x0181, 5);
    EXPECT_EQ(opt.GetValue(0x0181), -1);
    EXPECT_EQ(opt.Count(), 3);
    opt.AddText(0x0105, u"ab");
    EXPECT_EQ(opt.GetText(0x0105), u"ab");
    EXPECT_EQ(opt.GetSize(), 4 * 6 + 6);
    const std::vector<uint8_t> bytes = opt.WriteToBuffer(false);
    TOPT back;
    back.ReadFromBuffer(static_cast<int>(bytes.size()), bytes.data(), 4);
    EXPECT_EQ(back.WriteToBuffer(true), opt.WriteToBuffer(true));
    // A complex block longer than what is left, or bytes left over, are refused.
    EXPECT_EQ(ErrorMessage([&] {
                  back.ReadFromBuffer(static_cast<int>(bytes.size()) - 1, bytes.data(), 4);
              }),
              "Error when reading OPT items, Length <> 0");
    EXPECT_EQ(
        ErrorMessage([&] { back.ReadFromBuffer(static_cast<int>(bytes.size()), bytes.data(), 3); }),
        "Error when reading OPT items, Length <> 0");
}

TEST_F(DrawingTest, DrawingIdsAndShapeIdClusters) {
    auto first = NewDrawing();
    auto second = NewDrawing();
    first->NewLineShape();
    second->NewLineShape();
    EXPECT_EQ(second->DrawingId, 2);
    EXPECT_EQ(second->Root->ShapeId, 2048u);
    EXPECT_EQ(second->Shapes(0)->ShapeId, 2049u);
    // The drawing that loses its last shape leaves the group; a new shape registers it again
    // with a new cluster, and ids stay unique.
    first->DeleteShape(first->Shapes(0)->ShapeId);
    EXPECT_EQ(first->DrawingId, 0);
    EXPECT_EQ(group.DGG.size(), 1u);
    first->NewLineShape();
    EXPECT_EQ(first->DrawingId, 3);
    EXPECT_EQ(first->Root->ShapeId, 3072u);
    EXPECT_EQ(ErrorMessage([&] { group.FlagDrawingChanged(9); }),
              "Can not update FIDCL for DgId #9");
    EXPECT_EQ(ErrorMessage([&] { group.RemoveDrawing(9); }), "Can not delete FIDCL for DgId #9");
    EXPECT_EQ(Long(std::vector<uint8_t>(group.DefaultProperties.WriteToBuffer(false)), 2),
              0x00080008u);
}

TEST_F(DrawingTest, CopyingShapesWithTheirArea) {
    auto drawing = NewDrawing();
    TShapeClientAnchor* text = drawing->NewTextShape();
    text->Anchor.SetArea(2, 3, 4, 7);
    static_cast<TShapeOutsideMsoBaseText&>(*text->Object).Text = u"hello";
    drawing->NewLineShape()->Anchor.SetArea(6, 6, 8, 8);
    drawing->CopyShapesInArea({1, 1, 4, 4}, 10, 20);
    ASSERT_EQ(drawing->ShapeCount(), 3);
    TShape& copy = *drawing->Shapes(2);
    const TMSOObjCLIENTANCHOR& a = *copy.ClientAnchor();
    EXPECT_EQ((std::array<int32_t, 4>{a[a.Col1], a[a.Row1], a[a.Col2], a[a.Row2]}),
              (std::array<int32_t, 4>{11, 22, 13, 26}));
    EXPECT_EQ(static_cast<TShapeOutsideMsoBaseText&>(*copy.Object).Text, u"hello");
    EXPECT_NE(copy.ShapeId, text->ShapeId);
    EXPECT_NE(copy.ObjectType(), -1);
    EXPECT_NE(copy.CommonSubrecord()->WordAt(2), text->CommonSubrecord()->WordAt(2));
    EXPECT_NE(copy.Opt.TextId(), text->Opt.TextId());
    // Moving keeps the offset from the area's corner and the size; a note's cell moves too.
    TShapeClientAnchor* note = drawing->NewNoteShape();
    auto& part = static_cast<TShapeOutsideMsoNote&>(*note->Object);
    part.CellCol = 1;
    part.CellRow = 1;
    drawing->MoveShapesInArea({0, 0, 1, 1}, 5, 5);
    EXPECT_EQ(part.CellCol, 6);
    EXPECT_EQ(part.CellRow, 6);
    EXPECT_EQ(note->Anchor[TMSOObjCLIENTANCHOR::Col1], 6);
    EXPECT_EQ(note->Anchor[TMSOObjCLIENTANCHOR::Col2], 8);
    // Clearing cells leaves shapes; deleting listed ones removes them.
    drawing->DeleteShapesInArea({0, 0, 100, 100});
    EXPECT_EQ(drawing->ShapeCount(), 4);
    std::vector<TShape*> listed;
    drawing->CollectShapesInArea(listed, {10, 20, 11, 22});
    auto other = NewDrawing();
    other->InsertShapes(listed);
    drawing->DeleteShapes(listed);
    EXPECT_EQ(drawing->ShapeCount(), 3);
    EXPECT_EQ(other->ShapeCount(), 1);
}

} // namespace
