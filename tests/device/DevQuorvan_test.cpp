#include "device/DevQuorvan.h"

#include <gtest/gtest.h>

#include <string>

TEST(DevQuorvanRequest, CommandLines) {
    struct Case {
        std::string keyword;
        std::string line;
    };
    for (const Case& c :
         {Case{"object", "+object"}, Case{"object0050", "+object0050"},
          Case{"CABLE CONNECT", "CABLE CONNECT"}, Case{"CABLE DISCONNECT", "CABLE DISCONNECT"},
          Case{"cable connect", "+cable connect"}, Case{"CABLE CONNECT ", "+CABLE CONNECT "},
          Case{"", "+"}}) {
        EXPECT_EQ(TDevQuorvan::BuildCommand(c.keyword), c.line) << c.keyword;
    }
}

TEST(DevQuorvanRequest, ReplyValues) {
    struct Case {
        std::string reply;
        std::string value;
    };
    for (const Case& c : {
             Case{"object>0050\r\nOK\r\n", "0050"},
             Case{">0050\r\nOK\r\n", "0050"},
             Case{"abc OK", "abc"}, // no ">": from the start
             Case{">v ok", ""},     // lower-case "ok" ends a wait but cuts nothing
             Case{">x\r\nOK", "x"},
             Case{"ERROR\r\n", ""},   // no "OK" at all
             Case{"a>b>c OK", "b>c"}, // the first ">" counts
             Case{"v> REV 07.503.090 \t\r\nOK\r\n", "REV 07.503.090"},
             Case{"GAPN>BOOK\r\nOK\r\n", "BO"}, // "OK" inside a value cuts it
             Case{"OK", ""},
             Case{"", ""},
         }) {
        EXPECT_EQ(TDevQuorvan::ExtractReplyValue(c.reply), c.value) << c.reply;
    }
}
