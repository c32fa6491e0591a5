// The main window's workbook and HTML-export components: created from the window's description
// with the values it stores, written back as they were read, and freed with the window. The whole
// window's description is written back too, every component of it in turn.

#include "app/mainwin/FormMain.h"
#include "platform/classes/Streaming.h"
#include "spreadsheet/html/XLSExportHTML.h"
#include "spreadsheet/workbook/XLSWorkbook.h"
#include "tests/app/mainwin/MainWindowTestSupport.h"
#include "tests/app/support/AppTestEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace mwtest;

TEST(MainWindowWorkbook, TheComponentsComeFromTheDescriptionAndGoWithTheWindow) {
    // A file named like a temporary workbook file of the user's survives the start.
    const std::filesystem::path keep = std::filesystem::temp_directory_path() / "XLSkeep.txt";
    std::ofstream(keep) << "mine";

    TRigOptions options;
    options.StartUnit = false;
    TWindowRig rig(options);
    rig.Start();
    EXPECT_EQ(apptest::Messages(), std::vector<std::string>{});
    auto* book = dynamic_cast<TXLSWorkbook4*>(rig.Main()->FindComponent("XLSWorkbook41"));
    auto* html = dynamic_cast<TXLSExportHTML4*>(rig.Main()->FindComponent("XLSExportHTML41"));
    ASSERT_NE(book, nullptr);
    ASSERT_NE(html, nullptr);
    EXPECT_EQ(book->Owner(), rig.Main());
    EXPECT_EQ(book->Version(), xvExcel97);
    ASSERT_EQ(book->Sheets()->Count(), 1);
    EXPECT_EQ(book->Sheets()->Items(0)->Name(), u"Sheet1");
    EXPECT_EQ(book->Sheets()->SheetNames().Count(), 1);
    EXPECT_EQ(book->Workbook()->Left(), 100);
    EXPECT_EQ(book->Workbook()->Top(), 100);
    EXPECT_EQ(book->Workbook()->Width(), 10000);
    EXPECT_EQ(book->Workbook()->Height(), 7000);
    EXPECT_EQ(book->OptionsDialog()->CalcCount(), 100);
    EXPECT_EQ(book->OptionsDialog()->CalcMode, cmAutomatic);
    EXPECT_EQ(MaxCol, 255);
    EXPECT_EQ(MaxRow, 65535);
    EXPECT_EQ(html->XLS(), nullptr);
    EXPECT_EQ(html->Col1, -1);
    EXPECT_EQ(html->Row2, -1);
    EXPECT_FALSE(html->WriteOnlyTables);
    EXPECT_EQ(html->TABLE()->BordeWidth, 0);
    EXPECT_TRUE(std::filesystem::exists(keep));

    // What the components write of themselves reads back into new ones.
    TXLSWorkbook4 copy(nullptr);
    ReadComponentDescription(ComponentToText(book), &copy);
    EXPECT_EQ(copy.Sheets()->Items(0)->Name(), u"Sheet1");
    EXPECT_EQ(copy.Workbook()->Width(), 10000);
    EXPECT_EQ(ComponentToText(&copy), ComponentToText(book));
    TXLSExportHTML4 exportCopy(nullptr);
    ReadComponentDescription(ComponentToText(html), &exportCopy);
    EXPECT_EQ(ComponentToText(&exportCopy), ComponentToText(html));

    rig.Quit();
    std::filesystem::remove(keep);
}

TEST(MainWindowWorkbook, TheWholeWindowWritesItsDescriptionBack) {
    TRigOptions options;
    options.StartUnit = false;
    TWindowRig rig(options);
    rig.Start();
    TformMain* main = rig.Main();
    const std::string text = ComponentToText(main);

    // Every component of the window is written, under its own name and class.
    ASSERT_GT(main->ComponentCount(), 0);
    for (int i = 0; i < main->ComponentCount(); ++i) {
        TComponent* c = main->Components(i);
        const std::string header = "object " + c->Name() + ": " + c->ClassName();
        const size_t at = text.find(header);
        ASSERT_NE(at, std::string::npos) << header << "\n" << text.substr(0, 300);
        EXPECT_TRUE(text.compare(at + header.size(), 1, "\r") == 0 ||
                    text.compare(at + header.size(), 1, "\n") == 0)
            << header;
    }

    // The framed page tree writes what the window's description gave it, and leaves out what
    // its storing rules hold back.
    const size_t start = text.find("object tv1: TFrTreeView");
    ASSERT_NE(start, std::string::npos);
    std::string tree;
    std::istringstream lines(text.substr(start));
    for (std::string line;
         std::getline(lines, line) && line.find_first_not_of(' ') != line.find("end");)
        tree += line + "\n";
    for (const char* line : {"FrameVisible = True", "FrameColor = 12164479", "ReadOnly = True",
                             "ShowRoot = False", "OnChange = tv1Change"})
        EXPECT_NE(tree.find(line), std::string::npos) << line << "\n" << tree;
    for (const char* absent : {"FocusColor", "About", "AutoSelect"})
        EXPECT_EQ(tree.find(absent), std::string::npos) << absent << "\n" << tree;

    rig.Quit();
}
