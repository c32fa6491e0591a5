#pragma once
// The program's resource strings: texts kept in one string table under numeric identifiers and
// loaded on use. Every load goes through one replaceable hook, so that a translator installed at
// run time sees each text before it is used; without a hook the texts come back as stored.
//
//     RegisterResString(SInvalidPort, "Invalid port: %s");
//     throw Exception(FmtLoadStr(SInvalidPort, {name}));

#include "platform/rtl/Format.h"

#include <string>
#include <string_view>
#include <vector>

// One resource string: its identifier in the program's string table, or (for a string kept
// outside the table) the text itself.
struct TResStringRec {
    int Identifier = 0;
    const char* Text = nullptr; // when set, the text itself: no table look-up
    bool HasText() const { return Text != nullptr; }
};

// Puts a text into the program's string table (replacing one of the same identifier).
void RegisterResString(int identifier, std::string text);
// The text of an identifier as stored; empty when the table has none.
std::string StoredResString(int identifier);

// The hook every load passes through: given the record and the stored text, it returns the text
// to use. Called on whatever thread loads the string.
using TResStringHook = std::string (*)(const TResStringRec& record, std::string text);
// Installs a hook (nullptr removes it); returns the one installed before.
TResStringHook SetResStringHook(TResStringHook hook);
TResStringHook ResStringHook();

// The text of a record (empty for a null record), passed through the hook. Texts of any length
// come back whole.
std::string LoadResString(const TResStringRec* record);
// The text of an identifier of the program's table, passed through the hook.
std::string LoadStr(int identifier);
// LoadStr, then formatted with the arguments (Format's rules and errors).
std::string FmtLoadStr(int identifier, const std::vector<TVarRec>& args);
