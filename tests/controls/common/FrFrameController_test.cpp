#include "CommonTestSupport.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"

#include <gtest/gtest.h>

namespace {

int Pushes(const TFramedProbe& p, const std::string& name) {
    auto it = p.Pushed.find(name);
    return it == p.Pushed.end() ? 0 : static_cast<int>(it->second.size());
}

TEST(FrFrameController, AddingAControlPushesEverythingInOrder) {
    TFrFrameController fc(nullptr);
    TFramedProbe probe(nullptr);
    fc.AddControl(&probe);
    EXPECT_EQ(probe.Order,
              (std::vector<std::string>{"ParentColor", "Color", "DisabledColor", "ReadOnlyColor",
                                        "ReadOnlyColorOnFocus", "FocusColor", "FlatButtonColor",
                                        "FlatButtons", "FrameColor", "FrameHotColor",
                                        "FrameHotTrack", "FrameHotStyle", "FrameSides",
                                        "FrameStyle", "FrameVisible", "FramingPreference"}));
    EXPECT_EQ(probe.Pushed["Color"].back(), clWindow);
    EXPECT_EQ(probe.Pushed["FrameSides"].back(), static_cast<std::int64_t>(AllSides.Bits()));
    EXPECT_EQ(probe.Pushed["FrameHotStyle"].back(), fsFlatBold);
    // Adding it again does nothing; a controller that follows the parent's colour pushes none.
    probe.Order.clear();
    fc.AddControl(&probe);
    EXPECT_TRUE(probe.Order.empty());
    fc.SetParentColor(true);
    fc.RemoveControl(&probe);
    fc.AddControl(&probe);
    EXPECT_EQ(Pushes(probe, "Color"), 1);
    EXPECT_EQ(fc.ControlCount(), 1);
}

TEST(FrFrameController, ColourCarriesTheFocusColourWhenTheyWereEqual) {
    TFrFrameController fc(nullptr);
    fc.SetColor(clYellow);
    EXPECT_EQ(fc.FocusColor(), clYellow);
    fc.SetFocusColor(clAqua);
    fc.SetColor(clRed);
    EXPECT_EQ(fc.Color(), clRed);
    EXPECT_EQ(fc.FocusColor(), clAqua);
    // Setting the colour clears ParentColor; clearing ParentColor pushes the colour again.
    TFramedProbe probe(nullptr);
    fc.AddControl(&probe);
    fc.SetParentColor(true);
    probe.Order.clear();
    fc.SetParentColor(false);
    EXPECT_EQ(probe.Order, (std::vector<std::string>{"ParentColor", "Color"}));
    fc.SetParentColor(true);
    fc.SetColor(clLime);
    EXPECT_FALSE(fc.ParentColor());
}

TEST(FrFrameController, NotificationsChooseWhatAControlTakes) {
    TFrFrameController fc(nullptr);
    TFramedProbe own(nullptr), all(nullptr);
    own.Notifications.Exclude(fcpFrameColor);
    fc.AddControl(&own);
    fc.AddControl(&all);
    fc.SetFrameColor(clRed);
    EXPECT_EQ(Pushes(own, "FrameColor"), 0);
    EXPECT_EQ(all.Pushed["FrameColor"].back(), clRed);
    // A control that takes the framing notification is told, and nothing is set on it.
    TNotifiedProbe told(nullptr);
    fc.AddControl(&told);
    fc.SetFrameColor(clBlue);
    EXPECT_EQ(told.Notified, 2);
    EXPECT_EQ(told.FrameColorSets, 0);
}

TEST(FrFrameController, UpdatesWaitForTheLastEndUpdate) {
    TFrFrameController fc(nullptr);
    TFramedProbe probe(nullptr);
    fc.AddControl(&probe);
    probe.Pushed.clear();
    probe.Order.clear();
    fc.BeginUpdate();
    fc.BeginUpdate();
    fc.SetFrameColor(clRed);
    fc.SetFrameStyle(fsLowered);
    fc.EndUpdate();
    EXPECT_TRUE(probe.Order.empty());
    fc.EndUpdate();
    EXPECT_EQ(probe.Order.size(), 16u); // everything, once
    EXPECT_EQ(probe.Pushed["FrameColor"], std::vector<std::int64_t>{clRed});
    EXPECT_EQ(probe.Pushed["FrameStyle"], std::vector<std::int64_t>{fsLowered});
    // One EndUpdate too many is forgiven: the next setter pushes at once.
    fc.EndUpdate();
    probe.Order.clear();
    fc.SetFrameVisible(true);
    EXPECT_EQ(probe.Order, std::vector<std::string>{"FrameVisible"});
}

TEST(FrFrameController, HotTrackingShowsTheWholeFrame) {
    TFrFrameController fc(nullptr);
    fc.SetFrameSides(TSides{sdTop});
    fc.SetFrameHotTrack(true);
    EXPECT_TRUE(fc.FrameVisible());
    EXPECT_EQ(fc.FrameSides(), AllSides);
}

TEST(FrFrameController, AssignCopiesEverySettingWithOnePush) {
    TFrFrameController from(nullptr), to(nullptr);
    from.SetColor(clRed);
    from.SetFocusColor(clYellow);
    from.SetFrameStyle(fsGroove);
    from.SetFrameSides(TSides{sdLeft, sdRight});
    from.SetFlatButtons(false);
    from.SetParentColor(true);
    TFramedProbe probe(nullptr);
    to.AddControl(&probe);
    probe.Order.clear();
    to.Assign(&from);
    EXPECT_EQ(to.Color(), clRed);
    EXPECT_EQ(to.FocusColor(), clYellow);
    EXPECT_EQ(to.FrameStyle(), fsGroove);
    EXPECT_EQ(to.FrameSides(), (TSides{sdLeft, sdRight}));
    EXPECT_FALSE(to.FlatButtons());
    EXPECT_TRUE(to.ParentColor());
    EXPECT_EQ(probe.Order.size(), 15u); // everything but the colour (ParentColor is set)
}

TEST(FrFrameController, ForgetsControlsThatAreFreed) {
    TFrFrameController fc(nullptr);
    auto* probe = new TFramedProbe(nullptr);
    fc.AddControl(probe);
    probe->Free();
    EXPECT_EQ(fc.ControlCount(), 0);
    fc.SetFrameColor(clRed); // must not reach the freed control
}

TEST(FrFrameController, OlderDescriptionsMapTheirSettings) {
    RegisterClasses<TFrFrameController>();
    const std::string text = "object FrFrameController1: TFrFrameController\n"
                             "  FrameFlat = True\n"
                             "  FrameFocusStyle = fsRaised\n"
                             "  FrameFlatStyle = fsGroove\n"
                             "  FrameColor = clRed\n"
                             "end\n";
    TFrFrameController fc(nullptr);
    ReadComponentDescription(ObjectTextToBinary(text), &fc);
    EXPECT_TRUE(fc.FrameHotTrack());
    EXPECT_EQ(fc.FrameStyle(), fsStatus);
    EXPECT_EQ(fc.FrameHotStyle(), fsRaised); // FrameFocusStyle comes after FrameFlat
    EXPECT_EQ(fc.FrameColor(), clRed);       // the value after the dropped one still reads
}

} // namespace
