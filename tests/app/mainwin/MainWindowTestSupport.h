#pragma once
// What the main window's tests share: the program's windows made as the program makes them, in a
// fresh settings folder, a simulated unit on a pseudo-terminal named COM9 through the platform's
// port-name override, the connect dialog answered by the test, and a wait that keeps the windows
// and the worker's hand-overs running.

#include "device/WorkerClock.h"
#include "tools/unitsim/UnitSim.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCustomForm;
class TControl;
class TdlgConnect;
class TformIncl;
class TformMain;
class TdlgSplash;
class TformUpdateIns;
class TSimBootloader;
struct TProgramWindows;

namespace mwtest {

// Ten milliseconds of its own for each one of the wall clock: the connect sequence's pauses pass
// quickly while a reply still gets real time to come.
class TFastClock : public TWorkerClock {
public:
    static constexpr int Factor = 10;
    uint32_t Ticks() override;
    void Sleep(uint32_t ms) override;

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Runs the windows and the hand-overs until `done` holds or `ms` of wall time pass.
bool PumpUntil(const std::function<bool()>& done, int ms);
// Milliseconds since `start`.
long long MsSince(std::chrono::steady_clock::time_point start);

std::string TempFolder();
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
// A key of an ini file as Python's configparser reads it (Windows-1251), "<missing>" when absent.
std::string IniValue(const std::string& file, const std::string& section, const std::string& key);

struct TRigOptions {
    bool Modem = false;
    bool FastClock = true;
    bool StartUnit = true;
    std::string Version = "REV 07.503.090";
};

// The program's windows in a fresh settings folder, with a simulated unit as COM9.
class TWindowRig {
public:
    explicit TWindowRig(TRigOptions options = {});
    ~TWindowRig();

    // Creates the windows (as the program starts); `iniText` is written to "current.ini" first
    // when not empty.
    void Start(const std::string& iniText = "");
    // Frees the windows as the program ends.
    void Quit();
    // Frees one of the dialogs now, as ending the program does before the main window goes.
    enum class TDialog { Splash, About, Update };
    void FreeDialog(TDialog which);

    TformMain* Main() const;
    TdlgSplash* Splash() const;
    TformUpdateIns* Update() const;
    TUnitSim& Sim() { return *sim_; }
    const std::string& Folder() const { return folder_; }
    std::string IniFile() const { return folder_ + "current.ini"; }

    // What the connect dialog does when it shows: by default COM9, the rig's link, OK.
    std::function<void(TdlgConnect&)> OnConnectDialog;
    // What the test does while the connection-progress window shows (nothing by default).
    std::function<void(TdlgSplash&)> OnSplash;
    // What any other modal window does (by default it closes with OK).
    std::function<void(TCustomForm&)> OnOtherModal;
    // Clicks "Подключиться" and returns when the click handler has returned.
    void ClickConnect();
    // Connects and checks that the window ended connected.
    bool Connect();
    void ClickTool(const char* name);
    bool ToolEnabled(const char* name) const;
    std::string StatusText(int panel) const;
    std::vector<std::string> MemoLines() const;
    // The page of that class.
    TformIncl* Page(const char* className) const;
    TControl* Control(TformIncl* page, const char* name) const;

private:
    TRigOptions options_;
    std::string folder_;
    std::unique_ptr<TUnitSim> sim_;
    std::unique_ptr<TFastClock> clock_;
    std::unique_ptr<TProgramWindows> windows_;
};

// The simulated unit's bootloader for the length of a test, made and freed under the simulator's
// lock.
class TRigBootloader {
public:
    explicit TRigBootloader(TUnitSim& sim);
    ~TRigBootloader();
    // Runs `action` on the bootloader with the simulator's state locked.
    void Run(const std::function<void(TSimBootloader&)>& action);

private:
    TUnitSim& sim_;
    std::unique_ptr<TSimBootloader> boot_;
};

} // namespace mwtest
