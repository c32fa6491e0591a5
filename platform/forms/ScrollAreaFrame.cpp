// The border ring and the viewport events of controls over a Qt scroll area.

#include "platform/forms/ScrollAreaFrame_p.h"

#include "platform/forms/Controls.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <QAbstractScrollArea>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Watches the viewport of one control's scroll area.
class TViewportFilter : public QObject {
public:
    TViewportFilter(TWinControl* control, QAbstractScrollArea* area)
        : QObject(area), control_(control), area_(area) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // While the scroll area is destroyed its viewport still sends events, and the area is
        // no scroll area any more: the control is asked for first, which it is not then.
        if (FindControl(area_) == nullptr)
            return false;
        auto* viewport = qobject_cast<QWidget*>(watched);
        if (viewport == nullptr || viewport != area_->viewport())
            return false;
        switch (event->type()) {
        case QEvent::Paint:
            return PaintOver(viewport, event);
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return viewport->isEnabled() && Mouse(viewport, static_cast<QMouseEvent*>(event));
        case QEvent::Wheel:
            return viewport->isEnabled() && control_->HandleWidgetEvent(area_, event);
        case QEvent::ContextMenu:
            return viewport->isEnabled() &&
                   ContextMenu(viewport, static_cast<QContextMenuEvent*>(event));
        default:
            return false;
        }
    }

private:
    // Positions of the viewport's events, moved to the scroll area's coordinates.
    QPointF InArea(QWidget* viewport, QPointF p) const { return p + QPointF(viewport->pos()); }

    bool Mouse(QWidget* viewport, QMouseEvent* e) {
        QMouseEvent moved(e->type(), InArea(viewport, e->position()), e->scenePosition(),
                          e->globalPosition(), e->button(), e->buttons(), e->modifiers());
        return control_->HandleWidgetEvent(area_, &moved);
    }

    bool ContextMenu(QWidget* viewport, QContextMenuEvent* e) {
        QContextMenuEvent moved(e->reason(), InArea(viewport, QPointF(e->pos())).toPoint(),
                                e->globalPos(), e->modifiers());
        return control_->HandleWidgetEvent(area_, &moved);
    }

    // The viewport paints itself first; then the control draws over it, when it wants to.
    bool PaintOver(QWidget* viewport, QEvent* event) {
        if (painting_ || control_->Perform(CM_VIEWPORTPAINT, 0) == 0)
            return false;
        painting_ = true;
        QCoreApplication::sendEvent(viewport, event);
        painting_ = false;
        if (FindControl(area_) == nullptr)
            return true;
        QImage layer(viewport->size(), QImage::Format_ARGB32_Premultiplied);
        layer.fill(Qt::transparent);
        SafeCall(control_, [&] {
            TCanvas canvas;
            TGraphicsQt::SetImage(canvas, &layer);
            canvas.Font()->Assign(control_->Font());
            control_->Perform(CM_VIEWPORTPAINT, reinterpret_cast<WPARAM>(&canvas));
            TGraphicsQt::SetImage(canvas, nullptr);
        });
        QPainter p(viewport);
        p.drawImage(QPoint(0, 0), layer);
        return true;
    }

    TWinControl* control_;
    QAbstractScrollArea* area_;
    bool painting_ = false;
};

} // namespace

void FitScrollAreaIntoBorder(TWinControl* control, QWidget* widget) {
    auto* area = qobject_cast<QAbstractScrollArea*>(widget);
    if (area == nullptr)
        return;
    TRect r = Rect(0, 0, 1000, 1000);
    control->Perform(WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r));
    const int border = r.Left;
    if (border <= 0)
        return;
    // A plain box frame as wide as the border keeps the viewport and the scroll bars inside it;
    // the control paints over the box.
    area->setFrameStyle(QFrame::Box | QFrame::Plain);
    area->setLineWidth(border);
    area->setMidLineWidth(0);
    area->viewport()->setMouseTracking(true);
    area->viewport()->installEventFilter(new TViewportFilter(control, area));
}
