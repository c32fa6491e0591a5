#pragma once
// Ini files with the Windows profile semantics the settings files rely on:
//  - "[Section]" and "Key=Value" lines; sections and keys match without regard to case
//    (Cyrillic included); the first occurrence of a section or key wins;
//  - values are read trimmed; TIniFile also removes one pair of matching quotes ('...' or "...")
//    and protects a value it writes with quotes where reading would change it, while TMemIniFile
//    keeps quotes as they stand;
//  - lines that are neither (comments, noise) and unknown sections and keys are kept as they are;
//  - an existing key is replaced in place, a new key goes to the end of its section, a new
//    section to the end of the file;
//  - Integers read decimal or "$"/"0x" hex, Booleans are written "1"/"0" and read as integer <> 0.
// On disk the text is Windows-1251 with CR LF line ends. A file that starts with a UTF-8 mark,
// or is valid UTF-8 with non-ASCII text, is read as UTF-8 and kept so; a file whose text no
// longer fits Windows-1251 is written as UTF-8 with a mark instead of losing characters.
// Every save goes to a temporary file that is renamed over the old one.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TStrings;

class TCustomIniFile {
public:
    explicit TCustomIniFile(std::string fileName);
    virtual ~TCustomIniFile() = default;
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;

    const std::string& FileName() const { return fileName_; }

    virtual std::string ReadString(std::string_view section, std::string_view key,
                                   std::string_view def) = 0;
    virtual void WriteString(std::string_view section, std::string_view key,
                             std::string_view value) = 0;
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def);
    void WriteInteger(std::string_view section, std::string_view key, int64_t value);
    bool ReadBool(std::string_view section, std::string_view key, bool def);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    // Text in the process-wide format settings (decimal comma on a Russian desktop).
    double ReadFloat(std::string_view section, std::string_view key, double def);
    void WriteFloat(std::string_view section, std::string_view key, double value);
    double ReadDateTime(std::string_view section, std::string_view key, double def);
    void WriteDateTime(std::string_view section, std::string_view key, double value);

    // Key names of a section, section names, and "Key=Value" lines of a section.
    virtual void ReadSection(std::string_view section, TStrings& keys) = 0;
    virtual void ReadSections(TStrings& sections) = 0;
    virtual void ReadSectionValues(std::string_view section, TStrings& values) = 0;
    virtual void EraseSection(std::string_view section) = 0;
    virtual void DeleteKey(std::string_view section, std::string_view key) = 0;
    // True when the section has at least one key.
    virtual bool SectionExists(std::string_view section);
    virtual bool ValueExists(std::string_view section, std::string_view key);
    // Writes pending changes (TMemIniFile); TIniFile has none.
    virtual void UpdateFile() = 0;

protected:
    std::string fileName_;
};

// The parsed file: every line kept, with an index of where sections and keys are.
class TIniDocument {
public:
    enum class Encoding { Cp1251, Utf8, Utf8Bom };

    void Parse(std::string_view bytes);
    std::string Serialize() const;
    void Clear();

    // The value as stored (trimmed when read from the file, as written otherwise; quotes kept);
    // false when absent.
    bool Find(std::string_view section, std::string_view key, std::string& value) const;
    void Write(std::string_view section, std::string_view key, std::string_view value);
    void Keys(std::string_view section, std::vector<std::string>& keys) const;
    void Sections(std::vector<std::string>& sections) const;
    bool HasSection(std::string_view section) const;
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view key);
    // The lines as text (UTF-8), and replacing them.
    std::vector<std::string> Lines() const;
    void SetLines(const std::vector<std::string>& lines);

private:
    struct Line {
        enum Kind { Other, Section, Key } kind = Other;
        std::string text;  // the whole line, UTF-8
        std::string name;  // section name or key, trimmed
        std::string value; // key value as stored (trimmed)
    };
    static Line Classify(std::string text);
    // First line of the first occurrence of `section` (its header), or -1; `end` is one past its
    // last line.
    long FindSection(std::string_view section, size_t& end) const;

    std::vector<Line> lines_;
    Encoding encoding_ = Encoding::Cp1251;
};

// The whole file held in memory; changes reach the disk on UpdateFile.
class TMemIniFile : public TCustomIniFile {
public:
    // Reads `fileName` when it exists.
    explicit TMemIniFile(std::string fileName);

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) override;
    void WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;
    void ReadSection(std::string_view section, TStrings& keys) override;
    void ReadSections(TStrings& sections) override;
    void ReadSectionValues(std::string_view section, TStrings& values) override;
    void EraseSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view key) override;
    void UpdateFile() override;

    void Clear();
    void GetStrings(TStrings& lines) const;
    void SetStrings(const TStrings& lines);
    // Switches to another file, reading it when `reload`.
    void Rename(std::string fileName, bool reload);
    // True while there are changes that UpdateFile has not written.
    bool Modified() const { return modified_; }

protected:
    void Load();
    void Save();
    TIniDocument doc_;
    bool modified_ = false;
};

// Every write reaches the disk at once (through the temporary file), and reads see changes that
// another object or program made to the file since.
class TIniFile : public TMemIniFile {
public:
    explicit TIniFile(std::string fileName);

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) override;
    void WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;
    void ReadSection(std::string_view section, TStrings& keys) override;
    void ReadSections(TStrings& sections) override;
    void ReadSectionValues(std::string_view section, TStrings& values) override;
    void EraseSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view key) override;
    void UpdateFile() override {}

private:
    void Refresh();
    void Commit();
    struct Stamp {
        bool exists = false;
        int64_t size = 0, mtimeNs = 0, inode = 0;
        bool operator==(const Stamp&) const = default;
    };
    Stamp CurrentStamp() const;
    Stamp stamp_;
};
