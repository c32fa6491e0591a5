// List boxes: several selected items, the mouse over the items reaching the control after the
// selection moved, and items dragged inside the list.
#include "platform/stdctrls/ListBox.h"

#include "platform/stdctrls/StdCtrlsBridge.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>

#include <string>
#include <vector>

namespace {

class ListBoxTest : public FormFixture {
protected:
    TListBox* MakeList(bool multi) {
        auto* list = Make<TListBox>();
        list->SetBounds(10, 10, 150, 200);
        list->SetMultiSelect(multi);
        for (const char* s : {"one", "two", "three", "four"})
            list->Items()->Add(s);
        list->Handle();
        QApplication::processEvents();
        return list;
    }
    // A mouse event on the viewport at the middle of item index (or at a point of the viewport).
    static QPoint ItemCentre(TListBox* list, int index) {
        QListWidget* w = WidgetOf(list);
        return w->visualItemRect(w->item(index)).center();
    }
    static void Mouse(TListBox* list, QEvent::Type type, QPoint at,
                      Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QListWidget* w = WidgetOf(list);
        const Qt::MouseButtons buttons =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, QPointF(at), w->viewport()->mapToGlobal(QPointF(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, mods);
        QApplication::sendEvent(w->viewport(), &e);
    }
    static void Click(TListBox* list, int index, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        Mouse(list, QEvent::MouseButtonPress, ItemCentre(list, index), mods);
        Mouse(list, QEvent::MouseButtonRelease, ItemCentre(list, index), mods);
    }
    static std::vector<int> SelectedRows(TListBox* list) {
        std::vector<int> rows;
        for (int i = 0; i < list->Count(); ++i)
            if (list->Selected(i))
                rows.push_back(i);
        return rows;
    }
};

TEST_F(ListBoxTest, ExtendedSelectionFollowsClicksAndCtrlClicks) {
    TListBox* list = MakeList(true);
    int clicks = 0;
    std::vector<int> seenAtMouseDown, seenAtClick;
    list->OnClick = [&](TObject*) {
        ++clicks;
        seenAtClick = SelectedRows(list);
    };
    list->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        seenAtMouseDown = SelectedRows(list);
        EXPECT_EQ(list->ItemAtPos({x, y}), list->ItemIndex()) << "client coordinates";
    };
    Click(list, 1);
    EXPECT_EQ(SelectedRows(list), (std::vector<int>{1}));
    EXPECT_EQ(seenAtMouseDown, (std::vector<int>{1})) << "the selection moves before MouseDown";
    EXPECT_EQ(clicks, 1) << "one Click per click, from the selection";
    EXPECT_EQ(seenAtClick, (std::vector<int>{1})) << "Click sees the new selection";
    Click(list, 3, Qt::ControlModifier);
    EXPECT_EQ(SelectedRows(list), (std::vector<int>{1, 3}));
    EXPECT_EQ(seenAtClick, (std::vector<int>{1, 3}));
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_EQ(list->SelCount(), 2);
    Click(list, 0);
    EXPECT_EQ(SelectedRows(list), (std::vector<int>{0}));
}

TEST_F(ListBoxTest, SelectionSetByCodeReachesTheWidgetAndSurvivesRenames) {
    TListBox* list = MakeList(true);
    list->SetSelected(0, true);
    list->SetSelected(2, true);
    list->SetItemIndex(2);
    QListWidget* w = WidgetOf(list);
    EXPECT_TRUE(w->item(0)->isSelected());
    EXPECT_FALSE(w->item(1)->isSelected());
    EXPECT_TRUE(w->item(2)->isSelected());
    list->Items()->Put(1, "TWO");
    EXPECT_EQ(SelectedRows(list), (std::vector<int>{0, 2})) << "same count: kept by position";
    EXPECT_EQ(list->ItemIndex(), 2);
    list->Items()->Delete(3);
    EXPECT_EQ(list->SelCount(), 0) << "another count: cleared";
    list->SelectAll();
    EXPECT_EQ(SelectedRows(list), (std::vector<int>{0, 1, 2}));
    list->ClearSelection();
    EXPECT_EQ(list->SelCount(), 0);

    TListBox* single = MakeList(false);
    single->SelectAll();
    EXPECT_EQ(single->SelCount(), 0) << "select-all needs MultiSelect";
    single->SetSelected(2, true);
    EXPECT_EQ(single->ItemIndex(), 2);
    EXPECT_EQ(SelectedRows(single), (std::vector<int>{2}));
}

TEST_F(ListBoxTest, DraggedItemIsDroppedWhereTheDragOverAccepts) {
    TListBox* list = MakeList(true);
    std::vector<std::pair<int, int>> drops;
    list->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        list->BeginDrag(false);
    };
    list->OnDragOver = [&](TObject*, TObject* source, int x, int y, bool& accept) {
        accept = source == list && list->ItemAtPos({x, y}) != 2;
    };
    list->OnDragDrop = [&](TObject*, TObject*, int x, int y) {
        drops.push_back({list->ItemIndex(), list->ItemAtPos({x, y})});
    };
    const QPoint from = ItemCentre(list, 0);

    // A release before the mouse moved the drag distance drops nothing.
    Mouse(list, QEvent::MouseButtonPress, from);
    Mouse(list, QEvent::MouseMove, from + QPoint(1, 1));
    EXPECT_FALSE(list->Dragging());
    Mouse(list, QEvent::MouseButtonRelease, from + QPoint(1, 1));
    EXPECT_TRUE(drops.empty());

    // Dragged to row 3: the rows passed keep their selection, the drop is told.
    Mouse(list, QEvent::MouseButtonPress, from);
    Mouse(list, QEvent::MouseMove, ItemCentre(list, 1));
    EXPECT_TRUE(list->Dragging());
    EXPECT_EQ(list->Cursor(), crDrag);
    Mouse(list, QEvent::MouseMove, ItemCentre(list, 2));
    EXPECT_EQ(list->Cursor(), crNoDrop) << "refused over row 2";
    Mouse(list, QEvent::MouseMove, ItemCentre(list, 3));
    EXPECT_EQ(SelectedRows(list), (std::vector<int>{0}));
    Mouse(list, QEvent::MouseButtonRelease, ItemCentre(list, 3));
    EXPECT_FALSE(list->Dragging());
    EXPECT_EQ(list->Cursor(), crDefault);
    EXPECT_EQ(drops, (std::vector<std::pair<int, int>>{{0, 3}}));

    // Released where the drop is refused: nothing.
    Mouse(list, QEvent::MouseButtonPress, from);
    Mouse(list, QEvent::MouseMove, ItemCentre(list, 2));
    Mouse(list, QEvent::MouseButtonRelease, ItemCentre(list, 2));
    EXPECT_EQ(drops.size(), 1u);
}

} // namespace
