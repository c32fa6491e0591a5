#include "CommonTestSupport.h"

#include "platform/classes/Properties.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Graphics.h"
#include "tests/controls/support/ControlsTestApp.h"

#include <gtest/gtest.h>

void TFramedProbe::DeclareProperties(TPropertyList& p) {
    using P = TFramedProbe;
    // Colour and ParentColor replace the inherited ones, recording and passing the value on.
    p.AddFn<P>(
        "Color", [](P* c) { return c->TControl::Color(); },
        [](P* c, TColor v) {
            c->Record("Color", v);
            c->SetColor(v);
        },
        TColorTypeInfo());
    p.AddFn<P>(
        "ParentColor", [](P* c) { return c->TControl::ParentColor(); },
        [](P* c, bool v) {
            c->Record("ParentColor", v);
            c->SetParentColor(v);
        });
    for (const char* name : {"FocusColor", "DisabledColor", "ReadOnlyColor", "FlatButtonColor",
                             "FrameColor", "FrameHotColor"}) {
        const std::string n = name;
        p.AddFn<P>(
            name, [n](P* c) { return static_cast<TColor>(c->Last(n)); },
            [n](P* c, TColor v) { c->Record(n, v); }, TColorTypeInfo());
    }
    for (const char* name :
         {"ReadOnlyColorOnFocus", "FlatButtons", "FrameHotTrack", "FrameVisible"}) {
        const std::string n = name;
        p.AddFn<P>(
            name, [n](P* c) { return c->Last(n) != 0; }, [n](P* c, bool v) { c->Record(n, v); });
    }
    for (const char* name : {"FrameStyle", "FrameHotStyle"}) {
        const std::string n = name;
        p.AddFn<P>(
            name, [n](P* c) { return static_cast<TFrameStyleEx>(c->Last(n)); },
            [n](P* c, TFrameStyleEx v) { c->Record(n, v); });
    }
    p.AddFn<P>(
        "FrameSides",
        [](P* c) { return TSides::FromBits(static_cast<std::uint64_t>(c->Last("FrameSides"))); },
        [](P* c, TSides v) { c->Record("FrameSides", static_cast<std::int64_t>(v.Bits())); });
    p.AddFn<P>(
        "FramingPreference",
        [](P* c) { return static_cast<TFramingPreference>(c->Last("FramingPreference")); },
        [](P* c, TFramingPreference v) { c->Record("FramingPreference", v); });
    p.Add("FrameControllerNotifications", &P::Notifications);
}

void TFramedProbe::WndProc(TMessage& m) {
    if (m.Msg == CM_BLINKQUERY) {
        m.Result = Blinking ? 1 : 0;
        return;
    }
    if (m.Msg == CM_BLINKSTATE) {
        BlinkStates.push_back(static_cast<int>(m.WParam));
        if (OnBlink)
            OnBlink();
        return;
    }
    TGraphicControl::WndProc(m);
}

void TNotifiedProbe::DeclareProperties(TPropertyList& p) {
    p.AddFn<TNotifiedProbe>(
        "FrameColor", [](TNotifiedProbe*) { return clNone; },
        [](TNotifiedProbe* c, TColor) { ++c->FrameColorSets; }, TColorTypeInfo());
}

namespace {
[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(
    new controlstest::ApplicationEnvironment("controls-common-fonts"));
} // namespace
