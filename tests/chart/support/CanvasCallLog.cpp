#include "tests/chart/support/CanvasCallLog.h"

#include "platform/graphics/Canvas.h"

#include <cstdio>
#include <sstream>

namespace charttest {

namespace {

std::string Hex(TColor c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06X", static_cast<unsigned>(c));
    return buf;
}

const char* PenStyleName(TPenStyle s) {
    static constexpr const char* kNames[] = {"solid", "dash",  "dot",  "dashdot",  "dashdotdot",
                                             "clear", "frame", "user", "alternate"};
    return s < std::size(kNames) ? kNames[s] : "?";
}

const char* BrushStyleName(TBrushStyle s) {
    static constexpr const char* kNames[] = {"solid",     "clear",     "horizontal", "vertical",
                                             "fdiagonal", "bdiagonal", "cross",      "diagcross"};
    return s < std::size(kNames) ? kNames[s] : "?";
}

std::string PenText(TCanvas& c) {
    TPen& p = *c.Pen();
    return " pen=" + Hex(p.Color()) + "/" + std::to_string(p.Width()) + "/" +
           PenStyleName(p.Style());
}

std::string BrushText(TCanvas& c) {
    TBrush& b = *c.Brush();
    return " brush=" + Hex(b.Color()) + "/" + BrushStyleName(b.Style());
}

std::string RectText(const TRect& r) {
    return " " + std::to_string(r.Left) + " " + std::to_string(r.Top) + " " +
           std::to_string(r.Right) + " " + std::to_string(r.Bottom);
}

std::string ClipText(TCanvas& c) {
    TRegion region;
    if (!c.GetClipRegion(region))
        return "none";
    return RectText(region.BoundingBox()).substr(1);
}

} // namespace

std::string PointsText(const std::vector<TPoint>& points) {
    std::string s;
    for (const TPoint& p : points) {
        if (!s.empty())
            s += ' ';
        s += std::to_string(p.X) + "," + std::to_string(p.Y);
    }
    return s;
}

TCanvasCallLog::TCanvasCallLog(TCanvas& canvas) : canvas_(canvas) {
    canvas_.SetRecorder(this);
}

TCanvasCallLog::~TCanvasCallLog() {
    if (canvas_.Recorder() == this)
        canvas_.SetRecorder(nullptr);
}

void TCanvasCallLog::Record(TCanvas& canvas, const TCanvasCall& call) {
    const std::string clip = ClipText(canvas);
    if (clip != clip_) {
        clip_ = clip;
        lines_.push_back("CLIP " + clip);
    }
    calls_.push_back(call);
    std::string line = CanvasOpName(call.op);
    switch (call.op) {
    case TCanvasOp::MoveTo:
    case TCanvasOp::LineTo:
        line += " " + PointsText(call.points);
        if (call.op == TCanvasOp::LineTo && !call.inPath)
            line += PenText(canvas);
        break;
    case TCanvasOp::Polyline:
    case TCanvasOp::PolyBezier:
        line += " " + PointsText(call.points);
        if (!call.inPath)
            line += PenText(canvas);
        break;
    case TCanvasOp::Polygon:
        line += " " + PointsText(call.points);
        if (!call.inPath)
            line += PenText(canvas) + BrushText(canvas);
        break;
    case TCanvasOp::Rectangle:
    case TCanvasOp::Ellipse:
    case TCanvasOp::RoundRect:
        line += RectText(call.rect);
        if (!call.inPath)
            line += PenText(canvas) + BrushText(canvas);
        break;
    case TCanvasOp::Arc:
    case TCanvasOp::Chord:
    case TCanvasOp::Pie:
    case TCanvasOp::ArcTo:
        line += RectText(call.rect) + " " + PointsText(call.points);
        if (!call.inPath)
            line += PenText(canvas) + BrushText(canvas);
        break;
    case TCanvasOp::FillRect:
    case TCanvasOp::FrameRect:
        line += RectText(call.rect) + BrushText(canvas);
        break;
    case TCanvasOp::FocusRect:
    case TCanvasOp::Pixels:
        line += RectText(call.rect);
        break;
    case TCanvasOp::FloodFill:
    case TCanvasOp::SetPixel:
        line += " " + PointsText(call.points) + " " + Hex(call.color);
        break;
    case TCanvasOp::GradientFill:
        line += RectText(call.rect) + " " + Hex(call.color) + " " + Hex(call.color2);
        break;
    case TCanvasOp::Text:
        line += " " + PointsText(call.points) + " \"" + call.text + "\"";
        if (!call.inPath)
            line += " text=" + Hex(canvas.TextColor()) + " align=" + std::to_string(call.align);
        if (canvas.Font()->Orientation() != 0)
            line += " esc=" + std::to_string(canvas.Font()->Orientation());
        break;
    case TCanvasOp::StrokePath:
    case TCanvasOp::FillPath:
    case TCanvasOp::StrokeAndFillPath:
        line +=
            " figures=" + std::to_string(call.figures.size()) + PenText(canvas) + BrushText(canvas);
        break;
    default:
        break;
    }
    lines_.push_back(std::move(line));
}

std::vector<std::string> TCanvasCallLog::Ops() const {
    std::vector<std::string> ops;
    ops.reserve(calls_.size());
    for (const TCanvasCall& c : calls_)
        ops.emplace_back(CanvasOpName(c.op));
    return ops;
}

std::string TCanvasCallLog::Text() const {
    std::ostringstream out;
    for (const std::string& l : lines_)
        out << l << '\n';
    return out.str();
}

std::vector<std::string> TCanvasCallLog::Matching(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& l : lines_)
        if (l.compare(0, prefix.size(), prefix) == 0)
            out.push_back(l);
    return out;
}

void TCanvasCallLog::Clear() {
    lines_.clear();
    calls_.clear();
}

} // namespace charttest
