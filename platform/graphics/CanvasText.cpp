// Text: reference-point output (TextOut, ExtTextOut, TextRect), measuring, and DrawText's
// layout in a box.

#include "platform/graphics/Canvas_p.h"
#include "platform/graphics/TextLayout_p.h"

#include <algorithm>

namespace {

// Options bit 31 marks a call that does not move the pen position (everything but TextOut).
constexpr unsigned kKeepPenPos = 0x80000000u;

QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

} // namespace

void TCanvas::TextOut(int x, int y, const std::string& text) {
    Changing();
    PaintText(x, y, text, 0, nullptr);
    Changed();
}

void TCanvas::ExtTextOut(int x, int y, unsigned options, const TRect* rect,
                         const std::string& text) {
    Changing();
    PaintText(x, y, text, options | kKeepPenPos, rect);
    Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
    unsigned options = ETO_CLIPPED;
    if (brush_.Style() != bsClear)
        options |= ETO_OPAQUE;
    Changing();
    PaintText(x, y, text, options | kKeepPenPos, &r);
    Changed();
}

void TCanvas::PaintText(int x, int y, const std::string& text, unsigned options,
                        const TRect* rect) {
    Impl& d = *d_;
    bool fromTextOut = (options & kKeepPenPos) == 0;
    QPainter* p = d.recording ? d.painter.get() : Begin();
    if (!p && !d.recording)
        return;
    if (!d.recording)
        RealizeBrush(p);
    RealizeFont(p);
    QString qs = ToQString(text);
    const QFontMetrics& m = *d.metrics;
    bool updateCp = (textAlign_ & TA_UPDATECP) != 0;
    if (updateCp) {
        SettleTextAdvance();
        x = penPos_.X;
        y = penPos_.Y;
    }
    unsigned hAlign = textAlign_ & TA_CENTER;
    bool needWidth = hAlign != TA_LEFT || d.bkMode == OPAQUE || updateCp;
    int width = needWidth ? m.horizontalAdvance(qs) : 0; // letter spacing included
    int dx = hAlign == TA_CENTER ? -width / 2 : hAlign == TA_RIGHT ? -width : 0;
    int baseline;
    if ((textAlign_ & TA_BASELINE) == TA_BASELINE)
        baseline = 0;
    else if (textAlign_ & TA_BOTTOM)
        baseline = -m.descent();
    else
        baseline = m.ascent();

    Recording rec(*this, TCanvasOp::Text);
    if (rec) {
        rec->points = {{x, y}};
        rec->text = text;
        rec->align = textAlign_ & ~TA_UPDATECP;
        rec->options = options & ~kKeepPenPos;
        if (rect)
            rec->rect = *rect;
    }
    if (d.recording) {
        // Inside a path bracket the text adds its glyph outlines.
        QPainterPath glyphs;
        glyphs.addText(QPointF(dx, baseline), d.qfont, qs);
        QTransform place = QTransform::fromTranslate(x, y);
        if (font_.Orientation() != 0)
            place.rotate(-font_.Orientation() / 10.0);
        d.path->addPath(place.map(glyphs));
    } else {
        DrawTextRun(p, qs, x, y, dx, baseline, width, options, rect);
    }

    if (updateCp) {
        if (hAlign == TA_LEFT)
            penPos_.X += width;
        else if (hAlign == TA_RIGHT)
            penPos_.X -= width;
    } else if (fromTextOut) {
        // The pen moves to the end of the text; measured when next needed.
        penPos_ = {x, y};
        if (needWidth) {
            penPos_.X += width;
        } else {
            d.advancePending = true;
            d.advanceText = qs;
            d.advanceFont = d.qfont;
        }
    }
}

// Draws one run of text with its reference point at (x, y): dx and baseline place it from
// there, width is its measured width (needed for an opaque background).
void TCanvas::DrawTextRun(QPainter* p, const QString& text, int x, int y, int dx, int baseline,
                          int width, unsigned options, const TRect* rect) {
    Impl& d = *d_;
    const QFontMetrics& m = *d.metrics;
    int escapement = font_.Orientation();
    ApplyCopyComposition(p);
    bool transformed = escapement != 0;
    bool clipped = rect && (options & ETO_CLIPPED);
    if (transformed || clipped)
        p->save();
    if (rect && (options & ETO_OPAQUE))
        p->fillRect(ToQRect(*rect), ToQColor(d.bkColor));
    if (clipped)
        p->setClipRect(ToQRect(*rect), Qt::IntersectClip);
    int ox = x;
    int oy = y;
    if (transformed) {
        p->translate(x, y);
        p->rotate(-escapement / 10.0);
        ox = 0;
        oy = 0;
    }
    if (d.bkMode == OPAQUE)
        p->fillRect(QRect(ox + dx, oy + baseline - m.ascent(), width, m.height()),
                    ToQColor(d.bkColor));
    if (p->pen().style() != Qt::SolidLine || p->pen().color() != ToQColor(d.textColor) ||
        p->pen().widthF() != 0) {
        p->setPen(QPen(ToQColor(d.textColor), 0));
        d.qpenValid = false;
    }
    // The cell was filled above; Qt's own opaque mode would fill it again in the background a
    // pen was realised with, which may be older than the brush that set this one.
    const Qt::BGMode mode = p->backgroundMode();
    p->setBackgroundMode(Qt::TransparentMode);
    p->drawText(QPoint(ox + dx, oy + baseline), text);
    p->setBackgroundMode(mode);
    if (transformed || clipped) {
        p->restore();
        d.ForgetPainterTools();
    }
}

TSize TCanvas::TextExtent(const std::string& text) {
    RealizeFont(d_->painter.get());
    QString qs = ToQString(text);
    const QFontMetrics& m = *d_->metrics;
    int w = m.horizontalAdvance(qs); // letter spacing included
    return {w, m.height()};
}

int TCanvas::TextRect(TRect& r, const std::string& text, unsigned flags) {
    return DrawText(text, r, flags);
}

int TCanvas::DrawText(const std::string& text, TRect& r, unsigned flags) {
    Changing();
    SettleTextAdvance();
    int h = LayoutText(text, r, flags, (flags & DT_CALCRECT) == 0);
    Changed();
    return h;
}

int TCanvas::LayoutText(const std::string& text, TRect& r, unsigned flags, bool draw) {
    Impl& d = *d_;
    QPainter* p = draw ? Begin() : d.painter.get();
    if (draw && p)
        RealizeBrush(p);
    RealizeFont(p);
    const QFontMetrics& m = *d.metrics;
    int lineHeight = m.height() + ((flags & DT_EXTERNALLEADING) ? m.leading() : 0);
    bool single = (flags & DT_SINGLELINE) != 0;
    std::vector<TTextLine> lines = BreakText(ToQString(text), flags, r.Width(), m);

    int total = lineHeight * static_cast<int>(lines.size());
    if (!draw) {
        int maxWidth = 0;
        for (const TTextLine& line : lines)
            maxWidth = std::max(maxWidth, m.horizontalAdvance(line.text));
        r.Right = r.Left + maxWidth;
        r.Bottom = r.Top + total;
        return total;
    }
    if (!p)
        return total;

    int top = r.Top;
    if (single && (flags & DT_VCENTER))
        top = r.Top + (r.Height() - lineHeight) / 2;
    else if (single && (flags & DT_BOTTOM))
        top = r.Bottom - lineHeight;
    DrawTextLines(p, lines, r, top, lineHeight, flags);
    if (single && (flags & (DT_VCENTER | DT_BOTTOM)))
        return top - r.Top + lineHeight;
    return total;
}

// Draws laid-out lines from top down, each aligned in r, with the '&' marked character
// underlined.
void TCanvas::DrawTextLines(QPainter* p, const std::vector<TTextLine>& lines, const TRect& r,
                            int top, int lineHeight, unsigned flags) {
    Impl& d = *d_;
    const QFontMetrics& m = *d.metrics;
    ApplyCopyComposition(p);
    p->save();
    if (!(flags & DT_NOCLIP))
        p->setClipRect(ToQRect(r), Qt::IntersectClip);
    QColor textColor = ToQColor(d.textColor);
    p->setPen(QPen(textColor, 0));
    // Each line's background is filled below when it is opaque, never by the painter (whose
    // mode the last pen may have left opaque).
    p->setBackgroundMode(Qt::TransparentMode);
    int y = top;
    for (const TTextLine& line : lines) {
        int w = m.horizontalAdvance(line.text);
        int x = r.Left;
        if (flags & DT_CENTER)
            x = r.Left + (r.Width() - w) / 2;
        else if (flags & DT_RIGHT)
            x = r.Right - w;
        if (d.bkMode == OPAQUE)
            p->fillRect(QRect(x, y, w, lineHeight), ToQColor(d.bkColor));
        if (!(flags & DT_PREFIXONLY)) {
            p->drawText(QPoint(x, y + m.ascent()), line.text);
            Recording rec(*this, TCanvasOp::Text);
            if (rec) {
                rec->points = {{x, y}};
                rec->text = line.text.toStdString();
                rec->align = TA_LEFT | TA_TOP;
                if (!(flags & DT_NOCLIP)) {
                    rec->options = ETO_CLIPPED;
                    rec->rect = r;
                }
            }
        }
        if (line.underline >= 0 && !(flags & DT_HIDEPREFIX)) {
            int ux = x + m.horizontalAdvance(line.text.left(line.underline));
            int uw = m.horizontalAdvance(line.text.mid(line.underline, 1)) - charExtra_;
            int uy = y + m.ascent() + std::max(1, m.underlinePos());
            p->fillRect(QRect(ux, uy, std::max(uw, 1), std::max(1, m.lineWidth())), textColor);
        }
        y += lineHeight;
    }
    p->restore();
    d.ForgetPainterTools();
}
