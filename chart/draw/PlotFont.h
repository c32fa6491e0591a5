#pragma once
// Chart fonts: the platform font plus character spacing and four optional effects the canvas
// applies when it draws text (an outline pen, a gradient fill, a picture fill and a shadow), each
// made on first read.

#include "chart/draw/ChartTypes.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Picture.h"

#include <memory>

class TChartHiddenPen;
class TPlotCanvas;
class TPlotFontGradient;
class TPlotShadow;

class TPlotFont : public TFont {
    Q4_CLASS(TPlotFont, TFont)
public:
    explicit TPlotFont(TNotifyEvent onChange = {});
    ~TPlotFont() override;
    static void DeclareProperties(TPropertyList& p);
    using TFont::Assign;
    void Assign(TPersistent* source) override;

    int InterCharSize() const { return interCharSize_; }
    void SetInterCharSize(int pixels);
    TPlotFontGradient* Gradient();
    void SetGradient(TPlotFontGradient* gradient);
    TChartHiddenPen* OutLine();
    void SetOutLine(TChartHiddenPen* pen);
    TPicture* Picture();
    void SetPicture(TPicture* picture);
    TPlotShadow* Shadow();
    void SetShadow(TPlotShadow* shadow);

    // The effects as they stand, without making them.
    TPlotFontGradient* GradientIfAny() const { return gradient_.get(); }
    TChartHiddenPen* OutLineIfAny() const { return outline_.get(); }
    TPicture* PictureIfAny() const { return picture_.get(); }
    TPlotShadow* ShadowIfAny() const { return shadow_.get(); }

    // What Color and Style are compared with when deciding whether to store them.
    void SetDefaultColor(TColor color) { defaultColor_ = color; }
    void SetDefaultStyle(TFontStyles style) { defaultStyle_ = style; }
    // The canvas that last selected this font.
    TPlotCanvas* Canvas() const { return canvas_; }
    void SetCanvas(TPlotCanvas* canvas) { canvas_ = canvas; }

private:
    bool HeightStored() const;
    bool NameStored() const;
    bool ColorStored() const { return Color() != defaultColor_; }
    bool StyleStored() const { return Style() != defaultStyle_; }
    bool GradientStored() const { return gradient_ != nullptr; }
    bool OutLineStored() const { return outline_ != nullptr; }
    bool PictureStored() const { return picture_ && picture_->Graphic() != nullptr; }
    bool ShadowStored() const { return shadow_ != nullptr; }
    void Notify();

    TNotifyEvent ownerChange_;
    TPlotCanvas* canvas_ = nullptr;
    std::unique_ptr<TPlotFontGradient> gradient_;
    int interCharSize_ = 0;
    std::unique_ptr<TChartHiddenPen> outline_;
    std::unique_ptr<TPicture> picture_;
    std::unique_ptr<TPlotShadow> shadow_;
    TColor defaultColor_ = clBlack;
    TFontStyles defaultStyle_;
};
