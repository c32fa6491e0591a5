// The GPRS page's reader and writer against quorvan4-unitsim, on the cable and through the modem.

#include "app/pages/gprs/GprsExchange.h"

#include "app/pages/gprs/GprsFields.h"
#include "platform/rtl/Exception.h"
#include "tests/app/support/RecordingPageLink.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

using pagetest::TPageBench;

std::vector<std::string> Keywords(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        size_t end = 1;
        while (end < line.size() && std::isalpha(static_cast<unsigned char>(line[end])))
            ++end;
        out.push_back(line.substr(0, end));
    }
    return out;
}

TGprsValues SampleValues() {
    TGprsValues v;
    v.DialNumber = "*99***1#";
    v.AccessPoint = "apn.example";
    v.UserName = "user";
    v.UserPassword = "secret";
    v.ServerAddress = "198.51.100.7";
    v.ServerPort = "50321";
    v.ServerPassword = "Word1234";
    v.RestartItem = 10;
    v.RestartFirst = RestartTimeDefaultFirst;
    v.GprsOn = false;
    v.OnlineTime = "00300";
    v.AlertPhone = "+79161234567";
    v.AlertItem = 2;
    return v;
}

const std::vector<std::string> kAllKeywords = {"+gphone",  "+GAPN",      "+gprsname", "+gprspswd",
                                               "+IPadr",   "+IPport",    "+servpswd", "+timegpres",
                                               "+gprsena", "+activegsm", "+alphon",   "+allogic"};

const char* const kLabels[] = {"lbetGPRSphone", "lbetAccessPoint", "lbetLoginGPRS", "lbetPswdGPRS",
                               "lbetIp",        "lbetPort",        "lbetPswd",      "lbMRst",
                               "lbGPRS",        "lbGPRSTime",      "lbp1"};

class GprsExchange : public ::testing::TestWithParam<TLinkKind> {
protected:
    TPageBench bench{GetParam()};
    pagetest::TRecordingPageLink& link = bench.Link();
};

TEST_P(GprsExchange, WriteThenReadBack) {
    WriteGprsPage(link, SampleValues());
    EXPECT_EQ(bench.Lines(),
              (std::vector<std::string>{"+gphone*99***1#", "+GAPNapn.example", "+gprsnameuser",
                                        "+gprspswdsecret", "+IPadr198.51.100.7", "+IPport50321",
                                        "+servpswdWord1234", "+timegpres14", "+gprsenaFF",
                                        "+activegsm012C", "+alphon0+79161234567", "+allogicFA"}));
    for (const char* label : kLabels)
        EXPECT_EQ(link.Colour(label), "blue") << label;

    bench.Sim().ClearRecords();
    link.Clear();
    ReadGprsPage(link, RestartTimeDefaultFirst);
    EXPECT_EQ(Keywords(bench.Lines()), kAllKeywords);
    const std::vector<std::pair<const char*, const char*>> shown = {
        {"etGPRSphone", "*99***1#"},  {"etAccessPoint", "apn.example"},
        {"etLoginGPRS", "user"},      {"etPswdGPRS", "secret"},
        {"etIp", "198.51.100.7"},     {"etPort", "50321"},
        {"etPswd", "Word1234"},       {"cbMRst", "10"},
        {"cbGPRS", "false"},          {"meGPRSTime", "00300"},
        {"etPhone1", "+79161234567"}, {"cb1", "2"},
    };
    for (const auto& [name, text] : shown)
        EXPECT_EQ(link.Value(name), text) << name;
    for (const char* label : kLabels)
        EXPECT_EQ(link.Colour(label), "blue") << label;
}

TEST_P(GprsExchange, CyrillicTextsCrossTheLine) {
    TGprsValues v = SampleValues();
    v.UserName = "пользователь";
    WriteGprsPage(link, v);
    link.Clear();
    ReadGprsPage(link, RestartTimeDefaultFirst);
    EXPECT_EQ(link.Value("etLoginGPRS"), "пользователь");
}

TEST_P(GprsExchange, RestartTimeWithTheShortList) {
    bench.Sim().SetValue("timegpres", "05");
    ReadGprsPage(link, RestartTimeShortFirst);
    EXPECT_EQ(link.Value("cbMRst"), "0");

    TGprsValues v = SampleValues();
    v.RestartFirst = RestartTimeShortFirst;
    v.RestartItem = 15; // "20 минут"
    bench.Sim().ClearRecords();
    WriteGprsPage(link, v);
    EXPECT_EQ(bench.LinesStarting("+timegpres"), (std::vector<std::string>{"+timegpres14"}));
}

TEST_P(GprsExchange, RestartTimeOutsideTheListChoosesNothing) {
    bench.Sim().SetValue("timegpres", "07");
    ReadGprsPage(link, RestartTimeDefaultFirst);
    EXPECT_EQ(link.Value("cbMRst"), "-1");
    EXPECT_EQ(link.Colour("lbMRst"), "blue");
}

TEST_P(GprsExchange, NothingChosenSendsNothing) {
    TGprsValues v = SampleValues();
    v.RestartItem = -1;
    v.AlertItem = -1;
    WriteGprsPage(link, v);
    EXPECT_TRUE(bench.LinesStarting("+timegpres").empty());
    EXPECT_TRUE(bench.LinesStarting("+allogic").empty());
    EXPECT_EQ(link.Colour("lbMRst"), "red");
    EXPECT_EQ(link.Colour("lbp1"), "red");
    EXPECT_EQ(bench.Sim().Value("timegpres"), "0A");
}

TEST_P(GprsExchange, OnlineTimeOnlyWhileGprsIsOff) {
    TGprsValues v = SampleValues();
    v.GprsOn = true;
    WriteGprsPage(link, v);
    EXPECT_EQ(bench.LinesStarting("+gprsena"), (std::vector<std::string>{"+gprsena00"}));
    EXPECT_TRUE(bench.LinesStarting("+activegsm").empty());
    EXPECT_EQ(link.Colour("lbGPRSTime"), "<none>");

    bench.Sim().ClearRecords();
    ReadGprsPage(link, RestartTimeDefaultFirst);
    EXPECT_EQ(link.Value("cbGPRS"), "true");
    EXPECT_TRUE(bench.LinesStarting("+activegsm").empty());
}

TEST_P(GprsExchange, OlderFirmwareHasNoSwitchOrAlertPhone) {
    link.Build = 47;
    WriteGprsPage(link, SampleValues());
    ReadGprsPage(link, RestartTimeDefaultFirst);
    for (const char* keyword : {"+gprsena", "+activegsm", "+alphon", "+allogic"})
        EXPECT_TRUE(bench.LinesStarting(keyword).empty()) << keyword;
    EXPECT_EQ(bench.LinesStarting("+timegpres").size(), 2u);
}

TEST_P(GprsExchange, PortThatIsNoNumberEndsTheWrite) {
    for (const char* port : {"", "30a5"}) {
        TGprsValues v = SampleValues();
        v.ServerPort = port;
        bench.Sim().ClearRecords();
        EXPECT_THROW(WriteGprsPage(link, v), EConvertError) << port;
        EXPECT_EQ(bench.Lines().back(), "+IPadr198.51.100.7") << port;
    }
}

TEST_P(GprsExchange, RefusalsMarkRed) {
    TGprsValues v = SampleValues();
    v.ServerPort = "70000"; // no port: not sent at all
    bench.Refuse("GAPN");
    WriteGprsPage(link, v);
    EXPECT_TRUE(bench.LinesStarting("+IPport").empty());
    EXPECT_EQ(link.Colour("lbetPort"), "red");
    EXPECT_EQ(link.Colour("lbetAccessPoint"), "red");
    EXPECT_EQ(link.Colour("lbetLoginGPRS"), "blue");

    link.Clear();
    ReadGprsPage(link, RestartTimeDefaultFirst);
    EXPECT_EQ(link.Colour("lbetAccessPoint"), "red");
    EXPECT_EQ(link.Value("etAccessPoint"), "<none>");
}

INSTANTIATE_TEST_SUITE_P(Links, GprsExchange, ::testing::Values(lkCable, lkModem));

} // namespace
