#pragma once
// The layout of external translation files as the localiser's file operations share it: the
// section names, the delimiter, the language names and the escapes of texts and keys.

#include <string>
#include <string_view>
#include <vector>

class TLocMemIniFile;
class TStrings;

inline constexpr const char* FileOptionsSection = "OPTIONS";
inline constexpr const char* FileNamesSection = "Language names - for internal use only!";
// The names section under the misspelt title of older files; saving drops it.
inline constexpr const char* FileOldNamesSection = "Language names - for intenal use only!";

// The section of a kind of table ("Captions" ... "ListView_TreeView_Items").
const char* FileSectionName(int kind);
// "OPTIONS"/"DELIMITER", or the default delimiter when the file names none.
std::string FileDelimiter(TLocMemIniFile& ini);
// The names "Language_1", "Language_2", ... up to the first empty one, as program text.
void ReadFileLanguageNames(TLocMemIniFile& ini, TStrings& names);
// Language names in files: UTF-8 in a UTF-8 file, else the Windows code page.
std::string ProgramTextToFile(const std::string& text, bool utf8File);
std::string FileTextToProgram(const std::string& text, bool utf8File);
// CR and LF of a text as bytes 25 and 26 (a line of a file or of the stored tables cannot
// hold line breaks), and back.
std::string TextToFile(std::string text);
std::string TextFromFile(std::string text);
// "[" and "]" of collection keys as "-" and "+"; back, only the first of each.
std::string KeyToFile(std::string key);
std::string KeyFromFile(std::string key);
// Index of a language name in names, ignoring case; -1 when it is not there.
int IndexOfLanguage(const TStrings& names, std::string_view name);
// The text begins with prefix, ignoring case (Windows-1251 letters included).
bool StartsTextLocale(std::string_view prefix, std::string_view text);

// The keys (the text before the first delimiter) of a list's entries, for look-ups ignoring
// case in log time.
class TEntryKeyIndex {
public:
    TEntryKeyIndex(const TStrings& list, char delimiter);
    bool Contains(std::string_view key) const;
    void Add(std::string key);

private:
    std::vector<std::string> keys_; // sorted ignoring case
};

// Appends each entry of `old` whose key has no entry in `list`.
void AppendMissingEntries(TStrings& list, const TStrings& old, char delimiter);
