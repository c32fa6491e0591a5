// Formulas generated at random (with a fixed seed) compile and decode back to the same text.

#include "spreadsheet/core/CellRef.h"
#include "spreadsheet/formulas/DecodeFormula.h"
#include "tests/spreadsheet/formulas/FormulaTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

class TGenerator {
public:
    TGenerator(unsigned seed, bool wide) : rng_(seed), wide_(wide) {}

    std::u16string Expression(int depth) {
        if (depth <= 0 || Pick(3) == 0)
            return Atom(depth);
        static const char16_t* const ops[] = {u"+", u"-",  u"*", u"/",  u"^", u"&",
                                              u"=", u"<>", u"<", u"<=", u">", u">="};
        const int op = Pick(12);
        // A number ends at an operator other than "&" (the concatenation needs a blank).
        const std::u16string left = op == 5 ? u"\"s\"" : Atom(depth - 1);
        return left + ops[op] + Atom(depth - 1);
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    std::u16string Number() {
        static const char16_t* const decimals[] = {u"2.5", u"0.125", u"1000000", u"65536", u"3.25"};
        return Pick(3) == 0 ? decimals[Pick(5)] : Digits(Pick(65536));
    }
    static std::u16string Digits(long n) {
        const std::string s = std::to_string(n);
        return std::u16string(s.begin(), s.end());
    }
    std::u16string Cell() {
        const int col = wide_ ? Pick(16384) : Pick(256);
        const int row = wide_ ? Pick(1048576) : Pick(65536);
        return CellRefTextWide(col, row, Pick(2), Pick(2));
    }
    std::u16string Reference() {
        switch (Pick(4)) {
        case 0:
            return Cell() + u":" + Cell();
        case 1:
            return u"SHEET" + Digits(1 + Pick(3)) + u"!" + Cell();
        default:
            return Cell();
        }
    }
    std::u16string Function(int depth) {
        switch (Pick(7)) {
        case 0:
            return u"NOW()";
        case 1:
            return u"ABS(" + Expression(depth) + u")";
        case 2:
            return u"ROUND(" + Expression(depth) + u"," + Atom(0) + u")";
        case 3:
            return u"IF(" + Expression(depth) + u"," + Atom(0) + (Pick(2) ? u"," + Atom(0) : u"") +
                   u")";
        case 4:
            return u"SUM(" + Reference() + u",," + Expression(depth) + u")";
        default: {
            std::u16string args = Expression(depth);
            for (int n = Pick(4); n > 0; --n)
                args += u"," + Expression(depth - 1);
            return (Pick(2) ? u"MAX(" : u"CONCATENATE(") + args + u")";
        }
        }
    }
    std::u16string Atom(int depth) {
        static const char16_t* const errors[] = {u"#NULL!", u"#DIV/0!", u"#VALUE!", u"#REF!",
                                                 u"#NAME?", u"#NUM!",   u"#N/A"};
        switch (Pick(depth > 0 ? 12 : 8)) {
        case 0:
            return Number();
        case 1:
            return u"\"t" + Digits(Pick(100)) + u" x\"";
        case 2:
            return Pick(2) ? u"TRUE" : u"FALSE";
        case 3:
            return errors[Pick(7)];
        case 4:
            return u"NAME" + Digits(1 + Pick(5));
        case 5:
        case 6:
            return Reference();
        case 7:
            return Pick(2) ? u"-" + Number() : Number() + u"%";
        case 8:
        case 9:
            return Function(depth - 1);
        default:
            return u"(" + Expression(depth - 1) + u")";
        }
    }

    std::mt19937 rng_;
    bool wide_;
};

void Resolver(int kind, int index, std::u16string& text, int, int, int nameIndex) {
    const std::string s = std::to_string(kind == 0 ? nameIndex : index);
    text = (kind == 0 ? u"NAME" : u"SHEET") + std::u16string(s.begin(), s.end()) +
           (kind == 0 ? u"" : u"!");
}

TEST(RoundTrip, GeneratedFormulasDecodeToTheirText) {
    TTestEncoder t;
    for (int i = 1; i <= 5; ++i) {
        const std::string s = std::to_string(i);
        t.names[u"NAME" + std::u16string(s.begin(), s.end())] = i - 1;
    }
    t.encoder.OnGetExternSheet = [](const std::u16string&, const std::u16string&, int& sheet,
                                    int& ext, bool, const std::u16string& name) {
        sheet = ext = name.back() - u'0';
    };
    int count = 0;
    for (bool wide : {false, true}) {
        MaxCol = wide ? MaxColWide : MaxColClassic;
        MaxRow = wide ? MaxRowWide : MaxRowClassic;
        TGenerator generator(wide ? 43 : 41, wide);
        for (int i = 0; i < 120; ++i, ++count) {
            const std::u16string text = generator.Expression(3);
            const std::vector<uint8_t> tokens = t.Compile(text, wide ? 2 : 1);
            const std::u16string back =
                DecodeFormulaTokens(xvExcel97, tokens.data(), static_cast<int>(tokens.size()),
                                    Resolver, -1, -1, -1, u',', TFormatSettings::Invariant());
            EXPECT_EQ(std::string(back.begin(), back.end()), std::string(text.begin(), text.end()));
        }
    }
    EXPECT_EQ(count, 240);
}

} // namespace
