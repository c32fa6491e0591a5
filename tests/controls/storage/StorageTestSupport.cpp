#include "StorageTestSupport.h"

#include "controls/storage/StorageComponents.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Dialogs.h"
#include "platform/rtl/Diagnostics.h"
#include "platform/rtl/Files.h"
#include "tests/controls/support/ControlsTestApp.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

void TCountingForm::DeclareMethods(TMethodTable& m) {
    m.Add("FormCreate", &TCountingForm::FormCreate);
    m.Add("FormShow", &TCountingForm::FormShow);
    m.Add("FormClose", &TCountingForm::FormClose);
}

namespace storagetest {

Recorded& Record() {
    static Recorded r;
    return r;
}

namespace {
// Message dialogs and diagnostic lines are recorded instead of shown.
[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(
    new controlstest::ApplicationEnvironment("controls-storage-fonts", [] {
        Application->SetTitle("Storage test");
        SetMessageDlgHook([](const TMessageDlgRequest& r) {
            Record().Dialogs.push_back(r.Text);
            return mrOk;
        });
        SetDiagnosticSink([](const std::string& line) { Record().Diagnostics.push_back(line); });
        RegisterStorageComponents();
        RegisterClasses<TPlacementForm, TDialogPlacementForm, TUnstoredPlacementForm>();
    }));
} // namespace

void StorageTest::SetUp() {
    char tmpl[] = "/tmp/q4-storage-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root_ = tmpl;
    programFolder_ = root_ + "/program/";
    configHome_ = root_ + "/config/";
    ForceDirectories(programFolder_);
    SetProgramFileName(programFolder_ + "quorvan4");
    setenv("XDG_CONFIG_HOME", configHome_.c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ + "/data").c_str(), 1);
    Record() = {};
}

void StorageTest::TearDown() {
    SetProgramFileName("");
    std::filesystem::remove_all(root_);
}

std::string ConfigParserSection(const std::string& file, const std::string& section) {
    const std::string script = "import configparser, sys\n"
                               "c = configparser.ConfigParser(interpolation=None)\n"
                               "c.optionxform = str\n"
                               "try:\n"
                               "    c.read(sys.argv[1], encoding='cp1251')\n"
                               "except configparser.Error:\n"
                               "    print('<unreadable>'); sys.exit(0)\n"
                               "if not c.has_section(sys.argv[2]):\n"
                               "    print('<no section>'); sys.exit(0)\n"
                               "for k, v in c.items(sys.argv[2]):\n"
                               "    print(k + '=' + v)\n";
    const std::string command =
        "/usr/bin/python3 -c \"$Q4_SCRIPT\" '" + file + "' '" + section + "'";
    setenv("Q4_SCRIPT", script.c_str(), 1);
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[256];
        while (fgets(buf, sizeof buf, p))
            out += buf;
        pclose(p);
    }
    return out;
}

void Settle() {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 50)
        QCoreApplication::processEvents();
}

} // namespace storagetest
