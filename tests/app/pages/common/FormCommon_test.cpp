// The common page as a window: its fields correcting themselves, the mode state, the three
// questions before the deep sleep, and the page read and written through a connection's
// controller against quorvan4-unitsim, on the cable and through the modem.

#include "app/pages/common/FormCommon.h"

#include "app/worker/CommandCodes.h"
#include "platform/forms/Dialogs.h"
#include "platform/graphics/Graphics.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/MaskEdit.h"
#include "platform/stdctrls/RadioButton.h"
#include "platform/stdctrls/Shape.h"
#include "platform/stdctrls/SpeedButton.h"
#include "tests/app/support/AppTestEnvironment.h"
#include "tests/app/support/PageConnection.h"
#include "tests/app/support/PageTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using pagetest::Part;

struct TCommonPage {
    TCommonPage() {
        page = TCustomForm::Create<TformCommon>(&host);
        page->SetModePause(0);
        page->SetDefaults();
        page->ApplyModeState();
    }
    std::string Text(const char* name) const { return Part<TCustomEdit>(*page, name)->GetText(); }
    void Type(const char* name, const std::string& text) const {
        Part<TCustomEdit>(*page, name)->SetText(text);
    }
    TSpeedButton* Button(const char* name) const { return Part<TSpeedButton>(*page, name); }
    bool Enabled(const char* name) const { return Part<TControl>(*page, name)->Enabled(); }
    TColor LabelColour(const char* name) const {
        return Part<TLabel>(*page, name)->Font()->Color();
    }
    pagetest::TCommandHost host;
    TformCommon* page = nullptr;
};

TEST(CommonPage, CoordinateFieldsCorrectThemselves) {
    struct TCase {
        const char* field;
        const char* typed;
        std::vector<std::pair<const char*, const char*>> after;
    };
    const std::vector<TCase> cases = {
        {"meMinShG", "95", {{"meMinShG", "00"}}},
        {"meMaxShG", "90", {{"meMaxShG", "90"}, {"meMaxShM", "00"}, {"meMaxShS", "00,00"}}},
        {"meMinDG", "181", {{"meMinDG", "000"}}},
        {"meMaxDG", "180", {{"meMaxDG", "180"}, {"meMaxDM", "00"}, {"meMaxDS", "00,00"}}},
        {"meMinShM", "75", {{"meMinShM", "00"}}},
        {"meMinShS", "61,50", {{"meMinShS", "00,50"}}},
        {"meMinDS", "59,99", {{"meMinDS", "59,99"}}},
        {"meMaxShG", "89", {{"meMaxShG", "89"}}},
    };
    for (const TCase& c : cases) {
        TCommonPage p;
        // Minutes and seconds that a coordinate at its limit cannot have.
        for (const char* field : {"meMaxShM", "meMaxDM"})
            p.Type(field, "30");
        for (const char* field : {"meMaxShS", "meMaxDS"})
            p.Type(field, "12,34");
        p.Type(c.field, c.typed);
        for (const auto& [field, text] : c.after)
            EXPECT_EQ(p.Text(field), text) << c.field << " := " << c.typed << ", " << field;
    }
}

TEST(CommonPage, PeriodsHoldToTheirLimitsByMode) {
    TCommonPage p;
    const auto fix = [&] {
        return p.Text("etPeriodgpsS") + ":" + p.Text("etPeriodgpsH") + ":" + p.Text("etPeriodgpsM");
    };
    const auto reporting = [&] {
        return p.Text("etPeriodgsmS") + ":" + p.Text("etPeriodgsmH") + ":" + p.Text("etPeriodgsmM");
    };
    for (const char* f : {"etPeriodgpsS", "etPeriodgpsH", "etPeriodgpsM"})
        p.Type(f, "00");
    EXPECT_EQ(fix(), "00:00:01"); // duty
    p.Button("btnDontsleepFF")->SetDown(true);
    p.page->ApplyModeState(); // the mode read from the unit
    EXPECT_EQ(p.page->MinFixMinutes(), 10);
    EXPECT_EQ(fix(), "00:00:10");
    p.Type("etPeriodgpsH", "30");
    EXPECT_EQ(fix(), "00:23:10");
    p.Type("etPeriodgsmS", "08");
    EXPECT_EQ(reporting(), "07:00:00");
    p.Type("etPeriodgsmS", "00");
    p.Type("etPeriodgsmM", "05");
    EXPECT_EQ(reporting(), "00:00:10");
    p.Type("etPeriodgsmS", "01");
    p.Type("etPeriodgsmH", "02");
    p.Type("etPeriodgsmM", "30");
    EXPECT_EQ(p.page->ReportingPeriodText(), "1 сут. 2 час. 30 мин.");
}

TEST(CommonPage, ModeButtonsAntiTheftAndZoneFormOneState) {
    TCommonPage p;
    p.host.IsConnected = false;
    // Duty: no anti-theft, no zone, no reporting period.
    EXPECT_FALSE(p.Enabled("btnWakeFr"));
    EXPECT_FALSE(p.Enabled("FrGroupBox3"));
    EXPECT_FALSE(p.Enabled("etPeriodgsmM"));
    EXPECT_FALSE(p.Enabled("lbetPeriodgsm"));
    // Sleep with constant fixing and anti-theft on: the zone stays off.
    p.Button("btnDontsleep0F")->Click();
    EXPECT_TRUE(p.Enabled("btnWakeFr"));
    EXPECT_TRUE(p.Button("btnWakeFr")->Down());
    EXPECT_FALSE(p.Enabled("FrGroupBox3"));
    EXPECT_TRUE(p.Enabled("etPeriodgsmM"));
    EXPECT_EQ(p.page->MinFixMinutes(), 1);
    // Anti-theft off: the zone may be set.
    p.Button("btnWakeFr")->SetDown(false);
    p.page->ApplyWakeState();
    EXPECT_TRUE(p.Enabled("FrGroupBox3"));
    Part<TCheckBox>(*p.page, "cbOhr")->SetChecked(true);
    // Sleep without constant fixing: the zone goes off and is switched off.
    p.Button("btnDontsleepFF")->Click();
    EXPECT_FALSE(p.Enabled("FrGroupBox3"));
    EXPECT_FALSE(Part<TCheckBox>(*p.page, "cbOhr")->Checked());
    EXPECT_EQ(p.page->MinFixMinutes(), 10);
    EXPECT_TRUE(p.host.Codes.empty()); // nothing is sent while not connected
}

TEST(CommonPage, DeepSleepIsSentOnlyAfterThreeYeses) {
    struct TCase {
        std::vector<TModalResult> answers;
        bool sent;
    };
    const std::vector<TCase> cases = {
        {{mrYes, mrOk, mrYes}, true}, {{mrNo}, false},
        {{mrCancel}, false},          {{mrYes, mrCancel}, false},
        {{mrYes, mrOk, mrNo}, false},
    };
    for (const TCase& c : cases) {
        TCommonPage p;
        p.Type("etPeriodgsmS", "01");
        p.Type("etPeriodgsmH", "02");
        p.Type("etPeriodgsmM", "30");
        std::vector<std::string> asked;
        size_t next = 0;
        const TMessageDlgHook previous = SetMessageDlgHook([&](const TMessageDlgRequest& r) {
            asked.push_back(r.Text);
            return next < c.answers.size() ? c.answers[next++] : mrCancel;
        });
        p.Button("btnDontsleepFF")->Click();
        SetMessageDlgHook(previous);
        EXPECT_EQ(asked.size(), c.answers.size());
        if (c.sent) {
            EXPECT_EQ(asked, (std::vector<std::string>{
                                 "Вы уверены, что хотите перевести устройство в спящий режим?",
                                 "ВНИМАНИЕ! Устройство не будет доступно в течение 1 сут. 2 "
                                 "час. 30 мин. !",
                                 "Точно?"}));
            EXPECT_EQ(p.host.Codes, std::vector<uint8_t>{cmdSetSleepMode});
            EXPECT_TRUE(p.Button("btnDontsleepFF")->Down());
        } else {
            EXPECT_TRUE(p.host.Codes.empty());
            EXPECT_TRUE(p.Button("btnDontsleep00")->Down()) << "the duty mode comes back";
            EXPECT_FALSE(p.Button("btnDontsleepFF")->Down());
        }
        EXPECT_TRUE(p.Enabled("btnDontsleep00"));
        EXPECT_TRUE(p.Enabled("btnDontsleepFF"));
    }
    // The other modes, and leaving the deep sleep, are sent without a question; the flag reset
    // whitens the flags at once.
    TCommonPage p;
    apptest::Messages().clear();
    p.Button("btnDontsleep0F")->Click();
    p.Button("btnWakeFr")->Click();
    Part<TShape>(*p.page, "shs1")->Brush()->SetColor(clLime);
    Part<TControl>(*p.page, "btnRST")->Click();
    EXPECT_EQ(p.host.Codes,
              (std::vector<uint8_t>{cmdSetSleepMode, cmdSetAntiTheft, cmdResetFlags}));
    EXPECT_EQ(Part<TShape>(*p.page, "shs1")->Brush()->Color(), clWhite);
    EXPECT_TRUE(apptest::Messages().empty());
}

// ---- through a connection ----------------------------------------------------------------------

class CommonPageLink : public ::testing::TestWithParam<TLinkKind> {
protected:
    CommonPageLink() : connection(GetParam(), {p.page}) {}
    void SetUnit() {
        TUnitSim& sim = connection.Sim();
        sim.SetValue("dontsleep", "0F");
        sim.SetValue("wakefr", "FF");
        sim.SetValue("object", "0123");
        sim.SetValue("periodgsm", "05DE");
        sim.SetValue("periodgps", "0001");
        sim.SetValue("activetime", "0258");
        // 59 30' 30,00" N .. 60 N, 30 E .. 31 15' 7,41" W, switched on.
        sim.SetValue("zone", "2359399023C3460011E1A30092914D1E00");
        sim.SetValue("dzonesleep", "00");
        sim.SetValue("zact", "40");
        sim.SetValue("zren", "00");
        sim.SetValue("flagact", "00");
        sim.SetValue("flagren", "40");
        sim.SetValue("MFLAG", "1000");
    }
    TCommonPage p;
    pagetest::TPageConnection connection;
};

TEST_P(CommonPageLink, ReadFillsThePage) {
    SetUnit();
    connection.Read(*p.page);
    const std::vector<std::pair<const char*, const char*>> shown = {
        {"etObjNum", "123"},    {"etPeriodgsmS", "01"}, {"etPeriodgsmH", "01"},
        {"etPeriodgsmM", "02"}, {"etPeriodgpsM", "01"}, {"meMinShG", "59"},
        {"meMinShM", "30"},     {"meMinShS", "30,00"},  {"meMaxShG", "60"},
        {"meMinDG", "030"},     {"meMaxDG", "031"},     {"meMaxDM", "15"},
        {"meMaxDS", "07,41"},
    };
    for (const auto& [name, text] : shown)
        EXPECT_EQ(p.Text(name), text) << name;
    EXPECT_TRUE(p.Button("btnDontsleep0F")->Down());
    EXPECT_FALSE(p.Button("btnWakeFr")->Down());
    EXPECT_EQ(Part<TComboBox>(*p.page, "cbActivetime")->ItemIndex(), 2);
    EXPECT_EQ(Part<TComboBox>(*p.page, "cbEW2")->ItemIndex(), 1);
    EXPECT_TRUE(Part<TCheckBox>(*p.page, "cbOhr")->Checked());
    EXPECT_TRUE(Part<TRadioButton>(*p.page, "rbDZ2")->Checked());
    EXPECT_TRUE(Part<TCheckBox>(*p.page, "cbHS1")->Checked());
    EXPECT_TRUE(Part<TCheckBox>(*p.page, "cbFV1")->Checked());
    EXPECT_FALSE(Part<TCheckBox>(*p.page, "cbFS1")->Checked());
    EXPECT_EQ(Part<TShape>(*p.page, "shs1")->Brush()->Color(), clLime);
    EXPECT_EQ(Part<TShape>(*p.page, "shv1")->Brush()->Color(), clWhite);
    // The mode read brought the page's state along: sleep with fixing, anti-theft off.
    EXPECT_TRUE(p.Enabled("FrGroupBox3"));
    EXPECT_TRUE(p.Enabled("btnWakeFr"));
    for (const char* label : {"lbetObjNum", "lbetPeriodgsm", "lbetPeriodgps", "lbetActivetime",
                              "lbOhr", "lbMinSh", "lbMaxD", "lbDZ1", "lbSrab", "lbVost2"})
        EXPECT_EQ(p.LabelColour(label), clBlue) << label;
    pagetest::SnapshotPage(
        *p.page, GetParam() == lkCable ? "page-common-read" : "page-common-read-modem", 840, 560);
}

TEST_P(CommonPageLink, TheModeReadPressesItsButtonAndBringsItsState) {
    SetUnit();
    struct TCase {
        const char* reply;
        const char* pressed;
        bool zoneRead;
        int minFix;
    };
    for (const TCase& c :
         {TCase{"00", "btnDontsleep00", false, 1}, TCase{"FF", "btnDontsleepFF", false, 10},
          TCase{"0F", "btnDontsleep0F", true, 1}}) {
        connection.Sim().SetValue("dontsleep", c.reply);
        connection.Sim().ClearRecords();
        connection.Read(*p.page);
        EXPECT_TRUE(p.Button(c.pressed)->Down()) << c.reply;
        EXPECT_EQ(p.page->MinFixMinutes(), c.minFix) << c.reply;
        EXPECT_EQ(p.Enabled("FrGroupBox3"), c.zoneRead) << c.reply;
        const std::vector<std::string> lines = connection.Lines();
        EXPECT_EQ(std::find(lines.begin(), lines.end(), "+zone") != lines.end(), c.zoneRead)
            << c.reply;
    }
}

TEST_P(CommonPageLink, FailedReadMarksRedAndKeepsTheField) {
    SetUnit();
    connection.Refuse("periodgsm");
    connection.Read(*p.page);
    EXPECT_EQ(p.LabelColour("lbetPeriodgsm"), clRed);
    EXPECT_EQ(p.LabelColour("lbetPeriodgps"), clBlue);
    // The field keeps what the read's preparation left: its factory value.
    EXPECT_EQ(p.Text("etPeriodgsmM"), "10");
}

TEST_P(CommonPageLink, WriteSendsThePageButNotTheMode) {
    SetUnit();
    connection.Read(*p.page);
    p.Type("etObjNum", "0077");
    p.Type("meMinShS", "30,50");
    Part<TComboBox>(*p.page, "cbActivetime")->SetItemIndex(-1);
    connection.Sim().ClearRecords();
    connection.Write(*p.page);
    EXPECT_EQ(
        connection.Lines(),
        (std::vector<std::string>{"+object0077", "+periodgsm05DE", "+periodgps0001",
                                  "+zone23593CD123C3460011E1A30092914D1E00", "+dzonesleep00",
                                  "+wakefrFF", "+zact40", "+zren00", "+flagact00", "+flagren40"}));
    // No fix time limit chosen: nothing sent for it, and its label says so.
    EXPECT_EQ(p.LabelColour("lbetActivetime"), clRed);
    EXPECT_EQ(p.LabelColour("lbetObjNum"), clBlue);
    EXPECT_EQ(p.LabelColour("lbMinSh"), clBlue);
}

TEST_P(CommonPageLink, DutyModeReleasesAntiTheft) {
    SetUnit();
    connection.Sim().SetValue("wakefr", "00");
    connection.Read(*p.page);
    ASSERT_TRUE(p.Button("btnWakeFr")->Down());
    connection.Sim().ClearRecords();
    p.Button("btnDontsleep00")->SetDown(true);
    connection.Command(&TController::ApplySleepMode);
    EXPECT_EQ(connection.Lines(), (std::vector<std::string>{"+dontsleep00", "+wakefrFF"}));
    EXPECT_FALSE(p.Button("btnWakeFr")->Down());
    EXPECT_EQ(connection.Sim().Value("wakefr"), "FF");
}

TEST_P(CommonPageLink, AntiTheftAndFlagResetCommandsReachTheUnit) {
    SetUnit();
    connection.Read(*p.page); // sleep with fixing, anti-theft off, the zone on
    p.Button("btnWakeFr")->SetDown(true);
    connection.Sim().ClearRecords();
    connection.Command(&TController::ApplyAntiTheft);
    connection.Command(&TController::ResetEventFlags);
    EXPECT_EQ(connection.Lines(),
              (std::vector<std::string>{"+zone2359399023C3460011E1A30092914D1E00", "+wakefr00",
                                        "+mflag"}));
    EXPECT_EQ(connection.Sim().Value("wakefr"), "00");
    EXPECT_EQ(p.LabelColour("lbOhr"), clBlue);
}

INSTANTIATE_TEST_SUITE_P(Links, CommonPageLink, ::testing::Values(lkCable, lkModem));

} // namespace
