// The anti-alias tool's editor: the switch follows and sets the tool's smoothing, and the filters
// button edits the tool's filters over a picture of the chart as it looks without the tool, with
// the chart kept from drawing meanwhile and drawn again only after OK.

#include "chart/control/Chart.h"
#include "chart/editors/AntiAliasEditor.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/FiltersEditor.h"
#include "chart/imaging/Filters.h"
#include "chart/imaging/PlotFilter.h"
#include "chart/tools/AntiAliasTool.h"
#include "platform/graphics/Bitmap.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "tests/chart/editors/EditorTestSupport.h"
#include "tests/chart/editors/ToolEditorTestSupport.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

template <class T> T* Part(TComponent* form, const char* name) {
    return FormPart<T>(form, name);
}

class AntiAliasEditorTest : public edtest::ToolEditorTest {
protected:
    void SetUp() override {
        ToolEditorTest::SetUp();
        chart->SetColor(kPanel);
        chart->OnBeforeDrawChart = [this](TObject*) {
            ++draws;
            onWhenDrawn = tool->Active();
        };
        tool = new TAntiAliasTool(form);
        tool->SetParentChart(chart);
        editor = TCustomForm::Create<TAntiAliasEditor>(nullptr);
        editor->SetTool(tool);
    }
    void TearDown() override {
        chart->OnBeforeDrawChart = nullptr;
        ToolEditorTest::TearDown();
    }
    // Draws whatever is due.
    void Settle() {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }

    static constexpr TColor kPanel = 0x00C8E6FA; // RGB(250, 230, 200)
    TAntiAliasTool* tool = nullptr;
    TAntiAliasEditor* editor = nullptr;
    int draws = 0;
    // Whether the tool was on when the chart last drew.
    bool onWhenDrawn = true;
};

TEST_F(AntiAliasEditorTest, TheSwitchShowsAndSetsTheSmoothing) {
    tool->SetAntiAlias(false);
    ShowEmbedded(editor, 200, 84);
    auto* anti = Part<TCheckBox>(editor, "CBAnti");
    EXPECT_FALSE(anti->Checked());
    EXPECT_FALSE(tool->AntiAlias());
    edtest::Shoot(Host(), "anti-alias-editor");
    edtest::ClickControl(anti);
    EXPECT_TRUE(tool->AntiAlias());
    EXPECT_EQ(chart->DrawCanvas(), tool->Canvas()) << "installed";
    edtest::ClickControl(anti);
    EXPECT_FALSE(tool->AntiAlias());
    EXPECT_EQ(chart->DrawCanvas(), tool->Canvas()) << "installed still, switched off";
}

TEST_F(AntiAliasEditorTest, TheFiltersAreEditedOverThePlainChartAndOnlyOkRedrawsIt) {
    tool->Filters()->Add<TInvertFilter>();
    ShowEmbedded(editor, 200, 84);
    Settle();
    for (bool ok : {false, true}) {
        bool shown = false;
        TModalHook old = SetModalHook([&](TCustomForm* f) {
            auto* filters = dynamic_cast<TFiltersEditor*>(f);
            ASSERT_NE(filters, nullptr);
            shown = true;
            EXPECT_FALSE(onWhenDrawn) << "the picture is drawn with the tool off";
            draws = 0; // the picture was a drawing of its own
            EXPECT_EQ(filters->EditedFilters, tool->Filters());
            auto* picture = dynamic_cast<TBitmap*>(filters->SourceGraphic);
            ASSERT_NE(picture, nullptr);
            // The panel's own colour, not inverted by the tool's filter.
            EXPECT_EQ(picture->Canvas()->Pixel(4, 150), kPanel);
            EXPECT_TRUE(tool->Active()) << "back on while the filters are edited";
            EXPECT_FALSE(chart->RepaintEnabled()) << "the chart waits for the editor";
            if (ok)
                edtest::Shoot(f, "anti-alias-filters");
            f->SetModalResult(ok ? mrOk : mrCancel);
        });
        edtest::ClickControl(Part<TButton>(editor, "Button1"));
        SetModalHook(old);
        ASSERT_TRUE(shown);
        EXPECT_TRUE(tool->Active());
        EXPECT_TRUE(chart->RepaintEnabled());
        Settle();
        EXPECT_EQ(draws > 0, ok) << (ok ? "OK draws the chart again" : "Cancel leaves it");
    }
}

TEST_F(AntiAliasEditorTest, AToolWithoutAChartEditsItsFiltersWithoutAPicture) {
    tool->SetParentChart(nullptr);
    ShowEmbedded(editor, 200, 84);
    bool shown = false;
    TModalHook old = SetModalHook([&](TCustomForm* f) {
        auto* filters = dynamic_cast<TFiltersEditor*>(f);
        ASSERT_NE(filters, nullptr);
        shown = true;
        EXPECT_EQ(filters->SourceGraphic, nullptr);
        EXPECT_EQ(filters->EditedFilters, tool->Filters());
        f->SetModalResult(mrOk);
    });
    edtest::ClickControl(Part<TButton>(editor, "Button1"));
    SetModalHook(old);
    EXPECT_TRUE(shown);
}

} // namespace
