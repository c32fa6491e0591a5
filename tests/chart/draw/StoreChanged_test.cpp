// The setter helpers: a value is stored and its listener told only when it differs from the one
// held; the listener hears who changed.

#include "chart/draw/Shadow.h"
#include "chart/draw/StoreChanged.h"
#include "platform/classes/Persistent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(StoreChanged, StoresOnlyADifferentValue) {
    int number = 3;
    EXPECT_FALSE(StoreChanged(number, 3));
    EXPECT_TRUE(StoreChanged(number, 4));
    EXPECT_EQ(number, 4);

    double exact = 0.1;
    EXPECT_TRUE(StoreChanged(exact, 0.1 + 0.2 - 0.2)) << "doubles compare exactly";
    EXPECT_EQ(exact, 0.1 + 0.2 - 0.2);

    std::string text = "ось";
    EXPECT_FALSE(StoreChanged(text, std::string("ось")));
    EXPECT_TRUE(StoreChanged(text, std::string("Ось")));
    EXPECT_EQ(text, "Ось");
}

TEST(StoreChanged, TheListenerHearsOfChangesOnlyAndWhoMadeThem) {
    TPersistent sender;
    std::vector<TObject*> heard;
    const TNotifyEvent listener = [&](TObject* s) { heard.push_back(s); };

    int field = 1;
    EXPECT_FALSE(StoreAndNotify(field, 1, listener, &sender));
    EXPECT_TRUE(heard.empty());
    EXPECT_TRUE(StoreAndNotify(field, 2, listener, &sender));
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0], &sender);
    EXPECT_EQ(field, 2);

    // Without a listener the value is still stored.
    EXPECT_TRUE(StoreAndNotify(field, 5, TNotifyEvent{}, &sender));
    EXPECT_EQ(field, 5);
    EXPECT_EQ(heard.size(), 1u);
}

TEST(StoreChanged, ShadowSettersTellTheOwnerOfChangesOnly) {
    int changes = 0;
    TPlotShadow shadow([&](TObject*) { ++changes; });
    struct Case {
        const char* name;
        void (*same)(TPlotShadow&);
        void (*other)(TPlotShadow&);
    } cases[] = {
        {"Clip", [](TPlotShadow& s) { s.SetClip(s.Clip()); },
         [](TPlotShadow& s) { s.SetClip(!s.Clip()); }},
        {"Color", [](TPlotShadow& s) { s.SetColor(s.Color()); },
         [](TPlotShadow& s) { s.SetColor(clRed); }},
        {"HorizSize", [](TPlotShadow& s) { s.SetHorizSize(s.HorizSize()); },
         [](TPlotShadow& s) { s.SetHorizSize(s.HorizSize() + 3); }},
        {"VertSize", [](TPlotShadow& s) { s.SetVertSize(s.VertSize()); },
         [](TPlotShadow& s) { s.SetVertSize(s.VertSize() - 2); }},
        {"Smooth", [](TPlotShadow& s) { s.SetSmooth(s.Smooth()); },
         [](TPlotShadow& s) { s.SetSmooth(!s.Smooth()); }},
        {"Transparency", [](TPlotShadow& s) { s.SetTransparency(s.Transparency()); },
         [](TPlotShadow& s) { s.SetTransparency(40); }},
        {"Visible", [](TPlotShadow& s) { s.SetVisible(s.Visible()); },
         [](TPlotShadow& s) { s.SetVisible(!s.Visible()); }},
    };
    for (const Case& c : cases) {
        changes = 0;
        c.same(shadow);
        EXPECT_EQ(changes, 0) << c.name;
        c.other(shadow);
        EXPECT_EQ(changes, 1) << c.name;
    }
}

} // namespace
