#include "spreadsheet/drawing/ControlParts.h"

#include "spreadsheet/drawing/EscherDrawing.h"
#include "spreadsheet/formulas/ExternalNames.h"
#include "tests/spreadsheet/drawing/DrawingTestSupport.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

namespace {

struct Controls : ::testing::Test, TDrawingBook {
    // The OBJ record a shape writes.
    static TRecordInfo ObjRecord(const TEscherDrawing& drawing) {
        for (const TRecordInfo& r : SheetRecords(Written(drawing)))
            if (r.Id == recOBJ)
                return r;
        return {};
    }
    // The subrecord ids of an OBJ body, following the list data's rule.
    static std::vector<uint16_t> SubrecordIds(const std::vector<uint8_t>& b) {
        std::vector<uint16_t> ids;
        for (size_t at = 0; at + 4 <= b.size();) {
            const uint16_t id = static_cast<uint16_t>(b[at] | b[at + 1] << 8);
            ids.push_back(id);
            if (id == ftLbsData)
                break;
            at += 4 + static_cast<size_t>(b[at + 2] | b[at + 3] << 8);
        }
        return ids;
    }
};

TEST_F(Controls, NewListAndComboBoxes) {
    auto list = NewDrawing();
    list->NewListBoxShape();
    const TRecordInfo obj = ObjRecord(*list);
    EXPECT_EQ(obj.Length, 76);
    EXPECT_EQ(SubrecordIds(obj.Body), (std::vector<uint16_t>{ftCmo, ftSbs, ftSbsFmla, ftLbsData}));
    // The list data's length word is fixed.
    EXPECT_EQ(obj.Body[64] | obj.Body[65] << 8, 0x1FDE);
    auto combo = NewDrawing();
    combo->NewComboBoxShape();
    EXPECT_EQ(ObjRecord(*combo).Length, 86);
}

TEST_F(Controls, LinkedCellsAndSourceAreas) {
    auto drawing = NewDrawing();
    auto& box = static_cast<TShapeControlListBox&>(*drawing->NewListBoxShape()->Object);
    EXPECT_EQ(box.DestCell(), u"$B$2");
    box.Changed = false;
    box.SetDestCell(u"B2");
    EXPECT_FALSE(box.Changed);
    box.SetDestCell(u"$D$2");
    EXPECT_TRUE(box.Changed);
    EXPECT_EQ(box.DestCell(), u"$D$2");
    EXPECT_EQ(ErrorMessage([&] { box.SetDestCell(u"B"); }), "Invalid cell reference");
    EXPECT_EQ(ErrorMessage([&] { box.SourceArea(); }), "No source area assigned");
    box.SetSourceArea(u"Sheet1!A1:A10");
    EXPECT_EQ(box.SourceArea(), u"$A$1:$A$10");
    EXPECT_EQ(ErrorMessage([&] { box.SetSourceArea(u"A1"); }), "Invalid area reference");
    EXPECT_EQ(box.SourceArea(), u"$A$1:$A$10");
    // With a range: 10 + 9 + 7 bytes of list data.
    EXPECT_EQ(box.List->Size(false), 26);
    auto& filter = static_cast<TShapeControlListBox&>(*drawing->NewAutoFilterComboShape()->Object);
    EXPECT_EQ(ErrorMessage([&] { filter.DestCell(); }), "Unknown SBS formula.");
    EXPECT_EQ(filter.ObjectOptions, 0x2101);
    EXPECT_EQ(ErrorMessage([&] { filter.SetAutoFilter(false); }),
              "An autofilter combo box can not be changed to a normal.");
}

TEST_F(Controls, MacroNames) {
    TExternalNames externals;
    auto drawing = NewDrawing();
    auto& button = static_cast<TShapeControlButton&>(*drawing->NewButtonShape()->Object);
    names.AddName()->SetName(u"First");
    button.Macro = AddMacroName(u"Run_It", names, &externals);
    EXPECT_EQ(MacroNameOf(button.Macro, &names), u"Run_It");
    EXPECT_EQ(externals.ExtSheets.size(), 1u);
    // A button with a macro: OBJ of 14 + 30 bytes.
    EXPECT_EQ(ObjRecord(*drawing).Length, 44);
    // Deleting a name after it leaves the macro; one before it moves it down; its own clears it.
    names.AddName()->SetName(u"Last");
    TBytes macro = button.Macro;
    NameDeletedFromMacro(macro, 2);
    EXPECT_EQ(macro, button.Macro);
    NameDeletedFromMacro(macro, 0);
    EXPECT_EQ(macro[9], 1);
    NameDeletedFromMacro(macro, 0);
    EXPECT_TRUE(macro.empty());
}

TEST_F(Controls, AListBoxReadBackWritesItsSubrecordsAsRead) {
    auto drawing = NewDrawing();
    auto& box = static_cast<TShapeControlListBox&>(*drawing->NewListBoxShape()->Object);
    box.SetSourceArea(u"A1:A3");
    box.Macro = MacroFormula(1);
    const std::vector<uint8_t> bytes = Written(*drawing);
    auto back = NewDrawing();
    ReadInto(*back, bytes);
    auto& read = static_cast<TShapeControlListBox&>(*back->Shapes(0)->Object);
    EXPECT_FALSE(read.Changed);
    EXPECT_EQ(read.SourceArea(), u"$A$1:$A$3");
    EXPECT_EQ(SubrecordIds(ObjRecord(*back).Body),
              (std::vector<uint16_t>{ftCmo, ftSbs, ftMacro, ftSbsFmla, ftLbsData}));
    EXPECT_EQ(Written(*back), bytes);
    // Copying a control is refused.
    EXPECT_EQ(ErrorMessage([&] { back->CopyShape(0, 9, 9); }),
              "TShapeControlListBox: Assign not implemented");
}

} // namespace
