#pragma once
// TformCommon, the common settings page ("Общие"): the object number, the GPRS and fix periods, the
// unit's mode, the guard zone and what leaving it does, the anti-theft mode, the event flags and
// which events go to the history and to the flags.
// The page is read from its description (after the page base's); its controls are its settings,
// which the page base loads, saves and sets to their factory values (their hints).
//
// The mode buttons, the anti-theft button and the zone group keep one state (ModeState.h); the
// mode and the anti-theft switch go to the unit at once, through commands of the window that owns
// the page (PageCommands.h). The coordinate and period fields correct themselves as they change
// (CommonFields.h).

#include "app/pages/FormIncl.h"
#include "app/pages/common/CommonExchange.h"
#include "platform/stdctrls/Grids.h"

#include <cstdint>
#include <string>

class TCustomMaskEdit;

class TformCommon : public TformIncl {
    Q4_CLASS(TformCommon, TformIncl)
public:
    explicit TformCommon(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);

    // Besides the base: the period fields to their hints, the fix time limit to its first item,
    // the flag shapes white.
    void PrepareRead() override;
    // Besides the base: the fix time limit to its first item and the zone group as the mode asks.
    void SetDefaults() override;
    // Besides the base: the mode state of the loaded buttons.
    void LoadFromIni(TCustomIniFile& ini) override;

    // Follows the mode buttons: the shortest fix period (and the fix period checked against it),
    // the reporting period's fields, the zone group, the anti-theft button; remembers the mode.
    void ApplyModeState();
    // The anti-theft button and the zone group in the mode shown.
    void ApplyWakeState();
    // After a read: the zone group follows the anti-theft switch read from the unit, keeping the
    // guard zone's switch as the unit gave it.
    void FollowReadAntiTheft();
    // The reporting period in words (PeriodText of CommonFields.h).
    std::string ReportingPeriodText() const;
    TModeButtons Mode() const;
    // The mode at the last ApplyModeState.
    TModeButtons LastMode() const { return lastMode_; }
    int MinFixMinutes() const { return minFixMinutes_; }
    // The page's values as the writers send them.
    TCommonValues Values() const;
    // The pause after the mode command is set, which paces the unit's mode changes (1 s).
    void SetModePause(uint32_t ms) { modePause_ = ms; }

    // Handlers named by the description.
    void ModeButtonClick(TObject* sender);
    void btnWakeFrClick(TObject* sender);
    void btnRSTClick(TObject* sender);
    void etObjNumKeyPress(TObject* sender, char16_t& key);
    void DegreesChange(TObject* sender);
    void MinutesChange(TObject* sender);
    void SecondsChange(TObject* sender);
    void FixPeriodChange(TObject* sender);
    void ReportingPeriodChange(TObject* sender);
    // The event's name cell: the grid's colour, the page's font, the text 2, 2 in.
    void StringGrid1DrawCell(TObject* sender, int col, int row, TRect rect, TGridDrawState state);

protected:
    void Loaded() override;

private:
    TCustomMaskEdit* Field(const std::string& name) const;
    // Writes `text` into the field only when it differs (a write fires the field's change again).
    void Rewrite(const std::string& name, const std::string& text);
    // The coordinate (0 to 3) whose field `sender` is.
    int CoordinateOf(const TObject* sender, const char* TCoordinateNames::*field) const;
    void CheckLimit(int coordinate);
    void NormalisePeriodFields(const char* stem, int minimum);
    TPeriodFields PeriodFields(const char* stem) const;
    void SetMode(const TModeButtons& mode);
    void SetModeButtonsEnabled(bool enabled);
    void SetZoneEnabled(bool enabled);
    void WhiteShapes();
    void RunCommand(uint8_t code);

    TModeButtons lastMode_;
    int minFixMinutes_ = MinFixMinutesAwake;
    uint32_t modePause_ = 1000;
};

// Puts the page and the classes its description names in the class registry, and the page's
// reader, writer and commands with the controller's.
void RegisterCommonPage();
