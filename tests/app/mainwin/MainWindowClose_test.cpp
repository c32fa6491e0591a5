// Ending the program: closing while connected saves the pages first and disconnects after, and
// "current.ini" is always whole, even when the program is killed in the middle of saving it.

#include "app/firmware/FormUpdateIns.h"
#include "app/firmware/FormUpdateInsertion.h"
#include "app/mainwin/DlgSplash.h"
#include "app/mainwin/FormAbout.h"
#include "app/mainwin/FormMain.h"
#include "app/mainwin/ProgramWindows.h"
#include "app/pages/FormIncl.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Files.h"
#include "platform/stdctrls/Edit.h"
#include "tests/app/mainwin/MainWindowTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace mwtest;

TEST(MainWindowClose, ClosingWhileConnectedSavesThePagesBeforeDisconnecting) {
    TWindowRig rig;
    rig.Start();
    ASSERT_TRUE(rig.Connect());
    dynamic_cast<TEdit*>(rig.Control(rig.Page("TformCommon"), "etObjNum"))->SetText("1234");
    std::atomic<int> savedFirst{-1};
    const std::string ini = rig.IniFile();
    rig.Sim().SetTrace([&](const TWireLog::TEntry& entry) {
        if (entry.Direction == TWireLog::wdFromPc &&
            entry.Bytes.find("CABLE DISCONNECT") != std::string::npos && savedFirst < 0)
            savedFirst = ReadFile(ini).find("etObjNum=1234") != std::string::npos ? 1 : 0;
    });
    rig.Quit();
    rig.Sim().SetTrace(nullptr);
    EXPECT_EQ(savedFirst.load(), 1);
    EXPECT_EQ(IniValue(ini, "formCommon", "etObjNum"), "1234");
}

// The child: makes and ends the program's windows in the folder it is given, again and again,
// each time with another object number, until it is killed.
TEST(MainWindowClose, SaveLoopChild) {
    const char* folder = std::getenv("Q4_SAVE_LOOP_DIR");
    if (folder == nullptr)
        GTEST_SKIP() << "run by SettingsAreWholeAfterAKillAtAnyMoment";
    SetProgramFileName(std::string(folder) + "quorvan4");
    for (int round = 0;; ++round) {
        TProgramWindows w = CreateProgramWindows(*Application);
        TformIncl* common = w.Main->PageOf("TformCommon");
        dynamic_cast<TEdit*>(common->FindComponent("etObjNum"))
            ->SetText(std::to_string(1000 + round % 9000));
        FreeProgramWindows(w);
    }
}

namespace {

// The identity of the saved file: each save replaces it by a new file.
std::string SavedStamp(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return "";
    return std::to_string(info.st_ino) + ":" + std::to_string(info.st_mtim.tv_sec) + "." +
           std::to_string(info.st_mtim.tv_nsec);
}

bool WaitUntil(const std::function<bool()>& done, int ms) {
    for (int waited = 0; waited < ms; waited += 10) {
        if (done())
            return true;
        usleep(10000);
    }
    return done();
}

} // namespace

TEST(MainWindowClose, SettingsAreWholeAfterAKillAtAnyMoment) {
    const std::string folder = TempFolder();
    const std::string ini = folder + "current.ini";
    const std::string self = std::filesystem::read_symlink("/proc/self/exe");
    std::mt19937 random(22);
    std::uniform_int_distribution<int> delay(30, 600);
    for (int round = 0; round < 12; ++round) {
        const std::string env = "Q4_SAVE_LOOP_DIR=" + folder;
        std::vector<std::string> envs = {env, "QT_QPA_PLATFORM=offscreen"};
        for (char** e = environ; *e != nullptr; ++e)
            envs.emplace_back(*e);
        std::vector<char*> envp;
        for (std::string& e : envs)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        std::string filter = "--gtest_filter=MainWindowClose.SaveLoopChild";
        char* argv[] = {const_cast<char*>(self.c_str()), filter.data(), nullptr};
        const std::string before = SavedStamp(ini);
        pid_t child = 0;
        ASSERT_EQ(posix_spawn(&child, self.c_str(), nullptr, nullptr, argv, envp.data()), 0);
        // The kill lands at a random moment of the loop, not of the start-up, however long a
        // loaded or instrumented child takes to make its windows: the loop has saved once first.
        const bool saving = WaitUntil([&] { return SavedStamp(ini) != before; }, 120000);
        usleep(static_cast<useconds_t>(delay(random) * 1000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(saving) << "the child never saved";
        // Whatever moment the kill came at, the file is a whole one: every page's section with
        // its keys, the last one included.
        for (const auto& [section, key] :
             {std::pair{"formCommon", "etObjNum"}, std::pair{"formGPRS", "etGPRSphone"},
              std::pair{"formPhones", "cbPhones"}, std::pair{"formPower", "meEdgeign"},
              std::pair{"formGPS", "etLoad"}})
            EXPECT_NE(IniValue(ini, section, key), "<missing>") << round << " " << section;
    }
    std::filesystem::remove_all(folder);
}

// The program ends by freeing its dialogs before the main window, which then still saves, ends
// its connection and applies what the connection handed over. A dialog already gone must be gone
// for the main window too: a connection, an update offer or a close question afterwards reaches
// no freed window.
TEST(MainWindowClose, ADialogFreedFirstIsLetGoByTheMainWindow) {
    using TDialog = TWindowRig::TDialog;
    const struct Case {
        const char* name;
        TDialog dialog;
        bool (*held)(const TformMain&);
    } cases[] = {
        {"progress", TDialog::Splash,
         [](const TformMain& m) { return m.SplashWindow() != nullptr; }},
        {"about", TDialog::About, [](const TformMain& m) { return m.AboutWindow() != nullptr; }},
        {"update", TDialog::Update, [](const TformMain& m) { return m.UpdateWindow() != nullptr; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TRigOptions options;
        options.Version = "REV 07.503.088"; // older than the built-in image: an update is offered
        TWindowRig rig(options);
        rig.Start();
        ASSERT_TRUE(c.held(*rig.Main()));
        rig.FreeDialog(c.dialog);
        EXPECT_FALSE(c.held(*rig.Main()));

        ASSERT_TRUE(rig.Connect());
        PumpUntil([] { return false; }, 300); // the hand-overs after the connect
        rig.Main()->mnuAboutClick(nullptr);
        if (c.dialog == TDialog::Update) {
            EXPECT_TRUE(rig.Main()->CloseQuery()) << "no flashing without the dialog";
        }
        rig.Quit();
    }
}

// The application frees the windows it owns last first, telling the others only of those that
// asked: the main window, made first, goes last and must not keep a dialog freed before it.
TEST(MainWindowClose, AnOwnerFreeingItsWindowsLastFirstLeavesNoDialogToTheMainWindow) {
    TRigOptions options;
    options.StartUnit = false;
    TWindowRig rig(options); // the settings folder
    TComponent owner(nullptr);
    auto* main = TCustomForm::Create<TformMain>(&owner);
    auto* splash = TCustomForm::Create<TdlgSplash>(&owner);
    auto* about = TCustomForm::Create<TFormAbout>(&owner);
    TformUpdateIns* update = TformUpdateIns::Create(&owner, *main);
    main->AttachWindows(splash, about, update);

    bool destroyed = false;
    bool heldSplash = true, heldAbout = true, heldUpdate = true;
    const TNotifyEvent formDestroy = main->OnDestroy;
    main->OnDestroy = [&](TObject* sender) {
        destroyed = true;
        heldSplash = main->SplashWindow() != nullptr;
        heldAbout = main->AboutWindow() != nullptr;
        heldUpdate = main->UpdateWindow() != nullptr;
        if (formDestroy)
            formDestroy(sender);
    };
    owner.DestroyComponents();
    ASSERT_TRUE(destroyed);
    EXPECT_FALSE(heldSplash);
    EXPECT_FALSE(heldAbout);
    EXPECT_FALSE(heldUpdate);
}
