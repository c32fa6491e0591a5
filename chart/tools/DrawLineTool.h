#pragma once
// TDrawLineTool: the user draws lines, pairs of parallel lines, rectangles and ellipses on the
// chart with the mouse, selects one, and drags it whole or by either end. The shapes are kept in
// axis values (TDrawLine items of the Lines collection), so they follow zooms and scrolls. While
// the mouse moves a shape, it is drawn inverted over the finished chart, so that drawing it again
// takes it away; a canvas that smooths its lines cannot invert them exactly and is drawn again
// instead.

#include "chart/axispanel/ChartTool.h"
#include "platform/classes/Collection.h"

#include <functional>
#include <memory>

class TCanvas3D;
class TChartPen;
class TDrawLineTool;

Q4_ENUM(TDrawLineStyle, dlLine, dlHorizParallel, dlVertParallel, dlRectangle, dlEllipse);

// Which part of a shape a point lies on: 0 the shape itself, 1 its start handle, 2 its end
// handle; a drag may also hold the whole shape (3).
enum TDrawLinePart : int { dpShape = 0, dpStart = 1, dpEnd = 2, dpWhole = 3 };

class TDrawLine : public TCollectionItem {
    Q4_CLASS(TDrawLine, TCollectionItem)

    explicit TDrawLine(TCollection* collection);
    // Clears the tool's selection when it is this item.
    ~TDrawLine() override;
    static void DeclareProperties(TPropertyList& p);
    // Both points and the style; the pen becomes a copy of the source's own pen, or none.
    void Assign(TPersistent* source) override;

    double X0() const { return x0_; }
    void SetX0(double value) { SetCoordinate(x0_, value); }
    double Y0() const { return y0_; }
    void SetY0(double value) { SetCoordinate(y0_, value); }
    double X1() const { return x1_; }
    void SetX1(double value) { SetCoordinate(x1_, value); }
    double Y1() const { return y1_; }
    void SetY1(double value) { SetCoordinate(y1_, value); }
    TDrawLineStyle Style() const { return style_; }
    void SetStyle(TDrawLineStyle value);
    // The item's own pen, made on first use as a copy of the tool's pen.
    TChartPen* Pen();
    // Null frees the own pen (the tool's pen draws the item again); else a copy.
    void SetPen(TChartPen* value);
    bool HasOwnPen() const { return pen_ != nullptr; }
    // The own pen, else the tool's.
    TChartPen* DrawingPen() const;

    // The tool whose Lines hold the item (none outside a tool's collection).
    TDrawLineTool* Tool() const;
    // The start and end points in pixels of the tool's axes.
    TPoint StartHandle() const;
    TPoint EndHandle() const;

private:
    // The tool moves and places its items quietly: it draws them itself meanwhile.
    friend class TDrawLineTool;
    void SetCoordinate(double& field, double value);
    void RepaintChart() const;

    double x0_ = 0;
    double y0_ = 0;
    double x1_ = 0;
    double y1_ = 0;
    TDrawLineStyle style_ = dlLine;
    std::unique_ptr<TChartPen> pen_;
};

class TDrawLines : public TCollection {
    Q4_CLASS(TDrawLines, TCollection)
public:
    explicit TDrawLines(TDrawLineTool* tool);
    TDrawLine* Line(int index) const { return Item<TDrawLine>(index); }
    TDrawLine* AddLine() { return static_cast<TDrawLine*>(Add()); }
    TDrawLineTool* Tool() const { return tool_; }

private:
    TDrawLineTool* tool_;
};

using TDrawLineSelecting =
    std::function<void(TDrawLineTool* sender, TDrawLine* line, bool& allowSelect)>;

class TDrawLineTool : public TPlotCustomToolSeries {
    Q4_CLASS(TDrawLineTool, TPlotCustomToolSeries)
public:
    explicit TDrawLineTool(TComponent* owner);
    ~TDrawLineTool() override;
    static void DeclareProperties(TPropertyList& p);
    // The settings and a copy of the lines (not the events), then the series part.
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TDrawLineEdit"; }
    // After each drawing: every item, the selected item's handles and the line being drawn.
    void ChartToolEvent(TChartToolEventKind kind) override;
    void ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x, int y) override;
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;

    // ---- settings ------------------------------------------------------------------------------
    TMouseButton Button() const { return button_; }
    void SetButton(TMouseButton value) { button_ = value; }
    int ClickTolerance() const { return clickTolerance_; }
    void SetClickTolerance(int value) { clickTolerance_ = value; }
    bool EnableDraw() const { return enableDraw_; }
    void SetEnableDraw(bool value) { enableDraw_ = value; }
    bool EnableSelect() const { return enableSelect_; }
    // Switching it off clears the selection.
    void SetEnableSelect(bool value);
    TDrawLines* Lines() const { return lines_.get(); }
    void SetLines(TDrawLines* value);
    bool SelectNewLines() const { return selectNewLines_; }
    void SetSelectNewLines(bool value) { selectNewLines_ = value; }
    TDrawLineStyle Style() const { return style_; }
    void SetStyle(TDrawLineStyle value) { style_ = value; }

    // ---- state ---------------------------------------------------------------------------------
    TDrawLine* Selected() const { return selected_; }
    // Selecting another item (or none) repaints.
    void SetSelected(TDrawLine* line);
    bool Drawing() const { return drawing_; }
    bool Moved() const { return moved_; }
    int DragPart() const { return dragPart_; }
    TPoint FromPoint() const { return fromPoint_; }
    TPoint ToPoint() const { return toPoint_; }

    // ---- geometry ------------------------------------------------------------------------------
    // The pixel of a pair of values on the tool's axes, and the values of a pixel.
    TPoint PixelOf(double x, double y) const;
    void ValuesOf(TPoint p, double& x, double& y) const;
    // The point lies on a part of the item (see TDrawLinePart) within tolerance pixels.
    bool HitItem(const TDrawLine* line, TPoint p, int tolerance, int part) const;
    // The item under the point (mapped back from the 3D view at depth 0): the selected one first,
    // then the others in order; part -1 tries the shape, then its start and its end handle, with
    // ClickTolerance.
    TDrawLine* ItemAt(int x, int y, int part = -1) const;
    // Clips the canvas to the series' axes (or the plot) from depth 0 to the chart's depth.
    virtual void ClipDrawArea(TCanvas3D& canvas);

    TNotifyEvent OnDragLine;
    TNotifyEvent OnDraggedLine;
    TNotifyEvent OnNewLine;
    TNotifyEvent OnSelect;
    TDrawLineSelecting OnSelecting;

private:
    friend class TDrawLine;
    // The selected item is going away.
    void LineFreed(TDrawLine* line);
    // A canvas that smooths its lines cannot draw them inverted: the chart is drawn again instead.
    bool DrawsInverted() const;
    // An item (or, for none, the line between FromPoint and ToPoint) in its pen.
    void DrawItem(TCanvas3D& canvas, TDrawLine* line);
    void DrawItemOverChart(TDrawLine* line);
    void DrawHandles(TCanvas3D& canvas, TDrawLine* line);
    void DrawShape(TCanvas3D& canvas, TPoint p0, TPoint p1, TDrawLineStyle style);
    void MousePressed(int x, int y);
    void MouseMoved(int x, int y);
    void MouseReleased();
    void PickItem(TDrawLine* line, int x, int y);

    TMouseButton button_ = mbLeft;
    int clickTolerance_ = 0;
    bool enableDraw_ = true;
    bool enableSelect_ = true;
    bool selectNewLines_ = true;
    TDrawLineStyle style_ = dlLine;
    std::unique_ptr<TDrawLines> lines_;
    TDrawLine* selected_ = nullptr;
    bool drawing_ = false;
    bool moved_ = false;
    int dragPart_ = 0;
    TPoint fromPoint_{0, 0};
    TPoint toPoint_{0, 0};
    TPoint lastPoint_{0, 0};
};
