#include "controls/grid/FrStringGrid.h"

#include "controls/paint/FrColors.h"
#include "platform/graphics/Themes.h"

TFrStringGrid::TFrStringGrid(TComponent* owner) : TStringGrid(owner), TFrFraming(this) {
    SetDefaultRowHeight(18);
    SetDefaultColWidth(60);
    SetBounds(Left(), Top(), 325, 125);
    SetParentColor(false);
}

void TFrStringGrid::DeclareProperties(TPropertyList& p) {
    using G = TFrStringGrid;
    DeclareFramingProperties<G>(p);
    p.Add("BorderStyle", &G::BorderStyle, &G::SetBorderStyle).Default(bsSingle);
    p.Add("Ctl3D", &G::Ctl3D, &G::SetCtl3D).Default(true);
    p.AddFn<G>(
         "DefaultColWidth", [](G* g) { return g->DefaultColWidth(); },
         [](G* g, int v) { g->SetDefaultColWidth(v); })
        .Default(60);
    p.AddFn<G>(
         "DefaultRowHeight", [](G* g) { return g->DefaultRowHeight(); },
         [](G* g, int v) { g->SetDefaultRowHeight(v); })
        .Default(18);
    p.Add("FixedLineColor", &G::FixedLineColor, &G::SetFixedLineColor, TColorTypeInfo())
        .Default(clBtnShadow);
    p.AddFn<G>(
         "Height", [](G* g) { return g->Height(); }, [](G* g, int v) { g->SetHeight(v); })
        .Default(125);
    p.Add("LineColor", &G::LineColor, &G::SetLineColor, TColorTypeInfo()).Default(clBtnFace);
    p.AddFn<G>(
         "Width", [](G* g) { return g->Width(); }, [](G* g, int v) { g->SetWidth(v); })
        .Default(325);
}

void TFrStringGrid::SetLineColor(TColor v) {
    if (v != lineColor_) {
        lineColor_ = v;
        Invalidate();
    }
}

void TFrStringGrid::SetFixedLineColor(TColor v) {
    if (v != fixedLineColor_) {
        fixedLineColor_ = v;
        Invalidate();
    }
}

void TFrStringGrid::SetBorderStyle(TFormBorderStyle v) {
    v = v == bsNone ? bsNone : bsSingle;
    if (v != borderStyle_) {
        borderStyle_ = v;
        FrameChanged();
    }
}

void TFrStringGrid::SetCtl3D(bool v) {
    if (v != ctl3D_) {
        ctl3D_ = v;
        FrameChanged();
    }
}

void TFrStringGrid::FrameVisibleChanged() {
    if (FrameVisible())
        SetCtl3D(true);
    Invalidate();
}

TRect TFrStringGrid::NonClientMargins() const {
    const int border = borderStyle_ == bsNone ? 0 : ctl3D_ ? 2 : 1;
    return TRect{border, border, border, border};
}

// ---- painting -----------------------------------------------------------------------------------

void TFrStringGrid::PaintGridFrame(TCanvas* canvas, TFrameStyle style, TSides sides, TColor color) {
    const TRect r = Rect(0, 0, Width(), Height());
    PaintBevel(canvas, r, FixedColor(), Color(), AllSides, 2);
    if (style == fsFlat)
        PaintSides(canvas, r, color, color, sides);
    else if (style == fsFlatBold)
        PaintBevel(canvas, r, color, color, sides, 2);
    else
        PaintFrameStyleSides(canvas, r, style, sides);
}

void TFrStringGrid::PaintFrame(TCanvas* canvas) {
    if (borderStyle_ == bsNone)
        return;
    if (FrameVisible() && !UseThemes()) {
        const bool hot = FrameHot();
        PaintGridFrame(canvas, hot ? FrameHotStyle() : FrameStyle(), FrameSides(),
                       hot ? FrameHotColor() : FrameColor());
    } else if (ThemeServicesEnabled()) {
        PaintGridFrame(canvas, fsFlat, AllSides, ThemedElementColor(0));
    } else if (ctl3D_) {
        PaintCtl3DSides(canvas, Rect(0, 0, Width(), Height()), AllSides, true);
    } else {
        PaintBox(canvas, Rect(0, 0, Width(), Height()), clWindowFrame);
    }
}

// Lines of a kind switched off are drawn too, in the colour of the cells around them; a line
// colour that would vanish on the grid's colour is darkened.
void TFrStringGrid::DrawCellLines(const TRect& cell, bool fixed, bool vertical, bool horizontal) {
    const int line = GridLineWidth();
    if (line <= 0)
        return;
    TColor on = fixed ? fixedLineColor_ : lineColor_;
    if (!fixed && ColorToRGB(lineColor_) == ColorToRGB(Color()))
        on = DarkenColor(lineColor_, 50);
    const TColor off = fixed ? FixedColor() : Color();
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(vertical ? on : off);
    c->FillRect(Rect(cell.Right, cell.Top, cell.Right + line, cell.Bottom + line));
    c->Brush()->SetColor(horizontal ? on : off);
    c->FillRect(Rect(cell.Left, cell.Bottom, cell.Right + line, cell.Bottom + line));
}

TInplaceEdit* TFrStringGrid::CreateEditor() {
    TInplaceEdit* editor = TStringGrid::CreateEditor();
    editor->SetColor(Color());
    return editor;
}

// ---- messages and state -------------------------------------------------------------------------

bool TFrStringGrid::EditorFocused() const {
    return InplaceEditor() != nullptr && InplaceEditor()->Focused();
}

void TFrStringGrid::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (EditorFocused()) {
            TStringGrid::WndProc(message);
            return;
        }
        break;
    case CM_COLORCHANGED:
        if (InplaceEditor() != nullptr)
            InplaceEditor()->SetColor(Color());
        break;
    default:
        break;
    }
    FramingMessage(message, [&] { TStringGrid::WndProc(message); });
}

void TFrStringGrid::Loaded() {
    TStringGrid::Loaded();
    FramingLoaded();
}

void TFrStringGrid::Notification(TComponent* component, TOperation operation) {
    TStringGrid::Notification(component, operation);
    FramingNotification(component, operation);
}
