#pragma once
// The settings page base. A page's controls are the settings: the page walks its own components
// by class to clear them before a device read, to reset the outcome colours before a write, to
// load them from and save them to a settings file (section: the page's name, key: the control's
// name), and to set them to their factory values (each control's hint).
//
//   class                       saved as       missing key gives         factory value
//   edit, spin edit, mask edit  text           the hint                  the hint
//   check box (both kinds)      "1"/"0"        unchecked                 the hint as a Boolean
//   radio button (both kinds)   "1"/"0"        as it is                  the hint as a Boolean
//   combo box (both kinds)      item index     the hint's index          the hint's index
//   speed button                "1"/"0"        the hint as a Boolean     not touched
//
// Loading takes each control on its own: a value or hint that does not fit its control leaves
// that control as it was and is reported to the page's log; the walk goes on.

#include "platform/forms/Forms.h"

#include <string>

class TCustomIniFile;
class TLogWriter;
class TScrollBox;

class TformIncl : public TForm {
    Q4_CLASS(TformIncl, TForm)
public:
    explicit TformIncl(TComponent* owner);

    // Clears the page before a device read: labels to the window-text colour, plain fonts, edits
    // emptied, check boxes unchecked, "!" captions of check and radio buttons emptied.
    virtual void PrepareRead();
    // The same without touching values.
    virtual void PrepareWrite();
    virtual void LoadFromIni(TCustomIniFile& ini);
    virtual void SaveToIni(TCustomIniFile& ini);
    virtual void SetDefaults();

    // Where loading reports what it could not take; may be null.
    void SetLog(TLogWriter* log) { log_ = log; }
    TScrollBox* ScrollBox1() const;

protected:
    void Loaded() override;
    // Reports one problem of loading to the log.
    void Report(const std::string& text);

private:
    void Prepare(bool clearValues);
    TLogWriter* log_ = nullptr;
};
