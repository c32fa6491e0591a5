#pragma once
// Line routines shared by the stored translation tables and the translation files: splitting and
// joining fields, finding an entry by its key and merging two entries of one key.

#include <string>
#include <string_view>
#include <vector>

class TStrings;

// The text cut at every occurrence of the delimiter (a longer delimiter is matched whole); the
// rest after the last delimiter is kept only when it is not empty.
std::vector<std::string> SplitFields(std::string_view text, std::string_view delimiter);
// The items joined by the separator; with skipEmpty, empty items are left out.
std::string JoinFields(const std::vector<std::string>& items, std::string_view separator,
                       bool skipEmpty);
// Index of the first entry whose key (field 0) equals the line's key ignoring case; -1 when none.
int FindEntryByKey(const TStrings& list, std::string_view line, char delimiter);
// The old entry's key and texts, each text replaced by the new entry's text of that language
// when that is not empty, then the new entry's further texts; every field followed by byte 1.
std::string MergeEntry(std::string_view oldLine, std::string_view newLine, char delimiter);
