#include "Fixtures.h"

#include "platform/classes/Resources.h"
#include "platform/classes/Streaming.h"

#include <gtest/gtest.h>

namespace {

// A form class derived from another one; each has its own stored description.
class TTestFormEx : public TTestForm {
    Q4_CLASS(TTestFormEx, TTestForm)
    explicit TTestFormEx(TComponent* owner) : TTestForm(owner) {
        InitInheritedComponent(this, TComponent::StaticClass());
    }
};

} // namespace

TEST(ResourcesTest, FoundByNameAndTypeIgnoringCaseAndReadAsStreams) {
    EXPECT_TRUE(FindResource("ConnectTranslationData", RT_RCDATA));
    EXPECT_TRUE(FindResource("connecttranslationdata", "rcdata"));
    EXPECT_FALSE(FindResource("ConnectTranslationData", RT_BITMAP));
    EXPECT_FALSE(FindResource("Missing", RT_RCDATA));

    TResourceStream stream("ConnectTranslationData", RT_RCDATA);
    EXPECT_EQ(stream.Size(), 986);
    EXPECT_EQ(stream.ReadBytes(10), "stCaptions");
    try {
        TResourceStream missing("Missing", RT_RCDATA);
        FAIL() << "no error";
    } catch (const EResNotFound& e) {
        EXPECT_STREQ(e.what(), "Resource Missing not found");
    }
}

TEST(ResourcesTest, AFormReadsItsOwnDescriptionsAncestorFirst) {
    RegisterTestClasses();
    TTestFormEx form(nullptr);
    EXPECT_EQ(form.Name(), "TestForm");
    EXPECT_EQ(form.Tag(), 3);
    ASSERT_EQ(form.ComponentCount(), 2);
    auto* w1 = static_cast<TTestWidget*>(form.FindComponent("W1"));
    EXPECT_EQ(w1->caption, "from the base");
    EXPECT_EQ(w1->count, 9);
    EXPECT_EQ(static_cast<TTestWidget*>(form.FindComponent("W2"))->buddy, w1);

    // A class without a description of its own reads none.
    TTestForm plain(nullptr);
    EXPECT_FALSE(InitInheritedComponent(&plain, TTestForm::StaticClass()));
    EXPECT_EQ(plain.ComponentCount(), 0);
}
