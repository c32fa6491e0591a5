#pragma once
// The framed bitmap button: a push button that shows a glyph beside its caption, either from a
// strip of one to four cells (normal, disabled, pressed, down) or from an image list, and the
// standard dialog kinds (OK, Cancel, Help, ...) with their captions, results and glyphs.

#include "controls/buttons/FrButton.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/ImageList.h"
#include "platform/stdctrls/Button.h"

#include <memory>

Q4_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom);

class TFrBitBtn : public TFrButton {
    Q4_CLASS(TFrBitBtn, TFrButton)
public:
    explicit TFrBitBtn(TComponent* owner);
    ~TFrBitBtn() override;
    static void DeclareProperties(TPropertyList& p);

    TBitmap* Glyph() const { return glyph_.get(); }
    // Copies the bitmap (null clears the glyph); the glyph no longer is the kind's.
    virtual void SetGlyph(TBitmap* value);
    int NumGlyphs() const { return numGlyphs_; }
    // Kept within 1..4.
    virtual void SetNumGlyphs(int value);
    // The kind, or bkCustom as soon as Default, Cancel, ModalResult or the glyph differ from it.
    TBitBtnKind Kind() const;
    // A standard kind sets Default, Cancel, ModalResult, the caption and the glyph.
    virtual void SetKind(TBitBtnKind value);
    TButtonLayout Layout() const { return layout_; }
    virtual void SetLayout(TButtonLayout value);
    // -1 centres glyph and caption together; values below -1 are ignored.
    int Margin() const { return margin_; }
    virtual void SetMargin(int value);
    int Spacing() const { return spacing_; }
    virtual void SetSpacing(int value);
    // An image list shows ImageIndex (DisabledIndex while disabled) instead of the glyph. The
    // list is not owned; the button forgets a list that is freed.
    TCustomImageList* Images() const { return imagesLink_.Sender(); }
    virtual void SetImages(TCustomImageList* value);
    int ImageIndex() const { return imageIndex_; }
    virtual void SetImageIndex(int value);
    int DisabledIndex() const { return disabledIndex_; }
    virtual void SetDisabledIndex(int value);

protected:
    // The size of what is drawn beside the caption: the image list's size with an image, else
    // one cell of the strip; 0 x 0 for none.
    virtual TSize GlyphSize() const;
    virtual TRect GlyphRect();
    virtual void DrawImage(TCanvas* canvas, const TRect& r);
    virtual void DrawGlyph(TCanvas* canvas, const TRect& r);
    TRect CaptionRect() override;
    void DrawContent(TCanvas* canvas) override;

private:
    bool HasImage() const;
    bool HasGlyph() const;
    bool IsCaptionStored() const;
    bool IsCancelStored() const;
    bool IsCustom() const { return Kind() == bkCustom; }
    void GlyphChanged();
    int MeasureCaptionHeight();
    // The caption rectangle of the plain button, and the caption's height when Margin is -1.
    TRect LayoutBase(int& textHeight);

    std::unique_ptr<TBitmap> glyph_;
    int numGlyphs_ = 1;
    mutable TBitBtnKind kind_ = bkCustom;
    bool modifiedGlyph_ = false;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = 2;
    int spacing_ = 4;
    TChangeLink imagesLink_;
    int imageIndex_ = -1;
    int disabledIndex_ = -1;
};
