// The sub-gallery pop-up of the gallery panel: a borderless modal window under the selected
// sample with a second gallery, one sample for each sub-style of the sample's series class.

#include "chart/editors/gallery/GalleryPanel.h"

#include "chart/control/SeriesFactory.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Messages.h"
#include "platform/stdctrls/Panel.h"

#include <algorithm>

namespace {

// The bar over the pop-up's gallery: a small black triangle at its left; a click on it closes
// the pop-up with the OK result.
class TPopupBar : public TCustomPanel {
public:
    explicit TPopupBar(TComponent* owner) : TCustomPanel(owner) {
        SetBevelOuter(bvNone);
        SetAlign(alTop);
        SetHeight(12);
    }

protected:
    void Paint() override {
        TCustomPanel::Paint();
        TCanvas* canvas = Canvas();
        canvas->Pen()->SetStyle(psClear);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(clBlack);
        // The triangle of the paint box at (4, 2) - (12, 10).
        canvas->Polygon({{4 + 0, 2 + 8}, {4 + 4, 2 + 0}, {4 + 9, 2 + 8}});
        canvas->Pen()->SetStyle(psSolid);
    }
};

// Frees the pop-up however its run ends.
class TPopupScope {
public:
    TPopupScope(TCustomForm*& form, TChartGalleryPanel*& subPanel)
        : form_(form), subPanel_(subPanel) {}
    ~TPopupScope() {
        subPanel_ = nullptr;
        if (form_ != nullptr) {
            TCustomForm* form = form_;
            form_ = nullptr;
            form->Free();
        }
    }
    TPopupScope(const TPopupScope&) = delete;
    TPopupScope& operator=(const TPopupScope&) = delete;

private:
    TCustomForm*& form_;
    TChartGalleryPanel*& subPanel_;
};

} // namespace

TRect KeepPopupInWorkArea(TRect popup, const TRect& workArea) {
    const int width = popup.Width(), height = popup.Height();
    if (popup.Right > workArea.Right) {
        popup.Left = workArea.Right - width - 2;
        popup.Right = popup.Left + width;
    }
    if (popup.Bottom > workArea.Bottom) {
        popup.Top = workArea.Bottom - height - 2;
        popup.Bottom = popup.Top + height;
    }
    return popup;
}

void TChartGalleryPanel::ShowSubGallery() {
    if (subGalleryForm_ != nullptr) {
        subGalleryForm_->Free();
        subGalleryForm_ = nullptr;
    }
    TGalleryChart* selected = selectedChart_;
    if (selected == nullptr || selected->SeriesCount() == 0)
        return;
    ApplyPlainLook(selected);
    {
        auto* form = new TForm(this);
        subGalleryForm_ = form;
        TPopupScope scope(subGalleryForm_, subPanel_);
        BuildSubGallery(*form, *selected);
        if (form->ShowModal() == mrOk && OnSubSelected)
            OnSubSelected(this);
    }
    UpdateSelection();
}

void TChartGalleryPanel::BuildSubGallery(TCustomForm& form, TGalleryChart& selected) {
    const TPoint corner = selected.ClientToScreen({0, selected.Height()});
    form.SetBorderStyle(bsNone);
    form.SetKeyPreview(true);
    // As large as this gallery at first, so its cells are this gallery's cells.
    form.SetBounds(corner.X, corner.Y, Width(), Height());

    auto* bar = new TPopupBar(&form);
    bar->SetParent(&form);
    bar->OnClick = [&form](TObject*) { form.SetModalResult(mrOk); };

    auto* sub = new TChartGalleryPanel(&form);
    sub->SetBevelOuter(bvNone);
    sub->SetParent(&form);
    sub->SetAlign(alClient);
    sub->SetView3D(view3D_);
    sub->SetSmooth(smooth_);
    sub->SetDisplaySub(false);
    sub->SetIsSubGallery(true);
    sub->SetHeight(form.Height());
    sub->OnSelectedChart = [this, sub](TObject*) { SubStyleChosen(sub); };
    subPanel_ = sub;
    form.OnKeyDown = [&form, sub](TObject*, TKeyCode& key, TShiftState shift) {
        if (key == VK_ESCAPE)
            form.SetModalResult(mrCancel);
        else
            sub->GalleryKeyDown(key, shift);
    };

    sub->FillSubStyles(selected.SeriesAt(0)->ClassType());
    sub->CalcChartWidthHeight();
    const int cols = std::max(1, sub->NumCols());
    const int rows = std::max(1, (sub->Charts().Count() + cols - 1) / cols);
    form.SetHeight(rows * sub->CellHeight() + 8);
    sub->SetNumRows(rows);
    sub->UpdateSelection();

    const TRect placed = KeepPopupInWorkArea(
        Bounds(form.Left(), form.Top(), form.Width(), form.Height()), Screen->WorkAreaRect());
    form.SetBounds(placed.Left, placed.Top, placed.Width(), placed.Height());
}

void TChartGalleryPanel::SubStyleChosen(TChartGalleryPanel* popup) {
    TGalleryChart* chart = selectedChart_;
    const int n = popup->Charts().IndexOf(popup->SelectedChart());
    if (chart != nullptr && n >= 0) {
        chart->SetTag(n);
        if (n != 0) {
            for (int i = 0; i < chart->SeriesCount(); ++i)
                chart->SeriesAt(i)->ApplySubStyle(chart->SeriesAt(i), n);
        } else if (chart->SeriesCount() > 0) {
            // The default style: the series made anew.
            const TClass seriesClass = chart->SeriesAt(0)->ClassType();
            const int count = chart->SeriesCount();
            chart->DestroySeries();
            for (int i = 0; i < count; ++i)
                MakeSeries(chart, chart, seriesClass);
            chart->SeriesAt(0)->ApplyGallery3D(popup->View3D());
            for (int i = 0; i < chart->SeriesCount(); ++i)
                chart->SeriesAt(i)->PrepareForGallery(true);
        }
    }
    if (TCustomForm* form = popup->GetParentForm())
        form->SetModalResult(mrOk);
}
