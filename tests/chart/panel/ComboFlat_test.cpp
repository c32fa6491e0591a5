// The flat combo box: flat until the mouse is over it or it has the focus, its list's width
// stored only when it differs from the box's, and its current item.

#include "tests/chart/panel/PanelTestSupport.h"

#include "chart/draw/DrawLibrary.h"
#include "chart/panel/ComboFlat.h"
#include "platform/classes/Streaming.h"
#include "tests/chart/support/ChartTestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEnterEvent>

#include <cstdlib>
#include <string>

using namespace paneltest;
using charttest::PixelAt;

namespace {

class ComboFlatFixture : public PanelFixture {
protected:
    void SetUp() override {
        PanelFixture::SetUp();
        combo = new TComboFlat(form);
        combo->SetParent(form);
        combo->SetBounds(10, 10, 120, 21);
        combo->Items()->Add("Первый");
        combo->Items()->AddObject("Второй", form);
        combo->Handle();
    }
    void Enter() {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(combo->Handle(), &enter);
    }
    void Leave() {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(combo->Handle(), &leave);
    }
    TComboFlat* combo = nullptr;
};

} // namespace

TEST_F(ComboFlatFixture, StartsAsAListTwentyOnePixelsHigh) {
    EXPECT_EQ(combo->Height(), 21);
    EXPECT_EQ(combo->ItemHeight(), 13);
    EXPECT_EQ(combo->Style(), csDropDownList);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->CurrentText(), "");
    EXPECT_EQ(combo->CurrentObject(), nullptr);
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->CurrentText(), "Второй");
    EXPECT_EQ(combo->CurrentObject(), form);
}

TEST_F(ComboFlatFixture, OnAJapaneseDesktopWritesInTheChartFont) {
    ASSERT_EQ(DefaultChartFontName(), "Arial");
    EXPECT_NE(combo->Font()->Name(), DefaultChartFontName());
    const char* was = std::getenv("LC_ALL");
    const std::string saved = was != nullptr ? was : "";
    setenv("LC_ALL", "ja_JP.UTF-8", 1);
    auto* japanese = new TComboFlat(form);
    if (saved.empty())
        unsetenv("LC_ALL");
    else
        setenv("LC_ALL", saved.c_str(), 1);
    EXPECT_EQ(japanese->Font()->Name(), DefaultChartFontName());
    EXPECT_EQ(japanese->Font()->Size(), DefaultChartFontSize());
}

TEST_F(ComboFlatFixture, LooksFlatUntilTheMouseIsOverIt) {
    combo->SetItemIndex(0);
    const QImage flat = Grab(combo);
    charttest::SavePicture(flat, "combo-flat");
    const TColor face = ColorToRGB(clBtnFace), window = ColorToRGB(clWindow);
    // The two outer rings in the face colour, the button area framed in the window colour.
    for (int ring = 0; ring < 2; ++ring) {
        EXPECT_EQ(PixelAt(flat, ring, 10), face);
        EXPECT_EQ(PixelAt(flat, 60, ring), face);
        EXPECT_EQ(PixelAt(flat, 119 - ring, 10), ring == 0 ? face : window);
        EXPECT_EQ(PixelAt(flat, 60, 20 - ring), face);
    }
    const int button = 120 - TComboFlat::ButtonWidth - 2;
    EXPECT_EQ(PixelAt(flat, button, 10), window);
    EXPECT_EQ(PixelAt(flat, button + 5, 1), window);

    Enter();
    EXPECT_TRUE(combo->MouseInside());
    const QImage hovered = Grab(combo);
    charttest::SavePicture(hovered, "combo-hovered");
    EXPECT_NE(hovered, flat);
    EXPECT_NE(PixelAt(hovered, button, 10), window);
    Leave();
    EXPECT_FALSE(combo->MouseInside());
    EXPECT_EQ(Grab(combo), flat);

    // With the focus it keeps the platform's look as well.
    combo->SetFocus();
    QApplication::processEvents();
    if (combo->Focused()) {
        EXPECT_NE(Grab(combo), flat);
    }
}

TEST_F(ComboFlatFixture, ListWidthIsStoredOnlyWhenWiderThanTheBox) {
    combo->SetName("Combo");
    auto* view = static_cast<QComboBox*>(combo->Handle())->view();
    EXPECT_EQ(ComponentToText(combo).find("DropDownWidth"), std::string::npos);
    combo->SetDropDownWidth(120); // the box's own width
    EXPECT_EQ(ComponentToText(combo).find("DropDownWidth"), std::string::npos);
    combo->SetDropDownWidth(200);
    EXPECT_EQ(view->minimumWidth(), 200);
    EXPECT_NE(ComponentToText(combo).find("DropDownWidth = 200"), std::string::npos);

    auto* read = new TComboFlat(form);
    read->SetParent(form);
    read->SetBounds(0, 0, 90, 21);
    ReadComponentDescription("object Other: TComboFlat\n  Width = 90\n  DropDownWidth = 150\nend\n",
                             read);
    EXPECT_EQ(read->DropDownWidth(), 150);
}
