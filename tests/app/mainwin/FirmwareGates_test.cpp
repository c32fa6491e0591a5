// The firmware rules: which builds see which page parts (with the GPS node and the history
// columns switching back and forth), the update offer's table, and the flash type's bits.

#include "app/controller/FirmwareAdaptation.h"
#include "app/controller/FirmwareGates.h"
#include "app/mainwin/FormMain.h"
#include "app/pages/FormIncl.h"
#include "platform/rtl/Exception.h"
#include "platform/stdctrls/ListItems.h"
#include "platform/stdctrls/ListView.h"
#include "platform/stdctrls/TreeNodes.h"
#include "platform/stdctrls/TreeView.h"
#include "tests/app/mainwin/MainWindowTestSupport.h"

#include <gtest/gtest.h>

using namespace mwtest;

TEST(FirmwareGates, TheUpdateOfferAgainstImage503_090) {
    struct Case {
        int build;
        TUpdateOffer offer;
    } cases[] = {{90, TUpdateOffer::None},        {91, TUpdateOffer::None},
                 {89, TUpdateOffer::ShowDialog},  {88, TUpdateOffer::ShowDialog},
                 {68, TUpdateOffer::ShowDialog},  {67, TUpdateOffer::None},
                 {66, TUpdateOffer::DisableMenu}, {60, TUpdateOffer::DisableMenu}};
    for (const Case& c : cases)
        EXPECT_EQ(UpdateOfferFor(503, c.build, 503, 90), c.offer) << c.build;
    // Build 88 is always offered, also against a newer shell's image; another shell below the
    // image's is due too.
    EXPECT_TRUE(UpdateDue(503, 88, 504, 10));
    EXPECT_TRUE(UpdateDue(502, 95, 503, 90));
    EXPECT_FALSE(UpdateDue(504, 10, 503, 90));
    EXPECT_EQ(UpdateOfferFor(504, 88, 503, 90), TUpdateOffer::ShowDialog);
}

TEST(FirmwareGates, NewerThanComparesShellThenBuild) {
    EXPECT_TRUE(NewerThan(503, 53, 52));
    EXPECT_FALSE(NewerThan(503, 52, 52));
    EXPECT_TRUE(NewerThan(504, 1, 76));
    EXPECT_FALSE(NewerThan(502, 99, 10));
}

TEST(FirmwareGates, TheFlashTypeIsBitsFiveToThreeOfThePanelType) {
    EXPECT_EQ(FlashTypeOf("38"), "AT45DB161D");
    EXPECT_EQ(FlashTypeOf("30"), "M45PE16");
    EXPECT_EQ(FlashTypeOf("FF"), "AT45DB161D");
    EXPECT_EQ(FlashTypeOf("1C7"), "M45PE16"); // only the low byte counts
    EXPECT_THROW(FlashTypeOf("zz"), EConvertError);
}

TEST(FirmwareGates, TheVersionTextGivesShellBuildAndVariant) {
    TUnitFirmware unit;
    ReadUnitFirmware("REV 07.503.088_p", unit);
    EXPECT_EQ(unit.Shell, 503);
    EXPECT_EQ(unit.Build, 88);
    EXPECT_TRUE(unit.Variant);
    ReadUnitFirmware("REV 07.503.088p", unit);
    EXPECT_FALSE(unit.Variant);
    EXPECT_THROW(ReadUnitFirmware("garbage", unit), EConvertError);
    EXPECT_EQ(unit.Shell, 0);
}

namespace {

bool Shown(TformIncl* page, const char* name) {
    return dynamic_cast<TControl*>(page->FindComponent(name))->Visible();
}

} // namespace

TEST(FirmwareGates, PagesFollowTheBuildBackAndForth) {
    TWindowRig rig(TRigOptions{.StartUnit = false});
    rig.Start();
    TAdaptTargets t;
    t.Tree = dynamic_cast<TCustomTreeView*>(rig.Main()->FindComponent("tv1"));
    t.Common = rig.Page("TformCommon");
    t.Gprs = rig.Page("TformGPRS");
    t.History = rig.Page("TformHistory");
    t.Power = rig.Page("TformPower");
    auto* list = dynamic_cast<TCustomListView*>(t.History->FindComponent("lv1"));
    const auto adapt = [&](int build, const char* gps = "0") {
        TUnitFirmware unit;
        unit.Shell = 503;
        unit.Build = build;
        return AdaptPagesToFirmware(t, unit, gps);
    };
    struct Row {
        int build;
        bool zone, ignition, antiTheft;
        int columns;
    } rows[] = {{52, false, false, false, 9}, {53, true, false, false, 9},
                {60, true, false, false, 9},  {61, true, true, false, 9},
                {68, true, true, false, 9},   {69, true, true, false, 13},
                {76, true, true, false, 13},  {77, true, true, true, 13}};
    for (const Row& r : rows) {
        adapt(r.build);
        for (const char* name : {"lbGPRS", "cbGPRS", "lbGPRSTime", "meGPRSTime", "FrGroupBox1"})
            EXPECT_EQ(Shown(t.Gprs, name), r.zone) << r.build << " " << name;
        EXPECT_EQ(Shown(t.Common, "FrGroupBox3"), r.zone) << r.build;
        EXPECT_EQ(Shown(t.Common, "FrGroupBox4"), r.zone) << r.build;
        for (const char* name : {"GroupBox1", "GroupBox2", "lbLookIgn", "cbLookIgn"})
            EXPECT_EQ(Shown(t.Power, name), r.ignition) << r.build << " " << name;
        EXPECT_EQ(Shown(t.Common, "FrGroupBox5"), r.antiTheft) << r.build;
        EXPECT_EQ(list->Columns()->Count(), r.columns) << r.build;
    }

    // The widths of "КС" and "Запись" live through 69 -> 68 -> 69.
    list->Columns()->Items(11)->SetWidth(51);
    list->Columns()->Items(12)->SetWidth(333);
    adapt(68);
    ASSERT_EQ(list->Columns()->Count(), 9);
    EXPECT_EQ(list->Columns()->Items(7)->Caption(), "КС");
    EXPECT_EQ(list->Columns()->Items(7)->Width(), 51);
    EXPECT_EQ(list->Columns()->Items(8)->Width(), 333);
    adapt(69);
    EXPECT_EQ(list->Columns()->Items(7)->Caption(), "Высота над уровнем моря (м)");
    EXPECT_EQ(list->Columns()->Items(10)->Caption(), "Уровень приема (dBHz)");
    EXPECT_EQ(list->Columns()->Items(11)->Width(), 51);
    EXPECT_EQ(list->Columns()->Items(12)->Caption(), "Запись");
    EXPECT_EQ(list->Columns()->Items(12)->Width(), 333);

    // The GPS node: from 503.56 with the switch only; leaving it brings the power page.
    TTreeNodes* nodes = t.Tree->Items();
    EXPECT_FALSE(adapt(56, "0").ShowPowerPage);
    EXPECT_EQ(nodes->Count(), 5);
    adapt(55, "1");
    EXPECT_EQ(nodes->Count(), 5);
    adapt(56, "1");
    ASSERT_EQ(nodes->Count(), 6);
    EXPECT_EQ(nodes->Item(5)->Text(), "GPS фиксация");
    EXPECT_EQ(nodes->Item(5)->StateIndex(), 5);
    adapt(57, "1");
    EXPECT_EQ(nodes->Count(), 6);
    EXPECT_TRUE(adapt(55, "1").ShowPowerPage);
    EXPECT_EQ(nodes->Count(), 5);
}
