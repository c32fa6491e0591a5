// The chart canvas's 2D primitives and text: each primitive is the platform canvas call of the same
// name; text adds the chart font's shadow, outline, gradient and picture.

#include "chart/draw/ChartPen.h"
#include "chart/draw/DrawLibrary.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/PlotBlend.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/draw/PlotFont.h"
#include "chart/draw/Shadow.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/CodePage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

bool HasVisibleShadow(const TPlotFont* font) {
    const TPlotShadow* s = font ? font->ShadowIfAny() : nullptr;
    return s != nullptr && s->Visible() && (s->HorizSize() != 0 || s->VertSize() != 0);
}

} // namespace

// ---- primitives -------------------------------------------------------------------------------

void TPlotCanvas3D::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    canvas_->Arc(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TPlotCanvas3D::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    canvas_->Pie(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TPlotCanvas3D::Ellipse(int x0, int y0, int x1, int y1) {
    canvas_->Ellipse(x0, y0, x1, y1);
}

void TPlotCanvas3D::Rectangle(int x0, int y0, int x1, int y1) {
    canvas_->Rectangle(x0, y0, x1, y1);
}

void TPlotCanvas3D::RoundRect(int x0, int y0, int x1, int y1, int w, int h) {
    canvas_->RoundRect(x0, y0, x1, y1, w, h);
}

void TPlotCanvas3D::MoveTo(int x, int y) {
    canvas_->MoveTo(x, y);
}

void TPlotCanvas3D::LineTo(int x, int y) {
    canvas_->LineTo(x, y);
}

void TPlotCanvas3D::Polyline(const TPointList& points) {
    canvas_->Polyline(points);
}

void TPlotCanvas3D::Polygon(const TPointList& points) {
    canvas_->Polygon(points);
}

void TPlotCanvas3D::FillRect(const TRect& r) {
    canvas_->FillRect(r);
}

void TPlotCanvas3D::FillCornerQuad() {
    Polygon({Corners[0], Corners[1], Corners[2], Corners[3]});
}

void TPlotCanvas3D::DrawGraphic(int x, int y, TPicture* picture) {
    if (picture != nullptr && !picture->Empty())
        canvas_->Draw(x, y, picture->Graphic());
}

void TPlotCanvas3D::StretchGraphic(const TRect& r, TPicture* picture) {
    if (picture != nullptr)
        canvas_->StretchDraw(r, picture->Graphic());
}

void TPlotCanvas3D::RingSector(int cx, int cy, int rx, int ry, double start, double end,
                               double holePercent) {
    auto at = [cx, cy](double a, double radiusX, double radiusY) {
        return TPoint{RoundEven(std::cos(a) * radiusX) + cx, cy - RoundEven(std::sin(a) * radiusY)};
    };
    const double ix = rx * holePercent * 0.01;
    const double iy = ry * holePercent * 0.01;
    const TPoint outerStart = at(start, rx, ry);
    const TPoint outerEnd = at(end, rx, ry);
    const TPoint innerStart = at(start, ix, iy);
    const TPoint innerEnd = at(end, ix, iy);
    canvas_->MoveTo(outerStart.X, outerStart.Y);
    canvas_->BeginPath();
    canvas_->ArcTo(cx - rx, cy - ry, cx + rx, cy + ry, outerStart.X, outerStart.Y, outerEnd.X,
                   outerEnd.Y);
    if (innerStart != innerEnd) {
        const int irx = RoundEven(ix);
        const int iry = RoundEven(iy);
        const int old = canvas_->SetArcDirection(AD_CLOCKWISE);
        canvas_->ArcTo(cx - irx, cy - iry, cx + irx, cy + iry, innerEnd.X, innerEnd.Y, innerStart.X,
                       innerStart.Y);
        canvas_->SetArcDirection(old);
    } else {
        // No hole: the outline runs through the centre, a pie slice.
        canvas_->LineTo(innerStart.X, innerStart.Y);
    }
    canvas_->EndPath();
    canvas_->StrokeAndFillPath();
}

// ---- text -------------------------------------------------------------------------------------

int TPlotCanvas3D::MeasureTextWidth(const std::string& text) {
    int w = canvas_->TextWidth(text);
    if (HasVisibleShadow(currentFont_))
        w += std::abs(currentFont_->ShadowIfAny()->HorizSize());
    return w;
}

int TPlotCanvas3D::MeasureTextHeight(const std::string& text) {
    int h = canvas_->TextHeight(text);
    if (HasVisibleShadow(currentFont_))
        h += std::abs(currentFont_->ShadowIfAny()->VertSize());
    return h;
}

int TPlotCanvas3D::MeasureWideTextWidth(const std::u16string& text) {
    return MeasureTextWidth(Utf16ToUtf8(text));
}

int TPlotCanvas3D::MeasureWideTextHeight(const std::u16string& text) {
    return MeasureTextHeight(Utf16ToUtf8(text));
}

TRect TPlotCanvas3D::TextRectangle(int x, int y, const std::string& text) {
    const int w = MeasureTextWidth(text);
    const int h = MeasureTextHeight(text);
    unsigned align = GetTextAlignment();
    if (align > 7)
        align -= 8;
    if (align == TA_RIGHT)
        return {x - w, y, x, y + h};
    if (align == TA_CENTER)
        return {x - w / 2, y, x + w / 2, y + h};
    return {x, y, x + w, y + h};
}

void TPlotCanvas3D::DrawTextShadow(int& x, int& y, const std::string& text) {
    TPlotShadow& shadow = *currentFont_->ShadowIfAny();
    const int h = shadow.HorizSize();
    const int v = shadow.VertSize();
    const int sx = h >= 0 ? x + h : x;
    const int sy = v >= 0 ? y + v : y;
    if (h < 0)
        x -= h;
    if (v < 0)
        y -= v;
    std::unique_ptr<TPlotBlend> blend;
    if (shadow.Transparency() > 0)
        blend = BeginTransparency(TextRectangle(sx, sy, text), shadow.Transparency());
    TFont* font = Font();
    const TColor fontColor = font->Color();
    font->SetColor(shadow.Color());
    DeviceTextOut(sx, sy, text);
    font->SetColor(fontColor);
    if (shadow.Smooth() && shadow.SmoothBlur() > 0 && buffer_ && ShadowBlurHook()) {
        const TSize plain = canvas_->TextExtent(text);
        unsigned align = GetTextAlignment();
        if (align > 7)
            align -= 8;
        int left = sx;
        if (align == TA_RIGHT)
            left -= plain.cx;
        else if (align == TA_CENTER)
            left -= plain.cx / 2;
        ShadowBlurHook()(*buffer_, std::max(0, left - 1), std::max(0, sy),
                         std::min(buffer_->Width() - 1, left + plain.cx),
                         std::min(buffer_->Height() - 1, sy + plain.cy - 1), shadow.SmoothBlur());
        SetBackgroundMode(cbmTransparent);
    }
    if (blend)
        EndTransparency(std::move(blend));
}

void TPlotCanvas3D::RecordTextPath(int x, int y, const std::string& text) {
    canvas_->BeginPath();
    DeviceTextOut(x, y, text);
    canvas_->EndPath();
}

bool TPlotCanvas3D::DrawTextEffects(int x, int y, const std::string& text) {
    TPlotFont* font = currentFont_;
    TChartHiddenPen* outline = font->OutLineIfAny();
    TPlotFontGradient* gradient = font->GradientIfAny();
    TPicture* picture = font->PictureIfAny();
    const bool outlined = outline != nullptr && outline->Visible();
    const bool gradientFill = gradient != nullptr && gradient->Visible();
    const bool pictureFill = picture != nullptr && picture->Graphic() != nullptr;
    if (!outlined && !gradientFill && !pictureFill)
        return false;
    if (outlined)
        SelectPenColored(outline, outline->Color());
    else
        Pen()->SetStyle(psClear);
    Brush()->SetBitmap(nullptr);
    Brush()->SetStyle(bsSolid);
    Brush()->SetColor(Font()->Color());
    SetBackgroundMode(cbmTransparent);
    RecordTextPath(x, y, text);
    if (gradientFill || pictureFill) {
        if (gradientFill && gradient->Outline())
            canvas_->WidenPath();
        SaveClip();
        canvas_->SelectClipPath(RGN_AND);
        const TRect r = TextRectangle(x, y, text);
        if (gradientFill)
            gradient->Fill(*this, r, 0);
        else
            canvas_->StretchDraw(r, picture->Graphic());
        RemoveClip();
        if (gradientFill && gradient->Outline())
            return true;
        if (outlined) {
            RecordTextPath(x, y, text);
            Brush()->SetStyle(bsClear);
        }
    }
    if (!outlined)
        return true;
    if (Font()->Color() == clNone)
        canvas_->StrokePath();
    else
        canvas_->StrokeAndFillPath();
    return true;
}

void TPlotCanvas3D::TextOut(int x, int y, const std::string& text) {
    if (HasVisibleShadow(currentFont_))
        DrawTextShadow(x, y, text);
    if (currentFont_ != nullptr && DrawTextEffects(x, y, text))
        return;
    DeviceTextOut(x, y, text);
}

namespace {

// The byte length of the UTF-8 character that starts with lead.
std::size_t CharLength(unsigned char lead) {
    return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

} // namespace

// The baseline runs at the font's escapement; each character is drawn on its own at its place
// along it, turned to the glyph orientation about its own reference point. The text's horizontal
// alignment places the whole run.
void TPlotCanvas3D::DeviceTextOut(int x, int y, const std::string& text) {
    TFont* font = Font();
    const int escapement = font->Orientation();
    if (!glyphOrientation_ || *glyphOrientation_ == escapement) {
        canvas_->TextOut(x, y, text);
        return;
    }
    const unsigned align = canvas_->TextAlign();
    const unsigned horizontal = align & TA_CENTER;
    const int width = canvas_->TextWidth(text);
    const int start = horizontal == TA_CENTER ? -width / 2 : horizontal == TA_RIGHT ? -width : 0;
    const double a = escapement / 10.0 * DegToRad;
    const double c = std::cos(a);
    const double s = std::sin(a);
    canvas_->SetTextAlign(align & ~(TA_CENTER | TA_UPDATECP));
    font->SetOrientation(*glyphOrientation_);
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n =
            std::min(CharLength(static_cast<unsigned char>(text[i])), text.size() - i);
        const double along = start + canvas_->TextWidth(text.substr(0, i));
        canvas_->TextOut(x + RoundEven(along * c), y - RoundEven(along * s), text.substr(i, n));
        i += n;
    }
    font->SetOrientation(escapement);
    canvas_->SetTextAlign(align);
}

void TPlotCanvas3D::AngledText(int x, int y, const std::string& text, double angle) {
    if (angle > 360)
        angle = std::fmod(angle, 360.0) == 0 ? 360 : std::fmod(angle, 360.0);
    Brush()->SetStyle(bsClear);
    TFont* font = Font();
    TFont saved;
    saved.Assign(*font);
    font->BeginUpdate();
    font->SetOrientation(RoundEven(angle * 10));
    font->SetQuality(static_cast<TFontQuality>(RotatedTextQuality));
    if (zoomText_ && zoomFactor_ != 1) {
        const int size = std::max(1, RoundEven(font->Size() * zoomFactor_));
        font->SetHeight(-MulDiv(size, font->PixelsPerInch(), 72));
    }
    font->EndUpdate();
    // A character angle turns the glyphs apart from the baseline.
    if (characterAngle_ != 0)
        glyphOrientation_ = RoundEven(characterAngle_ * 10);
    struct Reset {
        std::optional<int>& orientation;
        ~Reset() { orientation.reset(); }
    } reset{glyphOrientation_};
    TextOut(x, y, text);
    font->Assign(saved);
}

void TPlotCanvas3D::TextOutAtDepth(int x, int y, int z, const std::string& text) {
    const TPoint p = Project(x, y, z);
    if (!zoomText_ || zoomFactor_ == 1) {
        TextOut(p.X, p.Y, text);
        return;
    }
    TFont* font = Font();
    const int size = std::max(1, RoundEven(font->Size() * zoomFactor_));
    if (size == font->Size()) {
        TextOut(p.X, p.Y, text);
        return;
    }
    const int height = font->Height();
    font->SetHeight(-MulDiv(size, font->PixelsPerInch(), 72));
    TextOut(p.X, p.Y, text);
    font->SetHeight(height);
}
