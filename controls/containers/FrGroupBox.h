#pragma once
// TFrCustomGroupBox: a framed panel that draws a captioned frame in one of six styles and lays
// its children out below the caption. Typing the caption's accelerator puts the focus on the
// first child in tab order. TFrGroupBox publishes it.

#include "controls/containers/FrPanel.h"

#include <string>

Q4_ENUM(TFrGroupBoxStyle, gsStandard, gsCustom, gsTopLine, gsFlat, gsBanner, gsUnderline);

class TFrCustomGroupBox : public TFrCustomPanel {
    Q4_CLASS(TFrCustomGroupBox, TFrCustomPanel)
public:
    explicit TFrCustomGroupBox(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    TFrGroupBoxStyle GroupStyle() const { return groupStyle_; }
    virtual void SetGroupStyle(TFrGroupBoxStyle v);

    // The caption's rectangle as painted ((0, 0, 0, 0) without a caption and for gsCustom).
    TRect CaptionRect();

    void FramingChanged() override;
    void WndProc(TMessage& message) override;

protected:
    void AdjustChildArea(TRect& rect) override;
    void Paint() override;

private:
    bool Themed() const;
    // The text height of `sample` in the control's font.
    int FontTextHeight(const std::string& sample);
    void PaintThemed(const TRect& k);
    void PaintFrame(const TRect& k);
    void PaintBannerFrame(const TRect& k, TColor flat);
    void PaintGroupCaption(TRect k);
    bool DialogChar(char16_t ch);

    TFrGroupBoxStyle groupStyle_ = gsFlat;
};

class TFrGroupBox : public TFrCustomGroupBox {
    Q4_CLASS(TFrGroupBox, TFrCustomGroupBox)
public:
    explicit TFrGroupBox(TComponent* owner) : TFrCustomGroupBox(owner) {}
};

// Whether `ch` is the accelerator of `caption` (its hotkey, in either case; Cyrillic too).
bool IsAccelerator(char16_t ch, const std::string& caption);
