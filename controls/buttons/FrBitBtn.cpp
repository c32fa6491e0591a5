#include "controls/buttons/FrBitBtn.h"

#include "controls/buttons/FrButtonKinds.h"

#include <algorithm>

TFrBitBtn::TFrBitBtn(TComponent* owner) : TFrButton(owner), glyph_(std::make_unique<TBitmap>()) {
    glyph_->OnChange = [this](TObject*) { GlyphChanged(); };
    imagesLink_.OnChange = [this](TCustomImageList*) { Invalidate(); };
}

TFrBitBtn::~TFrBitBtn() {
    glyph_->OnChange = nullptr;
}

void TFrBitBtn::DeclareProperties(TPropertyList& p) {
    using B = TFrBitBtn;
    p.Add("Caption", &B::Caption, &B::SetCaption).Stored(&B::IsCaptionStored);
    p.Add("Cancel", &B::Cancel, &B::SetCancel).Stored(&B::IsCancelStored);
    p.Add("DisabledIndex", &B::DisabledIndex, &B::SetDisabledIndex).Default(-1);
    p.Add("Glyph", &B::Glyph, &B::SetGlyph).Stored(&B::IsCustom);
    p.Add("ImageIndex", &B::ImageIndex, &B::SetImageIndex).Default(-1);
    p.Add("Kind", &B::Kind, &B::SetKind).Default(bkCustom);
    p.Add("Layout", &B::Layout, &B::SetLayout).Default(blGlyphLeft);
    p.Add("Margin", &B::Margin, &B::SetMargin).Default(2);
    p.Add("NumGlyphs", &B::NumGlyphs, &B::SetNumGlyphs).Default(1).Stored(&B::IsCustom);
    p.Add("Spacing", &B::Spacing, &B::SetSpacing).Default(4);
}

// ---- properties ---------------------------------------------------------------------------------

void TFrBitBtn::SetGlyph(TBitmap* value) {
    if (value != nullptr)
        glyph_->Assign(*value);
    else
        glyph_->FreeImage();
    modifiedGlyph_ = true;
    GlyphChanged();
}

// A strip whose width is a whole number of squares has that many cells (1 beyond 1..4). An
// empty glyph says nothing about its cells: NumGlyphs stays.
void TFrBitBtn::GlyphChanged() {
    const int w = glyph_->Width(), h = glyph_->Height();
    if (h > 0 && w % h == 0) {
        const int cells = w / h;
        numGlyphs_ = cells >= 1 && cells <= 4 ? cells : 1;
    }
    Invalidate();
}

void TFrBitBtn::SetNumGlyphs(int value) {
    value = std::clamp(value, 1, 4);
    if (value != numGlyphs_) {
        numGlyphs_ = value;
        Invalidate();
    }
}

TBitBtnKind TFrBitBtn::Kind() const {
    if (kind_ != bkCustom) {
        const TFrButtonKind& k = ButtonKind(kind_);
        if (k.Default != Default() || k.Cancel != Cancel() || k.ModalResult != ModalResult() ||
            modifiedGlyph_)
            kind_ = bkCustom;
    }
    return kind_;
}

void TFrBitBtn::SetKind(TBitBtnKind value) {
    if (value != bkCustom) {
        const TFrButtonKind& k = ButtonKind(value);
        SetDefault(k.Default);
        SetCancel(k.Cancel);
        SetModalResult(k.ModalResult);
        if (!InLoading() || Caption().empty())
            SetCaption(k.Caption);
        if (const TBitmap* glyph = ButtonKindGlyph(value))
            glyph_->Assign(*glyph);
        SetNumGlyphs(2);
        modifiedGlyph_ = false;
    }
    kind_ = value;
    Invalidate();
}

bool TFrBitBtn::IsCaptionStored() const {
    return Kind() == bkCustom || Caption() != ButtonKind(kind_).Caption;
}

bool TFrBitBtn::IsCancelStored() const {
    return Kind() == bkCustom && Cancel();
}

void TFrBitBtn::SetLayout(TButtonLayout value) {
    if (value != layout_) {
        layout_ = value;
        Invalidate();
    }
}

void TFrBitBtn::SetMargin(int value) {
    if (value >= -1 && value != margin_) {
        margin_ = value;
        Invalidate();
    }
}

void TFrBitBtn::SetSpacing(int value) {
    if (value != spacing_) {
        spacing_ = value;
        Invalidate();
    }
}

void TFrBitBtn::SetImages(TCustomImageList* value) {
    if (TCustomImageList* old = Images())
        old->UnRegisterChanges(&imagesLink_);
    if (value != nullptr)
        value->RegisterChanges(&imagesLink_);
    Invalidate();
}

void TFrBitBtn::SetImageIndex(int value) {
    if (value != imageIndex_) {
        imageIndex_ = value;
        Invalidate();
    }
}

void TFrBitBtn::SetDisabledIndex(int value) {
    if (value != disabledIndex_) {
        disabledIndex_ = value;
        Invalidate();
    }
}

// ---- layout -------------------------------------------------------------------------------------

bool TFrBitBtn::HasImage() const {
    return Images() != nullptr && imageIndex_ != -1;
}

// A strip narrower than its cell count has cells of no width: nothing to draw.
bool TFrBitBtn::HasGlyph() const {
    return !glyph_->Empty() && glyph_->Width() / numGlyphs_ > 0;
}

TSize TFrBitBtn::GlyphSize() const {
    if (HasImage())
        return {Images()->Width(), Images()->Height()};
    if (HasGlyph())
        return {glyph_->Width() / numGlyphs_, glyph_->Height()};
    return {0, 0};
}

int TFrBitBtn::MeasureCaptionHeight() {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    TRect r = TFrButton::CaptionRect();
    return canvas->DrawText(Caption(), r, DT_CALCRECT | CaptionFormat());
}

TRect TFrBitBtn::LayoutBase(int& textHeight) {
    textHeight = margin_ == -1 ? MeasureCaptionHeight() : 0;
    return TFrButton::CaptionRect();
}

TRect TFrBitBtn::CaptionRect() {
    int th = 0;
    TRect r = LayoutBase(th);
    if (!HasImage() && !HasGlyph())
        return r;
    const TSize g = GlyphSize();
    const int along =
        margin_ + (layout_ == blGlyphLeft || layout_ == blGlyphRight ? g.cx : g.cy) + spacing_;
    const int centred = (Height() - th - g.cy - spacing_) / 2;
    switch (layout_) {
    case blGlyphLeft:
        r.Left += along;
        break;
    case blGlyphRight:
        r.Right -= along;
        break;
    case blGlyphTop:
        if (margin_ == -1) {
            r.Top += centred + g.cy;
            r.Bottom = r.Top + th;
        } else {
            r.Top += along;
        }
        break;
    case blGlyphBottom:
        if (margin_ == -1) {
            r.Top += centred;
            r.Bottom = r.Top + th;
        } else {
            r.Bottom -= along;
        }
        break;
    }
    return r;
}

TRect TFrBitBtn::GlyphRect() {
    int th = 0;
    TRect r = LayoutBase(th);
    const bool themed = UseThemes();
    if (ShowDownVersion())
        OffsetRect(r, -1, themed ? 0 : -1);
    const TSize g = GlyphSize();
    const int centred = (Height() - th - g.cy - spacing_) / 2;
    const bool fixed = margin_ >= 0;
    switch (layout_) {
    case blGlyphLeft:
        if (fixed)
            r.Left += margin_;
        break;
    case blGlyphRight:
        r.Left = r.Right - (fixed ? margin_ : 0) - g.cx;
        break;
    case blGlyphTop:
        r.Top = fixed ? r.Top + margin_ : centred;
        break;
    case blGlyphBottom:
        r.Top = fixed ? r.Bottom - margin_ - g.cy : r.Top + th + centred;
        break;
    }
    if (layout_ == blGlyphTop || layout_ == blGlyphBottom)
        r.Left += (r.Width() - g.cx + 1) / 2;
    else
        r.Top += (r.Height() - g.cy + 1) / 2;
    r = Bounds(r.Left, r.Top, g.cx, g.cy);
    if (ShowDownVersion())
        OffsetRect(r, themed ? 2 : 1, themed ? 0 : 1);
    return r;
}

// ---- painting -----------------------------------------------------------------------------------

void TFrBitBtn::DrawImage(TCanvas* canvas, const TRect& r) {
    if (disabledIndex_ == -1)
        Images()->Draw(canvas, r.Left, r.Top, imageIndex_, Enabled());
    else
        Images()->Draw(canvas, r.Left, r.Top, Enabled() ? imageIndex_ : disabledIndex_, true);
}

// Cell 3 shows a down group button, cell 2 a pressed one, cell 1 a disabled one, cell 0 the rest,
// each only when the strip has that many cells.
void TFrBitBtn::DrawGlyph(TCanvas* canvas, const TRect& r) {
    int cell = 0;
    if (numGlyphs_ == 4 && Down())
        cell = 3;
    else if (numGlyphs_ >= 3 && (Down() || ShowDownVersion()))
        cell = 2;
    else if (numGlyphs_ >= 2 && !Enabled())
        cell = 1;
    const int w = glyph_->Width() / numGlyphs_;
    canvas->TransparentBlt(r.Left, r.Top, r.Width(), r.Height(), glyph_->Canvas(), cell * w, 0, w,
                           r.Height(), glyph_->TransparentColor());
}

void TFrBitBtn::DrawContent(TCanvas* canvas) {
    TFrButton::DrawContent(canvas);
    if (Kind() == bkCustom && HasImage())
        DrawImage(canvas, GlyphRect());
    else if (HasGlyph())
        DrawGlyph(canvas, GlyphRect());
}
