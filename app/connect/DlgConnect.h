#pragma once
// The connect dialog: the COM port, the link (programming cable or GSM modem), the unit's phone
// number with the ten numbers used last, whether to wait for the GSM network and whether to wait
// for the unit on the cable. Its choices live in section "Connect" of "current.ini":
//
//   ComPort      item index of the port          ComPortName  the port's name (wins when listed)
//   Phone1..n    the phone list, newest first    PhonesN      the highest position written
//   Phone        the phone number's text         WaitCREG     wait for registration
//   Fphone       GSM modem chosen
//
// A blank entry of the phone list is not written (its key is deleted), so a later load skips
// it and still reaches every number after it.

#include "platform/forms/Forms.h"

#include <string>
#include <vector>

class TComboBox;
class TCustomIniFile;
class TFrCheckBox;
class TRadioButton;
class TStrings;

class TdlgConnect : public TForm {
    Q4_CLASS(TdlgConnect, TForm)
public:
    explicit TdlgConnect(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);

    void LoadFromIni(TCustomIniFile& ini);
    void SaveToIni(TCustomIniFile& ini);

    TComboBox* ComPorts() const;
    TComboBox* Phones() const;
    TRadioButton* CableLink() const;
    TRadioButton* ModemLink() const;
    TFrCheckBox* WaitReady() const;
    TFrCheckBox* WaitRegistration() const;

    // Handlers named by the description.
    void OKBtnClick(TObject* sender);
    void rbClick(TObject* sender);

private:
    template <class T> T* Part(const char* name) const;
};

// Puts the classes the dialog's description names in the class registry.
void RegisterConnectDialogClasses();

// What the operator chose, taken from the dialog on the user-interface thread, so that the
// connection's worker thread never reads the dialog's controls.
struct TConnectChoice {
    std::string Port;
    std::string Phone;
    bool Modem = false;
    bool WaitRegistration = true;
    bool WaitReady = false;
};

// The connect click's dialog: made with the machine's ports, loaded from the settings file,
// shown modally (or, with `skipDialog`, taken as if OK were pressed), and saved back to the
// settings file whatever the operator pressed. Returns the modal result and fills `choice`.
TModalResult RunConnectDialog(TComponent* owner, TCustomIniFile& ini, TConnectChoice& choice,
                              bool skipDialog = false);

// The machine's COM ports as the platform names them ("COM3"), each as "COM" and its digits.
void ListComPorts(TStrings& list);
// The rule for one list of port names: names that begin with "COM" give "COM" followed by the
// digits after it ("COM12:" -> "COM12"); other names are left out.
void ListComPorts(const std::vector<std::string>& names, TStrings& list);
