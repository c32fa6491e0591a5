#include "platform/stdctrls/BarRange.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Expect {
    int min, max, position, moves;
};

TEST(BarRange, BoundsFollowEachOtherAndHoldThePosition) {
    struct Case {
        const char* what;
        std::function<void(TBarRange&)> run;
        Expect expect;
    };
    const Case cases[] = {
        {"position within the range", [](TBarRange& r) { r.SetPosition(40); }, {0, 100, 40, 1}},
        {"position below Min stays at Min",
         [](TBarRange& r) { r.SetPosition(-5); },
         {0, 100, 0, 0}},
        {"position above Max stops at Max",
         [](TBarRange& r) { r.SetPosition(500); },
         {0, 100, 100, 1}},
        {"Min past Max takes Max along and lifts the position",
         [](TBarRange& r) {
             r.SetPosition(10);
             r.SetMin(150);
         },
         {150, 150, 150, 2}},
        {"Max below Min takes Min along and lowers the position",
         [](TBarRange& r) {
             r.SetPosition(60);
             r.SetMax(-20);
         },
         {-20, -20, -20, 2}},
        {"a bound that leaves the position alone does not move it",
         [](TBarRange& r) {
             r.SetPosition(50);
             r.SetMax(80);
             r.SetMin(20);
         },
         {20, 80, 50, 1}},
        {"a page holds the position below Max by all but one of it",
         [](TBarRange& r) {
             r.SetPage(10);
             r.SetPosition(100);
         },
         {0, 100, 91, 1}},
        {"a page takes effect from the next setting",
         [](TBarRange& r) {
             r.SetPosition(100);
             r.SetPage(10);
         },
         {0, 100, 100, 1}},
        {"a page wider than the range keeps the position at Min",
         [](TBarRange& r) {
             r.SetPage(500);
             r.SetPosition(30);
         },
         {0, 100, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int moves = 0;
        TBarRange r(0, 100, [&] { ++moves; });
        c.run(r);
        EXPECT_EQ(r.Min(), c.expect.min);
        EXPECT_EQ(r.Max(), c.expect.max);
        EXPECT_EQ(r.Position(), c.expect.position);
        EXPECT_EQ(moves, c.expect.moves);
    }
}

} // namespace
