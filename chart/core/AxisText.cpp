// One axis text (a label or the title): its alignment by angle and side, its lines, the shape
// behind it and a mantissa with a raised exponent.

#include "chart/core/ChartAxis.h"

#include "chart/draw/PlotCanvas.h"
#include "platform/rtl/Math.h"

#include <algorithm>
#include <cmath>

namespace {

// Slanted text beside a vertical axis lies wholly on the outer side of its point (left of it
// beside a left axis, right of it beside a right one), so that it never runs into the chart:
// the end of the text that points outward is free and its box hangs outward from the baseline.
unsigned AwayFromAxis(int angle, bool otherSide) {
    const double a = angle * DegToRad;
    const unsigned along = (std::cos(a) > 0) != otherSide ? TA_RIGHT : TA_LEFT;
    const unsigned across = (std::sin(a) > 0) != otherSide ? TA_BOTTOM : TA_TOP;
    return along | across;
}

constexpr unsigned HorizontalAlignMask = TA_CENTER; // left 0, right 2, centre 6

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = text.find('\r', start);
        if (end == std::string::npos) {
            if (start < text.size())
                lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

} // namespace

// Step 1 of drawing a text: the canvas alignment for the angle and side, and the first moves of
// the reference point.
unsigned TChartAxis::AlignText(int angle, const TAxisTextShape* shape, const std::string& text,
                               int& x, int& y) {
    const int h = canvas_->CharHeight();
    const int half = h / 2;
    const bool isLabel = shape != title_.get();
    auto upright = [&](bool other) -> unsigned {
        if (horizontal_)
            return other ? TA_CENTER | TA_BOTTOM : TA_CENTER;
        if (isLabel && labelsAlign_ == alOpposite) {
            // Labels on the inner side of the room they take, aligned away from the axis.
            const int room = DrawingLabelsRoom();
            x = other ? x + room : x - room;
            return other ? TA_RIGHT : TA_LEFT;
        }
        return other ? TA_LEFT : TA_RIGHT;
    };
    switch (angle) {
    case 0: {
        const unsigned align = upright(otherSide_);
        if (!horizontal_ && !isDepthAxis_)
            y -= half;
        return align;
    }
    case 45:
        if (!horizontal_)
            return AwayFromAxis(angle, otherSide_);
        // The text hangs below (above) the point.
        if (otherSide_) {
            const int w = canvas_->MeasureTextWidth("Wj");
            x -= w;
            y -= w;
        } else {
            const int w = RoundEven(canvas_->MeasureTextWidth(text) * std::sin(45 * DegToRad));
            x -= w;
            y += w;
        }
        return TA_LEFT;
    case 90:
        if (horizontal_) {
            // Reading upwards: below the axis the text ends at the labels' edge, above it
            // starts there, so that it runs away from the axis.
            x -= half;
            return otherSide_ ? TA_LEFT : TA_RIGHT;
        }
        if (isDepthAxis_)
            y += half;
        return otherSide_ ? TA_CENTER : TA_CENTER | TA_BOTTOM;
    case 180: {
        const unsigned align = upright(!otherSide_);
        if (!horizontal_)
            y += half;
        return align;
    }
    case 270:
        if (horizontal_) {
            // Reading downwards: the other way round.
            x += half;
            return otherSide_ ? TA_RIGHT : TA_LEFT;
        }
        if (isDepthAxis_)
            y += half;
        return otherSide_ ? TA_CENTER | TA_BOTTOM : TA_CENTER;
    default:
        return horizontal_ ? TA_LEFT : AwayFromAxis(angle, otherSide_);
    }
}

// Step back from the reference point by the block of lines, so that advancing by d before each
// line lays the block away from the axis (d is negative for 180 and 270 degrees).
void TChartAxis::MoveToFirstLine(int angle, int lines, int d, int& x, int& y) const {
    const int all = RoundEven(static_cast<double>(d) * lines);
    const int centred = RoundEven(d * (lines + 1) / 2.0);
    if (horizontal_) {
        if (angle == 0)
            y -= otherSide_ ? all : d;
        else if (angle == 90 || angle == 270)
            x -= centred;
        else if (angle == 180)
            y -= otherSide_ ? d : all;
        return;
    }
    if (angle == 0 || angle == 180)
        y -= centred;
    else if (angle == 90)
        x -= otherSide_ ? d : all;
    else if (angle == 270)
        x -= otherSide_ ? all : d;
}

void TChartAxis::DrawAxisText(int x, int y, int z, TAxisTextShape* shape, const std::string& text,
                              int angle) {
    if (!canvas_)
        return;
    const unsigned align = AlignText(angle, shape, text, x, y);
    canvas_->SetTextAlignment(align);
    if (!isDepthAxis_)
        z = iZPos_;
    const int h = canvas_->CharHeight();
    const int d = angle == 180 || angle == 270 ? -h : h;
    MoveToFirstLine(angle, TextLineCount(text), d, x, y);
    if (shape)
        DrawTextShape(shape, text, align, angle, x + (angle == 90 || angle == 270 ? d : 0),
                      y + (angle == 90 || angle == 270 ? 0 : d), z);
    std::string shown = text;
    if (OnDrawLabel) {
        bool draw = true;
        OnDrawLabel(this, x, y, z, shown, draw);
        if (!draw) {
            canvas_->SetTextAlignment(TA_LEFT);
            return;
        }
    }
    for (const std::string& line : SplitLines(shown)) {
        if (angle == 90 || angle == 270)
            x += d;
        else
            y += d;
        if (angle == 0) {
            if (labelsExponent_)
                DrawExponentText(x, y, z, line);
            else
                canvas_->TextOutAtDepth(x, y, z, line);
        } else {
            canvas_->AngledTextAtDepth(x, y, z, line, angle);
        }
    }
    canvas_->SetTextAlignment(TA_LEFT);
}

// The rectangle around a text whose first line is drawn at (x, y): upright around the text's
// centre (the title's hit test turns points back by the angle about that centre), with half a
// "W" to spare on the left and right; filled unless the shape is transparent.
void TChartAxis::DrawTextShape(TAxisTextShape* shape, const std::string& text, unsigned align,
                               int angle, int x, int y, int z) {
    const int h = canvas_->CharHeight();
    int width = 0;
    const std::vector<std::string> lines = SplitLines(text);
    for (const std::string& line : lines)
        width = std::max(width, canvas_->MeasureTextWidth(line));
    const int height = h * static_cast<int>(lines.size());
    const int pad = canvas_->MeasureTextWidth("W") / 2;
    // The block's centre in the text's own frame, relative to the first line's reference point.
    double along = width / 2.0;
    if ((align & HorizontalAlignMask) == TA_CENTER)
        along = 0;
    else if ((align & HorizontalAlignMask) == TA_RIGHT)
        along = -width / 2.0;
    const double down = (align & TA_BOTTOM) ? height / 2.0 - h : height / 2.0;
    const double a = angle * DegToRad;
    const double cx = x + along * std::cos(a) + down * std::sin(a);
    const double cy = y - along * std::sin(a) + down * std::cos(a);
    TRect r{RoundEven(cx - width / 2.0) - pad, RoundEven(cy - height / 2.0),
            RoundEven(cx + width / 2.0) + pad, RoundEven(cy + height / 2.0)};
    if (z != 0)
        r = canvas_->ProjectRect(r, z);
    shape->SetShapeRect(r);
    if (shape->Transparent())
        return;
    canvas_->Brush()->SetStyle(bsSolid);
    canvas_->Brush()->SetColor(clWhite);
    canvas_->FillRect(r);
    canvas_->Brush()->SetStyle(bsClear);
}

// A number in exponent form ("1.5E12") as the mantissa with the exponent smaller and raised.
void TChartAxis::DrawExponentText(int x, int y, int z, const std::string& text) {
    const auto e = text.find_first_of("Ee");
    if (e == std::string::npos) {
        canvas_->TextOutAtDepth(x, y, z, text);
        return;
    }
    const std::string mantissa = text.substr(0, e);
    const std::string exponent = text.substr(e + 1);
    const int raise = (canvas_->CharHeight() - 1) / 2 - 2;
    TFont* font = canvas_->Font();
    const int size = font->Size();
    const unsigned align = canvas_->GetTextAlignment() & HorizontalAlignMask;
    if (align == TA_LEFT) {
        canvas_->TextOutAtDepth(x, y, z, mantissa);
        const int mantissaWidth = canvas_->MeasureTextWidth(mantissa);
        font->SetSize(size - size / 4);
        canvas_->TextOutAtDepth(x + mantissaWidth, y - raise, z, exponent);
        font->SetSize(size);
        return;
    }
    font->SetSize(size - size / 4);
    const int exponentWidth = canvas_->MeasureTextWidth(exponent);
    const int ex = align == TA_CENTER ? x + exponentWidth / 2 : x;
    canvas_->TextOutAtDepth(ex, y - raise, z, exponent);
    font->SetSize(size);
    canvas_->TextOutAtDepth(x - exponentWidth - 1, y, z, mantissa);
}
