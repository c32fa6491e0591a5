#include "spreadsheet/formulas/CalcFormula.h"

#include "spreadsheet/formulas/FunctionEvaluate.h"
#include "tests/spreadsheet/formulas/FormulaTestSupport.h"
#include "tests/spreadsheet/formulas/WorkbookFixture.h"
#include "tests/support/ErrorMessage.h"

namespace {

using Calculation = WorkbookFixture;

struct TCalcCase {
    const char16_t* Formula;
    const char* Result;
};

std::string Utf8(const char16_t* s) {
    std::u16string u(s);
    return std::string(u.begin(), u.end());
}

template <size_t N> void ExpectResults(WorkbookFixture& f, const TCalcCase (&cases)[N]) {
    for (const TCalcCase& c : cases)
        EXPECT_EQ(WorkbookFixture::Show(f.Calc(c.Formula)), c.Result) << Utf8(c.Formula);
}

TEST_F(Calculation, Operators) {
    Number(0, 0, 4);  // A1
    Text(1, 0, u"2"); // B1
    const TCalcCase cases[] = {
        {u"1+2", "3"},
        {u"1+2*3", "7"},
        {u"(1+2)*3", "9"},
        {u"1/0", "#DIV/0!"},
        {u"\"2\"+3", "5"},
        {u"\"x\"+3", "#VALUE!"},
        {u"\"a\"<\"B\"", "TRUE"},
        {u"2<10", "TRUE"},
        {u"\"2\"<\"10\"", "FALSE"},
        {u"\"ab\"&\"cd\"", "\"abcd\""},
        {u"1 &\"x\"", "\"1x\""},
        {u"#N/A&\"x\"", "#N/A"},
        {u"TRUE&\"x\"", "\"TRUEx\""},
        {u"50%", "0.5"},
        {u"-2^2", "4"},
        {u"A1*2", "8"},
        {u"B1*2", "4"},
        {u"C1+1", "1"},
        {u"C1=\"\"", "TRUE"},
        {u"1=1", "TRUE"},
        {u"1<>1", "FALSE"},
        {u"3>=3", "TRUE"},
        {u"A1:A2+1", "#VALUE!"},
        // Results that are not finite numbers.
        {u"(0-8)^0.5", "#NUM!"},
        {u"0^(0-1)", "#DIV/0!"},
        {u"2^1024", "#NUM!"},
        {u"#REF!+1", "#REF!"},
    };
    ExpectResults(*this, cases);
}

TEST_F(Calculation, ValueStack) {
    TVarStack stack(handler.Sheets(), 0, handler.Settings());
    TFormulaValue v;
    EXPECT_EQ(ErrorMessage([&] { stack.Pop(v); }), "Empty stack");
    EXPECT_EQ(ErrorMessage([&] { stack.ApplyOperator(0x03); }), "Value is missing");
    stack.PushNumber(1);
    // A two-operand operator with one value does not read below the stack.
    EXPECT_EQ(ErrorMessage([&] { stack.ApplyOperator(0x03); }), "Value is missing");
    stack.ApplyOperator(0x13);
    stack.Pop(v);
    EXPECT_EQ(Show(v), "-1");
    EXPECT_EQ(stack.Capacity(), 32);
    for (int i = 0; i < 33; ++i)
        stack.PushNumber(i);
    EXPECT_EQ(stack.Capacity(), 64);
    EXPECT_EQ(stack.Count(), 33);
}

TEST_F(Calculation, BuiltInFunctions) {
    Number(0, 0, 1);  // A1
    Text(0, 1, u"2"); // A2, A3 empty
    Number(1, 0, 1);  // B1..B4: 1, 3, 5, 7 (sorted)
    Number(1, 1, 3);
    Number(1, 2, 5);
    Number(1, 3, 7);
    Text(2, 0, u"one"); // C1..C4: result column
    Text(2, 1, u"three");
    Text(2, 2, u"five");
    Text(2, 3, u"seven");
    Text(3, 0, u"apple"); // D1..D3 sorted texts
    Text(3, 1, u"Banana");
    Text(3, 2, u"cherry");
    const TCalcCase cases[] = {
        {u"SUM(A1:A3)", "3"},
        {u"SUM(1,TRUE,\"4\")", "6"},
        {u"COUNT(A1:A3,5)", "2"},
        {u"AVERAGE(A1:A3)", "1"},
        {u"MAX(-5,-3)", "-3"},
        {u"MIN(-5,-3)", "-5"},
        {u"MAX(A1:A3)", "#VALUE!"},
        {u"MOD(7,0)", "#DIV/0!"},
        {u"MOD(-1,3)", "-1"},
        {u"MOD(7,3)", "1"},
        {u"IF(FALSE,1)", "FALSE"},
        {u"IF(\"TRUE\",1,2)", "1"},
        {u"IF(0,1,2)", "2"},
        {u"IF(#N/A,1,2)", "#VALUE!"},
        {u"INT(-1.5)", "-1"},
        {u"INT(2.7)", "2"},
        {u"ROUND(2.5,0)", "3"},
        {u"ROUND(-2.5,0)", "-3"},
        {u"ROUND(1.005,2)", "1.01"},
        {u"ROUND(1234,0-2)", "1200"},
        {u"ABS(0-3)", "3"},
        {u"SIGN(0-3)", "-1"},
        {u"SIN(0)", "0"},
        {u"EXP(0)", "1"},
        {u"LN(0)", "#NUM!"},
        {u"LOG10(1000)", "3"},
        {u"PI()", "3.14159265358979"},
        {u"STDEV(2,4,4,4,5,5,7,9)", "2.1380899352994"},
        {u"STDEV(1)", "#DIV/0!"},
        {u"NPV(0.1,100,100)", "173.553719008264"},
        {u"AND(TRUE,1)", "TRUE"},
        {u"AND(TRUE,0)", "FALSE"},
        {u"OR(FALSE,0)", "FALSE"},
        {u"OR(FALSE,\"TRUE\")", "TRUE"},
        {u"NOT(1)", "FALSE"},
        {u"ISNA(NA())", "TRUE"},
        {u"ISNA(A3)", "FALSE"},
        {u"ISERROR(#DIV/0!)", "TRUE"},
        {u"ISERROR(1/0)", "TRUE"},
        {u"ISERROR(1)", "FALSE"},
        {u"ISNUMBER(A1)", "TRUE"},
        {u"ISNUMBER(A2)", "FALSE"},
        {u"CONCATENATE(\"a\",1,TRUE)", "\"a1TRUE\""},
        {u"CONCATENATE(\"a\",#N/A)", "\"#N/A\""},
        {u"CONCATENATE(\"a\",A3,\"b\")", "\"ab\""},
        {u"ROW()", "11"},
        {u"ROW(B5)", "5"},
        {u"COLUMN(C1:D2)", "3"},
        {u"TRUE()", "TRUE"},
        {u"FIXED(1234.567)", "\"1,234.57\""},
        {u"FIXED(1234.567,1,TRUE)", "\"1234.6\""},
        {u"FIXED(1234.567,1,1)", "#VALUE!"},
        {u"LOOKUP(5,B1:B4)", "5"},
        {u"LOOKUP(4,B1:B4,C1:C4)", "\"three\""},
        {u"LOOKUP(100,B1:B4,C1:C4)", "\"seven\""},
        {u"LOOKUP(0,B1:B4,C1:C4)", "#N/A"},
        {u"LOOKUP(\"BANANA\",D1:D3)", "\"Banana\""},
        {u"LOOKUP(\"c\",D1:D3)", "\"Banana\""},
        {u"LOOKUP(\"x\",B1:B4)", "#N/A"},
    };
    ExpectResults(*this, cases);
}

// Reads the handler's own cells and counts the cell values read.
class TCountingSheets : public TFormulaSheets {
public:
    explicit TCountingSheets(TFormulaSheets& sheets) : sheets_(sheets) {}
    TCell* FindCell(int sheet, int col, int row) override {
        return sheets_.FindCell(sheet, col, row);
    }
    void StoredCells(int sheet, int col1, int row1, int col2, int row2,
                     std::vector<TCellPos>& cells) override {
        sheets_.StoredCells(sheet, col1, row1, col2, row2, cells);
    }
    void GetCellValue(int sheet, int col, int row, TFormulaValue& value, bool byRef) override {
        ++Reads;
        sheets_.GetCellValue(sheet, col, row, value, byRef);
    }
    void EvaluateCell(int sheet, int col, int row, TFormulaValue& value,
                      TCellRefArray& refs) override {
        sheets_.EvaluateCell(sheet, col, row, value, refs);
    }
    int64_t Reads = 0;

private:
    TFormulaSheets& sheets_;
};

TEST_F(Calculation, FunctionsOverAWholeSheetReadOnlyItsStoredCells) {
    Number(0, 0, 1);         // A1
    Text(1, 6, u"x");        // B7
    Number(2, 4, 2.5);       // C5
    Boolean(3, 8, true);     // D9
    Formula(4, 1, u"A1*10"); // E2, calculated when the area reaches it
    Number(255, 65535, 4);   // IV65536, the last cell
    Number(0, 1, 100, 1);    // Sheet2!A2
    TCountingSheets counting(handler.Sheets());
    handler.SetSheets(&counting);
    // The values in column order are 1, "x", 2.5, TRUE, 10, 4 among 256 * 65536 positions.
    const TCalcCase cases[] = {
        {u"COUNT(A1:IV65536)", "4"},
        {u"SUM(A1:IV65536)", "18.5"},
        {u"AVERAGE(A1:IV65536)", "1.10268592834473E-6"}, // 18.5 / 16777216
        {u"COUNT(A1:IV65536,Sheet2!A1:IV65536)", "5"},
        {u"SUM(Sheet2!A1:IV65536)", "100"},
        {u"CONCATENATE(A1:IV65536)", "\"1x2.5TRUE104\""},
        // An empty cell ends the functions that need every value.
        {u"ISNUMBER(A1:IV65536)", "FALSE"},
        {u"MAX(A1:IV65536)", "#VALUE!"},
        {u"NPV(0.1,A1:IV65536)", "#VALUE!"},
        {u"DOLLAR(A1:IV65536)", "#VALUE!"},
        // Functions that take their first values keep the empty ones in place.
        {u"IF(TRUE,E1:E3)", "<empty>"},
        {u"IF(FALSE,E1:E3)", "10"},
        {u"IF(FALSE,A3:A4,E2)", "<empty>"},
        {u"IF(TRUE,A1:IV65536)", "1"},
        {u"IF(FALSE,A1:IV65536)", "<empty>"},
    };
    for (const TCalcCase& c : cases) {
        counting.Reads = 0;
        EXPECT_EQ(Show(Calc(c.Formula)), c.Result) << Utf8(c.Formula);
        // The seven stored cells, and the first three values taken before the walk.
        EXPECT_LE(counting.Reads, 10) << Utf8(c.Formula);
    }
    EXPECT_EQ(ErrorMessage([&] { Calc(u"AND(A1:IV65536)"); }), "Can not calculate function AND");
    handler.SetSheets(nullptr);
}

TEST_F(Calculation, FunctionErrors) {
    EXPECT_EQ(ErrorMessage([&] { Calc(u"SQRT(4)"); }), "Can not calculate function SQRT");
    EXPECT_EQ(ErrorMessage([&] { Calc(u"SIN(\"1\")"); }), "Wrong type of argument in function SIN");
    EXPECT_EQ(ErrorMessage([&] { Calc(u"ROW(1)"); }), "Argument must be a reference");
    EXPECT_EQ(ErrorMessage([&] { Calc(u"LOOKUP(1,A1:B2)"); }),
              "Wrong type of argument to function LOOKUP");
    EXPECT_EQ(ErrorMessage([&] { Calc(u"IF(C9,1,2)"); }), "Can not calculate function IF");
    // MOD with one argument, written by hand.
    TFormulaValue v;
    EXPECT_EQ(ErrorMessage([&] { handler.CalcFormula(Bytes("1E0100 42 01 2700"), 0, v, 0, 0); }),
              "Wrong number of arguments (1) to function MOD");
    EXPECT_EQ(ErrorMessage([&] { handler.CalcFormula(Bytes("01 0000 0000"), 0, v, 0, 0); }),
              "Illegal ptg in formula");
    EXPECT_EQ(ErrorMessage([&] { handler.CalcFormula(Bytes("1E0100 1E"), 0, v, 0, 0); }),
              "Formula tokens are truncated");
}

TEST_F(Calculation, FunctionsLeftToTheWorkbook) {
    std::vector<TFormulaValue> seen;
    handler.OnFunction = [&](const std::u16string& name, TFormulaValue& result, int lastArg,
                             std::vector<TFormulaValue>& args) {
        if (name == u"SQRT") {
            SetNumberValue(result, 2);
            seen = args;
            EXPECT_EQ(lastArg, 0);
        }
    };
    EXPECT_EQ(Show(Calc(u"SQRT(A4)*3")), "6");
    ASSERT_EQ(seen.size(), 1u);
    // References reach the handler as references on the formula's sheet.
    EXPECT_EQ(seen[0].Kind, fvRef3d);
    EXPECT_EQ(seen[0].Col2, 0);
    EXPECT_EQ(seen[0].Row1, 3);
    EXPECT_EQ(ErrorMessage([&] { Calc(u"LEN(\"x\")"); }), "Can not calculate function LEN");
}

TEST_F(Calculation, ReferencedFormulasAreCalculatedFirst) {
    Formula(0, 0, u"1+2");          // A1
    Formula(2, 0, u"A1*2");         // C1
    Formula(0, 1, u"Sheet2!A1+C1"); // A2
    Formula(0, 0, u"10", 1);        // Sheet2!A1
    EXPECT_EQ(Show(Evaluate(0, 1)), "16");
    for (auto [col, row, sheet] : {std::tuple{0, 0, 0}, {2, 0, 0}, {0, 0, 1}}) {
        auto* cell = static_cast<TFormulaCell*>(Cell(col, row, sheet));
        EXPECT_EQ(cell->Calculated, 1);
    }
    EXPECT_EQ(static_cast<TFormulaNumberCell*>(Cell(2, 0))->Result, 6);
    // A text result turns the cell into a text formula cell.
    Formula(3, 0, u"\"a\"&C1");
    EXPECT_EQ(Show(Evaluate(3, 0)), "\"a6\"");
    ASSERT_EQ(Cell(3, 0)->CellType(), ckFormulaString);
    EXPECT_EQ(handler.DecodeFormula(static_cast<TFormulaCell*>(Cell(3, 0))->Tokens()), u"\"a\"&C1");
    // Areas see calculated values too.
    Formula(4, 0, u"SUM(A1:D1)");
    EXPECT_EQ(Show(Evaluate(4, 0)), "9");
}

TEST_F(Calculation, CyclesGiveAnErrorValue) {
    Formula(0, 0, u"B1"); // A1
    Formula(1, 0, u"A1"); // B1
    EXPECT_EQ(Show(Evaluate(0, 0)), "#VALUE!");
    Formula(0, 4, u"A5+1"); // A5 refers to itself
    EXPECT_EQ(Show(Evaluate(0, 4)), "#VALUE!");
    Formula(0, 5, u"MIN(A6:A7)"); // A6 inside its own area
    EXPECT_EQ(Show(Evaluate(0, 5)), "#VALUE!");
    TInternalName* name = handler.InternalNames().AddName();
    name->SetName(u"Loop");
    name->NameDef = handler.EncodeFormula(u"Loop+1");
    EXPECT_EQ(Show(Calc(u"Loop")), "#VALUE!");
}

TEST_F(Calculation, LongChainsEndInAnErrorInsteadOfTheStack) {
    // Two chains of 3000 cells, each adding one to the cell above.
    for (int col : {0, 1}) {
        Number(col, 0, 1);
        const std::u16string letter(1, static_cast<char16_t>(u'A' + col));
        for (int r = 1; r < 3000; ++r) {
            const std::string above = std::to_string(r);
            Formula(col, r, letter + std::u16string(above.begin(), above.end()) + u"+1");
        }
    }
    // Calculated from the bottom, the chain is deeper than calculation goes.
    EXPECT_EQ(Show(Evaluate(0, 2999)), "#VALUE!");
    // Calculated from the top, each cell finds the one above calculated.
    for (int r = 1; r < 3000; ++r)
        Evaluate(1, r);
    EXPECT_EQ(Show(Evaluate(1, 2999)), "3000");
}

TEST_F(Calculation, TokensOfOtherLayoutsAndErrors) {
    TFormulaValue v;
    // A stream of the wide layout is not calculated.
    handler.CalcFormula(Bytes("FE 44 00000000 0000"), 0, v, 0, 0);
    EXPECT_EQ(Show(v), "\"Unknown ptg[FE]\"");
    // Error tokens are error values.
    EXPECT_EQ(Show(Calc(u"ISERROR(#REF!)")), "TRUE");
    handler.CalcFormula(Bytes("2A 0000 0000"), 0, v, 0, 0);
    EXPECT_EQ(Show(v), "#REF!");
    // A sheet entry that names a deleted sheet.
    handler.ExternalNames().ExtSheets.push_back({0, 0xFFFF, 0xFFFF});
    handler.ExternalNames().SupBooks.AddInternalBook(2);
    handler.CalcFormula(Bytes("5A 0000 0000 00C0"), 0, v, 0, 0);
    EXPECT_EQ(Show(v), "#REF!");
}

} // namespace
