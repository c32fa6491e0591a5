#include "spreadsheet/workbook/WorkbookData.h"

#include "spreadsheet/records/RecordStorage.h"

namespace {

// Option bits of the workbook window, by option.
constexpr uint16_t kWindowBits[] = {0x01, 0x02, 0x08, 0x10, 0x20};

} // namespace

uint16_t TWorkbookData::Word(int index) const {
    return records_.WINDOW1().WordAt(index * 2);
}

void TWorkbookData::SetWord(int index, uint16_t value) {
    records_.WINDOW1().SetWordAt(index * 2, value);
}

TWorkbookOptions TWorkbookData::Options() const {
    const uint16_t word = Word(4);
    TWorkbookOptions options;
    for (int i = 0; i < 5; ++i)
        if (word & kWindowBits[i])
            options.Include(static_cast<TWorkbookOption>(i));
    return options;
}

void TWorkbookData::SetOptions(TWorkbookOptions value) {
    uint16_t word = 0;
    for (int i = 0; i < 5; ++i)
        if (value.Contains(static_cast<TWorkbookOption>(i)))
            word |= kWindowBits[i];
    SetWord(4, word);
}

bool TWorkbookData::Date1904() const {
    return records_.Word(rec1904) == 1;
}

void TWorkbookData::DeclareProperties(TPropertyList& p) {
    p.Add("Left", &TWorkbookData::Left, &TWorkbookData::SetLeft);
    p.Add("Top", &TWorkbookData::Top, &TWorkbookData::SetTop);
    p.Add("Width", &TWorkbookData::Width, &TWorkbookData::SetWidth);
    p.Add("Height", &TWorkbookData::Height, &TWorkbookData::SetHeight);
    p.Add("Options", &TWorkbookData::Options, &TWorkbookData::SetOptions);
    p.Add("SelectedTab", &TWorkbookData::SelectedTab, &TWorkbookData::SetSelectedTab);
    p.Add("Date1904", &TWorkbookData::Date1904);
}

void TOptionsDialog::SetCalcCount(int value) {
    if (value == 0)
        value = 1;
    else if (value >= 32768)
        value = 32767;
    calcCount_ = static_cast<uint16_t>(value);
}

bool TOptionsDialog::SaveExtLinkVal() const {
    return records_.Word(recBOOKBOOL) == 1;
}

void TOptionsDialog::SetSaveExtLinkVal(bool value) {
    records_.SetWord(recBOOKBOOL, static_cast<uint16_t>(value & 0x7F));
}

bool TOptionsDialog::PrecisionAsDisplayed() const {
    return records_.Word(recPRECISION) == 1;
}

void TOptionsDialog::SetPrecisionAsDisplayed(bool value) {
    records_.SetWord(recPRECISION, static_cast<uint16_t>(value & 0x7F));
}

TShowObjects TOptionsDialog::ShowObjects() const {
    return static_cast<TShowObjects>(records_.Word(recHIDEOBJ));
}

void TOptionsDialog::SetShowObjects(TShowObjects value) {
    records_.SetWord(recHIDEOBJ, static_cast<uint16_t>(value & 0x7F));
}

void TOptionsDialog::DeclareProperties(TPropertyList& p) {
    p.AddFn<TOptionsDialog>(
        "CalcCount", [](TOptionsDialog* o) { return o->CalcCount(); },
        [](TOptionsDialog* o, uint16_t v) { o->SetCalcCount(v); });
    p.Add("CalcMode", &TOptionsDialog::CalcMode);
    p.Add("Delta", &TOptionsDialog::Delta);
    p.Add("Iteration", &TOptionsDialog::Iteration);
    p.Add("R1C1Mode", &TOptionsDialog::R1C1Mode);
    p.Add("RecalcBeforeSave", &TOptionsDialog::RecalcBeforeSave);
    p.Add("Uncalced", &TOptionsDialog::Uncalced);
    p.Add("SaveRecalc", &TOptionsDialog::SaveRecalc);
    p.Add("SaveExtLinkVal", &TOptionsDialog::SaveExtLinkVal, &TOptionsDialog::SetSaveExtLinkVal);
    p.Add("PrecisionAsDisplayed", &TOptionsDialog::PrecisionAsDisplayed,
          &TOptionsDialog::SetPrecisionAsDisplayed);
    p.Add("ShowObjects", &TOptionsDialog::ShowObjects, &TOptionsDialog::SetShowObjects);
}
