#pragma once
// TformPhones, the service phone numbers page ("Инженерные номера"): ten numbers in a grid and
// their switch. The page is read from its description (after the page base's); its controls are its
// settings, which the page base loads, saves and sets to their factory values (their hints). The
// grid's numbers, which the base does not keep, are stored in a section of their own.
//
// A number holds at most 30 characters: typing stops there, and a longer text pasted into a cell
// is cut to its first 30.

#include "app/pages/FormIncl.h"
#include "app/pages/phones/PhonesExchange.h"
#include "platform/stdctrls/Grids.h"

class TformPhones : public TformIncl {
    Q4_CLASS(TformPhones, TformIncl)
public:
    explicit TformPhones(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);

    // Besides the base: the grid emptied (FillGrid), so that rows the unit does not fill stay
    // empty.
    void PrepareRead() override;
    // Besides the base: the numbers in section "EnPhones".
    void SaveToIni(TCustomIniFile& ini) override;
    void LoadFromIni(TCustomIniFile& ini) override;

    // The headings, the row numbers, and empty numbers.
    void FillGrid();
    TPhoneNumbers Numbers() const;
    void SetNumbers(const TPhoneNumbers& numbers);
    // The page's values as the writer sends them.
    TPhonesValues Values() const;

    // Handlers named by the description.
    void SG1KeyPress(TObject* sender, char16_t& key);
    void SG1SetEditText(TObject* sender, int col, int row, const std::string& value);
    // Headings and row numbers in a colour that reads on the fixed cells' colour, light or dark
    // as the desktop makes it.
    void SG1DrawCell(TObject* sender, int col, int row, TRect rect, TGridDrawState state);

protected:
    // The grid's columns: the row numbers, then the numbers.
    void Loaded() override;

private:
    TStringGrid* Grid() const;
};

// Puts the page and the classes its description names in the class registry, and the page's
// reader and writer with the controller's.
void RegisterPhonesPage();
