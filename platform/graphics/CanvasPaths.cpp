// The path bracket: outlines recorded between BeginPath and EndPath, then stroked, filled,
// widened or made the clip region.

#include "platform/graphics/Canvas_p.h"
#include "platform/graphics/Region_p.h"

#include <QPainterPathStroker>

#include <algorithm>

bool TCanvas::BeginPath() {
    SettleTextAdvance();
    Recording rec(*this, TCanvasOp::BeginPath);
    d_->path.emplace();
    d_->path->setFillRule(FillRuleOf(polyFillMode_));
    d_->recording = true;
    return true;
}

bool TCanvas::EndPath() {
    if (!d_->recording)
        return false;
    Recording rec(*this, TCanvasOp::EndPath);
    d_->recording = false;
    return true;
}

bool TCanvas::AbortPath() {
    Recording rec(*this, TCanvasOp::AbortPath);
    d_->recording = false;
    d_->path.reset();
    return true;
}

bool TCanvas::CloseFigure() {
    if (!d_->recording)
        return false;
    Recording rec(*this, TCanvasOp::CloseFigure);
    d_->path->closeSubpath();
    return true;
}

bool TCanvas::PathReady() const {
    return !d_->recording && d_->path.has_value();
}

bool TCanvas::DrawPath(bool stroke, bool fill) {
    if (!PathReady())
        return false;
    QPainterPath path = std::move(*d_->path);
    d_->path.reset();
    path.setFillRule(FillRuleOf(polyFillMode_));
    Recording rec(*this, stroke && fill ? TCanvasOp::StrokeAndFillPath
                         : stroke       ? TCanvasOp::StrokePath
                                        : TCanvasOp::FillPath);
    if (rec)
        rec->figures = FlattenPath(path);
    Painting p(*this, Painting::Tools::BrushPen, Painting::Compose::Paint);
    if (p) {
        QPen pen = p->pen();
        QBrush brush = p->brush();
        if (!stroke)
            p->setPen(Qt::NoPen);
        if (!fill)
            p->setBrush(Qt::NoBrush);
        p->drawPath(path);
        p->setPen(pen);
        p->setBrush(brush);
    }
    return true;
}

bool TCanvas::StrokePath() {
    return DrawPath(true, false);
}

bool TCanvas::FillPath() {
    return DrawPath(false, true);
}

bool TCanvas::StrokeAndFillPath() {
    return DrawPath(true, true);
}

bool TCanvas::WidenPath() {
    if (!PathReady())
        return false;
    Recording rec(*this, TCanvasOp::WidenPath);
    QPainterPathStroker stroker;
    stroker.setWidth(std::max(pen_.Width(), 1));
    stroker.setCapStyle(kPenCaps[pen_.EndCap()]);
    stroker.setJoinStyle(kPenJoins[pen_.JoinStyle()]);
    QPainterPath wide = stroker.createStroke(*d_->path);
    wide.setFillRule(Qt::WindingFill);
    *d_->path = wide;
    return true;
}

bool TCanvas::SelectClipPath(TRegionCombine mode) {
    if (!PathReady())
        return false;
    Recording rec(*this, TCanvasOp::SelectClipPath);
    if (rec)
        rec->options = mode;
    QPainterPath path = d_->path->translated(viewportOrg_.X, viewportOrg_.Y);
    path.setFillRule(d_->path->fillRule());
    d_->path.reset();
    TRegion region = TRegionQt::FromPath(path);
    ExtSelectClipRegion(&region, mode);
    return true;
}
