#pragma once
// The framed box of an annotation: a placeable shape (TPlotShapePosition) with a block of text
// inside it. The text's lines are separated by carriage returns; the box may size itself from the
// text (AutoSize), keeps inner margins around it and may clip the text to itself.

#include "chart/control/ShapePosition.h"
#include "chart/draw/Margins.h"
#include "platform/graphics/Cursors.h"
#include "platform/stdctrls/ControlTypes.h"

#include <memory>
#include <string>

class TCustomPlotPanel;

// A placeable framed shape with its look published; the base of the annotation boxes.
class TPlotShapePosition : public TPlotCustomShapePosition {
    Q4_CLASS(TPlotShapePosition, TPlotCustomShapePosition)
public:
    explicit TPlotShapePosition(TCustomPlotPanel* parent) : TPlotCustomShapePosition(parent) {}
    // A default, stored against: shapes that start placed say so.
    void SetDefaultCustomPosition(bool on) {
        defaultCustomPosition_ = on;
        SetCustomPosition(on);
    }
};

class TTextShape : public TPlotShapePosition {
    Q4_CLASS(TTextShape, TPlotShapePosition)
public:
    // The chart the box draws on and repaints (none yet is fine).
    explicit TTextShape(TCustomPlotPanel* parent);
    ~TTextShape() override;
    static void DeclareProperties(TPropertyList& p);
    // AutoSize, ClipText, Cursor, Margins, Text and TextAlignment, then the placed shape's part.
    void Assign(TPersistent* source) override;

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on) { SetValue(autoSize_, on); }
    bool ClipText() const { return clipText_; }
    void SetClipText(bool on) { SetValue(clipText_, on); }
    // The mouse shape over the box; crDefault shows none of its own.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor) { SetValue(cursor_, cursor); }
    TMargins* Margins() const { return margins_.get(); }
    void SetMargins(TMargins* margins) { margins_->Assign(margins); }
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text) { SetValue(text_, text); }
    TAlignment TextAlignment() const { return textAlignment_; }
    void SetTextAlignment(TAlignment alignment) { SetValue(textAlignment_, alignment); }

    // Frame, fill and lines of text into r of the chart's canvas (r in the chart's own
    // coordinates; the canvas' origin is added here). lines is how many pieces of the text to
    // draw, xOffset moves every line sideways.
    void PaintText(TCustomPlotPanel& chart, TRect r, int lines, int xOffset);

    // The AutoSize and Cursor the shape is stored against (descendants that start without
    // sizing, or with a mouse shape of their own).
    void SetDefaultAutoSize(bool on) { defaultAutoSize_ = on; }
    void SetDefaultCursor(TCursor cursor) { defaultCursor_ = cursor; }

protected:
    bool defaultAutoSize_ = true;
    TCursor defaultCursor_ = crDefault;
    bool AutoSizeStored() const { return autoSize_ != defaultAutoSize_; }
    bool CursorStored() const { return cursor_ != defaultCursor_; }

private:
    bool autoSize_ = true;
    bool clipText_ = true;
    TCursor cursor_ = crDefault;
    std::unique_ptr<TMargins> margins_;
    std::string text_;
    TAlignment textAlignment_ = taLeftJustify;
};

// The text as drawn: line feeds taken out, an empty text as one blank.
std::string ShapeTextOf(const std::string& text);
// The lineIndex-th piece of text split at carriage returns (empty past the last).
std::string ShapeTextLine(const std::string& text, int lineIndex);
