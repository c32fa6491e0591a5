#pragma once
// The standard series gallery dialog: "Series" and "Functions" tabs over a tab per gallery page
// ("Standard" first), the gallery panel of the page's sample charts, the 3D and Smooth switches,
// the colour palette the samples are drawn in, and OK and Cancel. A confirmed sample (double
// click or Enter) closes the dialog with OK. The dialog remembers its size per user unless the
// "RememberGallerySize" preference is 0.

#include "platform/forms/Forms.h"

class TChartGalleryPanel;
class TCheckBox;
class TComboBox;
class TTabControl;

class TPlotGallery : public TForm {
    Q4_CLASS(TPlotGallery, TForm)
public:
    explicit TPlotGallery(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);
    void AfterConstruction() override;

    TChartGalleryPanel* Gallery() const { return gallery_; }
    TTabControl* TabTypes() const { return tabTypes_; }
    TTabControl* TabPages() const { return tabPages_; }
    TCheckBox* CB3D() const { return cb3D_; }
    TCheckBox* CBSmooth() const { return cbSmooth_; }
    TComboBox* CBPalette() const { return cbPalette_; }

    // Selects the palette item that carries the palette number (none when absent).
    void SelectPalette(int palette);
    // The palette number of the selected item (-1 without one).
    int SelectedPalette() const;
    // Takes the "Functions" tab away and shows plain series types only.
    void HideFunctions();

    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormDestroy(TObject* sender);
    void TabTypesChange(TObject* sender);
    void TabPagesChange(TObject* sender);
    void CBPaletteChange(TObject* sender);
    void CB3DClick(TObject* sender);
    void CBSmoothClick(TObject* sender);
    void ChartGalleryPanel1SelectedChart(TObject* sender);

private:
    void RebuildPageTabs();
    void LoadSize();

    TChartGalleryPanel* gallery_ = nullptr;
    TTabControl* tabTypes_ = nullptr;
    TTabControl* tabPages_ = nullptr;
    TCheckBox* cb3D_ = nullptr;
    TCheckBox* cbSmooth_ = nullptr;
    TComboBox* cbPalette_ = nullptr;
    bool loading_ = true;
};
