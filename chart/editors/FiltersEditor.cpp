#include "chart/editors/FiltersEditor.h"

#include "chart/editors/BackImageEditor.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/FilterOptions.h"
#include "chart/editors/FilterPreview.h"
#include "chart/imaging/Filters.h"
#include "chart/imaging/PlotFilter.h"
#include "chart/imaging/Resample.h"
#include "chart/util/ChartUtils.h"
#include "platform/forms/Menus.h"
#include "platform/forms/Timer.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Picture.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/SpeedButton.h"
#include "platform/stdctrls/SpinEdit.h"

#include <algorithm>

namespace {

constexpr int CheckWidth = 18;

} // namespace

TFiltersEditor::TFiltersEditor(TComponent* owner) : TForm(owner) {}

TFiltersEditor::~TFiltersEditor() = default;

void TFiltersEditor::DeclareMethods(TMethodTable& m) {
    using E = TFiltersEditor;
    m.Add("FormShow", &E::FormShow);
    m.Add("FiltersClick", &E::FiltersClick);
    m.Add("BAddClick", &E::BAddClick);
    m.Add("BDeleteClick", &E::BDeleteClick);
    m.Add("BMoveUpClick", &E::BMoveUpClick);
    m.Add("BMoveDownClick", &E::BMoveDownClick);
    m.Add("RegionChange", &E::RegionChange);
    m.Add("CBPreviewClick", &E::CBPreviewClick);
    m.Add("CBScaledClick", &E::CBScaledClick);
}

void TFiltersEditor::AfterConstruction() {
    updating_ = true;
    TForm::AfterConstruction();
    list_ = FormPart<TListBox>(this, "Filters");
    props_ = FormPart<TPageControl>(this, "PageProps");
    options_ = FormPart<TTabSheet>(this, "Properties");
    region_ = FormPart<TTabSheet>(this, "TabRegion");
    delete_ = FormPart<TSpeedButton>(this, "BDelete");
    up_ = FormPart<TSpeedButton>(this, "BMoveUp");
    down_ = FormPart<TSpeedButton>(this, "BMoveDown");
    preview_ = FormPart<TCheckBox>(this, "CBPreview");
    scaled1_ = FormPart<TCheckBox>(this, "CBScaled");
    builder_ = std::make_unique<TFormCreator>(options_);
    builder_->OnChange = [this](TPlotFilter*) { RefreshPreview(); };
    image_ = new TFilterPreview(this);
    image_->SetParent(FormPart<TTabSheet>(this, "TabPreview"));
    image_->SetAlign(alClient);
    image_->OnResize = [this](TObject*) {
        if (!updating_)
            RefreshPreview();
    };
    menu_ = new TPopupMenu(this);
    previewMenu_ = new TPopupMenu(this);
    scaledItem_ = new TMenuItem(previewMenu_);
    scaledItem_->SetName("Scaled1");
    scaledItem_->SetCaption("&Scaled");
    scaledItem_->SetChecked(true);
    // The menu's "Scaled" and the box switch together.
    scaledItem_->OnClick = [this](TObject*) { scaled1_->SetChecked(!scaledItem_->Checked()); };
    previewMenu_->Items()->Add(scaledItem_);
    image_->SetPopupMenu(previewMenu_);
    pending_ = new TTimer(this);
    pending_->SetEnabled(false);
    pending_->SetInterval(1);
    pending_->SetOnTimer([this](TObject*) { FlushPreview(); });
    list_->OnDrawItem = [this](TWinControl* c, int i, const TRect& r, TOwnerDrawState s) {
        DrawItem(c, i, r, s);
    };
    list_->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
        ToggleAt(x, y);
    };
}

TPlotFilter* TFiltersEditor::Selected() const {
    const int index = list_->ItemIndex();
    return index >= 0 && EditedFilters != nullptr && index < EditedFilters->Count()
               ? EditedFilters->Items(index)
               : nullptr;
}

const TBitmap* TFiltersEditor::PreviewBitmap() const {
    return image_->Bitmap();
}

void TFiltersEditor::FormShow(TObject*) {
    list_->Clear();
    const int count = EditedFilters != nullptr ? EditedFilters->Count() : 0;
    for (int i = 0; i < count; ++i)
        list_->Items()->Add(EditedFilters->Items(i)->Description());
    props_->SetActivePage(options_);
    updating_ = false;
    if (count > 0)
        list_->SetItemIndex(0);
    ShowSelection();
    RefreshPreview();
    FlushPreview();
    FillMenu();
    TranslateControl(this);
}

void TFiltersEditor::FillMenu() {
    menu_->Items()->Clear();
    const std::vector<TClass>& classes = FilterClasses();
    std::vector<std::pair<std::string, int>> entries;
    for (int i = 0; i < static_cast<int>(classes.size()); ++i)
        entries.emplace_back(FilterCaption(classes[i]), i);
    SortByCallbacks(
        0, static_cast<int>(entries.size()) - 1,
        [&](int a, int b) { return entries[a].first.compare(entries[b].first); },
        [&](int a, int b) { std::swap(entries[a], entries[b]); });
    for (const auto& [caption, index] : entries) {
        auto* item = new TMenuItem(menu_);
        item->SetCaption(caption);
        item->SetTag(index);
        item->OnClick = [this, index = index](TObject*) { AddFilter(FilterClasses().at(index)); };
        menu_->Items()->Add(item);
    }
}

void TFiltersEditor::UpdateButtons() {
    const int index = list_->ItemIndex();
    delete_->SetEnabled(index >= 0);
    up_->SetEnabled(index > 0);
    down_->SetEnabled(index >= 0 && index < list_->Count() - 1);
}

void TFiltersEditor::ShowSelection() {
    const bool was = updating_;
    updating_ = true;
    UpdateButtons();
    TPlotFilter* filter = Selected();
    TTabSheet* active = props_->ActivePage();
    builder_->Start(filter);
    if (filter != nullptr) {
        BuildFilterOptions(filter, *builder_);
        const bool options = builder_->ControlCount() > 0;
        const bool region = FilterAllowsRegion(filter);
        options_->SetTabVisible(options);
        region_->SetTabVisible(region);
        if (region) {
            const TFilterRegion none;
            const TFilterRegion* r = filter->HasRegion() ? filter->Region() : &none;
            FormPart<TSpinEdit>(this, "ELeft")->SetValue(r->Left);
            FormPart<TSpinEdit>(this, "ETop")->SetValue(r->Top);
            FormPart<TSpinEdit>(this, "EWidth")->SetValue(r->Width);
            FormPart<TSpinEdit>(this, "EHeight")->SetValue(r->Height);
        }
        if (!options && region)
            active = region_;
        else if (options && (!region || active == nullptr || !active->TabVisible()))
            active = options_;
        props_->SetVisible(options || region);
        if (options || region)
            props_->SetActivePage(active);
        TranslateControl(options_);
    } else {
        props_->Hide();
    }
    updating_ = was;
}

void TFiltersEditor::FiltersClick(TObject*) {
    ShowSelection();
}

void TFiltersEditor::ToggleAt(int x, int y) {
    if (x >= CheckWidth || EditedFilters == nullptr)
        return;
    const int index = list_->ItemAtPos({x, y});
    if (index < 0 || index >= EditedFilters->Count())
        return;
    TPlotFilter* filter = EditedFilters->Items(index);
    filter->SetEnabled(!filter->Enabled());
    list_->Invalidate();
    RefreshPreview();
}

void TFiltersEditor::AddFilter(TClass filterClass) {
    if (EditedFilters == nullptr)
        return;
    TPlotFilter* filter = EditedFilters->Add(filterClass);
    list_->Items()->Add(filter->Description());
    list_->SetItemIndex(list_->Count() - 1);
    ShowSelection();
    RefreshPreview();
    TranslateControl(this);
}

void TFiltersEditor::BAddClick(TObject*) {
    auto* add = FormPart<TSpeedButton>(this, "BAdd");
    const TPoint corner = add->ClientToScreen({add->Width(), add->Height()});
    menu_->Popup(corner.X, corner.Y);
}

void TFiltersEditor::BDeleteClick(TObject*) {
    TPlotFilter* filter = Selected();
    if (filter == nullptr)
        return;
    const int index = list_->ItemIndex();
    filter->Free();
    list_->Items()->Delete(index);
    list_->SetItemIndex(std::min(index, list_->Count() - 1));
    ShowSelection();
    RefreshPreview();
}

void TFiltersEditor::MoveSelected(int by) {
    const int index = list_->ItemIndex();
    const int other = index + by;
    if (index < 0 || other < 0 || other >= list_->Count() || EditedFilters == nullptr)
        return;
    list_->Items()->Exchange(index, other);
    EditedFilters->Items(index)->SetIndex(other);
    list_->SetItemIndex(other);
    UpdateButtons();
    RefreshPreview();
}

void TFiltersEditor::BMoveUpClick(TObject*) {
    MoveSelected(-1);
}

void TFiltersEditor::BMoveDownClick(TObject*) {
    MoveSelected(1);
}

void TFiltersEditor::RegionChange(TObject*) {
    TPlotFilter* filter = Selected();
    if (updating_ || filter == nullptr)
        return;
    TFilterRegion* r = filter->Region();
    r->Left = FormPart<TSpinEdit>(this, "ELeft")->Value();
    r->Top = FormPart<TSpinEdit>(this, "ETop")->Value();
    r->Width = FormPart<TSpinEdit>(this, "EWidth")->Value();
    r->Height = FormPart<TSpinEdit>(this, "EHeight")->Value();
    RefreshPreview();
}

void TFiltersEditor::CBPreviewClick(TObject*) {
    scaled1_->SetEnabled(preview_->Checked());
    if (preview_->Checked()) {
        RefreshPreview();
        return;
    }
    pending_->SetEnabled(false);
    image_->SetBitmap(nullptr);
}

void TFiltersEditor::CBScaledClick(TObject*) {
    scaledItem_->SetChecked(scaled1_->Checked());
    RefreshPreview();
}

void TFiltersEditor::RefreshPreview() {
    if (updating_ || !preview_->Checked() || SourceGraphic == nullptr)
        return;
    pending_->SetEnabled(true);
}

bool TFiltersEditor::PreviewPending() const {
    return pending_->Enabled();
}

void TFiltersEditor::FlushPreview() {
    if (!pending_->Enabled())
        return;
    pending_->SetEnabled(false);
    if (!preview_->Checked() || SourceGraphic == nullptr)
        return;
    MakePreview();
}

void TFiltersEditor::MakePreview() {
    // The bitmaps below may be made anew, and a filter may fail half way: until the new result
    // is there, the preview shows none rather than one that may be gone.
    image_->SetBitmap(nullptr);
    const int w = SourceGraphic->Width();
    const int h = SourceGraphic->Height();
    if (!filtered_ || filtered_->Width() != w || filtered_->Height() != h)
        filtered_ = std::make_unique<TBitmap>(w, h, pf32bit);
    // The kept bitmap holds the last result: a picture with see-through parts must land on a
    // clean ground, or those parts would show the previous run filtered once more.
    TCanvas* canvas = filtered_->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(Rect(0, 0, w, h));
    canvas->Draw(0, 0, SourceGraphic);
    if (EditedFilters != nullptr)
        EditedFilters->ApplyTo(*filtered_);
    if (!scaled1_->Checked() || image_->ClientWidth() < 2 || image_->ClientHeight() < 2) {
        image_->SetBitmap(filtered_.get());
        return;
    }
    if (!scaled_ || scaled_->Width() != image_->ClientWidth() ||
        scaled_->Height() != image_->ClientHeight())
        scaled_ = std::make_unique<TBitmap>(image_->ClientWidth(), image_->ClientHeight(), pf24bit);
    // Enlarged with the fine kernel, flat areas would show its lobes as a lattice of dots.
    const bool enlarging = scaled_->Width() > w || scaled_->Height() > h;
    ResampleBitmap(*filtered_, *scaled_, enlarging ? rqFast : rqBest);
    image_->SetBitmap(scaled_.get());
}

void TFiltersEditor::DrawItem(TWinControl*, int index, const TRect& r, TOwnerDrawState) {
    TCanvas* canvas = list_->Canvas();
    canvas->FillRect(r);
    const bool enabled = EditedFilters != nullptr && index < EditedFilters->Count() &&
                         EditedFilters->Items(index)->Enabled();
    DrawCheckGlyph(r.Left + 2, r.Top + (r.Height() - 13) / 2, *canvas, enabled, true);
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(r.Left + CheckWidth + 2, r.Top + (r.Height() - canvas->TextHeight("Wg")) / 2,
                    list_->Items()->Get(index));
}

bool RunFiltersEditor(TComponent* owner, TGraphic* graphic, TFilterItems* filters) {
    auto* editor = TCustomForm::Create<TFiltersEditor>(owner);
    editor->SourceGraphic = graphic;
    editor->EditedFilters = filters;
    const bool ok = editor->ShowModal() == mrOk;
    editor->Free();
    return ok;
}

bool EditPictureFilters(TComponent* editor, TPicture* picture) {
    auto* plot = dynamic_cast<TPlotPicture*>(picture);
    if (plot == nullptr || plot->Graphic() == nullptr)
        return false;
    const bool ok = RunFiltersEditor(editor, plot->Graphic(), plot->Filters());
    if (ok && plot->OnChange)
        plot->OnChange(plot);
    return ok;
}
