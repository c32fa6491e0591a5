#pragma once
// Ini-style texts held wholly in memory, as the localiser's translation files use them:
// "[Section]" headers and "Name=Value" lines, sections and names kept sorted without regard to
// case (Windows-1251 letters included). A name may stand more than once in a section; the line
// added last comes first among its equals, so it is the one read. Text is bytes, written back
// as it was read, with CR LF line ends.

#include "platform/rtl/DateTime.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TStrings;
class TStream;

// The typed reads and writes, over two text operations that a descendant provides.
class TLocCustomIniFile {
public:
    explicit TLocCustomIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
    virtual ~TLocCustomIniFile() = default;
    TLocCustomIniFile(const TLocCustomIniFile&) = delete;
    TLocCustomIniFile& operator=(const TLocCustomIniFile&) = delete;

    const std::string& FileName() const { return fileName_; }

    virtual std::string ReadText(std::string_view section, std::string_view key,
                                 std::string_view def) = 0;
    virtual void WriteText(std::string_view section, std::string_view key,
                           std::string_view value) = 0;
    // Decimal, or hexadecimal after "0x"; def when the text is no whole number.
    virtual int32_t ReadNumber(std::string_view section, std::string_view key, int32_t def);
    virtual void WriteNumber(std::string_view section, std::string_view key, int32_t value);
    virtual bool ReadFlag(std::string_view section, std::string_view key, bool def);
    virtual void WriteFlag(std::string_view section, std::string_view key, bool value);
    // In the process-wide format settings; def when the text is empty or no such value.
    virtual TDateTime ReadDateValue(std::string_view section, std::string_view key, TDateTime def);
    virtual TDateTime ReadDateTimeValue(std::string_view section, std::string_view key,
                                        TDateTime def);
    virtual double ReadFloatValue(std::string_view section, std::string_view key, double def);
    virtual TDateTime ReadTimeValue(std::string_view section, std::string_view key, TDateTime def);
    virtual void WriteDateValue(std::string_view section, std::string_view key, TDateTime value);
    virtual void WriteDateTimeValue(std::string_view section, std::string_view key,
                                    TDateTime value);
    virtual void WriteFloatValue(std::string_view section, std::string_view key, double value);
    virtual void WriteTimeValue(std::string_view section, std::string_view key, TDateTime value);

    virtual void ListKeys(std::string_view section, TStrings& strings) = 0;
    virtual void ListSections(TStrings& strings) = 0;
    virtual void ListValues(std::string_view section, TStrings& strings) = 0;
    virtual void DropSection(std::string_view section) = 0;
    virtual void DropKey(std::string_view section, std::string_view key) = 0;
    virtual void SaveFile() = 0;

    // The section has at least one key.
    bool HasSection(std::string_view section);

private:
    std::string fileName_;
};

class TLocMemIniFile : public TLocCustomIniFile {
public:
    // Reads the file when the name is not empty and the file exists.
    explicit TLocMemIniFile(std::string fileName);
    ~TLocMemIniFile() override;

    std::string ReadText(std::string_view section, std::string_view key,
                         std::string_view def) override;
    void WriteText(std::string_view section, std::string_view key, std::string_view value) override;
    void ListKeys(std::string_view section, TStrings& strings) override;
    void ListSections(TStrings& strings) override;
    void ListValues(std::string_view section, TStrings& strings) override;
    void DropSection(std::string_view section) override;
    void DropKey(std::string_view section, std::string_view key) override;
    // Replaces the file with the text of ExportLines.
    void SaveFile() override;

    void LoadStream(TStream& stream);
    void ExportLines(TStrings& list) const;
    // Empty lines and ";" comments are skipped, "[name]" opens a section (a repeated one goes on
    // with the first of that name), other lines are keys of the open section; lines before the
    // first header are dropped.
    void ImportLines(const TStrings& list);
    void ClearAll();
    bool Modified() const { return modified_; }

private:
    struct Key {
        std::string name, value;
    };
    struct Section {
        std::string name;
        std::vector<Key> keys; // sorted by name, newest first among equals
    };
    Section* FindSection(std::string_view name);
    Section& AddSection(std::string_view name);

    std::vector<std::unique_ptr<Section>> sections_; // sorted by name
    bool modified_ = false;
};
