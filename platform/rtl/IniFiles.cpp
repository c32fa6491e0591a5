#include "platform/rtl/IniFiles.h"

#include "platform/rtl/Classes.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Strings.h"

#include <algorithm>
#include <sys/stat.h>

namespace {

const char kBom[] = "\xEF\xBB\xBF";

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

std::string Unquote(const std::string& v) {
    if (v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

// Line breaks cannot live in a line: they become blanks.
std::string OneLine(std::string_view value) {
    std::string v(value);
    for (char& c : v)
        if (c == '\r' || c == '\n')
            c = ' ';
    return v;
}

// The text a profile file stores so that reading (which trims and removes one pair of quotes)
// gives `value` back: blanks at the ends and an enclosing pair of quotes are protected by quotes.
std::string ProtectForProfile(std::string_view value) {
    const std::string v = OneLine(value);
    const bool edgeBlank = !v.empty() && (static_cast<unsigned char>(v.front()) <= ' ' ||
                                          static_cast<unsigned char>(v.back()) <= ' ');
    const bool quoted = v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front();
    return edgeBlank || quoted ? "\"" + v + "\"" : v;
}

void CheckSection(std::string_view section) {
    if (section.find_first_of("]\r\n") != std::string_view::npos)
        throw EIniFileException("Invalid section name \"" + std::string(section) + "\"");
}

std::string CheckKey(std::string_view key) {
    const std::string k = Trim(key);
    if (k.find_first_of("=\r\n") != std::string::npos ||
        (!k.empty() && (k[0] == '[' || k[0] == ';')))
        throw EIniFileException("Invalid key name \"" + std::string(key) + "\"");
    return k;
}

} // namespace

// --- TIniDocument -------------------------------------------------------------------------------

TIniDocument::Line TIniDocument::Classify(std::string text) {
    Line line;
    const std::string t = Trim(text);
    if (!t.empty() && t[0] == '[') {
        line.kind = Line::Section;
        const size_t close = t.find(']');
        line.name = Trim(std::string_view(t).substr(
            1, close == std::string::npos ? std::string::npos : close - 1));
    } else if (!t.empty() && t[0] != ';') {
        const size_t eq = t.find('=');
        if (eq != std::string::npos) {
            line.kind = Line::Key;
            line.name = Trim(std::string_view(t).substr(0, eq));
            line.value = Trim(std::string_view(t).substr(eq + 1));
        }
    }
    line.text = std::move(text);
    return line;
}

void TIniDocument::Clear() {
    lines_.clear();
    encoding_ = Encoding::Cp1251;
}

void TIniDocument::Parse(std::string_view bytes) {
    Clear();
    std::string text;
    if (bytes.starts_with(kBom) && IsValidUtf8(bytes.substr(3))) {
        encoding_ = Encoding::Utf8Bom;
        text = std::string(bytes.substr(3));
    } else if (IsValidUtf8(bytes) && std::any_of(bytes.begin(), bytes.end(), [](char c) {
                   return static_cast<unsigned char>(c) >= 0x80;
               })) {
        encoding_ = Encoding::Utf8;
        text = std::string(bytes);
    } else {
        encoding_ = Encoding::Cp1251;
        text = Cp1251ToUtf8(bytes);
    }
    size_t i = 0;
    while (i < text.size()) {
        const size_t start = i;
        while (i < text.size() && text[i] != '\r' && text[i] != '\n')
            ++i;
        lines_.push_back(Classify(text.substr(start, i - start)));
        if (i < text.size() && text[i] == '\r')
            ++i;
        if (i < text.size() && text[i] == '\n')
            ++i;
    }
}

std::string TIniDocument::Serialize() const {
    std::string text;
    for (const Line& line : lines_) {
        text += line.text;
        text += "\r\n";
    }
    if (encoding_ == Encoding::Cp1251) {
        std::string bytes;
        if (TryUtf8ToCp1251(text, bytes))
            return bytes;
        return kBom + text; // characters the code page lacks: keep them all in UTF-8
    }
    return encoding_ == Encoding::Utf8Bom ? kBom + text : text;
}

long TIniDocument::FindSection(std::string_view section, size_t& end) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Line::Section && AnsiSameText(lines_[i].name, section)) {
            end = i + 1;
            while (end < lines_.size() && lines_[end].kind != Line::Section)
                ++end;
            return static_cast<long>(i);
        }
    }
    end = 0;
    return -1;
}

bool TIniDocument::Find(std::string_view section, std::string_view key, std::string& value) const {
    size_t end;
    const long s = FindSection(section, end);
    if (s < 0)
        return false;
    const std::string k = Trim(key);
    for (size_t i = static_cast<size_t>(s) + 1; i < end; ++i)
        if (lines_[i].kind == Line::Key && AnsiSameText(lines_[i].name, k)) {
            value = lines_[i].value;
            return true;
        }
    return false;
}

void TIniDocument::Write(std::string_view section, std::string_view key, std::string_view value) {
    CheckSection(section);
    const std::string k = CheckKey(key);
    const std::string stored = OneLine(value);
    // The line as it will be written; the value reads back exactly until the file is read again.
    auto keyLine = [&](const std::string& name) {
        Line line = Classify(name + "=" + stored);
        line.value = stored;
        return line;
    };
    size_t end;
    const long s = FindSection(section, end);
    if (s < 0) {
        lines_.push_back(Classify("[" + std::string(section) + "]"));
        lines_.push_back(keyLine(k));
        return;
    }
    for (size_t i = static_cast<size_t>(s) + 1; i < end; ++i)
        if (lines_[i].kind == Line::Key && AnsiSameText(lines_[i].name, k)) {
            lines_[i] = keyLine(lines_[i].name);
            return;
        }
    // After the section's last non-blank line, so that a blank line before the next section
    // stays where it is.
    size_t at = end;
    while (at > static_cast<size_t>(s) + 1 && Trim(lines_[at - 1].text).empty())
        --at;
    lines_.insert(lines_.begin() + static_cast<long>(at), keyLine(k));
}

void TIniDocument::Keys(std::string_view section, std::vector<std::string>& keys) const {
    keys.clear();
    size_t end;
    const long s = FindSection(section, end);
    if (s < 0)
        return;
    for (size_t i = static_cast<size_t>(s) + 1; i < end; ++i) {
        if (lines_[i].kind != Line::Key)
            continue;
        const std::string& name = lines_[i].name;
        if (std::none_of(keys.begin(), keys.end(),
                         [&](const std::string& k) { return AnsiSameText(k, name); }))
            keys.push_back(name);
    }
}

void TIniDocument::Sections(std::vector<std::string>& sections) const {
    sections.clear();
    for (const Line& line : lines_) {
        if (line.kind != Line::Section)
            continue;
        if (std::none_of(sections.begin(), sections.end(),
                         [&](const std::string& s) { return AnsiSameText(s, line.name); }))
            sections.push_back(line.name);
    }
}

bool TIniDocument::HasSection(std::string_view section) const {
    size_t end;
    return FindSection(section, end) >= 0;
}

void TIniDocument::EraseSection(std::string_view section) {
    // Every occurrence goes, so that a later duplicate does not take the erased one's place.
    size_t end;
    long s;
    while ((s = FindSection(section, end)) >= 0)
        lines_.erase(lines_.begin() + s, lines_.begin() + static_cast<long>(end));
}

void TIniDocument::DeleteKey(std::string_view section, std::string_view key) {
    size_t end;
    const long s = FindSection(section, end);
    if (s < 0)
        return;
    const std::string k = Trim(key);
    for (size_t i = end; i-- > static_cast<size_t>(s) + 1;)
        if (lines_[i].kind == Line::Key && AnsiSameText(lines_[i].name, k))
            lines_.erase(lines_.begin() + static_cast<long>(i));
}

std::vector<std::string> TIniDocument::Lines() const {
    std::vector<std::string> r;
    r.reserve(lines_.size());
    for (const Line& line : lines_)
        r.push_back(line.text);
    return r;
}

void TIniDocument::SetLines(const std::vector<std::string>& lines) {
    lines_.clear();
    for (const std::string& text : lines) {
        // A line that holds line breaks becomes several lines, as it would on disk.
        size_t i = 0;
        do {
            const size_t start = i;
            while (i < text.size() && text[i] != '\r' && text[i] != '\n')
                ++i;
            lines_.push_back(Classify(text.substr(start, i - start)));
            if (i < text.size() && text[i] == '\r')
                ++i;
            if (i < text.size() && text[i] == '\n')
                ++i;
        } while (i < text.size());
    }
}

// --- TCustomIniFile ------------------------------------------------------------------------------

TCustomIniFile::TCustomIniFile(std::string fileName) : fileName_(NormalizePath(fileName)) {}

int32_t TCustomIniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) {
    return StrToIntDef(ReadString(section, key, ""), def);
}

void TCustomIniFile::WriteInteger(std::string_view section, std::string_view key, int64_t value) {
    WriteString(section, key, IntToStr(value));
}

bool TCustomIniFile::ReadBool(std::string_view section, std::string_view key, bool def) {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(std::string_view section, std::string_view key, double def) {
    return StrToFloatDef(ReadString(section, key, ""), def);
}

void TCustomIniFile::WriteFloat(std::string_view section, std::string_view key, double value) {
    WriteString(section, key, FloatToStr(value));
}

double TCustomIniFile::ReadDateTime(std::string_view section, std::string_view key, double def) {
    TDateTime v;
    return TryStrToDateTime(ReadString(section, key, ""), v) ? v : def;
}

void TCustomIniFile::WriteDateTime(std::string_view section, std::string_view key, double value) {
    WriteString(section, key, DateTimeToStr(value));
}

bool TCustomIniFile::SectionExists(std::string_view section) {
    // A header without keys does not count: callers write their defaults then.
    TStringList keys;
    ReadSection(section, keys);
    return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(std::string_view section, std::string_view key) {
    TStringList keys;
    ReadSection(section, keys);
    return keys.IndexOf(Trim(key)) >= 0;
}

// --- TMemIniFile --------------------------------------------------------------------------------

TMemIniFile::TMemIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)) {
    Load();
}

void TMemIniFile::Load() {
    doc_.Clear();
    if (FileExists(fileName_))
        doc_.Parse(ReadFileBytes(fileName_));
    modified_ = false;
}

void TMemIniFile::Save() {
    try {
        WriteFileAtomic(fileName_, doc_.Serialize());
    } catch (const EInOutError& e) {
        throw EIniFileException("Unable to write to " + fileName_ + " (" + e.Message() + ")");
    }
    modified_ = false;
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view def) {
    std::string value;
    return doc_.Find(section, key, value) ? value : std::string(def);
}

void TMemIniFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
    doc_.Write(section, key, value);
    modified_ = true;
}

void TMemIniFile::ReadSection(std::string_view section, TStrings& keys) {
    std::vector<std::string> names;
    doc_.Keys(section, names);
    keys.BeginUpdate();
    keys.Clear();
    keys.AddStrings(names);
    keys.EndUpdate();
}

void TMemIniFile::ReadSections(TStrings& sections) {
    std::vector<std::string> names;
    doc_.Sections(names);
    sections.BeginUpdate();
    sections.Clear();
    sections.AddStrings(names);
    sections.EndUpdate();
}

void TMemIniFile::ReadSectionValues(std::string_view section, TStrings& values) {
    std::vector<std::string> names;
    doc_.Keys(section, names);
    values.BeginUpdate();
    values.Clear();
    for (const std::string& name : names) {
        std::string value;
        doc_.Find(section, name, value);
        values.Add(name + "=" + value);
    }
    values.EndUpdate();
}

void TMemIniFile::EraseSection(std::string_view section) {
    doc_.EraseSection(section);
    modified_ = true;
}

void TMemIniFile::DeleteKey(std::string_view section, std::string_view key) {
    doc_.DeleteKey(section, key);
    modified_ = true;
}

void TMemIniFile::UpdateFile() {
    Save();
}

void TMemIniFile::Clear() {
    doc_.SetLines({});
    modified_ = true;
}

void TMemIniFile::GetStrings(TStrings& lines) const {
    lines.BeginUpdate();
    lines.Clear();
    lines.AddStrings(doc_.Lines());
    lines.EndUpdate();
}

void TMemIniFile::SetStrings(const TStrings& lines) {
    doc_.SetLines(lines.ToVector());
    modified_ = true;
}

void TMemIniFile::Rename(std::string fileName, bool reload) {
    fileName_ = NormalizePath(fileName);
    if (reload)
        Load();
}

// --- TIniFile -----------------------------------------------------------------------------------

TIniFile::TIniFile(std::string fileName) : TMemIniFile(std::move(fileName)) {
    stamp_ = CurrentStamp();
}

TIniFile::Stamp TIniFile::CurrentStamp() const {
    Stamp s;
    struct stat st {};
    if (::stat(fileName_.c_str(), &st) == 0) {
        s.exists = true;
        s.size = st.st_size;
        s.mtimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
        s.inode = static_cast<int64_t>(st.st_ino);
    }
    return s;
}

void TIniFile::Refresh() {
    const Stamp now = CurrentStamp();
    if (now == stamp_)
        return;
    Load();
    stamp_ = now;
}

void TIniFile::Commit() {
    try {
        Save();
    } catch (...) {
        // The file did not change: neither does what we read from it.
        Load();
        stamp_ = CurrentStamp();
        throw;
    }
    stamp_ = CurrentStamp();
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view def) {
    Refresh();
    std::string value;
    return doc_.Find(section, key, value) ? Unquote(value) : std::string(def);
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    Refresh();
    TMemIniFile::WriteString(section, key, ProtectForProfile(value));
    Commit();
}

void TIniFile::ReadSection(std::string_view section, TStrings& keys) {
    Refresh();
    TMemIniFile::ReadSection(section, keys);
}

void TIniFile::ReadSections(TStrings& sections) {
    Refresh();
    TMemIniFile::ReadSections(sections);
}

void TIniFile::ReadSectionValues(std::string_view section, TStrings& values) {
    Refresh();
    TMemIniFile::ReadSectionValues(section, values);
}

void TIniFile::EraseSection(std::string_view section) {
    Refresh();
    TMemIniFile::EraseSection(section);
    Commit();
}

void TIniFile::DeleteKey(std::string_view section, std::string_view key) {
    Refresh();
    TMemIniFile::DeleteKey(section, key);
    Commit();
}
