#pragma once
// The language dispatcher: keeps the localisers linked to it (usually one per form) on one
// common language. It hands them its language names, number of languages and default
// language, switches them all when its active language changes (any OnLanguageChanging
// handler, its own or a localiser's, may refuse the switch, and then nothing changes), and at
// run time feeds each newly linked localiser from one translation file. It also carries the
// settings of the translation test mode, which shows untranslated texts distorted.

#include "platform/classes/Component.h"
#include "platform/classes/Persistent.h"
#include "platform/rtl/Classes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TLocCustomLang;
class TLPBFileManager;
class TBitmap;

Q4_ENUM(TTestModeKind, tmkExpandWidth, tmkFlipCase, tmkExpandChars);

class TTestModeInfo : public TPersistent {
    Q4_CLASS(TTestModeInfo, TPersistent)
    static void DeclareProperties(TPropertyList& p);

    bool Active = false;
    TTestModeKind Kind = tmkExpandWidth;
    int ExpandWidthPercent = 100;
    int ExpandCharsPercent = 100;
    char PaddingChar = '*';

protected:
    void AssignTo(TPersistent* dest) override;
};

using TLinkToDispatcherEvent = std::function<void(TObject* dispatcher, TLocCustomLang* localiser)>;
using TDispatcherLanguageChangingEvent =
    std::function<void(TObject* sender, int newLanguage, bool& allowChange)>;

// The most filler characters the expand-width test mode puts into one text.
constexpr int64_t MaxTestModeFill = 4096;

class TLocLangDispatcher : public TComponent {
    Q4_CLASS(TLocLangDispatcher, TComponent)
    explicit TLocLangDispatcher(TComponent* owner);
    ~TLocLangDispatcher() override;
    static void DeclareProperties(TPropertyList& p);

    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

    // Brings the localiser to the dispatcher's language and keeps it in step.
    virtual void LinkLocaliser(TLocCustomLang* localiser);
    virtual void UnlinkLocaliser(TLocCustomLang* localiser);
    const std::vector<TLocCustomLang*>& Localisers() const { return localisers_; }
    // The last linked localiser but localiser whose owner is a form; null when none.
    TLocCustomLang* CharSetSourceFor(const TLocCustomLang* localiser) const;

    int ActiveLanguage() const { return activeLanguage_; }
    // Raises ELanguageError for a language outside 1 .. NumOfLanguages (once loaded).
    void SetActiveLanguage(int value);
    int NumOfLanguages() const { return numOfLanguages_; }
    // Raises ELanguageError below 1.
    void SetNumOfLanguages(int value);
    TStrings* LangNames() { return &langNames_; }
    void SetLangNames(TStrings* value);
    const std::string& Language() const { return language_; }
    void SetLanguage(const std::string& value);
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& value) { fileName_ = value; }
    TTestModeInfo* TestModeInfo() const { return testModeInfo_.get(); }
    void SetTestModeInfo(TTestModeInfo* value);
    bool UseDefaultLanguage() const { return useDefaultLanguage_; }
    void SetUseDefaultLanguage(bool value);
    int DefaultLanguage() const { return defaultLanguage_; }
    void SetDefaultLanguage(int value);

    TLinkToDispatcherEvent OnLinkToDispatcher;
    TDispatcherLanguageChangingEvent OnLanguageChanging;
    TNotifyEvent OnLanguageChanged;

    // The project-file reader the linked localisers share; null until a link needs it.
    TLPBFileManager* ProjectFileManager() const { return projectFiles_.get(); }

    // The test-mode distortion of a language-1 text (Windows-1251 bytes); false when test mode
    // is off.
    virtual bool TestModeText(const std::string& text, std::string& distorted);
    // Field 1 of an entry line, distorted when not empty; empty otherwise.
    std::string TestModeLanguage1Text(const std::string& line, char delimiter);

protected:
    // The width of a text (Windows-1251 bytes) in the test mode's measuring font, "Tahoma" 8.
    virtual int64_t MeasureTestText(const std::string& text);
    std::string ExpandWidth(const std::string& text);

private:
    void LoadFileInto(TLocCustomLang* localiser);

    std::vector<TLocCustomLang*> localisers_;
    int activeLanguage_ = 1;
    int numOfLanguages_ = 1;
    TStringList langNames_;
    std::string language_;
    std::string fileName_;
    std::unique_ptr<TTestModeInfo> testModeInfo_;
    bool useDefaultLanguage_ = false;
    int defaultLanguage_ = 1;
    std::unique_ptr<TLPBFileManager> projectFiles_;
    std::unique_ptr<TBitmap> measure_; // the canvas texts are measured on
};
