#pragma once
// Translation project files: the stored localisers of several forms in one file, each under
// its form's class name, with the languages translators must not change. Layout (integers
// little-endian): a 43-byte header (HeaderText, its zero byte included), the entry count
// (2 bytes), the length (2 bytes) and bytes of the fixed language names (lines), then per entry
// the length (2 bytes) and bytes of a form's class name and the offset (4 bytes) of its
// localiser, which is stored there as a binary form description.
//
// The file is untrusted input: every field is checked against the bytes that remain, and a
// file that is not one, or is cut short, raises ELocProjectFileError naming the place.

#include "platform/classes/Persistent.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Exception.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TLocCustomLang;
class TStream;

// What is wrong with a project file.
enum class TLPBFault {
    Header,    // the file does not begin with the header: "Unrecognized stream format!"
    Truncated, // a field runs past the end of the file
    Offset,    // an entry's localiser would start outside the file
    Class,     // the localiser's class cannot be found or is another class of that name
};

class ELocProjectFileError : public EReadError {
public:
    ELocProjectFileError(std::string message, TLPBFault fault, int64_t offset)
        : EReadError(std::move(message), offset, 0), Fault(fault) {}
    const char* ClassName() const noexcept override { return "ELocProjectFileError"; }
    TLPBFault Fault;
};

// True for a file name whose extension is ".LPB" (ignoring case).
bool IsProjectFileName(std::string_view fileName);

class TLPBFileManager : public TPersistent {
    Q4_CLASS(TLPBFileManager, TPersistent)
public:
    TLPBFileManager();
    ~TLPBFileManager() override;

    // "LPB file: TLocLang binary translation data" and its zero byte.
    static const std::string& FileHeader();

    void LoadFromFile(TLocCustomLang* localiser, const std::string& ownerClassName,
                      const std::string& fileName);
    // Reads the fixed language names, then the tables, names, delimiter, storage flag and
    // extended translations stored under ownerClassName into localiser. A file without that
    // entry changes only FixedLanguageNames.
    void LoadFromStream(TLocCustomLang* localiser, const std::string& ownerClassName,
                        TStream& stream);
    // Copies one kind of table of the form's entry over localiser's.
    void LoadKindFromFile(int kind, const std::string& fileName, const std::string& ownerClassName,
                          TLocCustomLang* localiser);
    void ClearLocalisers();

    // Writes a project file with one entry per (form class name, localiser), in that order.
    static void SaveToStream(TStream& stream,
                             const std::vector<std::pair<std::string, TLocCustomLang*>>& forms,
                             const TStrings& fixedLanguageNames);

    // A localiser of like's class, without owner and marked as a temporary holder, that sits
    // among like's owner's components (so that it knows the form's class) while it lives.
    static std::unique_ptr<TLocCustomLang> CreateHolder(TLocCustomLang* like);

    std::string HeaderText;
    TStringList FixedLanguageNames; // sorted, duplicates ignored
    TStringList OwnerNames;
    std::vector<std::unique_ptr<TLocCustomLang>> Localisers;
    std::u16string CommentsFile;

protected:
    void AssignTo(TPersistent* dest) override;

private:
    void ReadHeader(TStream& stream);
    static void CopyTables(TLocCustomLang* target, TLocCustomLang* stored);
};
