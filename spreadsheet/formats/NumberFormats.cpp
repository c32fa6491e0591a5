#include "spreadsheet/formats/NumberFormats.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Strings.h"
#include "spreadsheet/core/Crc.h"

#include <algorithm>

namespace {

struct TBuiltin {
    int Id;
    std::u16string_view Text;
};

constexpr TBuiltin kBuiltins[] = {
    {1, u"0"},
    {2, u"0.00"},
    {3, u"#,##0"},
    {4, u"#,##0.00"},
    {5, u"_($#,##0_);($#,##0)"},
    {6, u"_($#,##0_);[Red]($#,##0)"},
    {7, u"_($#,##0.00_);($#,##0.00)"},
    {8, u"_($#,##0.00_);[Red]($#,##0.00)"},
    {9, u"0%"},
    {10, u"0.00%"},
    {11, u"0.00E+00"},
    {12, u"# ?/?"},
    {13, u"# ?\?/??"},
    {14, u"m/d/yy"},
    {15, u"d-mmm-y"},
    {16, u"d-mmm"},
    {17, u"mmmm-yy"},
    {18, u"h:mm AM/PM"},
    {19, u"h:mm:ss AM/PM"},
    {20, u"h:mm"},
    {21, u"h:mm:SS"},
    {22, u"m/d/yy h:mm"},
    {37, u"_(#,##0_);(#,##0)"},
    {38, u"_(#,##0_);[Red](#,##0)"},
    {39, u"_(#,##0.00_);(#,##0.00)"},
    {40, u"_(#,##0.00_);[Red](#,##0.00)"},
    {41, u"_(* #,##0_);_(* (#,##0);_(* \"-\"_);_(@_)"},
    {42, u"_($* #,##0_);_($* (#,##0);_($* \"-\"_);_(@_)"},
    {43, u"_(* #,##0.00_);_(* (#,##0.00);_(* \"-\"?\?_);_(@_)"},
    {44, u"_($* #,##0.00_);_($* (#,##0.00);_($* \"-\"?\?_);_(@_)"},
    {45, u"mm:ss"},
    {46, u"[h]:mm:ss"},
    {47, u"mm:ss.0"},
    {48, u"# #0.0E+0"},
    {49, u"@"},
};

[[noreturn]] void NotFound(int id) {
    throw Exception("Can not find number format# " + IntToStr(id));
}

} // namespace

std::u16string_view BuiltinNumberFormat(int id) {
    for (const TBuiltin& b : kBuiltins)
        if (b.Id == id)
            return b.Text;
    return {};
}

uint16_t NumberFormatHash(std::u16string_view text) {
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return Hash16(bytes.data(), static_cast<int>(bytes.size()));
}

TNumberFormat* TNumberFormats::Items(int position) const {
    if (position < 0 || position >= Count())
        throw EListError("List index out of bounds (" + IntToStr(position) + ")");
    return items_[static_cast<size_t>(position)].get();
}

TNumberFormat* TNumberFormats::AddFormat(std::u16string_view text) {
    const int found = IndexOfText(text);
    if (found >= 0) {
        TNumberFormat* f = Items(found);
        ++f->UsageCount;
        return f;
    }
    ++CurrentId;
    auto f = std::make_unique<TNumberFormat>();
    f->Value = text;
    f->Id = CurrentId;
    f->UsageCount = 1;
    f->Hash = NumberFormatHash(text);
    items_.push_back(std::move(f));
    return items_.back().get();
}

TNumberFormat* TNumberFormats::AddWithId(std::u16string_view text, int id, int usage) {
    TNumberFormat* f;
    const int found = IndexOfId(id);
    if (found >= 0) {
        f = Items(found);
        f->Value = text;
        f->UsageCount = f->UsageCount < 0 ? usage : f->UsageCount + usage;
    } else {
        auto added = std::make_unique<TNumberFormat>();
        added->Value = text;
        added->Id = id;
        added->UsageCount = usage;
        f = added.get();
        // Kept in id order, so that the halving search holds for any id given.
        auto at = std::upper_bound(items_.begin(), items_.end(), id,
                                   [](int v, const auto& item) { return v < item->Id; });
        items_.insert(at, std::move(added));
    }
    f->Hash = NumberFormatHash(f->Value);
    CurrentId = std::max(CurrentId, id);
    return f;
}

int TNumberFormats::IndexOfId(int id) const {
    int low = 0, high = Count() - 1;
    if (id < 0)
        return -1;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const int v = items_[static_cast<size_t>(mid)]->Id;
        if (v < id)
            low = mid + 1;
        else if (v > id)
            high = mid - 1;
        else
            return mid;
    }
    return -1;
}

int TNumberFormats::IndexOfText(std::u16string_view text) const {
    if (text.empty())
        return 0;
    const uint16_t hash = NumberFormatHash(text);
    for (int i = 0; i < Count(); ++i) {
        const TNumberFormat& f = *items_[static_cast<size_t>(i)];
        if (f.Hash == hash && f.Value == text)
            return i;
    }
    return -1;
}

TNumberFormat* TNumberFormats::FormatById(int id) const {
    return Items(IndexOfId(id));
}

void TNumberFormats::AddUse(int id) {
    if (id < kBuiltinNumberFormats)
        return;
    const int i = IndexOfId(id);
    if (i < 0)
        NotFound(id);
    ++items_[static_cast<size_t>(i)]->UsageCount;
}

void TNumberFormats::Release(int id) {
    if (id < kBuiltinNumberFormats)
        return;
    const int i = IndexOfId(id);
    if (i < 0)
        NotFound(id);
    TNumberFormat& f = *items_[static_cast<size_t>(i)];
    if (f.UsageCount < 0)
        return;
    if (--f.UsageCount <= 0)
        items_.erase(items_.begin() + i);
}

void TNumberFormats::SetDefaults() {
    CurrentId = 0;
    for (int id = 0; id < kBuiltinNumberFormats; ++id)
        AddWithId(BuiltinNumberFormat(id), id, -1);
}

void TNumberFormats::Clear() {
    items_.clear();
    CurrentId = 0;
}
