#pragma once
// The shared string table: every distinct string of the workbook once, with a reference count.
// An entry keeps the byte layout of the shared-string entry of the record format (character
// count, option flags, optional formatting runs and extended data), so that equal strings
// compare by their bytes; entries hang in a hash trie keyed by the CRC of those bytes.
//
// Entry layout (little-endian): +0 unused word, +4 reference count, +8 character count,
// +10 options (bit 0 16-bit characters, bit 2 extended data, bit 3 runs), then the run count at
// +12 (bit 3), the extended-data size at +12 (bit 2 alone) or +16 (both), then the characters,
// the runs and the extended data. A run is the 32-bit position of its first character and the
// 32-bit position of its font in the font list; the key covers whole runs.

#include "spreadsheet/core/HashTrie.h"
#include "spreadsheet/formats/XFont.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

struct TSSTRun {
    uint32_t Position;
    uint32_t Font;
};

// A string entry, as the table hands it out (the table owns it).
using TSSTEntry = uint8_t;

class TSSTHashTrie : public THashTrie {
public:
    // Key length and the offset of the characters; both raise for an unknown options value.
    virtual int KeyLength(const TSSTEntry* entry) const = 0;
    virtual int KeyOffset(const TSSTEntry* entry) const = 0;

protected:
    uint32_t HashOf(const void* item) const override;
    void FreeItem(void*& item) override;
    bool Equals(const void* stored, const void* key) const override;
};

class TSST2 : public TSSTHashTrie, public TXFontUser {
public:
    explicit TSST2(TXFonts& fonts);
    ~TSST2() override;

    // Raises "Unknown SST string type." for an options value other than 0, 1, 4, 5, 8, 9, 12, 13.
    int KeyLength(const TSSTEntry* entry) const override;
    // Raises "STT: Unhandled string type." likewise.
    int KeyOffset(const TSSTEntry* entry) const override;

    // One more reference to an equal entry, or a new entry with one reference whose runs' fonts
    // are counted as used. Characters are stored in 8 bits when every one fits.
    TSSTEntry* AddString(std::u16string_view text, const std::vector<TSSTRun>& runs = {},
                         std::string_view extended = {});
    // One more reference to a stored entry.
    static void AddReference(TSSTEntry* entry);
    // One reference fewer; true when the entry went (its runs' fonts released). The options are
    // checked first: an invalid entry raises and nothing changes.
    bool Release(TSSTEntry* entry);
    void Clear();

    static bool IsFormatted(const TSSTEntry* entry);
    static int GetRunCount(const TSSTEntry* entry);
    // Raises "String is not formatted" or "FormatIndedx out of range".
    TSSTRun Run(const TSSTEntry* entry, int index) const;
    std::u16string AsWideString(const TSSTEntry* entry) const;

    static int32_t RefCount(const TSSTEntry* entry);
    static int CharCount(const TSSTEntry* entry);
    static uint8_t Options(const TSSTEntry* entry) { return entry[10]; }

    // A font goes only when no run refers to it or to a font behind it, so the font positions
    // that runs (and so the keys) hold never move.
    bool UsesFont(int index) const override;
    void FontDeleted(int) override {}

    int32_t StringCount = 0;
    int32_t MaxRecordSize = 8224;
    TXFonts& Fonts() const { return fonts_; }
    std::vector<std::unique_ptr<std::vector<uint8_t>>> Blocks;
    std::vector<std::unique_ptr<std::vector<uint8_t>>> ExtSST;

private:
    TXFonts& fonts_;
    std::unordered_set<const TSSTEntry*> entries_;
};
