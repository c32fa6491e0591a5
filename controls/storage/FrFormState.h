#pragma once
// TFrFormState: remembers its owner form's window placement between runs. Once loaded with the
// form's description it takes over the form's OnCreate, OnShow and OnClose (calling the form's
// own handlers after its work): on show it restores the saved position, size and maximised state,
// on close it saves them, through a TFrRegIniFile, in the section "<form name>FormState".
//
// A saved position whose top-left corner is on no monitor comes back at (0, 0) of the screen,
// with its size. Without a storage component an error message is shown and the form's own
// handlers still run. A failed save is shown (and logged), never raised.

#include "platform/classes/Component.h"
#include "platform/forms/Forms.h"

#include <string>

class TFrRegIniFile;

class TFrFormState : public TComponent {
    Q4_CLASS(TFrFormState, TComponent)
public:
    explicit TFrFormState(TComponent* owner);
    ~TFrFormState() override;
    static void DeclareProperties(TPropertyList& p);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    const std::string& Section() const { return section_; }
    void SetSection(const std::string& value) { section_ = value; }
    TFrRegIniFile* RegIniFile() const { return regIniFile_; }
    virtual void SetRegIniFile(TFrRegIniFile* value);

    virtual void SaveState();
    virtual void RestoreState();
    // The section the placement is kept in.
    std::string SectionName() const;

    TNotifyEvent OnSaveState;
    TNotifyEvent OnRestoreState;

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    virtual void InstallHooks();
    virtual void RemoveHooks();

private:
    TCustomForm* OwnerForm() const;
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void ShowMissingStorage(const char* what) const;
    void WritePlacement(TCustomForm* form);

    bool enabled_ = true;
    std::string section_;
    TFrRegIniFile* regIniFile_ = nullptr;
    bool hooked_ = false;
    TNotifyEvent previousCreate_;
    TNotifyEvent previousShow_;
    TCloseEvent previousClose_;
};
