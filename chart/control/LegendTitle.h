#pragma once
// The legend's own framed title above its rows: bold, transparent, lines of text aligned left,
// right or centred.

#include "chart/panel/PlotShape.h"
#include "platform/rtl/Classes.h"
#include "platform/stdctrls/ControlTypes.h"

#include <memory>

class TLegendTitle : public TPlotShape {
    Q4_CLASS(TLegendTitle, TPlotShape)
public:
    explicit TLegendTitle(TCustomPlotPanel* parent);
    ~TLegendTitle() override;
    static void DeclareProperties(TPropertyList& p);
    // Text and TextAlignment, then the shape.
    void Assign(TPersistent* source) override;

    TStrings* Text() const { return text_.get(); }
    void SetText(TStrings* text);
    TAlignment TextAlignment() const { return textAlignment_; }
    void SetTextAlignment(TAlignment alignment) { SetValue(textAlignment_, alignment); }
    // Visible and with text.
    bool Shown() const { return Visible() && text_->Count() > 0; }

    // Lines times the height of "W"; an opaque title adds 2 and its frame on both sides.
    int TitleHeight(TCanvas3D& canvas);
    // The widest line plus one "W"; an opaque title adds its frame and shadow.
    int TitleWidth(TCanvas3D& canvas);
    // Places the title at the top of the legend's rectangle and draws its shape and lines.
    void DrawIn(TCanvas3D& canvas, const TRect& legend);

private:
    int FrameWidth() const;
    bool TextStored() const { return text_->Count() > 0; }

    std::unique_ptr<TStringList> text_;
    TAlignment textAlignment_ = taLeftJustify;
};
