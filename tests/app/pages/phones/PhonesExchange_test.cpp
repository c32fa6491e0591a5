// The service phone numbers page's reader and writer against quorvan4-unitsim, on the cable and
// through the modem.

#include "app/pages/phones/PhonesExchange.h"

#include "tests/app/support/RecordingPageLink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using pagetest::TPageBench;

std::string Cell(int row) {
    return "SG1[1," + std::to_string(row) + "]";
}

class PhonesExchange : public ::testing::TestWithParam<TLinkKind> {
protected:
    TPageBench bench{GetParam()};
    pagetest::TRecordingPageLink& link = bench.Link();
};

TEST_P(PhonesExchange, ReadFillsTheRowsTheUnitHolds) {
    bench.Sim().SetValue("enaing", "00");
    bench.Sim().SetValue("ing0", "+79161112233");
    bench.Sim().SetValue("ing7", "89030001122");
    ReadPhonesPage(link);
    std::vector<std::string> asked = {"+enaing"};
    for (const char digit : std::string("0123456789"))
        asked.push_back(std::string("+ing") + digit);
    EXPECT_EQ(bench.Lines(), asked);
    EXPECT_EQ(link.Value("cbPhones"), "true");
    EXPECT_EQ(link.Colour("lbPhones"), "blue");
    EXPECT_EQ(link.Value(Cell(1)), "+79161112233");
    EXPECT_EQ(link.Value(Cell(8)), "89030001122");
    EXPECT_EQ(link.Value(Cell(2)), "");
}

TEST_P(PhonesExchange, FailedReadLeavesItsCellAlone) {
    bench.Sim().SetValue("ing3", "+79160000003");
    bench.Refuse("ing3");
    ReadPhonesPage(link);
    EXPECT_EQ(link.Value(Cell(4)), "<none>");
    EXPECT_EQ(link.Value(Cell(5)), "");
    for (const std::string& shown : link.Shown)
        EXPECT_EQ(shown.find("ERROR"), std::string::npos) << shown;

    bench.Refuse("enaing");
    link.Clear();
    ReadPhonesPage(link);
    EXPECT_EQ(link.Colour("lbPhones"), "red");
    EXPECT_EQ(link.Value("cbPhones"), "<none>");
}

TEST_P(PhonesExchange, EmptyGridSwitchesTheNumbersOff) {
    TPhonesValues values;
    values.Enabled = true;
    WritePhonesPage(link, values);
    std::vector<std::string> sent = {"+enaingFF"};
    for (const char digit : std::string("0123456789"))
        sent.push_back(std::string("+ing") + digit + " ");
    EXPECT_EQ(bench.Lines(), sent);
    EXPECT_EQ(link.Shown, (std::vector<std::string>{"cbPhones=false"}));
    EXPECT_EQ(link.Colour("lbPhones"), "blue");
    EXPECT_EQ(bench.Sim().Value("enaing"), "FF");
}

TEST_P(PhonesExchange, WriteThenReadBack) {
    TPhonesValues values;
    values.Enabled = true;
    values.Numbers[0] = "+79161112233";
    values.Numbers[9] = std::string(30, '5');
    WritePhonesPage(link, values);
    EXPECT_EQ(bench.LinesStarting("+enaing"), (std::vector<std::string>{"+enaing00"}));
    EXPECT_EQ(bench.LinesStarting("+ing9"),
              (std::vector<std::string>{"+ing9" + values.Numbers[9]}));
    EXPECT_TRUE(link.Shown.empty());

    link.Clear();
    ReadPhonesPage(link);
    EXPECT_EQ(link.Value("cbPhones"), "true");
    for (int n = 0; n < ServicePhoneCount; ++n)
        EXPECT_EQ(link.Value(Cell(n + 1)), values.Numbers[static_cast<size_t>(n)]) << n;
}

INSTANTIATE_TEST_SUITE_P(Links, PhonesExchange, ::testing::Values(lkCable, lkModem));

} // namespace
