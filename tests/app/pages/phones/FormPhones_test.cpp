// The service phone numbers page as a window: its grid's limits and key filter, its own section of
// the settings file, and the page read and written through a connection's controller against
// quorvan4-unitsim, on the cable and through the modem.

#include "app/pages/phones/FormPhones.h"

#include "controls/buttons/FrCheckBox.h"
#include "platform/graphics/Color.h"
#include "platform/rtl/IniFiles.h"
#include "platform/stdctrls/Grids.h"
#include "platform/stdctrls/Label.h"
#include "tests/app/support/PageConnection.h"
#include "tests/app/support/PageTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using pagetest::Part;

struct TPhonesPage {
    TPhonesPage() { page = TCustomForm::Create<TformPhones>(nullptr); }
    ~TPhonesPage() { page->Free(); }
    TStringGrid* Grid() const { return Part<TStringGrid>(*page, "SG1"); }
    TFrCustomCheckBox* Switch() const { return Part<TFrCustomCheckBox>(*page, "cbPhones"); }
    TformPhones* page = nullptr;
};

TEST(PhonesPage, GridHoldsTenNumbersUnderItsHeadings) {
    TPhonesPage p;
    TStringGrid* grid = p.Grid();
    EXPECT_EQ(grid->ColCount(), 2);
    EXPECT_EQ(grid->RowCount(), 11);
    EXPECT_EQ(grid->ColWidths(0), 60);
    EXPECT_EQ(grid->ColWidths(1), 247);
    EXPECT_EQ(grid->Cells(0, 0), "№");
    EXPECT_EQ(grid->Cells(1, 0), "Телефон");
    EXPECT_EQ(grid->Cells(0, 10), "10");
    EXPECT_EQ(grid->ScrollBars(), ssNone);
    EXPECT_EQ(grid->FixedColor(), clInactiveCaptionText);
}

TEST(PhonesPage, TypingStopsAtThirtyCharactersAndPastingIsCut) {
    TPhonesPage p;
    TStringGrid* grid = p.Grid();
    grid->SetCol(1);
    grid->SetRow(3);
    const std::string full(30, '7');
    grid->SetCells(1, 3, full);
    char16_t key = u'8';
    grid->OnKeyPress(grid, key);
    EXPECT_EQ(key, 0) << "a 31st character is refused";
    key = 8;
    grid->OnKeyPress(grid, key);
    EXPECT_EQ(key, 8) << "backspace still works";
    grid->SetCells(1, 3, std::string(29, '7'));
    key = u'8';
    grid->OnKeyPress(grid, key);
    EXPECT_EQ(key, u'8');
    // A pasted text arrives whole in the cell's editor.
    grid->OnSetEditText(grid, 1, 4, std::string(35, '5'));
    EXPECT_EQ(grid->Cells(1, 4), std::string(30, '5'));
}

TEST(PhonesPage, SettingsFileKeepsTheNumbersInTheirOwnSection) {
    const std::string file = testing::TempDir() + "phones-page.ini";
    {
        TPhonesPage p;
        p.Grid()->SetCells(1, 1, "+79001112233");
        p.Grid()->SetCells(1, 10, "112");
        p.Switch()->SetChecked(true);
        TIniFile ini(file);
        p.page->SaveToIni(ini);
        ini.UpdateFile();
    }
    {
        TIniFile ini(file);
        EXPECT_EQ(ini.ReadString("EnPhones", "EnPhone1", "<missing>"), "+79001112233");
        EXPECT_EQ(ini.ReadString("EnPhones", "EnPhone5", "<missing>"), "");
        EXPECT_EQ(ini.ReadString("EnPhones", "EnPhone10", "<missing>"), "112");
    }
    TPhonesPage loaded;
    TIniFile ini(file);
    loaded.page->LoadFromIni(ini);
    EXPECT_EQ(loaded.Grid()->Cells(1, 1), "+79001112233");
    EXPECT_EQ(loaded.Grid()->Cells(1, 10), "112");
    EXPECT_EQ(loaded.Grid()->Cells(1, 2), "");
    EXPECT_TRUE(loaded.Switch()->GetChecked());
    std::remove(file.c_str());
}

class PhonesPageLink : public ::testing::TestWithParam<TLinkKind> {
protected:
    PhonesPageLink() : connection(GetParam(), {p.page}) {}
    TPhonesPage p;
    pagetest::TPageConnection connection;
};

TEST_P(PhonesPageLink, AnEmptyGridIsWrittenWithTheNumbersSwitchedOff) {
    p.Switch()->SetChecked(true);
    connection.Write(*p.page);
    std::vector<std::string> expected = {"+enaingFF"};
    for (int n = 0; n < 10; ++n)
        expected.push_back("+ing" + std::to_string(n) + " ");
    EXPECT_EQ(connection.Lines(), expected);
    EXPECT_FALSE(p.Switch()->GetChecked());
    EXPECT_EQ(Part<TLabel>(*p.page, "lbPhones")->Font()->Color(), clBlue);
}

TEST_P(PhonesPageLink, ReadFillsTheRowsAndAFailedNumberStaysEmpty) {
    for (int n = 0; n < 10; ++n)
        p.Grid()->SetCells(1, n + 1, n == 3 ? "" : "+7900000000" + std::to_string(n));
    p.Switch()->SetChecked(true);
    connection.Write(*p.page);
    connection.Refuse("ing3");
    TPhonesPage fresh;
    fresh.Grid()->SetCells(1, 4, "old number");
    connection.Read(*fresh.page);
    for (int n = 0; n < 10; ++n)
        EXPECT_EQ(fresh.Grid()->Cells(1, n + 1), n == 3 ? "" : "+7900000000" + std::to_string(n))
            << n;
    EXPECT_TRUE(fresh.Switch()->GetChecked());
    EXPECT_EQ(Part<TLabel>(*fresh.page, "lbPhones")->Font()->Color(), clBlue);
    if (GetParam() == lkCable)
        pagetest::SnapshotPage(*fresh.page, "page-phones-read", 640, 480);
}

INSTANTIATE_TEST_SUITE_P(Links, PhonesPageLink, ::testing::Values(lkCable, lkModem));

} // namespace
