#pragma once
// The gallery tests: a per-test folder for the per-user preferences, a series type that refuses
// every other series (so a validity check disables its samples) on its own gallery page
// registered before the standard types, pages of n sample types, a shown form holding a gallery
// panel, and the mouse and keys as the user gives them.

#include "chart/editors/gallery/GalleryPanel.h"
#include "chart/series/LineSeries.h"
#include "platform/forms/Forms.h"

#include <gtest/gtest.h>

#include <QEvent>

#include <optional>
#include <string>

// A line series that takes no other series' place.
class TRefusingSeries : public TLineSeries {
    Q4_CLASS(TRefusingSeries, TLineSeries)
public:
    explicit TRefusingSeries(TComponent* owner) : TLineSeries(owner) {}
    bool AcceptsAsSource(TChartSeries*) const override { return false; }
};

namespace gallerytest {

// The page the refusing type is on (registered before the standard types).
extern const std::string kExtrasPage;
// A page of n line-series sample types (n = 1 .. 16), registered on first use.
std::string PageOfTypes(int n);

// The preference as stored in the per-user file (none when absent).
std::optional<int> StoredOption(const std::string& name);
void StoreOption(const std::string& name, int value);

// Mouse and keys at client pixels of a windowed control.
void Mouse(TWinControl* control, QEvent::Type type, int x, int y);
void DoubleClickAt(TWinControl* control, int x, int y);
void Key(TWinControl* control, int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier);

// Each test starts with an empty preferences folder of its own.
class PreferencesTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string folder;
    std::string previous;
    bool hadPrevious = false;
};

// A shown 480 x 380 form with a gallery panel filling it.
class GalleryPanelTest : public PreferencesTest {
protected:
    void SetUp() override;
    void TearDown() override;
    int IndexOfSelected() const { return gallery->Charts().IndexOf(gallery->SelectedChart()); }
    TGalleryChart* ChartN(int i) const { return gallery->Charts().Items(i); }
    // Clicks the middle of sample i.
    void ClickChart(int i);

    TForm* form = nullptr;
    TChartGalleryPanel* gallery = nullptr;
};

} // namespace gallerytest
