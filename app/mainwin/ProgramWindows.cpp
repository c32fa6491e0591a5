#include "app/mainwin/ProgramWindows.h"

#include "app/connect/DlgConnect.h"
#include "app/firmware/FormUpdateIns.h"
#include "app/firmware/FormUpdateInsertion.h"
#include "app/mainwin/DlgSplash.h"
#include "app/mainwin/FormAbout.h"
#include "app/mainwin/FormMain.h"
#include "app/pages/common/FormCommon.h"
#include "app/pages/gprs/FormGPRS.h"
#include "app/pages/gps/FormGPS.h"
#include "app/pages/history/FormHistory.h"
#include "app/pages/phones/FormPhones.h"
#include "app/pages/power/FormPower.h"
#include "chart/ChartLibrary.h"
#include "controls/buttons/ButtonsRegistration.h"
#include "controls/buttons/GlyphButtonRegistration.h"
#include "controls/containers/ContainerControls.h"
#include "controls/labels/LabelsRegistration.h"
#include "controls/memo/MemoControls.h"
#include "controls/progress/ProgressRegistration.h"
#include "controls/splitter/SplitterRegistration.h"
#include "controls/storage/StorageComponents.h"
#include "controls/tree/TreeControls.h"
#include "device/Comm.h"
#include "device/Modem.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Menus.h"
#include "platform/forms/Timer.h"
#include "platform/stdctrls/Registration.h"
#include "spreadsheet/SpreadsheetUnits.h"
#include "spreadsheet/html/WorkbookComponents.h"

void RegisterMainWindowClasses() {
    RegisterStdControls();
    RegisterFramedButtons();
    RegisterGlyphButtons();
    RegisterContainerControls();
    RegisterFramedLabels();
    RegisterMemoControls();
    RegisterProgressControls();
    RegisterSplitterControls();
    RegisterStorageComponents();
    RegisterTreeControls();
    RegisterCommComponents();
    RegisterModemComponents();
    RegisterWorkbookComponents();
    RegisterClasses<TMainMenu, TMenuItem, TTimer, TOpenDialog, TSaveDialog>();
    RegisterClasses<TformMain, TdlgSplash, TFormAbout>();
}

void InitializeProgramModules() {
    InitializeSpreadsheetLibrary();
    InitializeChartLibrary();
    RegisterMainWindowClasses();
    RegisterConnectDialogClasses();
    RegisterFirmwareDialogClasses();
    RegisterCommonPage();
    RegisterGPRSPage();
    RegisterHistoryPage();
    RegisterPhonesPage();
    RegisterPowerPage();
    RegisterGPSPage();
}

TProgramWindows CreateProgramWindows(TApplication& application) {
    TProgramWindows w;
    application.CreateForm(w.Main);
    application.CreateForm(w.Splash);
    application.CreateForm(w.About);
    application.CreateForm(w.UpdateInsertion);
    w.Update = TformUpdateIns::Create(&application, *w.Main);
    w.Main->AttachWindows(w.Splash, w.About, w.Update);
    return w;
}

void FreeProgramWindows(TProgramWindows& w) {
    for (TCustomForm* form :
         {static_cast<TCustomForm*>(w.Update), static_cast<TCustomForm*>(w.UpdateInsertion),
          static_cast<TCustomForm*>(w.About), static_cast<TCustomForm*>(w.Main),
          static_cast<TCustomForm*>(w.Splash)})
        if (form != nullptr)
            form->Free();
    if (Application != nullptr && Application->MainForm() == w.Main)
        Application->SetMainForm(nullptr);
    w = TProgramWindows{};
}
