#include "controls/common/FrSystem.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtl/SystemVersion.h"

#include <gtest/gtest.h>

namespace {

TEST(FrSystem, StripAccelerators) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"&File", "File"},
        {"a&&b", "a&b"},
        {"&&b", "&b"},
        {"a&", "a&"},
        {"x&&", "x&"},
        {"&&&x", "&x"},
        {"Save && &Exit", "Save & Exit"},
        {"Сохранить", "Сохранить"},
        {"&", "&"},
    };
    for (const auto& [in, want] : cases)
        EXPECT_EQ(StripAccelerators(in), want) << in;
}

TEST(FrSystem, RotatedFontRunsUpward) {
    TFont font;
    font.SetName("Arial");
    font.SetSize(12);
    font.SetStyle(TFontStyles{fsBold});
    auto rotated = CreateRotatedFont(font, 90);
    EXPECT_EQ(rotated->Orientation(), 900);
    EXPECT_EQ(rotated->Name(), "Arial");
    EXPECT_EQ(rotated->Height(), font.Height());
    EXPECT_TRUE(rotated->Style().Contains(fsBold));
    EXPECT_EQ(font.Orientation(), 0); // the original is left alone
    EXPECT_TRUE(FontIsTrueType(*rotated));

    // The ink of a rotated word is taller than wide.
    TBitmap bmp(200, 200, pfDevice);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect(Rect(0, 0, 200, 200));
    bmp.Canvas()->Font()->Assign(*rotated);
    bmp.Canvas()->Font()->SetColor(clBlack);
    bmp.Canvas()->Brush()->SetStyle(bsClear);
    bmp.Canvas()->TextOut(90, 180, "Rotated");
    int left = 200, right = -1, top = 200, bottom = -1;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if (bmp.Canvas()->Pixel(x, y) != clWhite) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, left);
    EXPECT_GT(bottom - top, 2 * (right - left));
}

TEST(FrSystem, Monitors) {
    EXPECT_FALSE(MonitorAtPoint({-10000, -10000}).has_value());
    ASSERT_GT(Screen->MonitorCount(), 0);
    const TMonitorInfo first = Screen->Monitors(0);
    const auto at = MonitorAtPoint({first.BoundsRect.Left + 1, first.BoundsRect.Top + 1});
    ASSERT_TRUE(at.has_value());
    EXPECT_EQ(MonitorBounds(*at), first.BoundsRect);
    EXPECT_EQ(MonitorWorkArea(*at), first.WorkareaRect);
    TForm form(nullptr);
    form.HandleNeeded();
    EXPECT_EQ(MonitorWorkAreaOf(&form), first.WorkareaRect);
    EXPECT_EQ(WorkAreaWidthOf(&form), first.WorkareaRect.Width());
}

TEST(FrSystem, VersionTests) {
    // Emulated systems: 95 (4.0), 98 (4.10), Me (4.90), NT 4, 2000, XP, 2003, Vista, 7.
    struct Row {
        TOSVersionInfo v;
        const char* exact;   // kinds 0..7, '1' for true
        const char* atLeast; // kinds 0..7
    } rows[] = {
        {{1, 4, 0, 0}, "10000000", "10000000"},  {{1, 4, 10, 0}, "00100000", "10100000"},
        {{1, 4, 90, 0}, "00010000", "10110000"}, {{2, 4, 0, 0}, "01000000", "11000000"},
        {{2, 5, 0, 0}, "00001000", "11001000"},  {{2, 5, 1, 0}, "00000100", "11001100"},
        {{2, 5, 2, 0}, "00000010", "11001110"},  {{2, 6, 0, 0}, "00000001", "11001001"},
        {{2, 6, 1, 0}, "00000000", "11001101"},
    };
    const TOSVersionInfo before = GetVersionEx();
    for (const Row& r : rows) {
        SetEmulatedVersion(r.v);
        for (int kind = 0; kind < 8; ++kind) {
            EXPECT_EQ(IsWindowsVersion(kind), r.exact[kind] == '1')
                << r.v.MajorVersion << "." << r.v.MinorVersion << " kind " << kind;
            EXPECT_EQ(IsWindowsVersionAtLeast(kind), r.atLeast[kind] == '1')
                << r.v.MajorVersion << "." << r.v.MinorVersion << " kind " << kind;
        }
        EXPECT_FALSE(IsWindowsVersion(8));
        EXPECT_FALSE(IsWindowsVersionAtLeast(-1));
    }
    SetEmulatedVersion(before);
    EXPECT_TRUE(IsWindowsVersionAtLeast(7)); // the program's own system: NT 6.1
}

} // namespace

namespace {

// A component whose older descriptions carried three settings it no longer has.
class TOldSettings : public TComponent {
    Q4_CLASS(TOldSettings, TComponent)
public:
    explicit TOldSettings(TComponent* owner) : TComponent(owner) {}
    void DefineProperties(TFiler* filer) override {
        TComponent::DefineProperties(filer);
        filer->DefineProperty(
            "OldFlag", [](TReader* r) { SkipBooleanProperty(*r); }, nullptr, false);
        filer->DefineProperty(
            "OldNumber", [](TReader* r) { SkipIntegerProperty(*r); }, nullptr, false);
        filer->DefineProperty(
            "OldLines", [](TReader* r) { SkipStringListProperty(*r); }, nullptr, false);
    }
};

TEST(FrSystem, ObsoletePropertiesAreSkipped) {
    RegisterClasses<TOldSettings>();
    // The list holds an empty string: the whole list is skipped, not just its start.
    const std::string text = "object Old: TOldSettings\n"
                             "  OldFlag = True\n"
                             "  OldLines = (\n"
                             "    'first'\n"
                             "    ''\n"
                             "    'third')\n"
                             "  OldNumber = 42\n"
                             "  Tag = 7\n"
                             "end\n";
    TOldSettings old(nullptr);
    ReadComponentDescription(ObjectTextToBinary(text), &old);
    EXPECT_EQ(old.Tag(), 7);
    EXPECT_EQ(old.Name(), "Old");
}

} // namespace
