// Menus: shortcuts and their texts, accelerators, radio items, the menu bar of a form, the popup
// menu of a control.

#include "FormsTestSupport.h"

#include "platform/classes/Streaming.h"
#include "platform/forms/Menus.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QWidget>

#include <vector>

using namespace formstest;

TEST(ShortCuts, TextRoundTrip) {
    struct Case {
        TShortCut sc;
        const char* text;
    };
    const Case cases[] = {
        {ShortCut('S', {ssCtrl}), "Ctrl+S"},
        {ShortCut(VK_F1 + 4, {ssShift}), "Shift+F5"},
        {ShortCut(VK_DELETE, {}), "Del"},
        {ShortCut('1', {ssCtrl, ssAlt}), "Ctrl+Alt+1"},
        {ShortCut(VK_RETURN, {ssAlt}), "Alt+Enter"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ShortCutToText(c.sc), c.text);
        EXPECT_EQ(TextToShortCut(c.text), c.sc);
    }
    EXPECT_EQ(TextToShortCut("ctrl+s"), ShortCut('S', {ssCtrl}));
    EXPECT_EQ(TextToShortCut("Ctrl+Nothing"), scNone);
    EXPECT_EQ(ShortCutToText(0), "");
}

TEST(ShortCuts, Accelerators) {
    EXPECT_EQ(GetHotkey("&File"), U'F');
    EXPECT_EQ(GetHotkey("Save &as"), U'a');
    EXPECT_EQ(GetHotkey("Fish && &Chips"), U'C');
    EXPECT_EQ(GetHotkey("&&None"), 0u);
    EXPECT_EQ(GetHotkey("&Файл"), U'Ф');
    EXPECT_EQ(StripHotkey("Fish && &Chips"), "Fish & Chips");
}

namespace {
struct MenuFixture : ::testing::Test {
    void SetUp() override {
        form = TCustomForm::Create<TForm>(nullptr);
        form->SetClientSize(200, 150);
        menu = new TMainMenu(form);
        file = new TMenuItem(form);
        file->SetCaption("&Файл");
        menu->Items()->Add(file);
        save = new TMenuItem(form);
        save->SetCaption("&Сохранить");
        save->SetShortCut(ShortCut('S', {ssCtrl}));
        save->OnClick = [this](TObject*) { ++saves; };
        file->Add(save);
        for (int i = 0; i < 3; ++i) {
            radios[i] = new TMenuItem(form);
            radios[i]->SetCaption("Mode " + std::to_string(i));
            radios[i]->SetRadioItem(true);
            radios[i]->SetGroupIndex(1);
            radios[i]->SetAutoCheck(true);
            file->Add(radios[i]);
        }
    }
    void TearDown() override { delete form; }
    TForm* form = nullptr;
    TMainMenu* menu = nullptr;
    TMenuItem* file = nullptr;
    TMenuItem* save = nullptr;
    TMenuItem* radios[3] = {};
    int saves = 0;
};
} // namespace

TEST_F(MenuFixture, RadioItemsOfAGroupExcludeEachOther) {
    radios[0]->SetChecked(true);
    radios[2]->Click();
    EXPECT_FALSE(radios[0]->Checked());
    EXPECT_TRUE(radios[2]->Checked());
    // Clicking the checked radio item leaves it checked.
    radios[2]->Click();
    EXPECT_TRUE(radios[2]->Checked());
    // Another group is left alone.
    radios[1]->SetGroupIndex(2);
    radios[1]->SetChecked(true);
    EXPECT_TRUE(radios[2]->Checked());
}

TEST_F(MenuFixture, ShortcutRunsTheItemThroughTheFormsKeys) {
    auto* panel = new TTestPanel(form);
    panel->SetParent(form);
    int panelKeys = 0;
    panel->OnKeyDown = [&](TObject*, TKeyCode&, TShiftState) { ++panelKeys; };
    form->SetMenu(menu);
    form->Show();
    KeyPress(panel->Handle(), Qt::Key_S, "", Qt::ControlModifier);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(panelKeys, 0) << "a menu shortcut does not reach the control";
    save->SetEnabled(false);
    KeyPress(panel->Handle(), Qt::Key_S, "", Qt::ControlModifier);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(panelKeys, 1);
    // A disabled item does nothing even when clicked in code.
    save->Click();
    EXPECT_EQ(saves, 1);
}

TEST_F(MenuFixture, MenuBarTakesTheTopOfTheForm) {
    auto* top = new TTestPanel(form);
    top->SetParent(form);
    top->SetAlign(alTop);
    form->SetMenu(menu);
    form->Show();
    QMenuBar* bar = form->Handle()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 1);
    EXPECT_EQ(bar->actions()[0]->text().toStdString(), "&Файл");
    ASSERT_NE(bar->actions()[0]->menu(), nullptr);
    EXPECT_EQ(bar->actions()[0]->menu()->actions().size(), 4);
    int barHeight = bar->sizeHint().height();
    EXPECT_GT(barHeight, 0);
    EXPECT_EQ(form->ClientRect().Top, barHeight);
    EXPECT_EQ(top->Top(), 0);
    EXPECT_EQ(top->Handle()->geometry().top(), barHeight);
    // Changes to the items reach the bar.
    file->SetCaption("&Документ");
    QCoreApplication::processEvents();
    bar = form->Handle()->findChild<QMenuBar*>();
    EXPECT_EQ(bar->actions()[0]->text().toStdString(), "&Документ");
    // Triggering the Qt action runs the item.
    bar->actions()[0]->menu()->actions()[0]->trigger();
    EXPECT_EQ(saves, 1);
}

TEST_F(MenuFixture, FreeingItemsLeavesTheTreeConsistent) {
    EXPECT_EQ(file->Count(), 4);
    delete radios[1];
    EXPECT_EQ(file->Count(), 3);
    EXPECT_EQ(file->IndexOf(radios[2]), 2);
    EXPECT_EQ(file->Find("сохранить"), save);
    int components = form->ComponentCount();
    delete file; // its items go with it
    EXPECT_EQ(menu->Items()->Count(), 0);
    EXPECT_EQ(form->ComponentCount(), components - 4);
    EXPECT_THROW(menu->Items()->Insert(0, menu->Items()), EInvalidOperation);
}

TEST(PopupMenu, ContextMenuChoosesThroughTheHook) {
    auto* form = TCustomForm::Create<TForm>(nullptr);
    auto* panel = new TTestPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 100, 100);
    auto* shape = new TTestShape(form);
    shape->SetParent(panel);
    shape->SetBounds(10, 10, 20, 20);
    auto* popup = new TPopupMenu(form);
    auto* item = new TMenuItem(form);
    item->SetCaption("Копировать");
    popup->Items()->Add(item);
    shape->SetPopupMenu(popup);
    int clicked = 0, popped = 0;
    item->OnClick = [&](TObject*) { ++clicked; };
    popup->OnPopup = [&](TObject*) { ++popped; };
    TComponent* seenComponent = nullptr;
    auto old = SetPopupMenuHook([&](TPopupMenu* m, int, int) {
        seenComponent = m->PopupComponent();
        return m->Items()->Items(0);
    });
    form->Show();
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(15, 15),
                        panel->Handle()->mapToGlobal(QPoint(15, 15)));
    QCoreApplication::sendEvent(panel->Handle(), &e);
    SetPopupMenuHook(old);
    EXPECT_EQ(popped, 1);
    EXPECT_EQ(clicked, 1);
    EXPECT_EQ(seenComponent, shape);
    // Freeing the menu clears the control's reference to it.
    delete popup;
    EXPECT_EQ(shape->PopupMenu(), nullptr);
    delete form;
}

// A context-menu request reaches the control as WM_CONTEXTMENU (the point on the screen, or -1
// from the keyboard): a control may take it, else the menu shows, from the keyboard at the
// control's client origin.
TEST(PopupMenu, ContextMenuRequestIsAMessage) {
    struct TTakingPanel : TTestPanel {
        using TTestPanel::TTestPanel;
        bool take = false;
        std::vector<TPoint> asked;
        void WndProc(TMessage& m) override {
            if (m.Msg == WM_CONTEXTMENU) {
                asked.push_back({LParamX(m.LParam), LParamY(m.LParam)});
                if (take) {
                    m.Result = 1;
                    return;
                }
            }
            TTestPanel::WndProc(m);
        }
    };
    auto* form = TCustomForm::Create<TForm>(nullptr);
    auto* panel = new TTakingPanel(form);
    panel->SetParent(form);
    panel->SetBounds(20, 30, 100, 100);
    auto* popup = new TPopupMenu(form);
    panel->SetPopupMenu(popup);
    std::vector<TPoint> shownAt;
    auto old = SetPopupMenuHook([&](TPopupMenu*, int x, int y) {
        shownAt.push_back({x, y});
        return nullptr;
    });
    form->Show();
    const QPoint global = panel->Handle()->mapToGlobal(QPoint(15, 15));
    QContextMenuEvent mouse(QContextMenuEvent::Mouse, QPoint(15, 15), global);
    QCoreApplication::sendEvent(panel->Handle(), &mouse);
    QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(15, 15), global);
    QCoreApplication::sendEvent(panel->Handle(), &keyboard);
    panel->take = true;
    QCoreApplication::sendEvent(panel->Handle(), &mouse);
    SetPopupMenuHook(old);
    ASSERT_EQ(panel->asked.size(), 3u);
    EXPECT_EQ(panel->asked[0].X, global.x());
    EXPECT_EQ(panel->asked[1].X, -1);
    EXPECT_EQ(panel->asked[1].Y, -1);
    const TPoint origin = panel->ClientToScreen({0, 0});
    ASSERT_EQ(shownAt.size(), 2u); // not when the control took it
    EXPECT_EQ(shownAt[0].X, global.x());
    EXPECT_EQ(shownAt[1].X, origin.X);
    EXPECT_EQ(shownAt[1].Y, origin.Y);
    delete form;
}

// An item's handler may rebuild the menu it was chosen from; an action left over from a freed
// item does nothing.
TEST_F(MenuFixture, HandlersMayChangeTheMenuTheyRunFrom) {
    form->SetMenu(menu);
    form->Show();
    QMenuBar* bar = form->Handle()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    QAction* saveAction = bar->actions()[0]->menu()->actions()[0];
    QAction* radioAction = bar->actions()[0]->menu()->actions()[1];
    save->OnClick = [this](TObject*) {
        ++saves;
        save->SetCaption("Сохранено");
        delete radios[0];
        radios[0] = nullptr;
    };
    saveAction->trigger();
    EXPECT_EQ(saves, 1);
    // Before the rebuild, the freed item's old action is still on screen: it must do nothing.
    radioAction->trigger();
    QCoreApplication::processEvents();
    bar = form->Handle()->findChild<QMenuBar*>();
    ASSERT_EQ(bar->actions()[0]->menu()->actions().size(), 3);
    EXPECT_EQ(bar->actions()[0]->menu()->actions()[0]->text().toStdString(), "Сохранено");
}
