#pragma once
// The rest of the standard controls: spin edit, combo box with images, radio group, image,
// scroll box, scroll bar, tool bar with tool buttons, and page control with tab sheets.

#include "platform/classes/Collection.h"
#include "platform/forms/Controls.h"
#include "platform/graphics/Picture.h"
#include "platform/stdctrls/SignalGuard.h"
#include "platform/stdctrls/StdCtrls.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QSpinBox;
class QScrollArea;
class QScrollBar;
class TCustomImageList;

// ---- spin edit ----------------------------------------------------------------------------------

// A number edit with arrows. Setting Value fires OnChange (its text changes), as typing does.
class TSpinEdit : public TCustomEdit {
    Q4_CLASS(TSpinEdit, TCustomEdit)
public:
    explicit TSpinEdit(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    int Value() const { return value_; }
    // Kept within MinValue..MaxValue unless both are 0.
    void SetValue(int v);
    int MinValue() const { return minValue_; }
    void SetMinValue(int v);
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int v);
    int Increment() const { return increment_; }
    void SetIncrement(int v);
    QSpinBox* SpinBox();

protected:
    QWidget* CreateWidget() override;
    void DoSetText(const std::string& value) override;
    void UpdateWidgetState() override;

private:
    int Clamp(int v) const;
    int value_ = 0;
    int minValue_ = 0;
    int maxValue_ = 0;
    int increment_ = 1;
};

// ---- combo box with images ----------------------------------------------------------------------

// One entry of an image combo box: its text, image and indent (in steps of the image width).
class TComboExItem : public TCollectionItem {
    Q4_CLASS(TComboExItem, TCollectionItem)

    // The collection hears of a new item once it is whole (the base announces it half-built).
    explicit TComboExItem(TCollection* collection) : TCollectionItem(collection) { Changed(false); }
    static void DeclareProperties(TPropertyList& p);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    int Indent() const { return indent_; }
    // Negative indents are taken as none.
    void SetIndent(int v);
    std::string DisplayName() const override { return caption_.empty() ? ClassName() : caption_; }
    void Assign(TPersistent* source) override;

private:
    std::string caption_;
    int imageIndex_ = -1;
    int indent_ = 0;
};

class TComboExItems : public TCollection {
    Q4_CLASS(TComboExItems, TCollection)

    explicit TComboExItems(TPersistent* owner = nullptr)
        : TCollection(TComboExItem::StaticClass(), owner) {}
    TComboExItem* Add() { return static_cast<TComboExItem*>(TCollection::Add()); }
    TComboExItem* Items(int index) const {
        return static_cast<TComboExItem*>(TCollection::Items(index));
    }
    // Told after items changed, came, went or moved; never while one is being built.
    std::function<void()> Observer;

protected:
    void Update(TCollectionItem*) override;
};

// The entries (ItemsEx) are the combo's items: their captions are the Items strings, which follow
// them, and changing Items changes the captions of the entries at the same places.
class TComboBoxEx : public TCustomComboBox {
    Q4_CLASS(TComboBoxEx, TCustomComboBox)
public:
    explicit TComboBoxEx(TComponent* owner);
    ~TComboBoxEx() override;
    static void DeclareProperties(TPropertyList& p);
    TComboExItems* ItemsEx() const { return itemsEx_.get(); }
    void SetItemsEx(TComboExItems* v) { itemsEx_->Assign(v); }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* v);
    // The image of item i (-1: none); the list of indexes follows the items.
    int ItemImageIndex(int i) const;
    void SetItemImageIndex(int i, int image);
    // Adds an item with its image; returns its index.
    int AddItem(const std::string& text, int imageIndex);

protected:
    void FillWidget() override;

private:
    void EntriesChanged();
    TCustomImageList* images_ = nullptr;
    std::unique_ptr<TComboExItems> itemsEx_;
    bool syncing_ = false;
};

// ---- radio group --------------------------------------------------------------------------------

// A group box of radio buttons, one per item, in Columns columns. Setting ItemIndex checks that
// button and fires OnClick, as a user's choice does.
class TCustomRadioGroup : public TCustomGroupBox {
    Q4_CLASS(TCustomRadioGroup, TCustomGroupBox)
public:
    explicit TCustomRadioGroup(TComponent* owner);
    ~TCustomRadioGroup() override;
    static void DeclareProperties(TPropertyList& p);
    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* v);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int v);
    int Columns() const { return columns_; }
    void SetColumns(int v);
    TRadioButton* Buttons(int i) const { return buttons_.at(i); }
    void Loaded() override;

protected:
    void Resize() override;

private:
    void ItemsChanged();
    void ArrangeButtons();
    std::unique_ptr<TStringList> items_;
    std::vector<TRadioButton*> buttons_;
    int itemIndex_ = -1;
    std::string chosen_;
    int columns_ = 1;
    bool updating_ = false;
};

class TRadioGroup : public TCustomRadioGroup {
    Q4_CLASS(TRadioGroup, TCustomRadioGroup)
public:
    explicit TRadioGroup(TComponent* owner) : TCustomRadioGroup(owner) {}
};

// ---- image --------------------------------------------------------------------------------------

class TImage : public TGraphicControl {
    Q4_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;
    static void DeclareProperties(TPropertyList& p);
    TPicture* Picture() const { return picture_.get(); }
    void SetPicture(TPicture* v) { picture_->Assign(*v); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool v);
    bool Center() const { return center_; }
    void SetCenter(bool v);
    bool Proportional() const { return proportional_; }
    void SetProportional(bool v);
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    // Where the picture is drawn within the control.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    std::unique_ptr<TPicture> picture_;
    bool stretch_ = false;
    bool center_ = false;
    bool proportional_ = false;
};

// ---- scrolling ----------------------------------------------------------------------------------

// A container that scrolls its children when they reach past its client area.
class TScrollBox : public TWinControl {
    Q4_CLASS(TScrollBox, TWinControl)
public:
    explicit TScrollBox(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    QWidget* ChildHost() override;
    bool PaintsOwnWidget() const override { return false; }
    bool BorderNone() const { return borderNone_; }
    void SetBorderNone(bool v);
    // The size the children take (the scrolled area).
    TSize ContentSize() const;
    void UpdateContent();
    void AlignControls(TControl* changed, TRect& rect) override;

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;

private:
    QWidget* content_ = nullptr;
    bool borderNone_ = false;
};

Q4_ENUM(TScrollBarKind, sbHorizontal, sbVertical);

// Setting Position fires OnChange, as the user's scrolling does.
class TScrollBar : public TWinControl {
    Q4_CLASS(TScrollBar, TWinControl)
public:
    explicit TScrollBar(TComponent* owner);
    // Arrow keys belong to the control, not to the form's dialog navigation.
    void WndProc(TMessage& message) override;
    static void DeclareProperties(TPropertyList& p);
    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind v);
    int Min() const { return min_; }
    void SetMin(int v);
    int Max() const { return max_; }
    void SetMax(int v);
    int Position() const { return position_; }
    void SetPosition(int v);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int v);
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int v) {
        largeChange_ = v;
        UpdateWidgetState();
    }
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int v) {
        smallChange_ = v;
        UpdateWidgetState();
    }
    bool PaintsOwnWidget() const override { return false; }
    QScrollBar* Bar();

    TNotifyEvent OnChange;

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;

private:
    TScrollBarKind kind_ = sbHorizontal;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int pageSize_ = 0;
    int largeChange_ = 1;
    int smallChange_ = 1;

protected:
    TSignalGuard guard_; // declared last: cut first
};

// ---- tool bar -----------------------------------------------------------------------------------

Q4_ENUM(TToolButtonStyle, tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider);

class TToolBar;

// A button of a tool bar: an image from the bar's image list, a hint, and with tbsCheck a
// down state (Grouped check buttons side by side behave as one group).
class TToolButton : public TGraphicControl {
    Q4_CLASS(TToolButton, TGraphicControl)
public:
    explicit TToolButton(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle v);
    bool Down() const { return down_; }
    void SetDown(bool v);
    bool Grouped() const { return grouped_; }
    void SetGrouped(bool v) { grouped_ = v; }
    TToolBar* ToolBar() const;
    void Click() override;
    void SetParent(TWinControl* parent) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    int imageIndex_ = -1;
    TToolButtonStyle style_ = tbsButton;
    bool down_ = false;
    bool grouped_ = false;
    bool pressed_ = false;
};

// Lays its tool buttons (and other controls) out left to right in reading order, wrapping when
// Wrapable.
class TToolBar : public TCustomControl {
    Q4_CLASS(TToolBar, TCustomControl)
public:
    explicit TToolBar(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* v);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int v);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int v);
    bool Flat() const { return flat_; }
    void SetFlat(bool v);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool v);
    bool Wrapable() const { return wrapable_; }
    void SetWrapable(bool v);
    int ButtonCount() const;
    TToolButton* Buttons(int i) const;
    // Places the controls; run when buttons come, go or change size.
    void ArrangeButtons();
    void Loaded() override;

protected:
    void Paint() override;
    void Resize() override;

private:
    TCustomImageList* images_ = nullptr;
    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
    bool flat_ = false;
    bool showCaptions_ = false;
    bool wrapable_ = true;
    bool arranging_ = false;
    std::vector<TControl*> order_;
};

// ---- page control -------------------------------------------------------------------------------

class TPageControl;

class TTabSheet : public TWinControl {
    Q4_CLASS(TTabSheet, TWinControl)
public:
    explicit TTabSheet(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* v);
    int PageIndex() const;
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool v);
    void SetParent(TWinControl* parent) override;

protected:
    void PaintWindow(TCanvas* canvas) override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
};

// Tabs across the top, one sheet shown below them. Setting ActivePage fires nothing; a click on
// a tab asks OnChanging, switches and fires OnChange.
class TPageControl : public TCustomControl {
    Q4_CLASS(TPageControl, TCustomControl)
public:
    explicit TPageControl(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int i) const { return pages_.at(i); }
    TTabSheet* ActivePage() const { return active_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int i);
    // The tab of page i, in the control's coordinates (empty for a hidden tab).
    TRect TabRect(int i) const;
    int TabHeight() const;
    void Loaded() override;

    TNotifyEvent OnChange;
    std::function<void(TObject* Sender, bool& AllowChange)> OnChanging;

protected:
    friend class TTabSheet;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Resize() override;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void PlaceSheets();

private:
    std::vector<TTabSheet*> pages_;
    TTabSheet* active_ = nullptr;
};

void RegisterMoreControls();
