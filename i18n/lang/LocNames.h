#pragma once
// The fixed name tables of the localiser: kinds of table, dialog words, locale items, the
// default excluded properties and the localiser class names known to tools.

#include "platform/classes/TypeInfo.h"

#include <array>
#include <string>
#include <vector>

Q4_ENUM(TStringsType, stCaptions, stHints, stDisplayLabels, stFonts, stMultiLines, stDlgsCaptions,
        stStrings, stOtherStrings, stLocales, stCollections, stCharSets, stListView_TreeView_Items);
constexpr int StringsTypeCount = 12;
constexpr int ListKindCount = 11; // every kind but stListView_TreeView_Items has a list

// "stCaptions" ... "stListView_TreeView_Items", by ordinal.
const std::string& StringsTypeName(int kind);
// The list property of a kind: its name without "st" ("Captions").
std::string StringsTypeListName(int kind);

struct TLocDialogWord {
    const char* Word;        // with its hot-key "&"
    const char* DefaultText; // the platform's caption for the 15 basic ones, else the word
};
constexpr int DialogWordCount = 86;
constexpr int BasicDialogWordCount = 15;
const std::array<TLocDialogWord, DialogWordCount>& DialogWords();
// The key of a dialog word: the word without its "&".
std::string DialogWordKey(int index);
// True when the key is not one of the 15 basic words (exact comparison).
bool IsExtraDialogWord(const std::string& key);

constexpr int LocaleItemCount = 15;
const std::array<const char*, LocaleItemCount>& LocaleItemNames();

const std::vector<std::string>& DefaultExcludedProperties();
// The localiser class names, and the names of the text-access routines, for tools.
const std::vector<std::string>& LocaliserClassNames();
const std::vector<std::string>& TextAccessRoutineNames();
