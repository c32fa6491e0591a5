#pragma once
// The chart export tests: a panel of a known back colour with a red block and a blue block, on a
// shown form, with the export library started around the test program.

#include "chart/draw/PlotCanvas3D.h"
#include "chart/export/PlotExportFormat.h"
#include "chart/panel/PlotPanelExtended.h"
#include "platform/forms/Forms.h"

#include <gtest/gtest.h>

#include <string>

namespace exporttest {

constexpr TColor kBack = 0x0000C0FF; // orange
constexpr TRect kRedBlock{20, 20, 80, 60};
constexpr TRect kBlueBlock{110, 40, 180, 90};

class TBlocksPanel : public TCustomPlotPanelExtended {
    Q4_CLASS(TBlocksPanel, TCustomPlotPanelExtended)
public:
    explicit TBlocksPanel(TComponent* owner);

protected:
    void DrawToRect(const TRect& r) override;
};

// A drawing canvas that renders true 3D (the panel then exports 24-bit bitmaps only).
class TTrue3DCanvas : public TPlotCanvas3D {
public:
    bool RendersTrue3D() override { return true; }
};

class ExportFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    TForm* form = nullptr;
    TBlocksPanel* panel = nullptr;
};

// Runs a Python program that prints one line and answers that line without its line end.
std::string Oracle(const std::string& program);
// Saves what the format exports to the output file of that name and answers its path.
std::string SaveExport(TPlotExportFormat& format, const std::string& name);
// A path for the test's output file, in the test program's own temporary folder.
std::string OutputPath(const std::string& name);

} // namespace exporttest
