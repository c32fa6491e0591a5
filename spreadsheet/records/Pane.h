#pragma once
// Frozen or split panes of a sheet, with the selection records of the panes other than the
// active one.

#include "platform/classes/Persistent.h"
#include "platform/classes/Properties.h"
#include "spreadsheet/records/BaseRecordStorage.h"

#include <cstdint>

Q4_ENUM(TPaneType, ptNone, ptFrozen, ptSplit);

class TPane : public TPersistent {
    Q4_CLASS(TPane, TPersistent)
    TPane() = default;

    TPaneType PaneType = ptNone;
    int32_t SplitColX = 0;
    int32_t SplitRowY = 0;
    int32_t LeftCol = 0;
    int32_t TopRow = 0;
    int32_t ActivePane = 0;
    // The selection records of the other panes.
    TBaseRecordStorage Selections;

    static void DeclareProperties(TPropertyList& p) {
        p.Add("PaneType", &TPane::PaneType);
        p.Add("SplitColX", &TPane::SplitColX);
        p.Add("SplitRowY", &TPane::SplitRowY);
        p.Add("LeftCol", &TPane::LeftCol);
        p.Add("TopRow", &TPane::TopRow);
    }
};
