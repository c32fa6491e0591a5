#include "spreadsheet/drawingobjects/DrwAnchor.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/drawing/ControlParts.h"
#include "spreadsheet/drawing/EscherDrawing.h"
#include "spreadsheet/formulas/FormulaHandler.h"

#include <cmath>

TCollectionItem* TDrwCollection::AddFileShape(TShapeClientAnchor* shape) {
    struct TFlag {
        uint8_t& flag;
        ~TFlag() { flag = 0; }
    } flag{FileAdd};
    FileAdd = 1;
    TCollectionItem* item = Add();
    static_cast<TDrwAnchor*>(item)->SetShape(shape);
    return item;
}

void TDrwAnchor::MakeShape(TShapeClientAnchor* (*make)(TEscherDrawing&), const std::string& name) {
    TDrwCollection* owner = Owner();
    if (owner && !owner->FileAdd && owner->Drawing)
        SetShape(make(*owner->Drawing));
    Name = name + std::to_string(ID());
}

int32_t TDrwAnchor::Get(int field) const {
    return shape_ ? shape_->Anchor.Values[static_cast<size_t>(field)] : 0;
}

void TDrwAnchor::Set(int field, int32_t v) {
    if (shape_)
        shape_->Anchor.Values[static_cast<size_t>(field)] = v;
}

int32_t TDrwAnchor::Col1() const {
    return Get(TMSOObjCLIENTANCHOR::Col1);
}
void TDrwAnchor::SetCol1(int32_t v) {
    Set(TMSOObjCLIENTANCHOR::Col1, v);
}
int32_t TDrwAnchor::Row1() const {
    return Get(TMSOObjCLIENTANCHOR::Row1);
}
void TDrwAnchor::SetRow1(int32_t v) {
    Set(TMSOObjCLIENTANCHOR::Row1, v);
}
int32_t TDrwAnchor::Col2() const {
    return Get(TMSOObjCLIENTANCHOR::Col2);
}
void TDrwAnchor::SetCol2(int32_t v) {
    Set(TMSOObjCLIENTANCHOR::Col2, v);
}
int32_t TDrwAnchor::Row2() const {
    return Get(TMSOObjCLIENTANCHOR::Row2);
}
void TDrwAnchor::SetRow2(int32_t v) {
    Set(TMSOObjCLIENTANCHOR::Row2, v);
}

namespace {

int32_t OffsetValue(double v, int scale) {
    if (!(v >= 0)) // below 0 and not a number
        v = 0;
    if (v > 1)
        v = 1;
    return static_cast<int32_t>(std::nearbyint(v * scale));
}

} // namespace

double TDrwAnchor::Col1Offset() const {
    return Get(TMSOObjCLIENTANCHOR::Col1Offset) / 1024.0;
}
void TDrwAnchor::SetCol1Offset(double v) {
    Set(TMSOObjCLIENTANCHOR::Col1Offset, OffsetValue(v, 1024));
}
double TDrwAnchor::Row1Offset() const {
    return Get(TMSOObjCLIENTANCHOR::Row1Offset) / 256.0;
}
void TDrwAnchor::SetRow1Offset(double v) {
    Set(TMSOObjCLIENTANCHOR::Row1Offset, OffsetValue(v, 256));
}
double TDrwAnchor::Col2Offset() const {
    return Get(TMSOObjCLIENTANCHOR::Col2Offset) / 1024.0;
}
void TDrwAnchor::SetCol2Offset(double v) {
    Set(TMSOObjCLIENTANCHOR::Col2Offset, OffsetValue(v, 1024));
}
double TDrwAnchor::Row2Offset() const {
    return Get(TMSOObjCLIENTANCHOR::Row2Offset) / 256.0;
}
void TDrwAnchor::SetRow2Offset(double v) {
    Set(TMSOObjCLIENTANCHOR::Row2Offset, OffsetValue(v, 256));
}

bool TDrwAnchor::FlipHorizontal() const {
    return shape_ && (shape_->Flags & spfFlipH);
}
bool TDrwAnchor::FlipVertical() const {
    return shape_ && (shape_->Flags & spfFlipV);
}

void TDrwAnchor::SetFlipHorizontal(bool v) {
    if (shape_)
        shape_->Flags = v ? shape_->Flags | spfFlipH : shape_->Flags & ~spfFlipH;
}

void TDrwAnchor::SetFlipVertical(bool v) {
    if (shape_)
        shape_->Flags = v ? shape_->Flags | spfFlipV : shape_->Flags & ~spfFlipV;
}

uint32_t TDrwAnchor::SpId() const {
    return shape_ ? shape_->ShapeId : 0;
}

void TDrwAnchor::DeclareProperties(TPropertyList& p) {
    using T = TDrwAnchor;
    p.AddFn<T>(
        "Col1", [](T* t) { return t->Col1(); }, [](T* t, int32_t v) { t->SetCol1(v); });
    p.AddFn<T>(
        "Row1", [](T* t) { return t->Row1(); }, [](T* t, int32_t v) { t->SetRow1(v); });
    p.AddFn<T>(
        "Col2", [](T* t) { return t->Col2(); }, [](T* t, int32_t v) { t->SetCol2(v); });
    p.AddFn<T>(
        "Row2", [](T* t) { return t->Row2(); }, [](T* t, int32_t v) { t->SetRow2(v); });
    p.AddFn<T>(
        "Col1Offset", [](T* t) { return t->Col1Offset(); },
        [](T* t, double v) { t->SetCol1Offset(v); });
    p.AddFn<T>(
        "Row1Offset", [](T* t) { return t->Row1Offset(); },
        [](T* t, double v) { t->SetRow1Offset(v); });
    p.AddFn<T>(
        "Col2Offset", [](T* t) { return t->Col2Offset(); },
        [](T* t, double v) { t->SetCol2Offset(v); });
    p.AddFn<T>(
        "Row2Offset", [](T* t) { return t->Row2Offset(); },
        [](T* t, double v) { t->SetRow2Offset(v); });
    p.AddFn<T>(
        "FlipHorizontal", [](T* t) { return t->FlipHorizontal(); },
        [](T* t, bool v) { t->SetFlipHorizontal(v); });
    p.AddFn<T>(
        "FlipVertical", [](T* t) { return t->FlipVertical(); },
        [](T* t, bool v) { t->SetFlipVertical(v); });
    p.AddFn<T>("SpId", [](T* t) { return static_cast<int64_t>(t->SpId()); });
}

void TDrwCustom::AssignMacro(const std::u16string& name) {
    TShapeClientAnchor* shape = Shape();
    TDrwCollection* owner = Owner();
    if (!shape || !owner || !owner->Handler)
        return;
    if (shape->Object && shape->Object->IsNote())
        throw Exception("Notes can not have macros assigned");
    TInternalNames& names = owner->Handler->InternalNames();
    TInternalName* added = names.AddName();
    added->SetName(name);
    added->SetProcedure(true);
    owner->Handler->ExternalNames().GetInternalExtSheet(0xFFFE, 1);
    const TBytes macro = MacroFormula(names.Count());
    TBaseRecordStorage& subrecords = shape->ObjRecords;
    const int at = subrecords.IndexOfId(ftMacro);
    if (at >= 0) {
        subrecords.ReplaceBody(at, static_cast<uint16_t>(macro.size()), macro.data());
    } else {
        // The macro goes before a new end subrecord.
        std::vector<std::unique_ptr<TRawRecord>> kept;
        for (int i = 0; i + 1 < subrecords.Count(); ++i)
            kept.push_back(subrecords.Release(i));
        subrecords.Clear();
        for (auto& record : kept)
            if (record)
                subrecords.AddRecord(static_cast<uint32_t>(record->Id() | record->Length() << 16),
                                     record->Body());
        subrecords.AddRecord(static_cast<uint32_t>(ftMacro | macro.size() << 16), macro.data());
        subrecords.AddRecord(0, nullptr);
    }
    shape->Opt.AddValue(0x01BF, 0x00010001);
    shape->Opt.AddValue(0x03BF, 0x00080008);
}

void TDrwCustom::SetSizeWithCells(bool value) {
    if (TShapeClientAnchor* shape = Shape()) {
        int32_t& flags = shape->Anchor.Values[TMSOObjCLIENTANCHOR::Flags];
        flags = value ? flags & ~0x0002 : flags | 0x0002;
    }
}
