#pragma once
// The storage tests' surroundings: the application (offscreen), message dialogs and diagnostic
// lines recorded instead of shown, and a fresh folder per test that stands for the program's
// folder and the user's configuration folder.

#include "controls/storage/FrFormState.h"
#include "controls/storage/FrRegIniFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace storagetest {

struct Recorded {
    std::vector<std::string> Dialogs;
    std::vector<std::string> Diagnostics;
};
Recorded& Record();

// Each test gets <tmp>/program/quorvan4 as the program file and <tmp>/config as
// $XDG_CONFIG_HOME; both are removed afterwards.
class StorageTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string root_;
    std::string programFolder_; // with a trailing "/"
    std::string configHome_;    // with a trailing "/"
};

// Runs Python's configparser on the file and returns "key=value" lines of the section, in file
// order ("<no section>" when it is missing, "<unreadable>" when the parser refuses the file).
std::string ConfigParserSection(const std::string& file, const std::string& section);

// Lets the event loop run a little (window state changes arrive as events).
void Settle();

} // namespace storagetest

// A form that counts the calls of its own handlers (it has no description of its own).
class TCountingForm : public TForm {
    Q4_CLASS(TCountingForm, TForm)
public:
    explicit TCountingForm(TComponent* owner) : TForm(owner) {}
    static void DeclareMethods(TMethodTable& m);
    int Creates = 0, Shows = 0, Closes = 0;
    void FormCreate(TObject*) { ++Creates; }
    void FormShow(TObject*) { ++Shows; }
    void FormClose(TObject*, TCloseAction&) { ++Closes; }
    TFrFormState* State() { return static_cast<TFrFormState*>(FindComponent("FrFormState1")); }
};

// The main window's arrangement: a settings storage on ".\windows.ini" and a placement storage.
class TPlacementForm : public TCountingForm {
    Q4_CLASS(TPlacementForm, TCountingForm)
public:
    explicit TPlacementForm(TComponent* owner) : TCountingForm(owner) {}
};

// The same with a dialog border.
class TDialogPlacementForm : public TCountingForm {
    Q4_CLASS(TDialogPlacementForm, TCountingForm)
public:
    explicit TDialogPlacementForm(TComponent* owner) : TCountingForm(owner) {}
};

// A placement storage without a settings storage.
class TUnstoredPlacementForm : public TCountingForm {
    Q4_CLASS(TUnstoredPlacementForm, TCountingForm)
public:
    explicit TUnstoredPlacementForm(TComponent* owner) : TCountingForm(owner) {}
};
