#include "ListViewTestSupport.h"

#include "platform/forms/HintWindow.h"
#include "platform/forms/SystemMetrics.h"

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>

namespace {

using namespace listviewtest;

using FrListViewTest = ListViewFixture;

// The last column takes the rest of the client width (here 400), leaving room for a scroll bar
// while the list is empty, never less than 5 pixels, and stays when the others take it all.
TEST_F(FrListViewTest, LastColumnFillsTheClientWidth) {
    struct Case {
        const char* name;
        int first, second;
        bool items;
        int last; // -1: the scroll bar's width less
    };
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    ASSERT_GT(bar, 0);
    const Case cases[] = {
        {"empty", 50, 70, false, 400 - 120 - bar}, {"with items", 50, 70, true, 280},
        {"others fill it", 200, 250, true, 100},   {"four pixels left", 196, 200, true, 5},
        {"one pixel left", 199, 200, true, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFrListView* list = ReportList(404, {{"RID", c.first}, {"Тип", c.second}, {"Дата", 100}});
        if (c.items)
            AddRow(list, "1", {"GPS", "12.05.2024"});
        list->FillLastColumnNow();
        EXPECT_EQ(list->Columns()->Items(2)->Width(), c.last);
        list->Free();
    }
    // Switching it off leaves the widths; a resize fills again while it is on.
    TFrListView* list = ReportList(404, {{"RID", 50}, {"Тип", 70}, {"Дата", 100}});
    AddRow(list, "1");
    list->SetFillLastColumn(false);
    list->SetWidth(504);
    EXPECT_EQ(list->Columns()->Items(2)->Width(), 100);
    list->SetFillLastColumn(true);
    EXPECT_EQ(list->Columns()->Items(2)->Width(), 380);
    list->SetWidth(454);
    EXPECT_EQ(list->Columns()->Items(2)->Width(), 330);
}

TEST_F(FrListViewTest, FillsAgainAfterADividerIsDragged) {
    TFrListView* list = ReportList(404, {{"RID", 50}, {"Тип", 70}, {"Дата", 100}});
    AddRow(list, "1");
    list->Handle()->window()->show(); // the view takes a width the user drags only when shown
    Grab(list);
    QWidget* header = HeaderOf(list)->viewport();
    const QPointF from(49, 5), to(89, 5); // the first column's right divider, 40 pixels on
    QMouseEvent press(QEvent::MouseButtonPress, from, header->mapToGlobal(from), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(header, &press);
    QMouseEvent move(QEvent::MouseMove, to, header->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(header, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, to, header->mapToGlobal(to), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(header, &release);
    EXPECT_EQ(list->Columns()->Items(0)->Width(), 90);
    EXPECT_EQ(list->Columns()->Items(2)->Width(), 240);
}

// Clicking a column sorts up, again down, a third time up; empty texts come last going up and
// first going down. Sub-items sort the same way, a missing one counting as empty.
TEST_F(FrListViewTest, AlphaSortAllOnColumnClicks) {
    TFrListView* list = ReportList(404, {{"Тип", 80}, {"Широта", 80}});
    list->SetAlphaSortAll(true);
    for (const auto& [caption, sub] : std::vector<std::pair<const char*, const char*>>{
             {"beta", "55"}, {"", "10"}, {"Alpha", ""}, {"gamma", "2"}, {"", "33"}, {"ёж", "7"}})
        AddRow(list, caption, {sub});
    AddRow(list, "delta"); // no sub-item at all
    std::vector<std::string> clicked;
    list->OnColumnClick = [&](TObject*, TListColumn* c) { clicked.push_back(c->Caption()); };
    using V = std::vector<std::string>;
    const V up{"Alpha", "beta", "delta", "gamma", "ёж", "", ""};
    const V down{"", "", "ёж", "gamma", "delta", "beta", "Alpha"};
    ClickColumn(list, 0);
    EXPECT_EQ(Column(list, 0), up);
    EXPECT_EQ(list->SortColumn(), 0);
    EXPECT_EQ(list->SortDirection(), sdAscending);
    ClickColumn(list, 0);
    EXPECT_EQ(Column(list, 0), down);
    EXPECT_EQ(list->SortDirection(), sdDescending);
    ClickColumn(list, 0);
    EXPECT_EQ(Column(list, 0), up);
    ClickColumn(list, 1);
    EXPECT_EQ(Column(list, 1), (V{"10", "2", "33", "55", "7", "", ""}));
    EXPECT_EQ(list->SortColumn(), 1);
    EXPECT_EQ(clicked, (V{"Тип", "Тип", "Тип", "Широта"})); // the event follows every click

    list->SetAlphaSortAll(false);
    ClickColumn(list, 0); // only the event now
    EXPECT_EQ(Column(list, 1), (V{"10", "2", "33", "55", "7", "", ""}));
    EXPECT_EQ(clicked.size(), 5u);
}

TEST_F(FrListViewTest, CheckStateChangesMayBeRefused) {
    TFrListView* list = ReportList(300, {{"Запись", 100}});
    list->SetCheckboxes(true);
    TListItem* first = AddRow(list, "первая");
    TListItem* second = AddRow(list, "вторая");
    bool allow = false;
    std::vector<std::pair<TListItem*, bool>> asked;
    std::vector<TListItem*> changed;
    list->OnCheckStateChanging = [&](TObject*, TListItem* item, bool to, bool& ok) {
        asked.emplace_back(item, to);
        ok = allow;
    };
    list->OnCheckStateChange = [&](TObject*, TListItem* item) { changed.push_back(item); };
    first->SetChecked(true);
    EXPECT_FALSE(first->Checked());
    // The user's click on the box is put back too.
    QTreeWidgetItem* row = static_cast<QTreeWidget*>(list->Handle())->topLevelItem(1);
    row->setCheckState(0, Qt::Checked);
    EXPECT_FALSE(second->Checked());
    EXPECT_EQ(row->checkState(0), Qt::Unchecked);
    EXPECT_TRUE(changed.empty());
    allow = true;
    row->setCheckState(0, Qt::Checked);
    EXPECT_TRUE(second->Checked());
    EXPECT_EQ(changed, std::vector<TListItem*>{second});
    EXPECT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked.back(), std::make_pair(second, true));
}

// In a row-select report view a caption is edited only from its label, unless EditOnRowClick.
TEST_F(FrListViewTest, RowSelectEditsOnlyFromTheLabel) {
    struct Case {
        const char* name;
        bool rowSelect, editOnRowClick, onLabel;
        bool edits;
    };
    const Case cases[] = {
        {"row select, on the label", true, false, true, true},
        {"row select, in another column", true, false, false, false},
        {"row select, edit on row click", true, true, false, true},
        {"no row select", false, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFrListView* list = ReportList(300, {{"RID", 80}, {"Тип", 100}});
        list->SetRowSelect(c.rowSelect);
        list->SetEditOnRowClick(c.editOnRowClick);
        TListItem* item = AddRow(list, "17", {"GPS"});
        Grab(list);
        const TRect label = list->ItemDisplayRect(item, drLabel);
        const TPoint at = c.onLabel ? TPoint{label.Left + 5, label.Top + 3}
                                    : TPoint{label.Right + 30, label.Top + 3};
        const TPoint screen = list->ClientToScreen(at);
        QCursor::setPos(screen.X, screen.Y);
        ASSERT_EQ(list->ScreenToClient(GetCursorPos()).X, at.X);
        list->EditCaption(item);
        EXPECT_EQ(list->IsEditing(), c.edits);
        list->Free();
    }
}

// Grid lines: silver at the right and the bottom of each cell; the selection of an unfocused
// list that shows it is grey, also between the lines.
TEST_F(FrListViewTest, GridLinesAndTheUnfocusedSelection) {
    TFrListView* list = ReportList(300, {{"RID", 80}, {"Тип", 100}});
    list->SetGridLines(true);
    list->SetHideSelection(false);
    list->SetRowSelect(true);
    AddRow(list, "1", {"GPS"});
    AddRow(list, "2", {"GSM"});
    list->Items()->Item(1)->SetSelected(true);
    QImage image = Grab(list);
    const TRect first = list->ItemDisplayRect(list->Items()->Item(0), drBounds);
    const TRect second = list->ItemDisplayRect(list->Items()->Item(1), drBounds);
    const int y = 2 + first.Top + 3;
    EXPECT_EQ(At(image, 2 + 79, y), ColorToRGB(clSilver)); // right of the first column
    EXPECT_EQ(At(image, 2 + 40, 2 + first.Bottom - 1), ColorToRGB(clSilver)); // below the row
    EXPECT_EQ(At(image, 2 + 60, y), ColorToRGB(clWindow));
    EXPECT_EQ(At(image, 2 + 60, 2 + second.Top + 3), ColorToRGB(clBtnFace));
    list->SetHideSelection(true);
    EXPECT_EQ(At(Grab(list), 2 + 60, 2 + second.Top + 3), ColorToRGB(clWindow));
    Snapshot(image);
}

TEST_F(FrListViewTest, DisabledListShowsItsRowsOnTheDisabledColour) {
    TFrListView* list = ReportList(300, {{"RID", 80}, {"Тип", 100}});
    AddRow(list, "1", {"GPS"});
    AddRow(list, "2", {"GSM"});
    list->SetDisabledColor(clInfoBk);
    list->SetEnabled(false);
    QImage image = Grab(list);
    const TRect row = list->ItemDisplayRect(list->Items()->Item(1), drBounds);
    EXPECT_EQ(At(image, 2 + row.Right - 5, 2 + row.Top + 2), ColorToRGB(clInfoBk));
    EXPECT_EQ(At(image, 150, 140), ColorToRGB(clInfoBk));
    list->SetEnabled(true);
    EXPECT_EQ(At(Grab(list), 150, 140), ColorToRGB(clWindow));
}

TEST_F(FrListViewTest, ItemContextMenus) {
    TFrListView* list = ReportList(300, {{"RID", 80}, {"Тип", 100}});
    TListItem* first = AddRow(list, "1", {"GPS"});
    TListItem* second = AddRow(list, "2", {"GSM"});
    auto* popup = new TPopupMenu(form);
    list->SetPopupMenu(popup);
    Grab(list);
    std::vector<TPoint> shownAt;
    auto old = SetPopupMenuHook([&](TPopupMenu*, int x, int y) {
        shownAt.push_back({x, y});
        return nullptr;
    });
    std::vector<TListItem*> asked;
    list->OnItemContextMenu = [&](TObject*, TListItem* item, TPoint&, TPopupMenu*&) {
        asked.push_back(item);
    };
    // Nothing selected, the pointer on blank space: the list's own menu.
    QWidget* viewport = ViewportOf(list);
    const QPoint blank(150, 120);
    QContextMenuEvent onBlank(QContextMenuEvent::Mouse, blank, viewport->mapToGlobal(blank));
    QApplication::sendEvent(viewport, &onBlank);
    EXPECT_EQ(shownAt.size(), 1u);
    EXPECT_TRUE(asked.empty());
    // A right click on the second row: its menu, once.
    const TRect row = list->ItemDisplayRect(second, drLabel);
    const QPoint on(row.Left + 4, row.Top + 3 - list->HeaderHeight());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(on), QPointF(viewport->mapToGlobal(on)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QContextMenuEvent onRow(QContextMenuEvent::Mouse, on, viewport->mapToGlobal(on));
    QApplication::sendEvent(viewport, &onRow);
    EXPECT_EQ(asked, std::vector<TListItem*>{second});
    EXPECT_EQ(shownAt.size(), 2u);
    // Shift+F10: the focused item's, at the middle of its icon place.
    list->SetItemFocused(first);
    list->SetFocus();
    QKeyEvent shiftF10(QEvent::KeyPress, Qt::Key_F10, Qt::ShiftModifier);
    QApplication::sendEvent(list->Handle(), &shiftF10);
    SetPopupMenuHook(old);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1], first);
    const TRect icon = list->ItemDisplayRect(first, drIcon);
    const TPoint centre =
        list->ClientToScreen({(icon.Left + icon.Right) / 2, (icon.Top + icon.Bottom) / 2});
    ASSERT_EQ(shownAt.size(), 3u);
    EXPECT_EQ(shownAt[2].X, centre.X);
    EXPECT_EQ(shownAt[2].Y, centre.Y);
}

TEST_F(FrListViewTest, WheelScrollsByWholeNotches) {
    TFrListView* list = ReportList(300, {{"RID", 80}});
    for (int i = 0; i < 40; ++i)
        AddRow(list, std::to_string(i));
    Grab(list);
    const int rowHeight = list->ItemDisplayRect(list->Items()->Item(0), drBounds).Height();
    const int rows = (3 * 16 + rowHeight / 2) / rowHeight; // three lines of 16 pixels
    for (int i = 0; i < 7; ++i)
        SendWheel(list, -15);
    EXPECT_EQ(list->TopItem(), list->Items()->Item(0));
    SendWheel(list, -15);
    EXPECT_EQ(list->TopItem(), list->Items()->Item(rows));
    SendWheel(list, 240);
    EXPECT_EQ(list->TopItem(), list->Items()->Item(0));
}

TEST_F(FrListViewTest, InfoTipShowsTheItemsTip) {
    TFrListView* list = ReportList(300, {{"RID", 80}});
    TListItem* item = AddRow(list, "17");
    Grab(list);
    std::vector<TListItem*> asked;
    list->OnInfoTip = [&](TObject*, TListItem* i, std::string& tip) {
        asked.push_back(i);
        tip += " — запись";
    };
    const TRect r = list->ItemDisplayRect(item, drLabel);
    list->Perform(WM_MOUSEMOVE, 0, MakeLParam(r.Left + 3, r.Top + 2));
    EXPECT_EQ(asked, std::vector<TListItem*>{item});
    auto* tip = dynamic_cast<THintWindow*>([&]() -> TComponent* {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && (w->windowFlags() & Qt::ToolTip) == Qt::ToolTip)
                if (TWinControl* c = FindControl(w))
                    return c;
        return nullptr;
    }());
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->GetText(), "17 — запись");
    const TPoint at = list->ClientToScreen({r.Left + 5, r.Bottom - 3});
    EXPECT_EQ(tip->Left(), at.X);
    EXPECT_EQ(tip->Top(), at.Y);
    list->Perform(WM_MOUSEMOVE, 0, MakeLParam(150, 140)); // no item there
    EXPECT_FALSE(tip->IsShowing());
}

} // namespace
