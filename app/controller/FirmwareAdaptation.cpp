#include "app/controller/FirmwareAdaptation.h"

#include "app/history/HistoryColumnFit.h"
#include "app/pages/FormIncl.h"
#include "platform/stdctrls/ListItems.h"
#include "platform/stdctrls/ListView.h"
#include "platform/stdctrls/TreeNodes.h"
#include "platform/stdctrls/TreeView.h"

#include <initializer_list>

namespace {

constexpr int NarrowColumns = 9;
constexpr int WideColumns = 13;
constexpr int ChecksumColumn = 7; // "КС", then "Запись"

void ShowParts(TformIncl* page, std::initializer_list<const char*> names, bool visible) {
    if (page == nullptr)
        return;
    for (const char* name : names)
        if (auto* control = dynamic_cast<TControl*>(page->FindComponent(name)))
            control->SetVisible(visible);
}

// Adds or removes the GPS page's node; true when it was removed.
bool AdaptGpsNode(TCustomTreeView* tree, bool wanted) {
    if (tree == nullptr)
        return false;
    TTreeNodes* nodes = tree->Items();
    constexpr int WithGps = 6;
    if (wanted) {
        if (nodes->Count() != WithGps) {
            TTreeNode* last = nodes->Count() > 0 ? nodes->Item(nodes->Count() - 1) : nullptr;
            TTreeNode* node = nodes->Add(last, GpsNodeText);
            node->SetStateIndex(GpsNodeState);
        }
        return false;
    }
    if (nodes->Count() == WithGps) {
        nodes->Delete(nodes->Item(WithGps - 1));
        return true;
    }
    return false;
}

TListColumn* AddColumn(TListColumns* columns, int at, const char* caption, int width) {
    TListColumn* column = columns->Insert(at);
    column->SetCaption(caption);
    if (width >= 0)
        column->SetWidth(width);
    return column;
}

} // namespace

void AdaptHistoryColumns(TCustomListView& list, bool wide) {
    TListColumns* columns = list.Columns();
    if (wide && columns->Count() == NarrowColumns) {
        const int checksumWidth = columns->Items(ChecksumColumn)->Width();
        const int recordWidth = columns->Items(ChecksumColumn + 1)->Width();
        columns->Delete(ChecksumColumn + 1);
        columns->Delete(ChecksumColumn);
        const int fittedLater = -1;
        AddColumn(columns, 7, "Высота над уровнем моря (м)", fittedLater);
        AddColumn(columns, 8, "Кол-во спутников", fittedLater);
        AddColumn(columns, 9, "2/3 D fix", fittedLater);
        AddColumn(columns, 10, "Уровень приема (dBHz)", fittedLater);
        AddColumn(columns, 11, "КС", checksumWidth);
        AddColumn(columns, 12, "Запись", recordWidth);
        FitHistoryColumns(list, ChecksumColumn, WideColumns - NarrowColumns);
    } else if (!wide && columns->Count() == WideColumns) {
        for (int i = 0; i < WideColumns - NarrowColumns; ++i)
            columns->Delete(ChecksumColumn);
    }
}

TAdaptResult AdaptPagesToFirmware(const TAdaptTargets& targets, const TUnitFirmware& unit,
                                  const std::string& gpsSwitch) {
    TAdaptResult result;
    const bool zone = NewerThan(unit, GateZone);
    ShowParts(targets.Gprs, {"lbGPRS", "cbGPRS", "lbGPRSTime", "meGPRSTime", "FrGroupBox1"}, zone);
    ShowParts(targets.Common, {"FrGroupBox3", "FrGroupBox4"}, zone);
    result.ShowPowerPage =
        AdaptGpsNode(targets.Tree, NewerThan(unit, GateGpsPage) && gpsSwitch == "1");
    ShowParts(targets.Power, {"GroupBox1", "GroupBox2", "lbLookIgn", "cbLookIgn"},
              NewerThan(unit, GateIgnition));
    if (targets.History != nullptr)
        if (auto* list = dynamic_cast<TCustomListView*>(targets.History->FindComponent("lv1")))
            AdaptHistoryColumns(*list, NewerThan(unit, GateHistoryWide));
    ShowParts(targets.Common, {"FrGroupBox5"}, NewerThan(unit, GateAntiTheft));
    return result;
}
