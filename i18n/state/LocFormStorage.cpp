#include "i18n/state/LocFormStorage.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Properties.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Strings.h"

namespace {

TCustomForm* OwnerForm(TComponent* owner) {
    if (owner == nullptr)
        return nullptr;
    auto* form = dynamic_cast<TCustomForm*>(owner);
    if (form == nullptr)
        throw EInvalidCast("Invalid class typecast");
    return form;
}

const char* StateName(TWindowState state) {
    switch (state) {
    case wsMinimized:
        return "Minimized";
    case wsMaximized:
        return "Maximized";
    default:
        return "Normal";
    }
}

// An integer value that must be there.
int32_t RequiredInteger(TRegistryIniFile& key, const char* name) {
    if (!key.ValueExists("", name))
        throw ERegistryException(std::string("Invalid data type for '") + name + "'");
    const std::string text = key.ReadString("", name, "");
    int32_t value = 0;
    if (!TryStrToInt(text, value))
        throw ERegistryException(std::string("Invalid data type for '") + name + "'");
    return value;
}

} // namespace

HKEY RegistryRootOf(TMyHKeyType type) {
    static const HKEY roots[] = {HKEY_CURRENT_USER, HKEY_CLASSES_ROOT,   HKEY_LOCAL_MACHINE,
                                 HKEY_USERS,        HKEY_CURRENT_CONFIG, HKEY_DYN_DATA};
    return roots[type];
}

TLocFormStorage::TLocFormStorage(TComponent* owner) : TComponent(owner), form_(OwnerForm(owner)) {
    // A storage made in code watches its form at once; one read with the form's description
    // does so once the form's own handlers are in place (Loaded).
    if (form_ != nullptr && !form_->ComponentState().Contains(csLoading))
        HookFormDestroy();
}

TLocFormStorage::~TLocFormStorage() {
    // A form on its way out was saved from its OnDestroy; only a storage freed on its own saves
    // here, with the whole form still in place.
    if (form_ != nullptr && !form_->ComponentState().Contains(csDestroying)) {
        UnhookFormDestroy();
        try {
            SaveFormPlacement();
        } catch (const Exception&) {
        }
    }
}

void TLocFormStorage::DeclareProperties(TPropertyList& p) {
    using S = TLocFormStorage;
    p.Add("Active", &S::Active, &S::SetActive).Default(true);
    p.Add("RegRootKey", &S::RegRootKey, &S::SetRegRootKey).Default(locHKEY_CURRENT_USER);
    p.Add("SubKey", &S::SubKey, &S::SetSubKey);
}

void TLocFormStorage::SetRegRootKey(TMyHKeyType value) {
    if (value == regRootKey_)
        return;
    regRootKey_ = value;
    rootKey_ = RegistryRootOf(value);
}

bool TLocFormStorage::Designing() const {
    return ComponentState().Contains(csDesigning);
}

void TLocFormStorage::Loaded() {
    TComponent::Loaded();
    if (form_ != nullptr && !hooked_)
        HookFormDestroy();
    RestoreFormPlacement();
}

void TLocFormStorage::HookFormDestroy() {
    previousDestroy_ = form_->OnDestroy;
    form_->OnDestroy = [this](TObject* sender) {
        SaveFormPlacement();
        if (previousDestroy_)
            previousDestroy_(sender);
    };
    hooked_ = true;
}

void TLocFormStorage::UnhookFormDestroy() {
    if (!hooked_)
        return;
    form_->OnDestroy = previousDestroy_;
    hooked_ = false;
}

void TLocFormStorage::SaveFormPlacement() {
    if (!active_ || Designing() || form_ == nullptr)
        return;
    TRegistryIniFile key("", KEY_ALL_ACCESS);
    key.SetRootKey(rootKey_);
    if (!key.OpenKey(subKey_, true))
        return;
    const TWindowState state = form_->WindowState();
    try {
        key.WriteString("", "State", StateName(state));
        if (state != wsNormal)
            return;
        key.WriteInteger("", "Top", form_->Top());
        key.WriteInteger("", "Left", form_->Left());
        key.WriteInteger("", "Height", form_->Height());
        key.WriteInteger("", "Width", form_->Width());
    } catch (const ERegistryException&) {
        // A root the program may not write (the machine's) is a key that does not open.
    }
}

void TLocFormStorage::RestoreFormPlacement() {
    if (!active_ || Designing() || form_ == nullptr)
        return;
    const int left = form_->Left(), top = form_->Top();
    const int height = form_->Height(), width = form_->Width();
    const TWindowState state = form_->WindowState();
    try {
        TRegistryIniFile key("", KEY_READ);
        key.SetRootKey(rootKey_);
        if (!key.OpenKey(subKey_, false))
            return;
        if (key.ReadString("", "State", "").empty())
            return;
        const int newTop = RequiredInteger(key, "Top");
        const int newLeft = RequiredInteger(key, "Left");
        const int newHeight = RequiredInteger(key, "Height");
        const int newWidth = RequiredInteger(key, "Width");
        // A stored size of nothing (a damaged key) is no placement.
        if (newHeight <= 0 || newWidth <= 0)
            throw ERegistryException("Invalid window size");
        form_->SetTop(newTop);
        form_->SetLeft(newLeft);
        form_->SetHeight(newHeight);
        form_->SetWidth(newWidth);
        const std::string stored = key.ReadString("", "State", "");
        const char third = stored.size() >= 3 ? stored[2] : '\0';
        if (third == 'n')
            form_->SetWindowState(wsMinimized);
        else if (third == 'r')
            form_->SetWindowState(wsNormal);
        else if (third == 'x')
            form_->SetWindowState(wsMaximized);
    } catch (const Exception&) {
        form_->SetBounds(left, top, width, height);
        form_->SetWindowState(state);
    }
}

void InitFormStorageClasses() {
    if (GetClass("TLocFormStorage") == nullptr)
        RegisterClass(TLocFormStorage::StaticClass());
}
