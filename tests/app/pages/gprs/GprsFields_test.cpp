// The GPRS page's restart time list and online time limits.

#include "app/pages/gprs/GprsFields.h"

#include <gtest/gtest.h>

namespace {

TEST(GprsFields, RestartTimeLists) {
    const std::vector<std::string> standard = RestartTimeItems(RestartTimeDefaultFirst);
    ASSERT_EQ(standard.size(), 11u);
    EXPECT_EQ(standard.front(), "10 минут");
    EXPECT_EQ(standard.back(), "20 минут");
    const std::vector<std::string> shorter = RestartTimeItems(RestartTimeShortFirst);
    ASSERT_EQ(shorter.size(), 16u);
    EXPECT_EQ(shorter.front(), "5 минут");
    EXPECT_EQ(shorter[15], "20 минут");
}

TEST(GprsFields, UnitMinutesToItem) {
    const struct {
        int minutes;
        int first;
        int item;
    } cases[] = {
        {10, 10, 0}, {20, 10, 10}, {15, 10, 5}, {7, 10, -1}, {21, 10, -1},
        {0, 10, -1}, {5, 5, 0},    {20, 5, 15}, {4, 5, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RestartTimeItem(c.minutes, c.first), c.item)
            << c.minutes << " minutes from " << c.first;
}

TEST(GprsFields, OnlineTimeHeldToItsRange) {
    const struct {
        const char* text;
        const char* want;
    } cases[] = {
        {"60", "00120"},    {"00060", "00120"}, {"99999", "65534"}, {"65535", "65534"},
        {"65534", "65534"}, {"00120", "00120"}, {"  300", "00300"}, {"3 0  ", "30000"},
        {"", "00120"},      {"12a45", "00120"}, {"00121", "00121"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClampOnlineTime(c.text), c.want) << "'" << c.text << "'";
}

} // namespace
