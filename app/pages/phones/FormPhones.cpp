#include "app/pages/phones/FormPhones.h"

#include "app/controller/ControllerPageLink.h"
#include "app/controller/PageExchange.h"
#include "app/pages/PagePart.h"
#include "controls/buttons/FrCheckBox.h"
#include "controls/buttons/GlyphButtonRegistration.h"
#include "controls/containers/ContainerControls.h"
#include "controls/grid/FrStringGrid.h"
#include "controls/grid/GridControls.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtl/Strings.h"
#include "platform/stdctrls/Registration.h"

TformPhones::TformPhones(TComponent* owner) : TformIncl(owner) {}

void TformPhones::DeclareMethods(TMethodTable& m) {
    m.Add("SG1KeyPress", &TformPhones::SG1KeyPress);
    m.Add("SG1SetEditText", &TformPhones::SG1SetEditText);
    m.Add("SG1DrawCell", &TformPhones::SG1DrawCell);
}

TStringGrid* TformPhones::Grid() const {
    return PagePart<TStringGrid>(*this, PhoneGridName);
}

void TformPhones::Loaded() {
    TformIncl::Loaded();
    if (auto* grid = dynamic_cast<TStringGrid*>(FindComponent(PhoneGridName))) {
        grid->SetColWidths(0, 60);
        grid->SetColWidths(1, 247);
        FillGrid();
    }
}

void TformPhones::FillGrid() {
    TStringGrid* grid = Grid();
    grid->SetCells(0, 0, "№");
    grid->SetCells(PhoneColumn, 0, "Телефон");
    for (int row = 1; row <= ServicePhoneCount; ++row) {
        grid->SetCells(0, row, IntToStr(row));
        grid->SetCells(PhoneColumn, row, "");
    }
}

TPhoneNumbers TformPhones::Numbers() const {
    TPhoneNumbers numbers;
    for (size_t n = 0; n < numbers.size(); ++n)
        numbers[n] = Grid()->Cells(PhoneColumn, static_cast<int>(n) + 1);
    return numbers;
}

void TformPhones::SetNumbers(const TPhoneNumbers& numbers) {
    for (size_t n = 0; n < numbers.size(); ++n)
        Grid()->SetCells(PhoneColumn, static_cast<int>(n) + 1, CutPhoneNumber(numbers[n]));
}

TPhonesValues TformPhones::Values() const {
    TPhonesValues values;
    values.Enabled = PagePart<TFrCustomCheckBox>(*this, "cbPhones")->GetChecked();
    values.Numbers = Numbers();
    return values;
}

void TformPhones::PrepareRead() {
    TformIncl::PrepareRead();
    FillGrid();
}

void TformPhones::SaveToIni(TCustomIniFile& ini) {
    TformIncl::SaveToIni(ini);
    SavePhoneNumbers(ini, Numbers());
}

void TformPhones::LoadFromIni(TCustomIniFile& ini) {
    TformIncl::LoadFromIni(ini);
    try {
        SetNumbers(LoadPhoneNumbers(ini));
    } catch (const std::exception& e) {
        Report(std::string("EnPhones: ") + e.what()); // the grid keeps what it held
    }
}

void TformPhones::SG1KeyPress(TObject*, char16_t& key) {
    TStringGrid* grid = Grid();
    if (!PhoneKeyAllowed(grid->Cells(grid->Col(), grid->Row()), key))
        key = 0;
}

void TformPhones::SG1SetEditText(TObject*, int col, int row, const std::string& value) {
    const std::string cut = CutPhoneNumber(value);
    if (cut != value)
        Grid()->SetCells(col, row, cut);
}

void TformPhones::SG1DrawCell(TObject*, int col, int row, TRect rect, TGridDrawState state) {
    if (!state.Contains(gdFixed))
        return;
    TStringGrid* grid = Grid();
    TCanvas* canvas = grid->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(grid->FixedColor());
    canvas->FillRect(rect);
    canvas->Font()->Assign(grid->Font());
    canvas->Font()->SetColor(ContrastingTextColor(grid->FixedColor()));
    canvas->Brush()->SetStyle(bsClear);
    TRect clip = rect;
    canvas->TextRect(clip, rect.Left + 2, rect.Top + 2, grid->Cells(col, row));
    canvas->Brush()->SetStyle(bsSolid);
}

void RegisterPhonesPage() {
    RegisterStdControls();
    RegisterContainerControls();
    RegisterGridControls();
    RegisterGlyphButtons();
    RegisterClasses<TformPhones>();
    RegisterPageExchange("TformPhones",
                         {[](TController& controller, TformIncl& page) {
                              TControllerPageLink link(controller, page);
                              ReadPhonesPage(link);
                          },
                          [](TController& controller, TformIncl& page) {
                              auto& phones = dynamic_cast<TformPhones&>(page);
                              TControllerPageLink link(controller, page);
                              TPhonesValues values;
                              link.OnUserInterface([&] { values = phones.Values(); });
                              WritePhonesPage(link, values);
                          }});
}
