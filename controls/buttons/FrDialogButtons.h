#pragma once
// The dialog button bar: a framed panel that makes and owns an OK, a Cancel and a Help bit
// button and lines them up as a dialog's button row (aligned top or bottom) or column (aligned
// left or right). Its indexed properties reach through to the buttons (1 OK, 2 Cancel, 3 Help).

#include "controls/buttons/FrBitBtn.h"
#include "controls/containers/FrPanel.h"

#include <array>

class TFrDialogButtons : public TFrCustomPanel {
    Q4_CLASS(TFrDialogButtons, TFrCustomPanel)
public:
    explicit TFrDialogButtons(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    // The button of an index (1 OK, 2 Cancel, 3 Help), null for any other.
    TFrBitBtn* Button(int index) const;

    // Also sizes the bar and places the buttons.
    void SetAlign(TAlign value);
    TColor ButtonColor() const;
    void SetButtonColor(TColor value);
    TColor ButtonFrameColor() const;
    void SetButtonFrameColor(TColor value);
    std::string ButtonCaption(int index) const;
    void SetButtonCaption(int index, const std::string& value);
    bool ButtonEnabled(int index) const;
    void SetButtonEnabled(int index, bool value);
    int ButtonWidth(int index) const;
    void SetButtonWidth(int index, int value);
    bool ButtonVisible(int index) const;
    // Showing or hiding Cancel makes OK answer Escape exactly while Cancel is hidden.
    void SetButtonVisible(int index, bool value);
    int ButtonModalResult(int index) const;
    void SetButtonModalResult(int index, int value);
    bool CancelCancel() const;
    void SetCancelCancel(bool value);
    bool OKDefault() const;
    void SetOKDefault(bool value);
    bool HotTrack() const;
    void SetHotTrack(bool value);
    TColor HighlightColor() const;
    void SetHighlightColor(TColor value);
    // Stored into the buttons without a repaint.
    TColor HotTrackColor() const;
    void SetHotTrackColor(TColor value);
    TFrHotTrackColorType HotTrackColorType() const;
    void SetHotTrackColorType(TFrHotTrackColorType value);
    bool ShowDivider() const { return showDivider_; }
    void SetShowDivider(bool value);
    // The standard OK, Cancel and Help glyphs on the buttons, or none.
    bool ShowGlyphs() const { return showGlyphs_; }
    void SetShowGlyphs(bool value);

    int ButtonHeight() const { return buttonHeight_; }

    TNotifyEvent OnClickOk;
    TNotifyEvent OnClickCancel;
    TNotifyEvent OnClickHelp;

    void Loaded() override;

protected:
    virtual void BuildButtons();
    // Height for a row, width for a column (the widest visible button and 12).
    virtual void AdjustBarSize();
    virtual void PlaceButtons();
    void Resize() override;
    void Paint() override;
    void DefineProperties(TFiler* filer) override;

private:
    void ButtonClicked(int index);
    bool IsRow() const;
    void PlaceRow();
    void PlaceColumn();

    std::array<TFrBitBtn*, 3> buttons_{};
    std::array<int, 3> widths_{75, 75, 75};
    bool showDivider_ = false;
    bool showGlyphs_ = false;
    int buttonHeight_ = 25;
    int defaultButtonWidth_ = 75;
};
