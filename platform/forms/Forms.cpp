#include "platform/forms/Forms.h"
#include "platform/graphics/Cursors_p.h"

#include "platform/classes/Streaming.h"
#include "platform/forms/Menus.h"
#include "platform/forms/WidgetBridge.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Threads.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <mutex>

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {
TMessageBoxHook& MessageBoxHook() {
    static TMessageBoxHook hook;
    return hook;
}
TModalHook& ModalHook() {
    static TModalHook hook;
    return hook;
}

void WakeEventLoop() {
    if (auto* d = QAbstractEventDispatcher::instance(qApp != nullptr ? qApp->thread() : nullptr))
        d->wakeUp();
}
} // namespace

TMessageBoxHook SetMessageBoxHook(TMessageBoxHook hook) {
    TMessageBoxHook old = std::move(MessageBoxHook());
    MessageBoxHook() = std::move(hook);
    return old;
}

TModalHook SetModalHook(TModalHook hook) {
    TModalHook old = std::move(ModalHook());
    ModalHook() = std::move(hook);
    return old;
}

TCustomForm* GetParentForm(const TControl* control) {
    const TControl* c = control;
    while (c != nullptr && c->Parent() != nullptr)
        c = c->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

// ---- TCustomForm --------------------------------------------------------------------------------

namespace {
// The form's window: closing it asks the form, activation tells it.
class TFormWidget : public TWidgetBridge<QWidget> {
public:
    explicit TFormWidget(TCustomForm* form) : TWidgetBridge<QWidget>(form), form_(form) {}
    void Unlinked() { form_ = nullptr; }

protected:
    void closeEvent(QCloseEvent* e) override {
        if (LinkedControl() == nullptr) {
            e->accept();
            return;
        }
        bool closed = false;
        SafeCall(form_, [&] { closed = form_->WidgetCloseRequested(); });
        // The form hides (or frees) itself; the window must not close behind its back.
        e->ignore();
        (void)closed;
    }
    bool event(QEvent* e) override {
        if (LinkedControl() != nullptr) {
            if (e->type() == QEvent::WindowActivate)
                SafeCall(form_, [this] { form_->WidgetActivated(true); });
            else if (e->type() == QEvent::WindowDeactivate)
                SafeCall(form_, [this] { form_->WidgetActivated(false); });
        }
        return TWidgetBridge<QWidget>::event(e);
    }

private:
    TCustomForm* form_;
};
} // namespace

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    SetVisible(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    if (Screen != nullptr)
        Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    if (Screen != nullptr)
        Screen->RemoveForm(this);
    if (Application != nullptr && Application->MainForm() == this)
        Application->SetMainForm(nullptr);
    // The menu bar belongs to the window, which goes with TWinControl.
    menuBar_ = nullptr;
}

void TCustomForm::DeclareProperties(TPropertyList& p) {
    p.Add("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
    p.Add("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
        .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
    p.Add("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
        .Default(bsSizeable);
    p.Add("Width", &TControl::Width, &TControl::SetWidth).Stored(false);
    p.Add("Height", &TControl::Height, &TControl::SetHeight).Stored(false);
    p.Add("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight);
    p.Add("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth);
    p.Add("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle).Default(fsNormal);
    p.Add("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).Default(false);
    p.Add("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
    p.Add("OldCreateOrder", &TCustomForm::OldCreateOrder, &TCustomForm::SetOldCreateOrder);
    p.Add("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch);
    p.Add("Position", &TCustomForm::Position, &TCustomForm::SetPosition).Default(poDesigned);
    p.Add("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled).Default(true);
    p.Add("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight);
    p.Add("Visible", &TControl::Visible, &TControl::SetVisible).Default(false);
    p.Add("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState).Default(wsNormal);
    p.Add("OnActivate", &TCustomForm::OnActivate);
    p.Add("OnClose", &TCustomForm::OnClose);
    p.Add("OnCloseQuery", &TCustomForm::OnCloseQuery);
    p.Add("OnCreate", &TCustomForm::OnCreate);
    p.Add("OnDeactivate", &TCustomForm::OnDeactivate);
    p.Add("OnDestroy", &TCustomForm::OnDestroy);
    p.Add("OnHide", &TCustomForm::OnHide);
    p.Add("OnPaint", &TCustomForm::OnPaint);
    p.Add("OnShow", &TCustomForm::OnShow);
}

void TCustomForm::AfterConstruction() {
    if (created_)
        return;
    bool wantVisible = false;
    // A description's Visible takes effect after OnCreate, as a shown form must be complete.
    InitInheritedComponent(this, TForm::StaticClass());
    wantVisible = Visible();
    if (wantVisible) {
        TControl::SetVisible(false);
    }
    created_ = true;
    Realign();
    SafeCall(this, [this] { DoCreate(); });
    if (wantVisible)
        Show();
}

void TCustomForm::BeforeDestruction() {
    if (!destroyingRun_) {
        destroyingRun_ = true;
        SafeCall(this, [this] { DoDestroy(); });
    }
    TWinControl::BeforeDestruction();
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
}

void TCustomForm::DoCreate() {
    if (OnCreate)
        OnCreate(this);
}

void TCustomForm::DoDestroy() {
    if (OnDestroy)
        OnDestroy(this);
}

void TCustomForm::DoShow() {
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide)
        OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose)
        OnClose(this, action);
}

QWidget* TCustomForm::CreateWidget() {
    return new TFormWidget(this);
}

void TCustomForm::InitializeWidget(QWidget* w) {
    TWinControl::InitializeWidget(w);
    ApplyWindowFlags();
    if (menu_ != nullptr)
        SetMenu(menu_);
}

void TCustomForm::SetParent(TWinControl* parent) {
    TWinControl::SetParent(parent);
    if (HandleAllocated()) {
        ApplyWindowFlags();
        UpdateWidgetState();
    }
}

void TCustomForm::ApplyWindowFlags() {
    QWidget* w = Handle();
    if (Parent() != nullptr) {
        // Docked into another form's control: an ordinary child widget.
        w->setWindowFlags(Qt::Widget);
        w->setParent(Parent()->ChildHost());
        Parent()->PlaceChildWidget(this);
        return;
    }
    Qt::WindowFlags f = Qt::Window;
    switch (borderStyle_) {
    case bsNone:
        f |= Qt::FramelessWindowHint;
        break;
    case bsDialog:
        f = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        break;
    case bsToolWindow:
    case bsSizeToolWin:
        f = Qt::Tool;
        break;
    default:
        f |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (borderIcons_.Contains(biMinimize))
            f |= Qt::WindowMinimizeButtonHint;
        if (borderIcons_.Contains(biMaximize))
            f |= Qt::WindowMaximizeButtonHint;
        break;
    }
    if (formStyle_ == fsStayOnTop)
        f |= Qt::WindowStaysOnTopHint;
    bool shown = w->isVisible();
    w->setWindowFlags(f);
    if (borderStyle_ == bsSingle || borderStyle_ == bsDialog || borderStyle_ == bsToolWindow)
        w->setFixedSize(Width(), Height());
    else
        w->setMinimumSize(0, 0), w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w->setGeometry(Left(), Top(), Width(), Height());
    if (shown)
        w->show();
}

void TCustomForm::BoundsChanged() {
    // A window of fixed size keeps the size the form gives it.
    if (Parent() == nullptr && HandleAllocated() &&
        (borderStyle_ == bsSingle || borderStyle_ == bsDialog || borderStyle_ == bsToolWindow))
        Handle()->setFixedSize(Width(), Height());
    TWinControl::BoundsChanged();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    if (HandleAllocated())
        ApplyWindowFlags();
}

void TCustomForm::SetWindowState(TWindowState value) {
    windowState_ = value;
    if (HandleAllocated() && Parent() == nullptr && Visible()) {
        QWidget* w = Handle();
        if (value == wsMaximized)
            w->showMaximized();
        else if (value == wsMinimized)
            w->showMinimized();
        else
            w->showNormal();
    }
}

TRect TCustomForm::NonClientMargins() const {
    TRect m;
    if (menuBar_ != nullptr && !menuBar_->isHidden())
        m.Top = menuBar_->sizeHint().height();
    return m;
}

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu_ != menu) {
        if (menu_ != nullptr)
            menu_->RemoveFreeNotification(this);
        menu_ = menu;
        if (menu != nullptr)
            menu->FreeNotification(this);
    }
    if (!HandleAllocated() || InLoading())
        return;
    MenuChanged();
}

void TCustomForm::MenuItemsChanged() {
    // The bar is rebuilt once control is back in the event loop: the change may come from the
    // handler of an action that the rebuild deletes, and many changes cost one rebuild.
    if (!HandleAllocated() || menuRebuildPending_)
        return;
    menuRebuildPending_ = true;
    QPointer<QWidget> guard(Handle());
    QTimer::singleShot(0, Handle(), [this, guard] {
        if (guard.isNull())
            return;
        menuRebuildPending_ = false;
        MenuChanged();
    });
}

void TCustomForm::MenuChanged() {
    if (!HandleAllocated())
        return;
    QWidget* w = Handle();
    if (menu_ == nullptr) {
        if (menuBar_ != nullptr) {
            menuBar_->hide();
            menuBar_->deleteLater();
            menuBar_ = nullptr;
        }
    } else {
        if (menuBar_ == nullptr) {
            menuBar_ = new QMenuBar(w);
            menuBar_->setNativeMenuBar(false);
        }
        menu_->PopulateBar(menuBar_);
        menuBar_->setGeometry(0, 0, Width(), menuBar_->sizeHint().height());
        menuBar_->show();
        menuBar_->raise();
    }
    FrameChanged();
}

void TCustomForm::UpdateWidgetState() {
    if (!HandleAllocated())
        return;
    QWidget* w = Handle();
    w->setWindowTitle(QString::fromStdString(GetText()));
    if (Parent() != nullptr) {
        TWinControl::UpdateWidgetState();
        return;
    }
    w->setEnabled(Enabled());
    w->setFont(TGraphicsQt::Font(*Font()));
    if (menuBar_ != nullptr)
        menuBar_->setGeometry(0, 0, Width(), menuBar_->sizeHint().height());
    if (created_ && !InLoading() && !Visible() && w->isVisible())
        w->hide();
    w->update();
}

void TCustomForm::SyncWindowVisibility() {
    QWidget* w = Handle();
    if (Parent() != nullptr) {
        w->setVisible(Visible());
        return;
    }
    if (Visible() && !w->isVisible()) {
        PlaceOnScreen();
        if (windowState_ == wsMaximized)
            w->showMaximized();
        else if (windowState_ == wsMinimized)
            w->showMinimized();
        else
            w->show();
        w->raise();
        w->activateWindow();
    } else if (!Visible() && w->isVisible()) {
        w->hide();
    }
}

void TCustomForm::PlaceOnScreen() {
    if (placed_)
        return;
    placed_ = true;
    TRect area = Screen != nullptr ? Screen->WorkAreaRect() : Rect(0, 0, 1024, 768);
    TCustomForm* around = nullptr;
    switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
        SetBounds(area.Left + (area.Width() - Width()) / 2,
                  area.Top + (area.Height() - Height()) / 2, Width(), Height());
        return;
    case poMainFormCenter:
        around = Application != nullptr ? Application->MainForm() : nullptr;
        break;
    case poOwnerFormCenter:
        around = dynamic_cast<TCustomForm*>(Owner());
        if (around == nullptr && Application != nullptr)
            around = Application->MainForm();
        break;
    default:
        return;
    }
    if (around != nullptr && around != this)
        SetBounds(around->Left() + (around->Width() - Width()) / 2,
                  around->Top() + (around->Height() - Height()) / 2, Width(), Height());
    else
        SetBounds(area.Left + (area.Width() - Width()) / 2,
                  area.Top + (area.Height() - Height()) / 2, Width(), Height());
}

bool TCustomForm::Showing() const {
    if (!Visible())
        return false;
    if (Parent() != nullptr)
        return Parent()->Showing();
    return HandleAllocated() && const_cast<TCustomForm*>(this)->Handle()->isVisible();
}

void TCustomForm::Show() {
    SetVisible(true);
    if (HandleAllocated() && Parent() == nullptr) {
        Handle()->raise();
        Handle()->activateWindow();
    }
}

void TCustomForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_VISIBLECHANGED:
        // OnShow runs before the window appears, OnHide after it is gone.
        if (created_ && !InLoading()) {
            HandleNeeded();
            if (m.WParam != 0) {
                SafeCall(this, [this] { DoShow(); });
                SyncWindowVisibility();
            } else {
                SyncWindowVisibility();
                SafeCall(this, [this] { DoHide(); });
            }
        }
        TWinControl::WndProc(m);
        return;
    case CM_TEXTCHANGED:
        if (HandleAllocated())
            Handle()->setWindowTitle(QString::fromStdString(GetText()));
        TWinControl::WndProc(m);
        return;
    case CM_DIALOGKEY:
        TWinControl::WndProc(m);
        if (m.Result == 0 && m.WParam == VK_TAB) {
            TShiftState shift = TShiftState::FromBits(static_cast<uint64_t>(m.LParam));
            if (!shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) {
                SelectNext(activeControl_, !shift.Contains(ssShift), true);
                m.Result = 1;
            }
        }
        return;
    default:
        TWinControl::WndProc(m);
    }
}

void TCustomForm::PaintWindow(TCanvas* canvas) {
    if (OnPaint)
        PaintOwnCanvas(canvas, canvas_, [this] { OnPaint(this); });
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::SetModalResult(TModalResult value) {
    modalResult_ = value;
    if (inModalLoop_)
        WakeEventLoop();
}

void TCustomForm::Close() {
    if (inModalLoop_) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    bool mainForm = Application != nullptr && Application->MainForm() == this;
    if (mainForm) {
        Application->Terminate();
        if (action == caHide || action == caMinimize)
            Hide();
        return;
    }
    if (action == caHide) {
        Hide();
    } else if (action == caMinimize) {
        SetWindowState(wsMinimized);
    } else if (action == caFree) {
        Hide();
        // Freed once the event that closed it has finished.
        TCustomForm* self = this;
        QTimer::singleShot(0, qApp, [self] {
            if (Screen != nullptr) {
                for (int i = 0; i < Screen->FormCount(); ++i)
                    if (Screen->Forms(i) == self) {
                        self->Free();
                        return;
                    }
            }
        });
    }
}

bool TCustomForm::WidgetCloseRequested() {
    Close();
    return !Visible();
}

void TCustomForm::WidgetActivated(bool active) {
    if (active == active_)
        return;
    active_ = active;
    if (active) {
        if (activeControl_ != nullptr && activeControl_->HandleAllocated())
            activeControl_->Handle()->setFocus();
        if (OnActivate)
            OnActivate(this);
    } else if (OnDeactivate) {
        OnDeactivate(this);
    }
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || inModalLoop_)
        throw EInvalidOperation("Cannot make a visible window modal");
    QWidget* w = Handle();
    modalResult_ = mrNone;
    w->setWindowModality(Qt::ApplicationModal);
    inModalLoop_ = true;
    if (Application != nullptr)
        Application->ModalStarted();
    struct Restore {
        TCustomForm* form;
        QWidget* widget;
        ~Restore() {
            form->inModalLoop_ = false;
            if (Application != nullptr)
                Application->ModalFinished();
            widget->setWindowModality(Qt::NonModal);
        }
    } restore{this, w};
    Show();
    if (ModalHook()) {
        QPointer<QWidget> guard(w);
        TCustomForm* self = this;
        QTimer::singleShot(0, w, [guard, self] {
            if (!guard.isNull() && ModalHook())
                SafeCall(self, [self] { ModalHook()(self); });
        });
    }
    for (;;) {
        if (modalResult_ == mrNone) {
            if (Application != nullptr && Application->Terminated())
                modalResult_ = mrCancel;
            else
                QCoreApplication::processEvents(QEventLoop::AllEvents |
                                                QEventLoop::WaitForMoreEvents);
        }
        if (modalResult_ != mrNone) {
            // Closing a modal form: OnCloseQuery may keep it, OnClose may refuse.
            bool canClose = true;
            SafeCall(this, [&] { canClose = CloseQuery(); });
            if (canClose) {
                TCloseAction action = caHide;
                SafeCall(this, [&] { DoClose(action); });
                if (action != caNone)
                    break;
            }
            modalResult_ = mrNone;
        }
    }
    Hide();
    return modalResult_;
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control == nullptr) {
        activeControl_ = nullptr;
        return;
    }
    if (InLoading()) {
        activeControl_ = control;
        return;
    }
    FocusControl(control);
}

void TCustomForm::FocusControl(TWinControl* control) {
    if (control != nullptr && (control == this || !ContainsControl(control)))
        throw EInvalidOperation("Invalid control for the active control");
    if (control != activeControl_)
        ControlFocused(control);
    if (control != nullptr && control->HandleAllocated() && active_)
        control->Handle()->setFocus(Qt::OtherFocusReason);
}

void TCustomForm::ControlFocused(TWinControl* control) {
    if (control == activeControl_)
        return;
    TWinControl* old = activeControl_;
    activeControl_ = control;
    if (old != nullptr)
        SafeCall(old, [old] { old->Perform(CM_EXIT); });
    if (control != nullptr && activeControl_ == control)
        SafeCall(control, [control] { control->Perform(CM_ENTER); });
    // Every control of the form learns where the focus went (buttons work out the default).
    SafeCall(this,
             [this, control] { Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control)); });
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == menu_) {
        menu_ = nullptr;
        if (HandleAllocated() && !InDestruction())
            MenuChanged();
    }
    if (component == activeControl_)
        activeControl_ = nullptr;
}

bool TCustomForm::IsShortCut(TKeyCode key, TShiftState shift) {
    return menu_ != nullptr && menu_->IsShortCut(key, shift);
}

void TCustomForm::GetChildren(const TGetChildProc& proc, TComponent* root) {
    // Components that no control holds (timers, menus, dialogs) come first, then the controls.
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (dynamic_cast<TControl*>(c) == nullptr && c->GetParentComponent() == nullptr)
            proc(c);
    }
    TWinControl::GetChildren(proc, root);
}

// ---- TApplication -------------------------------------------------------------------------------

TApplication::TApplication(int& argc, char** argv) : TComponent(nullptr) {
    if (QApplication::instance() == nullptr)
        ownApp_ = std::make_unique<QApplication>(argc, argv);
    Application = this;
    Screen = new TScreen(this);
    InstallWakeHook();
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    Application = this;
    Screen = new TScreen(this);
    InstallWakeHook();
}

TApplication::~TApplication() {
    SetWakeMainThread({});
    // Forms go before the screen that lists them.
    DestroyComponents();
    if (Application == this)
        Application = nullptr;
    Screen = nullptr;
}

namespace {
std::atomic<bool> gDrainPosted{false};
// Posting happens under this lock and the posted call takes it first, so the hand-over of the
// posted call's storage from the worker to the main thread is ordered by our own lock and not
// only by Qt's event queue (which checking tools cannot see into).
std::mutex gPostMutex;

void PostDrain() {
    if (gDrainPosted.exchange(true))
        return;
    std::lock_guard lock(gPostMutex);
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) {
        gDrainPosted = false;
        return;
    }
    QMetaObject::invokeMethod(
        app,
        [] {
            { std::lock_guard lock(gPostMutex); }
            gDrainPosted = false;
            bool failed = false;
            try {
                CheckSynchronize();
            } catch (...) {
                failed = true;
                if (Application != nullptr) {
                    try {
                        Application->HandleException(nullptr);
                    } catch (...) {
                    }
                }
            }
            // Calls put back after a failure still need a turn.
            if (failed && PendingSynchronizeCount() > 0)
                PostDrain();
        },
        Qt::QueuedConnection);
}
} // namespace

void TApplication::InstallWakeHook() {
    QCoreApplication::instance() != nullptr
        ? static_cast<QApplication*>(QCoreApplication::instance())->setQuitOnLastWindowClosed(false)
        : void();
    SetWakeMainThread([] { PostDrain(); });
    if (PendingSynchronizeCount() > 0)
        PostDrain();
}

void TApplication::Initialize() {}

void TApplication::Run() {
    if (mainForm_ != nullptr && !mainForm_->Visible())
        mainForm_->Show();
    while (!terminated_) {
        HandleMessage();
        if (mainForm_ == nullptr && Screen != nullptr && Screen->FormCount() == 0)
            break;
    }
}

void TApplication::ProcessMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::HandleMessage() {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void TApplication::Terminate() {
    terminated_ = true;
    WakeEventLoop();
}

std::string TApplication::ExeName() const {
    return QCoreApplication::applicationFilePath().toStdString();
}

void TApplication::SetHint(const std::string& value) {
    if (value == hint_)
        return;
    hint_ = value;
    if (OnHint)
        SafeCall(this, [this] { OnHint(this); });
}

void TApplication::HandleException(TObject* sender) {
    std::exception_ptr ep = std::current_exception();
    if (!ep)
        return;
    try {
        std::rethrow_exception(ep);
    } catch (const EAbort&) {
        // The silent abort ends the handler and says nothing.
    } catch (const std::exception& e) {
        if (OnException)
            OnException(sender, e);
        else
            ShowException(e);
    } catch (...) {
        Exception e("Unknown exception");
        if (OnException)
            OnException(sender, e);
        else
            ShowException(e);
    }
}

void TApplication::ShowException(const std::exception& e) {
    std::string text = e.what();
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    std::string caption =
        title_.empty() ? QCoreApplication::applicationName().toStdString() : title_;
    MessageBox(text, caption, MB_OK | MB_ICONERROR);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    if (MessageBoxHook())
        return MessageBoxHook()({text, caption, flags});
    QMessageBox box;
    box.setText(QString::fromStdString(text));
    box.setWindowTitle(QString::fromStdString(caption));
    switch (flags & 0xF0) {
    case MB_ICONERROR:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONWARNING:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    struct Btn {
        QMessageBox::StandardButton qt;
        int id;
    };
    std::vector<Btn> buttons;
    switch (flags & 0xF) {
    case MB_OKCANCEL:
        buttons = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_ABORTRETRYIGNORE:
        buttons = {{QMessageBox::Abort, IDABORT},
                   {QMessageBox::Retry, IDRETRY},
                   {QMessageBox::Ignore, IDIGNORE}};
        break;
    case MB_YESNOCANCEL:
        buttons = {
            {QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO:
        buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        break;
    case MB_RETRYCANCEL:
        buttons = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    default:
        buttons = {{QMessageBox::Ok, IDOK}};
        break;
    }
    QMessageBox::StandardButtons set;
    for (const Btn& b : buttons)
        set |= b.qt;
    box.setStandardButtons(set);
    size_t def = (flags & MB_DEFBUTTON3) ? 2 : (flags & MB_DEFBUTTON2) ? 1 : 0;
    if (def < buttons.size())
        box.setDefaultButton(buttons[def].qt);
    ModalStarted();
    int answer = box.exec();
    ModalFinished();
    for (const Btn& b : buttons)
        if (b.qt == answer)
            return b.id;
    // Closed by the window's close button: the cancel answer where there is one.
    for (const Btn& b : buttons)
        if (b.id == IDCANCEL)
            return IDCANCEL;
    return buttons.size() == 1 ? buttons[0].id : IDCANCEL;
}

// ---- TScreen ------------------------------------------------------------------------------------

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

TScreen::~TScreen() {
    if (cursor_ != crDefault && QGuiApplication::overrideCursor() != nullptr)
        QGuiApplication::restoreOverrideCursor();
    if (Screen == this)
        Screen = nullptr;
}

TCustomForm* TScreen::Forms(int index) const {
    if (index < 0 || index >= FormCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return forms_[static_cast<size_t>(index)];
}

void TScreen::AddForm(TCustomForm* form) {
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end())
        forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    std::erase(forms_, form);
}

TCustomForm* TScreen::ActiveForm() const {
    for (TCustomForm* f : forms_)
        if (f->Active())
            return f;
    if (QWidget* w = QApplication::activeWindow())
        return dynamic_cast<TCustomForm*>(FindControl(w));
    return nullptr;
}

TWinControl* TScreen::ActiveControl() const {
    TCustomForm* f = ActiveForm();
    return f != nullptr ? f->ActiveControl() : nullptr;
}

void TScreen::SetCursor(TCursor value) {
    if (value == cursor_)
        return;
    if (cursor_ != crDefault && QGuiApplication::overrideCursor() != nullptr)
        QGuiApplication::restoreOverrideCursor();
    cursor_ = value;
    if (value != crDefault)
        QGuiApplication::setOverrideCursor(CursorOf(value));
}

TStrings* TScreen::Fonts() {
    if (!fonts_) {
        fonts_ = std::make_unique<TStringList>();
        QStringList families = QFontDatabase::families();
        families.sort(Qt::CaseInsensitive);
        for (const QString& f : families)
            fonts_->Add(f.toStdString());
    }
    return fonts_.get();
}

int TScreen::MonitorCount() const {
    return static_cast<int>(QGuiApplication::screens().size());
}

TMonitorInfo TScreen::Monitors(int index) const {
    auto screens = QGuiApplication::screens();
    if (index < 0 || index >= screens.size())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    QScreen* s = screens[index];
    QRect g = s->geometry(), a = s->availableGeometry();
    TMonitorInfo m;
    m.MonitorNum = index;
    m.BoundsRect = Bounds(g.x(), g.y(), g.width(), g.height());
    m.WorkareaRect = Bounds(a.x(), a.y(), a.width(), a.height());
    m.Primary = s == QGuiApplication::primaryScreen();
    return m;
}

TRect TScreen::WorkAreaRect() const {
    QScreen* s = QGuiApplication::primaryScreen();
    if (s == nullptr)
        return Rect(0, 0, 1024, 768);
    QRect a = s->availableGeometry();
    return Bounds(a.x(), a.y(), a.width(), a.height());
}

int TScreen::Width() const {
    QScreen* s = QGuiApplication::primaryScreen();
    return s != nullptr ? s->geometry().width() : 1024;
}

int TScreen::Height() const {
    QScreen* s = QGuiApplication::primaryScreen();
    return s != nullptr ? s->geometry().height() : 768;
}
