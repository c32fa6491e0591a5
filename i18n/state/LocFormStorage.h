#pragma once
// TLocFormStorage remembers the window state and placement of the form that owns it in the
// registry: restored once the form has been loaded, saved when the form is freed. Values under
// the key SubKey of the root RegRootKey: "State" ("Normal", "Minimized" or "Maximized") and,
// saved only in the normal state, the integers "Top", "Left", "Height" and "Width".
//
// The placement is saved when the form starts going (its OnDestroy, while the whole form still
// exists), or when the storage alone is freed; the form's own OnDestroy handler runs after.

#include "platform/classes/Component.h"
#include "platform/rtl/Events.h"
#include "platform/rtl/Registry.h"

#include <string>

class TCustomForm;

Q4_ENUM(TMyHKeyType, locHKEY_CURRENT_USER, locHKEY_CLASSES_ROOT, locHKEY_LOCAL_MACHINE,
        locHKEY_USERS, locHKEY_CURRENT_CONFIG, locHKEY_DYN_DATA);

// The registry root a TMyHKeyType names.
HKEY RegistryRootOf(TMyHKeyType type);

class TLocFormStorage : public TComponent {
    Q4_CLASS(TLocFormStorage, TComponent)
    // The owner must be a form (or none): EInvalidCast otherwise.
    explicit TLocFormStorage(TComponent* owner);
    ~TLocFormStorage() override;
    static void DeclareProperties(TPropertyList& p);

    void Loaded() override;

    bool Active() const { return active_; }
    void SetActive(bool value) { active_ = value; }
    TMyHKeyType RegRootKey() const { return regRootKey_; }
    void SetRegRootKey(TMyHKeyType value);
    const std::string& SubKey() const { return subKey_; }
    void SetSubKey(const std::string& value) { subKey_ = value; }
    HKEY RootKey() const { return rootKey_; }

    void SaveFormPlacement();
    void RestoreFormPlacement();

private:
    void HookFormDestroy();
    void UnhookFormDestroy();
    bool Designing() const;

    TCustomForm* form_;
    bool active_ = true;
    TMyHKeyType regRootKey_ = locHKEY_CURRENT_USER;
    HKEY rootKey_ = HKEY_CURRENT_USER;
    std::string subKey_;
    bool hooked_ = false;
    TNotifyEvent previousDestroy_;
};

// Registers TLocFormStorage for form descriptions.
void InitFormStorageClasses();
