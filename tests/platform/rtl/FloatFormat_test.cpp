#include "platform/rtl/Exception.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
const std::string NBSP = "\xC2\xA0";
const TFormatSettings ru = TFormatSettings::Russian();
const TFormatSettings inv = TFormatSettings::Invariant();
} // namespace

TEST(FloatFormat, FloatToStrFifteenDigitsShortestForm) {
    volatile double a = 0.29;
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {a * 100, "29"}, // 28.999999999999996 rounds to 15 digits
        {1.5, "1,5"},
        {0, "0"},
        {-0.0, "0"},
        {-2.25, "-2,25"},
        {1.0 / 3, "0,333333333333333"},
        {2.0 / 3, "0,666666666666667"},
        {1e14, "100000000000000"},
        {1e15, "1E15"},
        {123456789012345678.0, "1,23456789012346E17"},
        {0.0001, "0,0001"},
        {0.00001, "1E-5"},
        {1e-20, "1E-20"},
        {-1.5e300, "-1,5E300"},
        {9.9999999999999999e22, "1E23"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FloatToStr(c.value, ru), c.text) << c.value;
    EXPECT_EQ(FloatToStr(1.5, inv), "1.5");
}

TEST(FloatFormat, FloatToStrFFormats) {
    struct Case {
        double value;
        TFloatFormat format;
        int precision, digits;
        std::string text;
    };
    const Case cases[] = {
        {1234.5, ffFixed, 15, 2, "1234,50"},
        {1234.5, ffNumber, 15, 2, "1" + NBSP + "234,50"},
        {1234567.0, ffNumber, 15, 0, "1" + NBSP + "234" + NBSP + "567"},
        {0.125, ffFixed, 15, 2, "0,13"},  // a true tie rounds away from zero
        {2.675, ffFixed, 15, 2, "2,67"},  // the double is just below the tie
        {-0.001, ffFixed, 15, 2, "0,00"}, // no sign on a value that rounds to zero
        {999.996, ffFixed, 15, 2, "1000,00"},
        {1e16, ffFixed, 15, 2, "1E16"}, // too many integer digits: general form
        {-1234.5, ffCurrency, 15, 2, "-1" + NBSP + "234,50 р."},
        {1234.5, ffCurrency, 15, 2, "1" + NBSP + "234,50 р."},
        {1.5, ffExponent, 4, 2, "1,500E+00"},
        {-0.00012345, ffExponent, 3, 0, "-1,23E-4"},
        {0, ffExponent, 3, 3, "0,00E+000"},
        {1e20, ffGeneral, 15, 2, "1E20"},
        {1.5e-7, ffGeneral, 15, 3, "1,5E-007"},
        {1234.5, ffGeneral, 3, 0, "1,23E3"}, // digits 0: the exponent is not padded
        {99.9, ffGeneral, 2, 0, "1E2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits, ru), c.text)
            << c.value << " format " << c.format;
}

TEST(FloatFormat, FormatFloatPictures) {
    struct Case {
        const char* picture;
        double value;
        std::string text;
    };
    const Case cases[] = {
        {"#,##0.###", 1234.5, "1" + NBSP + "234,5"},
        {"#,##0.###", 0, "0"},
        {"##0.## %", 25, "25 %"},
        {"0.00", 0.125, "0,13"},
        {"0.00", -3, "-3,00"},
        {"#", 0, ""},
        {"#.##", 0.5, ",5"},
        {"00000", 42, "00042"},
        {"0-00", 12345, "123-45"},
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"0", -0.4, "0"},
        {"0.0;(0.0);\"zero\"", -1.25, "(1,3)"},
        {"0.0;(0.0);\"zero\"", 0, "zero"},
        {"0.0;(0.0);\"zero\"", 0.01, "zero"}, // rounds to zero
        {"0.0;;'nil'", -2, "-2,0"},           // empty negative section: positive one, signed
        // A section without digit placeholders shows only its own text.
        {"0.00;\"neg\"", -5, "neg"},
        {"0.00;\"neg\"", 5, "5,00"},
        {"\"pos\";\"neg\";\"zero\"", -1, "neg"},
        {"\"pos\";\"neg\";\"zero\"", 1, "pos"},
        {"\"pos\";\"neg\";\"zero\"", 0, "zero"},
        {"'none'", -3, "none"},
        {"0.00E+00", 12345, "1,23E+04"},
        {"0.###E-0", 0.00012346, "1,235E-4"},
        {"0.00E+00", 0, "0,00E+00"},
        {"\"$\"#,##0", 1234567, "$1" + NBSP + "234" + NBSP + "567"},
        {"'#'0", 7, "#7"},
        {"", 1.5, "1,5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFloat(c.picture, c.value, ru), c.text) << c.picture << " / " << c.value;
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5, inv), "1,234.50");
}

TEST(FloatFormat, StrToFloatAcceptsBothSeparators) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"1,5", true, 1.5},   {"1.5", true, 1.5},  {" -2,5e3 ", true, -2500},
        {",5", true, 0.5},    {"5,", true, 5},     {"+1", true, 1},
        {"1E-2", true, 0.01}, {"1e-999", true, 0}, {"1,5,3", false, 0},
        {"1,5.3", false, 0},  {"", false, 0},      {"abc", false, 0},
        {"1e", false, 0},     {"1e999", false, 0}, {"1 000", false, 0},
        {"NAN", false, 0},    {",", false, 0},     {"-", false, 0},
        {"0x10", false, 0},
    };
    for (const Case& c : cases) {
        double v = -1;
        EXPECT_EQ(TryStrToFloat(c.text, v, ru), c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v, c.value) << c.text;
        }
    }
    double v = 0;
    EXPECT_FALSE(TryStrToFloat("1,5", v, inv)); // a comma is not a decimal point there
    try {
        StrToFloat("x1", ru);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'x1' is not a valid floating point value");
    }
    EXPECT_EQ(StrToFloatDef("bad", 7.5, ru), 7.5);
}

TEST(Math, RoundHalfEvenTruncFrac) {
    struct Case {
        double value;
        int64_t round, trunc;
    };
    const Case cases[] = {
        {0.5, 0, 0},
        {1.5, 2, 1},
        {2.5, 2, 2},
        {-0.5, 0, 0},
        {-1.5, -2, -1},
        {-2.5, -2, -2},
        {2.4999, 2, 2},
        {2.5001, 3, 2},
        {1e30, INT64_MAX, INT64_MAX},
        {-1e30, INT64_MIN, INT64_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Round(c.value), c.round) << c.value;
        EXPECT_EQ(Trunc(c.value), c.trunc) << c.value;
    }
    EXPECT_EQ(Round(std::nan("")), 0);
    EXPECT_DOUBLE_EQ(Frac(-3.25), -0.25);
    EXPECT_TRUE(SameValue(0.1 + 0.2, 0.3));
    EXPECT_FALSE(SameValue(1.0, 1.001));
}
