#include "i18n/ini/LocIniFile.h"

#include "i18n/text/LocText.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"

#include <algorithm>

namespace {

const char* const FlagTexts[2] = {"0", "1"};

// Reads a date-like value; def for an empty text or a text the conversion rejects.
template <class F>
TDateTime ReadConverted(TLocCustomIniFile& ini, std::string_view section, std::string_view key,
                        TDateTime def, F convert) {
    std::string text = ini.ReadText(section, key, "");
    TDateTime value = 0;
    if (text.empty() || !convert(text, value))
        return def;
    return value;
}

bool LessName(std::string_view a, std::string_view b) {
    return CompareTextLocale(a, b) < 0;
}

// RAII bracket of a list's update.
class TUpdateBracket {
public:
    explicit TUpdateBracket(TStrings& list) : list_(list) { list_.BeginUpdate(); }
    ~TUpdateBracket() { list_.EndUpdate(); }
    TUpdateBracket(const TUpdateBracket&) = delete;
    TUpdateBracket& operator=(const TUpdateBracket&) = delete;

private:
    TStrings& list_;
};

} // namespace

// --- TLocCustomIniFile
// ----------------------------------------------------------------------------

int32_t TLocCustomIniFile::ReadNumber(std::string_view section, std::string_view key, int32_t def) {
    std::string text = ReadText(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text = "$" + text.substr(2);
    return StrToIntDef(text, def);
}

void TLocCustomIniFile::WriteNumber(std::string_view section, std::string_view key, int32_t value) {
    WriteText(section, key, IntToStr(value));
}

bool TLocCustomIniFile::ReadFlag(std::string_view section, std::string_view key, bool def) {
    return ReadNumber(section, key, def ? 1 : 0) != 0;
}

void TLocCustomIniFile::WriteFlag(std::string_view section, std::string_view key, bool value) {
    WriteText(section, key, FlagTexts[value ? 1 : 0]);
}

TDateTime TLocCustomIniFile::ReadDateValue(std::string_view section, std::string_view key,
                                           TDateTime def) {
    return ReadConverted(*this, section, key, def,
                         [](const std::string& s, TDateTime& v) { return TryStrToDate(s, v); });
}

TDateTime TLocCustomIniFile::ReadDateTimeValue(std::string_view section, std::string_view key,
                                               TDateTime def) {
    return ReadConverted(*this, section, key, def,
                         [](const std::string& s, TDateTime& v) { return TryStrToDateTime(s, v); });
}

double TLocCustomIniFile::ReadFloatValue(std::string_view section, std::string_view key,
                                         double def) {
    return ReadConverted(*this, section, key, def,
                         [](const std::string& s, double& v) { return TryStrToFloat(s, v); });
}

TDateTime TLocCustomIniFile::ReadTimeValue(std::string_view section, std::string_view key,
                                           TDateTime def) {
    return ReadConverted(*this, section, key, def,
                         [](const std::string& s, TDateTime& v) { return TryStrToTime(s, v); });
}

void TLocCustomIniFile::WriteDateValue(std::string_view section, std::string_view key,
                                       TDateTime value) {
    WriteText(section, key, DateToStr(value));
}

void TLocCustomIniFile::WriteDateTimeValue(std::string_view section, std::string_view key,
                                           TDateTime value) {
    WriteText(section, key, DateTimeToStr(value));
}

void TLocCustomIniFile::WriteFloatValue(std::string_view section, std::string_view key,
                                        double value) {
    WriteText(section, key, FloatToStr(value));
}

void TLocCustomIniFile::WriteTimeValue(std::string_view section, std::string_view key,
                                       TDateTime value) {
    WriteText(section, key, TimeToStr(value));
}

bool TLocCustomIniFile::HasSection(std::string_view section) {
    TStringList keys;
    ListKeys(section, keys);
    return keys.Count() > 0;
}

// --- TLocMemIniFile
// -------------------------------------------------------------------------------

TLocMemIniFile::TLocMemIniFile(std::string fileName) : TLocCustomIniFile(std::move(fileName)) {
    if (!FileName().empty() && FileExists(FileName())) {
        TStringList lines;
        lines.SetText(ReadFileBytes(FileName()));
        ImportLines(lines);
    }
}

TLocMemIniFile::~TLocMemIniFile() = default;

TLocMemIniFile::Section* TLocMemIniFile::FindSection(std::string_view name) {
    auto it =
        std::lower_bound(sections_.begin(), sections_.end(), name,
                         [](const auto& s, std::string_view n) { return LessName(s->name, n); });
    if (it != sections_.end() && CompareTextLocale((*it)->name, name) == 0)
        return it->get();
    return nullptr;
}

TLocMemIniFile::Section& TLocMemIniFile::AddSection(std::string_view name) {
    if (Section* existing = FindSection(name))
        return *existing;
    auto it =
        std::lower_bound(sections_.begin(), sections_.end(), name,
                         [](const auto& s, std::string_view n) { return LessName(s->name, n); });
    auto section = std::make_unique<Section>();
    section->name = std::string(name);
    return **sections_.insert(it, std::move(section));
}

std::string TLocMemIniFile::ReadText(std::string_view section, std::string_view key,
                                     std::string_view def) {
    if (Section* s = FindSection(section)) {
        auto it =
            std::lower_bound(s->keys.begin(), s->keys.end(), key,
                             [](const Key& k, std::string_view n) { return LessName(k.name, n); });
        if (it != s->keys.end() && CompareTextLocale(it->name, key) == 0)
            return it->value;
    }
    return std::string(def);
}

void TLocMemIniFile::WriteText(std::string_view section, std::string_view key,
                               std::string_view value) {
    Section& s = AddSection(section);
    // The line "key=value" is what the file holds: a key with "=" is cut at its first one.
    const std::string line = std::string(key) + "=" + std::string(value);
    const size_t eq = line.find('=');
    Key entry{line.substr(0, eq), line.substr(eq + 1)};
    // The newest of the equal names is the first of them: it takes the new value in place.
    auto it =
        std::lower_bound(s.keys.begin(), s.keys.end(), entry.name,
                         [](const Key& k, std::string_view n) { return LessName(k.name, n); });
    if (it != s.keys.end() && CompareTextLocale(it->name, entry.name) == 0)
        *it = std::move(entry);
    else
        s.keys.insert(it, std::move(entry));
    modified_ = true;
}

void TLocMemIniFile::ListKeys(std::string_view section, TStrings& strings) {
    TUpdateBracket bracket(strings);
    strings.Clear();
    if (Section* s = FindSection(section))
        for (const Key& k : s->keys)
            strings.Add(k.name);
}

void TLocMemIniFile::ListValues(std::string_view section, TStrings& strings) {
    TUpdateBracket bracket(strings);
    strings.Clear();
    if (Section* s = FindSection(section))
        for (const Key& k : s->keys)
            strings.Add(k.value);
}

void TLocMemIniFile::ListSections(TStrings& strings) {
    TUpdateBracket bracket(strings);
    strings.Clear();
    for (const auto& s : sections_)
        strings.Add(s->name);
}

void TLocMemIniFile::DropSection(std::string_view section) {
    auto it = std::find_if(sections_.begin(), sections_.end(),
                           [&](const auto& s) { return CompareTextLocale(s->name, section) == 0; });
    if (it != sections_.end()) {
        sections_.erase(it);
        modified_ = true;
    }
}

void TLocMemIniFile::DropKey(std::string_view section, std::string_view key) {
    if (Section* s = FindSection(section)) {
        auto it = std::find_if(s->keys.begin(), s->keys.end(),
                               [&](const Key& k) { return CompareTextLocale(k.name, key) == 0; });
        if (it != s->keys.end()) {
            s->keys.erase(it);
            modified_ = true;
        }
    }
}

void TLocMemIniFile::SaveFile() {
    TStringList lines;
    ExportLines(lines);
    WriteFileAtomic(FileName(), lines.Text());
    modified_ = false;
}

void TLocMemIniFile::LoadStream(TStream& stream) {
    ClearAll();
    TStringList lines;
    lines.SetText(stream.ReadToEnd());
    ImportLines(lines);
}

void TLocMemIniFile::ExportLines(TStrings& list) const {
    TUpdateBracket bracket(list);
    for (const auto& s : sections_) {
        list.Add("[" + s->name + "]");
        for (const Key& k : s->keys)
            list.Add(k.name + "=" + k.value);
        list.Add("");
    }
}

void TLocMemIniFile::ImportLines(const TStrings& list) {
    ClearAll();
    // Keys are gathered in file order and sorted once per section (not inserted one by one),
    // so that a file of n keys loads in n log n.
    Section* open = nullptr;
    for (int i = 0; i < list.Count(); ++i) {
        const std::string line = list.Get(i);
        if (line.empty() || line[0] == ';')
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            open = &AddSection(std::string_view(line).substr(1, line.size() - 2));
        } else if (open) {
            size_t eq = line.find('=');
            open->keys.push_back(Key{
                line.substr(0, eq), eq == std::string::npos ? std::string() : line.substr(eq + 1)});
        }
    }
    for (auto& section : sections_) {
        // Among equal names the line read last comes first.
        std::reverse(section->keys.begin(), section->keys.end());
        std::stable_sort(section->keys.begin(), section->keys.end(),
                         [](const Key& a, const Key& b) { return LessName(a.name, b.name); });
    }
    modified_ = true;
}

void TLocMemIniFile::ClearAll() {
    sections_.clear();
    modified_ = true;
}
