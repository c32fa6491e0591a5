#include "ListViewTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace listviewtest;

class FrListViewHeaderTest : public ListViewFixture {
protected:
    TFrListView* HistoryList() {
        TFrListView* l = ReportList(404, {{"RID", 120}, {"Тип", 15}, {"Дата", 100}});
        l->SetFillLastColumn(false);
        AddRow(l, "1", {"GPS", "12.05.2024"});
        return l;
    }
    static int TextWidth(TFrListView* l, const std::string& text) {
        TCanvas canvas;
        canvas.Font()->Assign(l->Font());
        return canvas.TextWidth(text);
    }
};

// Without a sort column no section shows an arrow; the sections are flat in the face colour.
TEST_F(FrListViewHeaderTest, NoArrowWithoutASortColumn) {
    TFrListView* list = HistoryList();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const Section s = SectionOf(list, i);
        EXPECT_EQ(s.Columns(clBtnShadow).first, -1);
        EXPECT_EQ(s.At(1, 1), ColorToRGB(clBtnFace));
    }
    Snapshot(Grab(list));
}

// Sort column 0 (left-justified, 120 pixels): the arrow stands 5 pixels right of the text, its
// point up when ascending and down when descending.
TEST_F(FrListViewHeaderTest, ArrowRightOfTheTextPointsTheSortWay) {
    TFrListView* list = HistoryList();
    list->SetSortColumn(0);
    const int textRight = 2 + 4 + TextWidth(list, "RID");
    Section up = SectionOf(list, 0);
    const auto [first, last] = up.Columns(clBtnShadow);
    EXPECT_EQ(first, textRight + 5);
    EXPECT_GT(last - first, 5);
    std::vector<int> rows = up.RowCounts(clBtnShadow);
    rows.erase(std::remove(rows.begin(), rows.end(), 0), rows.end());
    ASSERT_GE(rows.size(), 3u);
    EXPECT_LT(rows.front(), rows.back()); // narrow at the top
    Snapshot(up.image, "-up");

    list->SetSortDirection(sdDescending);
    rows = SectionOf(list, 0).RowCounts(clBtnShadow);
    rows.erase(std::remove(rows.begin(), rows.end(), 0), rows.end());
    ASSERT_GE(rows.size(), 3u);
    EXPECT_GT(rows.front(), rows.back());

    // A 15-pixel sort column is too narrow for its arrow.
    list->SetSortColumn(1);
    EXPECT_EQ(SectionOf(list, 1).Columns(clBtnShadow).first, -1);
    EXPECT_EQ(SectionOf(list, 0).Columns(clBtnShadow).first, -1); // the old column lost it
}

// Where the arrow goes by display mode and alignment (sort column 0, 120 pixels wide).
TEST_F(FrListViewHeaderTest, ArrowPlaceByDisplayMode) {
    struct Case {
        const char* name;
        TFrLVHeaderSortDisplayMode mode;
        TAlignment align;
        bool atLeft; // else at the right edge
    };
    const Case cases[] = {
        {"left", hsdmLeftAlign, taLeftJustify, true},
        {"right edge", hsdmRightAlign, taLeftJustify, false},
        {"right of right-justified text", hsdmRightOfText, taRightJustify, false},
        {"right of centred text", hsdmRightOfText, taCenter, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFrListView* list = HistoryList();
        list->Columns()->Items(0)->SetAlignment(c.align);
        list->SetHeaderSortDisplayMode(c.mode);
        list->SetSortColumn(0);
        const Section s = SectionOf(list, 0);
        const auto [first, last] = s.Columns(clBtnShadow);
        ASSERT_GE(first, 0);
        // The arrow's box is (height / 2) pixels wide; at the right it ends 5 pixels before
        // the text area's right edge (2 + 4 pixels in from the section's).
        const int box = s.Height() / 2;
        EXPECT_EQ(first, c.atLeft ? 2 + 4 : s.Width() - 2 - 4 - 5 - box);
        EXPECT_GT(last, first + box / 2);
        list->Free();
    }
}

// With HeaderDefaultDrawing off, OnDrawHeader draws each section, given its rectangle less two
// pixels all round (no themes) or whole (themes).
TEST_F(FrListViewHeaderTest, OnDrawHeaderGetsEachSectionsRectangle) {
    TFrListView* list = HistoryList();
    std::vector<std::pair<int, TRect>> drawn;
    list->OnDrawHeader = [&](TObject*, TCanvas* canvas, int index, const TRect& r) {
        drawn.emplace_back(index, r);
        canvas->Brush()->SetColor(clRed);
        canvas->FillRect(r);
    };
    list->SetHeaderDefaultDrawing(false);
    Grab(list);
    ASSERT_FALSE(drawn.empty());
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        TRect expected = list->HeaderSectionRect(i);
        InflateRect(expected, -2, -2);
        const auto hit =
            std::find_if(drawn.begin(), drawn.end(), [i](const auto& d) { return d.first == i; });
        ASSERT_NE(hit, drawn.end());
        EXPECT_EQ(hit->second, expected);
        EXPECT_EQ(
            std::count_if(drawn.begin(), drawn.end(), [i](const auto& d) { return d.first == i; }),
            1);
    }
    const Section s = SectionOf(list, 0);
    EXPECT_EQ(s.At(1, 1), ColorToRGB(clBtnFace)); // filled before the handler
    EXPECT_EQ(s.At(2, 2), ColorToRGB(clRed));

    ThemeServices themes(true);
    drawn.clear();
    list->InvalidateHeader();
    Grab(list);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.front().second, list->HeaderSectionRect(drawn.front().first));

    // Without owner drawing the platform draws the header: nothing is asked.
    list->SetHeaderSortDisplayMode(hsdmNone);
    drawn.clear();
    list->InvalidateHeader();
    Grab(list);
    EXPECT_TRUE(drawn.empty());
}

// With themes the section under the pointer looks hot, and pressed while the button is down.
TEST_F(FrListViewHeaderTest, ThemedSectionsFollowTheMouse) {
    ThemeServices themes(true);
    TFrListView* list = HistoryList();
    QWidget* header = HeaderOf(list)->viewport();
    auto faceOf = [&](int index) { return SectionOf(list, index).At(8, 3); };
    const TColor normal = faceOf(0);
    const QPointF at(30, 5);
    QMouseEvent move(QEvent::MouseMove, at, header->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(header, &move);
    const TColor hot = faceOf(0);
    EXPECT_NE(hot, normal);
    EXPECT_EQ(faceOf(2), normal);
    QMouseEvent press(QEvent::MouseButtonPress, at, header->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(header, &press);
    const TColor pressed = faceOf(0);
    EXPECT_NE(pressed, hot);
    EXPECT_NE(pressed, normal);
    QMouseEvent release(QEvent::MouseButtonRelease, at, header->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(header, &release);
    EXPECT_EQ(faceOf(0), hot); // still under the pointer
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(HeaderOf(list), &leave);
    EXPECT_EQ(faceOf(0), normal);
}

} // namespace
