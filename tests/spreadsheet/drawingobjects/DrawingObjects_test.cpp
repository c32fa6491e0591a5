#include "spreadsheet/drawingobjects/ControlObjects.h"
#include "spreadsheet/drawingobjects/DrawingObjects.h"

#include "platform/rtl/Streams.h"
#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/drawing/ControlParts.h"
#include "spreadsheet/drawing/EscherDrawing.h"
#include "spreadsheet/drawing/TextObject.h"
#include "spreadsheet/formulas/FormulaHandler.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Objects : ::testing::Test {
    Objects() {
        InitializeRecordFormatUnit();
        InitializeUtilitiesUnit();
        group.NewTextId = [] { return 5u; };
    }
    TXFonts fonts;
    TSST2 sst{fonts};
    TFormulaHandler handler{sst, TFormatSettings::Invariant()};
    TEscherGroup group;
    TEscherDrawing drawing{&group, &handler.InternalNames(), &fonts};
    TDrawingObjects objects{nullptr, &drawing, &handler, &fonts};
    TControlObjects controls{nullptr, &drawing, &handler};

    std::vector<std::pair<uint16_t, int>> Records() {
        TMemoryStream memory;
        TBIFFStream stream(&memory);
        drawing.SaveToStream(stream);
        std::vector<uint8_t> b(static_cast<size_t>(memory.Size()));
        memory.SetPosition(0);
        memory.ReadBuffer(b.data(), static_cast<int64_t>(b.size()));
        std::vector<std::pair<uint16_t, int>> list;
        for (size_t at = 0; at + 4 <= b.size();) {
            const int length = b[at + 2] | b[at + 3] << 8;
            list.emplace_back(static_cast<uint16_t>(b[at] | b[at + 1] << 8), length);
            at += 4 + static_cast<size_t>(length);
        }
        return list;
    }
};

TEST_F(Objects, Anchors) {
    TDrwText& text = *objects.Texts().Add();
    EXPECT_EQ(text.Name, "Text " + std::to_string(text.ID()));
    EXPECT_EQ(text.SpId(), drawing.Shapes(0)->ShapeId);
    text.SetCol1Offset(0.5);
    text.SetRow2Offset(1.7);
    text.SetRow1Offset(-0.2);
    text.SetCol2Offset(std::nan(""));
    const TMSOObjCLIENTANCHOR& a = text.Shape()->Anchor;
    EXPECT_EQ(a[TMSOObjCLIENTANCHOR::Col1Offset], 512);
    EXPECT_EQ(a[TMSOObjCLIENTANCHOR::Row2Offset], 256);
    EXPECT_EQ(a[TMSOObjCLIENTANCHOR::Row1Offset], 0);
    EXPECT_EQ(a[TMSOObjCLIENTANCHOR::Col2Offset], 0);
    // Halves go to the even neighbour: 0.0625 x 1024 = 64 exactly; 1/2048 x 1024 = 0.5 -> 0.
    text.SetCol1Offset(1.0 / 2048);
    EXPECT_EQ(a[TMSOObjCLIENTANCHOR::Col1Offset], 0);
    text.SetCol1(7);
    EXPECT_EQ(a[TMSOObjCLIENTANCHOR::Col1], 7);
    text.SetFlipHorizontal(true);
    text.SetFlipHorizontal(false);
    EXPECT_EQ(text.Shape()->Flags & 0x40, 0u);
    text.SetFlipVertical(true);
    EXPECT_EQ(text.Shape()->Flags & 0x80, 0x80u);
}

TEST_F(Objects, TextsAndMargins) {
    TDrwText& text = *objects.Texts().Add();
    text.SetText(std::u16string(40000, u'x'));
    EXPECT_EQ(text.Text().size(), 32767u);
    int textRecords = 0, longest = 0;
    for (auto [id, length] : Records())
        if (id == 0x003C && length != 16) {
            ++textRecords;
            longest = std::max(longest, length);
        }
    EXPECT_EQ(textRecords, 8);
    EXPECT_EQ(longest, 8223);
    EXPECT_DOUBLE_EQ(text.Margin(0), -1.0 / 360000);
    text.SetMargin(0, 2.5);
    EXPECT_DOUBLE_EQ(text.Margin(0), -1.0 / 360000);
    text.Shape()->Opt.AddValue(0x0081, 0);
    text.SetMargin(0, 2.5);
    EXPECT_DOUBLE_EQ(text.Margin(0), 2.5);
}

TEST_F(Objects, BasicAndAutoShapes) {
    TDrwBasic& basic = *objects.Basics().Add();
    for (TBasicShapeType t : {bstArrow, bstLine, bstEllipse, bstRectangle}) {
        basic.SetShapeType(t);
        EXPECT_EQ(basic.ShapeType(), t);
    }
    EXPECT_EQ(basic.Shape()->ShapeType, 1);
    EXPECT_EQ(basic.Shape()->ObjectType(), 2);
    basic.SetShapeType(bstEllipse);
    EXPECT_EQ(basic.Shape()->ObjectType(), 3);
    TDrwAutoShape& autoShape = *objects.AutoShapes().Add();
    autoShape.SetShapeType(astQuadArrowCallout);
    EXPECT_EQ(autoShape.Shape()->ShapeType, 83);
    EXPECT_EQ(autoShape.ShapeType(), astQuadArrowCallout);
    autoShape.Shape()->ShapeType = 5;
    EXPECT_EQ(autoShape.ShapeType(), astSun);
    EXPECT_EQ(autoShape.LineColor(), 0x08000040);
    autoShape.SetLineColor(0x123);
    EXPECT_EQ(autoShape.LineColor(), 0x123);
    autoShape.Shape()->Opt.Clear();
    autoShape.SetFillColor(7);
    EXPECT_EQ(autoShape.FillColor(), -1);
}

TEST_F(Objects, NotesAndMacros) {
    TDrwNote& note = *objects.Notes().Add();
    note.SetCellCol(2);
    note.SetAlwaysVisible(true);
    EXPECT_TRUE(note.AlwaysVisible());
    EXPECT_EQ(ErrorMessage([&] { note.AssignMacro(u"Run"); }),
              "Notes can not have macros assigned");
    // A note without an author writes an 11-byte NOTE record.
    const auto records = Records();
    EXPECT_EQ(records.back(), (std::pair<uint16_t, int>{0x001C, 11}));
    TDrwText& text = *objects.Texts().Add();
    text.AssignMacro(u"Run");
    const TBaseRecordStorage& subrecords = text.Shape()->ObjRecords;
    ASSERT_EQ(subrecords.Count(), 3);
    EXPECT_EQ(subrecords.Items(1)->Id(), ftMacro);
    EXPECT_EQ(subrecords.Items(1)->Length(), 14);
    EXPECT_EQ(subrecords.Items(2)->Id(), ftEnd);
    EXPECT_EQ(MacroNameOf(TBytes(subrecords.Items(1)->Body(), subrecords.Items(1)->Body() + 14),
                          &handler.InternalNames()),
              u"Run");
    EXPECT_EQ(text.Shape()->Opt.GetValue(0x01BF), 0x00010001);
    // A second macro replaces the first's formula.
    text.AssignMacro(u"Again");
    EXPECT_EQ(subrecords.Count(), 3);
}

TEST_F(Objects, Pictures) {
    TDrwPicture& picture = *objects.Pictures().Add();
    EXPECT_EQ(picture.Shape()->Anchor[TMSOObjCLIENTANCHOR::Flags] & 2, 2);
    picture.SetPictureId(0);
    EXPECT_EQ(picture.PictureId(), 0);
    EXPECT_EQ(picture.PictureName(), u"[???]");
    TMSOPicture& stored = *group.Add();
    TMemoryStream bytes;
    bytes.WriteBuffer("GIF89a", 6);
    bytes.SetPosition(0);
    stored.LoadFromStream(bytes, "/pictures/logo.png", ptPNG);
    stored.StoreIndex = 1;
    EXPECT_EQ(ErrorMessage([&] { picture.SetPictureId(2); }), "Picture Id out of range.");
    picture.SetPictureName(u"/PICTURES/LOGO.PNG");
    EXPECT_EQ(picture.PictureId(), 1);
    EXPECT_EQ(picture.PictureName(), u"logo.png");
    EXPECT_EQ(ErrorMessage([&] { picture.SetPictureName(u"other.png"); }),
              "Can not find picture: other.png");
}

TEST_F(Objects, Controls) {
    TControlListBox& list = *controls.ListBoxes().Add();
    auto& part = static_cast<TShapeControlListBox&>(*list.Shape()->Object);
    part.Changed = false;
    list.SetDestCell(u"B2");
    EXPECT_FALSE(part.Changed);
    list.SetDestCell(u"C2");
    EXPECT_TRUE(part.Changed);
    EXPECT_EQ(list.DestCell(), u"$C$2");
    list.SetSourceArea(u"A1:A5");
    EXPECT_EQ(list.SourceArea(), u"$A$1:$A$5");
    TControlButton& button = *controls.Buttons().Add();
    EXPECT_EQ(button.Text(), u"Button");
    TInternalNames& names = handler.InternalNames();
    names.AddName()->SetName(u"First");
    button.SetMacroName(u"Click_Me");
    EXPECT_EQ(button.MacroName(), u"Click_Me");
    // Deleting a name in front of the macro's moves its index down with the name; a name
    // behind it changes nothing; deleting its own name removes the macro.
    names.AddName()->SetName(u"Last");
    names.DeleteName(2);
    controls.NameDeleted(2);
    EXPECT_EQ(button.MacroName(), u"Click_Me");
    names.DeleteName(0);
    controls.NameDeleted(0);
    EXPECT_EQ(button.MacroName(), u"Click_Me");
    names.DeleteName(0);
    controls.NameDeleted(0);
    EXPECT_EQ(button.MacroName(), u"");
    EXPECT_EQ(controls.CheckBoxes().Add()->Text(), u"CheckBox");
    EXPECT_EQ(controls.RadioButtons().Add()->Text(), u"RadioButton");
}

TEST_F(Objects, AutoFilterDropDowns) {
    TControlComboBoxes& combos = controls.ComboBoxes();
    TControlComboBox& plain = *combos.Add();
    EXPECT_EQ(plain.Name, "ComboBox " + std::to_string(plain.ID()));
    combos.AutoFilter = 1;
    TControlComboBox& dropDown = *combos.Add();
    EXPECT_EQ(dropDown.Name, "ComboBox Autofilter " + std::to_string(dropDown.ID()));
    EXPECT_EQ(ErrorMessage([&] { dropDown.DestCell(); }), "Unknown SBS formula.");
    const int shapes = drawing.ShapeCount();
    TAutoFilters filters(&combos, &handler.InternalNames(), [] { return 0; });
    filters.Add(std::make_unique<TAutoFilter>(TAutoFilter{0, dropDown.ID()}));
    filters.Clear();
    EXPECT_EQ(combos.Count(), 1);
    EXPECT_EQ(drawing.ShapeCount(), shapes - 1);
}

TEST_F(Objects, ItemsForShapesReadFromAFile) {
    TShapeClientAnchor* shape = drawing.NewTextShape();
    const int shapes = drawing.ShapeCount();
    auto* item = static_cast<TDrwText*>(objects.Texts().AddFileShape(shape));
    EXPECT_EQ(item->Shape(), shape);
    EXPECT_EQ(drawing.ShapeCount(), shapes);
    EXPECT_EQ(objects.Texts().FileAdd, 0);
}

} // namespace
