// The series list box driven by the mouse and keys offscreen: the rows following the chart, the
// check column, deleting with the question answered both ways, adding and changing types through
// the hooks, the colour swatch, renaming in place, dragging a title onto another row.
#include "tests/chart/editors/listbox/ListBoxTestSupport.h"

#include "chart/control/SeriesFactory.h"
#include "chart/series/BarSeries.h"
#include "chart/series/PointSeries.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/StdCtrlsBridge.h"
#include "tests/chart/editors/EditorTestSupport.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>

#include <string>
#include <vector>

namespace {

using Column = TChartListBox::TColumn;
using Rows = std::vector<int>;
using Texts = std::vector<std::string>;

std::vector<bool> ActiveFlags(const std::vector<TChartSeries*>& series) {
    std::vector<bool> flags;
    for (TChartSeries* s : series)
        flags.push_back(s->Active());
    return flags;
}

TEST_F(ChartListBoxTest, RowsFollowTheChartsSeriesEvents) {
    EXPECT_EQ(RowTexts(), (Texts{"Напряжение питания", "Temperature", "Зажигание"}));
    EXPECT_EQ(SelectedRows(), Rows{0});
    int refreshes = 0, others = 0;
    std::vector<TCustomChartSeries*> removed;
    list->OnRefresh = [&](TObject*) { ++refreshes; };
    list->OnOtherItemsChange = [&](TObject*) { ++others; };
    list->OnRemovedSeries = [&](TChartListBox*, TCustomChartSeries* s) { removed.push_back(s); };

    lines[1]->AddXYValue(1, 2);
    lines[1]->AddXYValue(2, 3);
    EXPECT_EQ(refreshes, 0) << "data changes do not refill";
    EXPECT_EQ(others, 0);

    lines[1]->SetTitle("Temperature\rof the unit");
    EXPECT_EQ(list->Items()->Get(1), "Temperature of the unit") << "line breaks become blanks";
    lines[2]->SetTitle("");
    EXPECT_EQ(list->Items()->Get(2), "Line3") << "an empty title shows the name";

    ClickCell(2, TChartListBox::colTitle);
    TLineSeries* hidden = AddLine("Hidden", "not in editors");
    hidden->SetShowInEditor(false);
    AddLine("Line5", "Пятая");
    EXPECT_EQ(list->Count(), 4) << "a series hidden from editors has no row";
    EXPECT_EQ(list->SelectedSeries(), lines[2]) << "a refill keeps the selected series";

    chart->SwapSeries(lines[0], lines[2]);
    EXPECT_EQ(list->SeriesAt(0), lines[2]);
    EXPECT_EQ(list->SeriesAt(2), lines[0]);

    TChartSeries* gone = lines[1];
    gone->Free();
    EXPECT_EQ(removed, (std::vector<TCustomChartSeries*>{gone}));
    EXPECT_EQ(list->Count(), 3);

    chart->Free();
    EXPECT_EQ(list->Chart(), nullptr);
    EXPECT_EQ(list->Count(), 0);
}

TEST_F(ChartListBoxTest, CheckColumnSwitchesSeriesAsChecksOrRadios) {
    std::vector<TCustomChartSeries*> changed;
    list->OnChangeActive = [&](TChartListBox*, TCustomChartSeries* s) { changed.push_back(s); };
    const std::vector<TChartSeries*> all{lines[0], lines[1], lines[2]};

    ClickCell(1, TChartListBox::colActive);
    EXPECT_EQ(ActiveFlags(all), (std::vector<bool>{true, false, true}));
    ClickCell(1, TChartListBox::colActive);
    EXPECT_EQ(ActiveFlags(all), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(changed, (std::vector<TCustomChartSeries*>{lines[1], lines[1]}));

    list->SetCheckStyle(cbsRadio);
    EXPECT_EQ(ActiveFlags(all), (std::vector<bool>{true, false, false}))
        << "becoming radio buttons leaves the first active series alone";

    lines[2]->SetActive(true);
    ClickCell(2, TChartListBox::colActive);
    EXPECT_EQ(ActiveFlags(all), (std::vector<bool>{false, false, true}))
        << "a radio click on an active series makes it the only one";
    ClickCell(1, TChartListBox::colActive);
    EXPECT_EQ(ActiveFlags(all), (std::vector<bool>{false, true, false}));

    chart->Legend()->SetCheckBoxes(true);
    chart->Legend()->SetCheckBoxesStyle(cbsCheck);
    lines[0]->SetActive(true);
    EXPECT_EQ(list->CheckStyle(), cbsCheck) << "with legend check boxes the list follows them";
}

TEST_F(ChartListBoxTest, DeleteAsksAndFreesOnlyOnYes) {
    struct Case {
        Rows select;
        TModalResult answer;
        std::string question;
        int rowsLeft;
    };
    const Case cases[] = {
        {{1}, mrNo, "Delete Temperature ?", 3},
        {{0, 2}, mrNo, "Delete (Selected Series) ?", 3},
        {{0, 2}, mrYes, "Delete (Selected Series) ?", 1},
    };
    for (const Case& c : cases) {
        // A fresh chart for each case.
        TearDown();
        lines.clear();
        SetUp();
        ClickCell(c.select[0], TChartListBox::colTitle);
        for (std::size_t i = 1; i < c.select.size(); ++i)
            ClickCell(c.select[i], TChartListBox::colTitle, Qt::ControlModifier);
        ASSERT_EQ(SelectedRows(), c.select);
        edtest::AnswerMessages(c.answer);
        Key(Qt::Key_Delete);
        ASSERT_EQ(edtest::Messages().size(), 1u);
        EXPECT_EQ(edtest::Messages().back(), c.question);
        EXPECT_EQ(chart->SeriesCount(), c.rowsLeft);
        EXPECT_EQ(list->Count(), c.rowsLeft);
    }
    EXPECT_EQ(list->SeriesAt(0), lines[1]);
    EXPECT_EQ(SelectedRows(), Rows{0}) << "the first row is selected after deleting";

    list->AskDelete = false;
    list->AllowDeleteSeries = false;
    Key(Qt::Key_Delete);
    EXPECT_EQ(chart->SeriesCount(), 1) << "deleting not allowed";
    list->AllowDeleteSeries = true;
    Key(Qt::Key_Delete);
    EXPECT_EQ(chart->SeriesCount(), 0) << "no question without AskDelete";
    EXPECT_EQ(edtest::Messages().size(), 1u);
}

TEST_F(ChartListBoxTest, InsertAddsThroughTheHookOnly) {
    Key(Qt::Key_Insert);
    EXPECT_EQ(chart->SeriesCount(), 3) << "nothing without a hook";

    TChartSeries* current = nullptr;
    AddSeriesHook() = [&](TComponent* owner, TCustomChart* c, TChartSeries* selected) {
        current = selected;
        return MakeSeries(owner, c, TBarSeries::StaticClass());
    };
    ClickCell(1, TChartListBox::colTitle);
    Key(Qt::Key_Insert);
    ASSERT_EQ(chart->SeriesCount(), 4);
    EXPECT_EQ(current, lines[1]);
    EXPECT_EQ(list->SelectedSeries(), chart->SeriesAt(3));
    EXPECT_EQ(SelectedRows(), Rows{3});
    EXPECT_TRUE(dynamic_cast<TBarSeries*>(list->SelectedSeries()) != nullptr);

    list->AllowAddSeries = false;
    Key(Qt::Key_Insert);
    EXPECT_EQ(chart->SeriesCount(), 4);
}

TEST_F(ChartListBoxTest, TypeChangeOfSeveralSeriesFollowsTheFirstOrChangesNothing) {
    int calls = 0;
    bool cancel = false;
    ChangeSeriesTypeHook() = [&](TComponent*, TChartSeries*& series) -> TClass {
        ++calls;
        if (!cancel)
            ReplaceSeriesClass(series, TBarSeries::StaticClass());
        return series->ClassType();
    };
    // A point series among the lines: a cancel must leave every class and object as it was.
    TChartSeries* point = nullptr;
    {
        TChartSeries* s = lines[1];
        ReplaceSeriesClass(s, TPointSeries::StaticClass());
        point = s;
    }
    ClickCell(0, TChartListBox::colTitle);
    ClickCell(1, TChartListBox::colTitle, Qt::ControlModifier);
    ClickCell(2, TChartListBox::colTitle, Qt::ControlModifier);

    cancel = true;
    const std::vector<TChartSeries*> before = ChartOrder();
    list->ChangeTypeOfSelected();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(ChartOrder(), before) << "cancelled: no series replaced";
    EXPECT_EQ(chart->SeriesAt(1), point);
    EXPECT_TRUE(dynamic_cast<TPointSeries*>(chart->SeriesAt(1)) != nullptr);

    // Chosen for the first, then the same for the others without asking; then a cancel again.
    cancel = false;
    list->ChangeTypeOfSelected();
    EXPECT_EQ(calls, 2);
    for (TChartSeries* s : ChartOrder())
        EXPECT_EQ(s->ClassType(), TBarSeries::StaticClass()) << s->Name();
    EXPECT_EQ(RowTexts(), (Texts{"Напряжение питания", "Temperature", "Зажигание"}));
    EXPECT_EQ(SelectedRows(), (Rows{0, 1, 2}));
    cancel = true;
    const std::vector<TChartSeries*> bars = ChartOrder();
    list->ChangeTypeOfSelected();
    EXPECT_EQ(ChartOrder(), bars);

    // A double click on a picture changes the type of the row it selects.
    cancel = false;
    ChangeSeriesTypeHook() = [&](TComponent*, TChartSeries*& series) -> TClass {
        ++calls;
        ReplaceSeriesClass(series, TPointSeries::StaticClass());
        return series->ClassType();
    };
    DoubleClickCell(1, TChartListBox::colIcon);
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(chart->SeriesAt(1)->ClassType(), TPointSeries::StaticClass());
    EXPECT_EQ(chart->SeriesAt(0)->ClassType(), TBarSeries::StaticClass());
    EXPECT_EQ(list->SelectedSeries(), chart->SeriesAt(1));
    list->EnableChangeType = false;
    DoubleClickCell(0, TChartListBox::colIcon);
    EXPECT_EQ(calls, 4) << "the picture column changes no type when switched off";
}

TEST_F(ChartListBoxTest, ColourSwatchDoubleClickRecoloursTheSeries) {
    std::vector<TCustomChartSeries*> recoloured;
    list->OnChangeColor = [&](TChartListBox*, TCustomChartSeries* s) { recoloured.push_back(s); };
    lines[1]->SetColorEachPoint(true);
    ClickCell(1, TChartListBox::colTitle);
    edtest::PickColor(clNone);
    const TColor old = lines[1]->SeriesColor();
    DoubleClickCell(1, TChartListBox::colColor);
    EXPECT_EQ(lines[1]->SeriesColor(), old) << "cancelled";
    EXPECT_TRUE(recoloured.empty());

    edtest::PickColor(clFuchsia);
    DoubleClickCell(1, TChartListBox::colColor);
    EXPECT_EQ(lines[1]->SeriesColor(), clFuchsia);
    EXPECT_FALSE(lines[1]->ColorEachPoint());
    EXPECT_EQ(recoloured, (std::vector<TCustomChartSeries*>{lines[1]}));
    edtest::PickColor(clNone);

    int doubleClicked = -1;
    list->OnDblClickSeries = [&](TChartListBox*, int index) { doubleClicked = index; };
    DoubleClickCell(1, TChartListBox::colTitle);
    EXPECT_EQ(doubleClicked, 1);
}

TEST_F(ChartListBoxTest, RenameInPlaceStoresOnEnterAndKeepsOnEscape) {
    ClickCell(1, TChartListBox::colTitle);
    Key(Qt::Key_F2);
    TEdit* edit = list->TitleEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->Visible());
    EXPECT_EQ(edit->GetText(), "Temperature");
    EXPECT_EQ(edit->Left(), list->ColumnLeft(TChartListBox::colTitle) - 2);
    EXPECT_EQ(edit->Top(), list->ItemRect(1).Top);
    edtest::TypeInto(edit, "ab");
    edtest::PressKey(edit, Qt::Key_Escape);
    EXPECT_FALSE(edit->Visible());
    EXPECT_EQ(lines[1]->Title(), "Temperature") << "Escape keeps the old title";

    Key(Qt::Key_F2);
    edtest::TypeInto(edit, "abc");
    edtest::PressKey(edit, Qt::Key_Return);
    EXPECT_FALSE(edit->Visible());
    EXPECT_EQ(lines[1]->Title(), "abc");
    EXPECT_EQ(list->Items()->Get(1), "abc");

    // Down ends the rename storing the text, as Up and F2 do.
    Key(Qt::Key_F2);
    edtest::TypeInto(edit, "a b");
    edtest::PressKey(edit, Qt::Key_Down);
    EXPECT_FALSE(edit->Visible());
    EXPECT_EQ(lines[1]->Title(), "a b");

    // A click elsewhere stores what was typed.
    Key(Qt::Key_F2);
    edtest::TypeInto(edit, "a-1");
    ClickCell(2, TChartListBox::colTitle);
    EXPECT_EQ(lines[1]->Title(), "a-1");
}

TEST_F(ChartListBoxTest, DraggingATitleSwapsTwoSeriesButNotAfterADoubleClick) {
    std::vector<std::pair<TCustomChartSeries*, TCustomChartSeries*>> swaps;
    list->OnChangeOrder = [&](TChartListBox*, TCustomChartSeries* a, TCustomChartSeries* b) {
        swaps.push_back({a, b});
    };
    const int x = ColumnX(TChartListBox::colTitle);
    Mouse(QEvent::MouseButtonPress, x, RowY(0));
    Mouse(QEvent::MouseMove, x, RowY(1));
    EXPECT_EQ(list->Cursor(), crDrag);
    Mouse(QEvent::MouseMove, x, RowY(2));
    Mouse(QEvent::MouseButtonRelease, x, RowY(2));
    EXPECT_EQ(ChartOrder(), (std::vector<TChartSeries*>{lines[2], lines[1], lines[0]}));
    EXPECT_EQ(RowTexts(), (Texts{"Зажигание", "Temperature", "Напряжение питания"}));
    ASSERT_EQ(swaps.size(), 1u);
    EXPECT_EQ(swaps[0].first, lines[0]);
    EXPECT_EQ(swaps[0].second, lines[2]);
    EXPECT_EQ(list->SelectedSeries(), lines[0]) << "the dragged series stays selected";

    // The press of a double click starts no drag.
    DoubleClickCell(1, TChartListBox::colTitle);
    Mouse(QEvent::MouseButtonPress, x, RowY(1));
    Mouse(QEvent::MouseButtonRelease, x, RowY(1));
    Mouse(QEvent::MouseButtonDblClick, x, RowY(1));
    Mouse(QEvent::MouseMove, x, RowY(0));
    Mouse(QEvent::MouseButtonRelease, x, RowY(0));
    EXPECT_EQ(swaps.size(), 1u);

    list->EnableDragSeries = false;
    Mouse(QEvent::MouseButtonPress, x, RowY(0));
    Mouse(QEvent::MouseMove, x, RowY(2));
    Mouse(QEvent::MouseButtonRelease, x, RowY(2));
    EXPECT_EQ(swaps.size(), 1u) << "dragging switched off";
}

TEST_F(ChartListBoxTest, CursorShowsAHandOverTheIconAndSwatchColumns) {
    struct Case {
        Column column;
        bool enable;
        TCursor cursor;
    };
    const Case cases[] = {
        {TChartListBox::colIcon, true, crHandPoint},  {TChartListBox::colIcon, false, crDefault},
        {TChartListBox::colColor, true, crHandPoint}, {TChartListBox::colColor, false, crDefault},
        {TChartListBox::colActive, true, crDefault},  {TChartListBox::colTitle, true, crDefault},
    };
    for (const Case& c : cases) {
        list->EnableChangeType = c.enable;
        list->EnableChangeColor = c.enable;
        Mouse(QEvent::MouseMove, ColumnX(c.column), RowY(1));
        EXPECT_EQ(list->Cursor(), c.cursor) << "column " << c.column << " enable " << c.enable;
    }
    // Without the icon column the others move left.
    list->SetShowColumn(TChartListBox::colIcon, false);
    EXPECT_EQ(list->ColumnLeft(TChartListBox::colColor), 16);
    EXPECT_FALSE(list->InColumn(TChartListBox::colIcon, 10));
    EXPECT_TRUE(list->InColumn(TChartListBox::colActive, 10));
    EXPECT_FALSE(list->InColumn(TChartListBox::colActive, 0)) << "edges lie outside";
}

TEST_F(ChartListBoxTest, PictureOfTheRows) {
    lines[1]->SetActive(false);
    list->SetFontSeriesColor(true);
    ClickCell(2, TChartListBox::colTitle);
    list->SetFocus();
    const std::string path = edtest::Shoot(form, "chart-listbox");
    const QImage shot(QString::fromStdString(path));
    ASSERT_FALSE(shot.isNull());
    // The selected row's title area carries the highlight; its columns left of it do not.
    QListWidget* w = WidgetOf(static_cast<TCustomListBox*>(list));
    const QPoint origin = list->Handle()->mapTo(form->Handle(), QPoint(0, 0));
    const int y = origin.y() + list->ItemRect(2).Top + 2;
    const QColor title = shot.pixelColor(origin.x() + list->ColumnLeft(TChartListBox::colTitle) +
                                             list->ColumnWidth(TChartListBox::colTitle) - 5,
                                         y);
    const QColor beside =
        shot.pixelColor(origin.x() + list->ColumnLeft(TChartListBox::colTitle) - 3, y);
    EXPECT_NE(title, beside);
    EXPECT_EQ(beside, w->palette().color(QPalette::Base));

    // The swatch lies 4 pixels inside its cell, which starts 2 pixels before the column.
    const TColor color = ColorToRGB(lines[0]->SeriesColor());
    const QColor swatch(GetRValue(color), GetGValue(color), GetBValue(color));
    const int cell = list->ColumnLeft(TChartListBox::colColor) - 2;
    const int middle = origin.y() + RowY(0);
    int first = -1, last = -1;
    for (int x = cell; x < cell + list->ColumnWidth(TChartListBox::colColor) + 4; ++x)
        if (shot.pixelColor(origin.x() + x, middle) == swatch) {
            first = first < 0 ? x : first;
            last = x;
        }
    EXPECT_GE(first, cell + 4);
    EXPECT_LT(last, cell + list->ColumnWidth(TChartListBox::colColor) - 4);
    EXPECT_GT(last - first, 8) << "a swatch is drawn";
}

} // namespace
