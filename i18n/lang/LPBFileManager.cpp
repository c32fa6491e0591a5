#include "i18n/lang/LPBFileManager.h"

#include "i18n/lang/LocCustomLang.h"
#include "i18n/lang/LocExtendedItems.h"
#include "i18n/lang/LocLangDispatcher.h"
#include "i18n/lang/LocTemporary.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"

namespace {

// Reads little-endian fields of a project file, each checked against the bytes that remain.
class TFieldReader {
public:
    explicit TFieldReader(TStream& stream) : stream_(stream), size_(stream.Size()) {}

    std::string Bytes(int64_t count, const char* what) {
        const int64_t at = stream_.Position();
        if (count > size_ - at)
            throw ELocProjectFileError(
                Format("Translation project file cut short: %s at offset %d", {what, at}),
                TLPBFault::Truncated, at);
        return stream_.ReadBytes(count);
    }
    uint16_t Word(const char* what) {
        const std::string b = Bytes(2, what);
        return static_cast<uint16_t>(static_cast<uint8_t>(b[0]) | static_cast<uint8_t>(b[1]) << 8);
    }
    uint32_t DWord(const char* what) {
        const std::string b = Bytes(4, what);
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = v << 8 | static_cast<uint8_t>(b[static_cast<size_t>(i)]);
        return v;
    }
    int64_t Size() const { return size_; }

private:
    TStream& stream_;
    int64_t size_;
};

void PutWord(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>(value >> (8 * i) & 0xFF);
}

// Moves the first entry from the second on that begins with prefix to the top.
void MoveOwnEntryFirst(TStrings& list, const std::string& prefix) {
    for (int i = 1; i < list.Count(); ++i)
        if (StartsStr(prefix, list.Get(i))) {
            list.Move(i, 0);
            return;
        }
}

} // namespace

bool IsProjectFileName(std::string_view fileName) {
    return UpperCase(ExtractFileExt(fileName)) == ".LPB";
}

const std::string& TLPBFileManager::FileHeader() {
    static const std::string header("LPB file: TLocLang binary translation data\0", 43);
    return header;
}

TLPBFileManager::TLPBFileManager() : HeaderText(FileHeader()) {
    FixedLanguageNames.SetSorted(true);
    FixedLanguageNames.SetDuplicates(dupIgnore);
}

TLPBFileManager::~TLPBFileManager() {
    ClearLocalisers();
}

void TLPBFileManager::ClearLocalisers() {
    Localisers.clear();
}

void TLPBFileManager::AssignTo(TPersistent* dest) {
    auto* other = dynamic_cast<TLPBFileManager*>(dest);
    if (other == nullptr) {
        TPersistent::AssignTo(dest);
        return;
    }
    other->HeaderText = HeaderText;
    other->FixedLanguageNames.Assign(FixedLanguageNames);
    other->OwnerNames.Assign(OwnerNames);
    other->CommentsFile = CommentsFile;
    other->ClearLocalisers();
    for (const auto& localiser : Localisers) {
        TMemoryStream copy;
        WriteComponentToStream(copy, localiser.get());
        copy.SetPosition(0);
        TReader reader(copy);
        std::unique_ptr<TComponent> read(reader.ReadRootComponent(nullptr));
        if (auto* lang = dynamic_cast<TLocCustomLang*>(read.get())) {
            read.release();
            other->Localisers.emplace_back(lang);
        }
    }
}

std::unique_ptr<TLocCustomLang> TLPBFileManager::CreateHolder(TLocCustomLang* like) {
    std::unique_ptr<TLocCustomLang> holder(
        static_cast<TLocCustomLang*>(like->ClassType()->CreateComponent(nullptr)));
    holder->TempHolder = true;
    if (like->Owner() != nullptr)
        like->Owner()->InsertComponent(holder.get());
    return holder;
}

void TLPBFileManager::LoadFromFile(TLocCustomLang* localiser, const std::string& ownerClassName,
                                   const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyNone);
    LoadFromStream(localiser, ownerClassName, stream);
}

void TLPBFileManager::ReadHeader(TStream& stream) {
    // Bytes up to the first zero (never more than the header holds, never into the last two
    // bytes of the file) must be the header.
    std::string read;
    const int64_t size = stream.Size();
    while (stream.Position() < size - 2 && read.size() < HeaderText.size()) {
        const char c = stream.ReadValue<char>();
        read += c;
        if (c == '\0')
            break;
    }
    if (read != HeaderText)
        throw ELocProjectFileError("Unrecognized stream format!", TLPBFault::Header, 0);
}

void TLPBFileManager::LoadFromStream(TLocCustomLang* localiser, const std::string& ownerClassName,
                                     TStream& stream) {
    stream.SetPosition(0);
    ReadHeader(stream);
    TFieldReader in(stream);
    const int entries = in.Word("the entry count");
    const uint16_t fixedLength = in.Word("the length of the fixed languages");
    FixedLanguageNames.Clear();
    FixedLanguageNames.SetText(Cp1251ToUtf8(in.Bytes(fixedLength, "the fixed languages")));
    for (int e = 0; e < entries; ++e) {
        const uint16_t nameLength = in.Word("an entry's name length");
        const std::string name = in.Bytes(nameLength, "an entry's name");
        const uint32_t offset = in.DWord("an entry's offset");
        if (name != ownerClassName)
            continue;
        if (offset >= in.Size())
            throw ELocProjectFileError(
                Format("Translation project file: the localiser of %s would start at offset %d, "
                       "past the end of the file (%d bytes)",
                       {name, static_cast<int64_t>(offset), in.Size()}),
                TLPBFault::Offset, static_cast<int64_t>(offset));
        TClass cls = GetClass(localiser->ClassName());
        if (cls == nullptr) {
            RegisterClass(localiser->ClassType());
            cls = GetClass(localiser->ClassName());
        }
        if (cls != localiser->ClassType()) {
            const std::string where =
                localiser->Owner() != nullptr
                    ? localiser->Owner()->ClassName() + "." + localiser->Name()
                    : localiser->Name();
            throw ELocProjectFileError(
                Format("Unable to obtain %s class reference for %s! Please be sure you don't mix "
                       "two class libraries in the same application.",
                       {localiser->ClassName(), where}),
                TLPBFault::Class, static_cast<int64_t>(offset));
        }
        // The stored localiser is read into a holder of our class and freed once its tables
        // are copied, so that repeated loads leave nothing behind.
        std::unique_ptr<TLocCustomLang> stored(
            static_cast<TLocCustomLang*>(cls->CreateComponent(nullptr)));
        TTemporary<bool> storedHolder(stored->TempHolder, true);
        TTemporary<bool> targetHolder(localiser->TempHolder, true);
        stream.SetPosition(offset);
        TReader reader(stream);
        reader.ReadRootComponent(stored.get());
        CopyTables(localiser, stored.get());
        return;
    }
}

void TLPBFileManager::CopyTables(TLocCustomLang* target, TLocCustomLang* stored) {
    target->storeAsUTF8_ = stored->storeAsUTF8_;
    // Tables stored with the tab delimiter (the declared default, so never written as such)
    // read with the delimiter of a new localiser; they are converted as loading a form would.
    if (stored->Delim() != '\t' && stored->HasTabDelimitedData())
        stored->ReplaceDelimiter('\t', stored->Delim());
    if (stored->LangDelim() != target->LangDelim())
        stored->SetLangDelim(target->LangDelim());
    const std::string ownPrefix = target->OwnerKey() + target->Delim();
    for (int kind = 0; kind < StringsTypeCount; ++kind) {
        TStrings* to = target->GetStringsOfType(kind);
        TStrings* from = stored->GetStringsOfType(kind);
        if (to == nullptr || from == nullptr)
            continue;
        to->Assign(*from);
        if (kind == stCaptions || kind == stHints || kind == stFonts || kind == stCharSets)
            MoveOwnEntryFirst(*to, ownPrefix);
    }
    target->SetLangNames(stored->LangNames());
    TLocExtendedItems* items = target->ExtendedTranslations();
    items->Clear();
    for (int i = 0; i < stored->ExtendedTranslations()->Count(); ++i) {
        const TLocExtendedItem* from = stored->ExtendedTranslations()->Items(i);
        TLocExtendedItem* item = items->Add();
        item->SetIdentifier(from->Identifier());
        item->PropertyType =
            static_cast<TTypeKind>(target->ExtendedPropertyKind(from->Identifier()));
        item->Values = from->Values;
    }
}

void TLPBFileManager::LoadKindFromFile(int kind, const std::string& fileName,
                                       const std::string& ownerClassName,
                                       TLocCustomLang* localiser) {
    std::unique_ptr<TLocCustomLang> holder = CreateHolder(localiser);
    LoadFromFile(holder.get(), ownerClassName, fileName);
    TStrings* from = holder->GetStringsOfType(kind);
    TStrings* to = localiser->GetStringsOfType(kind);
    if (from != nullptr && to != nullptr)
        to->Assign(*from);
}

void TLPBFileManager::SaveToStream(
    TStream& stream, const std::vector<std::pair<std::string, TLocCustomLang*>>& forms,
    const TStrings& fixedLanguageNames) {
    const std::string fixed = Utf8ToCp1251(fixedLanguageNames.Text());
    if (forms.size() > 0xFFFF || fixed.size() > 0xFFFF)
        throw EWriteError("Too many forms or fixed languages for a translation project file");
    std::vector<std::string> bodies;
    std::string index;
    int64_t indexSize = 0;
    for (const auto& [name, localiser] : forms) {
        if (name.size() > 0xFFFF)
            throw EWriteError("Form class name too long for a translation project file");
        TMemoryStream body;
        WriteComponentToStream(body, localiser);
        body.SetPosition(0);
        bodies.push_back(body.ReadToEnd());
        indexSize += 2 + static_cast<int64_t>(name.size()) + 4;
    }
    const int64_t start = stream.Position();
    int64_t offset = static_cast<int64_t>(FileHeader().size()) + 4 +
                     static_cast<int64_t>(fixed.size()) + indexSize;
    for (size_t i = 0; i < forms.size(); ++i) {
        PutWord(index, static_cast<uint32_t>(forms[i].first.size()), 2);
        index += forms[i].first;
        if (start + offset > 0xFFFFFFFFLL)
            throw EWriteError("Translation project file larger than 4 GB");
        PutWord(index, static_cast<uint32_t>(start + offset), 4);
        offset += static_cast<int64_t>(bodies[i].size());
    }
    std::string head = FileHeader();
    PutWord(head, static_cast<uint32_t>(forms.size()), 2);
    PutWord(head, static_cast<uint32_t>(fixed.size()), 2);
    stream.WriteBytes(head + fixed + index);
    for (const std::string& body : bodies)
        stream.WriteBytes(body);
}

// --- The localiser's project-file operations
// ------------------------------------------------------

void TLocCustomLang::LoadFromProjectFile(const std::string& fileName) {
    if (Owner() == nullptr)
        return;
    TLPBFileManager* shared =
        langDispatcher_ != nullptr && SameText(langDispatcher_->FileName(), fileName)
            ? langDispatcher_->ProjectFileManager()
            : nullptr;
    if (shared != nullptr) {
        shared->LoadFromFile(this, OwnerKey(), fileName);
    } else {
        TLPBFileManager manager;
        manager.LoadFromFile(this, OwnerKey(), fileName);
    }
    RefreshStringCollections();
    ApplyLanguage();
}

void TLocCustomLang::LoadKindFromProjectFile(int kind, const std::string& fileName) {
    TLPBFileManager manager;
    manager.LoadKindFromFile(kind, fileName, OwnerKey(), this);
    if (kind == stStrings)
        RefreshStringCollections();
}
