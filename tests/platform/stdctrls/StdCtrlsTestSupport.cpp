// One application for every control test: offscreen, with only the project's fonts (so that
// pictures come out the same everywhere), and a message-box hook so that nothing waits for a
// person.
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Forms.h"
#include "platform/stdctrls/Registration.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("FONTCONFIG_FILE")) {
            QString dir = QStringLiteral(Q4_BINARY_DIR "/stdctrls-fonts");
            QDir().mkpath(dir);
            QFile conf(dir + QStringLiteral("/fonts.conf"));
            if (conf.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                conf.write("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                           "<fontconfig>\n"
                           "  <dir>/usr/share/fonts/truetype/liberation2</dir>\n"
                           "  <dir>/usr/share/fonts/truetype/dejavu</dir>\n"
                           "  <cachedir>" +
                           dir.toUtf8() + "/cache</cachedir>\n</fontconfig>\n");
                conf.close();
                qputenv("FONTCONFIG_FILE", conf.fileName().toUtf8());
            }
        }
        static int argc = 1;
        static char name[] = "test_platform_stdctrls";
        static char* argv[] = {name, nullptr};
        app_ = new TApplication(argc, argv);
        // An exception escaping a handler is shown in a message box; here it fails the test.
        SetMessageBoxHook([](const TMessageBoxRequest& r) {
            ADD_FAILURE() << "message box: " << r.Text;
            return mrOk;
        });
        RegisterStdControls();
    }
    void TearDown() override {
        delete app_;
        app_ = nullptr;
    }

private:
    TApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const kApp =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace
