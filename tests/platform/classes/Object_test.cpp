#include "Fixtures.h"

#include <gtest/gtest.h>

TEST(ObjectTest, ClassRecordsFollowTheClassChain) {
    TTestWidget w(nullptr);
    EXPECT_EQ(w.ClassName(), "TTestWidget");
    EXPECT_EQ(w.ClassParent(), TComponent::StaticClass());
    EXPECT_TRUE(w.InheritsFrom(TPersistent::StaticClass()));
    EXPECT_TRUE(w.InheritsFrom(TObject::StaticClass()));
    EXPECT_FALSE(w.InheritsFrom(TCollection::StaticClass()));
    EXPECT_TRUE(w.ClassNameIs("ttestwidget"));
    EXPECT_EQ(TObject::StaticClass()->ClassParent(), nullptr);
    EXPECT_EQ(TTestPen::StaticClass()->Construct(), TMetaClass::TConstruct::Plain);
    EXPECT_EQ(TTestItem::StaticClass()->Construct(), TMetaClass::TConstruct::CollectionItem);
    EXPECT_EQ(TTestWidget::StaticClass()->Construct(), TMetaClass::TConstruct::Component);
}

TEST(ObjectTest, RegistryFindsClassesByNameIgnoringCase) {
    RegisterTestClasses();
    RegisterTestClasses(); // twice is harmless
    EXPECT_EQ(FindClass("TTESTWIDGET"), TTestWidget::StaticClass());
    EXPECT_EQ(GetClass("ttestform"), TTestForm::StaticClass());
    EXPECT_EQ(GetClass("TNoSuchThing"), nullptr);
    try {
        FindClass("TNoSuchThing");
        FAIL() << "no error";
    } catch (const EClassNotFound& e) {
        EXPECT_STREQ(e.what(), "Class TNoSuchThing not found");
    }
}

namespace {
// A second class that claims the name of a registered one.
namespace other {
class TTestPen : public TPersistent {
    Q4_CLASS(TTestPen, TPersistent)
};
} // namespace other
class TUnregistered : public TComponent {
    Q4_CLASS(TUnregistered, TComponent)
    using TComponent::TComponent;
};
} // namespace

TEST(ObjectTest, RegistryRejectsAnotherClassUnderATakenNameAndForgetsOnUnregister) {
    RegisterTestClasses();
    EXPECT_THROW(RegisterClass(other::TTestPen::StaticClass()), EFilerError);

    RegisterClass(TUnregistered::StaticClass());
    EXPECT_EQ(GetClass("TUnregistered"), TUnregistered::StaticClass());
    UnRegisterClass(TUnregistered::StaticClass());
    EXPECT_EQ(GetClass("TUnregistered"), nullptr);
}

TEST(ObjectTest, ClassRecordsCreateInstancesOfTheRightKind) {
    TTestForm owner(nullptr);
    TComponent* c = TTestWidget::StaticClass()->CreateComponent(&owner);
    EXPECT_EQ(c->Owner(), &owner);
    EXPECT_EQ(c->ClassName(), "TTestWidget");
    EXPECT_EQ(owner.ComponentCount(), 1);

    TObject* pen = TTestPen::StaticClass()->CreateInstance();
    EXPECT_EQ(pen->ClassName(), "TTestPen");
    pen->Free();

    EXPECT_THROW(TTestPen::StaticClass()->CreateComponent(&owner), EComponentError);
    EXPECT_THROW(TCollection::StaticClass()->CreateInstance(), EComponentError);
}

TEST(ObjectTest, AssignWithoutAKnownPairRaisesTheConversionError) {
    TTestPen pen;
    TTestItem item(nullptr);
    try {
        pen.Assign(&item);
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TTestItem to a TTestPen");
    }
    try {
        pen.Assign(nullptr);
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a nil to a TTestPen");
    }
    TTestPen source;
    source.width = 5;
    pen.Assign(&source);
    EXPECT_EQ(pen.width, 5);
}
