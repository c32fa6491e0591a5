#include "chart/editors/gallery/GalleryRoutines.h"

#include "chart/control/Chart.h"
#include "chart/control/SeriesFactory.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/gallery/GalleryPanel.h"
#include "chart/editors/gallery/GallerySettings.h"
#include "chart/editors/gallery/PlotGallery.h"
#include "chart/editors/gallery/PlotGalleryForm.h"
#include "chart/editors/listbox/ChartListBox.h"
#include "chart/series/SeriesLibrary.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/stdctrls/CheckBox.h"

#include <memory>

namespace {

// The standard dialog, freed however the run ends.
bool RunStandardGallery(TComponent* owner, TChartSeries* currentSeries, bool showFunctions,
                        int& palette, int& styleIndex, bool checkValidity, TClass& functionClass,
                        bool& view3D, TClass& seriesClass) {
    TFreeingPtr<TPlotGallery> dialog(TCustomForm::Create<TPlotGallery>(owner));
    PositionDialog(dialog.get());
    dialog->CB3D()->SetChecked(view3D);
    TChartGalleryPanel* gallery = dialog->Gallery();
    gallery->SetCurrentSeries(currentSeries);
    if (!showFunctions)
        dialog->HideFunctions();
    gallery->SetCheckValidity(checkValidity);
    dialog->SelectPalette(palette);
    if (dialog->ShowModal() != mrOk)
        return false;
    palette = dialog->SelectedPalette();
    if (!gallery->GetSelection(seriesClass, functionClass, styleIndex))
        return false;
    view3D = dialog->CB3D()->Checked() && gallery->SelectedChart()->View3D();
    return true;
}

int galleryStarts = 0;

} // namespace

bool RunGallery(TComponent* owner, TChartSeries* currentSeries, bool showFunctions, int& palette,
                int& styleIndex, bool checkValidity, TClass& functionClass, bool& view3D,
                TClass& seriesClass) {
    // The alternate dialog offers every plain type: it takes no palette, current series or
    // validity check.
    if (ReadGalleryInteger("GalleryMode", 0) != 0)
        return RunPlotGalleryForm(owner, view3D, seriesClass, functionClass, styleIndex);
    return RunStandardGallery(owner, currentSeries, showFunctions, palette, styleIndex,
                              checkValidity, functionClass, view3D, seriesClass);
}

TChartSeries* CreateSeriesFromGallery(TComponent* owner, TChartSeries* currentSeries,
                                      TCustomChart* chart, int& styleIndex, bool checkValidity,
                                      bool showFunctions) {
    if (chart == nullptr)
        return nullptr;
    bool view3D = chart->View3D();
    int palette = chart->ColorPaletteIndex();
    TClass seriesClass = nullptr;
    TClass functionClass = nullptr;
    if (!RunGallery(owner, currentSeries, showFunctions, palette, styleIndex, checkValidity,
                    functionClass, view3D, seriesClass))
        return nullptr;
    chart->SetView3D(view3D);
    if (palette >= 0)
        chart->ApplyColorPalette(palette);
    if (currentSeries != nullptr && !showFunctions && seriesClass == currentSeries->ClassType() &&
        styleIndex == -1)
        return nullptr;
    TComponent* seriesOwner = currentSeries != nullptr ? currentSeries->Owner() : chart->Owner();
    TChartSeries* series = MakeSeries(seriesOwner, chart, seriesClass, functionClass);
    if (styleIndex != -1)
        series->ApplySubStyle(series, styleIndex);
    return series;
}

TChartSeries* AddSeriesFromGallery(TComponent* owner, TCustomChart* chart,
                                   TChartSeries* currentSeries) {
    if (chart == nullptr)
        return nullptr;
    int styleIndex = -1;
    return CreateSeriesFromGallery(owner, currentSeries, chart, styleIndex, false, true);
}

TClass ChangeSeriesTypeFromGallery(TComponent* owner, TChartSeries*& series) {
    if (series == nullptr)
        return nullptr;
    int styleIndex = -1;
    auto* chart = dynamic_cast<TCustomChart*>(series->ParentChart());
    if (TChartSeries* made =
            CreateSeriesFromGallery(owner, series, chart, styleIndex, true, false)) {
        try {
            ReplaceSeries(series, made);
        } catch (...) {
            // The old series stays; the one made for it goes.
            made->Free();
            throw;
        }
        // The take-over copied the old settings over the sub-style: it is applied again.
        if (styleIndex != -1)
            series->ApplySubStyle(series, styleIndex);
    }
    return series->ClassType();
}

void StartChartGallery() {
    if (galleryStarts++ > 0)
        return;
    StartChartSeries();
    RegisterClasses<TChartGalleryPanel, TGalleryChart>();
    // The series list box adds series and changes their type through the galleries.
    AddSeriesHook() = AddSeriesFromGallery;
    ChangeSeriesTypeHook() = ChangeSeriesTypeFromGallery;
}

void StopChartGallery() {
    if (galleryStarts > 0 && --galleryStarts == 0) {
        AddSeriesHook() = nullptr;
        ChangeSeriesTypeHook() = nullptr;
        StopChartSeries();
    }
}
