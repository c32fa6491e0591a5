// The report header of the framed list view: sections drawn by the view (themed with hot and
// pressed looks, or flat in the face colour), the sort arrow beside the text or at an edge, and
// the program's own drawing through OnDrawHeader.

#include "controls/listview/FrListView.h"

#include "controls/paint/FrColors.h"
#include "platform/graphics/ImageList.h"
#include "platform/graphics/Themes.h"

#include <algorithm>

namespace {

// The box of a sort arrow at the left of t, about half as high as t's centre line lies low (its
// size follows t's place as much as its height; sections start at y = 0).
TRect ArrowRect(const TRect& t) {
    const int s = (t.Top + t.Bottom) / 2 - 1;
    const int top = ((t.Top + t.Bottom) - s) / 2 - 1;
    return Rect(t.Left, top, t.Left + s + 1, top + s);
}

// The themed look of a section (the theme service's header item, our own stand-in): a light
// face, warmer under the pointer and grey while pressed, a line below and a divider at the right.
void PaintThemedSection(TCanvas* canvas, const TRect& r, THeaderSectionState state) {
    const TColor face = state == hssPressed ? clBtnFace
                        : state == hssHot   ? BlendColors(clHighlight, clWindow, 40)
                                            : clWindow;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(face);
    canvas->FillRect(r);
    canvas->Brush()->SetColor(ThemedElementColor(0));
    canvas->FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
    canvas->Brush()->SetColor(clBtnShadow);
    canvas->FillRect(Rect(r.Right - 1, r.Top + 3, r.Right, r.Bottom - 4));
}

} // namespace

bool TFrCustomListView::OwnerDrawsHeader() const {
    return ViewStyle() == vsReport && headerSortDisplayMode_ != hsdmNone;
}

void TFrCustomListView::SetHeaderSortDisplayMode(TFrLVHeaderSortDisplayMode v) {
    if (v != headerSortDisplayMode_) {
        headerSortDisplayMode_ = v;
        InvalidateHeader();
    }
}

void TFrCustomListView::SetHeaderDefaultDrawing(bool v) {
    if (v != headerDefaultDrawing_) {
        headerDefaultDrawing_ = v;
        Invalidate();
        InvalidateHeader();
    }
}

void TFrCustomListView::SetSortColumn(int v) {
    if (v != sortColumn_) {
        sortColumn_ = v;
        InvalidateHeader();
    }
}

void TFrCustomListView::SetSortDirection(TFrLVSortDirection v) {
    if (v != sortDirection_) {
        sortDirection_ = v;
        InvalidateHeader();
    }
}

// The section's face (flat in the face colour, inset by 2, without themes), then the default
// drawing or the program's.
void TFrCustomListView::DrawHeaderSection(TCanvas* canvas, int index, const TRect& rect,
                                          THeaderSectionState state) {
    canvas->Font()->Assign(Font());
    canvas->Font()->SetColor(clBtnText);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBtnFace);
    TRect r = rect;
    if (!ThemeServicesEnabled()) {
        canvas->FillRect(r);
        InflateRect(r, -2, -2);
    }
    if (headerDefaultDrawing_)
        DefaultDrawHeaderSection(canvas, index, r, state);
    else if (OnDrawHeader)
        OnDrawHeader(this, canvas, index, r);
}

void TFrCustomListView::DefaultDrawHeaderSection(TCanvas* canvas, int index, const TRect& r,
                                                 THeaderSectionState state) {
    const bool themes = ThemeServicesEnabled();
    if (themes)
        PaintThemedSection(canvas, r, state);
    TRect t = r;
    if (themes)
        InflateRect(t, -2, -2);
    t.Left += 4;
    t.Right -= 4;
    canvas->IntersectClipRect(r);
    const bool sorted = index == sortColumn_;
    const TAlignment align = Columns()->Items(index)->Alignment();
    auto atRight = [&](TRect a) {
        OffsetRect(a, t.Width() - a.Width() - 5, 0);
        return a;
    };
    switch (headerSortDisplayMode_) {
    case hsdmLeftAlign:
        if (sorted && Columns()->Items(index)->Width() > 15) {
            const TRect a = ArrowRect(t);
            DrawSortArrow(canvas, index, a);
            t.Left = a.Right + 5;
        }
        DrawSectionText(canvas, index, t, false);
        break;
    case hsdmRightOfText:
        if (align == taLeftJustify) {
            DrawSectionText(canvas, index, t, true); // t is the text's extent now
            OffsetRect(t, t.Width() + 5, 0);
            DrawSortArrow(canvas, index, ArrowRect(t));
            break;
        }
        if (sorted) {
            t.Bottom = t.Top + canvas->TextHeight("Yy");
            const TRect a = atRight(ArrowRect(t));
            DrawSortArrow(canvas, index, a);
            if (align == taRightJustify)
                t.Right = a.Left - 5;
            else
                InflateRect(t, -(a.Width() + 5), 0);
        }
        DrawSectionText(canvas, index, t, false);
        break;
    case hsdmRightAlign: {
        const TRect a = atRight(ArrowRect(t));
        DrawSortArrow(canvas, index, a);
        if (sorted)
            t.Right = a.Left - 5;
        DrawSectionText(canvas, index, t, false);
        break;
    }
    default:
        DrawSectionText(canvas, index, t, false);
    }
}

// The column's image (with SmallImages) and its caption, single-line with an ellipsis and the
// column's alignment. With measure, t becomes the box the text takes.
void TFrCustomListView::DrawSectionText(TCanvas* canvas, int index, TRect& t, bool measure) {
    TListColumn* column = Columns()->Items(index);
    std::string text = column->Caption().substr(0, 255);
    if (column->ImageIndex() != -1 && SmallImages() != nullptr) {
        SmallImages()->Draw(canvas, t.Left, t.Top, column->ImageIndex());
        t.Left += SmallImages()->Width() + 4;
    }
    const unsigned justify = column->Alignment() == taRightJustify ? DT_RIGHT
                             : column->Alignment() == taCenter     ? DT_CENTER
                                                                   : DT_LEFT;
    canvas->Brush()->SetColor(clBtnFace); // a colour makes the brush solid: the style after it
    canvas->Brush()->SetStyle(ThemeServicesEnabled() ? bsClear : bsSolid);
    TRect box = t;
    canvas->TextRect(box, text, DT_SINGLELINE | DT_END_ELLIPSIS | justify);
    if (!measure)
        return;
    TRect extent = t;
    canvas->TextRect(extent, text, DT_END_ELLIPSIS | DT_CALCRECT | DT_SINGLELINE | DT_RIGHT);
    t.Right = std::min(t.Right, t.Left + extent.Width());
    t.Bottom = t.Top + extent.Height();
}

// A triangle in the shadow colour, up for ascending and down for descending, only in the sort
// column and only when the column is more than twice as wide as the arrow's box.
void TFrCustomListView::DrawSortArrow(TCanvas* canvas, int index, const TRect& a) {
    if (index != sortColumn_ || 2 * a.Width() >= Columns()->Items(index)->Width())
        return;
    const int h = (a.Bottom - a.Top) * 3 / 4;
    const int w = 2 * h - 1;
    const int left = a.Left, top = a.Bottom - h;
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBtnShadow);
    if (sortDirection_ == sdDescending)
        canvas->Polygon({{left + w / 2, top + h - 1}, {left, top}, {left + w - 1, top}});
    else
        canvas->Polygon({{left + w / 2, top}, {left, top + h - 1}, {left + w - 1, top + h - 1}});
}
