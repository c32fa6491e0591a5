#pragma once
// TformGPS, the GPS data page ("GPS фиксация"): the files the receiver's almanac and ephemeris are
// saved to and loaded from, and the two transfer buttons with their outcome labels. The buttons
// set worker commands through the window that owns the pages (PageCommands.h); the transfers
// themselves are TGpsOperations (app/gps), which reaches the page as its TGpsView.
// The page is read from its description (after the page base's). Its two file names are its
// settings (loaded and saved by the page base); reading, writing and the factory values leave
// the page alone.

#include "app/gps/GpsHost.h"
#include "app/pages/FormIncl.h"

class TEdit;
class TLabel;

class TformGPS : public TformIncl, public TGpsView {
    Q4_CLASS(TformGPS, TformIncl)
public:
    explicit TformGPS(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);

    void PrepareRead() override {}
    void PrepareWrite() override {}
    void SetDefaults() override {}

    // TGpsView. The controls are found once, when the page is read from its description.
    std::vector<TControl*> TransferControls() override { return transferControls_; }
    TControl* SaveMark() override;
    TControl* LoadMark() override;
    TGpsFileNames FileNames() override;

    // Handlers named by the description.
    void FrBitBtn1Click(TObject* sender); // picks the file to save to
    void FrBitBtn2Click(TObject* sender); // picks the file to load from
    void btnSaveAlEpClick(TObject* sender);
    void btnLoadAlEpClick(TObject* sender);

protected:
    void Loaded() override;

private:
    template <class T> T* Part(const char* name) const;
    // Puts the file the dialog picks into the edit; an error empties the edit.
    void PickFile(const char* dialog, TEdit* edit);
    // Sets the command when connected and a file is named.
    void Transfer(uint8_t code, const TEdit* edit);

    TEdit* saveName_ = nullptr;
    TEdit* loadName_ = nullptr;
    TLabel* saveMark_ = nullptr;
    TLabel* loadMark_ = nullptr;
    std::vector<TControl*> transferControls_;
};

// Puts the page and the classes its description names in the class registry, and the page's
// commands with the controller.
void RegisterGPSPage();
