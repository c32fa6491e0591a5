#include "spreadsheet/charts/RecordObjects.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/drawing/ChartRecords.h"
#include "spreadsheet/drawing/MsoRecords.h"

namespace xlschart {

TChartRecord* TRecordObject::FindChild(TChartRecord* record, uint16_t id) {
    if (!record)
        return nullptr;
    for (const auto& child : record->Children)
        if (child->Id == id)
            return child.get();
    return nullptr;
}

void TChartText::AttachRecords(TChartRecord* record) {
    TRecordObject::AttachRecords(record);
    const TChartRecord* fontx = FindChild(record, crFONTX);
    font_ = fontx ? fontx->Font() : nullptr;
}

namespace {

// Reads every property table of a gel frame's drawing records into `table`.
void ReadGelFrameTables(const std::vector<uint8_t>& body, TOPT& table) {
    table.Clear();
    for (size_t at = 0; at + 8 <= body.size();) {
        const uint16_t verInst = static_cast<uint16_t>(body[at] | body[at + 1] << 8);
        const uint16_t type = static_cast<uint16_t>(body[at + 2] | body[at + 3] << 8);
        const uint32_t length = body[at + 4] | body[at + 5] << 8 | body[at + 6] << 16 |
                                static_cast<uint32_t>(body[at + 7]) << 24;
        if (at == 0 && type != msoOpt)
            throw Exception("First MSO record in Gelframe is not OPT");
        at += 8;
        if (length > body.size() - at)
            throw Exception("Error when reading OPT items, Length <> 0");
        if (type == msoOpt) {
            TOPT part;
            part.ReadFromBuffer(static_cast<int>(length), body.data() + at, verInst >> 4);
            for (int i = 0; i < part.Count(); ++i)
                table.AddProperty(part.Items(i));
        }
        at += length;
    }
}

} // namespace

void TGelFrame::AttachRecords(TChartRecord* record) {
    TRecordObject::AttachRecords(record);
    if (!record)
        return;
    // A frame attached before is read back from what it would write.
    std::vector<uint8_t> body = record->Body;
    if (record->Regenerate) {
        TChartRecord copy(record->Id, body, nullptr);
        record->Regenerate(copy);
        body = std::move(copy.Body);
    }
    ReadGelFrameTables(body, *table_);
    record->Body.clear();
    record->Parts.clear();
    std::shared_ptr<TOPT> table = table_;
    record->Regenerate = [table](TChartRecord& r) { r.Body = table->WriteToBuffer(true); };
}

void TPaintFrame::AttachRecords(TChartRecord* record) {
    TRecordObject::AttachRecords(record);
    LineFormat.AttachRecords(FindChild(record, crLINEFORMAT));
    AreaFormat.AttachRecords(FindChild(record, crAREAFORMAT));
    GelFrame.reset();
    if (TChartRecord* gel = FindChild(record, crGELFRAME)) {
        GelFrame = std::make_unique<TGelFrame>();
        GelFrame->AttachRecords(gel);
    }
}

void TChartLegend::AttachRecords(TChartRecord* record) {
    TRecordObject::AttachRecords(record);
    PaintFrame.AttachRecords(FindChild(record, crFRAME));
}

void TChartAxis::AttachRecords(TChartRecord* record) {
    TRecordObject::AttachRecords(record);
    TickFormat.AttachRecords(FindChild(record, crTICK));
}

void TCategoryAxis::AttachRecords(TChartRecord* record) {
    TChartAxis::AttachRecords(record);
    Scaling.AttachRecords(FindChild(record, crCATSERRANGE));
}

void TValueAxis::AttachRecords(TChartRecord* record) {
    TChartAxis::AttachRecords(record);
    Scaling.AttachRecords(FindChild(record, crVALUERANGE));
}

} // namespace xlschart
