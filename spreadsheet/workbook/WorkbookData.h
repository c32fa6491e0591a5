#pragma once
// Published parts of a workbook that live in its global records: the workbook window
// (position, size, options and selected tab) and the calculation options.

#include "platform/classes/Persistent.h"
#include "platform/classes/Properties.h"

#include <cstdint>

class TRecordStorageGlobals;

Q4_ENUM(TWorkbookOption, woHidden, woIconized, woHScroll, woVScroll, woTabs);
using TWorkbookOptions = TSet<TWorkbookOption>;
Q4_ENUM(TCalcMode, cmManual, cmAutomatic, cmAutoExTables);
Q4_ENUM(TShowObjects, soShowAll, soPlaceholders, soHideAll);

// The workbook window: positions and sizes in twips, all in the global WINDOW1 record.
class TWorkbookData : public TPersistent {
    Q4_CLASS(TWorkbookData, TPersistent)
public:
    explicit TWorkbookData(TRecordStorageGlobals& records) : records_(records) {}
    uint16_t Left() const { return Word(0); }
    void SetLeft(uint16_t v) { SetWord(0, v); }
    uint16_t Top() const { return Word(1); }
    void SetTop(uint16_t v) { SetWord(1, v); }
    uint16_t Width() const { return Word(2); }
    void SetWidth(uint16_t v) { SetWord(2, v); }
    uint16_t Height() const { return Word(3); }
    void SetHeight(uint16_t v) { SetWord(3, v); }
    // Writing replaces the whole option word with exactly the bits of the set.
    TWorkbookOptions Options() const;
    void SetOptions(TWorkbookOptions value);
    uint16_t SelectedTab() const { return Word(5); }
    void SetSelectedTab(uint16_t v) { SetWord(5, v); }
    // Dates count from 1904 (the global 1904 record holds 1).
    bool Date1904() const;

    static void DeclareProperties(TPropertyList& p);

private:
    uint16_t Word(int index) const;
    void SetWord(int index, uint16_t value);
    TRecordStorageGlobals& records_;
};

class TOptionsDialog : public TPersistent {
    Q4_CLASS(TOptionsDialog, TPersistent)
public:
    explicit TOptionsDialog(TRecordStorageGlobals& records) : records_(records) {}
    uint16_t CalcCount() const { return calcCount_; }
    // 0 becomes 1, values from 32768 become 32767.
    void SetCalcCount(int value);
    // Global records: BOOKBOOL, PRECISION and HIDEOBJ.
    bool SaveExtLinkVal() const;
    void SetSaveExtLinkVal(bool value);
    bool PrecisionAsDisplayed() const;
    void SetPrecisionAsDisplayed(bool value);
    TShowObjects ShowObjects() const;
    void SetShowObjects(TShowObjects value);

    TCalcMode CalcMode = cmAutomatic;
    double Delta = 0.001;
    bool Iteration = false;
    bool R1C1Mode = false;
    bool RecalcBeforeSave = false;
    bool Uncalced = false;
    bool SaveRecalc = true;

    static void DeclareProperties(TPropertyList& p);

private:
    TRecordStorageGlobals& records_;
    uint16_t calcCount_ = 100;
};
