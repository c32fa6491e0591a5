#include "platform/stdctrls/Grids.h"

#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"

#include "platform/stdctrls/StdCtrlsBridge.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>

#include <string>
#include <vector>

namespace {

class GridTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        grid = new TStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 300, 200);
        form->Show();
        grid->Handle();
    }
    void TearDown() override { form->Free(); }
    TForm* form = nullptr;
    TStringGrid* grid = nullptr;
};

// The engineer-numbers grid: editing, the editor always shown, and a key filter for phone
// numbers (digits and "+").
TEST_F(GridTest, EditingThroughTheKeyFilter) {
    grid->SetColCount(2);
    grid->SetRowCount(11);
    grid->SetOptions(grid->Options() + TGridOptions{goEditing, goAlwaysShowEditor});
    grid->OnKeyPress = [](TObject*, char16_t& key) {
        if (!(key >= u'0' && key <= u'9') && key != u'+' && key != 8)
            key = 0;
    };
    std::vector<std::string> set;
    grid->OnSetEditText = [&](TObject*, int col, int row, const std::string& value) {
        set.push_back(std::to_string(col) + "," + std::to_string(row) + "=" + value);
    };
    grid->SetCells(1, 1, "+7");
    ASSERT_NE(grid->InplaceEditor(), nullptr);
    EXPECT_TRUE(grid->EditorMode());
    QLineEdit* w = WidgetOf(grid->InplaceEditor());
    EXPECT_EQ(w->text().toStdString(), "+7");
    w->setCursorPosition(2);
    for (QChar ch : QString("9a0-1"))
        SendKey(w, ch.isDigit() ? Qt::Key_0 + ch.digitValue() : Qt::Key_A, QString(ch));
    EXPECT_EQ(grid->Cells(1, 1), "+7901");
    EXPECT_EQ(set, (std::vector<std::string>{"1,1=+79", "1,1=+790", "1,1=+7901"}));

    // Down in the editor moves to the next row and the editor follows with that cell's text.
    grid->SetCells(1, 2, "112");
    SendKey(w, Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(w->text().toStdString(), "112");
    const TRect r = grid->CellRect(1, 2);
    EXPECT_EQ(grid->InplaceEditor()->Top(), r.Top);
    EXPECT_EQ(grid->InplaceEditor()->Left(), r.Left);
}

TEST_F(GridTest, NoEditorWithoutEditingOrWithRowSelect) {
    grid->SetEditorMode(true);
    EXPECT_FALSE(grid->EditorMode());
    grid->SetOptions(grid->Options() + TGridOptions{goEditing, goRowSelect});
    grid->SetEditorMode(true);
    EXPECT_FALSE(grid->EditorMode());
    // A typed character opens the editor with it once editing is allowed.
    grid->SetOptions(grid->Options() - TGridOptions{goRowSelect});
    SendKey(grid->Handle(), Qt::Key_5, "5");
    ASSERT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(1, 1), "5");
}

TEST_F(GridTest, SelectionEventsAndNavigation) {
    std::vector<std::string> asked;
    grid->OnSelectCell = [&](TObject*, int col, int row, bool& can) {
        asked.push_back(std::to_string(col) + "," + std::to_string(row));
        can = row != 3;
    };
    SendKey(grid->Handle(), Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 2);
    SendKey(grid->Handle(), Qt::Key_Down); // refused
    EXPECT_EQ(grid->Row(), 2);
    SendKey(grid->Handle(), Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(asked, (std::vector<std::string>{"1,2", "1,3", "2,2"}));

    // A click selects the cell under the mouse; a click on a fixed cell selects nothing.
    const TRect r = grid->CellRect(3, 4);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(r.Left + 3, r.Top + 3),
                      QPointF(r.Left + 3, r.Top + 3), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(grid->Handle(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(r.Left + 3, r.Top + 3),
                        QPointF(r.Left + 3, r.Top + 3), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(grid->Handle(), &release);
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 4);
    grid->SetCol(0);
    EXPECT_EQ(grid->Col(), 3);
}

TEST_F(GridTest, OwnerDrawingSeesEveryShownCellWithItsState) {
    grid->SetColCount(3);
    grid->SetRowCount(3);
    grid->SetDefaultColWidth(40);
    grid->SetCells(1, 1, "Питание");
    std::vector<std::string> drawn;
    grid->OnDrawCell = [&](TObject* sender, int col, int row, TRect rect, TGridDrawState state) {
        drawn.push_back(std::to_string(col) + std::to_string(row) +
                        (state.Contains(gdFixed) ? "f" : "") +
                        (state.Contains(gdSelected) ? "s" : ""));
        EXPECT_EQ(rect, static_cast<TStringGrid*>(sender)->CellRect(col, row));
    };
    QImage image = grid->Handle()->grab().toImage();
    EXPECT_EQ(drawn, (std::vector<std::string>{"00f", "10f", "20f", "01f", "11s", "21", "02f", "12",
                                               "22"}));
    // The fixed cells are filled with FixedColor, the others with Color.
    const TRect fixed = grid->CellRect(0, 0);
    const TRect plain = grid->CellRect(2, 2);
    EXPECT_EQ(image.pixelColor(fixed.Left + 5, fixed.Top + 5).rgb() & 0xFFFFFF, 0xF0F0F0u);
    EXPECT_EQ(image.pixelColor(plain.Left + 5, plain.Top + 5).rgb() & 0xFFFFFF, 0xFFFFFFu);
}

// A grid described without scroll bars reads so and stores it; the default (both) is not
// written.
TEST(GridScrollBars, ReadAndStoredByDescriptions) {
    const char* const text = R"(object F: TForm
  object SG1: TStringGrid
    ColCount = 2
    RowCount = 11
    ScrollBars = ssNone
  end
  object SG2: TStringGrid
  end
end
)";
    auto* f = new TForm(nullptr);
    ReadComponentDescription(text, f);
    auto* none = static_cast<TStringGrid*>(f->FindComponent("SG1"));
    auto* plain = static_cast<TStringGrid*>(f->FindComponent("SG2"));
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->ScrollBars(), ssNone);
    EXPECT_EQ(none->RowCount(), 11);
    EXPECT_EQ(plain->ScrollBars(), ssBoth);
    plain->SetScrollBars(ssVertical);
    const std::string written = ComponentToText(f);
    EXPECT_NE(written.find("ScrollBars = ssNone"), std::string::npos) << written;
    EXPECT_NE(written.find("ScrollBars = ssVertical"), std::string::npos) << written;
    plain->SetScrollBars(ssBoth);
    EXPECT_EQ(ComponentToText(f).find("ssBoth"), std::string::npos);
    auto* again = new TForm(nullptr);
    ReadComponentDescription(written, again);
    EXPECT_EQ(static_cast<TStringGrid*>(again->FindComponent("SG2"))->ScrollBars(), ssVertical);
    again->Free();
    f->Free();
}

} // namespace
