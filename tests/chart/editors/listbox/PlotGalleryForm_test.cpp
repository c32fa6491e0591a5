// The alternate gallery dialog: its pages, the list of series types, the sub-styles of the
// selected type, the arrows reaching the gallery from the list, and a run confirmed or cancelled.
#include "chart/editors/gallery/PlotGalleryForm.h"

#include "chart/control/Chart.h"
#include "chart/draw/ChartMessages.h"
#include "chart/editors/gallery/GalleryPanel.h"
#include "chart/editors/listbox/ChartListBox.h"
#include "chart/series/BarSeries.h"
#include "chart/series/PieSeries.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Splitter.h"
#include "tests/chart/editors/EditorTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <memory>
#include <string>
#include <vector>

namespace {

using FormPtr = TFreeingPtr<TPlotGalleryForm>;

int RowOfClass(TChartListBox* list, TClass cls) {
    for (int row = 0; row < list->Count(); ++row)
        if (list->SeriesAt(row)->ClassType() == cls)
            return row;
    return -1;
}

std::vector<int> ChartTags(TChartGalleryPanel* gallery) {
    std::vector<int> tags;
    for (int i = 0; i < gallery->Charts().Count(); ++i)
        tags.push_back(static_cast<int>(gallery->Charts().Items(i)->Tag()));
    return tags;
}

TEST(PlotGalleryForm, ListsTheTypesOfAPageAndTheSubStylesOfTheSelectedOne) {
    EXPECT_EQ(ChartMsg(msgAllPages), "(all)");
    FormPtr form(TCustomForm::Create<TPlotGalleryForm>(nullptr));
    EXPECT_EQ(form->Caption(), "Lumvexor Pro Gallery");
    EXPECT_EQ(form->ClientWidth(), 586);
    EXPECT_EQ(form->ClientHeight(), 379);
    TComboBox* pages = form->CBPage();
    ASSERT_GE(pages->Items()->Count(), 2);
    EXPECT_EQ(pages->Items()->Get(0), "(all)");
    EXPECT_EQ(pages->GetText(), "Standard");
    form->Show();
    QApplication::processEvents();

    TChartListBox* list = form->TypeList();
    EXPECT_FALSE(list->MultiSelect());
    EXPECT_FALSE(list->ShowColumn(TChartListBox::colActive));
    EXPECT_FALSE(list->ShowColumn(TChartListBox::colColor));
    const std::vector<std::string> rows = list->Items()->ToVector();
    EXPECT_EQ(rows.size(), 9u) << "the nine standard types";
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end())) << "the list is sorted";
    EXPECT_NE(list->Items()->IndexOf("Horizontal Line"), -1) << "titles on one line";

    // The first row's sub-styles are shown; another row shows its own.
    ASSERT_NE(list->SelectedSeries(), nullptr);
    EXPECT_EQ(form->ShownClass(), list->SelectedSeries()->ClassType());
    const int bar = RowOfClass(list, TBarSeries::StaticClass());
    ASSERT_GE(bar, 0);
    edtest::ClickListItem(list, bar);
    EXPECT_EQ(form->ShownClass(), TBarSeries::StaticClass());
    TChartGalleryPanel* gallery = form->Gallery();
    const std::vector<int> tags = ChartTags(gallery);
    ASSERT_GT(tags.size(), 1u);
    for (std::size_t i = 0; i < tags.size(); ++i)
        EXPECT_EQ(tags[i], static_cast<int>(i)) << "a sample per sub-style, in order";
    EXPECT_FALSE(gallery->DisplaySub());
    EXPECT_EQ(gallery->SubPanel(), gallery);
    EXPECT_GE(gallery->NumRows() * gallery->NumCols(), static_cast<int>(tags.size()));
    EXPECT_EQ(gallery->SelectedChart(), gallery->Charts().Items(0));

    // The splitter beside the list widens it.
    auto* splitter = dynamic_cast<TSplitter*>(form->FindComponent("Splitter1"));
    ASSERT_NE(splitter, nullptr);
    EXPECT_EQ(splitter->ResizedControl(), list);

    // The arrows reach the gallery while the list has the focus.
    list->SetFocus();
    edtest::PressKey(list, Qt::Key_Right);
    EXPECT_EQ(gallery->SelectedChart(), gallery->Charts().Items(1));

    // "(all)" lists every page's types; a page change shows its own.
    edtest::ChooseItem(pages, 0);
    EXPECT_EQ(list->Count(), 9);
    EXPECT_EQ(form->HiddenChart()->SeriesCount(), 9);
    edtest::Shoot(form.get(), "plot-gallery-form");
}

TEST(PlotGalleryForm, RunAnswersTheConfirmedSampleOrNothing) {
    TClass seriesClass = nullptr, functionClass = nullptr;
    int subStyle = -1;
    bool view3D = true;
    const auto pick = [&](TCustomForm* f) {
        auto* form = static_cast<TPlotGalleryForm*>(f);
        TChartListBox* list = form->TypeList();
        edtest::ClickListItem(list, RowOfClass(list, TPieSeries::StaticClass()));
        edtest::PressKey(list, Qt::Key_Right);
        edtest::ClickControl(form->CB3D());
        edtest::PressKey(list, Qt::Key_Return);
    };
    TModalHook old = SetModalHook([&](TCustomForm* f) { pick(f); });
    const bool chosen = RunPlotGalleryForm(nullptr, view3D, seriesClass, functionClass, subStyle);
    SetModalHook(old);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(seriesClass, TPieSeries::StaticClass());
    EXPECT_EQ(functionClass, nullptr);
    EXPECT_EQ(subStyle, 1);
    EXPECT_FALSE(view3D) << "the 3D switch was turned off";

    seriesClass = nullptr;
    subStyle = -1;
    view3D = true;
    old = SetModalHook([](TCustomForm* f) { f->SetModalResult(mrCancel); });
    EXPECT_FALSE(RunPlotGalleryForm(nullptr, view3D, seriesClass, functionClass, subStyle));
    SetModalHook(old);
    EXPECT_EQ(seriesClass, nullptr);
    EXPECT_EQ(subStyle, -1);
    EXPECT_TRUE(view3D);
}

} // namespace
