#include "spreadsheet/formats/CellFormats.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Strings.h"

namespace {

struct TDefaultFormat {
    uint16_t Font;
    uint16_t NumberFormat;
    uint16_t Word4;
    uint16_t Word8;
};

// The default format records; the rest of each body is the same for all of them.
constexpr TDefaultFormat kDefaultFormats[21] = {
    {0, 0, 0xFFF5, 0x0000},  {1, 0, 0xFFF5, 0xF400},  {1, 0, 0xFFF5, 0xF400},
    {2, 0, 0xFFF5, 0xF400},  {2, 0, 0xFFF5, 0xF400},  {0, 0, 0xFFF5, 0xF400},
    {0, 0, 0xFFF5, 0xF400},  {0, 0, 0xFFF5, 0xF400},  {0, 0, 0xFFF5, 0xF400},
    {0, 0, 0xFFF5, 0xF400},  {0, 0, 0xFFF5, 0xF400},  {0, 0, 0xFFF5, 0xF400},
    {0, 0, 0xFFF5, 0xF400},  {0, 0, 0xFFF5, 0xF400},  {0, 0, 0xFFF5, 0xF400},
    {0, 0, 0x0001, 0x0000},  {0, 42, 0xFFF5, 0x0000}, {0, 43, 0xFFF5, 0x0000},
    {0, 44, 0xFFF5, 0x0000}, {0, 45, 0xFFF5, 0x0000}, {0, 9, 0xFFF5, 0x0000},
};

TCellFormat::TData DefaultBody(const TDefaultFormat& d) {
    TCellFormat::TData body{};
    auto word = [&body](int offset, uint16_t v) {
        body[static_cast<size_t>(offset)] = static_cast<uint8_t>(v);
        body[static_cast<size_t>(offset + 1)] = static_cast<uint8_t>(v >> 8);
    };
    word(0, d.Font);
    word(2, d.NumberFormat);
    word(4, d.Word4);
    body[6] = 0x20;
    word(8, d.Word8);
    word(18, 0x20C0);
    return body;
}

} // namespace

void TFill::SetGradient(bool on) {
    if (on && !gradient_)
        gradient_ = std::make_unique<TGradientFill>();
    else if (!on)
        gradient_.reset();
}

void TFills::SetDefaults() {
    Clear();
    Add(std::make_unique<TFill>(efpNone));
    Add(std::make_unique<TFill>(efpGray125));
}

void TBorders::SetDefaults() {
    Clear();
    Add(std::make_unique<TBorder>());
}

TCellFormats::TCellFormats(TXFonts& fonts, bool isMaster)
    : fonts_(fonts), numberFormats_(std::make_unique<TNumberFormats>()),
      mask_(std::make_unique<TExcelMask>()), fills_(std::make_unique<TFills>()),
      borders_(std::make_unique<TBorders>()), isMaster_(isMaster) {
    fonts_.AddUser(this);
    if (isMaster_)
        SetDefaults();
}

TCellFormats::~TCellFormats() {
    fonts_.RemoveUser(this);
    items_.clear(); // entries first: they release their number formats
}

TCellFormat* TCellFormats::Formats(int position) const {
    if (position < 0 || position >= Count())
        throw EListError("List index out of bounds (" + IntToStr(position) + ")");
    return items_[static_cast<size_t>(position)].get();
}

int TCellFormats::Find(const TCellFormat& format) const {
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<size_t>(i)]->Equal(format))
            return i;
    return -1;
}

TCellFormat* TCellFormats::Add() {
    items_.push_back(std::make_unique<TCellFormat>(this));
    items_.back()->Index = Count() - 1;
    return items_.back().get();
}

void TCellFormats::Delete(int position) {
    Formats(position);
    items_.erase(items_.begin() + position);
    for (size_t i = static_cast<size_t>(position); i < items_.size(); ++i)
        --items_[i]->Index;
}

void TCellFormats::Clear() {
    items_.clear();
    numberFormats_->Clear();
    fills_->Clear();
    borders_->Clear();
    DefaultCount = 0;
}

void TCellFormats::SetDefaults() {
    if (!isMaster_)
        return;
    numberFormats_->SetDefaults();
    fills_->SetDefaults();
    borders_->SetDefaults();
    AddDefaultFormats();
    Add();
    DefaultCount = Count();
}

void TCellFormats::AddDefaultFormats() {
    if (!items_.empty())
        throw Exception("Add default formats when not empty.");
    for (const TDefaultFormat& d : kDefaultFormats) {
        auto entry = std::make_unique<TCellFormat>(this);
        entry->LoadRecord(DefaultBody(d).data());
        entry->Index = Count();
        if (d.NumberFormat != 0)
            numberFormats_->Items(d.NumberFormat)->UsageCount = 1;
        items_.push_back(std::move(entry));
    }
}

TCellFormat* TCellFormats::Share(TCellFormat* current, const TCellFormat& scratch) {
    if (current && current->Index >= DefaultCount && --current->UsageCount <= 0)
        Delete(current->Index);
    const int found = Find(scratch);
    if (found >= 0) {
        TCellFormat* entry = Formats(found);
        ++entry->UsageCount;
        return entry;
    }
    TCellFormat* entry = Add();
    entry->Assign(scratch);
    entry->UsageCount = 1;
    return entry;
}

TCellFormat* TCellFormats::ChangeFont(TCellFormat* current, const TXFont& wanted) {
    const int old = current->FontIndex();
    int position = fonts_.FindFont(wanted);
    if (position < 0) {
        TXFont* added = fonts_.AddFont();
        added->Assign(wanted);
        added->UsageCount = 1;
        position = added->Index;
    } else {
        ++fonts_.Fonts(position)->UsageCount;
    }
    TCellFormat scratch(this);
    scratch.Assign(*current);
    scratch.SetFontIndex(position);
    TCellFormat* entry = Share(current, scratch);
    // The old font goes last, once no entry refers to it any more.
    if (old < fonts_.Count())
        fonts_.ReleaseFont(old);
    return entry;
}

bool TCellFormats::UsesFont(int index) const {
    for (const auto& entry : items_)
        if (entry->FontIndex() == index)
            return true;
    return false;
}

void TCellFormats::FontDeleted(int index) {
    for (const auto& entry : items_)
        if (entry->FontIndex() > index)
            entry->SetFontIndex(entry->FontIndex() - 1);
}
