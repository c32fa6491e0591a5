// The standard gallery dialog run through the gallery routines: its tabs ("Standard" first),
// the palette list, keys and mouse choosing a sample, the remembered size, and what OK and
// Cancel leave in the chart.

#include "tests/chart/editors/gallery/GalleryTestSupport.h"

#include "chart/control/Chart.h"
#include "chart/control/ChartPalettes.h"
#include "chart/control/SeriesTypes.h"
#include "chart/draw/ChartMessages.h"
#include "chart/editors/gallery/GalleryRoutines.h"
#include "chart/editors/gallery/PlotGallery.h"
#include "chart/editors/gallery/PlotGalleryForm.h"
#include "chart/editors/listbox/ChartListBox.h"
#include "chart/series/BarSeries.h"
#include "chart/series/CustomSeries.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/TabControl.h"
#include "tests/chart/editors/EditorTestSupport.h"

#include <functional>
#include <vector>

using namespace gallerytest;

namespace {

std::vector<std::string> TabTexts(const TTabControl* tabs) {
    std::vector<std::string> texts;
    for (int i = 0; i < tabs->Tabs()->Count(); ++i)
        texts.push_back(tabs->Tabs()->Strings(i));
    return texts;
}

void ClickTab(TTabControl* tabs, int index) {
    const TRect r = tabs->TabRect(index);
    edtest::ClickAt(tabs, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

class PlotGalleryTest : public PreferencesTest {
protected:
    void SetUp() override {
        PreferencesTest::SetUp();
        form = new TForm(nullptr);
        chart = new TChart(form);
        chart->SetParent(form);
        chart->SetBounds(0, 0, 300, 200);
        chart->ApplyColorPalette(3);
        form->Show();
    }
    void TearDown() override {
        form->Free();
        PreferencesTest::TearDown();
    }
    // The next modal form of any kind runs act inside its modal loop.
    void InAnyDialog(const std::function<void(TCustomForm*)>& act) {
        old = SetModalHook([this, act](TCustomForm* f) {
            ++runs;
            act(f);
            if (f->ModalResult() == mrNone) {
                ADD_FAILURE() << "the dialog was left open";
                f->SetModalResult(mrCancel);
            }
        });
        hooked = true;
    }
    // The next standard gallery dialog runs act.
    void InDialog(const std::function<void(TPlotGallery*)>& act) {
        InAnyDialog([act](TCustomForm* f) {
            auto* dialog = dynamic_cast<TPlotGallery*>(f);
            ASSERT_NE(dialog, nullptr);
            act(dialog);
        });
    }
    // RunGallery with no current series, functions offered, no validity check and 3D on; what
    // comes back is kept in the chosen... members.
    bool Run(int palette = 0) {
        chosenPalette = palette;
        chosenStyle = -1;
        chosen3D = true;
        chosenSeries = chosenFunction = nullptr;
        return RunGallery(nullptr, nullptr, true, chosenPalette, chosenStyle, false, chosenFunction,
                          chosen3D, chosenSeries);
    }
    void Unhook() {
        if (hooked)
            SetModalHook(old);
        hooked = false;
    }

    TForm* form = nullptr;
    TChart* chart = nullptr;
    TModalHook old;
    bool hooked = false;
    int chosenPalette = 0;
    int chosenStyle = -1;
    bool chosen3D = true;
    TClass chosenSeries = nullptr;
    TClass chosenFunction = nullptr;
    int runs = 0;
};

TEST_F(PlotGalleryTest, OpensOnTheStandardPageAndKeysChooseASample) {
    InDialog([&](TPlotGallery* d) {
        EXPECT_EQ(d->Caption(), "Lumvexor Gallery");
        EXPECT_EQ(d->ClientWidth(), 470);
        EXPECT_EQ(d->ClientHeight(), 427);
        EXPECT_EQ(TabTexts(d->TabTypes()), (std::vector<std::string>{"Series", "Functions"}));
        const std::vector<std::string> pages = TabTexts(d->TabPages());
        ASSERT_GE(pages.size(), 2u);
        EXPECT_EQ(pages[0], "Standard") << "first although another page was registered before";
        EXPECT_EQ(pages[1], kExtrasPage);
        EXPECT_EQ(d->TabPages()->TabIndex(), 0);
        EXPECT_EQ(d->Gallery()->Charts().Count(), 9);
        EXPECT_EQ(d->SelectedPalette(), 3);
        EXPECT_EQ(d->CBPalette()->Items()->Count(), ColorPaletteCount);
        EXPECT_EQ(d->CBPalette()->Items()->Strings(0), "Classic") << "sorted by name";
        EXPECT_EQ(d->Gallery()->Charts().Items(0)->ColorPaletteIndex(), 3);
        EXPECT_TRUE(d->CB3D()->Checked());
        edtest::Shoot(d, "gallery-dialog");
        Key(d->Gallery()->SelectedChart(), Qt::Key_Right);
        Key(d->Gallery()->SelectedChart(), Qt::Key_Down);
        EXPECT_EQ(d->Gallery()->Charts().IndexOf(d->Gallery()->SelectedChart()), 5);
        Key(d->Gallery()->SelectedChart(), Qt::Key_Return);
    });
    EXPECT_TRUE(Run(3));
    Unhook();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(chosenSeries, PlotSeriesTypes().Items(6)->SeriesClass())
        << "the pie, sixth standard type";
    EXPECT_EQ(chosenFunction, nullptr);
    EXPECT_EQ(chosenStyle, 0);
    EXPECT_EQ(chosenPalette, 3);
    EXPECT_TRUE(chosen3D);
}

TEST_F(PlotGalleryTest, FunctionsTabListsFunctionTypesOnly) {
    InDialog([&](TPlotGallery* d) {
        ClickTab(d->TabTypes(), 1);
        EXPECT_EQ(d->TabTypes()->TabIndex(), 1);
        EXPECT_TRUE(d->Gallery()->FunctionsPage());
        for (const TGalleryChart* c : d->Gallery()->Charts())
            EXPECT_NE(c->SeriesAt(0)->Function(), nullptr);
        ClickTab(d->TabTypes(), 0);
        EXPECT_EQ(d->Gallery()->Charts().Count(), 9);
        ClickTab(d->TabPages(), 1);
        EXPECT_EQ(d->Gallery()->Charts().Count(), 1) << "the Extras page";
        d->SetModalResult(mrCancel);
    });
    EXPECT_FALSE(Run());
    Unhook();
    EXPECT_EQ(chosenSeries, nullptr);
}

TEST_F(PlotGalleryTest, CancelMakesNothingAndLeavesTheChartAsItWas) {
    chart->SetView3D(false);
    InDialog([&](TPlotGallery* d) {
        edtest::ClickControl(d->CB3D());
        EXPECT_TRUE(d->CB3D()->Checked());
        edtest::ChooseItem(d->CBPalette(), 0);
        d->SetModalResult(mrCancel);
    });
    EXPECT_EQ(AddSeriesFromGallery(form, chart, nullptr), nullptr);
    Unhook();
    EXPECT_EQ(chart->SeriesCount(), 0);
    EXPECT_FALSE(chart->View3D());
    EXPECT_EQ(chart->ColorPaletteIndex(), 3);
    EXPECT_EQ(AddSeriesFromGallery(form, nullptr, nullptr), nullptr) << "no chart, no dialog";
    EXPECT_EQ(runs, 1);

    // The series list box's hook runs the same dialog.
    ASSERT_TRUE(AddSeriesHook());
    InDialog([](TPlotGallery* d) { d->SetModalResult(mrCancel); });
    EXPECT_EQ(AddSeriesHook()(form, chart, nullptr), nullptr);
    Unhook();
    EXPECT_EQ(runs, 2);
}

TEST_F(PlotGalleryTest, OkMakesTheChosenSeriesWithThePaletteAnd3DChosen) {
    int chosenPalette = -1;
    InDialog([&](TPlotGallery* d) {
        edtest::ClickControl(d->CB3D());
        EXPECT_FALSE(d->CB3D()->Checked());
        EXPECT_FALSE(d->Gallery()->View3D());
        edtest::ChooseItem(d->CBPalette(), 0);
        chosenPalette = d->SelectedPalette();
        EXPECT_EQ(d->Gallery()->Charts().Items(0)->ColorPaletteIndex(), chosenPalette);
        DoubleClickAt(d->Gallery()->Charts().Items(1), 40, 40);
    });
    TChartSeries* made = AddSeriesFromGallery(form, chart, nullptr);
    Unhook();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->ClassType(), TBarSeries::StaticClass());
    EXPECT_EQ(made->ParentChart(), chart);
    EXPECT_EQ(made->Owner(), form) << "the chart's owner";
    EXPECT_FALSE(chart->View3D());
    EXPECT_EQ(chart->ColorPaletteIndex(), chosenPalette);
    EXPECT_EQ(ColorPaletteName(chosenPalette), "Classic");
}

TEST_F(PlotGalleryTest, ChangingToTheSameTypeMakesANewSeriesThatTakesOver) {
    auto* first = new TLineSeries(form);
    first->SetName("Voltage");
    first->SetParentChart(chart);
    auto* series = new TLineSeries(form);
    series->SetName("Ignition");
    series->SetTitle("Зажигание");
    series->SetParentChart(chart);
    series->AddXYValue(1, 12.5);
    series->AddXYValue(2, 13.1);
    int clicks = 0;
    series->OnClick = [&](TChartSeries*, int, TMouseButton, TShiftState, int, int) { ++clicks; };
    chart->SwapSeries(0, 1);
    TChartSeries* old = series;
    InDialog([&](TPlotGallery* d) {
        EXPECT_EQ(TabTexts(d->TabTypes()), std::vector<std::string>{"Series"});
        EXPECT_TRUE(d->Gallery()->CheckValidity());
        EXPECT_EQ(d->Gallery()->SelectedChart(), d->Gallery()->Charts().Items(0))
            << "the series' own type selected";
        ClickTab(d->TabPages(), 1);
        EXPECT_EQ(d->Gallery()->SelectedChart(), nullptr) << "the refusing sample is disabled";
        ClickTab(d->TabPages(), 0);
        Key(d->Gallery()->SelectedChart(), Qt::Key_Return);
    });
    TChartSeries* changed = series;
    ASSERT_TRUE(ChangeSeriesTypeHook());
    EXPECT_EQ(ChangeSeriesTypeHook()(form, changed), TLineSeries::StaticClass());
    Unhook();
    EXPECT_NE(changed, old) << "a new series, although of the same class";
    EXPECT_EQ(changed->Name(), "Ignition");
    EXPECT_EQ(changed->Title(), "Зажигание");
    EXPECT_EQ(chart->SeriesAt(0), changed) << "its place in the list";
    EXPECT_EQ(chart->SeriesCount(), 2);
    EXPECT_EQ(changed->Count(), 2);
    ASSERT_TRUE(changed->OnClick);
    changed->OnClick(changed, 0, mbLeft, {}, 0, 0);
    EXPECT_EQ(clicks, 1);

    // Cancel: the series stays, its class answered.
    InDialog([&](TPlotGallery* d) { d->SetModalResult(mrCancel); });
    TChartSeries* kept = changed;
    EXPECT_EQ(ChangeSeriesTypeFromGallery(form, kept), TLineSeries::StaticClass());
    Unhook();
    EXPECT_EQ(kept, changed);
}

TEST_F(PlotGalleryTest, RemembersItsSizeUnlessTold) {
    StoreOption("GalleryWidth", 20);
    StoreOption("GalleryHeight", 512);
    InDialog([&](TPlotGallery* d) {
        EXPECT_EQ(d->Width(), 100) << "a stored width below 100 is raised";
        EXPECT_EQ(d->Height(), 512);
        d->SetBounds(d->Left(), d->Top(), 520, 460);
        d->SetModalResult(mrCancel);
    });
    Run();
    Unhook();
    EXPECT_EQ(StoredOption("GalleryWidth"), 520) << "written after Cancel too";
    EXPECT_EQ(StoredOption("GalleryHeight"), 460);

    StoreOption("RememberGallerySize", 0);
    int width = 0;
    InDialog([&](TPlotGallery* d) {
        width = d->Width();
        d->SetBounds(d->Left(), d->Top(), 610, 470);
        d->SetModalResult(mrOk);
    });
    Run();
    Unhook();
    EXPECT_NE(width, 520) << "not read";
    EXPECT_EQ(StoredOption("GalleryWidth"), 520) << "not written";
    EXPECT_EQ(StoredOption("GalleryHeight"), 460);
}

TEST_F(PlotGalleryTest, SmoothIsWrittenWhenClicked) {
    StoreOption("SmoothGallery", 0);
    InDialog([&](TPlotGallery* d) {
        EXPECT_FALSE(d->CBSmooth()->Checked());
        EXPECT_FALSE(StoredOption("SmoothGallery").value_or(1)) << "opening writes nothing";
        edtest::ClickControl(d->CBSmooth());
        EXPECT_TRUE(d->Gallery()->Smooth());
        EXPECT_TRUE(d->Gallery()->Charts().Items(0)->Smooth());
        EXPECT_EQ(StoredOption("SmoothGallery"), 1) << "at once";
        edtest::Shoot(d, "gallery-dialog-smooth");
        d->SetModalResult(mrCancel);
    });
    Run();
    Unhook();
    EXPECT_EQ(StoredOption("SmoothGallery"), 1);
}

TEST_F(PlotGalleryTest, GalleryModeRunsTheAlternateDialogForBothRoutines) {
    StoreOption("GalleryMode", 1);
    auto confirmBar = [](TCustomForm* f) {
        auto* alternate = dynamic_cast<TPlotGalleryForm*>(f);
        ASSERT_NE(alternate, nullptr) << "the alternate dialog";
        alternate->ShowSubStyles(TBarSeries::StaticClass());
        Key(alternate->Gallery()->SelectedChart(), Qt::Key_Return);
    };
    InAnyDialog(confirmBar);
    TChartSeries* made = AddSeriesFromGallery(form, chart, nullptr);
    Unhook();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->ClassType(), TBarSeries::StaticClass());
    EXPECT_EQ(chart->ColorPaletteIndex(), 3) << "the alternate dialog takes no palette";

    // The change of type too, with no validity check: the refusing type is offered.
    InAnyDialog([](TCustomForm* f) {
        auto* alternate = dynamic_cast<TPlotGalleryForm*>(f);
        ASSERT_NE(alternate, nullptr);
        alternate->ShowSubStyles(TRefusingSeries::StaticClass());
        EXPECT_NE(alternate->Gallery()->SelectedChart(), nullptr);
        Key(alternate->Gallery()->SelectedChart(), Qt::Key_Return);
    });
    TChartSeries* series = made;
    EXPECT_EQ(ChangeSeriesTypeFromGallery(form, series), TRefusingSeries::StaticClass());
    Unhook();
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(chart->SeriesAt(0), series);

    // Cancel there makes nothing and leaves the 3D switch and the palette.
    chart->SetView3D(false);
    InAnyDialog([](TCustomForm* f) {
        auto* alternate = dynamic_cast<TPlotGalleryForm*>(f);
        ASSERT_NE(alternate, nullptr);
        edtest::ClickControl(alternate->CB3D());
        f->SetModalResult(mrCancel);
    });
    EXPECT_EQ(AddSeriesFromGallery(form, chart, nullptr), nullptr);
    Unhook();
    EXPECT_EQ(runs, 3);
    EXPECT_EQ(chart->SeriesCount(), 1);
    EXPECT_FALSE(chart->View3D());
    EXPECT_EQ(chart->ColorPaletteIndex(), 3);
}

} // namespace
