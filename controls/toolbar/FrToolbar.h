#pragma once
// TFrToolbar: a framed panel that lays out the controls listed in ToolbarControls in rows (or
// columns), wraps them or shows an overflow chevron at its right end, sizes itself to its
// content, and tells its tool buttons its button size, layout, caption display and visual style.
// The list is stored in form descriptions as the controls' names and bound to the controls once
// the form is read.

#include "controls/common/FrOrientation.h"
#include "controls/containers/FrPanel.h"
#include "controls/toolbar/FrToolButton.h"
#include "platform/graphics/Bitmap.h"

#include <memory>
#include <string>
#include <vector>

class TFrRegIniFile;
class TFrToolbarPopupButton;

Q4_ENUM(TFrToolbarTextOptions, ttoNoTextLabels, ttoShowTextLabels, ttoSelectiveTextOnRight,
        ttoCustom);

// One listed control: the control and its name (the name alone while a description is read).
struct TFrToolbarControl {
    TControl* Control = nullptr;
    std::string Name;
};

class TFrToolbar;

// The tool bar's controls in layout order.
class TFrToolbarControlList {
public:
    explicit TFrToolbarControlList(TFrToolbar* toolbar) : toolbar_(toolbar) {}
    int Count() const { return static_cast<int>(entries_.size()); }
    const TFrToolbarControl& Items(int index) const { return entries_.at(index); }
    // The index of the first entry holding the control (the name, compared without regard to
    // case), or -1.
    int EntryIndex(const TControl* control) const;
    int EntryIndexByName(const std::string& name) const;
    // The existing entry's index, or a new entry appended.
    int EnsureEntry(TControl* control);
    int EnsureNamedEntry(const std::string& name);
    // Removes the entry; returns the index it had, or -1.
    int DropEntry(const TControl* control);
    int DropNamedEntry(const std::string& name);
    void Clear() { entries_.clear(); }
    // The names read from a description, waiting to be bound.
    std::vector<std::string> LoadedNames;
    bool HasLoadedNames = false;
    // Binds the names read to the owner's components: listed children of the tool bar first,
    // then (when a name was dropped) every child not listed yet.
    void BindLoadedNames(TComponent* owner);

private:
    TFrToolbar* toolbar_;
    std::vector<TFrToolbarControl> entries_;
};

// The texts of a tool-bar customisation window (not part of this system; kept and stored).
class TFrCustomizeCaptions : public TPersistent {
    Q4_CLASS(TFrCustomizeCaptions, TPersistent)
public:
    TFrCustomizeCaptions();
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;
    std::string Texts[9];
    bool Changed = false;
    bool IsChanged() const;
};

class TFrToolbar : public TFrCustomPanel {
    Q4_CLASS(TFrToolbar, TFrCustomPanel)
public:
    explicit TFrToolbar(TComponent* owner);
    ~TFrToolbar() override;
    static void DeclareProperties(TPropertyList& p);

    void SetToolbarAlign(TAlign v);
    bool AutoResize() const { return autoResize_; }
    void SetAutoResize(bool v);
    bool AutoStyle() const { return autoStyle_; }
    void SetAutoStyle(bool v) { autoStyle_ = v; }
    TBitmap* Background() const { return background_.get(); }
    void SetBackground(TBitmap* v);
    TCustomImageList* Images() const { return imagesLink_.Sender(); }
    void SetImages(TCustomImageList* v);
    int Margin() const { return margin_; }
    void SetMargin(int v);
    int TopMargin() const { return topMargin_; }
    void SetTopMargin(int v);
    TOrientation Orientation() const { return orientation_; }
    void SetOrientation(TOrientation v);
    int RowHeight() const { return rowHeight_; }
    void SetRowHeight(int v);
    bool ShowDivider() const { return showDivider_; }
    void SetShowDivider(bool v);
    bool ShowButtonCaptions() const { return showButtonCaptions_; }
    void SetShowButtonCaptions(bool v);
    TButtonLayout ButtonLayout() const { return buttonLayout_; }
    void SetButtonLayout(TButtonLayout v);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int v);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int v);
    TFrToolbarTextOptions TextOptions() const { return textOptions_; }
    void SetTextOptions(TFrToolbarTextOptions v);
    bool WrapControls() const { return wrapControls_; }
    void SetWrapControls(bool v);
    TFrCustomizeCaptions* CustomizeCaptions() const { return captions_.get(); }
    void SetCustomizeCaptions(TFrCustomizeCaptions* v) { captions_->Assign(v); }
    TFrRegIniFile* RegIniFile() const { return regIniFile_; }
    void SetRegIniFile(TFrRegIniFile* v);
    void SetBorderInnerAuto(TFrameStyleEx v);
    void SetBorderOuterAuto(TFrameStyleEx v);
    void SetBorderSidesAuto(TSides v);
    void SetGradientColorStyleAndTell(TFrGradientColorStyle v);
    void SetVisualStyleAndTell(TFrVisualStyle v);

    TFrToolbarControlList& ToolbarControls() { return controls_; }
    // The chevron, once it was needed (null before).
    TFrToolbarPopupButton* Chevron() const { return chevron_; }
    bool ChevronShown() const { return chevronShown_; }
    // Places the listed controls and sizes the tool bar.
    virtual void PositionControls();
    virtual int RowHeightOf(int /*row*/) const { return rowHeight_; }
    void SetButtonSizes(int width, int height, bool showCaptions);

    TNotifyEvent OnVisibleChanged;

    void AlignControls(TControl* changed, TRect& rect) override;
    void Loaded() override;
    void SetParent(TWinControl* parent) override;
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler* filer) override;
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    void PaintCaption(TRect) override {}
    virtual void PositionControl(int index, int row, int& position);
    virtual void ApplyAutoStyle(TAlign align);
    bool CheckAutoResize(bool value) const;

private:
    void PositionHorizontally();
    void PositionVertically();
    void ShowChevron(bool show);
    void PlaceChevron();
    void ButtonSettingChanged(unsigned message);
    void AutoSizeTo(int width, int height);

    bool autoResize_ = true;
    bool autoStyle_ = true;
    std::unique_ptr<TBitmap> background_;
    TChangeLink imagesLink_;
    TOrientation orientation_ = orHorizontal;
    int rowHeight_ = 25;
    bool showDivider_ = true;
    bool showButtonCaptions_ = false;
    TButtonLayout buttonLayout_ = blGlyphLeft;
    int buttonWidth_ = 25;
    int buttonHeight_ = 25;
    TFrToolbarTextOptions textOptions_ = ttoNoTextLabels;
    bool updatingTextOptions_ = false;
    bool wrapControls_ = true;
    TFrToolbarPopupButton* chevron_ = nullptr;
    bool chevronShown_ = false;
    std::unique_ptr<TFrCustomizeCaptions> captions_;
    TFrRegIniFile* regIniFile_ = nullptr;
    TFrToolbarControlList controls_{this};
    int margin_ = 4;
    int topMargin_ = 2;
    int rowHeightNow_ = 25;
    bool positioning_ = false;
};
