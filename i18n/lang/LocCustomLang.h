#pragma once
// The localiser: a non-visual component that keeps a form's translations. Eleven lists, one per
// kind of translatable item, hold entry lines (key, the LangDelim byte, then each language's
// text followed by LangDelim); the lists are stored in the form description as one block of
// bytes, "TranslationData". Entry texts are bytes as stored: the code page of the language's
// charset, or UTF-8 with StoreAsUTF8. Names (LangNames, Language, the name lists) are program
// text.
//
// The translation engine (applying a language, collecting a form's texts, look-ups and entry
// writes, resource-string redirection) lives in the LocApply*, LocCollect*, LocEntries,
// LocPrepareList, LocRemoveObsolete and LocResourceStrings files.

#include "i18n/lang/LocErrors.h"
#include "i18n/lang/LocNames.h"
#include "i18n/tables/LocStringsCollection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Events.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TLocLangDispatcher;
class TLocExtendedItems;
class TLocMemIniFile;
class TLPBFileManager;

// The delimiter of the texts in a translation file that names none.
inline constexpr const char* DefaultFileDelimiter = "~!@#";
class TPropInfo;

// Called before each text the engine sets into a string property or a line of a string list,
// with the object, the property (null for a line of a list) and the text as it will be set
// (program text); it may change the text. Empty unless the program sets it.
using TTranslationHook =
    std::function<void(TObject* object, const TPropInfo* property, std::string& text)>;
extern TTranslationHook TranslationHook;
// Resource identifiers up to this value are first looked up as "IDS_RES_<id>" in the Strings
// list of the localiser that redirects the resource strings; 0 turns that off.
extern std::atomic<int> ResIdLimit;

Q4_ENUM(TTranslateType, ttNoChange, ttGetDefault);
Q4_ENUM(TLocLangOption, loUseExtUDStrings, loUseExtCommonStrings);
using TLocLangOptions = TSet<TLocLangOption>;
using TLanguageChangingEvent =
    std::function<void(TObject* sender, int newLanguage, bool& allowChange)>;

class TLocCustomLang : public TComponent, public TLocStringTableHost {
    Q4_CLASS(TLocCustomLang, TComponent)
    friend class TLocLangDispatcher;
    friend class TLPBFileManager;

    // Raises Exception "Only one TLocCustomLang component per Form/DataModule allowed!" when the
    // owner has a localiser already.
    explicit TLocCustomLang(TComponent* owner);
    ~TLocCustomLang() override;
    static void DeclareProperties(TPropertyList& p);

    void DefineProperties(TFiler* filer) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    // --- the added virtual operations, in slot order
    virtual void DeleteComponentEntries(TStrings* list, TComponent* component, int kind,
                                        TOperation operation);
    virtual bool IsStringsTypeClass(std::string_view className) const;
    virtual void CollectTexts();
    virtual void ApplyLanguage();
    virtual TStrings* GetStringsOfType(int kind);
    virtual void SetEntryText(TStrings* list, const std::string& text, int language,
                              const std::string& key);
    virtual void SetEntryTextOf(TStrings*& list, const std::string& text, int language,
                                const std::string& key);
    virtual int LoadTypeFromStream(int kind, TStream& stream, bool clearFirst);
    virtual int SaveTypeToStream(int kind, TStream& stream, const std::string& delimiter);
    virtual void LoadAllFromStream(TStream& stream, bool clearFirst, bool noApply);
    virtual void SaveAllToStream(TStream& stream, const std::string& delimiter);
    virtual bool MergeTypeFromStream(int kind, TStream& stream);
    virtual bool MergeStreamAndApply(TStream& stream);
    virtual bool MergeAllFromStream(TStream& stream);
    virtual int LoadTypeFromFile(int kind, const std::string& fileName, bool clearFirst);
    virtual void SaveTypeToFile(int kind, const std::string& fileName,
                                const std::string& delimiter);
    virtual void LoadAllFromFile(const std::string& fileName, bool clearFirst);
    virtual void SaveAllToFile(const std::string& fileName, const std::string& delimiter);
    virtual void LoadStringsFromFile(const std::string& fileName, bool clearFirst);
    virtual void SaveStringsToFile(const std::string& fileName, const std::string& delimiter);
    virtual bool MergeTypeFromFile(int kind, const std::string& fileName);
    virtual bool MergeFileAndApply(const std::string& fileName);
    virtual void LoadAllTypesFromFile(const std::string& fileName, bool clearFirst);
    virtual bool MergeAllFromFile(const std::string& fileName);
    virtual void LoadLanguageTypeFromFile(int kind, const std::string& fileName,
                                          const std::string& languageName);
    virtual void LoadLanguageExtendedFromFile(const std::string& fileName,
                                              const std::string& languageName);
    virtual void LoadLanguageFromFile(const std::string& fileName, const std::string& languageName);
    virtual void RenameComponentEntries(const std::string& oldName, const std::string& newName);

    // --- translation files: extended translations in external files, project files
    void LoadExtendedFromStream(TStream& stream, bool clearFirst);
    void SaveExtendedToStream(TStream& stream, const std::string& delimiter);
    void LoadExtendedFromFile(const std::string& fileName, bool clearFirst);
    void SaveExtendedToFile(const std::string& fileName, const std::string& delimiter);
    // The languages that the last loaded file flags as fixed.
    TStrings* FixedLanguageList() { return &fixedLanguageList_; }
    void LoadFromProjectFile(const std::string& fileName);
    void LoadKindFromProjectFile(int kind, const std::string& fileName);
    // The language names a translation file (external or project file) holds for this form.
    void ReadLanguageNames(const std::string& fileName, TStrings& names);

    // --- published state
    const std::string& Version() const { return version_; }
    void SetVersion(const std::string&) { version_ = "6.5"; }
    TStrings* StringsTypes() { return &stringsTypes_; }
    void SetStringsTypes(TStrings* value);
    TStrings* SmartExcludeProps() { return &smartExcludeProps_; }
    void SetSmartExcludeProps(TStrings* value);
    uint16_t ResourceLanguageIndex() const { return resourceLanguageIndex_; }
    void SetResourceLanguageIndex(uint16_t value);
    int DefaultLanguage() const { return defaultLanguage_; }
    void SetDefaultLanguage(int value);
    bool UseDefaultLanguage() const { return useDefaultLanguage_; }
    void SetUseDefaultLanguage(bool value) { useDefaultLanguage_ = value; }
    bool AutoSkipEmpties() const { return autoSkipEmpties_; }
    void SetAutoSkipEmpties(bool value);
    bool StoreAsUTF8() const override { return storeAsUTF8_; }
    void SetStoreAsUTF8(bool value);

    int NumOfLanguages() const { return numOfLanguages_; }
    void SetNumOfLanguages(int value);
    int ActiveLanguage() const { return activeLanguage_; }
    void SetActiveLanguage(int value);
    bool ChangeLocales() const { return changeLocales_; }
    void SetChangeLocales(bool value);
    TLocLangDispatcher* LangDispatcher() const { return langDispatcher_; }
    void SetLangDispatcher(TLocLangDispatcher* value);
    uint8_t LangDelim() const { return langDelim_; }
    void SetLangDelim(uint8_t value);
    TStrings* DoNotTranslate() { return &doNotTranslate_; }
    void SetDoNotTranslate(TStrings* value);
    TStrings* LangNames() { return &langNames_; }
    void SetLangNames(TStrings* value);
    const std::string& Language() const { return language_; }
    void SetLanguage(const std::string& value);
    TLocLangOptions Options() const { return options_; }
    void SetOptions(TLocLangOptions value);
    bool NeedAllDlgs() const { return needAllDlgs_; }
    void SetNeedAllDlgs(bool value);
    TStrings* ExcludedProperties() { return &excludedProperties_; }
    void SetExcludedProperties(TStrings* value);
    TLocExtendedItems* ExtendedTranslations() const { return extended_.get(); }
    void SetExtendedTranslations(TLocExtendedItems* value);
    // The list setters: assign, then apply that kind alone (DlgsCaptions only assigns).
    void SetListOfType(int kind, TStrings* value);

    bool IsInheritedOwner = false;
    bool HandleResourceStrings = false;
    bool TranslateExtendedFirst = false;
    bool UseTaskMsgDlg = true;
    TTranslateType TranslateType = ttNoChange;
    int16_t ChangingCursor = -1;
    bool DoRaiseExceptions = false;
    TLanguageChangingEvent OnLanguageChanging;
    TNotifyEvent OnChangeLanguage;

    // --- run-time state
    int OnlyStringsType = -1;
    bool FileBusy = false;
    bool TempHolder = false;
    bool DispatcherSwitching = false;
    std::function<void(TLocCustomLang*)> ChangeNotify;
    TLocCustomLang* CharSetSource() const { return charSetSource_; }
    void SetCharSetSource(TLocCustomLang* value);
    TLocStringsCollection& UserStringTable() { return *userStringTable_; }
    TLocStringsCollection& ResourceStringTable() { return *resourceStringTable_; }
    const std::vector<uint8_t>& LangCharSets() const { return langCharSets_; }
    uint8_t CurrentCharSet() const { return currentCharSet_; }
    bool NoOwnerFont() const { return noOwnerFont_; }
    const std::array<std::string, LocaleItemCount>& LocaleDefaults() const {
        return localeDefaults_;
    }
    // The localiser that took over the resource strings, if any.
    static TLocCustomLang* ResStringLocaliser();

    // --- stored tables (TranslationData)
    bool TranslationDataStored(TPersistent* ancestor);
    void WriteTranslationData(TStream& stream);
    void ReadTranslationData(TStream& stream);
    std::string WideLineToStored(std::u16string_view wideLine);

    // --- charsets, UTF-8 storage and language options
    uint8_t LanguageCharSet(int language) override;
    void RebuildLangCharSets();
    void UpdateCharSets();
    std::string StoredPropertyText(TObject* object, std::string_view property);
    void ConvertStoredTexts(bool toUtf8);
    std::string TextWithDefault(std::string_view text, char delimiter, int language) const;

    // --- entries
    std::string GetEntryText(TStrings* list, std::string_view key, int language);
    std::string GetTextAt(TStrings* list, int index, bool fallBack);
    bool IsPropertyExcluded(std::string_view componentName, std::string_view propertyPath);
    void PadAllEntries();
    void RefreshStringCollections();
    void UpdateDialogCaptions();
    bool HasTabDelimitedData();
    void ReplaceDelimiter(char oldDelimiter, char newDelimiter);
    void PurgeExcludedEntries();
    void PurgeDoNotTranslateEntries();

    // --- extended translations
    TObject* ResolveIdentifierObject(std::string_view identifier, std::string* propertyName);
    int ExtendedPropertyKind(std::string_view identifier);
    std::string ReadPropertyText(std::string_view identifier);
    void WritePropertyText(std::string_view identifier, const std::string& text);
    void ApplyExtendedTranslations();
    void CollectExtendedTranslations();
    void ReplaceInExtendedValues(char oldByte, char newByte);
    std::string BuildLanguageValues(const std::string& text, int language) const;

    // --- translation engine
    // The key of the owner's own entries: its class name.
    std::string OwnerKey() const;
    // Normalises a list before it is applied or collected: entries of missing components (and
    // collection items) move to the holding list, empty entries go with AutoSkipEmpties.
    void PrepareList(TStrings* list, int kind);
    // The text of an identifier in a list (Strings through the user string table at run time);
    // raises ELanguageError when it is missing and DoRaiseExceptions is set.
    std::string LookupText(TStrings* list, std::string_view identifier, bool fallBack);
    // Deletes the entry of a component's property (for collections every entry of it).
    void DeleteEntries(TStrings* list, std::string_view key, int kind,
                       std::string_view propertyName);
    // Writes an already stored text (code page or UTF-8 as held) into field `language` of every
    // entry with the key, padding a short entry up to that field.
    void PutEntryField(TStrings* list, const std::string& storedText, int language,
                       std::string_view key);
    std::string GetStringPropertyByName(TComponent* component, std::string_view name);
    void SetStringPropertyByName(TComponent* component, std::string_view name,
                                 const std::string& text);
    // Sets a stored text into a string property (through TranslationHook).
    void AssignStringProperty(TObject* object, const TPropInfo* property, const std::string& text);
    std::string GetFontName(TComponent* component);
    uint8_t GetFontCharset(TComponent* component);
    bool IsOwnerTranslated();
    // The test-mode text of an entry's language-1 text; empty when test mode is off.
    std::string TestModeLanguage1Text(std::string_view line);
    // Stored text to program text and back, by the active language's charset or UTF-8.
    std::string ToProgramText(const std::string& stored) const;
    std::string ToStoredText(const std::string& program) const;
    // Drops the entries whose component or property no longer exists.
    void RemoveObsoleteEntries();
    // Entries moved out of the lists because their component is missing; made on demand.
    TStringList& HoldingList();
    void FreeHoldingList() { holdingList_.reset(); }
    bool HasHoldingList() const { return holdingList_ != nullptr; }

    // Rebuilds what the redirected resource strings are translated from, when this localiser
    // redirects them.
    void UpdateResourceStrings();
    // A field of an entry with the look-up options (the dispatcher's other localisers answer for
    // the shared lists), without decoding from UTF-8.
    std::string RawTextAt(TStrings* list, int index, bool fallBack);
    TLocCustomLang* SharedListSource(TStrings* list);
    bool TestModeText(const std::string& text, std::string& distorted) override;
    bool IsLoading() const { return ComponentState().Contains(csLoading); }
    bool IsDesigning() const { return ComponentState().Contains(csDesigning); }
    char Delim() const { return static_cast<char>(langDelim_); }
    // Stored tests of the published lists beyond their plain rules.
    bool ExcludedPropertiesStored() const;
    bool HasExtendedTranslations() const;

protected:
    void FillDialogCaptions();
    void CaptureLocaleDefaults();
    void RebindExtendedItems();
    bool ReadEntryLines(const std::vector<std::string>& lines,
                        const std::vector<std::u16string>* wide);
    void AddReadEntry(TStrings& list, std::string line);
    // Takes over the program's resource strings (once); ReleaseResourceStrings lets them go
    // back to their stored texts when this localiser is the one that took them.
    void RedirectResourceStrings();
    void ReleaseResourceStrings();

    std::array<TStringList, ListKindCount> lists_;
    int activeLanguage_ = 1;
    int numOfLanguages_ = 1;
    bool changeLocales_ = false;
    std::unique_ptr<TStringList> holdingList_;
    std::array<std::string, LocaleItemCount> localeDefaults_;
    TLocLangDispatcher* langDispatcher_ = nullptr;
    uint8_t langDelim_ = 1;
    TStringList doNotTranslate_;
    std::string version_ = "6.5";
    std::string language_;
    TStringList langNames_;
    TLocLangOptions options_;
    bool needAllDlgs_ = false;
    TStringList excludedProperties_;
    TStringList stringsTypes_;
    TStringList smartExcludeProps_;
    TStringList externalFiles_;
    uint16_t resourceLanguageIndex_ = 1;
    std::unique_ptr<TLocExtendedItems> extended_;
    bool noOwnerFont_ = false;
    bool useDefaultLanguage_ = false;
    int defaultLanguage_ = 1;
    TLocCustomLang* charSetSource_ = nullptr;
    bool autoSkipEmpties_ = true;
    bool storeAsUTF8_ = false;
    std::unique_ptr<TLocStringsCollection> resourceStringTable_;
    std::unique_ptr<TLocStringsCollection> userStringTable_;
    std::vector<uint8_t> langCharSets_;
    uint8_t currentCharSet_ = 1;
    bool linkedToDispatcher_ = false;

    // --- translation files over one parsed file
    int LoadTypeFromIni(int kind, TLocMemIniFile& ini, bool clearFirst);
    void LoadExtendedFromIni(TLocMemIniFile& ini, bool clearFirst);
    int SaveTypeToIni(int kind, TLocMemIniFile& ini, const std::string& delimiter);
    void SaveExtendedToIni(TLocMemIniFile& ini, const std::string& delimiter);
    void TakeFileLanguages(TLocMemIniFile& ini);
    void WriteFileLanguages(TLocMemIniFile& ini);
    bool MergeTypeFromIni(int kind, TLocMemIniFile& ini);
    int FileLanguageColumn(TLocMemIniFile& ini, const std::string& fileName,
                           const std::string& languageName, int& column);
    // Reads a file that names the language and hands it to load with the file's column and
    // ours; errors of load are swallowed.
    void LoadFileLanguage(const std::string& fileName, const std::string& languageName,
                          const std::function<void(TLocMemIniFile&, int, int)>& load);
    // After a kind was read outside a bigger file operation: prepare and apply it.
    void ApplyLoadedKind(TStrings* list, int kind);
    void LoadLanguageTypeFromIni(int kind, TLocMemIniFile& ini, int fileColumn, int column);
    void LoadLanguageExtendedFromIni(TLocMemIniFile& ini, int fileColumn, int column);
    TStringList fixedLanguageList_;
};
