#include "Fixtures.h"
#include "platform/classes/Streaming.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Names(TClass cls) {
    std::vector<std::string> names;
    for (const TPropInfo* info : GetPropList(cls))
        names.push_back(info->Name());
    return names;
}

class TTestWidgetEx : public TTestWidget {
    Q4_CLASS(TTestWidgetEx, TTestWidget)
    using TTestWidget::TTestWidget;
    static void DeclareProperties(TPropertyList& p) {
        p.Add("Extra", &TTestWidgetEx::extra);
        p.Add("Count", &TTestWidgetEx::count).Default(5); // a new default for an inherited one
    }
    int extra = 0;
};

class TNoOwnProperties : public TTestWidget {
    Q4_CLASS(TNoOwnProperties, TTestWidget)
    using TTestWidget::TTestWidget;
};

// A helper base outside the component model, with state of its own, that a component adds as a
// second base (so it lies past the component's own part of the object).
class TShadeHelper {
public:
    virtual ~TShadeHelper() = default;
    bool ShadeStored() const { return shade != 0 && !locked; }
    bool TintStored() { return ++asked, tint != 0; }
    int shade = 0;
    int tint = 0;
    bool locked = false;
    int asked = 0;
};

class TShadedWidget : public TTestWidget, public TShadeHelper {
    Q4_CLASS(TShadedWidget, TTestWidget)
    using TTestWidget::TTestWidget;
    static void DeclareProperties(TPropertyList& p) {
        using T = TShadedWidget;
        p.AddFn<T>(
             "Shade", [](T* t) { return t->shade; }, [](T* t, int v) { t->shade = v; })
            .Stored<T>(&T::ShadeStored);
        p.AddFn<T>(
             "Tint", [](T* t) { return t->tint; }, [](T* t, int v) { t->tint = v; })
            .Stored<T>(&T::TintStored);
    }
};

} // namespace

TEST(PropertiesTest, ListsInheritBaseFirstAndRedeclarationsKeepTheirPlace) {
    auto base = Names(TTestWidget::StaticClass());
    ASSERT_GE(base.size(), 3u);
    EXPECT_EQ(base[0], "Name");
    EXPECT_EQ(base[1], "Tag");
    EXPECT_EQ(base[2], "Caption");
    EXPECT_EQ(Names(TNoOwnProperties::StaticClass()), base);

    auto derived = Names(TTestWidgetEx::StaticClass());
    ASSERT_EQ(derived.size(), base.size() + 1);
    EXPECT_EQ(derived.back(), "Extra");
    const TPropInfo* count = GetPropInfo(TTestWidgetEx::StaticClass(), "count");
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->DefaultValue(), 5);
    EXPECT_EQ(count->OwnerClass(), TTestWidgetEx::StaticClass());
    EXPECT_EQ(GetPropInfo(TTestWidget::StaticClass(), "Count")->DefaultValue(), 0);
}

TEST(PropertiesTest, KindsComeFromTheMemberTypes) {
    struct Row {
        const char* name;
        TTypeKind kind;
        const char* typeName;
    };
    const Row rows[] = {
        {"Caption", tkLString, "string"},
        {"Count", tkInteger, "Integer"},
        {"Small", tkInteger, "SmallInt"},
        {"Big", tkInt64, "Int64"},
        {"Letter", tkChar, "Char"},
        {"Level", tkInteger, "Byte"},
        {"Enabled", tkEnumeration, "Boolean"},
        {"Shape", tkEnumeration, "TTestShape"},
        {"Options", tkSet, "set of TTestOption"},
        {"Ratio", tkFloat, "Double"},
        {"Single", tkFloat, "Single"},
        {"Price", tkFloat, "Currency"},
        {"Stamp", tkFloat, "TDateTime"},
        {"Title", tkWString, "WideString"},
        {"Color", tkInteger, "TTestColor"},
        {"Pen", tkClass, "TTestPen"},
        {"Items", tkClass, "TCollection"},
        {"Buddy", tkClass, "TTestWidget"},
        {"OnClick", tkMethod, "TMethod"},
    };
    for (const Row& row : rows) {
        const TPropInfo* info = GetPropInfo(TTestWidget::StaticClass(), row.name);
        ASSERT_NE(info, nullptr) << row.name;
        EXPECT_EQ(info->Kind(), row.kind) << row.name;
        EXPECT_EQ(info->PropType()->Name, row.typeName) << row.name;
    }
    EXPECT_FALSE(GetPropInfo(TTestWidget::StaticClass(), "Area")->IsWritable());
    EXPECT_TRUE(GetPropInfo(TTestWidget::StaticClass(), "Count")->IsWritable());
}

TEST(PropertiesTest, TextValuesRoundTripThroughEveryKind) {
    TTestForm form(nullptr);
    auto* w = new TTestWidget(&form);
    w->SetName("W1");
    auto* other = new TTestWidget(&form);
    other->SetName("Other");

    struct Row {
        const char* path;
        const char* value;
        const char* expected; // as read back; null = same as written
    };
    const Row rows[] = {
        {"Caption", "Привет, мир", nullptr},
        {"Count", "-17", nullptr},
        {"Count", "$10", "16"},
        {"Big", "9000000000", nullptr},
        {"Letter", "z", nullptr},
        {"Enabled", "false", "False"},
        {"Shape", "TSSQUARE", "tsSquare"},
        {"Options", "[toItalic, toStrike]", "[toItalic,toStrike]"},
        {"Options", "[]", "[]"},
        {"Ratio", "2.5", nullptr},
        {"Ratio", "0,125", "0.125"},
        {"Title", "Ω wide", nullptr},
        {"Color", "clRed", nullptr},
        {"Color", "255", "clRed"},
        {"Color", "4660", nullptr},
        {"Pen.Width", "3", nullptr},
        {"Pen.Style", "tsTriangle", nullptr},
        {"Buddy", "Other", nullptr},
        {"Buddy", "", nullptr},
        {"OnClick", "ButtonClick", nullptr},
    };
    for (const Row& row : rows) {
        SetPropValue(w, row.path, row.value);
        EXPECT_EQ(GetPropValue(w, row.path), row.expected ? row.expected : row.value) << row.path;
    }
    EXPECT_EQ(w->pen.style, tsTriangle);
    EXPECT_EQ(GetPropValue(w, "Area"), "32"); // read-only, computed from Count = 16
}

TEST(PropertiesTest, TypedAccessorsAndEnumAndSetNames) {
    TTestWidget w(nullptr);
    SetOrdProp(&w, "Count", 7);
    EXPECT_EQ(w.count, 7);
    SetEnumProp(&w, "Shape", "tsTriangle");
    EXPECT_EQ(GetEnumProp(&w, "Shape"), "tsTriangle");
    SetSetProp(&w, "Options", "toUnderline,toBold");
    EXPECT_EQ(GetSetProp(&w, "Options"), "toBold,toUnderline");
    EXPECT_EQ(GetSetProp(&w, "Options", true), "[toBold,toUnderline]");
    SetFloatProp(&w, "Single", 0.5);
    EXPECT_EQ(w.single, 0.5f);
    SetStrProp(&w, "Title", "abc");
    EXPECT_EQ(GetWideStrProp(&w, "Title"), u"abc");
    EXPECT_EQ(GetObjectProp(&w, "Pen"), &w.pen);

    const TTypeInfo* shape = Q4TypeInfo(static_cast<TTestShape*>(nullptr));
    EXPECT_EQ(GetEnumName(shape, 1), "tsSquare");
    EXPECT_EQ(GetEnumName(shape, 9), "");
    EXPECT_EQ(GetEnumValue(shape, "tstriangle"), 2);
    EXPECT_EQ(GetEnumValue(shape, "tsHexagon"), -1);
    EXPECT_EQ(GetEnumName(Q4TypeInfo(static_cast<TTypeKind*>(nullptr)), tkInt64), "tkInt64");
    EXPECT_EQ(GetEnumValue(Q4TypeInfo(static_cast<TTypeKind*>(nullptr)), "tkWString"), tkWString);
}

TEST(PropertiesTest, BadNamesAndValuesRaiseClearErrors) {
    TTestWidget w(nullptr);
    struct Row {
        const char* path;
        const char* value;
        const char* message;
    };
    const Row rows[] = {
        {"Nope", "1", "Property Nope does not exist"},
        {"Pen.Nope", "1", "Property Pen.Nope does not exist"},
        {"Count.X", "1", "Invalid property path Count.X"},
        {"Buddy.Caption", "x", "Invalid property path Buddy.Caption"},
        {"Shape", "tsHexagon", "Invalid property element: tsHexagon"},
        {"Options", "[toBold,toNothing]", "Invalid property element: toNothing"},
        {"Count", "12abc", "Invalid property value"},
        {"Small", "40000", "Invalid property value"},
        {"Ratio", "", "Invalid property value"},
        {"Buddy", "Nobody", "Invalid property value"},
        {"Area", "3", "Property Area is read-only"},
        {"OnClick", "NoSuchHandler", "Method NoSuchHandler not found"},
    };
    for (const Row& row : rows) {
        try {
            SetPropValue(&w, row.path, row.value);
            ADD_FAILURE() << row.path << " accepted " << row.value;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), row.message) << row.path;
        }
    }
    EXPECT_THROW(SetOrdProp(&w, "Caption", 1), EPropertyConvertError);
    EXPECT_THROW(GetOrdProp(&w, "Caption"), EPropertyConvertError);
}

TEST(PropertiesTest, EventsBindToTheFormsHandlerMethodsByName) {
    TTestForm form(nullptr);
    auto* w = new TTestWidget(&form);

    SetPropValue(w, "OnClick", "buttonclick");
    ASSERT_TRUE(w->onClick);
    w->onClick(w);
    ASSERT_EQ(form.clicks.size(), 1u);
    EXPECT_EQ(form.clicks[0], w);
    EXPECT_EQ(GetMethodProp(w, "OnClick").Name, "ButtonClick");

    SetPropValue(w, "OnValue", "ValueNeeded");
    int value = 0;
    w->onValue(w, value);
    EXPECT_EQ(value, 42);

    // A handler of another signature does not fit the event.
    EXPECT_THROW(SetPropValue(w, "OnClick", "ValueNeeded"), EPropertyConvertError);
    SetPropValue(w, "OnClick", "");
    EXPECT_FALSE(w->onClick);
    EXPECT_EQ(GetPropValue(w, "OnClick"), "");
}

TEST(PropertiesTest, StoredFlagsAndPredicates) {
    TTestWidget w(nullptr);
    EXPECT_FALSE(GetPropInfo(&w, "Secret")->IsStored(&w));
    EXPECT_FALSE(GetPropInfo(&w, "Name")->IsStored(&w));
    EXPECT_TRUE(GetPropInfo(&w, "Hidden")->IsStored(&w));
    w.hidden = 7;
    EXPECT_FALSE(GetPropInfo(&w, "Hidden")->IsStored(&w));
    EXPECT_TRUE(GetPropInfo(&w, "Count")->IsStored(&w));
}

TEST(PropertiesTest, PredicatesOfAHelperBaseAreAskedOfTheHelperPart) {
    TTestWidget owner(nullptr);
    auto* w = new TShadedWidget(&owner);
    w->SetName("Shaded1");
    const TPropInfo* shade = GetPropInfo(w, "Shade");
    const TPropInfo* tint = GetPropInfo(w, "Tint");
    EXPECT_FALSE(shade->IsStored(w));
    EXPECT_FALSE(tint->IsStored(w));
    w->shade = 3;
    w->tint = 4;
    EXPECT_TRUE(shade->IsStored(w));
    EXPECT_TRUE(tint->IsStored(w));
    EXPECT_EQ(w->asked, 2); // the non-const predicate ran on this object's helper
    w->locked = true;
    EXPECT_FALSE(shade->IsStored(w));

    // Written back through the owner, the description holds what the predicates let through.
    w->locked = false;
    w->tint = 0;
    const std::string text = ComponentToText(w);
    EXPECT_NE(text.find("Shade = 3"), std::string::npos) << text;
    EXPECT_EQ(text.find("Tint"), std::string::npos) << text;
}
