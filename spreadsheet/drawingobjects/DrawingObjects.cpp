#include "spreadsheet/drawingobjects/DrawingObjects.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Files.h"
#include "spreadsheet/drawing/EscherDrawing.h"
#include "spreadsheet/drawing/TextObject.h"

#include <cmath>

TShapeOutsideMsoBaseText* TCustomDrwText::TextPart() const {
    TShapeClientAnchor* shape = Shape();
    return shape && shape->Object && shape->Object->IsText()
               ? static_cast<TShapeOutsideMsoBaseText*>(shape->Object.get())
               : nullptr;
}

std::u16string TCustomDrwText::Text() const {
    const TShapeOutsideMsoBaseText* part = TextPart();
    return part ? part->Text : std::u16string();
}

void TCustomDrwText::SetText(const std::u16string& value) {
    if (TShapeOutsideMsoBaseText* part = TextPart())
        part->Text = value.substr(0, 32767);
}

double TCustomDrwText::Margin(int side) const {
    const int64_t v = Shape() ? Shape()->Opt.GetValue(static_cast<uint16_t>(0x0081 + side)) : -1;
    return static_cast<double>(v) / 360000.0;
}

void TCustomDrwText::SetMargin(int side, double cm) {
    if (Shape())
        Shape()->Opt.SetValue(static_cast<uint16_t>(0x0081 + side),
                              static_cast<uint32_t>(std::nearbyint(cm * 360000.0)));
}

void TCustomDrwText::DeclareProperties(TPropertyList& p) {
    using T = TCustomDrwText;
    p.Add("Name", &T::Name);
    p.AddFn<T>(
        "Text", [](T* t) { return t->Text(); }, [](T* t, std::u16string v) { t->SetText(v); });
    static const char* const kMargins[] = {"MarginLeft", "MarginTop", "MarginRight",
                                           "MarginBottom"};
    for (int side = 0; side < 4; ++side)
        p.AddFn<T>(
            kMargins[side], [side](T* t) { return t->Margin(side); },
            [side](T* t, double v) { t->SetMargin(side, v); });
}

TDrwText::TDrwText(TCollection* collection) : TCustomDrwText(collection) {
    MakeShape([](TEscherDrawing& d) { return d.NewTextShape(); }, "Text ");
}

TDrwNote::TDrwNote(TCollection* collection) : TCustomDrwText(collection) {
    MakeShape([](TEscherDrawing& d) { return d.NewNoteShape(); }, "Note ");
}

TShapeOutsideMsoNote* TDrwNote::Note() const {
    TShapeClientAnchor* shape = Shape();
    return shape && shape->Object && shape->Object->IsNote()
               ? static_cast<TShapeOutsideMsoNote*>(shape->Object.get())
               : nullptr;
}

int32_t TDrwNote::CellCol() const {
    return Note() ? Note()->CellCol : 0;
}
int32_t TDrwNote::CellRow() const {
    return Note() ? Note()->CellRow : 0;
}
std::u16string TDrwNote::Author() const {
    return Note() ? Note()->Author : std::u16string();
}
bool TDrwNote::AlwaysVisible() const {
    return Note() && (Note()->Options & 0x0002);
}

void TDrwNote::SetCellCol(int32_t v) {
    if (Note())
        Note()->CellCol = v;
}

void TDrwNote::SetCellRow(int32_t v) {
    if (Note())
        Note()->CellRow = v;
}

void TDrwNote::SetAuthor(const std::u16string& v) {
    if (Note())
        Note()->Author = v;
}

void TDrwNote::SetAlwaysVisible(bool v) {
    if (Note())
        Note()->Options = v ? Note()->Options | 0x0002 : Note()->Options & ~0x0002;
}

void TDrwNote::DeclareProperties(TPropertyList& p) {
    using T = TDrwNote;
    p.AddFn<T>(
        "CellCol", [](T* t) { return t->CellCol(); }, [](T* t, int32_t v) { t->SetCellCol(v); });
    p.AddFn<T>(
        "CellRow", [](T* t) { return t->CellRow(); }, [](T* t, int32_t v) { t->SetCellRow(v); });
    p.AddFn<T>(
        "Author", [](T* t) { return t->Author(); },
        [](T* t, std::u16string v) { t->SetAuthor(v); });
    p.AddFn<T>(
        "AlwaysVisible", [](T* t) { return t->AlwaysVisible(); },
        [](T* t, bool v) { t->SetAlwaysVisible(v); });
}

TDrwBasic::TDrwBasic(TCollection* collection) : TDrwCustom(collection) {
    MakeShape([](TEscherDrawing& d) { return d.NewLineShape(); }, "Basic ");
}

TBasicShapeType TDrwBasic::ShapeType() const {
    const TShapeClientAnchor* shape = Shape();
    if (!shape)
        return bstLine;
    if (shape->ShapeType == 1)
        return bstRectangle;
    if (shape->ShapeType == 3)
        return bstEllipse;
    return shape->ShapeType == 20 && shape->Opt.GetValue(0x01D1) == 1 ? bstArrow : bstLine;
}

void TDrwBasic::SetShapeType(TBasicShapeType value) {
    TShapeClientAnchor* shape = Shape();
    if (!shape)
        return;
    const uint16_t type = value == bstEllipse ? 3 : value == bstRectangle ? 1 : 20;
    TEscherDrawing::SetShapeType(*shape, type);
    TOPT& opt = shape->Opt;
    opt.Clear();
    if (type != 20) {
        opt.AddValue(0x00BF, 0x00080008);
        opt.AddValue(0x0181, 0x0800000D);
        opt.AddValue(0x01BF, 0x00100010);
        opt.AddValue(0x01C0, 0x08000040);
    } else {
        opt.AddValue(0x00BF, 0x00080008);
        opt.AddValue(0x0144, 4);
        opt.AddValue(0x017F, 0x00010000);
        opt.AddValue(0x01BF, 0x00100000);
        opt.AddValue(0x01C0, 0x08000040);
        opt.AddValue(0x01D1, value == bstArrow ? 1 : 0);
        opt.AddValue(0x01FF, 0x00100010);
    }
    opt.UpdateCount();
}

void TDrwBasic::DeclareProperties(TPropertyList& p) {
    p.AddFn<TDrwBasic>(
        "ShapeType", [](TDrwBasic* t) { return int(t->ShapeType()); },
        [](TDrwBasic* t, int v) { t->SetShapeType(static_cast<TBasicShapeType>(v)); });
}

namespace {

constexpr uint16_t kAutoShapeTypes[] = {183, 184, 66, 67, 68, 69, 70, 76,
                                        77,  78,  79, 80, 81, 82, 83};

} // namespace

TDrwAutoShape::TDrwAutoShape(TCollection* collection) : TDrwCustom(collection) {
    MakeShape([](TEscherDrawing& d) { return d.NewAutoShape(); }, "AutoShape ");
}

TAutoShapeType TDrwAutoShape::ShapeType() const {
    for (size_t i = 0; i < std::size(kAutoShapeTypes); ++i)
        if (Shape() && Shape()->ShapeType == kAutoShapeTypes[i])
            return static_cast<TAutoShapeType>(i);
    return astSun;
}

void TDrwAutoShape::SetShapeType(TAutoShapeType value) {
    const size_t i = value & 0x7F;
    if (Shape() && i < std::size(kAutoShapeTypes))
        Shape()->ShapeType = kAutoShapeTypes[i];
}

int64_t TDrwAutoShape::LineColor() const {
    return Shape() ? Shape()->Opt.GetValue(0x01C0) : -1;
}
int64_t TDrwAutoShape::FillColor() const {
    return Shape() ? Shape()->Opt.GetValue(0x0181) : -1;
}

void TDrwAutoShape::SetLineColor(uint32_t value) {
    if (Shape())
        Shape()->Opt.SetValue(0x01C0, value);
}

void TDrwAutoShape::SetFillColor(uint32_t value) {
    if (Shape())
        Shape()->Opt.SetValue(0x0181, value);
}

void TDrwAutoShape::DeclareProperties(TPropertyList& p) {
    using T = TDrwAutoShape;
    p.AddFn<T>(
        "ShapeType", [](T* t) { return int(t->ShapeType()); },
        [](T* t, int v) { t->SetShapeType(static_cast<TAutoShapeType>(v)); });
    p.AddFn<T>(
        "LineColor", [](T* t) { return t->LineColor(); },
        [](T* t, int64_t v) { t->SetLineColor(static_cast<uint32_t>(v)); });
    p.AddFn<T>(
        "FillColor", [](T* t) { return t->FillColor(); },
        [](T* t, int64_t v) { t->SetFillColor(static_cast<uint32_t>(v)); });
}

TDrwPicture::TDrwPicture(TCollection* collection) : TDrwCustom(collection) {
    MakeShape([](TEscherDrawing& d) { return d.NewPictureShape(); }, "Picture ");
    if (!Owner() || !Owner()->FileAdd)
        SetSizeWithCells(false);
}

int32_t TDrwPicture::PictureId() const {
    return Shape() ? static_cast<int32_t>(Shape()->Opt.GetValue(0x0104)) : 0;
}

void TDrwPicture::SetPictureId(int32_t value) {
    TShapeClientAnchor* shape = Shape();
    TEscherGroup* store = Owner() && Owner()->Drawing ? Owner()->Drawing->Group : nullptr;
    if (!shape)
        return;
    if (store && store->Count() > 0) {
        if (value < 0 || value > store->Count())
            throw Exception("Picture Id out of range.");
        shape->Opt.SetText(
            0x0105, value > 0 ? Utf8ToUtf16(ExtractFileName(store->Items(value - 1)->Filename()))
                              : std::u16string());
    }
    shape->Opt.SetValue(0x0104, static_cast<uint32_t>(value));
}

std::u16string TDrwPicture::PictureName() const {
    return Shape() ? Shape()->Opt.GetText(0x0105) : std::u16string();
}

void TDrwPicture::SetPictureName(const std::u16string& value) {
    TEscherGroup* store = Owner() && Owner()->Drawing ? Owner()->Drawing->Group : nullptr;
    for (int i = 0; store && i < store->Count(); ++i)
        if (AnsiSameText(store->Items(i)->Filename(), Utf16ToUtf8(value))) {
            SetPictureId(store->Items(i)->StoreIndex);
            return;
        }
    throw Exception("Can not find picture: " + Utf16ToUtf8(value));
}

void TDrwPicture::DeclareProperties(TPropertyList& p) {
    using T = TDrwPicture;
    p.AddFn<T>(
        "PictureId", [](T* t) { return t->PictureId(); },
        [](T* t, int32_t v) { t->SetPictureId(v); });
    p.AddFn<T>(
        "PictureName", [](T* t) { return t->PictureName(); },
        [](T* t, std::u16string v) { t->SetPictureName(v); });
}

TDrawingObjects::TDrawingObjects(TPersistent* sheet, TEscherDrawing* drawing,
                                 TFormulaHandler* handler, TXFonts* fonts)
    : sheet_(sheet), texts_(std::make_unique<TDrwItems<TDrwText>>(this, drawing, handler, fonts)),
      notes_(std::make_unique<TDrwItems<TDrwNote>>(this, drawing, handler, fonts)),
      basics_(std::make_unique<TDrwItems<TDrwBasic>>(this, drawing, handler, nullptr)),
      autoShapes_(std::make_unique<TDrwItems<TDrwAutoShape>>(this, drawing, handler, nullptr)),
      pictures_(std::make_unique<TDrwItems<TDrwPicture>>(this, drawing, handler, nullptr)) {}

TDrawingObjects::~TDrawingObjects() = default;

void TDrawingObjects::DeclareProperties(TPropertyList& p) {
    using T = TDrawingObjects;
    p.AddFn<T>("Texts", [](T* t) { return static_cast<TCollection*>(&t->Texts()); });
    p.AddFn<T>("Notes", [](T* t) { return static_cast<TCollection*>(&t->Notes()); });
    p.AddFn<T>("Basics", [](T* t) { return static_cast<TCollection*>(&t->Basics()); });
    p.AddFn<T>("AutoShapes", [](T* t) { return static_cast<TCollection*>(&t->AutoShapes()); });
    p.AddFn<T>("Pictures", [](T* t) { return static_cast<TCollection*>(&t->Pictures()); });
}
