#include "platform/forms/WindowPlacement.h"

#include "platform/forms/Forms.h"

#include <QWidget>

TWindowPlacement GetWindowPlacement(TCustomForm* form) {
    TWindowPlacement wp;
    wp.NormalPosition = form->BoundsRect();
    wp.Zoomed = form->WindowState() == wsMaximized;
    if (form->HandleAllocated() && form->Parent() == nullptr) {
        QWidget* w = form->Handle();
        wp.Zoomed = w->isVisible() ? w->isMaximized() : wp.Zoomed;
        if (wp.Zoomed || w->isMinimized()) {
            const QRect n = w->normalGeometry();
            if (n.isValid())
                wp.NormalPosition = Bounds(n.x(), n.y(), n.width(), n.height());
        }
    }
    return wp;
}

void SetWindowPlacement(TCustomForm* form, const TRect& normalPosition) {
    const TRect& r = normalPosition;
    form->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}
