#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"

#include <gtest/gtest.h>

namespace {
const TFormatSettings ru = TFormatSettings::Russian();
const std::string NBSP = "\xC2\xA0";
} // namespace

TEST(Format, ConversionTable) {
    struct Case {
        std::string got, want;
    };
    const Case cases[] = {
        {Format("%d", {42}, ru), "42"},
        {Format("%5d|%-5d|", {42, 42}, ru), "   42|42   |"},
        {Format("%.4d", {-12}, ru), "-0012"},
        {Format("%.5d", {123}, ru), "00123"},
        {Format("%.2d,%.2d", {5, 7}, ru), "05,07"},
        {Format("%d", {int64_t(-9000000000)}, ru), "-9000000000"},
        {Format("%d", {INT32_MIN}, ru), "-2147483648"},
        {Format("%u", {-1}, ru), "4294967295"},
        {Format("%u", {uint64_t(18446744073709551615ull)}, ru), "18446744073709551615"},
        {Format("%x", {255}, ru), "FF"},
        {Format("%.4x", {255}, ru), "00FF"},
        {Format("%.2X", {10}, ru), "0A"},
        {Format("%x", {-1}, ru), "FFFFFFFF"},
        {Format("%x", {int64_t(-1)}, ru), "FFFFFFFFFFFFFFFF"},
        {Format("%s and %s", {"a", std::string("b")}, ru), "a and b"},
        {Format("%s", {'c'}, ru), "c"},
        {Format("%.3s", {"abcdef"}, ru), "abc"},
        {Format("%5s|%-4s|", {"ab", "Жж"}, ru), "   ab|Жж  |"}, // widths count characters
        {Format("%.1s", {"Жж"}, ru), "Ж"},
        {Format("%2.2f", {10.0}, ru), "10,00"},
        {Format("%2.2f", {5.0}, ru), "5,00"},
        {Format("%f", {1.0}, ru), "1,00"},
        {Format("%.0f", {2.5}, ru), "3"},
        {Format("%8.3f|", {-3.14159}, ru), "  -3,142|"},
        {Format("%e", {1.5}, ru), "1,50000000000000E+000"},
        {Format("%.3e", {-12345.678}, ru), "-1,23E+004"},
        {Format("%g", {0.5}, ru), "0,5"},
        {Format("%g", {1234.5}, ru), "1234,5"},
        {Format("%n", {1234567.891}, ru), "1" + NBSP + "234" + NBSP + "567,89"},
        {Format("%.0n", {1234.5}, ru), "1" + NBSP + "235"},
        {Format("%m", {1234.5}, ru), "1" + NBSP + "234,50 р."},
        {Format("%m", {-1234.5}, ru), "-1" + NBSP + "234,50 р."},
        // Widths count characters, not the bytes of the separator and the currency sign.
        {Format("%15.1n|", {1234567.0}, ru), "    1" + NBSP + "234" + NBSP + "567,0|"},
        {Format("%20m|", {1234.5}, ru), std::string(9, ' ') + "1" + NBSP + "234,50 р.|"},
        {Format("%-20m|", {1234.5}, ru), "1" + NBSP + "234,50 р." + std::string(9, ' ') + "|"},
        {Format("%11.0n|", {-1234567.0}, ru), " -1" + NBSP + "234" + NBSP + "567|"},
        // The general format writes its exponent without padding.
        {Format("%.3g", {1234.5}, ru), "1,23E3"},
        {Format("%.2g", {99.9}, ru), "1E2"},
        {Format("%.3g", {0.00001234}, ru), "1,23E-5"},
        {Format("%g", {1e20}, ru), "1E20"},
        {Format("%p", {reinterpret_cast<const void*>(0x1234)}, ru), "0000000000001234"},
        {Format("%1:s %0:s %s", {"a", "b"}, ru), "b a b"},
        {Format("%*d|", {5, 42}, ru), "   42|"},
        {Format("%*d|", {-5, 42}, ru), "42   |"}, // a negative width aligns to the left
        {Format("%-*d|", {-5, 42}, ru), "42   |"},
        {Format("%*s|%d", {-4, "Жж", 7}, ru), "Жж  |7"},
        {Format("%1:*d|", {9, 3, 42}, ru), " 42|"},
        {Format("%-*.*f|", {8, 1, 3.14159}, ru), "3,1     |"},
        {Format("100%%", {}, ru), "100%"},
        {Format("no args", {}, ru), "no args"},
        {Format("%.2f", {1.5}, TFormatSettings::Invariant()), "1.50"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.want);
}

TEST(Format, ErrorsNameTheFormat) {
    struct Case {
        const char* format;
        std::vector<TVarRec> args;
        std::string message;
    };
    const std::string bad = "' invalid or incompatible with argument";
    const Case cases[] = {
        {"%d", {1.5}, "Format '%d" + bad},
        {"%f", {1}, "Format '%f" + bad},
        {"%s", {42}, "Format '%s" + bad},
        {"%s", {true}, "Format '%s" + bad},
        {"%x", {"a"}, "Format '%x" + bad},
        {"%p", {1}, "Format '%p" + bad},
        {"%", {}, "Format '%" + bad},
        {"abc %5", {1}, "Format 'abc %5" + bad},
        {"%z", {1}, "Format '%z" + bad},
        {"%*d", {"w", 1}, "Format '%*d" + bad},
        {"%99999999d", {1}, "Format '%99999999d" + bad},
        {"%d", {}, "No argument for format '%d'"},
        {"%d %d", {1}, "No argument for format '%d %d'"},
        {"%5:d", {1}, "No argument for format '%5:d'"},
    };
    for (const Case& c : cases) {
        try {
            Format(c.format, c.args, ru);
            ADD_FAILURE() << "no error for " << c.format;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}
