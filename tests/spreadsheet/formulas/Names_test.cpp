#include "spreadsheet/formulas/ExternalNames.h"
#include "spreadsheet/formulas/InternalNames.h"

#include "spreadsheet/formulas/Ptg.h"
#include "tests/spreadsheet/formulas/FormulaTestSupport.h"
#include "tests/spreadsheet/formulas/WorkbookFixture.h"
#include "tests/support/ErrorMessage.h"

namespace {

TEST(ExternalNames, InternalSheetsShareTheirEntry) {
    TExternalNames names;
    EXPECT_EQ(names.GetInternalExtSheet(1, 3), 0);
    EXPECT_EQ(names.GetInternalExtSheet(1, 3), 0);
    EXPECT_EQ(names.SupBooks.Count(), 1);
    EXPECT_EQ(names.ExtSheets.size(), 1u);
    EXPECT_EQ(names.GetInternalExtSheet(2, 3), 1);
    EXPECT_EQ(names.SupBooks.Count(), 1);
    EXPECT_EQ(names.ExtSheetToSheet(1), 2);
    EXPECT_EQ(names.ExtSheetToSheet(5), -1);
}

TEST(ExternalNames, BooksOfOtherFiles) {
    TExternalNames names;
    int book = -1, ext = -1, sheet = -1;
    names.AddExternSheet(u"C:\\data\\", u"Book.xls", book, ext, u"Sales");
    EXPECT_EQ(book, 0);
    EXPECT_EQ(ext, 0);
    EXPECT_EQ(names.SupBooks.Items(0)->FileName(), u"C:\\data\\Book.xls");
    EXPECT_EQ(names.ExternText(0, -1), u"'C:\\data\\[Book.xls]Sales'!");
    // Found again ignoring case, and a second ask adds nothing.
    EXPECT_TRUE(names.FindExternSheet(u"c:\\DATA\\", u"book.XLS", sheet, ext, u"SALES"));
    EXPECT_EQ(sheet, 0);
    names.AddExternSheet(u"C:\\data\\", u"Book.xls", book, ext, u"Sales");
    EXPECT_EQ(names.ExtSheets.size(), 1u);
    EXPECT_FALSE(names.FindExternSheet(u"C:\\data\\", u"Book.xls", sheet, ext, u"Costs"));
    EXPECT_EQ(sheet, -1);
    // A quote in a sheet name is doubled.
    names.AddExternSheet(u"C:\\data\\", u"Book.xls", book, ext, u"Bob's");
    EXPECT_EQ(names.ExternText(ext, -1), u"'C:\\data\\[Book.xls]Bob''s'!");
    // Encoded names after their leading sign: a drive, a server, the parent folder.
    TSupBook encoded;
    encoded.Filename = StoredText(std::u16string(u"\x01\x01"
                                                 u"D"
                                                 u"x\x03\x04"
                                                 u"y.xls"));
    EXPECT_EQ(encoded.FileName(), u"D:\\x\\..\\y.xls");
    encoded.Filename = StoredText(std::u16string(u"\x01\x01@srv\x03s.xls"));
    EXPECT_EQ(encoded.FileName(), u"\\\\srv\\s.xls");
    EXPECT_EQ(encoded.FileNameText(), u"\\\\srv|s.xls!");
}

TEST(ExternalNames, ValuesOfExternalNames) {
    TExternalNames names;
    TSupBook* book = names.SupBooks.AddSupBook(u"C:\\", u"b.xls", u"S");
    names.ExtSheets.push_back({0, 0xFFFE, 0xFFFE});
    names.ExtSheets.push_back({0, 0, 0});
    // Row 2, columns 1 to 3 cached: a number, a string, an error.
    TCRN crn;
    crn.FirstCol = 1;
    crn.LastCol = 3;
    crn.Row = 2;
    crn.Values = Bytes("01 0000000000002440 02 0200 00 6869 10 07");
    book->Sheets[0].CRNs.push_back(crn);
    const auto add = [&](auto name, const char* tokens) {
        name->Name = StoredText(u"N");
        name->Tokens = Bytes(tokens);
        book->ExtNames.push_back(std::move(name));
    };
    add(std::make_unique<TExtName>(), "3A 0000 0000 0200 0100"); // sheet 0, row 2, col 1
    add(std::make_unique<TExtName>(), "3A 0000 0000 0200 0200");
    add(std::make_unique<TExtName>(), "3A 0000 0000 0200 0300");
    add(std::make_unique<TExtName>(), "3A 0000 0000 0500 0100");
    add(std::make_unique<TExtName>(), "1E 0100");
    add(std::make_unique<TExtNameDDE>(), "");
    add(std::make_unique<TExtNameOLE>(), "");
    const auto value = [&](int name) {
        TFormulaValue v;
        names.ExternNameValue(0, name, v);
        return WorkbookFixture::Show(v);
    };
    EXPECT_EQ(value(1), "10");
    EXPECT_EQ(value(2), "\"hi\"");
    EXPECT_EQ(value(3), "#DIV/0!");
    EXPECT_EQ(value(4), "#VALUE!");
    EXPECT_EQ(value(5), "\"N\"");
    EXPECT_EQ(ErrorMessage([&] { value(6); }), "Can not access DDE values.");
    EXPECT_EQ(ErrorMessage([&] { value(7); }), "Can not access OLE values.");
    TFormulaValue v;
    EXPECT_EQ(ErrorMessage([&] { names.ExternNameValue(1, 1, v); }), "Extern name is a reference.");
    EXPECT_EQ(ErrorMessage([&] { names.ExternNameValue(9, 1, v); }),
              "Extrensheet index out of range.");
}

TEST(InternalNames, NamesAndTheirChecks) {
    TInternalNames names;
    TInternalName* area = names.AddName();
    area->SetName(u"_xlnm.Print_Area");
    EXPECT_EQ(area->NameText(), u"Print_Area");
    EXPECT_EQ(area->Options & 1, 1);
    TInternalName* total = names.AddName();
    total->SetName(u"Total");
    TInternalName* other = names.AddName();
    // While loading, duplicates pass; afterwards they raise.
    other->SetName(u"TOTAL");
    names.Loading = 0;
    TInternalName* third = names.AddName();
    EXPECT_EQ(ErrorMessage([&] { third->SetName(u"total"); }),
              "There is allready an area named total");
    EXPECT_EQ(ErrorMessage([&] { third->SetName(u"_xlnm."); }), "Name is empty");
    third->SetName(u"Zeta");
    // Renaming keeps the places that formulas refer to.
    total->SetName(u"Alpha");
    EXPECT_EQ(names.IndexOfName(u"ALPHA"), 1);
    EXPECT_EQ(names.IndexOfName(u"zeta"), 3);
    third->SetProcedure(true);
    EXPECT_EQ(third->Options, 0x0008);
    third->SetProcedure(false);
    EXPECT_EQ(third->Options, 0);
}

TEST(InternalNames, DeletingTellsThePosition) {
    TInternalNames names;
    std::vector<int> deleted;
    names.OnNameDeleted = [&](TInternalNames&, int index) { deleted.push_back(index); };
    for (int i = 0; i < 3; ++i)
        names.AddName()->SetBuiltin(13);
    names.Names(1)->SheetIndex = 2;
    names.Names(2)->SheetIndex = 2;
    EXPECT_EQ(names.Names(0)->BuiltinCode(), 13);
    EXPECT_EQ(names.Names(0)->NameText(), u"");
    names.DeleteBuiltinName(13, 2, names.Names(1));
    EXPECT_EQ(deleted, std::vector<int>{2});
    names.DeleteName(0);
    EXPECT_EQ(deleted, (std::vector<int>{2, 0}));
    EXPECT_EQ(names.Count(), 1);
    EXPECT_EQ(names.Names(0)->SheetIndex, 2);
}

using Handler = WorkbookFixture;

TEST_F(Handler, FormulasOfSheetsAndNamesReadBack) {
    sheetNames.push_back(u"My Sheet");
    handler.CellValuesList().AddNew();
    TInternalName* rate = handler.InternalNames().AddName();
    rate->SetName(u"Rate");
    rate->NameDef = handler.EncodeFormula(u"0.5");
    // Sheet names come back in their own case; one that needs them in quotes.
    for (const std::u16string text :
         {u"Sheet2!B3*Rate", u"'My Sheet'!A1:B2", u"SUM(Sheet1!A1,sheet2!$A$1)",
          u"'C:\\data\\[Book.xls]Sales'!C4+1"}) {
        std::u16string expected = text;
        if (expected.find(u"sheet2") != std::u16string::npos)
            expected = u"SUM(Sheet1!A1,Sheet2!$A$1)";
        const std::u16string back = handler.DecodeFormula(handler.EncodeFormula(text));
        EXPECT_EQ(std::string(back.begin(), back.end()),
                  std::string(expected.begin(), expected.end()));
    }
    EXPECT_EQ(handler.ExternalNames().SupBooks.Count(), 2);
    Number(1, 2, 8, 1);
    EXPECT_EQ(Show(Calc(u"Sheet2!B3*Rate")), "4");
}

} // namespace
