#include "Fixtures.h"

#include <gtest/gtest.h>

namespace {

// Records its destruction and what it saw of its owner at that time.
class TTracked : public TComponent {
    Q4_CLASS(TTracked, TComponent)
    TTracked(TComponent* owner, std::string name, std::vector<std::string>* log)
        : TComponent(owner), log_(log) {
        SetName(name);
    }
    ~TTracked() override {
        log_->push_back(Name() + (ComponentState().Contains(csDestroying) ? " destroying" : ""));
    }

private:
    std::vector<std::string>* log_;
};

} // namespace

TEST(ComponentTest, AnOwnerFreesItsComponentsLastFirst) {
    std::vector<std::string> log;
    auto* owner = new TTracked(nullptr, "Owner", &log);
    new TTracked(owner, "A", &log);
    auto* b = new TTracked(owner, "B", &log);
    new TTracked(b, "B1", &log);
    new TTracked(owner, "C", &log);
    owner->Free();
    const std::vector<std::string> expected = {"Owner destroying", "C destroying", "B destroying",
                                               "B1 destroying", "A destroying"};
    EXPECT_EQ(log, expected);
}

TEST(ComponentTest, FreeingAComponentRemovesItFromItsOwnerAndTellsTheOthers) {
    TTestForm form(nullptr);
    auto* a = new TTestWidget(&form);
    a->SetName("A");
    auto* b = new TTestWidget(&form);
    b->SetName("B");
    auto* c = new TTestWidget(&form);
    c->SetName("C");
    EXPECT_EQ(a->notices, (std::vector<std::string>{"+", "+"})); // told before they are named

    delete b;
    EXPECT_EQ(form.ComponentCount(), 2);
    EXPECT_EQ(form.Components(0), a);
    EXPECT_EQ(form.Components(1), c);
    EXPECT_EQ(form.FindComponent("B"), nullptr);
    EXPECT_EQ(a->notices.back(), "-B");
    EXPECT_EQ(c->notices.back(), "-B");
    EXPECT_THROW(form.Components(2), EListError);
}

TEST(ComponentTest, NamesAreValidatedAndUniqueIgnoringCase) {
    TTestForm form(nullptr);
    auto* a = new TTestWidget(&form);
    a->SetName("Button1");
    auto* b = new TTestWidget(&form);

    struct Row {
        const char* name;
        const char* message;
    };
    const Row bad[] = {
        {"1abc", "'1abc' is not a valid component name"},
        {"two words", "'two words' is not a valid component name"},
        {"Имя", "'Имя' is not a valid component name"},
        {"BUTTON1", "A component named BUTTON1 already exists"},
    };
    for (const Row& row : bad) {
        try {
            b->SetName(row.name);
            ADD_FAILURE() << row.name;
        } catch (const EComponentError& e) {
            EXPECT_STREQ(e.what(), row.message);
        }
    }
    EXPECT_EQ(b->Name(), "");

    a->SetName("BUTTON1"); // a new spelling of its own name is fine
    EXPECT_EQ(form.FindComponent("button1"), a);
    a->SetName("Renamed");
    EXPECT_EQ(form.FindComponent("Button1"), nullptr);
    EXPECT_EQ(form.FindComponent("RENAMED"), a);
    b->SetName("_b2");
    EXPECT_EQ(form.FindComponent("_B2"), b);
    EXPECT_EQ(form.FindComponent(""), nullptr);

    // A component that joins under a taken name is refused and stays where it was.
    TTestForm other(nullptr);
    auto* clash = new TTestWidget(&other);
    clash->SetName("renamed");
    EXPECT_THROW(form.InsertComponent(clash), EComponentError);
    EXPECT_EQ(form.ComponentCount(), 2);
}

TEST(ComponentTest, InsertAndRemoveMoveComponentsBetweenOwners) {
    TTestForm first(nullptr);
    TTestForm second(nullptr);
    auto* w = new TTestWidget(&first);
    w->SetName("W");
    second.InsertComponent(w);
    EXPECT_EQ(w->Owner(), &second);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(second.FindComponent("w"), w);
    second.RemoveComponent(w);
    EXPECT_EQ(w->Owner(), nullptr);
    EXPECT_EQ(second.FindComponent("w"), nullptr);
    delete w;
}

TEST(ComponentTest, FreeNotificationClearsReferencesAcrossOwners) {
    TTestForm formA(nullptr);
    auto* target = new TTestWidget(&formA);
    target->SetName("Target");
    {
        TTestForm formB(nullptr);
        auto* watcher = new TTestWidget(&formB);
        watcher->SetName("Watcher");
        watcher->SetBuddy(target);
        EXPECT_TRUE(target->ComponentState().Contains(csFreeNotification));

        delete target;
        EXPECT_EQ(watcher->buddy, nullptr);
        EXPECT_EQ(watcher->notices.back(), "-Target");

        // And the other way: the watcher dies first; the survivor forgets it.
        auto* again = new TTestWidget(&formA);
        watcher->SetBuddy(again);
    }
    EXPECT_EQ(formA.ComponentCount(), 1); // freeing "again" later must not touch the watcher
}

TEST(ComponentTest, ComponentIndexMovesWithinTheOwner) {
    TTestForm form(nullptr);
    TTestWidget* w[3];
    for (int i = 0; i < 3; ++i) {
        w[i] = new TTestWidget(&form);
        w[i]->SetName("W" + std::to_string(i));
    }
    w[2]->SetComponentIndex(0);
    EXPECT_EQ(form.Components(0), w[2]);
    EXPECT_EQ(w[0]->ComponentIndex(), 1);
    w[2]->SetComponentIndex(99);
    EXPECT_EQ(form.Components(2), w[2]);
}

TEST(ComponentTest, DestroyingMarksOwnedComponentsWhileTheyAreFreed) {
    TTestForm form(nullptr);
    auto* w = new TTestWidget(&form);
    form.Destroying();
    EXPECT_TRUE(form.ComponentState().Contains(csDestroying));
    EXPECT_TRUE(w->ComponentState().Contains(csDestroying));
}

TEST(ComponentTest, GetChildrenOfARootListsItsComponentsWithoutAParent) {
    TTestForm form(nullptr);
    auto* a = new TTestWidget(&form);
    auto* b = new TTestWidget(&form);
    std::vector<TComponent*> children;
    form.GetChildren([&](TComponent* c) { children.push_back(c); }, &form);
    EXPECT_EQ(children, (std::vector<TComponent*>{a, b}));
    children.clear();
    a->GetChildren([&](TComponent* c) { children.push_back(c); }, &form);
    EXPECT_TRUE(children.empty());
}
