#include "i18n/lang/LocLang.h"

#include "i18n/lang/LocExtendedItems.h"
#include "i18n/lang/LocLangDispatcher.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Properties.h"

void TLocCustomLang::DeclareProperties(TPropertyList& p) {
    using L = TLocCustomLang;
    p.Add("Version", &L::Version, &L::SetVersion);
    p.Add("IsInheritedOwner", &L::IsInheritedOwner).Default(false);
    p.Add("StringsTypes", &L::StringsTypes, &L::SetStringsTypes);
    p.Add("SmartExcludeProps", &L::SmartExcludeProps, &L::SetSmartExcludeProps);
    p.Add("HandleResourceStrings", &L::HandleResourceStrings).Default(false);
    p.Add("ResourceLanguageIndex", &L::ResourceLanguageIndex, &L::SetResourceLanguageIndex)
        .Default(1);
    p.Add("TranslateExtendedFirst", &L::TranslateExtendedFirst).Default(false);
    p.Add("UseDefaultLanguage", &L::UseDefaultLanguage, &L::SetUseDefaultLanguage).Default(false);
    p.Add("DefaultLanguage", &L::DefaultLanguage, &L::SetDefaultLanguage).Default(1);
    p.Add("AutoSkipEmpties", &L::AutoSkipEmpties, &L::SetAutoSkipEmpties).Default(true);
    p.Add("StoreAsUTF8", &L::StoreAsUTF8, &L::SetStoreAsUTF8).Default(false);
    p.Add("UseTaskMsgDlg", &L::UseTaskMsgDlg).Default(true);
    p.Add("OnLanguageChanging", &L::OnLanguageChanging);
}

void TLocLang::DeclareProperties(TPropertyList& p) {
    using L = TLocCustomLang;
    // The lists travel in "TranslationData", never as properties.
    for (int kind : {stCaptions, stHints, stDisplayLabels, stStrings, stFonts, stMultiLines,
                     stDlgsCaptions, stOtherStrings, stLocales, stCharSets, stCollections}) {
        p.AddFn<L>(
             StringsTypeListName(kind), [kind](L* l) { return l->GetStringsOfType(kind); },
             [kind](L* l, TStrings* v) { l->SetListOfType(kind, v); })
            .Stored(false);
    }
    p.Add("NumOfLanguages", &L::NumOfLanguages, &L::SetNumOfLanguages).Default(1);
    p.Add("ActiveLanguage", &L::ActiveLanguage, &L::SetActiveLanguage).Default(1);
    p.Add("ChangeLocales", &L::ChangeLocales, &L::SetChangeLocales).Default(false);
    p.Add("LangDispatcher", &L::LangDispatcher, &L::SetLangDispatcher);
    p.Add("OnChangeLanguage", &L::OnChangeLanguage);
    p.Add("LangDelim", &L::LangDelim, &L::SetLangDelim).Default(9);
    p.Add("DoNotTranslate", &L::DoNotTranslate, &L::SetDoNotTranslate);
    p.Add("LangNames", &L::LangNames, &L::SetLangNames);
    p.Add("Language", &L::Language, &L::SetLanguage);
    p.Add("TranslateType", &L::TranslateType).Default(ttNoChange);
    p.Add("Options", &L::Options, &L::SetOptions).Default(TLocLangOptions{});
    p.Add("NeedAllDlgs", &L::NeedAllDlgs, &L::SetNeedAllDlgs).Default(false);
    p.Add("ChangingCursor", &L::ChangingCursor).Default(-1);
    p.Add("ExcludedProperties", &L::ExcludedProperties, &L::SetExcludedProperties);
    p.Add("DoRaiseExceptions", &L::DoRaiseExceptions).Default(false);
    p.Add("ExtendedTranslations", &L::ExtendedTranslations, &L::SetExtendedTranslations)
        .Stored(&L::HasExtendedTranslations);
}

bool TLocCustomLang::HasExtendedTranslations() const {
    return extended_->Count() > 0;
}

void InitLocaliserClasses() {
    GroupDescendentsWith(TLocCustomLang::StaticClass(), TComponent::StaticClass());
    GroupDescendentsWith(TLocLangDispatcher::StaticClass(), TComponent::StaticClass());
    if (GetClass("TLocLang") == nullptr)
        RegisterClass(TLocLang::StaticClass());
    if (GetClass("TLocLangDispatcher") == nullptr)
        RegisterClass(TLocLangDispatcher::StaticClass());
    RegisterClasses<TLocExtendedItem>();
}
