// Message dispatch, the events that property changes raise, mouse and key routing, and
// exceptions from handlers.

#include "FormsTestSupport.h"

#include "platform/forms/Forms.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

#include <algorithm>
#include <memory>

using namespace formstest;

namespace {

// A control that answers one message of its own and passes the rest on.
class TAnswering : public TCustomControl {
    Q4_CLASS(TAnswering, TCustomControl)
public:
    explicit TAnswering(TComponent* owner) : TCustomControl(owner) {}
    static constexpr unsigned WM_ASK = WM_USER + 7;
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_ASK) {
            m.Result = static_cast<LRESULT>(m.WParam + m.LParam);
            return;
        }
        TCustomControl::WndProc(m);
    }
};

struct FormFixture : ::testing::Test {
    void SetUp() override {
        Boxes().Reset();
        form = TCustomForm::Create<TForm>(nullptr);
        form->SetBounds(0, 0, 300, 200);
    }
    void TearDown() override { delete form; }
    TForm* form = nullptr;
};

size_t CountOf(const std::vector<unsigned>& list, unsigned msg) {
    return static_cast<size_t>(std::count(list.begin(), list.end(), msg));
}

} // namespace

TEST_F(FormFixture, PerformReturnsTheResultOfTheOverriddenHandler) {
    auto* c = new TAnswering(form);
    c->SetParent(form);
    EXPECT_EQ(c->Perform(TAnswering::WM_ASK, 40, 2), 42);
    // A message the class does not handle still reaches the inherited handling.
    int entered = 0;
    c->OnMouseEnter = [&](TObject* s) {
        EXPECT_EQ(s, c);
        ++entered;
    };
    c->Perform(CM_MOUSEENTER);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(c->Perform(CM_HITTEST, 0, MakeLParam(1, 1)), HTCLIENT);
}

TEST(MessageParams, PointsPackSigned) {
    LPARAM l = MakeLParam(-5, 300);
    EXPECT_EQ(LParamX(l), -5);
    EXPECT_EQ(LParamY(l), 300);
}

// Each property change sends its notification once, and setting the value it already has sends
// nothing.
TEST_F(FormFixture, PropertyChangesSendTheirNotificationOnce) {
    struct Case {
        const char* name;
        unsigned msg;
        std::function<void(TTestPanel*)> change;
    };
    const Case cases[] = {
        {"Enabled", CM_ENABLEDCHANGED, [](TTestPanel* p) { p->SetEnabled(false); }},
        {"Visible", CM_VISIBLECHANGED, [](TTestPanel* p) { p->SetVisible(false); }},
        {"Color", CM_COLORCHANGED, [](TTestPanel* p) { p->SetColor(clRed); }},
        {"Font", CM_FONTCHANGED, [](TTestPanel* p) { p->Font()->SetColor(clRed); }},
        {"Text", CM_TEXTCHANGED, [](TTestPanel* p) { p->SetText("x"); }},
        {"Cursor", CM_CURSORCHANGED, [](TTestPanel* p) { p->SetCursor(crHandPoint); }},
        {"ShowHint", CM_SHOWHINTCHANGED, [](TTestPanel* p) { p->SetShowHint(true); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* p = new TTestPanel(form);
        p->SetParent(form);
        p->Record = true;
        c.change(p);
        EXPECT_EQ(CountOf(p->Messages, c.msg), 1u);
        p->Messages.clear();
        c.change(p);
        EXPECT_EQ(CountOf(p->Messages, c.msg), 0u);
        delete p;
    }
}

TEST_F(FormFixture, ParentColorAndFontFollowTheParentUntilSetOwn) {
    auto* outer = new TTestPanel(form);
    outer->SetParent(form);
    auto* inherits = new TTestShape(form);
    inherits->SetParent(outer);
    auto* own = new TTestShape(form);
    own->SetParent(outer);
    own->SetColor(clLime);
    own->Font()->SetName("Arial");

    outer->SetColor(clNavy);
    outer->Font()->SetName("Courier New");
    outer->Font()->SetColor(clMaroon);
    EXPECT_EQ(inherits->Color(), clNavy);
    EXPECT_TRUE(inherits->ParentColor());
    EXPECT_EQ(inherits->Font()->Name(), "Courier New");
    EXPECT_EQ(inherits->Font()->Color(), clMaroon);
    EXPECT_TRUE(inherits->ParentFont());
    EXPECT_EQ(own->Color(), clLime);
    EXPECT_FALSE(own->ParentColor());
    EXPECT_EQ(own->Font()->Name(), "Arial");
    EXPECT_FALSE(own->ParentFont());

    // Going back to the parent's colour takes it at once.
    own->SetParentColor(true);
    EXPECT_EQ(own->Color(), clNavy);
}

TEST_F(FormFixture, ClickRunsOnDisabledAndInvisibleControls) {
    auto* p = new TTestPanel(form);
    p->SetParent(form);
    int clicks = 0;
    p->OnClick = [&](TObject*) { ++clicks; };
    p->SetEnabled(false);
    p->SetVisible(false);
    p->Click();
    EXPECT_EQ(clicks, 1);
}

// Mouse messages reach the control under the pointer: graphic children through their parent's
// widget with their own coordinates, windowed ones directly.
TEST_F(FormFixture, MouseGoesToTheGraphicChildUnderThePointer) {
    auto* panel = new TTestPanel(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 200, 100);
    auto* shape = new TTestShape(form);
    shape->SetParent(panel);
    shape->SetBounds(50, 20, 30, 30);
    form->Show();

    std::vector<std::string> log;
    shape->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        log.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," +
                      std::to_string(y) + (s.Contains(ssShift) ? " shift" : ""));
    };
    shape->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    };
    shape->OnClick = [&](TObject*) { log.push_back("click"); };
    shape->OnDblClick = [&](TObject*) { log.push_back("dblclick"); };
    panel->OnClick = [&](TObject*) { log.push_back("panel click"); };
    shape->OnMouseEnter = [&](TObject*) { log.push_back("enter"); };
    shape->OnMouseLeave = [&](TObject*) { log.push_back("leave"); };

    QWidget* w = panel->Handle();
    MouseMove(w, 5, 5);
    MouseMove(w, 55, 25);
    MousePress(w, 55, 25, Qt::LeftButton, Qt::ShiftModifier);
    MouseRelease(w, 56, 26);
    // Pressed on the shape and released outside it: captured, no click.
    MousePress(w, 60, 30);
    MouseRelease(w, 150, 90);
    MouseMove(w, 150, 90);
    MouseClick(w, 150, 90);
    const std::vector<std::string> want = {
        "enter",        "down 0 5,5 shift", "click", "up 6,6",
        "down 0 10,10", "up 100,70",        "leave", "panel click",
    };
    EXPECT_EQ(log, want);

    log.clear();
    MouseDoubleClick(w, 55, 25);
    EXPECT_NE(std::find(log.begin(), log.end(), "dblclick"), log.end());
}

TEST_F(FormFixture, DisabledGraphicChildLetsTheParentHaveTheMouse) {
    auto* panel = new TTestPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 100, 100);
    auto* shape = new TTestShape(form);
    shape->SetParent(panel);
    shape->SetBounds(0, 0, 50, 50);
    shape->SetEnabled(false);
    int shapeDowns = 0, panelDowns = 0;
    shape->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++shapeDowns; };
    panel->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++panelDowns; };
    form->Show();
    MouseClick(panel->Handle(), 10, 10);
    EXPECT_EQ(shapeDowns, 0);
    EXPECT_EQ(panelDowns, 1);

    // The same for a disabled windowed child: the click reaches the parent at its own point.
    auto* inner = new TTestPanel(form);
    inner->SetParent(panel);
    inner->SetBounds(60, 60, 30, 30);
    inner->SetEnabled(false);
    int innerDowns = 0;
    TPoint at;
    inner->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++innerDowns; };
    panel->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        ++panelDowns;
        at = {x, y};
    };
    MouseClick(inner->Handle(), 5, 5);
    EXPECT_EQ(innerDowns, 0);
    EXPECT_EQ(panelDowns, 2);
    EXPECT_EQ(at, (TPoint{65, 65}));
}

TEST_F(FormFixture, WheelGoesToTheParentWhenTheControlDoesNotTakeIt) {
    auto* panel = new TTestPanel(form);
    panel->SetParent(form);
    auto* inner = new TTestPanel(form);
    inner->SetParent(panel);
    int outerDelta = 0;
    panel->OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
        outerDelta = delta;
        handled = true;
    };
    WPARAM wp = (static_cast<WPARAM>(static_cast<uint16_t>(-120)) << 16);
    EXPECT_EQ(inner->Perform(WM_MOUSEWHEEL, wp, 0), 1);
    EXPECT_EQ(outerDelta, -120);
}

TEST_F(FormFixture, KeysArriveWithVirtualCodesAndKeyPreviewSeesThemFirst) {
    auto* panel = new TTestPanel(form);
    panel->SetParent(form);
    std::vector<std::string> log;
    panel->OnKeyDown = [&](TObject*, TKeyCode& key, TShiftState s) {
        log.push_back("panel down " + std::to_string(key) + (s.Contains(ssCtrl) ? " ctrl" : ""));
    };
    panel->OnKeyPress = [&](TObject*, char16_t& ch) {
        log.push_back("panel press " + std::to_string(static_cast<int>(ch)));
    };
    panel->OnKeyUp = [&](TObject*, TKeyCode& key, TShiftState) {
        log.push_back("panel up " + std::to_string(key));
    };
    form->OnKeyDown = [&](TObject*, TKeyCode& key, TShiftState) {
        log.push_back("form down " + std::to_string(key));
        if (key == VK_F1 + 4)
            key = 0; // the form takes F5
    };
    form->Show();
    QWidget* w = panel->Handle();

    KeyPress(w, Qt::Key_A, "a", Qt::ControlModifier);
    KeyRelease(w, Qt::Key_A);
    EXPECT_EQ(log,
              (std::vector<std::string>{"panel down 65 ctrl", "panel press 97", "panel up 65"}));

    log.clear();
    form->SetKeyPreview(true);
    KeyPress(w, Qt::Key_Left);
    KeyPress(w, Qt::Key_F5);
    KeyPress(w, 0x44F, QString::fromUtf8("я"));
    EXPECT_EQ(log, (std::vector<std::string>{"form down 37", "panel down 37", "form down 116",
                                             "panel press 1103"}));
}

TEST_F(FormFixture, TabMovesTheFocusInTabOrder) {
    auto* a = new TTestButton(form);
    a->SetParent(form);
    a->SetName("A");
    auto* b = new TTestButton(form);
    b->SetParent(form);
    b->SetName("B");
    auto* c = new TTestButton(form);
    c->SetParent(form);
    c->SetName("C");
    c->SetTabOrder(0);
    EXPECT_EQ(c->TabOrder(), 0);
    EXPECT_EQ(a->TabOrder(), 1);
    EXPECT_EQ(b->TabOrder(), 2);

    std::vector<std::string> log;
    for (TTestButton* x : {a, b, c}) {
        x->OnEnter = [&log, x](TObject*) { log.push_back("enter " + x->Name()); };
        x->OnExit = [&log, x](TObject*) { log.push_back("exit " + x->Name()); };
    }
    form->Show();
    c->SetFocus();
    EXPECT_EQ(form->ActiveControl(), c);
    EXPECT_TRUE(c->Focused());
    EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_TAB, 0), 1);
    EXPECT_EQ(form->ActiveControl(), a);
    b->SetEnabled(false);
    form->Perform(CM_DIALOGKEY, VK_TAB, 0);
    EXPECT_EQ(form->ActiveControl(), c) << "a disabled control is passed over";
    form->Perform(CM_DIALOGKEY, VK_TAB, static_cast<LPARAM>(TShiftState{ssShift}.Bits()));
    EXPECT_EQ(form->ActiveControl(), a);
    EXPECT_EQ(log, (std::vector<std::string>{"enter C", "exit C", "enter A", "exit A", "enter C",
                                             "exit C", "enter A"}));
    b->SetEnabled(true);
    b->SetVisible(false);
    EXPECT_THROW(b->SetFocus(), EInvalidOperation);
}

// An exception from a handler is reported once through the application and the program goes on.
TEST_F(FormFixture, HandlerExceptionIsShownAndSurvived) {
    auto* panel = new TTestPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 100, 100);
    int clicks = 0;
    panel->OnClick = [&](TObject*) {
        if (++clicks == 1)
            throw EConvertError("'x' is not a valid integer value");
    };
    form->Show();
    MouseClick(panel->Handle(), 10, 10);
    ASSERT_EQ(Boxes().Requests.size(), 1u);
    EXPECT_EQ(Boxes().Requests[0].Text, "'x' is not a valid integer value.");
    EXPECT_EQ(Boxes().Requests[0].Flags & 0xF0, MB_ICONERROR);
    EXPECT_EQ(Boxes().Requests[0].Caption, "Forms test");
    MouseClick(panel->Handle(), 10, 10);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(Boxes().Requests.size(), 1u);

    // OnException takes the report over; the silent abort is never reported.
    std::vector<std::string> seen;
    Application->OnException = [&](TObject* sender, const std::exception& e) {
        seen.push_back(std::string(e.what()) + (sender == panel ? " from panel" : ""));
    };
    panel->OnClick = [](TObject*) { throw Exception("again"); };
    MouseClick(panel->Handle(), 10, 10);
    panel->OnClick = [](TObject*) { Abort(); };
    MouseClick(panel->Handle(), 10, 10);
    Application->OnException = nullptr;
    EXPECT_EQ(seen, std::vector<std::string>{"again from panel"});
    EXPECT_EQ(Boxes().Requests.size(), 1u);
}

TEST_F(FormFixture, ExceptionInPaintIsReportedAndPaintingGoesOn) {
    class TFailing : public TCustomControl {
    public:
        explicit TFailing(TComponent* o) : TCustomControl(o) {}
        bool fail = true;

    protected:
        void Paint() override {
            if (fail)
                throw Exception("paint failed");
        }
    };
    auto* c = new TFailing(form);
    c->SetParent(form);
    c->SetBounds(0, 0, 50, 50);
    form->Show();
    QImage shot = form->Handle()->grab().toImage();
    EXPECT_FALSE(shot.isNull());
    ASSERT_GE(Boxes().Requests.size(), 1u);
    EXPECT_EQ(Boxes().Requests[0].Text, "paint failed.");
}

TEST_F(FormFixture, MouseEnterPutsTheLongHintIntoTheApplication) {
    auto* panel = new TTestPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 100, 100);
    auto* shape = new TTestShape(form);
    shape->SetParent(panel);
    shape->SetBounds(10, 10, 20, 20);
    shape->SetHint("Напряжение|Напряжение питания блока");
    std::vector<std::string> hints;
    Application->OnHint = [&](TObject*) { hints.push_back(Application->Hint()); };
    form->Show();
    MouseMove(panel->Handle(), 15, 15);
    MouseMove(panel->Handle(), 80, 80);
    Application->OnHint = nullptr;
    EXPECT_EQ(hints, (std::vector<std::string>{"Напряжение питания блока", ""}));
    EXPECT_EQ(GetShortHint(shape->Hint()), "Напряжение");
}

TEST_F(FormFixture, AutoSizeFitsTheChildren) {
    auto* panel = new TTestPanel(form);
    panel->SetParent(form);
    panel->SetBounds(5, 5, 10, 10);
    auto* a = new TTestShape(form);
    a->SetBounds(10, 10, 30, 20);
    a->SetParent(panel);
    auto* b = new TTestShape(form);
    b->SetBounds(50, 5, 20, 40);
    b->SetParent(panel);
    EXPECT_EQ(panel->BoundsRect(), Bounds(5, 5, 10, 10)) << "nothing changes before AutoSize";
    panel->SetAutoSize(true);
    EXPECT_EQ(panel->BoundsRect(), Bounds(5, 5, 70, 45));
    a->SetLeft(100);
    EXPECT_EQ(panel->Width(), 130);
    b->SetVisible(false);
    EXPECT_EQ(panel->BoundsRect(), Bounds(5, 5, 130, 30));
}

// A control with a border of its own: WM_NCCALCSIZE makes the client area smaller, children sit
// inside it, WM_NCPAINT draws the border and the rest is painted in client coordinates.
TEST_F(FormFixture, NonClientBorderFromMessages) {
    class TBordered : public TCustomControl {
    public:
        explicit TBordered(TComponent* o) : TCustomControl(o) {}
        int border = 3;
        void WndProc(TMessage& m) override {
            if (m.Msg == WM_NCCALCSIZE) {
                InflateRect(*reinterpret_cast<TRect*>(m.LParam), -border, -border);
                return;
            }
            if (m.Msg == WM_NCPAINT) {
                auto* canvas = reinterpret_cast<TCanvas*>(m.WParam);
                canvas->Brush()->SetColor(clRed);
                canvas->FillRect(Rect(0, 0, Width(), Height()));
                return;
            }
            TCustomControl::WndProc(m);
        }

    protected:
        void Paint() override {
            Canvas()->Brush()->SetColor(clBlue);
            Canvas()->FillRect(Rect(0, 0, 2, 2));
        }
    };
    auto* b = new TBordered(form);
    b->SetParent(form);
    b->SetBounds(10, 10, 60, 40);
    b->SetColor(clWhite);
    auto* child = new TTestPanel(form);
    child->SetParent(b);
    child->SetAlign(alBottom);
    child->SetHeight(10);
    child->SetColor(clLime);
    form->Show();
    EXPECT_EQ(b->ClientRect(), Rect(3, 3, 57, 37));
    EXPECT_EQ(child->BoundsRect(), Bounds(0, 24, 54, 10));
    EXPECT_EQ(child->Handle()->geometry(), QRect(3, 27, 54, 10));
    QImage shot = b->Handle()->grab().toImage();
    EXPECT_EQ(PixelAt(shot, 1, 1), clRed);
    EXPECT_EQ(PixelAt(shot, 3, 3), clBlue) << "painting starts at the client origin";
    EXPECT_EQ(PixelAt(shot, 10, 10), clWhite);
    EXPECT_EQ(PixelAt(shot, 20, 30), clLime);
    // A wider border moves and resizes the children once the control says so.
    b->border = 5;
    b->FrameChanged();
    EXPECT_EQ(child->BoundsRect(), Bounds(0, 20, 50, 10));
    EXPECT_EQ(child->Handle()->geometry(), QRect(5, 25, 50, 10));
}

TEST_F(FormFixture, ShowingAFormActivatesIt) {
    std::vector<std::string> log;
    form->OnActivate = [&](TObject*) { log.push_back("activate"); };
    form->OnDeactivate = [&](TObject*) { log.push_back("deactivate"); };
    form->Show();
    EXPECT_TRUE(WaitUntil([&] { return form->Active(); }, 1000));
    EXPECT_EQ(Screen->ActiveForm(), form);
    auto* other = TCustomForm::Create<TForm>(nullptr);
    other->Show();
    EXPECT_TRUE(WaitUntil([&] { return other->Active(); }, 1000));
    EXPECT_FALSE(form->Active());
    delete other;
    EXPECT_EQ(log, (std::vector<std::string>{"activate", "deactivate"}));
}

// Enter, Escape, Tab and the arrows go to the form as dialog keys unless the focused control
// claims them through WM_GETDLGCODE; a control anywhere on the form may take a dialog key.
TEST_F(FormFixture, DialogKeysGoToTheFormUnlessTheControlWantsThem) {
    class TDefaultTaker : public TTestPanel {
    public:
        explicit TDefaultTaker(TComponent* o) : TTestPanel(o) {}
        int taken = 0;
        void WndProc(TMessage& m) override {
            if (m.Msg == CM_DIALOGKEY && m.WParam == VK_RETURN) {
                ++taken;
                m.Result = 1;
                return;
            }
            TTestPanel::WndProc(m);
        }
    };
    class TGreedy : public TTestPanel {
    public:
        explicit TGreedy(TComponent* o) : TTestPanel(o) {}
        void WndProc(TMessage& m) override {
            if (m.Msg == WM_GETDLGCODE) {
                m.Result = DLGC_WANTALLKEYS;
                return;
            }
            TTestPanel::WndProc(m);
        }
    };
    auto* group = new TTestPanel(form);
    group->SetParent(form);
    auto* taker = new TDefaultTaker(form);
    taker->SetParent(group); // nested: the broadcast reaches it
    auto* plain = new TTestPanel(form);
    plain->SetParent(form);
    auto* greedy = new TGreedy(form);
    greedy->SetParent(form);
    int plainKeys = 0, greedyKeys = 0;
    plain->OnKeyDown = [&](TObject*, TKeyCode& k, TShiftState) {
        if (k == VK_RETURN)
            ++plainKeys;
    };
    greedy->OnKeyDown = [&](TObject*, TKeyCode& k, TShiftState) {
        if (k == VK_RETURN)
            ++greedyKeys;
    };
    form->Show();
    KeyPress(plain->Handle(), Qt::Key_Return, "\r");
    EXPECT_EQ(taker->taken, 1);
    EXPECT_EQ(plainKeys, 0);
    KeyPress(greedy->Handle(), Qt::Key_Return, "\r");
    EXPECT_EQ(taker->taken, 1);
    EXPECT_EQ(greedyKeys, 1);
}

// The tooltip shows the short hint of the control under the pointer, graphic ones included, and
// only while both the control and the application show hints.
TEST_F(FormFixture, TooltipShowsTheShortHintOfTheControlUnderThePointer) {
    auto* panel = new TTestPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 100, 100);
    auto* shape = new TTestShape(form);
    shape->SetParent(panel);
    shape->SetBounds(10, 10, 20, 20);
    shape->SetHint("Питание|Напряжение питания блока");
    shape->SetShowHint(true);
    form->Show();
    auto ask = [&](int x, int y) {
        // A tooltip goes away after a short delay; start from none shown.
        QToolTip::hideText();
        EXPECT_TRUE(WaitUntil([] { return !QToolTip::isVisible(); }, 2000));
        QHelpEvent e(QEvent::ToolTip, QPoint(x, y), panel->Handle()->mapToGlobal(QPoint(x, y)));
        QCoreApplication::sendEvent(panel->Handle(), &e);
        return QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string();
    };
    EXPECT_EQ(ask(15, 15), "Питание");
    EXPECT_EQ(ask(80, 80), "");
    Application->SetShowHint(false);
    EXPECT_EQ(ask(15, 15), "");
    Application->SetShowHint(true);
}

// A handler may free the control it runs for, or the whole form, while Qt is still inside the
// control's widget.
TEST(FreeFromHandler, ControlAndFormMayBeFreedByTheirOwnClick) {
    auto* form = TCustomForm::Create<TForm>(nullptr);
    auto* button = new TTestButton(form);
    button->SetParent(form);
    int clicks = 0;
    button->OnClick = [&](TObject* sender) {
        ++clicks;
        static_cast<TControl*>(sender)->Free();
    };
    form->Show();
    MouseClick(button->Handle(), 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form->ControlCount(), 0);
    EXPECT_TRUE(form->TabList().empty()) << "a freed control leaves the tab order";
    QCoreApplication::processEvents();

    auto* closer = new TTestPanel(form);
    closer->SetParent(form);
    bool destroyed = false;
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    closer->OnClick = [form](TObject*) { form->Free(); };
    MouseClick(closer->Handle(), 5, 5);
    EXPECT_TRUE(destroyed);
    QCoreApplication::processEvents();
}
