#pragma once
// The item delegate of owner-drawn list and combo boxes, private to the library's sources.

#include "platform/stdctrls/OwnerDraw.h"

#include <QStyledItemDelegate>

#include <functional>

class QPainter;
class TCanvas;

// Draws one item through the control's event: canvas is bound to the item's pixels for the call.
void PaintOwnerDrawnItem(QPainter* painter, const QRect& itemRect, TWinControl* control,
                         TCanvas& canvas, const TDrawItemEvent& event, int index,
                         TOwnerDrawState state);

// Hands every item's painting to paint and answers the fixed item height.
class TOwnerDrawDelegate : public QStyledItemDelegate {
public:
    // Answers false when the control has no drawing event: the item is drawn as usual.
    using TPaint = std::function<bool(QPainter*, const QRect&, int index, TOwnerDrawState)>;
    TOwnerDrawDelegate(QObject* parent, TPaint paint, std::function<int()> itemHeight)
        : QStyledItemDelegate(parent), paint_(std::move(paint)),
          itemHeight_(std::move(itemHeight)) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TPaint paint_;
    std::function<int()> itemHeight_;
};
