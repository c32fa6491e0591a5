#pragma once
// The Qt side of a list view: the tree widget that asks the view before a caption is edited,
// and the header whose sections the view may draw itself, with the section under the mouse and
// the pressed one tracked. For this library's sources only: it hands Qt types.

#include "platform/forms/WidgetBridge.h"
#include "platform/stdctrls/ListView.h"

#include <QHeaderView>
#include <QTreeWidget>

class TListViewWidget : public TWidgetBridge<QTreeWidget> {
public:
    explicit TListViewWidget(TCustomListView* view);
    // The row of an item (by its place), or null.
    QTreeWidgetItem* Row(const TListItem* item) const;
    bool Editing() const { return state() == EditingState; }

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    TCustomListView* view_;
};

class TListViewHeader : public QHeaderView {
public:
    TListViewHeader(TCustomListView* view, QWidget* parent);
    int HotSection() const { return hot_; }
    bool Pressed() const { return pressed_; }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    void SetHot(int section);

    TCustomListView* view_;
    int hot_ = -1;
    bool pressed_ = false;
    bool resized_ = false; // a divider moved while the button was down
};
