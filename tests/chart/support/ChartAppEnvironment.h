#pragma once
// A chart test program's surroundings: an application over the offscreen platform with the
// project's fonts only, and the chart libraries under test started after it and stopped before it
// goes, the way the program starts and stops them.

#include "platform/forms/Forms.h"
#include "tests/support/ProjectFonts.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace charttest {

class TChartAppEnvironment : public ::testing::Environment {
public:
    TChartAppEnvironment(std::string fonts, std::string program, std::function<void()> start,
                         std::function<void()> stop)
        : fonts_(std::move(fonts)), program_(std::move(program)), start_(std::move(start)),
          stop_(std::move(stop)) {}

    void SetUp() override {
        UseProjectFontsOnly(fonts_.c_str());
        argv_[0] = program_.data();
        app_ = std::make_unique<TApplication>(argc_, argv_);
        start_();
    }
    void TearDown() override {
        stop_();
        app_.reset();
    }

private:
    std::string fonts_;
    std::string program_;
    std::function<void()> start_;
    std::function<void()> stop_;
    int argc_ = 1;
    char* argv_[2] = {nullptr, nullptr};
    std::unique_ptr<TApplication> app_;
};

} // namespace charttest
