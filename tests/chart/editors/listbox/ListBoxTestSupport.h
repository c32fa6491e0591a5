#pragma once
// A shown form with a chart of three line series (one titled in Russian) and a series list box
// bound to it; the mouse over a row's column and the keys as the user gives them.

#include "chart/control/Chart.h"
#include "chart/editors/listbox/ChartListBox.h"
#include "chart/series/LineSeries.h"
#include "platform/forms/Forms.h"

#include <gtest/gtest.h>

#include <QEvent>

#include <string>
#include <vector>

class ChartListBoxTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TLineSeries* AddLine(const std::string& name, const std::string& title);
    // The x of the middle of a column, the y of the middle of a row (list box client pixels).
    int ColumnX(TChartListBox::TColumn column) const;
    int RowY(int row) const;
    // Mouse events at client pixels of the list box, sent to its item view.
    void Mouse(QEvent::Type type, int x, int y, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void ClickCell(int row, TChartListBox::TColumn column,
                   Qt::KeyboardModifiers mods = Qt::NoModifier);
    void DoubleClickCell(int row, TChartListBox::TColumn column);
    void Key(int qtKey);
    // The series in the chart's order, and the selected rows.
    std::vector<TChartSeries*> ChartOrder() const;
    std::vector<int> SelectedRows() const;
    std::vector<std::string> RowTexts() const;

    TForm* form = nullptr;
    TChart* chart = nullptr;
    TChartListBox* list = nullptr;
    std::vector<TLineSeries*> lines;

private:
    Qt::MouseButtons mouseHeld_ = Qt::NoButton;
};
