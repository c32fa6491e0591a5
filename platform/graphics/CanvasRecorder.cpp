// Attaching a recorder to a canvas, and the operation names recorders print.

#include "platform/graphics/CanvasRecorder.h"

#include "platform/graphics/Canvas_p.h"

#include <QPolygonF>

#include <cmath>
#include <iterator>

const char* CanvasOpName(TCanvasOp op) {
    static constexpr const char* kNames[] = {
        "MOVETO",
        "LINETO",
        "POLYLINE",
        "POLYGON",
        "POLYBEZIER",
        "RECTANGLE",
        "ROUNDRECT",
        "ELLIPSE",
        "ARC",
        "CHORD",
        "PIE",
        "ARCTO",
        "FILLRECT",
        "FRAMERECT",
        "FOCUSRECT",
        "FLOODFILL",
        "GRADIENTFILL",
        "SETPIXEL",
        "TEXT",
        "PIXELS",
        "BEGINPATH",
        "ENDPATH",
        "ABORTPATH",
        "CLOSEFIGURE",
        "STROKEPATH",
        "FILLPATH",
        "STROKEANDFILLPATH",
        "WIDENPATH",
        "SELECTCLIPPATH",
    };
    static_assert(std::size(kNames) == static_cast<std::size_t>(TCanvasOp::SelectClipPath) + 1);
    return kNames[static_cast<std::size_t>(op)];
}

void TCanvas::SetRecorder(TCanvasRecorder* recorder) {
    d_->recorder = recorder;
}

TCanvasRecorder* TCanvas::Recorder() const {
    return d_->recorder;
}

std::vector<std::vector<TPoint>> FlattenPath(const QPainterPath& path) {
    std::vector<std::vector<TPoint>> figures;
    for (const QPolygonF& polygon : path.toSubpathPolygons()) {
        std::vector<TPoint> figure;
        figure.reserve(static_cast<std::size_t>(polygon.size()));
        for (const QPointF& p : polygon) {
            const TPoint q{static_cast<int>(std::lround(p.x())),
                           static_cast<int>(std::lround(p.y()))};
            if (figure.empty() || !(figure.back() == q))
                figure.push_back(q);
        }
        if (!figure.empty())
            figures.push_back(std::move(figure));
    }
    return figures;
}
