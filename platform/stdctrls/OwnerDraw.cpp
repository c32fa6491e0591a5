#include "platform/stdctrls/OwnerDraw_p.h"

#include "platform/forms/Controls.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <QImage>
#include <QPainter>

void PaintOwnerDrawnItem(QPainter* painter, const QRect& itemRect, TWinControl* control,
                         TCanvas& canvas, const TDrawItemEvent& event, int index,
                         TOwnerDrawState state) {
    if (itemRect.isEmpty())
        return;
    QImage pixels(itemRect.size(), QImage::Format_RGB32);
    TGraphicsQt::SetImage(canvas, &pixels);
    canvas.SetViewportOrigin({-itemRect.left(), -itemRect.top()});
    const TRect rect = Rect(itemRect.left(), itemRect.top(), itemRect.left() + itemRect.width(),
                            itemRect.top() + itemRect.height());
    const bool selected = state.Contains(odSelected) && !state.Contains(odComboBoxEdit);
    canvas.Font()->Assign(control->Font());
    if (selected)
        canvas.Font()->SetColor(clHighlightText);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(selected ? clHighlight : control->Color());
    canvas.FillRect(rect);
    try {
        event(control, index, rect, state);
    } catch (...) {
        canvas.Flush();
        TGraphicsQt::SetImage(canvas, nullptr);
        throw;
    }
    canvas.Flush();
    TGraphicsQt::SetImage(canvas, nullptr);
    painter->drawImage(itemRect.topLeft(), pixels);
}

void TOwnerDrawDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    TOwnerDrawState state;
    if (option.state & QStyle::State_Selected)
        state.Include(odSelected);
    if (option.state & QStyle::State_HasFocus)
        state.Include(odFocused);
    if (!(option.state & QStyle::State_Enabled))
        state.Include(odDisabled);
    if (!paint_(painter, option.rect, index.row(), state))
        QStyledItemDelegate::paint(painter, option, index);
}

QSize TOwnerDrawDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(itemHeight_());
    return size;
}
