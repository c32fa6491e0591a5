#pragma once
// The application object of the configurator's window tests, with the project's fonts only, and
// every message box answered OK and recorded instead of shown.

#include "platform/forms/Dialogs.h"
#include "platform/forms/Forms.h"
#include "tests/support/ProjectFonts.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace apptest {

// The texts of the message boxes shown since the last Clear (user-interface thread only).
inline std::vector<std::string>& Messages() {
    static std::vector<std::string> messages;
    return messages;
}

class ApplicationEnvironment : public ::testing::Environment {
public:
    ApplicationEnvironment(std::string name, std::function<void()> setUp = {})
        : name_(std::move(name)), setUp_(std::move(setUp)) {}
    void SetUp() override {
        UseProjectFontsOnly(name_.c_str());
        static int argc = 1;
        static char program[] = "test_app";
        static char* argv[] = {program, nullptr};
        app_ = std::make_unique<TApplication>(argc, argv);
        SetMessageBoxHook([](const TMessageBoxRequest& r) {
            Messages().push_back(r.Text);
            return 1; // IDOK
        });
        SetMessageDlgHook([](const TMessageDlgRequest& r) {
            Messages().push_back(r.Text);
            return mrOk;
        });
        if (setUp_)
            setUp_();
    }
    void TearDown() override { app_.reset(); }

private:
    std::string name_;
    std::function<void()> setUp_;
    std::unique_ptr<TApplication> app_;
};

} // namespace apptest
