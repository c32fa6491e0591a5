#include "SourcesTestSupport.h"

#include "chart/core/ChartSeries.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class SeriesSourcesTest : public ::testing::Test {
protected:
    TChartSeries* Add(const std::string& name, std::vector<double> ys = {}) {
        auto* series = new TChartSeries(&chart);
        series->SetName(name);
        series->SetParentChart(&chart);
        for (size_t i = 0; i < ys.size(); ++i)
            series->AddXYValue(static_cast<double>(i), ys[i]);
        return series;
    }

    ChartCoreSession session;
    TSourcesChart chart;
};

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ChartException& e) {
        return e.Message();
    }
    return "(nothing raised)";
}

TEST_F(SeriesSourcesTest, SourcesAreValidatedWithTheirOwnMessages) {
    TChartSeries detached(nullptr), other(nullptr);
    TComponent plain(nullptr);
    TChartSeries* a = Add("A");
    TChartSeries* b = Add("B");
    struct Case {
        const char* what;
        std::function<void()> action;
        std::string message;
    };
    const Case cases[] = {
        {"itself, no chart", [&] { detached.SetDataSource(&detached); },
         "No ParentChart to validate DataSource"},
        {"no series, no chart", [&] { detached.SetDataSource(&plain); },
         "No ParentChart to validate DataSource"},
        {"itself on a chart", [&] { a->SetDataSource(a); }, "No valid DataSource: A"},
        {"unnamed component", [&] { a->SetDataSource(&plain); }, "No valid DataSource: TComponent"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MessageOf(c.action), c.message) << c.what;
    }
    EXPECT_TRUE(detached.DataSources().Empty());
    EXPECT_TRUE(a->DataSources().Empty());

    // A series without a chart may take another series.
    detached.SetDataSource(&other);
    EXPECT_EQ(detached.DataSource(), &other);
    // A source already there is not added twice.
    EXPECT_EQ(b->SetDataSourceItem(a, false), 0);
    EXPECT_EQ(b->SetDataSourceItem(a, false), -1);
    EXPECT_EQ(b->DataSources().Count(), 1);
}

TEST_F(SeriesSourcesTest, CirclesAreRefusedWithOrWithoutAChart) {
    TChartSeries* a = Add("A");
    TChartSeries* b = Add("B");
    b->SetDataSource(a);
    EXPECT_EQ(MessageOf([&] { a->SetDataSource(b); }),
              "Circular Series dependences are not allowed");
    EXPECT_TRUE(a->DataSources().Empty());

    // Detached series walk the sources themselves: C <- D <- E, then C may not take from E.
    TChartSeries c(nullptr), d(nullptr), e(nullptr);
    d.SetDataSource(&c);
    e.SetDataSource(&d);
    EXPECT_EQ(MessageOf([&] { c.SetDataSource(&e); }),
              "Circular Series dependences are not allowed");
    EXPECT_EQ(MessageOf([&] { c.DataSources().Add(&d); }),
              "Circular Series dependences are not allowed");
    EXPECT_TRUE(c.DataSources().Empty());
    // Nothing recurses when the circle is refused: adding to C reaches D and E once.
    c.AddXYValue(1, 5);
    EXPECT_EQ(e.Count(), 1);
}

TEST_F(SeriesSourcesTest, ALinkedSeriesLoadsAndFollowsItsSource) {
    TChartSeries* a = Add("A", {1, 2, 3});
    TChartSeries* b = Add("B");
    b->AddXYValue(9, 9);
    b->SetManualData(true);
    b->SetDataSource(a);
    EXPECT_FALSE(b->ManualData());
    EXPECT_EQ(ValuesOf(*b->YValues()), (std::vector<double>{1, 2, 3})); // reloaded at once

    a->AddXYValue(3, 4);
    EXPECT_EQ(ValuesOf(*b->YValues()), (std::vector<double>{1, 2, 3, 4}));
    a->DeletePoint(0);
    EXPECT_EQ(ValuesOf(*b->YValues()), (std::vector<double>{2, 3, 4}));
    // A range deletion names no single point: the linked series reloads from its source.
    a->DeletePoints(1, 2);
    EXPECT_EQ(ValuesOf(*b->YValues()), std::vector<double>{2});
    a->ClearValues();
    EXPECT_EQ(b->Count(), 0);

    // Options switched off: the linked series keeps what it has.
    struct Case {
        int option;
        std::function<void()> change;
    };
    const Case cases[] = {
        {rOnInsert, [&] { a->AddXYValue(7, 7); }},
        {rOnDelete, [&] { a->DeletePoint(0); }},
        {rOnClear, [&] { a->ClearValues(); }},
        {rOnModify, [&] { a->XValues()->SetOrder(loDescending), a->ApplyValueOrder(); }},
    };
    for (const Case& c : cases) {
        a->ClearValues();
        a->AddXYValue(1, 1);
        a->AddXYValue(2, 2);
        b->LoadFromSource(a);
        b->SetRecalcOptions(rOnAll & ~c.option);
        c.change();
        EXPECT_EQ(ValuesOf(*b->YValues()), (std::vector<double>{1, 2})) << c.option;
        b->SetRecalcOptions(rOnAll);
        a->XValues()->SetOrder(loAscending);
    }
}

TEST_F(SeriesSourcesTest, ABatchReachesTheLinkedSeriesOnceAtItsEnd) {
    TChartSeries* a = Add("A");
    TChartSeries* b = Add("B");
    b->SetDataSource(a);
    int clears = 0, adds = 0;
    b->OnClearValues = [&](TChartSeries*) { ++clears; };
    b->OnAfterAdd = [&](TChartSeries*, int) { ++adds; };
    a->BeginUpdate();
    for (int i = 0; i < 100; ++i)
        a->AddXYValue(i, i * i);
    EXPECT_EQ(b->Count(), 0);
    EXPECT_EQ(clears + adds, 0);
    a->EndUpdate();
    EXPECT_EQ(clears, 1); // one reload
    EXPECT_EQ(adds, 0);   // inside the reload's own batch
    EXPECT_EQ(b->Count(), 100);
    EXPECT_EQ(b->YValues()->ValueAt(99), 99.0 * 99);
}

TEST_F(SeriesSourcesTest, DestroyingASourceLeavesItsFollowersWithoutIt) {
    TChartSeries* b = Add("B");
    TChartSeries* c = Add("C");
    {
        auto a = std::make_unique<TChartSeries>(nullptr);
        a->SetParentChart(&chart);
        a->AddXYValue(1, 1);
        b->SetDataSource(a.get());
        c->SetDataSource(a.get());
        c->SetParentChart(nullptr); // leaving the chart unlinks C; A's end still reaches it
    }
    EXPECT_TRUE(b->DataSources().Empty());
    EXPECT_TRUE(c->DataSources().Empty());
    EXPECT_EQ(b->Count(), 1); // the points stay
    b->AddXYValue(2, 2);

    // A follower going first leaves its source with no link to it.
    TChartSeries* d = Add("D");
    {
        TChartSeries e(nullptr);
        e.SetDataSource(d);
        EXPECT_EQ(d->LinkedSeriesCount(), 1);
    }
    EXPECT_EQ(d->LinkedSeriesCount(), 0);
    d->AddXYValue(1, 1);
}

TEST_F(SeriesSourcesTest, RemovingTheFirstSourceRemovesEveryOther) {
    TChartSeries* a = Add("A", {1});
    TChartSeries* c = Add("C", {2});
    TChartSeries* b = Add("B");
    b->SetDataSource(a);
    b->DataSources().Add(c);
    ASSERT_EQ(b->DataSources().Count(), 2);
    b->RemoveDataSourceItem(c);
    EXPECT_EQ(b->DataSources().Count(), 1);
    EXPECT_EQ(c->LinkedSeriesCount(), 0);
    b->DataSources().Add(c);
    b->SetDataSource(nullptr);
    EXPECT_TRUE(b->DataSources().Empty());
    EXPECT_EQ(a->LinkedSeriesCount() + c->LinkedSeriesCount(), 0);
    // Setting a new source clears the others; one already there changes nothing.
    b->DataSources().Add(a);
    b->DataSources().Add(c);
    EXPECT_EQ(b->SetDataSourceItem(c, true), -1);
    EXPECT_EQ(b->DataSources().Count(), 2);
    TChartSeries* d = Add("D", {4});
    b->SetDataSource(d);
    EXPECT_EQ(b->DataSources().Count(), 1);
    EXPECT_EQ(b->DataSource(), d);
    EXPECT_EQ(a->LinkedSeriesCount() + c->LinkedSeriesCount(), 0);
    EXPECT_EQ(ValuesOf(*b->YValues()), std::vector<double>{4});
}

TEST_F(SeriesSourcesTest, ASeriesSourceFillsItsSeriesWhileActive) {
    TChartSeries* s = Add("S");
    auto* source = new TThreePointSource(&chart);
    source->SetSeries(s);
    EXPECT_EQ(s->DataSource(), source);
    EXPECT_EQ(s->Count(), 0); // inactive
    EXPECT_TRUE(source->IsSeriesSource(s));
    EXPECT_FALSE(source->IsSeriesSource(Add("T")));
    source->Open();
    EXPECT_EQ(ValuesOf(*s->YValues()), (std::vector<double>{10, 20, 30}));
    // The chart refreshes an active source.
    const int loads = source->loads;
    s->ReloadFromSource();
    EXPECT_EQ(source->loads, loads + 1);
    source->SetKeepValues(true);
    source->Close();
    EXPECT_EQ(s->Count(), 3);
    source->SetKeepValues(false);
    source->Open();
    source->Close();
    EXPECT_EQ(s->Count(), 0);

    // Removing the source from the series disconnects it.
    source->Open();
    s->SetDataSource(nullptr);
    EXPECT_EQ(source->Series(), nullptr);
    EXPECT_FALSE(source->Active());
    EXPECT_EQ(s->Count(), 0);

    // Without a chart a series source cannot be checked.
    TChartSeries detached(nullptr);
    EXPECT_EQ(MessageOf([&] { source->SetSeries(&detached); }),
              "No ParentChart to validate DataSource");
    EXPECT_EQ(source->Series(), nullptr);
    delete source;
    EXPECT_TRUE(s->DataSources().Empty());
}

TEST_F(SeriesSourcesTest, ASeriesTakesAnActiveSourceAndItsOwnershipOver) {
    TChartSeries* first = Add("First");
    TChartSeries* second = Add("Second");
    auto* source = new TThreePointSource(first); // owned by the first series
    source->SetSeries(first);
    source->Open();
    ASSERT_EQ(first->Count(), 3);
    second->SetDataSource(source);
    EXPECT_EQ(source->Series(), second);
    EXPECT_EQ(source->Owner(), second);
    EXPECT_TRUE(source->Active());
    EXPECT_EQ(first->Count(), 0); // deactivated while it changed hands
    EXPECT_TRUE(first->DataSources().Empty());
    EXPECT_EQ(second->Count(), 3);
    // The series that owns its source frees it.
    delete second;
    EXPECT_EQ(first->ComponentCount(), 0);
    EXPECT_EQ(chart.FindComponent("Second"), nullptr);
}

TEST_F(SeriesSourcesTest, FunctionsComputeInsteadOfCopying) {
    TChartSeries* a = Add("A", {1, 2, 3, 4});
    TChartSeries* b = Add("B");
    b->SetDataSource(a);
    auto* sum = new TSumFunction(nullptr);
    b->SetFunction(sum);
    EXPECT_EQ(sum->ParentSeries(), b);
    EXPECT_EQ(sum->Owner(), b); // an unowned function belongs to its series
    EXPECT_EQ(ValuesOf(*b->YValues()), std::vector<double>{10});
    // Added and deleted points do not reach a computed series; a batch recomputes.
    a->AddXYValue(4, 5);
    EXPECT_EQ(ValuesOf(*b->YValues()), std::vector<double>{10});
    a->BeginUpdate();
    a->EndUpdate();
    EXPECT_EQ(ValuesOf(*b->YValues()), std::vector<double>{15});
    // A function refusing a source makes it unusable.
    class TPicky : public TSumFunction {
    public:
        using TSumFunction::TSumFunction;
        bool AcceptsSource(TChartSeries*) const override { return false; }
    };
    TChartSeries detached(nullptr), other(nullptr);
    detached.SetFunction(new TPicky(nullptr));
    EXPECT_FALSE(detached.IsUsableSource(&other));
    EXPECT_EQ(MessageOf([&] { detached.SetDataSource(&other); }),
              "No ParentChart to validate DataSource");
    // A new function frees the old one its series owned.
    b->SetFunction(new TSumFunction(nullptr));
    EXPECT_EQ(b->ComponentCount(), 1);
    b->SetFunction(nullptr);
    EXPECT_EQ(b->ComponentCount(), 0);
    EXPECT_EQ(ValuesOf(*b->YValues()), (std::vector<double>{1, 2, 3, 4, 5})); // copies again
}

// A contour series' class name is what makes a level series copy points instead of sources.
class TContourSeries : public TComponent {
    Q4_CLASS(TContourSeries, TComponent)
public:
    using TComponent::TComponent;
};

TEST_F(SeriesSourcesTest, AssignTakesSettingsFunctionAndPointsOrSources) {
    TChartSeries* a = Add("A", {3, 4});
    a->SetXLabel(0, "first");
    a->SetPointColor(1, clRed);
    a->SetManualData(true);
    a->SetValueFormat("0.0");
    a->SetRecalcOptions(rOnClear);
    a->SetDepth(7);
    a->SetVertAxis(aRightAxis);
    a->YValues()->SetDateTime(true);
    TChartSeries* copy = Add("Copy");
    copy->Assign(a);
    EXPECT_EQ(copy->ValueFormat(), "0.0");
    EXPECT_EQ(copy->RecalcOptions(), rOnClear);
    EXPECT_EQ(copy->Depth(), 7);
    EXPECT_EQ(copy->GetVertAxis(), chart.RightAxis());
    EXPECT_TRUE(copy->ManualData());
    EXPECT_TRUE(copy->YValues()->DateTime());
    EXPECT_EQ(ValuesOf(*copy->YValues()), (std::vector<double>{3, 4}));
    EXPECT_EQ(copy->XLabel(0), "first");
    EXPECT_EQ(copy->OwnPointColor(1), clRed);
    EXPECT_TRUE(copy->DataSources().Empty());

    // A horizontal series exchanges the lists' settings.
    THorizSeries horiz(nullptr);
    horiz.Assign(a);
    EXPECT_TRUE(horiz.XValues()->DateTime());
    EXPECT_FALSE(horiz.YValues()->DateTime());

    // A series fed by sources hands over its sources and its function, not its points.
    TChartSeries* fed = Add("Fed");
    fed->SetDataSource(a);
    fed->SetFunction(new TSumFunction(nullptr));
    TChartSeries* heir = Add("Heir");
    heir->Assign(fed);
    EXPECT_EQ(heir->DataSource(), a);
    EXPECT_EQ(fed->Function(), nullptr);
    ASSERT_NE(heir->Function(), nullptr);
    EXPECT_EQ(heir->Function()->ParentSeries(), heir);
    EXPECT_EQ(ValuesOf(*heir->YValues()), std::vector<double>{7});

    // The level series of a contour copies the points even from a series fed by sources.
    TChartSeries* linked = Add("Linked");
    linked->SetDataSource(a);
    TContourSeries contour(nullptr);
    TChartSeries level(&contour);
    level.Assign(linked);
    EXPECT_TRUE(level.DataSources().Empty());
    EXPECT_EQ(ValuesOf(*level.YValues()), (std::vector<double>{3, 4}));
}

TEST_F(SeriesSourcesTest, StoredSourcesAndFunctionsComeBackFromTheDescription) {
    SourcesClassesRegistered registered;
    TChartSeries* a = Add("A", {1, 2});
    TChartSeries* c = Add("C", {5, 6, 7});
    a->SetManualData(true); // their points are stored with them
    c->SetManualData(true);
    TChartSeries* b = Add("B");
    b->SetDataSource(a);
    b->DataSources().Add(c);
    auto* sum = new TSumFunction(&chart);
    sum->SetName("Sum1");
    b->SetFunction(sum);
    sum->SetPeriod(2);
    TChartSeries* single = Add("Single");
    single->SetDataSource(c);
    const std::string text = ComponentToText(&chart);
    const size_t stored = text.find("DataSources = (");
    ASSERT_NE(stored, std::string::npos) << text;
    EXPECT_LT(text.find("'A'", stored), text.find("'C'", stored)) << text;
    EXPECT_LT(text.find("'C'", stored), text.find("end", stored)) << text;
    EXPECT_EQ(text.find("DataSources", text.find("object Single")), std::string::npos) << text;
    EXPECT_NE(text.find("DataSource = C", text.find("object Single")), std::string::npos);
    EXPECT_NE(text.find("object Sum1: TSumFunction"), std::string::npos) << text;

    TSourcesChart read;
    ReadComponentDescription(ObjectTextToBinary(text), &read);
    auto* rb = dynamic_cast<TChartSeries*>(read.FindComponent("B"));
    auto* ra = read.FindComponent("A");
    auto* rc = read.FindComponent("C");
    ASSERT_NE(rb, nullptr);
    ASSERT_EQ(rb->DataSources().Count(), 2);
    EXPECT_EQ(rb->DataSources()[0], ra);
    EXPECT_EQ(rb->DataSources()[1], rc);
    ASSERT_NE(rb->Function(), nullptr);
    EXPECT_EQ(rb->Function()->Name(), "Sum1");
    EXPECT_EQ(rb->Function()->Period(), 2);
    // Across two sources, index by index: 1 + 5, 2 + 6, 0 + 7.
    EXPECT_EQ(ValuesOf(*rb->YValues()), (std::vector<double>{6, 8, 7}));
    auto* rs = dynamic_cast<TChartSeries*>(read.FindComponent("Single"));
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(rs->DataSource(), rc);
    EXPECT_EQ(ValuesOf(*rs->YValues()), (std::vector<double>{5, 6, 7}));
}

TEST_F(SeriesSourcesTest, AStoredActiveSourceFillsItsSeriesOnceRead) {
    SourcesClassesRegistered registered;
    // The source is stored by the form that owns it, its series by name.
    TComponent form(nullptr);
    form.SetName("Form");
    auto* formChart = new TSourcesChart(&form);
    formChart->SetName("Chart");
    const std::string description = "object Form: TComponent\n"
                                    "  object Feed: TThreePointSource\n"
                                    "    Active = True\n"
                                    "    Series = S\n"
                                    "  end\n"
                                    "end\n";
    auto* read = new TChartSeries(&form);
    read->SetName("S");
    read->SetParentChart(formChart);
    ReadComponentDescription(ObjectTextToBinary(description), &form);
    auto* feed = dynamic_cast<TThreePointSource*>(form.FindComponent("Feed"));
    ASSERT_NE(feed, nullptr);
    EXPECT_EQ(feed->Series(), read);
    EXPECT_EQ(read->DataSource(), feed);
    EXPECT_TRUE(feed->Active());
    EXPECT_EQ(ValuesOf(*read->YValues()), (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(feed->loads, 1); // once, when the form was read
}

TEST_F(SeriesSourcesTest, StoredNamesThatAreNotFoundAddNothing) {
    SourcesClassesRegistered registered;
    const std::string text = "object Chart: TSourcesChart\n"
                             "  object A: TChartSeries\n"
                             "  end\n"
                             "  object B: TChartSeries\n"
                             "    DataSources = (\n"
                             "      'Missing'\n"
                             "      'A')\n"
                             "  end\n"
                             "end\n";
    TSourcesChart read;
    ReadComponentDescription(ObjectTextToBinary(text), &read);
    auto* b = dynamic_cast<TChartSeries*>(read.FindComponent("B"));
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->DataSources().Count(), 1);
    EXPECT_EQ(b->DataSource(), read.FindComponent("A"));
}

} // namespace
