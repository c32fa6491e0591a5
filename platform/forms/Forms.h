#pragma once
// Forms, the application object and the screen.
//
// A form is a top-level window (or, borderless, a page docked into a panel of another form). It
// reads its description from the program's resources when it is created: create forms with
// TCustomForm::Create<TMyForm>(owner) or Application->CreateForm, which build the object, read
// the descriptions stored under its class names and then run OnCreate.

#include "platform/forms/Controls.h"
#include "platform/rtl/Exception.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QApplication;
class QMenuBar;
class TMainMenu;
class TMenuItem;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;
constexpr TModalResult mrClose = 11;

Q4_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin);
Q4_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
        poDesktopCenter, poMainFormCenter, poOwnerFormCenter);
Q4_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized);
Q4_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize);
Q4_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop);
Q4_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp);
using TBorderIcons = TSet<TBorderIcon>;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

class TCustomForm : public TWinControl {
    Q4_CLASS(TCustomForm, TWinControl)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;
    static void DeclareProperties(TPropertyList& p);

    // Builds a form of class T: the object, then its description, then OnCreate.
    template <class T> static T* Create(TComponent* owner) {
        T* form = new T(owner);
        try {
            form->AfterConstruction();
        } catch (...) {
            form->Free();
            throw;
        }
        return form;
    }
    // Reads the descriptions stored under the form's class names (ancestor first) and runs
    // OnCreate. Called once, right after the constructor.
    virtual void AfterConstruction();
    // Runs OnDestroy while the whole object still exists: free a form with Free (or through its
    // owner), not with a bare delete, or OnDestroy does not run.
    void BeforeDestruction() override;

    void Show();
    void Hide() { SetVisible(false); }
    // Shows the form modally, runs its own event loop until ModalResult is set (or the form is
    // closed) and returns the result. Raises EInvalidOperation for a form already shown.
    virtual TModalResult ShowModal();
    // Asks OnCloseQuery, then runs OnClose and does what its action says.
    void Close();
    virtual bool CloseQuery();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value);
    bool Modal() const { return inModalLoop_; }
    bool Active() const { return active_; }

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value) { borderIcons_ = value; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState value);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle value) { formStyle_ = value; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    // Told by the menu when its items changed.
    void MenuItemsChanged();
    // The canvas OnPaint draws on (in client coordinates), valid while OnPaint runs.
    TCanvas* Canvas() { return &canvas_; }
    int PixelsPerInch() const { return 96; }
    void SetPixelsPerInch(int) {}
    int TextHeight() const { return textHeight_; }
    void SetTextHeight(int v) { textHeight_ = v; }
    bool Scaled() const { return scaled_; }
    void SetScaled(bool v) { scaled_ = v; }
    bool OldCreateOrder() const { return oldCreateOrder_; }
    void SetOldCreateOrder(bool v) { oldCreateOrder_ = v; }

    // Makes the control the active one: focus moves there and OnExit/OnEnter run.
    void FocusControl(TWinControl* control);
    // Called when a control of the form gets the focus.
    void ControlFocused(TWinControl* control);
    // A key of the form's menu: runs the item and returns true.
    bool IsShortCut(TKeyCode key, TShiftState shift);
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    bool Showing() const override;
    void SetParent(TWinControl* parent) override;
    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    // Runs from the form's widget (activation, the window's close button).
    void WidgetActivated(bool active);
    bool WidgetCloseRequested();

protected:
    QWidget* CreateWidget() override;
    void InitializeWidget(QWidget* widget) override;
    TRect NonClientMargins() const override;
    void UpdateWidgetState() override;
    void BoundsChanged() override;
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    void PaintWindow(TCanvas* canvas) override;
    void ApplyWindowFlags();
    void SyncWindowVisibility();
    void PlaceOnScreen();

private:
    void MenuChanged();

    TModalResult modalResult_ = mrNone;
    bool inModalLoop_ = false;
    bool active_ = false;
    bool created_ = false;
    bool destroyingRun_ = false;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
    TFormStyle formStyle_ = fsNormal;
    bool keyPreview_ = false;
    TWinControl* activeControl_ = nullptr;
    TMainMenu* menu_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    bool menuRebuildPending_ = false;
    int textHeight_ = 13;
    bool scaled_ = true;
    bool oldCreateOrder_ = false;
    bool placed_ = false;
    TCanvas canvas_;
};

class TForm : public TCustomForm {
    Q4_CLASS(TForm, TCustomForm)
public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

// ---- message boxes ------------------------------------------------------------------------------
// Flags of MessageBox: buttons in the low four bits, the icon in the next four.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_RETRYCANCEL = 0x5;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_ICONASTERISK = 0x40;
constexpr unsigned MB_DEFBUTTON2 = 0x100;
constexpr unsigned MB_DEFBUTTON3 = 0x200;
// Answers of MessageBox.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// A message box as the program asks for it: text, caption, the MB_* flags.
struct TMessageBoxRequest {
    std::string Text;
    std::string Caption;
    unsigned Flags = 0;
};
// Answers a message box instead of showing it (tests install one, so nothing ever blocks). It
// returns an ID* answer. Returns the previous hook.
using TMessageBoxHook = std::function<int(const TMessageBoxRequest&)>;
TMessageBoxHook SetMessageBoxHook(TMessageBoxHook hook);

// Called once a modal loop has started (the form is shown and its loop runs), so that a test can
// close it. Returns the previous hook.
using TModalHook = std::function<void(TCustomForm* form)>;
TModalHook SetModalHook(TModalHook hook);

// ---- the application ----------------------------------------------------------------------------
class TApplication : public TComponent {
    Q4_CLASS(TApplication, TComponent)
public:
    // Makes the Qt application when there is none yet (argc and argv are kept by reference, as
    // Qt requires). Sets the global Application and Screen.
    TApplication(int& argc, char** argv);
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    void Initialize();
    // Makes a form of class T (see TCustomForm::Create); the first one becomes the main form.
    template <class T> void CreateForm(T*& reference) {
        reference = TCustomForm::Create<T>(this);
        if (mainForm_ == nullptr)
            mainForm_ = reference;
    }
    // Shows the main form and runs the event loop until Terminate (or the main form closes).
    void Run();
    // Runs the events that wait, without blocking.
    void ProcessMessages();
    // Waits for an event and runs it (and what else waits).
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return terminated_; }
    TCustomForm* MainForm() const { return mainForm_; }
    void SetMainForm(TCustomForm* form) { mainForm_ = form; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    std::string ExeName() const;

    // The hint of the control under the mouse; setting it runs OnHint.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }
    int HintPause() const { return hintPause_; }
    void SetHintPause(int ms) { hintPause_ = ms; }
    // How long a hint stays shown, in milliseconds.
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int ms) { hintHidePause_ = ms; }
    // Shows text as the hint of control at a screen point for HintHidePause milliseconds (in
    // ApplicationHints.cpp); CancelHint takes the shown hint away.
    void ActivateHint(TPoint screenPos, const std::string& text, TWinControl* control);
    void CancelHint();

    // Reports an exception that escaped a handler: OnException when set, else ShowException.
    // Called with the exception in flight (inside a catch block).
    void HandleException(TObject* sender);
    void ShowException(const std::exception& e);
    // Shows a message box (or asks the hook) and returns the ID* answer.
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags = MB_OK);

    TNotifyEvent OnHint;
    TExceptionEvent OnException;

    // Forms shown modally, innermost last.
    int ModalLevel() const { return modalLevel_; }
    void ModalStarted() { ++modalLevel_; }
    void ModalFinished() { --modalLevel_; }

private:
    void InstallWakeHook();

    std::unique_ptr<QApplication> ownApp_;
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    std::string title_;
    std::string hint_;
    bool showHint_ = true;
    int hintPause_ = 500;
    int hintHidePause_ = 2500;
    int modalLevel_ = 0;
};

// ---- the screen ---------------------------------------------------------------------------------
struct TMonitorInfo {
    int MonitorNum = 0;
    TRect BoundsRect;
    TRect WorkareaRect;
    bool Primary = false;
};

class TScreen : public TComponent {
    Q4_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* owner);
    ~TScreen() override;

    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int index) const;
    TCustomForm* ActiveForm() const;
    TWinControl* ActiveControl() const;
    // The application's cursor over every window; crDefault gives each control its own.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    // The font families installed, sorted.
    TStrings* Fonts();
    int MonitorCount() const;
    TMonitorInfo Monitors(int index) const;
    TRect WorkAreaRect() const;
    int Width() const;
    int Height() const;
    int PixelsPerInch() const { return 96; }

    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);

private:
    std::vector<TCustomForm*> forms_;
    TCursor cursor_ = crDefault;
    std::unique_ptr<TStringList> fonts_;
};

extern TApplication* Application;
extern TScreen* Screen;

// The form a control sits on, or null.
TCustomForm* GetParentForm(const TControl* control);
