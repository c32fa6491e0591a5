#pragma once
// The series list box: one row per series of a chart, in four columns (the series class's
// picture, an active check box or radio button, the colour swatch, the title). The user works on
// the series in place: a click on the check column switches a series on or off, a double click
// on the swatch changes its colour and on the picture its type (through ChangeSeriesTypeHook),
// F2 renames it in an edit over the title, dragging a title swaps two series, Insert adds one
// (through AddSeriesHook) and Delete frees the selected ones after a question. The list follows
// the chart by listening to its series events.
//
// Both hooks are empty until the gallery sets them; adding and changing types do nothing then.

#include "chart/control/ChartLegend.h"
#include "chart/panel/PlotEvents.h"
#include "platform/stdctrls/ListBox.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

class TChartSeries;
class TCustomChart;
class TCustomChartSeries;
class TEdit;

// Makes a new series for chart (current: the series selected in the list, or none); none when
// nothing was made.
using TAddSeriesHook =
    std::function<TChartSeries*(TComponent* owner, TCustomChart* chart, TChartSeries* current)>;
// Replaces series by a series of another type chosen by the user, and answers the class of the
// series it leaves in series (the old one's own class when the user cancelled).
using TChangeSeriesTypeHook = std::function<TClass(TComponent* owner, TChartSeries*& series)>;
TAddSeriesHook& AddSeriesHook();
TChangeSeriesTypeHook& ChangeSeriesTypeHook();

class TChartListBox;
using TNotifySeriesEvent = std::function<void(TChartListBox* sender, TCustomChartSeries* series)>;
using TChangeOrderEvent = std::function<void(TChartListBox* sender, TCustomChartSeries* series1,
                                             TCustomChartSeries* series2)>;
using TDblClickSeriesEvent = std::function<void(TChartListBox* sender, int index)>;

class TChartListBox : public TCustomListBox, public IChartEventListener {
    Q4_CLASS(TChartListBox, TCustomListBox)
public:
    enum TColumn { colIcon, colActive, colColor, colTitle };

    explicit TChartListBox(TComponent* owner);
    ~TChartListBox() override;
    static void DeclareProperties(TPropertyList& p);
    void Notification(TComponent* component, TOperation operation) override;
    void ChartEvent(TPlotEvent& event) override;
    void SetParent(TWinControl* parent) override;

    TCustomChart* Chart() const { return chart_; }
    void SetChart(TCustomChart* chart);
    TCheckBoxesStyle CheckStyle() const { return checkStyle_; }
    void SetCheckStyle(TCheckBoxesStyle style);
    bool FontSeriesColor() const { return fontSeriesColor_; }
    void SetFontSeriesColor(bool on);
    bool ShowColumn(TColumn column) const { return columns_[column].visible; }
    void SetShowColumn(TColumn column, bool on);
    int ColumnWidth(TColumn column) const { return columns_[column].width; }
    // The left edge of a column: the widths of the visible columns before it.
    int ColumnLeft(TColumn column) const;
    // Whether x lies strictly inside a visible column.
    bool InColumn(TColumn column, int x) const;

    bool AllowAddSeries = true;
    bool AllowDeleteSeries = true;
    bool AskDelete = true;
    bool EnableChangeColor = true;
    bool EnableDragSeries = true;
    bool EnableChangeType = true;

    // The series of the current row, or none.
    TChartSeries* SelectedSeries() const;
    TChartSeries* SeriesAt(int row) const;
    // -1 for an empty list.
    int CurrentRow() const { return Count() == 0 ? -1 : ItemIndex(); }
    void SelectAll() override;
    // Adds a series through AddSeriesHook and selects its row; the new series or none.
    TChartSeries* AddSeries();
    // Frees the selected series (after the question, with AskDelete); false when nothing was
    // selected or the answer was No.
    bool DeleteSelected();
    // Changes the selected series to the type the user picks for the first of them.
    void ChangeTypeOfSelected();
    // Opens the title edit over the current row.
    void StartRename();
    // Lists the chart's series again, keeping series selected (the first row without it).
    void FillSeries(TChartSeries* keep);
    // The title edit (none before the first rename).
    TEdit* TitleEdit() const { return titleEdit_; }

    TNotifySeriesEvent OnChangeActive;
    TNotifySeriesEvent OnChangeColor;
    TNotifySeriesEvent OnRemovedSeries;
    TChangeOrderEvent OnChangeOrder;
    TDblClickSeriesEvent OnDblClickSeries;
    TNotifyEvent OnOtherItemsChange;
    TNotifyEvent OnRefresh;

protected:
    void WndProc(TMessage& message) override;
    void DblClick() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void KeyUp(TKeyCode& key, TShiftState shift) override;
    void DragOver(TObject* source, int x, int y, bool& accept) override;
    void DragDrop(TObject* source, int x, int y) override;

private:
    struct TColumnState {
        int width;
        bool visible;
    };
    void DrawRow(int index, const TRect& rect, TOwnerDrawState state);
    void DrawSwatch(TChartSeries* series, const TRect& rect);
    void SwitchActive(int row);
    void DoubleClickAt(TPoint at);
    void FollowLegendStyle();
    // Selects exactly these series' rows.
    void SelectSeries(const std::vector<TChartSeries*>& series);
    std::vector<TChartSeries*> SelectedSeriesList();
    void EndRename(bool store);
    void RemoveRow(TCustomChartSeries* series);
    void Refreshed();

    TCustomChart* chart_ = nullptr;
    TCheckBoxesStyle checkStyle_ = cbsCheck;
    bool fontSeriesColor_ = false;
    std::array<TColumnState, 4> columns_{{{26, true}, {16, true}, {26, true}, {216, true}}};
    TEdit* titleEdit_ = nullptr;
    TChartSeries* renamed_ = nullptr;
    bool ignoreNextDrag_ = false;
    TPoint dblClickAt_{};
    bool destroying_ = false;
};
