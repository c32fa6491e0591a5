#include "app/mainwin/FormMain.h"

#include "app/controller/Controller.h"
#include "app/controller/ControllerView.h"
#include "app/firmware/BootLink.h"
#include "app/firmware/FlashingCloseGuard.h"
#include "app/firmware/FormUpdateIns.h"
#include "app/firmware/ServiceFlashing.h"
#include "app/mainwin/Connection.h"
#include "app/mainwin/DlgSplash.h"
#include "app/mainwin/FormAbout.h"
#include "app/mainwin/ToolImages.h"
#include "app/pages/FormIncl.h"
#include "app/pages/common/FormCommon.h"
#include "app/pages/gprs/FormGPRS.h"
#include "app/pages/gps/FormGPS.h"
#include "app/pages/history/FormHistory.h"
#include "app/pages/phones/FormPhones.h"
#include "app/pages/power/FormPower.h"
#include "app/queue/Appliers.h"
#include "app/queue/LogMemoWriter.h"
#include "app/queue/OutArray.h"
#include "app/util/AppDir.h"
#include "app/worker/CommandCodes.h"
#include "app/worker/MainThread.h"
#include "controls/memo/FrMemo.h"
#include "controls/progress/FrProgressBar.h"
#include "controls/splitter/FrSplitter.h"
#include "controls/splitter/FrSplitterPane.h"
#include "controls/tree/FrTreeView.h"
#include "device/ModemWorker.h"
#include "platform/classes/Properties.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Menus.h"
#include "platform/forms/Timer.h"
#include "platform/graphics/Cursors.h"
#include "platform/graphics/ImageList.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Threads.h"
#include "platform/rtl/Version.h"
#include "platform/stdctrls/StatusBar.h"
#include "platform/stdctrls/ToolBar.h"
#include "platform/stdctrls/TreeNodes.h"

namespace {

// The page tree's nodes: text and the state index that selects the page.
struct TPageNode {
    const char* Text;
    int State;
    const char* PageClass;
};
constexpr TPageNode PageNodes[] = {
    {"Общие", 0, "TformCommon"},    {"GPRS", 1, "TformGPRS"},
    {"История", 2, "TformHistory"}, {"Инженерные номера", 3, "TformPhones"},
    {"Питание", 4, "TformPower"},
};
constexpr const char* PageClassOfState[] = {"TformCommon", "TformGPRS",  "TformHistory",
                                            "TformPhones", "TformPower", "TformGPS"};

// The tool buttons a connection enables, and the menu items with them.
constexpr const char* ConnectedTools[] = {"tbtnDisconnect", "tbtnRead",     "tbtnReadAll",
                                          "tbtnWrite",      "tbtnWriteAll", "tbtnDefault",
                                          "tbtnDefaultAll"};
constexpr const char* ConnectedItems[] = {"mnuDisconnect", "N1", "N2"};
// What the update dialog locks: the tree, these tool buttons, the menus and the service flashing.
constexpr const char* LockedTools[] = {"tbtnDisconnect", "tbtnRead", "tbtnWrite", "tbtnReadAll",
                                       "tbtnWriteAll"};
constexpr const char* Menus[] = {"mnuFile", "mnuConnection", "mnuSettings", "mnuHelp", "mnuPanel"};

constexpr const char* ServiceCode = "trelvo";

} // namespace

TformMain::TformMain(TComponent* owner) : TForm(owner) {}

TformMain::~TformMain() = default;

void TformMain::DeclareMethods(TMethodTable& m) {
    m.Add("FormCreate", &TformMain::FormCreate);
    m.Add("FormDestroy", &TformMain::FormDestroy);
    m.Add("FormCloseQuery", &TformMain::FormCloseQuery);
    m.Add("Timer1Timer", &TformMain::Timer1Timer);
    m.Add("tv1Change", &TformMain::tv1Change);
    m.Add("tbtnConnectClick", &TformMain::tbtnConnectClick);
    m.Add("tbtnDisconnectClick", &TformMain::tbtnDisconnectClick);
    m.Add("tbtnReadClick", &TformMain::tbtnReadClick);
    m.Add("tbtnWriteClick", &TformMain::tbtnWriteClick);
    m.Add("tbtnReadAllClick", &TformMain::tbtnReadAllClick);
    m.Add("tbtnWriteAllClick", &TformMain::tbtnWriteAllClick);
    m.Add("tbtnDefaultClick", &TformMain::tbtnDefaultClick);
    m.Add("tbtnDefaultAllClick", &TformMain::tbtnDefaultAllClick);
    m.Add("N1Click", &TformMain::N1Click);
    m.Add("N2Click", &TformMain::N2Click);
    m.Add("N4Click", &TformMain::N4Click);
    m.Add("mnuSaveClick", &TformMain::mnuSaveClick);
    m.Add("mnuLoadClick", &TformMain::mnuLoadClick);
    m.Add("mnuExitClick", &TformMain::mnuExitClick);
    m.Add("mnuAboutClick", &TformMain::mnuAboutClick);
    m.Add("FrBitBtn1Click", &TformMain::FrBitBtn1Click);
    m.Add("FrButton1Click", &TformMain::FrButton1Click);
}

template <class T> T* TformMain::Part(const char* name) const {
    T* part = dynamic_cast<T*>(FindComponent(name));
    if (part == nullptr)
        throw EComponentError(std::string("The main window has no ") + name);
    return part;
}

TToolButton* TformMain::Tool(const char* name) const {
    return Part<TToolButton>(name);
}

TMenuItem* TformMain::Item(const char* name) const {
    return Part<TMenuItem>(name);
}

TStatusBar* TformMain::StatusBar() const {
    return Part<TStatusBar>("StatusBar1");
}

std::string TformMain::SettingsFile() const {
    return GetAppDir() + "current.ini";
}

void TformMain::AttachWindows(TdlgSplash* splash, TFormAbout* about, TformUpdateIns* update) {
    splash_ = splash;
    about_ = about;
    update_ = update;
    // An owner freeing its components tells the others only of those that asked for it.
    for (TComponent* window : std::initializer_list<TComponent*>{splash, about, update})
        if (window != nullptr)
            window->FreeNotification(this);
}

void TformMain::Notification(TComponent* component, TOperation operation) {
    TForm::Notification(component, operation);
    if (operation != opRemove || component == nullptr)
        return;
    // What is queued or waited for after a dialog went must find it gone, not freed.
    if (component == splash_)
        splash_ = nullptr;
    if (component == about_)
        about_ = nullptr;
    if (component == update_)
        update_ = nullptr;
}

// ---- creation and destruction -------------------------------------------------------------------

void TformMain::FormCreate(TObject*) {
    SetCaption(Caption() + ProgramFileVersion());
    PlaceProgressBar();
    queue_ = std::make_unique<TOutArray>();
    pageLog_ = std::make_unique<TLogMemoWriter>(Part<TFrMemo>("Memo1"), *queue_);
    toolImages_ = MakeToolImages();
    Part<TToolBar>("ToolBar1")->SetImages(toolImages_.get());
    CreatePages();
    LoadCurrentSettings();
    for (TformIncl* page : Pages())
        DockPage(page);
    FillPageTree();
    ShowPage(PageOf("TformCommon"));
    auto* tree = Part<TFrTreeView>("tv1");
    tree->ExpandAllNodes();
    // The common page's node shows as the selected one.
    if (tree->Items()->Count() > 0)
        tree->SetSelected(tree->Items()->Item(0));
    // The main window is never closed under a flashing.
    RefuseCloseWhileFlashing(*this, [this] {
        return (update_ != nullptr && update_->Flashing()) ||
               (service_ != nullptr && service_->Running());
    });
}

void TformMain::PlaceProgressBar() {
    TStatusBar* bar = StatusBar();
    auto* progress = Part<TFrProgressBar>("FrProgressBar1");
    TStatusPanels* panels = bar->Panels();
    int left = 0;
    for (int i = 0; i + 1 < panels->Count(); ++i)
        left += panels->Items(i)->Width() + 1;
    progress->SetParent(bar);
    progress->SetBounds(left, 1, panels->Items(3)->Width() - 4, bar->Height() - 1);
}

void TformMain::CreatePages() {
    // The creation order is the order of read all, write all, save and load.
    TCustomForm::Create<TformCommon>(this);
    TCustomForm::Create<TformGPRS>(this);
    TCustomForm::Create<TformHistory>(this);
    TCustomForm::Create<TformPhones>(this);
    TCustomForm::Create<TformPower>(this);
    TCustomForm::Create<TformGPS>(this);
    for (TformIncl* page : Pages())
        page->SetLog(pageLog_.get());
}

void TformMain::LoadCurrentSettings() {
    TMemIniFile ini(SettingsFile());
    for (TformIncl* page : Pages())
        page->LoadFromIni(ini);
    if (ini.ReadString("Update", "UpdatePanelVersion", "") == ServiceCode) {
        Item("N4")->SetVisible(true);
        Item("mnuPanel")->SetVisible(true);
        Part<TControl>("FrProgressBar1")->SetVisible(true);
    }
}

void TformMain::SaveCurrentSettings() {
    // Read whole, changed in memory, written back in one atomic replace: a program killed at any
    // moment leaves either the old file or the new one, never a part.
    TMemIniFile ini(SettingsFile());
    for (TformIncl* page : Pages())
        page->SaveToIni(ini);
    ini.UpdateFile();
}

void TformMain::FillPageTree() {
    TTreeNodes* nodes = Part<TFrTreeView>("tv1")->Items();
    if (nodes->Count() > 0)
        return;
    TTreeNode* last = nullptr;
    for (const TPageNode& n : PageNodes) {
        last = nodes->Add(last, n.Text);
        last->SetStateIndex(n.State);
    }
}

void TformMain::FormDestroy(TObject*) {
    destroying_ = true;
    // The drain stops first: nothing may be applied to what goes next.
    if (auto* timer = dynamic_cast<TTimer*>(FindComponent("Timer1")))
        timer->SetEnabled(false);
    if (queue_ == nullptr)
        return; // the window was never whole
    try {
        SaveCurrentSettings();
    } catch (const std::exception&) {
        // A settings folder that cannot be written must not keep the program from ending.
    }
    EndConnection();
    for (auto& closing : closing_)
        closing->WaitFor();
    closing_.clear();
    bootLink_.reset();
    service_.reset();
    // Pages go before the queue's elements are freed with it; nothing applies them any more.
    std::vector<TformIncl*> pages = Pages();
    for (TformIncl* page : pages)
        page->Free();
    currentPage_ = nullptr;
    queue_.reset();
    pageLog_.reset();
}

void TformMain::FormCloseQuery(TObject*, bool& canClose) {
    // The connection-progress window is up: the connect click is still running.
    if (connecting_)
        canClose = false;
}

// ---- pages --------------------------------------------------------------------------------------

std::vector<TformIncl*> TformMain::Pages() const {
    std::vector<TformIncl*> pages;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* page = dynamic_cast<TformIncl*>(Components(i)))
            pages.push_back(page);
    return pages;
}

TformIncl* TformMain::PageOf(const char* className) const {
    for (TformIncl* page : Pages())
        if (page->ClassType()->ClassNameIs(className))
            return page;
    return nullptr;
}

void TformMain::ShowPage(TformIncl* page) {
    if (page == nullptr)
        return;
    if (currentPage_ != nullptr && currentPage_ != page)
        currentPage_->Hide();
    TFrSplitterPane* pane = Part<TFrSplitter>("FrSplitter2")->LowerRightPane();
    page->SetBoundsRect(pane->ClientRect());
    page->Show();
    page->BringToFront();
    currentPage_ = page;
}

void TformMain::DockPage(TformIncl* page) {
    TFrSplitterPane* pane = Part<TFrSplitter>("FrSplitter2")->LowerRightPane();
    page->SetParent(pane);
    page->SetAlign(alClient);
    page->SetBoundsRect(pane->ClientRect());
    page->Show();
}

void TformMain::tv1Change(TObject*, TTreeNode* node) {
    if (node == nullptr)
        return;
    const int state = node->StateIndex();
    if (state >= 0 && state < static_cast<int>(std::size(PageClassOfState)))
        ShowPage(PageOf(PageClassOfState[state]));
}

// ---- the drain timer ----------------------------------------------------------------------------

void TformMain::Timer1Timer(TObject* sender) {
    auto* timer = dynamic_cast<TTimer*>(sender);
    if (queue_ == nullptr || destroying_)
        return;
    if (timer != nullptr)
        timer->SetEnabled(false);
    // Connections whose threads have ended are taken before the drain, so that everything they
    // queued is applied (or dropped) before they are freed.
    std::vector<TConnection*> ended;
    for (auto& closing : closing_)
        if (closing->Finished())
            ended.push_back(closing.get());
    if (queue_->PeekKind() != okNone)
        DrainOutArray(*queue_);
    FreeEndedConnections(ended);
    if (timer != nullptr && !destroying_)
        timer->SetEnabled(true);
}

void TformMain::FreeEndedConnections(const std::vector<TConnection*>& ended) {
    for (TConnection* connection : ended)
        for (auto it = closing_.begin(); it != closing_.end(); ++it)
            if (it->get() == connection) {
                closing_.erase(it);
                break;
            }
}

// ---- connection state ---------------------------------------------------------------------------

TController* TformMain::LiveController() const {
    return connection_ != nullptr ? connection_->Controller() : nullptr;
}

void TformMain::SetConnectedState() {
    Tool("tbtnConnect")->SetEnabled(false);
    Item("mnuConnect")->SetEnabled(false);
    for (const char* name : ConnectedTools)
        Tool(name)->SetEnabled(true);
    for (const char* name : ConnectedItems)
        Item(name)->SetEnabled(true);
}

void TformMain::SetDisconnectedState() {
    Tool("tbtnConnect")->SetEnabled(true);
    Item("mnuConnect")->SetEnabled(true);
    for (const char* name : ConnectedTools)
        Tool(name)->SetEnabled(false);
    for (const char* name : ConnectedItems)
        Item(name)->SetEnabled(false);
    // A command that was running when the connection went leaves its controls to the window.
    Part<TControl>("tv1")->SetEnabled(true);
    for (const char* name : Menus)
        Item(name)->SetEnabled(true);
    TStatusPanels* panels = StatusBar()->Panels();
    panels->Items(0)->SetText("");
    panels->Items(1)->SetText("");
}

void TformMain::DisableControls() {
    Part<TControl>("tv1")->SetEnabled(false);
    for (const char* name : LockedTools)
        Tool(name)->SetEnabled(false);
    for (const char* name : Menus)
        Item(name)->SetEnabled(false);
    Item("N4")->SetEnabled(false);
}

void TformMain::EnableControls() {
    Part<TControl>("tv1")->SetEnabled(true);
    for (const char* name : LockedTools)
        Tool(name)->SetEnabled(true);
    for (const char* name : Menus)
        Item(name)->SetEnabled(true);
    Item("N4")->SetEnabled(true);
}

TControllerView TformMain::MakeView() {
    TControllerView view;
    view.Queue = queue_.get();
    view.Log = Part<TFrMemo>("Memo1");
    if (splash_ != nullptr) {
        view.SplashText = splash_->StepPanel();
        view.SplashDone = splash_->DoneButton();
    }
    TStatusPanels* panels = StatusBar()->Panels();
    view.VersionPanel = panels->Items(2);
    view.FlashPanel = panels->Items(3);
    view.MainControls = MainControls();
    view.Pages = Pages();
    view.Adapt.Tree = Part<TFrTreeView>("tv1");
    view.Adapt.Common = PageOf("TformCommon");
    view.Adapt.Gprs = PageOf("TformGPRS");
    view.Adapt.History = PageOf("TformHistory");
    view.Adapt.Power = PageOf("TformPower");
    view.SettingsFile = SettingsFile();
    view.UpdateShowing = [this] { return update_ != nullptr && update_->Visible(); };
    view.ClearUpdateState = [this] {
        if (update_ != nullptr)
            update_->ClearUpdateState();
    };
    view.OfferUpdate = [this](const TUnitFirmware& unit) { OfferUpdate(unit); };
    return view;
}

TMainControls TformMain::MainControls() {
    TMainControls controls;
    controls.Tree = Part<TControl>("tv1");
    for (const char* name : {"tbtnDisconnect", "tbtnRead", "tbtnWrite", "tbtnReadAll",
                             "tbtnWriteAll", "tbtnDefault", "tbtnDefaultAll"})
        controls.ToolButtons.push_back(Tool(name));
    for (const char* name : Menus)
        controls.Menus.push_back(Item(name));
    return controls;
}

// ---- connect and disconnect ---------------------------------------------------------------------

void TformMain::tbtnConnectClick(TObject*) {
    if (connecting_ || connection_ != nullptr || queue_ == nullptr)
        return;
    connecting_ = true;
    struct TReset {
        bool& flag;
        ~TReset() { flag = false; }
    } reset{connecting_};
    WaitForClosingConnections();
    // After a built-in image was flashed the unit is connected again with the same choices.
    const bool again = update_ != nullptr && update_->State() == 3;
    if (again) {
        Sleep(100);
        Application->ProcessMessages();
    }
    TConnectChoice choice;
    TModalResult result = mrCancel;
    {
        TIniFile ini(SettingsFile());
        result = RunConnectDialog(this, ini, choice, again);
    }
    if (result == mrOk)
        ConnectWith(choice);
}

bool TformMain::ConnectWith(const TConnectChoice& choice) {
    auto connection = std::make_unique<TConnection>(
        Part<TFrMemo>("Memo1"), *queue_, choice,
        [this](TConnection& c) { ConnectionEndRequested(c); }, workerClock_);
    try {
        connection->Open();
    } catch (const std::exception& e) {
        Application->MessageBox(std::string("Ошибка при открытии Com порта! ") + e.what(),
                                Application->Title(), MB_OK);
        return false;
    }
    TStatusPanels* panels = StatusBar()->Panels();
    panels->Items(0)->SetText(choice.Port);
    panels->Items(1)->SetText(choice.Phone);
    bootLink_.reset();
    connection->Start(MakeView());
    connection_ = std::move(connection);
    TModalResult result = mrOk;
    if (splash_ != nullptr) {
        splash_->StepPanel()->SetCaption("");
        splash_->SetModalResult(mrNone);
        const bool wasConnecting = connecting_;
        connecting_ = true;
        result = splash_->ShowModal();
        connecting_ = wasConnecting;
    } else {
        // No progress window: wait for the connect sequence itself.
        while (connection_ != nullptr &&
               LiveController()->Outcome() == TController::TOutcome::Pending) {
            CheckSynchronize(10);
            Application->ProcessMessages();
        }
    }
    TController* controller = LiveController();
    if (result == mrOk && controller != nullptr &&
        controller->Outcome() == TController::TOutcome::Succeeded) {
        SetConnectedState();
        // The update offer may have come while the progress window showed: it keeps the window
        // locked.
        if (update_ != nullptr && update_->Visible())
            LockMainWindow(true);
        return true;
    }
    EndConnection();
    return false;
}

void TformMain::EndConnection() {
    if (connection_ != nullptr) {
        connection_->Retire();
        closing_.push_back(std::move(connection_));
        bootLink_.reset();
        // After whatever cursor the ended connection still handed over.
        TThread::Queue(nullptr, [] {
            if (Screen != nullptr)
                Screen->SetCursor(crDefault);
        });
    }
    if (!destroying_)
        SetDisconnectedState();
}

void TformMain::ConnectionEndRequested(TConnection& connection) {
    // A click queued by a connection that has already ended is dropped.
    if (&connection == connection_.get())
        EndConnection();
}

void TformMain::WaitForClosingConnections() {
    while (!closing_.empty()) {
        std::vector<TConnection*> ended;
        for (auto& closing : closing_)
            if (closing->Finished())
                ended.push_back(closing.get());
        if (ended.size() < closing_.size()) {
            CheckSynchronize(10);
            Application->ProcessMessages();
            continue;
        }
        // Everything the ended connections queued is applied before they go.
        DrainOutArray(*queue_);
        FreeEndedConnections(ended);
    }
}

void TformMain::tbtnDisconnectClick(TObject*) {
    EndConnection();
}

void TformMain::mnuExitClick(TObject*) {
    EndConnection();
    Close();
}

// ---- commands -----------------------------------------------------------------------------------

void TformMain::RunCommand(uint8_t code, bool write, bool allPages) {
    TController* controller = LiveController();
    if (controller == nullptr || connection_->Thread() == nullptr)
        return;
    if (allPages) {
        for (TformIncl* page : Pages())
            write ? page->PrepareWrite() : page->PrepareRead();
    } else {
        if (currentPage_ == nullptr)
            return;
        write ? currentPage_->PrepareWrite() : currentPage_->PrepareRead();
        controller->SetPage(currentPage_);
    }
    connection_->Thread()->SetCommand(code);
}

bool TformMain::Connected() {
    TController* controller = LiveController();
    return controller != nullptr && connection_->Thread() != nullptr &&
           controller->Outcome() == TController::TOutcome::Succeeded;
}

bool TformMain::RunPageCommand(uint8_t code) {
    if (!Connected())
        return false;
    connection_->Thread()->SetCommand(code);
    return true;
}

void TformMain::tbtnReadClick(TObject*) {
    RunCommand(cmdReadPage, false, false);
}

void TformMain::tbtnWriteClick(TObject*) {
    RunCommand(cmdWritePage, true, false);
}

void TformMain::tbtnReadAllClick(TObject*) {
    RunCommand(cmdReadAll, false, true);
}

void TformMain::tbtnWriteAllClick(TObject*) {
    RunCommand(cmdWriteAll, true, true);
}

void TformMain::tbtnDefaultClick(TObject*) {
    if (currentPage_ != nullptr)
        currentPage_->SetDefaults();
}

void TformMain::tbtnDefaultAllClick(TObject*) {
    for (TformIncl* page : Pages())
        page->SetDefaults();
}

void TformMain::N1Click(TObject* sender) {
    tbtnDefaultClick(sender);
}

void TformMain::N2Click(TObject* sender) {
    tbtnDefaultAllClick(sender);
}

// ---- settings files, log, About -----------------------------------------------------------------

void TformMain::mnuSaveClick(TObject*) {
    auto* dialog = Part<TSaveDialog>("SaveDialog");
    dialog->SetInitialDir(GetAppDir());
    if (!dialog->Execute())
        return;
    TMemIniFile ini(dialog->FileName());
    for (TformIncl* page : Pages())
        page->SaveToIni(ini);
    ini.UpdateFile();
}

void TformMain::mnuLoadClick(TObject*) {
    auto* dialog = Part<TOpenDialog>("OpenDialog");
    dialog->SetInitialDir(GetAppDir());
    if (!dialog->Execute())
        return;
    TMemIniFile ini(dialog->FileName());
    for (TformIncl* page : Pages())
        page->LoadFromIni(ini);
}

void TformMain::FrBitBtn1Click(TObject*) {
    Part<TFrMemo>("Memo1")->Lines()->Clear();
}

void TformMain::FrButton1Click(TObject*) {
    auto* dialog = Part<TSaveDialog>("SFD");
    if (dialog->Execute())
        Part<TFrMemo>("Memo1")->Lines()->SaveToFile(dialog->FileName(), &TEncoding::CP1251());
}

void TformMain::mnuAboutClick(TObject*) {
    if (about_ != nullptr)
        about_->ShowModal();
}
