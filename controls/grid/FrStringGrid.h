#pragma once
// TFrStringGrid: the platform string grid with the framing of the framed views (TFrFraming), a
// border ring of its own (the grid frame: a two-line bevel in FixedColor and Color with the
// frame style over the chosen sides), grid lines in colours of its own (LineColor in the
// scrolling area, FixedLineColor among the fixed cells) and flat fixed cells. Its in-place editor
// takes the grid's colour.

#include "controls/framing/FrFraming.h"
#include "platform/forms/Forms.h"
#include "platform/stdctrls/Grids.h"

class TFrStringGrid : public TStringGrid, public TFrFraming {
    Q4_CLASS(TFrStringGrid, TStringGrid)
public:
    explicit TFrStringGrid(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    TColor LineColor() const { return lineColor_; }
    void SetLineColor(TColor v);
    TColor FixedLineColor() const { return fixedLineColor_; }
    void SetFixedLineColor(TColor v);
    // The border: none, or a single one (two pixels with Ctl3D, else one black line).
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle v);
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool v);
    // The cells selected now.
    TGridRect CurrentSelection() const { return Selection(); }

    void WndProc(TMessage& message) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    TRect NonClientMargins() const override;
    void FrameVisibleChanged() override;
    void PaintFrame(TCanvas* canvas) override;
    void DrawCellLines(const TRect& cell, bool fixed, bool vertical, bool horizontal) override;
    void DrawFixedCellEdge(const TRect&) override {}
    TInplaceEdit* CreateEditor() override;

private:
    // The two-line bevel in FixedColor and Color, then the style over the chosen sides.
    void PaintGridFrame(TCanvas* canvas, TFrameStyle style, TSides sides, TColor color);
    // The mouse counts as over the grid only while the editor does not hold the focus.
    bool EditorFocused() const;

    TColor lineColor_ = clBtnFace;
    TColor fixedLineColor_ = clBtnShadow;
    TFormBorderStyle borderStyle_ = bsSingle;
    bool ctl3D_ = true;
};
