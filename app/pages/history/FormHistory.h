#pragma once
// TformHistory, the history page ("История"): the unit's track records, a block of 32 at a time,
// newest on top, with the paging, erase and export buttons above the list, the coordinate format
// below it, and the service edit and button of the unsent-record pointer (shown only when the
// settings file asks for them). Its buttons set worker commands through the window that owns the
// pages (PageCommands.h); the commands' own work is THistoryOperations (app/history), which
// reaches the page as its THistoryView (HistoryConnection.h joins the two on a connection).
//
// The page's read label ("Страница истории") turns blue when the last read showed what the
// unit holds and red when the read failed (a write pointer that could not be read or lies outside
// the ring, or a block that could not be read).

#include "app/history/HistoryHost.h"
#include "app/pages/FormIncl.h"

#include <string>

class TCheckBox;
class TCustomListView;
class TEdit;
class TLabel;

class TformHistory : public TformIncl, public THistoryView {
    Q4_CLASS(TformHistory, TformIncl)
public:
    explicit TformHistory(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);

    // Only the list is cleared (the pointer edit keeps what the operator typed).
    void PrepareRead() override;
    // Besides the controls: "showNSPoint" in section "FormHistory" ("1" shows the pointer edit
    // and its button; anything else, or a file that cannot be read, hides them).
    void LoadFromIni(TCustomIniFile& ini) override;
    void SaveToIni(TCustomIniFile& ini) override;

    // THistoryView. The controls are found once, when the page is read from its description.
    TCustomListView* List() override { return list_; }
    TControl* PointerEdit() override;
    TControl* ReadMark() override;
    THistoryViewState State() override;
    void ClearList() override;

    // Handlers named by the description.
    void FrToolButton1Click(TObject* sender); // back
    void FrToolButton2Click(TObject* sender); // forward
    void FrToolButton3Click(TObject* sender); // erase, after three confirmations
    void btNspointClick(TObject* sender);
    void etNspointKeyPress(TObject* sender, char16_t& key);
    void etNspointChange(TObject* sender);
    void Button1Click(TObject* sender); // export

    // The three questions before the history is erased, in order.
    static const char* const EraseQuestion;
    static const char* const EraseWarning;
    static const char* const EraseConfirmation;
    // The caption of the coordinate format switch (with a degree sign and a double quote).
    static const char* const FormatCaption;

protected:
    void Loaded() override;

private:
    template <class T> T* Part(const char* name) const;
    // Clears the list and sets the command, only while connected.
    void Page(uint8_t code);

    TCustomListView* list_ = nullptr;
    TEdit* pointerEdit_ = nullptr;
    TLabel* readMark_ = nullptr;
    TCheckBox* format_ = nullptr;
};

// Puts the page and the classes its description names in the class registry, and the page's
// reader and commands with the controller.
void RegisterHistoryPage();
