#include "app/mainwin/ProgramWindows.h"
#include "chart/ChartLibrary.h"
#include "platform/forms/Forms.h"
#include "spreadsheet/SpreadsheetUnits.h"

int main(int argc, char** argv) {
    // Every module starts before any window exists and stops after the last one is gone.
    InitializeProgramModules();
    {
        TApplication application(argc, argv);
        application.Initialize();
        application.SetTitle("Программа настройки QUORVAN-4");
        CreateProgramWindows(application);
        application.Run();
    }
    FinalizeChartLibrary();
    FinalizeSpreadsheetLibrary();
    return 0;
}
