// Forms built from their descriptions: layout, rendering, modal loops, closing, docking.

#include "FormsTestSupport.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Menus.h"
#include "platform/forms/Timer.h"
#include "platform/graphics/Snapshot.h"
#include "platform/graphics/Snapshot_p.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTimer>
#include <QWidget>

using namespace formstest;

namespace {

class TLayoutForm : public TForm {
    Q4_CLASS(TLayoutForm, TForm)
public:
    explicit TLayoutForm(TComponent* owner) : TForm(owner) {}
    static void DeclareMethods(TMethodTable& m) {
        m.Add("FormCreate", &TLayoutForm::FormCreate);
        m.Add("FormShow", &TLayoutForm::FormShow);
        m.Add("OkButtonClick", &TLayoutForm::OkButtonClick);
        m.Add("TickTimer", &TLayoutForm::TickTimer);
    }
    template <class T> T* Get(const char* name) { return dynamic_cast<T*>(FindComponent(name)); }

    std::vector<std::string> Log;
    int Ticks = 0;
    bool ThrowOnTick = false;

    void FormCreate(TObject*) {
        // Every component of the description exists when OnCreate runs.
        Log.push_back(std::string("create ") +
                      (FindComponent("Tick") != nullptr ? "complete" : "partial"));
    }
    void FormShow(TObject*) {
        Log.push_back(std::string("show ") + (Handle()->isVisible() ? "visible" : "hidden"));
    }
    void OkButtonClick(TObject*) { Log.push_back("ok"); }
    void TickTimer(TObject*) {
        ++Ticks;
        if (ThrowOnTick)
            throw Exception("tick failed");
    }
};

class TConfirmDialog : public TForm {
    Q4_CLASS(TConfirmDialog, TForm)
public:
    explicit TConfirmDialog(TComponent* owner) : TForm(owner) {}
    static void DeclareMethods(TMethodTable& m) {
        m.Add("FormCloseQuery", &TConfirmDialog::FormCloseQuery);
        m.Add("FormClose", &TConfirmDialog::FormClose);
    }
    bool AllowClose = true;
    int Queries = 0;
    int Closes = 0;
    void FormCloseQuery(TObject*, bool& canClose) {
        ++Queries;
        canClose = AllowClose;
    }
    void FormClose(TObject*, TCloseAction& action) {
        ++Closes;
        EXPECT_EQ(action, caHide);
    }
    TTestButton* Button(const char* name) {
        return dynamic_cast<TTestButton*>(FindComponent(name));
    }
};

struct LayoutFixture : ::testing::Test {
    void SetUp() override {
        Boxes().Reset();
        form = TCustomForm::Create<TLayoutForm>(nullptr);
    }
    void TearDown() override { delete form; }
    TLayoutForm* form = nullptr;
};

struct Expected {
    const char* name;
    TRect bounds;
};

void ExpectBounds(TLayoutForm* form, const std::vector<Expected>& table) {
    for (const Expected& e : table) {
        SCOPED_TRACE(e.name);
        auto* c = dynamic_cast<TControl*>(form->FindComponent(e.name));
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->BoundsRect(), e.bounds);
    }
}

} // namespace

TEST_F(LayoutFixture, DescriptionLoadsAndLaysOutByAlignment) {
    EXPECT_EQ(form->Name(), "LayoutForm");
    EXPECT_EQ(form->Caption(), "Раскладка");
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(form->ClientHeight(), 200);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->Log, std::vector<std::string>{"create complete"});
    ExpectBounds(form, {
                           {"Top1", Bounds(0, 0, 300, 40)},
                           {"Lower", Bounds(0, 30, 300, 10)},
                           {"Bottom1", Bounds(0, 170, 300, 30)},
                           {"Left1", Bounds(0, 40, 50, 130)},
                           {"Client1", Bounds(50, 40, 250, 130)},
                           {"Nested", Bounds(190, 0, 60, 130)},
                           {"Shape1", Bounds(10, 10, 20, 20)},
                           {"Anchored", Bounds(10, 10, 50, 30)},
                           {"Pinned", Bounds(150, 90, 20, 20)},
                       });
    // Parents and owners as the description nests them.
    auto* nested = form->Get<TTestPanel>("Nested");
    EXPECT_EQ(form->Get<TTestShape>("Shape1")->Parent(), nested);
    EXPECT_EQ(nested->Parent(), form->Get<TTestPanel>("Client1"));
    EXPECT_EQ(form->Get<TTestShape>("Shape1")->Owner(), form);
    EXPECT_EQ(form->Get<TTimer>("Tick")->Interval(), 10u);
}

TEST_F(LayoutFixture, ResizingFollowsAlignmentAndAnchors) {
    form->SetClientSize(400, 260);
    ExpectBounds(form, {
                           {"Top1", Bounds(0, 0, 400, 40)},
                           {"Lower", Bounds(0, 30, 400, 10)},
                           {"Bottom1", Bounds(0, 230, 400, 30)},
                           {"Left1", Bounds(0, 40, 50, 190)},
                           {"Client1", Bounds(50, 40, 350, 190)},
                           {"Nested", Bounds(290, 0, 60, 190)},
                           {"Anchored", Bounds(10, 10, 150, 30)},
                           {"Pinned", Bounds(250, 150, 20, 20)},
                       });
    // Hiding an aligned control gives its room to the others.
    form->Get<TTestPanel>("Left1")->SetVisible(false);
    EXPECT_EQ(form->Get<TTestPanel>("Client1")->BoundsRect(), Bounds(0, 40, 400, 190));
    // Constraints hold against alignment.
    form->Get<TTestPanel>("Top1")->Constraints()->SetMaxHeight(25);
    EXPECT_EQ(form->Get<TTestPanel>("Top1")->BoundsRect(), Bounds(0, 0, 400, 25));
    EXPECT_EQ(form->Get<TTestPanel>("Client1")->BoundsRect(), Bounds(0, 25, 400, 205));
}

TEST(Alignment, OrderFollowsPositionAndRoomRunsOut) {
    auto* form = TCustomForm::Create<TForm>(nullptr);
    form->SetClientSize(100, 100);
    auto make = [&](TAlign a, TRect r) {
        auto* p = new TTestPanel(form);
        p->SetBoundsRect(r);
        p->SetParent(form);
        p->SetAlign(a);
        return p;
    };
    // Two top panels: the one placed lower stays below, whatever the creation order.
    TTestPanel* second = make(alTop, Bounds(0, 50, 10, 20));
    TTestPanel* first = make(alTop, Bounds(0, 0, 10, 30));
    EXPECT_EQ(first->BoundsRect(), Bounds(0, 0, 100, 30));
    EXPECT_EQ(second->BoundsRect(), Bounds(0, 30, 100, 20));
    TTestPanel* right = make(alRight, Bounds(0, 0, 30, 10));
    TTestPanel* client = make(alClient, Bounds(0, 0, 1, 1));
    EXPECT_EQ(right->BoundsRect(), Bounds(70, 50, 30, 50));
    EXPECT_EQ(client->BoundsRect(), Bounds(0, 50, 70, 50));
    // More than fits: the rest gets an empty area, never a negative one.
    TTestPanel* tall = make(alBottom, Bounds(0, 0, 10, 80));
    EXPECT_EQ(tall->BoundsRect(), Bounds(0, 20, 100, 80));
    EXPECT_EQ(client->Height(), 0);
    EXPECT_GE(right->Height(), 0);
    delete form;
}

// The form renders offscreen: every panel in its colour, windowed controls above the graphic
// control they overlap, and the picture written to a PNG that is read back.
TEST_F(LayoutFixture, RendersToPng) {
    form->Show();
    ASSERT_TRUE(form->Handle()->isVisible());
    QImage shot = form->Handle()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(300, 200));
    QDir().mkpath(QStringLiteral(Q4_BINARY_DIR "/forms-snapshots"));
    std::string path = SaveSnapshot(shot, Q4_BINARY_DIR "/forms-snapshots/layout.png");
    ASSERT_FALSE(path.empty());
    QImage png(QString::fromStdString(path));
    ASSERT_FALSE(png.isNull());

    struct Probe {
        const char* what;
        int x, y;
        TColor color;
    };
    const Probe probes[] = {
        {"Top1 frame", 0, 0, clBlack},
        {"Top1", 150, 10, clRed},
        {"Lower", 150, 35, clGray},
        {"Bottom1", 150, 185, clBlue},
        {"Left1", 25, 100, clLime},
        {"Client1", 100, 120, clWhite},
        {"Nested", 245, 160, clYellow},
        {"Shape1", 253, 53, clFuchsia},
        {"Cover over Shape1", 265, 65, clNavy},
        {"Anchored", 80, 65, clAqua},
        {"Pinned", 210, 140, clTeal},
    };
    for (const Probe& p : probes) {
        SCOPED_TRACE(p.what);
        EXPECT_EQ(PixelAt(png, p.x, p.y), p.color);
    }
}

TEST_F(LayoutFixture, ShowRunsOnShowBeforeTheWindowAppears) {
    form->Show();
    form->Hide();
    form->Show();
    EXPECT_EQ(form->Log,
              (std::vector<std::string>{"create complete", "show hidden", "show hidden"}));
    EXPECT_TRUE(form->Showing());
    EXPECT_TRUE(form->Get<TTestPanel>("Nested")->Showing());
    EXPECT_FALSE(form->Get<TTestButton>("OkButton")->Showing());
}

TEST_F(LayoutFixture, TimerRunsInTheEventLoopAndSurvivesItsHandler) {
    auto* tick = form->Get<TTimer>("Tick");
    EXPECT_FALSE(tick->Active());
    tick->SetEnabled(true);
    EXPECT_TRUE(tick->Active());
    EXPECT_TRUE(WaitUntil([&] { return form->Ticks >= 3; }));
    form->ThrowOnTick = true;
    int before = form->Ticks;
    EXPECT_TRUE(WaitUntil([&] { return form->Ticks >= before + 2; }));
    EXPECT_GE(Boxes().Requests.size(), 1u);
    EXPECT_EQ(Boxes().Requests[0].Text, "tick failed.");
    tick->SetEnabled(false);
    int stopped = form->Ticks;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(form->Ticks, stopped);
    // Without a handler or with a zero interval a timer does not run.
    tick->SetOnTimer(nullptr);
    tick->SetEnabled(true);
    EXPECT_FALSE(tick->Active());
}

// The modal loop runs the events; the hook clicks a button, whose modal result closes the form.
TEST(ModalForm, ClosedByAButtonThroughTheHook) {
    auto* dlg = TCustomForm::Create<TConfirmDialog>(nullptr);
    EXPECT_EQ(dlg->BorderStyle(), bsDialog);
    auto old = SetModalHook([](TCustomForm* f) {
        auto* d = static_cast<TConfirmDialog*>(f);
        EXPECT_TRUE(d->Modal());
        EXPECT_TRUE(d->Visible());
        // Centred on the screen's work area, as its position asks.
        TRect area = Screen->WorkAreaRect();
        EXPECT_EQ(d->Left(), area.Left + (area.Width() - d->Width()) / 2);
        EXPECT_EQ(d->Top(), area.Top + (area.Height() - d->Height()) / 2);
        EXPECT_EQ(d->Handle()->geometry().topLeft(), QPoint(d->Left(), d->Top()));
        TTestButton* ok = d->Button("OKBtn");
        MouseClick(ok->Handle(), 5, 5);
    });
    TModalResult r = dlg->ShowModal();
    SetModalHook(old);
    EXPECT_EQ(r, mrOk);
    EXPECT_EQ(dlg->ModalResult(), mrOk);
    EXPECT_FALSE(dlg->Visible());
    EXPECT_FALSE(dlg->Modal());
    EXPECT_EQ(dlg->Queries, 1);
    EXPECT_EQ(dlg->Closes, 1);
    EXPECT_EQ(Application->ModalLevel(), 0);
    delete dlg;
}

TEST(ModalForm, CloseQueryCanKeepItOpen) {
    auto* dlg = TCustomForm::Create<TConfirmDialog>(nullptr);
    dlg->AllowClose = false;
    auto old = SetModalHook([](TCustomForm* f) {
        auto* d = static_cast<TConfirmDialog*>(f);
        MouseClick(d->Button("CancelBtn")->Handle(), 5, 5);
        // The loop asks, is refused, and goes on; the next event lets it close.
        QTimer::singleShot(0, [d] {
            EXPECT_TRUE(d->Visible());
            EXPECT_EQ(d->ModalResult(), mrNone);
            d->AllowClose = true;
            d->Close();
        });
    });
    TModalResult r = dlg->ShowModal();
    SetModalHook(old);
    EXPECT_EQ(r, mrCancel);
    EXPECT_EQ(dlg->Queries, 2);
    EXPECT_EQ(dlg->Closes, 1);
    // Shown a second time, it starts without a result.
    old = SetModalHook([](TCustomForm* f) { f->SetModalResult(mrYes); });
    EXPECT_EQ(dlg->ShowModal(), mrYes);
    SetModalHook(old);
    delete dlg;
}

TEST(ModalForm, AVisibleFormCannotBeShownModally) {
    auto* dlg = TCustomForm::Create<TConfirmDialog>(nullptr);
    dlg->Show();
    EXPECT_THROW(dlg->ShowModal(), EInvalidOperation);
    // A dialog's window has a fixed size, which still follows the form's own size.
    dlg->SetClientSize(260, 90);
    EXPECT_EQ(dlg->Handle()->size(), QSize(260, 90));
    EXPECT_EQ(dynamic_cast<TControl*>(dlg->FindComponent("Message"))->Width(), 260);
    delete dlg;
}

TEST(FormClose, ActionsOfOnCloseAndOnCloseQuery) {
    struct Case {
        const char* name;
        bool allow;
        TCloseAction action;
        bool visibleAfter;
        bool freed;
    };
    const Case cases[] = {
        {"refused", false, caHide, true, false}, {"none", true, caNone, true, false},
        {"hide", true, caHide, false, false},    {"minimize", true, caMinimize, true, false},
        {"free", true, caFree, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* f = TCustomForm::Create<TForm>(nullptr);
        bool destroyed = false;
        f->OnDestroy = [&](TObject*) { destroyed = true; };
        f->OnCloseQuery = [&](TObject*, bool& can) { can = c.allow; };
        f->OnClose = [&](TObject*, TCloseAction& a) {
            EXPECT_EQ(a, caHide);
            a = c.action;
        };
        f->Show();
        int forms = Screen->FormCount();
        f->Close();
        EXPECT_EQ(f->Visible(), c.visibleAfter);
        if (c.freed) {
            EXPECT_TRUE(WaitUntil([&] { return destroyed; }));
            EXPECT_EQ(Screen->FormCount(), forms - 1);
        } else {
            QCoreApplication::processEvents();
            EXPECT_FALSE(destroyed);
            if (c.action == caMinimize) {
                EXPECT_EQ(f->WindowState(), wsMinimized);
            }
            f->Free();
            EXPECT_TRUE(destroyed);
        }
    }
}

// A borderless form docks into a panel of another form, as the settings pages do.
TEST(FormDocking, BorderlessFormLivesInAPanel) {
    auto* host = TCustomForm::Create<TForm>(nullptr);
    host->SetClientSize(200, 100);
    auto* panel = new TTestPanel(host);
    panel->SetParent(host);
    panel->SetAlign(alClient);
    panel->SetColor(clWhite);
    auto* page = TCustomForm::Create<TForm>(host);
    page->SetBorderStyle(bsNone);
    page->SetColor(clMaroon);
    page->SetParent(panel);
    page->SetAlign(alClient);
    page->Show();
    host->Show();
    EXPECT_EQ(page->BoundsRect(), Bounds(0, 0, 200, 100));
    EXPECT_EQ(page->Handle()->parentWidget(), panel->Handle());
    EXPECT_FALSE(page->Handle()->isWindow());
    EXPECT_EQ(GetParentForm(page), host);
    EXPECT_TRUE(page->Showing());
    QImage shot = host->Handle()->grab().toImage();
    EXPECT_EQ(PixelAt(shot, 100, 50), clMaroon);
    delete host; // frees the docked page with it
}

TEST(Screen, ListsFormsAndScreens) {
    int before = Screen->FormCount();
    auto* f = TCustomForm::Create<TForm>(nullptr);
    EXPECT_EQ(Screen->FormCount(), before + 1);
    EXPECT_EQ(Screen->Forms(before), f);
    delete f;
    EXPECT_EQ(Screen->FormCount(), before);
    EXPECT_GE(Screen->MonitorCount(), 1);
    EXPECT_GT(Screen->Monitors(0).BoundsRect.Width(), 0);
    EXPECT_EQ(Screen->PixelsPerInch(), 96);
    EXPECT_GT(Screen->Fonts()->Count(), 0);
    EXPECT_THROW(Screen->Forms(-1), EListError);
    Screen->SetCursor(crHourGlass);
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// Run shows the main form and returns once it is closed. It ends the program's message loop for
// good, so it runs in a process of its own.
TEST(ApplicationRun, ReturnsWhenTheMainFormCloses) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            TLayoutForm* main = nullptr;
            Application->CreateForm(main);
            bool shown = false;
            main->OnShow = [&](TObject*) {
                shown = true;
                QTimer::singleShot(0, [main] { main->Close(); });
            };
            Application->Run();
            std::exit(shown && Application->Terminated() && Application->MainForm() == main &&
                              !main->Visible()
                          ? 7
                          : 1);
        },
        ::testing::ExitedWithCode(7), "");
}

// The window resized from outside (by the user or the window manager) lays the form out again.
TEST_F(LayoutFixture, ResizingTheWindowRealigns) {
    form->Show();
    form->Handle()->resize(400, 260);
    EXPECT_EQ(form->Width(), 400);
    EXPECT_EQ(form->Height(), 260);
    EXPECT_EQ(form->Get<TTestPanel>("Client1")->BoundsRect(), Bounds(50, 40, 350, 190));
    EXPECT_EQ(form->Get<TTestPanel>("Pinned")->BoundsRect(), Bounds(250, 150, 20, 20));
    EXPECT_EQ(form->Get<TTestPanel>("Nested")->Handle()->geometry(), QRect(290, 0, 60, 190));
}

// A timer whose handler frees the form that owns it, as a splash or a finished dialog does.
TEST(TimerOwner, HandlerMayFreeTheTimersForm) {
    auto* form = TCustomForm::Create<TForm>(nullptr);
    bool destroyed = false;
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    auto* timer = new TTimer(form);
    timer->SetInterval(5);
    timer->SetOnTimer([form](TObject*) { form->Free(); });
    EXPECT_TRUE(WaitUntil([&] { return destroyed; }));
    QCoreApplication::processEvents(QEventLoop::AllEvents, 30);
}

// Menus come from a form's description, items nested in items, and are written back the same way.
TEST(MenuDescription, LoadsAndWritesNestedItems) {
    auto* dlg = TCustomForm::Create<TConfirmDialog>(nullptr);
    auto* popup = dynamic_cast<TPopupMenu*>(dlg->FindComponent("Popup1"));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(dynamic_cast<TControl*>(dlg->FindComponent("Message"))->PopupMenu(), popup);
    TMenuItem* root = popup->Items();
    ASSERT_EQ(root->Count(), 3);
    EXPECT_EQ(root->Items(0)->Caption(), "&Копировать");
    EXPECT_EQ(ShortCutToText(root->Items(0)->ShortCut()), "Ctrl+C");
    EXPECT_TRUE(root->Items(1)->IsLine());
    TMenuItem* modes = root->Items(2);
    ASSERT_EQ(modes->Count(), 2);
    EXPECT_TRUE(modes->Items(0)->Checked());
    modes->Items(1)->SetChecked(true);
    EXPECT_FALSE(modes->Items(0)->Checked());
    EXPECT_EQ(modes->Items(0)->GetParentMenu(), popup);

    std::string text = ComponentToText(dlg);
    // Components that are not controls come first, then the controls in their order.
    const char* inOrder[] = {
        "object Popup1: TPopupMenu", "object Copy1: TMenuItem",  "object Modes1: TMenuItem",
        "object ModeB: TMenuItem",   "Checked = True",           "object Message: TTestPanel",
        "PopupMenu = Popup1",        "object OKBtn: TTestButton"};
    size_t at = 0;
    for (const char* piece : inOrder) {
        SCOPED_TRACE(piece);
        size_t found = text.find(piece, at);
        ASSERT_NE(found, std::string::npos) << text;
        at = found;
    }
    // A form stores its client size, not its outer size.
    EXPECT_EQ(text.find("\n  Width = "), std::string::npos);
    EXPECT_NE(text.find("\n  ClientWidth = 200"), std::string::npos);
    dlg->Free();
}

TEST(FormPaint, OnPaintDrawsOnTheFormsCanvasBelowItsControls) {
    auto* form = TCustomForm::Create<TForm>(nullptr);
    form->SetClientSize(100, 60);
    form->SetColor(clWhite);
    form->OnPaint = [form](TObject*) {
        form->Canvas()->Brush()->SetColor(clRed);
        form->Canvas()->FillRect(Rect(0, 0, 100, 20));
    };
    auto* panel = new TTestPanel(form);
    panel->SetParent(form);
    panel->SetBounds(50, 0, 50, 60);
    panel->SetColor(clBlue);
    form->Show();
    QImage shot = form->Handle()->grab().toImage();
    EXPECT_EQ(PixelAt(shot, 10, 10), clRed);
    EXPECT_EQ(PixelAt(shot, 10, 40), clWhite);
    EXPECT_EQ(PixelAt(shot, 70, 10), clBlue);
    form->Free();
}
