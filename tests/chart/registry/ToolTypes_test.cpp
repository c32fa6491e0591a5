// The tool-type list: classes appended once and registered for form descriptions, and taken out
// again without touching the rest of the list or the class registry.

#include "chart/control/ToolTypes.h"

#include "chart/core/ChartValueList.h"
#include "platform/classes/ClassRegistry.h"
#include "tests/chart/registry/RegistryTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<TClass> ToolClasses() {
    std::vector<TClass> classes;
    for (int i = 0; i < PlotToolTypes().Count(); ++i)
        classes.push_back(PlotToolTypes().Items(i));
    return classes;
}

TEST(ToolTypes, AddingAppendsEachNewClassOnceAndRemovingTakesOnlyListedOnesOut) {
    const TClass a = TRegistryProbeToolA::StaticClass();
    const TClass b = TRegistryProbeToolB::StaticClass();
    const TClass unlisted = TRegistryProbeSeriesTool::StaticClass();
    const std::vector<TClass> before = ToolClasses();
    ASSERT_EQ(PlotToolTypes().IndexOf(a), -1);

    AddToolTypes({a, b, a, nullptr});
    std::vector<TClass> expected = before;
    expected.push_back(a);
    expected.push_back(b);
    EXPECT_EQ(ToolClasses(), expected);
    EXPECT_EQ(GetClass("TRegistryProbeToolA"), a);
    EXPECT_EQ(GetClass("TRegistryProbeToolB"), b);

    AddToolTypes({b});
    EXPECT_EQ(ToolClasses(), expected);

    // A class that was never added changes nothing.
    RemoveToolTypes({unlisted});
    EXPECT_EQ(ToolClasses(), expected);
    EXPECT_EQ(GetClass("TRegistryProbeSeriesTool"), nullptr);

    RemoveToolTypes({a});
    expected.erase(expected.end() - 2);
    EXPECT_EQ(ToolClasses(), expected);
    // Descriptions holding the tool still load.
    EXPECT_EQ(GetClass("TRegistryProbeToolA"), a);

    RemoveToolTypes({b, a});
    EXPECT_EQ(ToolClasses(), before);
    EXPECT_THROW(PlotToolTypes().Items(PlotToolTypes().Count()), EChartIndexError);
}

} // namespace
