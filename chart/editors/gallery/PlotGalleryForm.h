#pragma once
// The alternate series gallery dialog ("Lumvexor Pro Gallery"): a combo of the gallery pages
// ("(all)" first), a list of the page's series types and, beside it, the gallery of the selected
// type's sub-styles; 3D and Smooth switches, OK and Cancel. A confirmed sample (double click or
// Enter) closes it with OK. The arrow keys move the gallery's selection while the list has the
// focus. The type list shows one series of each type, held by a chart of the form's own that is
// never shown.

#include "platform/forms/Forms.h"

class TChart;
class TChartGalleryPanel;
class TChartListBox;
class TCheckBox;
class TComboBox;

class TPlotGalleryForm : public TForm {
    Q4_CLASS(TPlotGalleryForm, TForm)
public:
    explicit TPlotGalleryForm(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);

    TChartGalleryPanel* Gallery() const { return gallery_; }
    TChartListBox* TypeList() const { return typeList_; }
    TComboBox* CBPage() const { return cbPage_; }
    TCheckBox* CB3D() const { return cb3D_; }
    TCheckBox* CBSmooth() const { return cbSmooth_; }
    TChart* HiddenChart() const { return hiddenChart_; }
    // The series class whose sub-styles the gallery shows (none yet).
    TClass ShownClass() const { return shownClass_; }

    // Lists the series types of the page ("" for every page).
    void FillList(const std::string& page);
    // Shows one sample for each sub-style of the series class in the gallery.
    void ShowSubStyles(TClass seriesClass);

    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormDestroy(TObject* sender);
    void FormKeyDown(TObject* sender, TKeyCode& key, TShiftState shift);
    void CBPageChange(TObject* sender);
    void CB3DClick(TObject* sender);
    void CBSmoothClick(TObject* sender);
    void ChartListBox1Click(TObject* sender);
    void ChartGalleryPanel1SelectedChart(TObject* sender);

private:
    TChartGalleryPanel* gallery_ = nullptr;
    TChartListBox* typeList_ = nullptr;
    TComboBox* cbPage_ = nullptr;
    TCheckBox* cb3D_ = nullptr;
    TCheckBox* cbSmooth_ = nullptr;
    TChart* hiddenChart_ = nullptr;
    TClass shownClass_ = nullptr;
};

// Runs the alternate gallery dialog; true when the user confirmed a sample. On true: the
// sample's series class, function class (none for a plain type) and sub-style, and view3D when
// both the 3D switch is on and the sample is drawn in 3D.
bool RunPlotGalleryForm(TComponent* owner, bool& view3D, TClass& seriesClass, TClass& functionClass,
                        int& subStyle);
