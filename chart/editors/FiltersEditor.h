#pragma once
// The image filters editor ("Filters"): the ordered filter list of a picture, with filters added
// from a menu of every filter class, removed, moved, switched on and off (the box before each
// name), each with its options and its region, and the result shown live. Every change goes to
// the list at once; the editor has no Cancel.

#include "platform/forms/Forms.h"
#include "platform/stdctrls/OwnerDraw.h"

#include <memory>

class TBitmap;
class TCheckBox;
class TFilterItems;
class TFilterPreview;
class TFormCreator;
class TGraphic;
class TListBox;
class TMenuItem;
class TPageControl;
class TPicture;
class TPlotFilter;
class TPopupMenu;
class TSpeedButton;
class TSpinEdit;
class TTabSheet;
class TTimer;

class TFiltersEditor : public TForm {
    Q4_CLASS(TFiltersEditor, TForm)
public:
    explicit TFiltersEditor(TComponent* owner);
    ~TFiltersEditor() override;
    static void DeclareMethods(TMethodTable& m);
    void AfterConstruction() override;

    // The list edited and the picture it filters; not owned.
    TFilterItems* EditedFilters = nullptr;
    TGraphic* SourceGraphic = nullptr;

    TPopupMenu* MenuFilters() const { return menu_; }
    // The preview's own menu: "Scaled", ticked like the "Scaled" box.
    TPopupMenu* PreviewMenu() const { return previewMenu_; }
    TFormCreator& Builder() { return *builder_; }
    // What the preview shows now (null when the preview is off).
    const TBitmap* PreviewBitmap() const;
    // Asks for the source to be filtered again and shown. Changes that come faster than the
    // preview is made (a dragged scroll bar) share one refresh: it runs once the event loop is
    // free again, or at once through FlushPreview.
    void RefreshPreview();
    bool PreviewPending() const;
    void FlushPreview();
    // Adds a filter of the class, selected.
    void AddFilter(TClass filterClass);

    void FormShow(TObject* sender);
    void FiltersClick(TObject* sender);
    void BAddClick(TObject* sender);
    void BDeleteClick(TObject* sender);
    void BMoveUpClick(TObject* sender);
    void BMoveDownClick(TObject* sender);
    void RegionChange(TObject* sender);
    void CBPreviewClick(TObject* sender);
    void CBScaledClick(TObject* sender);

private:
    TPlotFilter* Selected() const;
    void ShowSelection();
    void UpdateButtons();
    void FillMenu();
    void MoveSelected(int by);
    void ToggleAt(int x, int y);
    void MakePreview();
    void DrawItem(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state);

    std::unique_ptr<TFormCreator> builder_;
    std::unique_ptr<TBitmap> filtered_;
    std::unique_ptr<TBitmap> scaled_;
    bool updating_ = true;
    TListBox* list_ = nullptr;
    TPageControl* props_ = nullptr;
    TTabSheet* options_ = nullptr;
    TTabSheet* region_ = nullptr;
    TSpeedButton* delete_ = nullptr;
    TSpeedButton* up_ = nullptr;
    TSpeedButton* down_ = nullptr;
    TCheckBox* preview_ = nullptr;
    TCheckBox* scaled1_ = nullptr;
    TFilterPreview* image_ = nullptr;
    TPopupMenu* menu_ = nullptr;
    TPopupMenu* previewMenu_ = nullptr;
    TMenuItem* scaledItem_ = nullptr;
    TTimer* pending_ = nullptr;
};

// Runs the editor on filters applied to graphic; true on OK.
bool RunFiltersEditor(TComponent* owner, TGraphic* graphic, TFilterItems* filters);
// The editor on a filtered picture's graphic and filters; the picture is told of a change on OK.
bool EditPictureFilters(TComponent* editor, TPicture* picture);
