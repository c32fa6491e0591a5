#pragma once
// TformGPRS, the GPRS settings page: the GPRS access of the unit, its server, the modem restart
// time, the GPRS switch and the alert phone. The page is read from its description (after the page
// base's); its controls are its settings, which the page base loads, saves and sets to their
// factory values (their hints).
//
// The restart time list starts at 10 minutes, or at 5 when the settings file's [Minutes] Five is
// "1" (GprsFields.h); the online time holds itself to its limits as it changes and counts only
// while GPRS is off.

#include "app/pages/FormIncl.h"
#include "app/pages/gprs/GprsExchange.h"

class TformGPRS : public TformIncl {
    Q4_CLASS(TformGPRS, TformIncl)
public:
    explicit TformGPRS(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);

    // Besides the base: the restart time to its first item, the GPRS switch's label bold.
    void PrepareRead() override;
    // Besides the base: the GPRS switch's label bold.
    void PrepareWrite() override;
    // Besides the base: the restart time to its first item.
    void SetDefaults() override;
    // Besides the base: the restart time list of [Minutes] Five; the short list starts chosen at
    // its first item.
    void LoadFromIni(TCustomIniFile& ini) override;

    // Minutes of the restart time list's first item.
    int RestartFirst() const { return restartFirst_; }
    // The page's values as the writer sends them.
    TGprsValues Values() const;

    // Handlers named by the description.
    void cbGPRSClick(TObject* sender);
    void etPortKeyPress(TObject* sender, char16_t& key);
    void meGPRSTimeChange(TObject* sender);

private:
    void BoldSwitchLabel();
    int restartFirst_ = 10;
};

// Puts the page and the classes its description names in the class registry, and the page's
// reader and writer with the controller's.
void RegisterGPRSPage();
