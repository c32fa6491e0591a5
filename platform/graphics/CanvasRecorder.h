#pragma once
// A recorder attached to a canvas hears of every drawing call the canvas carries out, after the
// canvas has drawn it and with the canvas's pen, brush, font and device state still as the call
// used them. One set of drawing rules serves every output: a picture file writer or a test's call
// log is a recorder on an ordinary canvas, never a second canvas.

#include "platform/graphics/Color.h"
#include "platform/graphics/Types.h"

#include <cstdint>
#include <string>
#include <vector>

class TCanvas;

enum class TCanvasOp : std::uint8_t {
    MoveTo,            // points: the new position
    LineTo,            // points: from, to
    Polyline,          // points
    Polygon,           // points
    PolyBezier,        // points
    Rectangle,         // rect
    RoundRect,         // rect; corner: corner width and height
    Ellipse,           // rect
    Arc,               // rect: the box; points: the two radial points
    Chord,             // as Arc
    Pie,               // as Arc
    ArcTo,             // as Arc; the line from the pen position is part of it
    FillRect,          // rect
    FrameRect,         // rect
    FocusRect,         // rect
    FloodFill,         // points: the seed; color
    GradientFill,      // rect; color, color2
    SetPixel,          // points; color
    Text,              // points: the reference point; text; align; options and rect as ExtTextOut
    Pixels,            // rect: the pixels put by a copy, a picture or a blend (read them back)
    BeginPath,         //
    EndPath,           //
    AbortPath,         //
    CloseFigure,       //
    StrokePath,        // figures: the path flattened to polygons
    FillPath,          // figures
    StrokeAndFillPath, // figures
    WidenPath,         //
    SelectClipPath,    // the clip region that results is the canvas's clip region
};

// The name of an operation in capitals ("LINETO", "STROKEANDFILLPATH").
const char* CanvasOpName(TCanvasOp op);

struct TCanvasCall {
    TCanvasOp op = TCanvasOp::MoveTo;
    // Made while a path bracket was open: it added to the path and drew nothing.
    bool inPath = false;
    std::vector<TPoint> points;
    TRect rect;
    TSize corner;
    TColor color = clBlack;
    TColor color2 = clBlack;
    std::string text;
    unsigned align = 0;
    unsigned options = 0;
    std::vector<std::vector<TPoint>> figures;
};

class TCanvasRecorder {
public:
    virtual ~TCanvasRecorder() = default;
    // Called after the canvas carried out call. Must not throw.
    virtual void Record(TCanvas& canvas, const TCanvasCall& call) = 0;
};
