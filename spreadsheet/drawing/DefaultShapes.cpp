// The shapes a drawing makes for new text boxes, lines, notes, auto shapes, pictures, form
// controls and charts.

#include "spreadsheet/drawing/EscherDrawing.h"

#include "spreadsheet/drawing/ChartPart.h"
#include "spreadsheet/drawing/ChartTemplates.h"
#include "spreadsheet/drawing/ControlParts.h"
#include "spreadsheet/drawing/TextObject.h"
#include "spreadsheet/formats/XFont.h"

#include <initializer_list>
#include <utility>

namespace {

using TProps = std::initializer_list<std::pair<uint16_t, uint32_t>>;

void AddProperties(TShape& shape, TProps props) {
    for (const auto& [number, value] : props)
        shape.Opt.AddValue(number, value);
    shape.Opt.UpdateCount();
}

} // namespace

uint32_t TEscherDrawing::NewTextId() {
    return Group && Group->NewTextId ? Group->NewTextId() : 0;
}

TShapeClientAnchor* TEscherDrawing::AddDefaultShape(uint16_t type, int col1, int row1, int col2,
                                                    int row2) {
    EnsureRoot();
    auto shape = std::make_unique<TShapeClientAnchor>();
    shape->ShapeId = NewShapeId();
    shape->Flags = spfHaveAnchor | spfHaveShapeType;
    shape->ShapeType = type;
    shape->Anchor.SetArea(col1, row1, col2, row2);
    TShapeClientAnchor* raw = shape.get();
    Root->Children.push_back(std::move(shape));
    return raw;
}

void TEscherDrawing::AddCommonSubrecords(TShape& shape, uint16_t objectType, uint16_t options) {
    uint8_t common[18] = {};
    const int id = NewObjectId();
    common[0] = static_cast<uint8_t>(objectType);
    common[1] = static_cast<uint8_t>(objectType >> 8);
    common[2] = static_cast<uint8_t>(id);
    common[3] = static_cast<uint8_t>(id >> 8);
    common[4] = static_cast<uint8_t>(options);
    common[5] = static_cast<uint8_t>(options >> 8);
    shape.ObjRecords.AddRecord(0x0015 | 18 << 16, common);
    if (shape.Object)
        shape.Object->ObjectId = static_cast<uint16_t>(id);
}

TShapeClientAnchor* TEscherDrawing::NewTextShape() {
    TShapeClientAnchor* shape = AddDefaultShape(202, 1, 1, 3, 5);
    AddProperties(*shape, {{0x0080, NewTextId()},
                           {0x008B, 2},
                           {0x00BF, 0x00080008},
                           {0x0181, 0x08000041},
                           {0x01C0, 0x08000040}});
    auto text = std::make_unique<TShapeOutsideMsoBaseText>(okTextBox);
    text->SetDefaultFormat();
    shape->Object = std::move(text);
    AddCommonSubrecords(*shape, 6, 0x6011);
    shape->ObjRecords.AddRecord(0, nullptr);
    return shape;
}

TShapeClientAnchor* TEscherDrawing::NewLineShape() {
    TShapeClientAnchor* shape = AddDefaultShape(20, 1, 1, 3, 5);
    AddProperties(*shape, {{0x00BF, 0x00080008},
                           {0x0144, 4},
                           {0x017F, 0x00010000},
                           {0x01BF, 0x00100000},
                           {0x01C0, 0x08000040},
                           {0x01FF, 0x00100010}});
    AddCommonSubrecords(*shape, 1, 0x6011);
    shape->ObjRecords.AddRecord(0, nullptr);
    return shape;
}

TShapeClientAnchor* TEscherDrawing::NewNoteShape() {
    TShapeClientAnchor* shape = AddDefaultShape(202, 1, 1, 3, 5);
    AddProperties(*shape, {{0x0080, NewTextId()},
                           {0x008B, 2},
                           {0x00BF, 0x00080008},
                           {0x0158, 0},
                           {0x0181, 0x08000050},
                           {0x0183, 0x08000050},
                           {0x0185, 0x100000F4},
                           {0x01BF, 0x00100010},
                           {0x01C3, 0x100000F4},
                           {0x0201, 0},
                           {0x0203, 0x100000F4},
                           {0x023F, 0x00030003},
                           {0x03BF, 0x00020002}});
    auto note = std::make_unique<TShapeOutsideMsoNote>();
    note->SetDefaultFormat();
    // The note's text starts in the workbook's font of 8 points.
    if (Fonts) {
        TXFont font;
        font.SetSize20(160);
        note->Runs[0].Font = static_cast<uint16_t>(Fonts->FindOrAddFont(font)->Index);
    }
    shape->Object = std::move(note);
    AddCommonSubrecords(*shape, 25, 0x4011);
    shape->ObjRecords.AddRecord(0x000D | 22 << 16, nullptr);
    shape->ObjRecords.AddRecord(0, nullptr);
    return shape;
}

TShapeClientAnchor* TEscherDrawing::NewAutoShape() {
    TShapeClientAnchor* shape = AddDefaultShape(183, 1, 1, 2, 5);
    AddProperties(*shape, {{0x00BF, 0x00080008}, {0x0181, 0x08000041}, {0x01C0, 0x08000040}});
    AddCommonSubrecords(*shape, 30, 0x6011);
    shape->ObjRecords.AddRecord(0, nullptr);
    return shape;
}

TShapeClientAnchor* TEscherDrawing::NewPictureShape() {
    TShapeClientAnchor* shape = AddDefaultShape(75, 1, 1, 3, 7);
    shape->Opt.AddValue(0x0104, 0, true);
    shape->Opt.AddText(0x0105, u"[???]");
    shape->Opt.UpdateCount();
    AddCommonSubrecords(*shape, 8, 0x6011);
    const uint8_t clipboard[2] = {0xFF, 0xFF};
    shape->ObjRecords.AddRecord(0x0007 | 2 << 16, clipboard);
    shape->ObjRecords.AddRecord(0x0008 | 2 << 16, nullptr);
    shape->ObjRecords.AddRecord(0, nullptr);
    return shape;
}

namespace {

constexpr TProps kListProperties = {
    {0x007F, 0x01040104}, {0x00BF, 0x00080008}, {0x01C0, 0x08000040}, {0x01FF, 0x00100010}};
// The properties of check boxes and radio buttons after their protection and text id.
constexpr TProps kTickProperties = {
    {0x0085, 1},          {0x008B, 2},          {0x00BF, 0x001A0008}, {0x017F, 0x00290029},
    {0x0181, 0x08000041}, {0x01BF, 0x00100000}, {0x01C0, 0x08000040}, {0x01FF, 0x00080000}};

} // namespace

// A control shape whose object part owns its data, with the object id the shape allocates.
template <class Part>
static TShapeClientAnchor* AddControl(TEscherDrawing& d, TShapeClientAnchor* shape,
                                      std::unique_ptr<Part> part) {
    part->ObjectId = static_cast<uint16_t>(d.NewObjectId());
    part->OwnsObjectData = true;
    shape->Object = std::move(part);
    return shape;
}

TShapeClientAnchor* TEscherDrawing::NewListBoxShape() {
    TShapeClientAnchor* shape = AddDefaultShape(201, 3, 1, 5, 5);
    AddProperties(*shape, kListProperties);
    return AddControl(*this, shape, std::make_unique<TShapeControlListBox>(false));
}

TShapeClientAnchor* TEscherDrawing::NewComboBoxShape() {
    TShapeClientAnchor* shape = AddDefaultShape(201, 3, 1, 5, 2);
    AddProperties(*shape, kListProperties);
    return AddControl(*this, shape, std::make_unique<TShapeControlComboBox>());
}

TShapeClientAnchor* TEscherDrawing::NewAutoFilterComboShape() {
    TShapeClientAnchor* shape = NewComboBoxShape();
    static_cast<TShapeControlListBox&>(*shape->Object).SetAutoFilter(true);
    return shape;
}

// A button, check box or radio button with its caption.
template <class Part>
static TShapeClientAnchor* AddCaptioned(TEscherDrawing& d, TShapeClientAnchor* shape,
                                        const char16_t* caption, uint16_t options) {
    auto part = std::make_unique<Part>();
    part->SetDefaultFormat();
    part->Text = caption;
    part->Names = d.Names;
    part->ObjectOptions = options;
    return AddControl(d, shape, std::move(part));
}

TShapeClientAnchor* TEscherDrawing::NewButtonShape() {
    TShapeClientAnchor* shape = AddDefaultShape(201, 3, 1, 4, 2);
    AddProperties(*shape, {{0x007F, 0x01040104},
                           {0x0080, NewTextId()},
                           {0x0085, 1},
                           {0x008B, 2},
                           {0x00BF, 0x001A0008},
                           {0x0181, 0x08000043},
                           {0x0183, 0x08000043},
                           {0x01BF, 0x00110011},
                           {0x01C0, 0x08000040},
                           {0x03BF, 0x00080008}});
    return AddCaptioned<TShapeControlButton>(*this, shape, u"Button", 0x4001);
}

TShapeClientAnchor* TEscherDrawing::NewRadioButtonShape() {
    TShapeClientAnchor* shape = AddDefaultShape(201, 3, 1, 4, 2);
    AddProperties(*shape, {{0x007F, 0x01000100}, {0x0080, NewTextId()}});
    AddProperties(*shape, kTickProperties);
    auto* radio = AddCaptioned<TShapeControlRadioButton>(*this, shape, u"RadioButton", 0x0011);
    static_cast<TShapeControlRadioButton&>(*radio->Object).CbLink.assign(12, 0);
    return radio;
}

TShapeClientAnchor* TEscherDrawing::NewCheckBoxShape() {
    TShapeClientAnchor* shape = AddDefaultShape(201, 3, 1, 4, 2);
    AddProperties(*shape, {{0x007F, 0x01000100}, {0x0080, NewTextId()}});
    AddProperties(*shape, kTickProperties);
    auto* check = AddCaptioned<TShapeControlCheckBox>(*this, shape, u"CheckBox", 0x0011);
    static_cast<TShapeControlCheckBox&>(*check->Object).CbLink.assign(12, 0);
    return check;
}

TShapeClientAnchor* TEscherDrawing::NewChartShape() {
    TShapeClientAnchor* shape = AddDefaultShape(201, 2, 1, 8, 16);
    AddProperties(*shape, {{0x007F, 0x01040104},
                           {0x00BF, 0x00080008},
                           {0x0181, 0x0800004E},
                           {0x0183, 0x0800004D},
                           {0x01BF, 0x00100010},
                           {0x01C0, 0x0800004D},
                           {0x01FF, 0x00100010},
                           {0x023F, 0x00020000}});
    // A new chart is the default chart, so that what is written is a whole chart.
    auto chart = std::make_unique<TShapeOutsideMsoChart>(Group, Fonts);
    InsertTemplate(*chart->Root, ctDefaultChart, Fonts);
    shape->Object = std::move(chart);
    AddCommonSubrecords(*shape, 5, 0x6011);
    shape->ObjRecords.AddRecord(0, nullptr);
    return shape;
}

void TEscherDrawing::SetShapeType(TShape& shape, uint16_t type) {
    shape.ShapeType = type;
    if (type == 1)
        shape.SetObjectType(2);
    else if (type == 3)
        shape.SetObjectType(3);
    else if (type == 13 || type == 20)
        shape.SetObjectType(1);
}
