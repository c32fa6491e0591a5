#pragma once
// The application every test program of the framed controls runs with: offscreen, with the
// project's fonts only (a font cache of its own under `name`).

#include "platform/forms/Forms.h"
#include "tests/support/ProjectFonts.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace controlstest {

class ApplicationEnvironment : public ::testing::Environment {
public:
    ApplicationEnvironment(std::string name, std::function<void()> setUp = {})
        : name_(std::move(name)), setUp_(std::move(setUp)) {}
    void SetUp() override {
        UseProjectFontsOnly(name_.c_str());
        static int argc = 1;
        static char program[] = "test_controls";
        static char* argv[] = {program, nullptr};
        app_ = new TApplication(argc, argv);
        if (setUp_)
            setUp_();
    }
    void TearDown() override {
        delete app_;
        app_ = nullptr;
    }

private:
    std::string name_;
    std::function<void()> setUp_;
    TApplication* app_ = nullptr;
};

} // namespace controlstest
