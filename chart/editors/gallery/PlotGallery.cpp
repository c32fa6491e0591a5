#include "chart/editors/gallery/PlotGallery.h"

#include "chart/control/ChartPalettes.h"
#include "chart/control/SeriesTypes.h"
#include "chart/draw/ChartMessages.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/gallery/GalleryPanel.h"
#include "chart/editors/gallery/GallerySettings.h"
#include "chart/util/ChartUtils.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/TabControl.h"

#include <algorithm>
#include <optional>

TPlotGallery::TPlotGallery(TComponent* owner) : TForm(owner) {
    // The description names the gallery panel.
    RegisterClasses<TChartGalleryPanel, TTabControl>();
}

void TPlotGallery::DeclareMethods(TMethodTable& m) {
    using G = TPlotGallery;
    m.Add("FormCreate", &G::FormCreate);
    m.Add("FormShow", &G::FormShow);
    m.Add("FormDestroy", &G::FormDestroy);
    m.Add("TabTypesChange", &G::TabTypesChange);
    m.Add("TabPagesChange", &G::TabPagesChange);
    m.Add("CBPaletteChange", &G::CBPaletteChange);
    m.Add("CB3DClick", &G::CB3DClick);
    m.Add("CBSmoothClick", &G::CBSmoothClick);
    m.Add("ChartGalleryPanel1SelectedChart", &G::ChartGalleryPanel1SelectedChart);
}

void TPlotGallery::AfterConstruction() {
    loading_ = true;
    gallery_ = nullptr;
    TForm::AfterConstruction();
    loading_ = false;
}

void TPlotGallery::FormCreate(TObject*) {
    gallery_ = FormPart<TChartGalleryPanel>(this, "ChartGalleryPanel1");
    tabTypes_ = FormPart<TTabControl>(this, "TabTypes");
    tabPages_ = FormPart<TTabControl>(this, "TabPages");
    cb3D_ = FormPart<TCheckBox>(this, "CB3D");
    cbSmooth_ = FormPart<TCheckBox>(this, "CBSmooth");
    cbPalette_ = FormPart<TComboBox>(this, "CBPalette");
    tabTypes_->Tabs()->Clear();
    tabTypes_->Tabs()->Add(ChartMsg(msgSeries));
    tabTypes_->Tabs()->Add(ChartMsg(msgGalleryFunctions));
    cbPalette_->Items()->Clear();
    TColorPalettes::FillNames(*cbPalette_->Items(), false);
    cbPalette_->SetSorted(true);
}

void TPlotGallery::SelectPalette(int palette) {
    TStrings* items = cbPalette_->Items();
    int found = -1;
    for (int i = 0; i < items->Count() && found < 0; ++i)
        if (TColorPalettes::PaletteIndexOf(items->Objects(i)) == palette)
            found = i;
    cbPalette_->SetItemIndex(found);
}

int TPlotGallery::SelectedPalette() const {
    const int index = cbPalette_->ItemIndex();
    return index < 0 ? -1 : TColorPalettes::PaletteIndexOf(cbPalette_->Items()->Objects(index));
}

void TPlotGallery::HideFunctions() {
    if (tabTypes_->Tabs()->Count() > 1)
        tabTypes_->Tabs()->Delete(1);
    gallery_->SetFunctionsPage(false);
}

void TPlotGallery::FormShow(TObject*) {
    loading_ = true;
    cbSmooth_->SetChecked(gallery_->Smooth());
    loading_ = false;
    tabTypes_->SetTabIndex(0);
    TabTypesChange(tabTypes_);
    LoadSize();
    TranslateControl(this);
}

void TPlotGallery::LoadSize() {
    if (!ReadGalleryBoolean("RememberGallerySize", true))
        return;
    if (const std::optional<int> width = ReadGalleryOption("GalleryWidth"))
        SetWidth(std::max(100, *width));
    if (const std::optional<int> height = ReadGalleryOption("GalleryHeight"))
        SetHeight(std::max(100, *height));
}

void TPlotGallery::FormDestroy(TObject*) {
    if (!ReadGalleryBoolean("RememberGallerySize", true))
        return;
    WriteGalleryInteger("GalleryWidth", Width());
    WriteGalleryInteger("GalleryHeight", Height());
}

void TPlotGallery::RebuildPageTabs() {
    TStrings* pages = tabPages_->Tabs();
    pages->Clear();
    const bool functions = tabTypes_->TabIndex() == 1;
    const TPlotSeriesTypes& types = PlotSeriesTypes();
    for (int i = 0; i < types.Count(); ++i) {
        const TPlotSeriesType* type = types.Items(i);
        if (type->GallerySeriesCount() <= 0 || (type->FunctionClass() != nullptr) != functions)
            continue;
        if (pages->IndexOf(type->GalleryPage()) < 0)
            pages->Add(type->GalleryPage());
    }
}

void TPlotGallery::TabTypesChange(TObject*) {
    RebuildPageTabs();
    TStrings* pages = tabPages_->Tabs();
    const int standard = pages->IndexOf(ChartMsg(msgStandard));
    if (standard > 0)
        pages->Exchange(0, standard);
    tabPages_->SetTabIndex(0);
    TabPagesChange(tabPages_);
}

void TPlotGallery::TabPagesChange(TObject*) {
    gallery_->SetFunctionsPage(tabTypes_->TabIndex() == 1);
    gallery_->SetView3D(cb3D_->Checked());
    if (tabPages_->TabIndex() < 0)
        gallery_->ClearCharts();
    else
        gallery_->FillPage(tabPages_->Tabs()->Strings(tabPages_->TabIndex()));
    CBPaletteChange(cbPalette_);
}

void TPlotGallery::CBPaletteChange(TObject*) {
    const int palette = SelectedPalette();
    if (palette < 0)
        return;
    for (TGalleryChart* chart : gallery_->Charts()) {
        chart->ApplyColorPalette(palette);
        if (chart->SeriesCount() > 0)
            chart->SeriesAt(0)->ApplyGallery3D(cb3D_->Checked());
    }
}

void TPlotGallery::CB3DClick(TObject*) {
    if (gallery_ != nullptr)
        gallery_->SetView3D(cb3D_->Checked());
}

void TPlotGallery::CBSmoothClick(TObject*) {
    if (gallery_ == nullptr || loading_)
        return;
    gallery_->SetSmooth(cbSmooth_->Checked());
    WriteGalleryBoolean("SmoothGallery", cbSmooth_->Checked());
}

void TPlotGallery::ChartGalleryPanel1SelectedChart(TObject*) {
    SetModalResult(mrOk);
}
