#pragma once
// The tool editor tests: the chart tools started for the suite, a 400 x 300 chart on a shown
// form for the tools to sit on, and an editor form shown the way the chart editor shows it, in a
// page of a host window.

#include "platform/forms/Forms.h"

#include <gtest/gtest.h>

class TChart;

namespace edtest {

class ToolEditorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Shows editor filling a host window of the given client size (the host frees it).
    void ShowEmbedded(TCustomForm* editor, int width, int height);
    TCustomForm* Host() const { return host_; }

    TForm* form = nullptr;
    TChart* chart = nullptr;

private:
    TForm* host_ = nullptr;
};

} // namespace edtest
