#pragma once
// The program's start-up, shared by the program and its tests: the module initialisers (every
// class the windows' descriptions name, the pages' parts), then the windows in their order: the
// main window first, then the connection-progress window, About, the service flashing dialog and
// the update dialog.

class TApplication;
class TFormAbout;
class TdlgSplash;
class TformMain;
class TformUpdateIns;
class TformUpdateInsertion;

struct TProgramWindows {
    TformMain* Main = nullptr;
    TdlgSplash* Splash = nullptr;
    TFormAbout* About = nullptr;
    TformUpdateInsertion* UpdateInsertion = nullptr;
    TformUpdateIns* Update = nullptr;
};

// Every module's initialiser; safe to run more than once.
void InitializeProgramModules();
// Makes the windows, owned by the application; the main window is the application's main form.
TProgramWindows CreateProgramWindows(TApplication& application);
// Frees the windows as the program ends: the dialogs, then the main window (which saves the
// settings and disconnects), then the connection-progress window it may still use.
void FreeProgramWindows(TProgramWindows& windows);
