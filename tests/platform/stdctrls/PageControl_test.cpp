#include "platform/stdctrls/PageControl.h"

#include "platform/graphics/Snapshot_p.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

namespace {

using PageControlTest = FormFixture;

TEST_F(PageControlTest, PageControlSwitchesOnTabClicksOnly) {
    auto* pc = Make<TPageControl>();
    auto* a = new TTabSheet(form);
    a->SetPageControl(pc);
    a->SetCaption("Первая");
    auto* b = new TTabSheet(form);
    b->SetPageControl(pc);
    b->SetCaption("Вторая");
    EXPECT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(pc->ActivePage(), a);
    EXPECT_TRUE(a->Visible());
    EXPECT_FALSE(b->Visible());
    int changes = 0;
    pc->OnChange = [&](TObject*) { ++changes; };
    pc->SetActivePageIndex(1);
    EXPECT_EQ(pc->ActivePage(), b);
    EXPECT_EQ(changes, 0);
    const TRect tab = pc->TabRect(0);
    ClickAt(pc, tab.Left + 3, tab.Top + 3);
    EXPECT_EQ(pc->ActivePage(), a);
    EXPECT_EQ(changes, 1);
    pc->OnChanging = [](TObject*, bool& allow) { allow = false; };
    const TRect tab2 = pc->TabRect(1);
    ClickAt(pc, tab2.Left + 3, tab2.Top + 3);
    EXPECT_EQ(pc->ActivePage(), a);
    b->SetPageControl(nullptr);
    EXPECT_EQ(pc->PageCount(), 1);
}

// Eight pages in a control too narrow for their tabs: arrows at the right end of the row scroll
// the tabs, the active page's tab is always brought into view, and the Left and Right keys turn
// the pages as clicks do.
TEST_F(PageControlTest, TabsThatDoNotFitScrollAndTheKeysTurnThePages) {
    auto* pc = Make<TPageControl>();
    pc->SetBounds(10, 10, 220, 120);
    const char* captions[] = {"Параметры", "Положение", "Размер", "Выноска",
                              "Поля",      "Рамка",     "Текст",  "Градиент"};
    std::vector<TTabSheet*> sheets;
    for (const char* caption : captions) {
        auto* sheet = new TTabSheet(form);
        sheet->SetPageControl(pc);
        sheet->SetCaption(caption);
        sheets.push_back(sheet);
    }
    int changes = 0;
    pc->OnChange = [&](TObject*) { ++changes; };
    const int arrowsLeft = pc->Width() - 2 - 2 * (pc->TabHeight() - 4);
    const int rightArrowX = pc->Width() - 2 - (pc->TabHeight() - 4) / 2;
    const int arrowY = 2 + (pc->TabHeight() - 4) / 2;
    EXPECT_GT(pc->TabRect(7).Left, arrowsLeft) << "the last tab starts beyond the arrows";
    EXPECT_EQ(pc->FirstTab(), 0);
    EXPECT_EQ(pc->TabRect(0).Left, 2) << "unscrolled, the first tab starts the row";
    EXPECT_EQ(pc->TabRect(1).Left, pc->TabRect(0).Right);

    // The right arrow scrolls by one tab; a tab first out of reach can then be clicked.
    while (pc->TabRect(4).Right > arrowsLeft)
        ClickAt(pc, rightArrowX, arrowY);
    EXPECT_GT(pc->FirstTab(), 0);
    EXPECT_EQ(pc->TabRect(0), TRect{}) << "the first tab scrolled out on the left";
    EXPECT_EQ(changes, 0) << "scrolling turns no page";
    const TRect fifth = pc->TabRect(4);
    ClickAt(pc, fifth.Left + 3, fifth.Top + 3);
    EXPECT_EQ(pc->ActivePage(), sheets[4]);
    EXPECT_EQ(changes, 1);

    // A click on the arrows' own place chooses no tab even where a tab runs under them.
    ClickAt(pc, rightArrowX, arrowY);
    ClickAt(pc, arrowsLeft + 2, arrowY);
    EXPECT_EQ(pc->ActivePage(), sheets[4]);
    EXPECT_EQ(changes, 1);

    // Setting the last page scrolls its tab wholly into view, setting the first scrolls back.
    pc->SetActivePageIndex(7);
    EXPECT_GT(pc->TabRect(7).Width(), 0);
    EXPECT_LE(pc->TabRect(7).Right, arrowsLeft);
    const QImage scrolled = pc->Handle()->grab().toImage();
    EXPECT_FALSE(
        SaveSnapshot(scrolled, Q4_BINARY_DIR "/stdctrls-page-control-scrolled.png").empty());
    pc->SetActivePageIndex(0);
    EXPECT_EQ(pc->FirstTab(), 0);
    EXPECT_EQ(pc->TabRect(0).Left, 2);

    // The keys: Right turns to the next page (asking OnChanging), Left back, and neither goes
    // past the ends or to a hidden tab.
    sheets[1]->SetTabVisible(false);
    SendKey(pc->Handle(), Qt::Key_Right);
    EXPECT_EQ(pc->ActivePage(), sheets[2]) << "the hidden tab is passed over";
    EXPECT_EQ(changes, 2);
    SendKey(pc->Handle(), Qt::Key_Left);
    SendKey(pc->Handle(), Qt::Key_Left);
    EXPECT_EQ(pc->ActivePage(), sheets[0]);
    EXPECT_EQ(changes, 3);
    pc->OnChanging = [](TObject*, bool& allow) { allow = false; };
    SendKey(pc->Handle(), Qt::Key_Right);
    EXPECT_EQ(pc->ActivePage(), sheets[0]);

    // Wide enough for every tab: no arrows, no scrolling.
    pc->SetBounds(0, 0, 1000, 120);
    pc->SetActivePageIndex(7);
    EXPECT_EQ(pc->FirstTab(), 0);
    EXPECT_EQ(pc->TabRect(0).Left, 2);
}

} // namespace
