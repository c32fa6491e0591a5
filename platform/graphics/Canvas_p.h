#pragma once
// The canvas's painter-facing inside, shared by the canvas's source files only: the device state
// behind the handle, the saved states, the scoped painter guard every primitive draws through,
// and the small conversions the drawing code uses.

#include "platform/graphics/Canvas.h"
#include "platform/graphics/CanvasRecorder.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QString>

#include <optional>
#include <string>
#include <vector>

QColor ToQColor(TColor color);
QString ToQString(const std::string& text);

// The device region of pixels touched by the image, for combining with clip regions.
QRegion WholeSurface(const QImage* image);

// Recolours a one-bit picture: dark pixels take fore, light ones back.
void Recolour(QImage& image, QRgb fore, QRgb back);

// Line ends and joins by TPenEndCap and TPenJoinStyle.
inline constexpr Qt::PenCapStyle kPenCaps[] = {Qt::RoundCap, Qt::SquareCap, Qt::FlatCap};
inline constexpr Qt::PenJoinStyle kPenJoins[] = {Qt::RoundJoin, Qt::BevelJoin, Qt::MiterJoin};

inline Qt::FillRule FillRuleOf(TPolyFillMode mode) {
    return mode == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
}

// The composition that carries out a pen's raster operation (R2_*); copy, black and white paint
// over, their colour being chosen when the pen is realised.
QPainter::CompositionMode CompositionOfRop2(int rop);

struct TCanvas::SavedState {
    unsigned textAlign;
    int bkMode;
    TColor bkColor;
    TColor textColor;
    int rop2;
    int charExtra;
    TPolyFillMode polyFillMode;
    int arcDirection;
    TPoint viewportOrg;
    TPoint brushOrg;
    TPoint penPos;
    std::optional<QRegion> clip;
};

struct TCanvas::Impl {
    QImage* image = nullptr;
    std::unique_ptr<QPainter> painter;

    // Device state.
    int bkMode = OPAQUE;
    TColor bkColor = clWhite;
    TColor textColor = clBlack;
    int rop2 = R2_COPYPEN;
    std::optional<QRegion> clip; // device coordinates
    std::vector<SavedState> saved;

    // The attribute objects changed since they were last realised into the device state.
    bool penChanged = true;
    bool brushChanged = true;
    bool fontChanged = true;

    // What the open painter holds; cleared whenever the state it was built from changes.
    bool qpenValid = false;
    bool qbrushValid = false;
    bool qfontValid = false;
    bool brushOriginValid = false;
    unsigned fontGeneration = ~0u;
    int fontExtra = 0;
    bool clipValid = false;
    bool transformValid = false;
    bool penIsNull = true;
    bool penDashed = false; // a one-pixel pen with gaps, which an opaque background fills
    int composition = -1;
    QFont qfont;
    std::optional<QFontMetrics> metrics;

    // TextOut moves the pen position past the text; the width is measured only when the
    // position is next used.
    bool advancePending = false;
    QString advanceText;
    QFont advanceFont;

    bool monochrome = false;

    // Hears of every drawing call (not owned).
    TCanvasRecorder* recorder = nullptr;

    // The path bracket: while recording, primitives add to the path instead of drawing.
    bool recording = false;
    std::optional<QPainterPath> path;

    // Sets the painter's composition unless it already holds it.
    void Compose(QPainter* p, QPainter::CompositionMode mode) {
        if (composition != mode) {
            p->setCompositionMode(mode);
            composition = mode;
        }
    }
    // The painter's pen, brush and composition were changed behind the realised state.
    void ForgetPainterTools() {
        composition = -1;
        qpenValid = qbrushValid = false;
    }
};

// One drawing primitive: announces the change, opens the painter, realises the tools the
// primitive uses in the order it needs them and sets its composition. The change is reported
// when the guard leaves scope, also when there is no surface to draw on.
class TCanvas::Painting {
public:
    enum class Tools { None, Brush, BrushPen, PenBrush };
    // Keep: the primitive sets the composition itself; Paint: the pen's raster operation;
    // Copy: source over; Replace: the source replaces the destination, alpha included.
    enum class Compose { Keep, Paint, Copy, Replace };

    explicit Painting(TCanvas& canvas, Tools tools = Tools::None, Compose compose = Compose::Keep);
    ~Painting();
    Painting(const Painting&) = delete;
    Painting& operator=(const Painting&) = delete;

    // The open painter; null when the canvas has no surface.
    QPainter* get() const { return painter_; }
    QPainter* operator->() const { return painter_; }
    explicit operator bool() const { return painter_ != nullptr; }

private:
    TCanvas& canvas_;
    QPainter* painter_;
};

// One drawing call told to the canvas's recorder, if it has one, when the guard leaves scope:
// declared before the primitive's Painting, it reports after the drawing with the state the
// drawing used. Without a recorder it costs a test.
class TCanvas::Recording {
public:
    Recording(TCanvas& canvas, TCanvasOp op) : canvas_(canvas) {
        if (canvas.d_->recorder != nullptr) {
            call_.emplace();
            call_->op = op;
            call_->inPath = canvas.d_->recording;
        }
    }
    ~Recording() {
        if (call_)
            canvas_.d_->recorder->Record(canvas_, *call_);
    }
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;

    explicit operator bool() const { return call_.has_value(); }
    TCanvasCall* operator->() { return &*call_; }
    // Drops the call (the primitive turned out to do nothing).
    void Cancel() { call_.reset(); }

private:
    TCanvas& canvas_;
    std::optional<TCanvasCall> call_;
};

// The path flattened to polygons, rounded to whole pixels.
std::vector<std::vector<TPoint>> FlattenPath(const QPainterPath& path);

// Draws twice when a dashed one-pixel pen meets an opaque background: first the whole outline in
// the background colour, then the dashes over it.
template <class Draw>
void StrokeWithGaps(QPainter* p, bool gaps, const QColor& background, Draw draw) {
    if (gaps) {
        QPen dashed = p->pen();
        QBrush brush = p->brush();
        QPen solid(background, 0);
        solid.setCapStyle(dashed.capStyle());
        p->setPen(solid);
        p->setBrush(Qt::NoBrush);
        draw();
        p->setPen(dashed);
        p->setBrush(brush);
    }
    draw();
}
