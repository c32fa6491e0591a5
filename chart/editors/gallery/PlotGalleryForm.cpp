#include "chart/editors/gallery/PlotGalleryForm.h"

#include "chart/control/Chart.h"
#include "chart/control/SeriesFactory.h"
#include "chart/control/SeriesTypes.h"
#include "chart/draw/ChartMessages.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/gallery/GalleryPanel.h"
#include "chart/editors/gallery/GallerySettings.h"
#include "chart/editors/listbox/ChartListBox.h"
#include "chart/util/ChartUtils.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"

#include <memory>

namespace {

// The plain types the list offers: no function, the type's own style (not a further variant).
bool ListedType(const TPlotSeriesType& type) {
    return type.FunctionClass() == nullptr && type.VariantIndex() == 0;
}

} // namespace

TPlotGalleryForm::TPlotGalleryForm(TComponent* owner) : TForm(owner) {
    // The description names the list box and the gallery panel.
    RegisterClasses<TChartListBox, TChartGalleryPanel>();
}

void TPlotGalleryForm::DeclareMethods(TMethodTable& m) {
    using G = TPlotGalleryForm;
    m.Add("FormCreate", &G::FormCreate);
    m.Add("FormShow", &G::FormShow);
    m.Add("FormDestroy", &G::FormDestroy);
    m.Add("FormKeyDown", &G::FormKeyDown);
    m.Add("CBPageChange", &G::CBPageChange);
    m.Add("CB3DClick", &G::CB3DClick);
    m.Add("CBSmoothClick", &G::CBSmoothClick);
    m.Add("ChartListBox1Click", &G::ChartListBox1Click);
    m.Add("ChartGalleryPanel1SelectedChart", &G::ChartGalleryPanel1SelectedChart);
}

void TPlotGalleryForm::FormCreate(TObject*) {
    gallery_ = FormPart<TChartGalleryPanel>(this, "ChartGalleryPanel1");
    typeList_ = FormPart<TChartListBox>(this, "ChartListBox1");
    cbPage_ = FormPart<TComboBox>(this, "CBPage");
    cb3D_ = FormPart<TCheckBox>(this, "CB3D");
    cbSmooth_ = FormPart<TCheckBox>(this, "CBSmooth");
    hiddenChart_ = new TChart(this);
    typeList_->SetChart(hiddenChart_);
    typeList_->SetSorted(true);

    // The pages of the plain types, each once and sorted, after "(all)".
    TStringList pages;
    pages.SetSorted(true);
    const TPlotSeriesTypes& types = PlotSeriesTypes();
    for (int i = 0; i < types.Count(); ++i) {
        const TPlotSeriesType& type = *types.Items(i);
        if (type.FunctionClass() == nullptr && pages.IndexOf(type.GalleryPage()) < 0)
            pages.Add(type.GalleryPage());
    }
    TStrings* items = cbPage_->Items();
    items->Clear();
    items->Add(ChartMsg(msgAllPages));
    items->AddStrings(pages);
    cbPage_->SetItemIndex(items->IndexOf(ChartMsg(msgStandard)));
    cbSmooth_->SetChecked(ReadGalleryBoolean("SmoothGallery", false));
}

void TPlotGalleryForm::FormShow(TObject*) {
    CBPageChange(cbPage_);
}

void TPlotGalleryForm::CBPageChange(TObject*) {
    FillList(cbPage_->ItemIndex() == 0 ? std::string() : cbPage_->GetText());
}

void TPlotGalleryForm::FillList(const std::string& page) {
    {
        TStrings* rows = typeList_->Items();
        rows->BeginUpdate();
        struct TEndUpdate {
            TStrings* rows;
            ~TEndUpdate() { rows->EndUpdate(); }
        } endUpdate{rows};
        hiddenChart_->DestroySeries();
        const TPlotSeriesTypes& types = PlotSeriesTypes();
        for (int i = 0; i < types.Count(); ++i) {
            const TPlotSeriesType& type = *types.Items(i);
            if (!ListedType(type) || (!page.empty() && type.GalleryPage() != page))
                continue;
            TChartSeries* series = MakeSeries(hiddenChart_, hiddenChart_, type.SeriesClass());
            // The first entry of the class names it, on one line.
            const TPlotSeriesType* named = types.Find(type.SeriesClass());
            series->SetTitle(ReplaceCharacter((named ? named : &type)->Description(),
                                              TChartSeries::LineSeparator, ' '));
        }
    }
    ChartListBox1Click(typeList_);
}

void TPlotGalleryForm::ChartListBox1Click(TObject*) {
    TChartSeries* series = typeList_->SelectedSeries();
    if (series == nullptr || series->ClassType() == shownClass_)
        return;
    ShowSubStyles(series->ClassType());
    shownClass_ = series->ClassType();
    if (typeList_->CanFocus())
        typeList_->SetFocus();
}

void TPlotGalleryForm::ShowSubStyles(TClass seriesClass) {
    gallery_->SetNumRows(3);
    gallery_->SetDisplaySub(false);
    gallery_->SetSubPanel(gallery_);
    gallery_->ClearCharts();
    gallery_->SelectChart(nullptr);
    gallery_->FillSubStyles(seriesClass);
    const int count = gallery_->Charts().Count();
    const int cols = gallery_->NumCols();
    if (cols > 0 && gallery_->NumRows() * cols < count)
        gallery_->SetNumRows(count / cols + 1);
    gallery_->UpdateSelection();
}

void TPlotGalleryForm::FormKeyDown(TObject*, TKeyCode& key, TShiftState shift) {
    // The arrows move the gallery's selection while the type list has the focus.
    gallery_->GalleryKeyDown(key, shift);
}

void TPlotGalleryForm::CB3DClick(TObject*) {
    gallery_->SetView3D(cb3D_->Checked());
}

void TPlotGalleryForm::CBSmoothClick(TObject*) {
    // The panel writes the preference when it goes.
    gallery_->SetSmooth(cbSmooth_->Checked());
}

void TPlotGalleryForm::ChartGalleryPanel1SelectedChart(TObject*) {
    SetModalResult(mrOk);
}

void TPlotGalleryForm::FormDestroy(TObject*) {
    if (hiddenChart_ == nullptr)
        return;
    typeList_->SetChart(nullptr);
    hiddenChart_->Free();
    hiddenChart_ = nullptr;
}

bool RunPlotGalleryForm(TComponent* owner, bool& view3D, TClass& seriesClass, TClass& functionClass,
                        int& subStyle) {
    const auto freeForm = [](TCustomForm* form) { form->Free(); };
    std::unique_ptr<TPlotGalleryForm, decltype(freeForm)> dialog(
        TCustomForm::Create<TPlotGalleryForm>(owner), freeForm);
    PositionDialog(dialog.get());
    dialog->CB3D()->SetChecked(view3D);
    TranslateControl(dialog.get());
    if (dialog->ShowModal() != mrOk)
        return false;
    TChartGalleryPanel* gallery = dialog->Gallery();
    if (!gallery->GetSelection(seriesClass, functionClass, subStyle))
        return false;
    view3D = dialog->CB3D()->Checked() && gallery->SelectedChart()->View3D();
    return true;
}
