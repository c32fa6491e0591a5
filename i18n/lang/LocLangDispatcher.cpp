#include "i18n/lang/LocLangDispatcher.h"

#include "i18n/lang/LPBFileManager.h"
#include "i18n/lang/LocCustomLang.h"
#include "i18n/lang/LocErrors.h"
#include "i18n/lang/LocFileText.h"
#include "i18n/lang/LocTemporary.h"
#include "i18n/text/LocText.h"
#include "platform/classes/Properties.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Strings.h"

#include <algorithm>

namespace {

std::string UpperCp1251(std::string text) {
    for (char& c : text)
        c = static_cast<char>(Cp1251UpperChar(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

// --- TTestModeInfo
// --------------------------------------------------------------------------------

void TTestModeInfo::DeclareProperties(TPropertyList& p) {
    p.Add("Active", &TTestModeInfo::Active).Default(false);
    p.Add("Kind", &TTestModeInfo::Kind).Default(tmkExpandWidth);
    p.Add("ExpandWidthPercent", &TTestModeInfo::ExpandWidthPercent).Default(100);
    p.Add("ExpandCharsPercent", &TTestModeInfo::ExpandCharsPercent).Default(100);
    p.Add("PaddingChar", &TTestModeInfo::PaddingChar).Default('*');
}

void TTestModeInfo::AssignTo(TPersistent* dest) {
    auto* other = dynamic_cast<TTestModeInfo*>(dest);
    if (other == nullptr) {
        TPersistent::AssignTo(dest);
        return;
    }
    other->Active = Active;
    other->Kind = Kind;
    other->ExpandWidthPercent = ExpandWidthPercent;
    other->ExpandCharsPercent = ExpandCharsPercent;
    other->PaddingChar = PaddingChar;
}

// --- TLocLangDispatcher: life and links
// ---------------------------------------------------------------

TLocLangDispatcher::TLocLangDispatcher(TComponent* owner)
    : TComponent(owner), testModeInfo_(std::make_unique<TTestModeInfo>()) {
    langNames_.Add("Language N1");
}

TLocLangDispatcher::~TLocLangDispatcher() {
    while (!localisers_.empty()) {
        TLocCustomLang* localiser = localisers_.back();
        localisers_.pop_back();
        localiser->RemoveFreeNotification(this);
        if (localiser->LangDispatcher() == this)
            localiser->SetLangDispatcher(nullptr);
    }
}

void TLocLangDispatcher::DeclareProperties(TPropertyList& p) {
    using D = TLocLangDispatcher;
    p.Add("ActiveLanguage", &D::ActiveLanguage, &D::SetActiveLanguage).Default(1);
    p.Add("NumOfLanguages", &D::NumOfLanguages, &D::SetNumOfLanguages).Default(1);
    p.Add("LangNames", &D::LangNames, &D::SetLangNames);
    p.Add("Language", &D::Language, &D::SetLanguage);
    p.Add("FileName", &D::FileName, &D::SetFileName);
    p.Add("TestModeInfo", &D::TestModeInfo, &D::SetTestModeInfo);
    p.Add("UseDefaultLanguage", &D::UseDefaultLanguage, &D::SetUseDefaultLanguage).Default(false);
    p.Add("DefaultLanguage", &D::DefaultLanguage, &D::SetDefaultLanguage).Default(1);
    p.Add("OnLanguageChanging", &D::OnLanguageChanging);
    p.Add("OnLanguageChanged", &D::OnLanguageChanged);
}

void TLocLangDispatcher::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove)
        return;
    // A localiser on its way out is only compared, never called.
    auto it = std::find(localisers_.begin(), localisers_.end(), component);
    if (it != localisers_.end())
        localisers_.erase(it);
}

void TLocLangDispatcher::Loaded() {
    TComponent::Loaded();
    // The stored active language is read before the number of languages.
    activeLanguage_ = std::clamp(activeLanguage_, 1, numOfLanguages_);
}

void TLocLangDispatcher::LinkLocaliser(TLocCustomLang* localiser) {
    if (localiser == nullptr ||
        std::find(localisers_.begin(), localisers_.end(), localiser) != localisers_.end())
        return;
    localisers_.push_back(localiser);
    localiser->FreeNotification(this);
    localiser->SetNumOfLanguages(numOfLanguages_);
    localiser->langNames_.SetText(langNames_.Text());
    localiser->language_ = language_;
    if (ComponentState().Contains(csDesigning) || localiser->IsDesigning()) {
        localiser->SetActiveLanguage(activeLanguage_);
    } else {
        if (OnLinkToDispatcher)
            OnLinkToDispatcher(this, localiser);
        LoadFileInto(localiser);
    }
    localiser->UpdateCharSets();
}

void TLocLangDispatcher::LoadFileInto(TLocCustomLang* localiser) {
    std::string file = fileName_;
    if (!file.empty() && !FileExists(file))
        file = ExpandFileName(file);
    if (file.empty() || !FileExists(file)) {
        localiser->SetActiveLanguage(activeLanguage_);
        return;
    }
    localiser->activeLanguage_ = activeLanguage_;
    if (IsProjectFileName(file)) {
        if (!projectFiles_)
            projectFiles_ = std::make_unique<TLPBFileManager>();
        localiser->LoadFromProjectFile(file);
    } else {
        localiser->LoadAllFromFile(file, true);
    }
    langNames_.Assign(*localiser->LangNames());
    numOfLanguages_ = localiser->NumOfLanguages();
}

TLocCustomLang* TLocLangDispatcher::CharSetSourceFor(const TLocCustomLang* localiser) const {
    TLocCustomLang* source = nullptr;
    for (TLocCustomLang* other : localisers_)
        if (other != localiser && dynamic_cast<TCustomForm*>(other->Owner()) != nullptr)
            source = other;
    return source;
}

void TLocLangDispatcher::UnlinkLocaliser(TLocCustomLang* localiser) {
    auto it = std::find(localisers_.begin(), localisers_.end(), localiser);
    if (it == localisers_.end())
        return;
    localisers_.erase(it);
    localiser->RemoveFreeNotification(this);
}

// --- Languages
// ---------------------------------------------------------------------------------------

void TLocLangDispatcher::SetActiveLanguage(int value) {
    if (value == activeLanguage_)
        return;
    const bool loading = ComponentState().Contains(csLoading);
    // An active language outside the languages is refused before anything is asked or
    // switched, so that the dispatcher and its localisers never disagree.
    if (!loading && (value < 1 || value > numOfLanguages_))
        throw ELanguageError(
            Format("%d - is not a valid property value!\rValue must be within [1..%d]!",
                   {value, numOfLanguages_}));
    bool allow = true;
    if (OnLanguageChanging) {
        OnLanguageChanging(this, value, allow);
        if (!allow)
            return;
    }
    for (TLocCustomLang* localiser : localisers_)
        if (localiser->OnLanguageChanging) {
            localiser->OnLanguageChanging(localiser, value, allow);
            if (!allow)
                return;
        }
    activeLanguage_ = value;
    for (TLocCustomLang* localiser : localisers_) {
        TTemporary<bool> switching(localiser->DispatcherSwitching, true);
        localiser->SetActiveLanguage(value);
    }
    if (!loading && langNames_.Count() >= value)
        language_ = langNames_.Get(value - 1);
    if (OnLanguageChanged)
        OnLanguageChanged(this);
}

void TLocLangDispatcher::SetNumOfLanguages(int value) {
    if (value < 1)
        throw ELanguageError(IntToStr(value) +
                             " - is not a valid property value !\rValue must be more than ZERO !");
    numOfLanguages_ = value;
    while (langNames_.Count() < value)
        langNames_.Add("Language N" + IntToStr(langNames_.Count() + 1));
    while (langNames_.Count() > value)
        langNames_.Delete(langNames_.Count() - 1);
    if (activeLanguage_ > value) {
        activeLanguage_ = value;
        language_ = langNames_.Get(value - 1);
    }
    for (TLocCustomLang* localiser : localisers_)
        localiser->SetNumOfLanguages(value);
}

void TLocLangDispatcher::SetLangNames(TStrings* value) {
    if (value == nullptr || value == &langNames_)
        return;
    langNames_.Assign(*value);
    if (activeLanguage_ - 1 < langNames_.Count())
        language_ = langNames_.Get(activeLanguage_ - 1);
    for (TLocCustomLang* localiser : localisers_) {
        localiser->SetLangNames(&langNames_);
        localiser->SetLanguage(language_);
    }
    SetNumOfLanguages(std::max(1, langNames_.Count()));
}

void TLocLangDispatcher::SetLanguage(const std::string& value) {
    if (value == language_)
        return;
    const int at = IndexOfLanguage(langNames_, value);
    if (at < 0 && langNames_.Count() > 0)
        throw ELanguageError("Language name shall be included in LangNames property!");
    language_ = value;
    if (!ComponentState().Contains(csLoading) && langNames_.Count() > 0)
        SetActiveLanguage(at + 1);
}

void TLocLangDispatcher::SetDefaultLanguage(int value) {
    if (value < 1 || value > numOfLanguages_ || value == defaultLanguage_)
        return;
    defaultLanguage_ = value;
    for (TLocCustomLang* localiser : localisers_)
        localiser->SetDefaultLanguage(value);
}

void TLocLangDispatcher::SetUseDefaultLanguage(bool value) {
    if (value == useDefaultLanguage_)
        return;
    useDefaultLanguage_ = value;
    for (TLocCustomLang* localiser : localisers_)
        localiser->SetUseDefaultLanguage(value);
}

void TLocLangDispatcher::SetTestModeInfo(TTestModeInfo* value) {
    if (value != nullptr && value != testModeInfo_.get())
        testModeInfo_->Assign(value);
}

// --- Test mode
// ---------------------------------------------------------------------------------------

bool TLocLangDispatcher::TestModeText(const std::string& text, std::string& distorted) {
    if (!testModeInfo_->Active)
        return false;
    switch (testModeInfo_->Kind) {
    case tmkExpandWidth:
        distorted = ExpandWidth(text);
        break;
    case tmkFlipCase:
        distorted = FlipCase(text);
        break;
    case tmkExpandChars:
        distorted =
            ExpandChars(text, testModeInfo_->PaddingChar, testModeInfo_->ExpandCharsPercent);
        break;
    }
    return true;
}

std::string TLocLangDispatcher::TestModeLanguage1Text(const std::string& line, char delimiter) {
    const std::string text = GetField(line, delimiter, 1);
    std::string distorted;
    if (!text.empty() && TestModeText(text, distorted))
        return distorted;
    return text;
}

int64_t TLocLangDispatcher::MeasureTestText(const std::string& text) {
    if (!measure_) {
        measure_ = std::make_unique<TBitmap>();
        measure_->SetSize(1, 1);
        measure_->Canvas()->Font()->SetName("Tahoma");
        measure_->Canvas()->Font()->SetSize(8);
    }
    return measure_->Canvas()->TextWidth(Cp1251ToUtf8(text));
}

std::string TLocLangDispatcher::ExpandWidth(const std::string& text) {
    std::string filled = UpperCp1251(text);
    const int64_t width = MeasureTestText(text);
    const int64_t percent = testModeInfo_->ExpandWidthPercent;
    const int64_t target = width + width * percent / 100;
    // Every inserted character must widen the text: a filler that draws nothing (a zero byte,
    // a combining mark) ends the filling instead of looping for ever. The filling also stops
    // after four fillers per character and per hundred percent asked, and after
    // MaxTestModeFill in all, so that a huge percentage cannot hang the program.
    const int64_t length = static_cast<int64_t>(filled.size());
    const int64_t limit =
        std::min<int64_t>(MaxTestModeFill, 4 * length * (1 + std::max<int64_t>(percent, 0) / 100));
    int64_t now = MeasureTestText(filled);
    int64_t position = length;
    for (int64_t added = 0; now < target && added < limit; ++added) {
        const size_t at = static_cast<size_t>(std::max<int64_t>(position, 1) - 1);
        filled.insert(at, 1, testModeInfo_->PaddingChar);
        const int64_t wider = MeasureTestText(filled);
        if (wider <= now)
            break;
        now = wider;
        position -= 2;
        if (position <= 1)
            position = static_cast<int64_t>(filled.size()) - 1;
    }
    return filled;
}
