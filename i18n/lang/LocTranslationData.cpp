// The stored tables: the byte-block property "TranslationData" that holds every list as text
// lines, each list under a header naming its kind.

#include "i18n/lang/LocCustomLang.h"
#include "i18n/lang/LocExtendedItems.h"
#include "i18n/lang/LocFileText.h"
#include "i18n/lang/LocWideStringsAdapter.h"
#include "i18n/text/LocCharSets.h"
#include "i18n/text/LocLines.h"
#include "i18n/text/LocText.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Writer.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"

#include <algorithm>

namespace {

const std::string UnicodeSuffix = "_Unicode";

// The kind a header line names (plain or "_Unicode", letter case ignored), or -1.
int HeaderKind(std::string_view line, bool& unicode) {
    for (int kind = 0; kind < StringsTypeCount; ++kind) {
        const std::string& name = StringsTypeName(kind);
        if (SameIdent(line, name))
            return kind;
        if (SameIdent(line, name + UnicodeSuffix)) {
            unicode = true;
            return kind;
        }
    }
    return -1;
}

// Lines end at CR, LF or CR LF; a NUL byte ends the text.
std::vector<std::string> SplitLines(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> lines;
    size_t i = 0;
    while (i < text.size()) {
        size_t end = text.find_first_of("\r\n", i);
        if (end == std::string_view::npos)
            end = text.size();
        lines.emplace_back(text.substr(i, end - i));
        i = end;
        if (i < text.size() && text[i] == '\r')
            ++i;
        if (i < text.size() && text[i] == '\n')
            ++i;
    }
    return lines;
}

std::string WideToCodePage(std::u16string_view wide) {
    return WideToAnsiByCharSet(wide, DEFAULT_CHARSET);
}

} // namespace

void TLocCustomLang::DefineProperties(TFiler* filer) {
    TComponent::DefineProperties(filer);
    // An emptied list of excluded properties is stored as an empty list, so that it does not
    // come back with the default names; the reader reads it through the published list.
    filer->DefineProperty(
        "ExcludedProperties.Strings",
        [this](TReader* reader) {
            reader->ReadListBegin();
            excludedProperties_.Clear();
            while (!reader->EndOfList())
                excludedProperties_.Add(reader->ReadString());
            reader->ReadListEnd();
        },
        [](TWriter* writer) {
            writer->WriteListBegin();
            writer->WriteListEnd();
        },
        excludedProperties_.Count() == 0 && ExcludedPropertiesStored());
    filer->DefineBinaryProperty(
        "TranslationData", [this](TStream& s) { ReadTranslationData(s); },
        [this](TStream& s) { WriteTranslationData(s); }, TranslationDataStored(filer->Ancestor()));
}

bool TLocCustomLang::TranslationDataStored(TPersistent* ancestor) {
    auto* other = dynamic_cast<TLocCustomLang*>(ancestor);
    if (ancestor == nullptr)
        return true;
    if (other == nullptr)
        return true;
    for (int kind = 0; kind < StringsTypeCount; ++kind) {
        TStrings* mine = GetStringsOfType(kind);
        TStrings* theirs = other->GetStringsOfType(kind);
        if (mine != nullptr && theirs != nullptr && mine->Text() != theirs->Text())
            return true;
    }
    return false;
}

void TLocCustomLang::WriteTranslationData(TStream& stream) {
    for (int kind = 0; kind < StringsTypeCount; ++kind) {
        TStrings* list = GetStringsOfType(kind);
        if (list == nullptr)
            continue;
        stream.WriteBytes(StringsTypeName(kind) + "\r\n");
        std::string text;
        for (int i = 0; i < list->Count(); ++i)
            text += TextToFile(list->Get(i)) + "\r\n";
        if (list->Count() > 0)
            stream.WriteBytes(text);
    }
}

void TLocCustomLang::ReadTranslationData(TStream& stream) {
    const std::string bytes = stream.ReadToEnd();
    std::string text;
    std::u16string wide;
    if (bytes.size() >= 2 && bytes[1] != '\0') {
        text = bytes;
    } else if (bytes.size() >= 2) {
        // UTF-16 little-endian; an odd last byte belongs to no code unit.
        wide.resize(bytes.size() / 2);
        for (size_t i = 0; i < wide.size(); ++i)
            wide[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                            static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
        text = WideToCodePage(wide.substr(0, wide.find(u'\0')));
    }
    bool unicode = ReadEntryLines(SplitLines(text), nullptr);
    UpdateCharSets();
    if (!unicode)
        return;
    for (int i = 0; i < extended_->Count(); ++i) {
        TLocExtendedItem* item = extended_->Items(i);
        std::u16string line = u" ";
        line += static_cast<char16_t>(langDelim_);
        line += item->WideValues;
        item->Values = WideLineToStored(line).substr(2);
    }
    TLocWideStringsAdapter adapter;
    adapter.SetText(wide);
    std::vector<std::u16string> wideLines;
    std::vector<std::string> headers;
    for (int i = 0; i < adapter.Count(); ++i) {
        wideLines.push_back(adapter.Strings(i));
        headers.push_back(WideToCodePage(adapter.Strings(i)));
    }
    ReadEntryLines(headers, &wideLines);
}

bool TLocCustomLang::ReadEntryLines(const std::vector<std::string>& lines,
                                    const std::vector<std::u16string>* wide) {
    bool unicode = false;
    TStrings* current = nullptr;
    const bool clear = IsDesigning() || !IsInheritedOwner || TempHolder;
    for (size_t i = 0; i < lines.size(); ++i) {
        int kind = HeaderKind(lines[i], unicode);
        if (kind >= 0) {
            if (i + 1 == lines.size())
                break;
            current = GetStringsOfType(kind);
            if (wide != nullptr && (kind == stFonts || kind == stCharSets))
                current = nullptr;
            if (current != nullptr && clear)
                current->Clear();
            continue;
        }
        if (current == nullptr)
            continue;
        AddReadEntry(*current, TextFromFile(wide ? WideLineToStored((*wide)[i]) : lines[i]));
    }
    return unicode;
}

void TLocCustomLang::AddReadEntry(TStrings& list, std::string line) {
    if (IsInheritedOwner && !TempHolder) {
        int at = FindEntryByKey(list, line, Delim());
        if (at >= 0) {
            std::string merged = MergeEntry(list.Get(at), line, Delim());
            list.Delete(at);
            list.Insert(at, merged);
            return;
        }
    }
    if (Owner() != nullptr && StartsStr(OwnerKey() + Delim(), line))
        list.Insert(0, line);
    else
        list.Add(line);
}

std::string TLocCustomLang::WideLineToStored(std::u16string_view wideLine) {
    if (static_cast<int>(langCharSets_.size()) < numOfLanguages_)
        RebuildLangCharSets();
    const char16_t delim = static_cast<char16_t>(langDelim_);
    std::string stored = GetField(WideToCodePage(wideLine), Delim(), 0) + Delim();
    for (int i = 1; i <= numOfLanguages_; ++i) {
        std::u16string field = GetWideField(wideLine, delim, i);
        stored += storeAsUTF8_
                      ? Utf16ToUtf8(field)
                      : WideToAnsiByCharSet(field, langCharSets_[static_cast<size_t>(i - 1)]);
        stored += Delim();
    }
    return stored;
}
