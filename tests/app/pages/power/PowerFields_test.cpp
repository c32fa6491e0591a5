// The power page's field rules: the threshold's text, its check, reading volts with either
// separator, and the engine state.

#include "app/pages/power/PowerFields.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(PowerFields, ThresholdTextKeepsTwoWholeDigitsAndAComma) {
    const std::pair<int, const char*> cases[] = {{1000, "10,00"}, {2350, "23,50"}, {2500, "25,00"},
                                                 {950, "09,50"},  {5, "00,05"},    {9999, "99,99"}};
    for (const auto& [hundredths, text] : cases)
        EXPECT_EQ(ThresholdText(hundredths), text) << hundredths;
}

TEST(PowerFields, VoltsReadWithCommaOrPoint) {
    const std::pair<const char*, double> numbers[] = {
        {"12,50", 12.5}, {"12.50", 12.5}, {"1 ,  ", 10.0}, {"24", 24.0}, {",5", 0.5}};
    for (const auto& [text, volts] : numbers) {
        double read = -1;
        EXPECT_TRUE(TryVolts(text, read)) << text;
        EXPECT_DOUBLE_EQ(read, volts) << text;
    }
    for (const char* text : {"", ",", "ab", "12,5V", "1,2,3", "1.2,3", "-5,00"}) {
        double read = -1;
        EXPECT_FALSE(TryVolts(text, read)) << text;
    }
}

TEST(PowerFields, ThresholdCheckHoldsTheTrackBarsRange) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"10,00", std::nullopt}, {"23,00", std::nullopt}, {"25,00", std::nullopt},
        {"09,99", "10,00"},      {"25,01", "25,00"},      {"99,99", "25,00"},
        {"ab,cd", "10,00"},      {"  ,  ", "10,00"},      {"23.00", "23,00"},
        {"12,5 ", "12,50"},      {"2 ,  ", "20,00"},      {"99999999999999999999999", "25,00"}};
    for (const auto& [text, wanted] : cases)
        EXPECT_EQ(CheckThreshold(text), wanted) << text;
}

TEST(PowerFields, EngineRunsAboveTheThreshold) {
    struct TCase {
        const char* supply;
        const char* threshold;
        std::optional<bool> running;
    };
    const TCase cases[] = {{"24,00", "23,00", true},    {"23,00", "23,00", false},
                           {"12.00", "10,00", true},    {"9.99", "10,00", false},
                           {"", "10,00", std::nullopt}, {"12,00", "ab", std::nullopt}};
    for (const TCase& c : cases)
        EXPECT_EQ(EngineRunning(c.supply, c.threshold), c.running)
            << c.supply << " against " << c.threshold;
}

} // namespace
