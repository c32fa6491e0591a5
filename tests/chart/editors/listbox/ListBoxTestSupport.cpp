#include "tests/chart/editors/listbox/ListBoxTestSupport.h"

#include "chart/series/SeriesLibrary.h"
#include "platform/stdctrls/StdCtrlsBridge.h"
#include "tests/chart/editors/EditorTestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

namespace {

// The series types on top of what the editor tests start.
class SeriesEnvironment : public ::testing::Environment {
public:
    void SetUp() override { StartChartSeries(); }
    void TearDown() override { StopChartSeries(); }
};

[[maybe_unused]] ::testing::Environment* const kSeries =
    ::testing::AddGlobalTestEnvironment(new SeriesEnvironment);

} // namespace

void ChartListBoxTest::SetUp() {
    edtest::Messages().clear();
    edtest::AnswerMessages(mrYes);
    form = TCustomForm::Create<TForm>(nullptr);
    form->SetBounds(0, 0, 420, 300);
    chart = new TChart(form);
    chart->SetParent(form);
    chart->SetBounds(300, 0, 100, 100);
    AddLine("Line1", "Напряжение питания");
    AddLine("Line2", "Temperature");
    AddLine("Line3", "Зажигание");
    list = new TChartListBox(form);
    list->SetParent(form);
    list->SetBounds(0, 0, 290, 200);
    list->SetChart(chart);
    form->Show();
    list->Handle();
    QApplication::processEvents();
}

void ChartListBoxTest::TearDown() {
    AddSeriesHook() = nullptr;
    ChangeSeriesTypeHook() = nullptr;
    form->Free();
}

TLineSeries* ChartListBoxTest::AddLine(const std::string& name, const std::string& title) {
    auto* line = new TLineSeries(form);
    line->SetName(name);
    line->SetTitle(title);
    line->SetParentChart(chart);
    lines.push_back(line);
    return line;
}

int ChartListBoxTest::ColumnX(TChartListBox::TColumn column) const {
    return list->ColumnLeft(column) + list->ColumnWidth(column) / 2;
}

int ChartListBoxTest::RowY(int row) const {
    const TRect r = list->ItemRect(row);
    return (r.Top + r.Bottom) / 2;
}

void ChartListBoxTest::Mouse(QEvent::Type type, int x, int y, Qt::KeyboardModifiers mods) {
    QListWidget* w = WidgetOf(static_cast<TCustomListBox*>(list));
    const QPointF at = QPointF(x, y) - QPointF(w->viewport()->pos());
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton
                                  : type == QEvent::MouseMove        ? mouseHeld_
                                                                     : Qt::LeftButton;
    if (type == QEvent::MouseButtonPress)
        mouseHeld_ = Qt::LeftButton;
    if (type == QEvent::MouseButtonRelease)
        mouseHeld_ = Qt::NoButton;
    QMouseEvent e(type, at, w->viewport()->mapToGlobal(at), button, held, mods);
    QApplication::sendEvent(w->viewport(), &e);
    QApplication::processEvents();
}

void ChartListBoxTest::ClickCell(int row, TChartListBox::TColumn column,
                                 Qt::KeyboardModifiers mods) {
    Mouse(QEvent::MouseButtonPress, ColumnX(column), RowY(row), mods);
    Mouse(QEvent::MouseButtonRelease, ColumnX(column), RowY(row), mods);
}

void ChartListBoxTest::DoubleClickCell(int row, TChartListBox::TColumn column) {
    ClickCell(row, column);
    Mouse(QEvent::MouseButtonDblClick, ColumnX(column), RowY(row));
    Mouse(QEvent::MouseButtonRelease, ColumnX(column), RowY(row));
}

void ChartListBoxTest::Key(int qtKey) {
    edtest::PressKey(list, qtKey);
}

std::vector<TChartSeries*> ChartListBoxTest::ChartOrder() const {
    std::vector<TChartSeries*> order;
    for (int i = 0; i < chart->SeriesCount(); ++i)
        order.push_back(chart->SeriesAt(i));
    return order;
}

std::vector<int> ChartListBoxTest::SelectedRows() const {
    std::vector<int> rows;
    for (int i = 0; i < list->Count(); ++i)
        if (list->Selected(i))
            rows.push_back(i);
    return rows;
}

std::vector<std::string> ChartListBoxTest::RowTexts() const {
    return list->Items()->ToVector();
}
