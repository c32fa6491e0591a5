// The GPRS page as a window: the restart time list of the settings file, the online time's limits
// and switch, and the page written and read back through a connection's controller against
// quorvan4-unitsim, on the cable and through the modem.

#include "app/pages/gprs/FormGPRS.h"

#include "platform/graphics/Graphics.h"
#include "platform/rtl/IniFiles.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Label.h"
#include "tests/app/support/PageConnection.h"
#include "tests/app/support/PageTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using pagetest::Part;

struct TGprsPage {
    TGprsPage() {
        page = TCustomForm::Create<TformGPRS>(nullptr);
        page->SetDefaults();
    }
    ~TGprsPage() { page->Free(); }
    std::string Text(const char* name) const { return Part<TCustomEdit>(*page, name)->GetText(); }
    void Type(const char* name, const std::string& text) const {
        Part<TCustomEdit>(*page, name)->SetText(text);
    }
    TComboBox* Restart() const { return Part<TComboBox>(*page, "cbMRst"); }
    TformGPRS* page = nullptr;
};

TEST(GprsPage, TheShortRestartListComesFromTheSettingsFile) {
    for (const char* five : {"1", "0", ""}) {
        const std::string file = testing::TempDir() + "gprs-minutes.ini";
        {
            TIniFile ini(file);
            if (*five != '\0')
                ini.WriteString("Minutes", "Five", five);
            ini.WriteString("formGPRS", "cbMRst", "3");
            ini.UpdateFile();
        }
        TGprsPage p;
        TIniFile ini(file);
        p.page->LoadFromIni(ini);
        if (std::string(five) == "1") {
            ASSERT_EQ(p.Restart()->Items()->Count(), 16);
            EXPECT_EQ(p.Restart()->Items()->Strings(0), "5 минут");
            EXPECT_EQ(p.Restart()->Items()->Strings(15), "20 минут");
            EXPECT_EQ(p.Restart()->ItemIndex(), 0); // the loaded index does not survive
            EXPECT_EQ(p.page->RestartFirst(), 5);
        } else {
            ASSERT_EQ(p.Restart()->Items()->Count(), 11);
            EXPECT_EQ(p.Restart()->ItemIndex(), 3);
            EXPECT_EQ(p.page->RestartFirst(), 10);
        }
        std::remove(file.c_str());
    }
}

TEST(GprsPage, OnlineTimeHoldsToItsLimitsAndCountsOnlyWhileGprsIsOff) {
    TGprsPage p;
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"60", "00120"}, {"99999", "65534"}, {"300", "00300"}, {"", "00120"}, {"65534", "65534"}};
    for (const auto& [typed, shown] : cases) {
        p.Type("meGPRSTime", typed);
        EXPECT_EQ(p.Text("meGPRSTime"), shown) << typed;
    }
    auto* gprs = Part<TCheckBox>(*p.page, "cbGPRS");
    gprs->SetChecked(true);
    EXPECT_FALSE(Part<TControl>(*p.page, "meGPRSTime")->Enabled());
    gprs->SetChecked(false);
    EXPECT_TRUE(Part<TControl>(*p.page, "meGPRSTime")->Enabled());
}

class GprsPageLink : public ::testing::TestWithParam<TLinkKind> {
protected:
    GprsPageLink() : connection(GetParam(), {p.page}) {}
    TGprsPage p;
    pagetest::TPageConnection connection;
};

TEST_P(GprsPageLink, WrittenThenReadBack) {
    p.Type("etGPRSphone", "*99***1#");
    p.Type("etAccessPoint", "apn.example");
    p.Type("etLoginGPRS", "user");
    p.Type("etPswdGPRS", "secret");
    p.Type("etIp", "198.51.100.7");
    p.Type("etPort", "50321");
    p.Type("etPswd", "Word1234");
    p.Restart()->SetItemIndex(10);
    p.Type("meGPRSTime", "300");
    p.Type("etPhone1", "+79161234567");
    Part<TCustomComboBox>(*p.page, "cb1")->SetItemIndex(2);
    connection.Write(*p.page);
    EXPECT_EQ(connection.Lines(),
              (std::vector<std::string>{"+gphone*99***1#", "+GAPNapn.example", "+gprsnameuser",
                                        "+gprspswdsecret", "+IPadr198.51.100.7", "+IPport50321",
                                        "+servpswdWord1234", "+timegpres14", "+gprsenaFF",
                                        "+activegsm012C", "+alphon0+79161234567", "+allogicFA"}));

    // A fresh page shows what the unit now holds.
    TGprsPage fresh;
    connection.Controller().SetPage(fresh.page);
    connection.Read(*fresh.page);
    const std::vector<std::pair<const char*, const char*>> shown = {
        {"etGPRSphone", "*99***1#"}, {"etAccessPoint", "apn.example"},
        {"etLoginGPRS", "user"},     {"etPswdGPRS", "secret"},
        {"etIp", "198.51.100.7"},    {"etPort", "50321"},
        {"etPswd", "Word1234"},      {"meGPRSTime", "00300"},
        {"etPhone1", "+79161234567"}};
    for (const auto& [name, text] : shown)
        EXPECT_EQ(fresh.Text(name), text) << name;
    EXPECT_EQ(fresh.Restart()->ItemIndex(), 10);
    EXPECT_EQ(Part<TCustomComboBox>(*fresh.page, "cb1")->ItemIndex(), 2);
    for (const char* label :
         {"lbetGPRSphone", "lbetPort", "lbMRst", "lbGPRS", "lbGPRSTime", "lbp1"})
        EXPECT_EQ(Part<TLabel>(*fresh.page, label)->Font()->Color(), clBlue) << label;
    if (GetParam() == lkCable)
        pagetest::SnapshotPage(*fresh.page, "page-gprs-read", 640, 480);
    // The GPRS switch's label stands out.
    EXPECT_TRUE(Part<TLabel>(*fresh.page, "lbGPRS")->Font()->Style().Contains(fsBold));
}

TEST_P(GprsPageLink, GprsOnSendsNoOnlineTimeAndAFailedRequestMarksRed) {
    Part<TCheckBox>(*p.page, "cbGPRS")->SetChecked(true);
    connection.Refuse("GAPN");
    connection.Write(*p.page);
    const std::vector<std::string> lines = connection.Lines();
    for (const std::string& line : lines)
        EXPECT_NE(line.rfind("+activegsm", 0), 0u) << line;
    EXPECT_NE(std::find(lines.begin(), lines.end(), "+gprsena00"), lines.end());
    EXPECT_EQ(Part<TLabel>(*p.page, "lbetAccessPoint")->Font()->Color(), clRed);
    EXPECT_EQ(Part<TLabel>(*p.page, "lbetLoginGPRS")->Font()->Color(), clBlue);
}

INSTANTIATE_TEST_SUITE_P(Links, GprsPageLink, ::testing::Values(lkCable, lkModem));

} // namespace
