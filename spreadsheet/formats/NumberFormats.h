#pragma once
// Number-format texts with their numeric ids. Ids 0 to 58 are built in (usage count -1 while
// nothing counts them); texts added later get the next id and are shared by usage count.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

constexpr int kBuiltinNumberFormats = 59;

struct TNumberFormat {
    uint16_t Hash = 0;
    std::u16string Value;
    int32_t Id = 0;
    int32_t UsageCount = 0;
};

// Rotates left by 5 bits and XORs in each byte of the text's UTF-16 form.
uint16_t NumberFormatHash(std::u16string_view text);

class TNumberFormats {
public:
    TNumberFormats() = default;
    TNumberFormats(const TNumberFormats&) = delete;
    TNumberFormats& operator=(const TNumberFormats&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TNumberFormat* Items(int position) const;
    TNumberFormat* AddFormat(std::u16string_view text);
    // Replaces the text of an existing id (a negative count becomes `usage`, else grows by it)
    // or inserts a new entry in id order.
    TNumberFormat* AddWithId(std::u16string_view text, int id, int usage);
    int IndexOfId(int id) const;
    // 0 for the empty text; else the first entry with equal hash and text, or -1.
    int IndexOfText(std::u16string_view text) const;
    // Raises the list's index error for a missing id.
    TNumberFormat* FormatById(int id) const;
    // Ids below 59 are not counted; a missing id raises "Can not find number format# <id>".
    void AddUse(int id);
    void Release(int id);
    void SetDefaults();
    void Clear();

    int32_t CurrentId = 0;

private:
    std::vector<std::unique_ptr<TNumberFormat>> items_;
};

// The built-in text of an id from 0 to 58 (empty for the ids without one).
std::u16string_view BuiltinNumberFormat(int id);
