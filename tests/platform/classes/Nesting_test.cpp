// Objects nested in a description under another component (series under their chart): owned by
// the root, joined to their parent through SetParentComponent, listed by the parent's
// GetChildren when written, and told Loaded in read order after the root.

#include "Fixtures.h"

#include "platform/classes/Streaming.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string>* loadLog = nullptr;

class TTestSeries;

class TTestChart : public TComponent {
    Q4_CLASS(TTestChart, TComponent)
    explicit TTestChart(TComponent* owner) : TComponent(owner) {}
    void GetChildren(const TGetChildProc& proc, TComponent*) override {
        for (TComponent* s : series)
            proc(s);
    }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove)
            std::erase(series, component);
    }
    void Loaded() override {
        TComponent::Loaded();
        loadLog->push_back("chart " + Name());
    }
    std::vector<TComponent*> series;
};

class TTestSeries : public TComponent {
    Q4_CLASS(TTestSeries, TComponent)
    explicit TTestSeries(TComponent* owner) : TComponent(owner) {}
    static void DeclareProperties(TPropertyList& p) { p.Add("Title", &TTestSeries::title); }
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return chart; }
    void SetParentComponent(TComponent* parent) override {
        chart = dynamic_cast<TTestChart*>(parent);
        if (chart != nullptr)
            chart->series.push_back(this);
    }
    void Loaded() override {
        TComponent::Loaded();
        loadLog->push_back("series " + Name() + " in " + (chart ? chart->Name() : "none"));
    }
    TTestChart* chart = nullptr;
    std::string title;
};

class TTestPage : public TComponent {
    Q4_CLASS(TTestPage, TComponent)
    explicit TTestPage(TComponent* owner) : TComponent(owner) {}
    void Loaded() override {
        TComponent::Loaded();
        loadLog->push_back("page " + Name());
    }
};

} // namespace

TEST(NestingTest, NestedObjectsJoinTheirParentAndAreOwnedByTheRoot) {
    RegisterClasses<TTestChart, TTestSeries, TTestPage>();
    std::vector<std::string> log;
    loadLog = &log;
    const std::string text = "object Page: TTestPage\r\n"
                             "  object Chart1: TTestChart\r\n"
                             "    object Series1: TTestSeries\r\n"
                             "      Title = 'Voltage'\r\n"
                             "    end\r\n"
                             "    object Series2: TTestSeries\r\n"
                             "    end\r\n"
                             "  end\r\n"
                             "end\r\n";
    {
        TTestPage page(nullptr);
        ReadComponentDescription(text, &page);
        ASSERT_EQ(page.ComponentCount(), 3);
        auto* chart = static_cast<TTestChart*>(page.FindComponent("Chart1"));
        auto* series1 = static_cast<TTestSeries*>(page.FindComponent("Series1"));
        EXPECT_EQ(series1->Owner(), &page);
        EXPECT_EQ(series1->chart, chart);
        EXPECT_EQ(series1->title, "Voltage");
        EXPECT_EQ(chart->series.size(), 2u);
        const std::vector<std::string> order = {
            "page Page", "chart Chart1", "series Series1 in Chart1", "series Series2 in Chart1"};
        EXPECT_EQ(log, order);

        // Written back nested under the chart, not beside it.
        EXPECT_EQ(ComponentToText(&page), text);
    }
    loadLog = nullptr;
}
