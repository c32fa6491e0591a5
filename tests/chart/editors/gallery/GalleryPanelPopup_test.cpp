// The sub-gallery pop-up: opened by a click on the selected sample's arrow or by Alt+Down, one
// sample per sub-style of the sample's class; a sub-style chosen there by keys or double click
// goes to the main sample (the first one rebuilds its series), Escape leaves it as it was.

#include "tests/chart/editors/gallery/GalleryTestSupport.h"

#include "chart/draw/ChartMessages.h"
#include "chart/series/CustomSeries.h"
#include "tests/chart/editors/EditorTestSupport.h"

#include <functional>
#include <vector>

using namespace gallerytest;

namespace {

class GalleryPopupTest : public GalleryPanelTest {
protected:
    void SetUp() override {
        GalleryPanelTest::SetUp();
        gallery->FillPage(ChartMsg(msgStandard));
        gallery->OnSubSelected = [this](TObject*) { ++subSelected; };
    }
    // Runs act inside the pop-up's modal loop (the pop-up's gallery as its argument).
    void InPopup(const std::function<void(TCustomForm*, TChartGalleryPanel*)>& act) {
        ran = false;
        TModalHook old = SetModalHook([this, act](TCustomForm* f) {
            ran = true;
            act(f, gallery->SubPanel());
            if (f->ModalResult() == mrNone) {
                ADD_FAILURE() << "the pop-up was left open";
                f->SetModalResult(mrCancel);
            }
        });
        if (!hooked) {
            pending = old;
            hooked = true;
        }
    }
    void TearDown() override {
        if (hooked)
            SetModalHook(pending);
        GalleryPanelTest::TearDown();
    }
    void ClickArrow(TGalleryChart* chart) {
        const TRect spot = chart->ArrowHotSpot();
        const int x = (spot.Left + spot.Right) / 2, y = (spot.Top + spot.Bottom) / 2;
        Mouse(chart, QEvent::MouseMove, x, y);
        Mouse(chart, QEvent::MouseButtonPress, x, y);
        Mouse(chart, QEvent::MouseButtonRelease, x, y);
    }
    std::vector<std::string> Titles(const TChartGalleryPanel* panel) const {
        std::vector<std::string> titles;
        for (const TGalleryChart* chart : panel->Charts())
            titles.push_back(chart->Title()->Text()->Strings(0));
        return titles;
    }

    int subSelected = 0;
    bool ran = false;
    TModalHook pending;
    bool hooked = false;
};

TEST_F(GalleryPopupTest, ArrowOpensTheSubStylesAndKeysChooseOne) {
    TGalleryChart* line = ChartN(0);
    ASSERT_EQ(gallery->SelectedChart(), line);
    InPopup([&](TCustomForm* f, TChartGalleryPanel* sub) {
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(f->BorderStyle(), bsNone);
        EXPECT_TRUE(sub->IsSubGallery());
        EXPECT_FALSE(sub->DisplaySub());
        EXPECT_EQ(Titles(sub),
                  (std::vector<std::string>{"Normal", "Stairs", "Points", "Height", "Hollow",
                                            "Colors", "Marks", "No Border", "Outline"}));
        for (int i = 0; i < sub->Charts().Count(); ++i)
            EXPECT_EQ(sub->Charts().Items(i)->Tag(), i);
        EXPECT_EQ(sub->NumRows(), 3) << "nine sub-styles in four columns";
        const TGalleryChart* last = sub->Charts().Items(8);
        EXPECT_LE(last->Top() + last->Height(), sub->Height()) << "every sample shows";
        EXPECT_GE(last->Height(), 40);
        EXPECT_EQ(f->Top(), line->ClientToScreen({0, line->Height()}).Y);
        EXPECT_EQ(sub->SelectedChart(), sub->Charts().Items(0));
        edtest::Shoot(f, "gallery-sub-styles");
        Key(sub->SelectedChart(), Qt::Key_Right);
        EXPECT_EQ(sub->Charts().IndexOf(sub->SelectedChart()), 1);
        Key(sub->SelectedChart(), Qt::Key_Return);
    });
    ClickArrow(line);
    EXPECT_TRUE(ran);
    EXPECT_EQ(subSelected, 1);
    EXPECT_EQ(gallery->SubPanel(), nullptr);
    EXPECT_EQ(gallery->SubGalleryForm(), nullptr) << "the pop-up is freed";
    EXPECT_EQ(line->Tag(), 1);
    for (int i = 0; i < line->SeriesCount(); ++i)
        EXPECT_TRUE(static_cast<TCustomSeries*>(line->SeriesAt(i))->Stairs()) << i;
    EXPECT_TRUE(line->Gradient()->Visible()) << "the sample is highlighted again";
}

TEST_F(GalleryPopupTest, TheFirstSubStyleRebuildsTheSeries) {
    TGalleryChart* area = ChartN(3);
    gallery->SelectChart(area);
    area->SetTag(6);
    std::vector<TClass> before;
    for (int i = 0; i < area->SeriesCount(); ++i) {
        before.push_back(area->SeriesAt(i)->ClassType());
        area->SeriesAt(i)->SetTitle("old");
    }
    InPopup([&](TCustomForm*, TChartGalleryPanel* sub) {
        EXPECT_EQ(sub->Charts().Count(), 10) << "Normal and nine area styles";
        DoubleClickAt(sub->Charts().Items(0), 20, 20);
    });
    Key(area, Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(ran);
    EXPECT_EQ(subSelected, 1);
    EXPECT_EQ(area->Tag(), 0);
    ASSERT_EQ(area->SeriesCount(), static_cast<int>(before.size()));
    for (int i = 0; i < area->SeriesCount(); ++i) {
        EXPECT_EQ(area->SeriesAt(i)->ClassType(), before[static_cast<std::size_t>(i)]);
        EXPECT_EQ(area->SeriesAt(i)->Title(), "") << "made anew";
        EXPECT_GT(area->SeriesAt(i)->Count(), 0) << "with the gallery's sample points";
    }
}

TEST_F(GalleryPopupTest, EscapeLeavesTheSampleAsItWas) {
    TGalleryChart* bar = ChartN(1);
    gallery->SelectChart(bar);
    const int count = bar->SeriesCount();
    InPopup([&](TCustomForm* f, TChartGalleryPanel* sub) {
        Key(sub->SelectedChart(), Qt::Key_Right);
        Key(f, Qt::Key_Escape);
    });
    ClickArrow(bar);
    EXPECT_TRUE(ran);
    EXPECT_EQ(subSelected, 0);
    EXPECT_EQ(bar->Tag(), 0);
    EXPECT_EQ(bar->SeriesCount(), count);

    // A click on the bar over the pop-up's gallery closes it with OK.
    InPopup([&](TCustomForm* f, TChartGalleryPanel* sub) {
        for (int i = 0; i < f->ControlCount(); ++i)
            if (auto* strip = dynamic_cast<TWinControl*>(f->Controls(i));
                strip != nullptr && strip != sub)
                edtest::ClickAt(strip, 8, 6);
        EXPECT_EQ(f->ModalResult(), mrOk);
    });
    ClickArrow(bar);
    EXPECT_EQ(subSelected, 1);
    EXPECT_EQ(bar->Tag(), 0) << "no sub-style was chosen";

    // No pop-up without sub-galleries, and none from a click away from the arrow.
    gallery->SetDisplaySub(false);
    InPopup([&](TCustomForm*, TChartGalleryPanel*) {});
    ClickArrow(bar);
    Key(bar, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(ran);
    gallery->SetDisplaySub(true);
    ClickChart(1);
    EXPECT_FALSE(ran);
}

} // namespace
