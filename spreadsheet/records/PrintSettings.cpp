#include "spreadsheet/records/PrintSettings.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/records/RecordStorage.h"

namespace {

// Offsets in the page-setup body.
constexpr int kPaperSize = 0;
constexpr int kScale = 2;
constexpr int kStartPage = 4;
constexpr int kFitWidth = 6;
constexpr int kFitHeight = 8;
constexpr int kOptions = 10;
constexpr int kResolution = 12;
constexpr int kHeaderMargin = 16;
constexpr int kFooterMargin = 24;
constexpr int kCopies = 32;

constexpr uint16_t kStartPageBit = 0x80;

// Option-word bits of the first five options, in their order.
constexpr uint16_t kOptionBits[] = {0x01, 0x02, 0x08, 0x10, 0x20};

// The records that hold the last four options, in their order.
constexpr uint16_t kOptionRecords[] = {recPRINTHEADERS, recPRINTGRIDLINES, recHCENTER, recVCENTER};

uint16_t FitValue(int value) {
    return value < 0 || value > 65535 ? 0 : static_cast<uint16_t>(value);
}

} // namespace

THorizPagebreak::THorizPagebreak(TCollection* collection)
    : TCollectionItem(collection), Col2(MaxCol) {}

void THorizPagebreak::Assign(TPersistent* source) {
    auto* other = dynamic_cast<THorizPagebreak*>(source);
    if (!other)
        throw Exception("Object is not THorizPagebreak");
    Row = other->Row;
    Col1 = other->Col1;
    Col2 = other->Col2;
}

TVertPagebreak::TVertPagebreak(TCollection* collection)
    : TCollectionItem(collection), Row2(MaxRow) {}

void TVertPagebreak::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TVertPagebreak*>(source);
    if (!other)
        throw Exception("Object is not TVertPagebreak");
    Col = other->Col;
    Row1 = other->Row1;
    Row2 = other->Row2;
}

TPrintSettings::TPrintSettings(TRecordStorageSheet& records, TPersistent* owner)
    : records_(records), owner_(owner), horiz_(std::make_unique<THorizPagebreaks>(this)),
      vert_(std::make_unique<TVertPagebreaks>(this)) {
    SetDefaults();
}

TPrintSettings::~TPrintSettings() = default;

void TPrintSettings::SetDefaults() {
    SetStartingPage(1);
    SetOptions({psoPortrait});
    MarginLeft = 0.75;
    MarginRight = 0.75;
    MarginTop = 1.0;
    MarginBottom = 1.0;
    horiz_->Clear();
    vert_->Clear();
}

void TPrintSettings::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TPrintSettings*>(source);
    if (!other)
        throw Exception("Object is not TPrintSettings");
    Header = other->Header;
    Footer = other->Footer;
    MarginLeft = other->MarginLeft;
    MarginRight = other->MarginRight;
    MarginTop = other->MarginTop;
    MarginBottom = other->MarginBottom;
    horiz_->Assign(other->horiz_.get());
    vert_->Assign(other->vert_.get());
}

TPaperSize TPrintSettings::PaperSize() const {
    return static_cast<TPaperSize>(records_.SETUP().ByteAt(kPaperSize));
}

void TPrintSettings::SetPaperSize(TPaperSize value) {
    records_.SETUP().SetByteAt(kPaperSize, value);
}

int TPrintSettings::ScalingFactor() const {
    return records_.SETUP().WordAt(kScale);
}

void TPrintSettings::SetScalingFactor(int value) {
    records_.SETUP().SetWordAt(kScale, static_cast<uint16_t>(value));
}

int TPrintSettings::StartingPage() const {
    return records_.SETUP().WordAt(kStartPage);
}

void TPrintSettings::SetStartingPage(int value) {
    TRawRecord& setup = records_.SETUP();
    setup.SetWordAt(kStartPage, static_cast<uint16_t>(value));
    uint16_t options = setup.WordAt(kOptions);
    if (value == 1)
        options &= static_cast<uint16_t>(~kStartPageBit);
    else
        options |= kStartPageBit;
    setup.SetWordAt(kOptions, options);
}

int TPrintSettings::FitWidth() const {
    return records_.SETUP().WordAt(kFitWidth);
}

void TPrintSettings::SetFitWidth(int value) {
    records_.SETUP().SetWordAt(kFitWidth, FitValue(value));
}

int TPrintSettings::FitHeight() const {
    return records_.SETUP().WordAt(kFitHeight);
}

void TPrintSettings::SetFitHeight(int value) {
    records_.SETUP().SetWordAt(kFitHeight, FitValue(value));
}

int TPrintSettings::Resolution() const {
    return records_.SETUP().WordAt(kResolution);
}

void TPrintSettings::SetResolution(int value) {
    records_.SETUP().SetWordAt(kResolution, static_cast<uint16_t>(value));
}

double TPrintSettings::HeaderMargin() const {
    return records_.SETUP().DoubleAt(kHeaderMargin);
}

void TPrintSettings::SetHeaderMargin(double inches) {
    records_.SETUP().SetDoubleAt(kHeaderMargin, inches);
}

double TPrintSettings::FooterMargin() const {
    return records_.SETUP().DoubleAt(kFooterMargin);
}

void TPrintSettings::SetFooterMargin(double inches) {
    records_.SETUP().SetDoubleAt(kFooterMargin, inches);
}

int TPrintSettings::Copies() const {
    return records_.SETUP().WordAt(kCopies);
}

void TPrintSettings::SetCopies(int value) {
    records_.SETUP().SetWordAt(kCopies, static_cast<uint16_t>(value));
}

TPrintSetupOptions TPrintSettings::Options() const {
    TPrintSetupOptions result;
    uint16_t word = records_.SETUP().WordAt(kOptions);
    for (int i = 0; i < 5; ++i)
        if (word & kOptionBits[i])
            result.Include(static_cast<TPrintSetupOption>(i));
    for (int i = 0; i < 4; ++i)
        if (records_.Flag(kOptionRecords[i]))
            result.Include(static_cast<TPrintSetupOption>(psoRowColHeading + i));
    return result;
}

void TPrintSettings::SetOptions(TPrintSetupOptions value) {
    uint16_t word = 0;
    for (int i = 0; i < 5; ++i)
        if (value.Contains(static_cast<TPrintSetupOption>(i)))
            word |= kOptionBits[i];
    records_.SETUP().SetWordAt(kOptions, word);
    for (int i = 0; i < 4; ++i)
        records_.SetFlag(kOptionRecords[i],
                         value.Contains(static_cast<TPrintSetupOption>(psoRowColHeading + i)));
}

void TPrintSettings::DeclareProperties(TPropertyList& p) {
    using T = TPrintSettings;
    p.Add("Header", &T::Header);
    p.Add("Footer", &T::Footer);
    p.Add("MarginLeft", &T::MarginLeft);
    p.Add("MarginRight", &T::MarginRight);
    p.Add("MarginTop", &T::MarginTop);
    p.Add("MarginBottom", &T::MarginBottom);
    p.Add("HorizPagebreaks", &T::HorizPagebreaks, &T::SetHorizPagebreaks);
    p.Add("VertPagebreaks", &T::VertPagebreaks, &T::SetVertPagebreaks);
    p.AddFn<T>(
        "PaperSize", [](T* t) { return static_cast<int>(t->PaperSize()); },
        [](T* t, int v) { t->SetPaperSize(static_cast<TPaperSize>(v)); });
    p.Add("ScalingFactor", &T::ScalingFactor, &T::SetScalingFactor);
    p.Add("StartingPage", &T::StartingPage, &T::SetStartingPage);
    p.Add("FitWidth", &T::FitWidth, &T::SetFitWidth);
    p.Add("FitHeight", &T::FitHeight, &T::SetFitHeight);
    p.Add("Options", &T::Options, &T::SetOptions);
    p.Add("Resolution", &T::Resolution, &T::SetResolution);
    p.Add("HeaderMargin", &T::HeaderMargin, &T::SetHeaderMargin);
    p.Add("FooterMargin", &T::FooterMargin, &T::SetFooterMargin);
    p.Add("Copies", &T::Copies, &T::SetCopies);
}
