// Painting windowed, custom and graphic controls through a back buffer and canvases.

#include "platform/forms/Controls.h"

#include "platform/forms/Forms.h"
#include "platform/forms/Menus.h"
#include "platform/forms/WidgetBridge.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

// ---- painting -----------------------------------------------------------------------------------

void TWinControl::PaintWindow(TCanvas*) {}

void TWinControl::PaintControls(TCanvas* canvas, QImage& surface, TPoint origin) {
    canvas->Flush();
    TRect client = Rect(0, 0, ClientWidth(), ClientHeight());
    for (TControl* c : controls_) {
        auto* g = dynamic_cast<TGraphicControl*>(c);
        if (g == nullptr || !g->Visible())
            continue;
        TRect clip;
        if (!IntersectRect(clip, g->BoundsRect(), client))
            continue;
        OffsetRect(clip, -g->Left(), -g->Top());
        g->PaintOn(surface, {origin.X + g->Left(), origin.Y + g->Top()}, clip);
    }
}

void TWinControl::PaintWindowTo(QWidget* widget, const TRect& area) {
    QSize size = widget->size();
    if (size.isEmpty())
        return;
    TRect cr = ClientRect();
    if (!PaintsOwnWidget()) {
        // The widget drew itself; its border (when the control draws one) and the graphic
        // children go over it on a transparent layer.
        const TRect m = NonClientMargins();
        const bool border = m.Left != 0 || m.Top != 0 || m.Right != 0 || m.Bottom != 0;
        bool any = std::any_of(controls_.begin(), controls_.end(), [](TControl* c) {
            return dynamic_cast<TGraphicControl*>(c) != nullptr && c->Visible();
        });
        if (!any && !border)
            return;
        QImage layer(size, QImage::Format_ARGB32_Premultiplied);
        layer.fill(Qt::transparent);
        TCanvas canvas;
        TGraphicsQt::SetImage(canvas, &layer);
        if (border)
            SafeCall(this, [&] {
                canvas.Font()->Assign(Font());
                Perform(WM_NCPAINT, reinterpret_cast<WPARAM>(&canvas), 0);
                canvas.SelectClipRegion(nullptr);
            });
        PaintControls(&canvas, layer, {cr.Left, cr.Top});
        TGraphicsQt::SetImage(canvas, nullptr);
        QPainter p(widget);
        p.drawImage(QPoint(0, 0), layer);
        return;
    }
    if (!backBuffer_ || backBuffer_->size() != size)
        backBuffer_ = std::make_unique<QImage>(size, QImage::Format_RGB32);
    QImage& buffer = *backBuffer_;
    SafeCall(this, [&] {
        TCanvas canvas;
        TGraphicsQt::SetImage(canvas, &buffer);
        canvas.Font()->Assign(Font());
        Perform(WM_NCPAINT, reinterpret_cast<WPARAM>(&canvas), 0);
        canvas.SelectClipRegion(nullptr);
        canvas.SetViewportOrigin({cr.Left, cr.Top});
        canvas.IntersectClipRect(Rect(0, 0, cr.Width(), cr.Height()));
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&canvas), 0);
        Perform(WM_PAINT, reinterpret_cast<WPARAM>(&canvas), 0);
        PaintControls(&canvas, buffer, {cr.Left, cr.Top});
        TGraphicsQt::SetImage(canvas, nullptr);
    });
    QPainter p(widget);
    QRect r(area.Left, area.Top, area.Width(), area.Height());
    p.drawImage(r, buffer, r);
}

// ---- TCustomControl -----------------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

TCustomControl::~TCustomControl() = default;

void TWinControl::PaintOwnCanvas(TCanvas* surface, TCanvas& own,
                                 const std::function<void()>& paint) {
    // The control's own canvas is bound to the surface for the duration, at the client origin.
    QImage* image = TGraphicsQt::Image(*surface);
    TPoint origin = surface->ViewportOrigin();
    surface->Flush();
    TGraphicsQt::SetImage(own, image);
    own.SelectClipRegion(nullptr);
    own.SetViewportOrigin(origin);
    own.IntersectClipRect(Rect(0, 0, ClientWidth(), ClientHeight()));
    own.Font()->Assign(Font());
    own.Brush()->SetColor(Color());
    own.Brush()->SetStyle(bsSolid);
    try {
        paint();
    } catch (...) {
        TGraphicsQt::SetImage(own, nullptr);
        throw;
    }
    TGraphicsQt::SetImage(own, nullptr);
}

void TCustomControl::PaintWindow(TCanvas* canvas) {
    PaintOwnCanvas(canvas, canvas_, [this] { Paint(); });
}

// ---- TGraphicControl ----------------------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

TGraphicControl::~TGraphicControl() {
    if (Parent() != nullptr)
        Parent()->Invalidate();
}

void TGraphicControl::PaintOn(QImage& surface, TPoint origin, const TRect& clip) {
    TGraphicsQt::SetImage(canvas_, &surface);
    canvas_.SelectClipRegion(nullptr);
    canvas_.SetViewportOrigin(origin);
    canvas_.IntersectClipRect(clip);
    canvas_.Font()->Assign(Font());
    canvas_.Brush()->SetColor(Color());
    canvas_.Brush()->SetStyle(bsSolid);
    canvas_.Pen()->SetColor(clBlack);
    canvas_.Pen()->SetStyle(psSolid);
    canvas_.Pen()->SetWidth(1);
    canvas_.Pen()->SetMode(pmCopy);
    SafeCall(this, [this] { Paint(); });
    TGraphicsQt::SetImage(canvas_, nullptr);
}
