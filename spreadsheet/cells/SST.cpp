#include "spreadsheet/cells/SST.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/core/Crc.h"

#include <algorithm>
#include <cstring>

namespace {

uint32_t Long(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

uint16_t Word(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

void PutLong(uint8_t* p, uint32_t v) {
    std::memcpy(p, &v, 4);
}

bool ValidOptions(uint8_t options) {
    return (options & ~0x0D) == 0;
}

int CharBytes(const TSSTEntry* e) {
    return TSST2::CharCount(e) * ((TSST2::Options(e) & 1) ? 2 : 1);
}

int ExtSize(const TSSTEntry* e) {
    const uint8_t o = TSST2::Options(e);
    if (!(o & 4))
        return 0;
    return static_cast<int>(Long(e + ((o & 8) ? 16 : 12)));
}

constexpr int kRunSize = 8;

} // namespace

uint32_t TSSTHashTrie::HashOf(const void* item) const {
    auto* e = static_cast<const TSSTEntry*>(item);
    return CRC32Bytes(e + KeyOffset(e), KeyLength(e));
}

void TSSTHashTrie::FreeItem(void*& item) {
    delete[] static_cast<TSSTEntry*>(item);
    item = nullptr;
}

bool TSSTHashTrie::Equals(const void* stored, const void* key) const {
    auto* a = static_cast<const TSSTEntry*>(stored);
    auto* b = static_cast<const TSSTEntry*>(key);
    const int n = KeyLength(a);
    return n == KeyLength(b) && std::memcmp(a + KeyOffset(a), b + KeyOffset(b), n) == 0;
}

TSST2::TSST2(TXFonts& fonts) : fonts_(fonts) {
    fonts_.AddUser(this);
}

TSST2::~TSST2() {
    fonts_.RemoveUser(this);
    Clear();
}

int32_t TSST2::RefCount(const TSSTEntry* entry) {
    return static_cast<int32_t>(Long(entry + 4));
}

int TSST2::CharCount(const TSSTEntry* entry) {
    return Word(entry + 8);
}

int TSST2::KeyLength(const TSSTEntry* entry) const {
    if (!ValidOptions(Options(entry)))
        throw Exception("Unknown SST string type.");
    return CharBytes(entry) + kRunSize * GetRunCount(entry) + ExtSize(entry);
}

int TSST2::KeyOffset(const TSSTEntry* entry) const {
    static constexpr int offsets[16] = {11, 11, -1, -1, 16, 16, -1, -1,
                                        14, 14, -1, -1, 20, 20, -1, -1};
    const uint8_t o = Options(entry);
    if (o >= 16 || offsets[o] < 0)
        throw Exception("STT: Unhandled string type.");
    return offsets[o];
}

bool TSST2::IsFormatted(const TSSTEntry* entry) {
    return (Options(entry) & 8) != 0;
}

int TSST2::GetRunCount(const TSSTEntry* entry) {
    return IsFormatted(entry) ? Word(entry + 12) : 0;
}

TSSTRun TSST2::Run(const TSSTEntry* entry, int index) const {
    if (!IsFormatted(entry))
        throw Exception("String is not formatted");
    if (index < 0 || index >= GetRunCount(entry))
        throw Exception("FormatIndedx out of range");
    const uint8_t* run = entry + KeyOffset(entry) + CharBytes(entry) + kRunSize * index;
    return {Long(run), Long(run + 4)};
}

std::u16string TSST2::AsWideString(const TSSTEntry* entry) const {
    const uint8_t* p = entry + KeyOffset(entry);
    const int n = CharCount(entry);
    std::u16string out(static_cast<size_t>(n), u'\0');
    const bool wide = Options(entry) & 1;
    for (int i = 0; i < n; ++i)
        out[static_cast<size_t>(i)] = wide ? static_cast<char16_t>(Word(p + 2 * i)) : p[i];
    return out;
}

TSSTEntry* TSST2::AddString(std::u16string_view text, const std::vector<TSSTRun>& runs,
                            std::string_view extended) {
    const bool wide = std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 0xFF; });
    uint8_t options =
        static_cast<uint8_t>((wide ? 1 : 0) | (extended.empty() ? 0 : 4) | (runs.empty() ? 0 : 8));
    static constexpr int offsets[16] = {11, 11, 0, 0, 16, 16, 0, 0, 14, 14, 0, 0, 20, 20, 0, 0};
    const int start = offsets[options];
    const size_t charBytes = text.size() * (wide ? 2 : 1);
    const size_t size =
        static_cast<size_t>(start) + charBytes + kRunSize * runs.size() + extended.size();
    std::unique_ptr<TSSTEntry[]> e(new TSSTEntry[size]());
    PutLong(e.get() + 4, 1);
    e[8] = static_cast<uint8_t>(text.size());
    e[9] = static_cast<uint8_t>(text.size() >> 8);
    e[10] = options;
    if (options & 8) {
        e[12] = static_cast<uint8_t>(runs.size());
        e[13] = static_cast<uint8_t>(runs.size() >> 8);
    }
    if (options & 4)
        PutLong(e.get() + ((options & 8) ? 16 : 12), static_cast<uint32_t>(extended.size()));
    uint8_t* p = e.get() + start;
    for (char16_t c : text) {
        *p++ = static_cast<uint8_t>(c);
        if (wide)
            *p++ = static_cast<uint8_t>(c >> 8);
    }
    for (const TSSTRun& r : runs) {
        PutLong(p, r.Position);
        PutLong(p + 4, r.Font);
        p += kRunSize;
    }
    if (!extended.empty())
        std::memcpy(p, extended.data(), extended.size());

    const uint32_t hash = HashOf(e.get());
    if (auto* found = static_cast<TSSTEntry*>(Find(e.get(), hash))) {
        AddReference(found);
        return found;
    }
    for (const TSSTRun& r : runs)
        if (static_cast<int>(r.Font) >= fonts_.DefaultCount &&
            static_cast<int>(r.Font) < fonts_.Count())
            ++fonts_.Fonts(static_cast<int>(r.Font))->UsageCount;
    TSSTEntry* stored = e.release();
    Add(stored, hash);
    entries_.insert(stored);
    ++StringCount;
    return stored;
}

void TSST2::AddReference(TSSTEntry* entry) {
    PutLong(entry + 4, static_cast<uint32_t>(RefCount(entry) + 1));
}

bool TSST2::Release(TSSTEntry* entry) {
    KeyLength(entry); // an unknown type raises before anything changes
    const int32_t refs = RefCount(entry) - 1;
    PutLong(entry + 4, static_cast<uint32_t>(refs));
    if (refs > 0)
        return false;
    std::vector<uint32_t> fonts;
    for (int i = 0; i < GetRunCount(entry); ++i)
        fonts.push_back(Run(entry, i).Font);
    entries_.erase(entry);
    Delete(entry, HashOf(entry)); // frees the entry
    --StringCount;
    // Later runs first: a font behind another goes before the one in front of it.
    std::sort(fonts.rbegin(), fonts.rend());
    for (uint32_t f : fonts)
        if (static_cast<int>(f) >= fonts_.DefaultCount && static_cast<int>(f) < fonts_.Count())
            fonts_.ReleaseFont(static_cast<int>(f));
    return true;
}

void TSST2::Clear() {
    StringCount = 0;
    Blocks.clear();
    entries_.clear();
    THashTrie::Clear();
    ExtSST.clear();
}

bool TSST2::UsesFont(int index) const {
    for (const TSSTEntry* e : entries_)
        for (int i = 0; i < GetRunCount(e); ++i)
            if (static_cast<int>(Run(e, i).Font) >= index)
                return true;
    return false;
}
