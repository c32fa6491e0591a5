#pragma once
// The main window (TformMain): the page tree on the left, the shown settings page on the right,
// the log with its two buttons below, the tool bar and menus that start every operator action,
// and the status bar (port, phone, firmware version, flash type) with the service progress bar
// inside its fourth panel. It owns what lives as long as the program (the output queue and the six
// pages) and the connection of the moment (see Connection.h); it never talks to a unit itself:
// every device action is a command code for the connection's worker thread, and the 50 ms drain
// timer applies what the worker queued.
//
// Mended: the window turns connected only when the connect succeeded and its connection still
// stands; the tool handlers do nothing without a connection; a click queued by a connection that
// has ended is dropped; closing is refused while connecting or flashing; the drain timer stops
// first when the window goes; Cancel during a connect gives the window back at once (the ended
// attempt hangs up on its own thread, and a new connect waits for it); pages are saved to
// "current.ini" in one atomic replace.

#include "app/connect/DlgConnect.h"
#include "app/firmware/FirmwareHost.h"
#include "app/pages/PageCommands.h"
#include "platform/forms/Forms.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TConnection;
class TController;
class TCustomImageList;
class TDevBootLink;
class TFormAbout;
class TFrMemo;
class TFrProgressBar;
class TFrSplitter;
class TFrTreeView;
class TLogMemoWriter;
class TServiceFlashing;
class TMenuItem;
class TOutArray;
class TStatusBar;
class TTimer;
class TToolButton;
class TWorkerClock;
class TTreeNode;
class TdlgSplash;
class TformIncl;
class TformUpdateIns;
struct TControllerView;
struct TMainControls;
struct TUnitFirmware;

class TformMain : public TForm, public TUpdateHost, public TServiceFlashHost, public TPageCommands {
    Q4_CLASS(TformMain, TForm)
public:
    explicit TformMain(TComponent* owner);
    ~TformMain() override;
    static void DeclareMethods(TMethodTable& m);

    // The windows made after the main window (the connection-progress window, About, the update
    // dialog); any may be null. The window lets go of each one as it is freed, whatever frees it
    // first: the program ending frees the dialogs before the main window.
    void AttachWindows(TdlgSplash* splash, TFormAbout* about, TformUpdateIns* update);
    TdlgSplash* SplashWindow() const { return splash_; }
    TFormAbout* AboutWindow() const { return about_; }
    TformUpdateIns* UpdateWindow() const { return update_; }

    void ShowPage(TformIncl* page);
    void DockPage(TformIncl* page);
    // Every page, in component order (Common, GPRS, History, Phones, Power, GPS).
    std::vector<TformIncl*> Pages() const;
    TformIncl* CurrentPage() const { return currentPage_; }
    TformIncl* PageOf(const char* className) const;
    void SetConnectedState();
    void SetDisconnectedState();
    // Directly, for the update dialog.
    void DisableControls();
    void EnableControls();

    // The connection of the moment, with its controller; null when disconnected.
    TConnection* Connection() const { return connection_.get(); }
    TController* LiveController() const;
    // Connections let go of whose worker threads still hang up.
    size_t ClosingConnections() const { return closing_.size(); }
    TOutArray& Queue() const { return *queue_; }
    std::string SettingsFile() const;

    // Connects with the given choices (no dialog): opens the port, starts the connection and
    // shows the progress window. True when the window ends connected.
    bool ConnectWith(const TConnectChoice& choice);
    // The clock the connections' workers and the flashings time their waits by (the machine's
    // when null); tests hand in a faster one.
    void SetWorkerClock(TWorkerClock* clock);
    // Lets go of the connection (if any) and shows the disconnected state.
    void EndConnection();
    // Waits, keeping the windows alive, until every connection let go of has hung up.
    void WaitForClosingConnections();

    // Handlers named by the description.
    void FormCreate(TObject* sender);
    void FormDestroy(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);
    void Timer1Timer(TObject* sender);
    void tv1Change(TObject* sender, TTreeNode* node);
    void tbtnConnectClick(TObject* sender);
    void tbtnDisconnectClick(TObject* sender);
    void tbtnReadClick(TObject* sender);
    void tbtnWriteClick(TObject* sender);
    void tbtnReadAllClick(TObject* sender);
    void tbtnWriteAllClick(TObject* sender);
    void tbtnDefaultClick(TObject* sender);
    void tbtnDefaultAllClick(TObject* sender);
    void N1Click(TObject* sender);
    void N2Click(TObject* sender);
    void N4Click(TObject* sender);
    void mnuSaveClick(TObject* sender);
    void mnuLoadClick(TObject* sender);
    void mnuExitClick(TObject* sender);
    void mnuAboutClick(TObject* sender);
    void FrBitBtn1Click(TObject* sender);
    void FrButton1Click(TObject* sender);

    // TPageCommands and TServiceFlashHost: a connection stands.
    bool Connected() override;
    // TPageCommands: a page's command, only while connected.
    bool RunPageCommand(uint8_t code) override;

    // TUpdateHost.
    std::string UnitVersionText() override;
    int UnitBuild() override;
    bool UnitVariantFlag() override;
    std::string FlashTypeText() override;
    void LockMainWindow(bool locked) override;
    void AddCaptionSuffix(const std::string& suffix) override;
    void ShowUnitVersion(const std::string& text) override;
    void StopWorker() override;
    TBootLink* BootLink() override;
    void ClearModemAbort() override;
    void CancelRequests() override;
    void Reconnect(bool silently) override;

    // TServiceFlashHost (BootLink above serves both).
    bool PauseWorker() override;
    void DisableMainControls() override;
    void EnableMainControls() override;
    TFrCustomProgressBar* ProgressBar() override;
    void LogLine(const std::string& line) override;
    void Disconnect() override;
    // The service flashing of the moment (null before the first); for the close guard and tests.
    TServiceFlashing* ServiceFlashing() const { return service_.get(); }
    // How long the service flashing waits for the worker to hold off.
    static constexpr uint32_t WorkerPauseWaitMs = 5000;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    template <class T> T* Part(const char* name) const;
    TToolButton* Tool(const char* name) const;
    TMenuItem* Item(const char* name) const;
    TStatusBar* StatusBar() const;
    void CreatePages();
    void FillPageTree();
    void PlaceProgressBar();
    void LoadCurrentSettings();
    void SaveCurrentSettings();
    TControllerView MakeView();
    TMainControls MainControls();
    void ConnectionEndRequested(TConnection& connection);
    void OfferUpdate(const TUnitFirmware& unit);
    // Sets a command for the connection's worker thread after preparing the pages; nothing
    // without a connection.
    void RunCommand(uint8_t code, bool write, bool allPages);
    void FreeEndedConnections(const std::vector<TConnection*>& ended);

    std::unique_ptr<TOutArray> queue_;
    std::unique_ptr<TLogMemoWriter> pageLog_;
    std::unique_ptr<TCustomImageList> toolImages_;
    TformIncl* currentPage_ = nullptr;
    std::unique_ptr<TConnection> connection_;
    std::vector<std::unique_ptr<TConnection>> closing_;
    std::unique_ptr<TDevBootLink> bootLink_;
    std::unique_ptr<TServiceFlashing> service_;
    TdlgSplash* splash_ = nullptr;
    TFormAbout* about_ = nullptr;
    TformUpdateIns* update_ = nullptr;
    TWorkerClock* workerClock_ = nullptr;
    bool connecting_ = false;
    bool destroying_ = false;
};

// Puts the main window and every class its description names in the class registry.
void RegisterMainWindowClasses();
