#include "CoreTestSupport.h"

#include "chart/core/LabelsList.h"
#include "chart/core/SeriesGroup.h"
#include "chart/core/SeriesList.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/Classes.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> All(const TLabelsList& labels) {
    std::vector<std::string> out;
    for (int i = 0; i < labels.Count(); ++i)
        out.push_back(labels.Get(i));
    return out;
}

TEST(LabelsList, InsertGrowsOnlyForRealLabels) {
    TLabelsList labels;
    labels.Insert(5, "");
    EXPECT_EQ(labels.Count(), 0);
    labels.Insert(5, "f");
    EXPECT_EQ(labels.Count(), 6);
    EXPECT_EQ(labels.Get(5), "f");
    EXPECT_EQ(labels.Get(2), "");
    EXPECT_EQ(labels.Get(99), "");
    EXPECT_EQ(labels.Get(-1), "");
    labels.Insert(0, ""); // an empty slot once the list has entries
    EXPECT_EQ(labels.Count(), 7);
    EXPECT_EQ(labels.Get(6), "f");
    labels.Delete(99); // beyond the list: nothing
    labels.Delete(-1);
    labels.Delete(0);
    EXPECT_EQ(labels.Count(), 6);

    TLabelsList copy;
    copy.Insert(0, "old");
    copy.Assign(labels);
    EXPECT_EQ(All(copy), All(labels));
    labels.Clear();
    EXPECT_TRUE(labels.Empty());
}

class SeriesListsTest : public ::testing::Test {
protected:
    ChartCoreSession session;
    TTestChart chart;
};

TEST_F(SeriesListsTest, LinkedSeriesFollowTheirSource) {
    TChartSeries a(nullptr), b(nullptr);
    a.SetParentChart(&chart);
    b.SetParentChart(&chart);
    EXPECT_EQ(b.AddDataSourceItem(nullptr), -1);
    EXPECT_EQ(b.AddDataSourceItem(&a), 0);
    EXPECT_EQ(b.DataSource(), &a);
    ASSERT_EQ(a.LinkedSeriesCount(), 1);
    EXPECT_EQ(a.LinkedSeries(0), &b);

    a.AddXYValue(1, 10, "one");
    a.AddXYValue(2, 20, "", clRed);
    EXPECT_EQ(ValuesOf(*b.YValues()), (std::vector<double>{10, 20}));
    EXPECT_EQ(b.XLabel(0), "one");
    EXPECT_EQ(b.OwnPointColor(1), clRed);
    a.DeletePoint(0);
    EXPECT_EQ(ValuesOf(*b.YValues()), std::vector<double>{20});
    a.AddXYValue(3, 30);
    a.AddXYValue(4, 40);
    a.DeletePoints(0, 2); // a range names no single point: the linked series reloads
    EXPECT_EQ(ValuesOf(*b.YValues()), std::vector<double>{40});

    // A batch tells the linked series once, at its end.
    a.BeginUpdate();
    for (int i = 0; i < 100; ++i)
        a.AddXYValue(10 + i, i);
    EXPECT_EQ(b.Count(), 1);
    a.EndUpdate();
    EXPECT_EQ(b.Count(), 101);

    b.SetRecalcOptions(rOnAll & ~rOnClear);
    a.ClearValues();
    EXPECT_EQ(b.Count(), 101); // clearing not followed
    b.SetRecalcOptions(rOnAll);
    a.AddXYValue(0, 0);
    a.ClearValues();
    EXPECT_EQ(b.Count(), 0);
}

TEST_F(SeriesListsTest, DestroyedSourcesAndLinkedSeriesLetGo) {
    TChartSeries b(nullptr);
    {
        TChartSeries a(nullptr);
        b.AddDataSourceItem(&a);
        a.AddXYValue(1, 1);
        EXPECT_EQ(b.Count(), 1);
    }
    EXPECT_EQ(b.DataSources().Count(), 0);
    EXPECT_EQ(b.Count(), 1); // the points stay
    {
        TChartSeries c(nullptr);
        c.AddDataSourceItem(&b);
        EXPECT_EQ(b.LinkedSeriesCount(), 1);
    }
    EXPECT_EQ(b.LinkedSeriesCount(), 0);
    b.AddXYValue(2, 2); // nobody left to tell

    // Any other component as a source: dropped when it is freed.
    auto* other = new TComponent(nullptr);
    b.AddDataSourceItem(other);
    EXPECT_EQ(b.DataSources().Count(), 1);
    delete other;
    EXPECT_EQ(b.DataSources().Count(), 0);
}

TEST_F(SeriesListsTest, DataSourcesListRemovalsAndFullClear) {
    TChartSeries a(nullptr), c(nullptr), b(nullptr);
    b.AddDataSourceItem(&a);
    b.AddDataSourceItem(&c);
    TDataSourcesList& sources = b.DataSources();
    EXPECT_EQ(sources.IndexOf(&c), 1);
    EXPECT_THROW(sources[2], EChartIndexError);
    sources.Remove(&c); // the source forgets the link
    EXPECT_EQ(c.LinkedSeriesCount(), 0);
    EXPECT_EQ(a.LinkedSeriesCount(), 1);

    b.AddXYValue(1, 1);
    b.SetManualData(true);
    sources.ClearAll();
    EXPECT_EQ(a.LinkedSeriesCount(), 0);
    EXPECT_EQ(b.Count(), 1); // points given by hand stay
    b.AddDataSourceItem(&a); // a source makes the data no longer manual
    EXPECT_FALSE(b.ManualData());
    sources.ClearAll();
    EXPECT_EQ(b.Count(), 0);

    b.AddDataSourceItem(&a);
    b.AddDataSourceItem(&c);
    b.RemoveDataSourceItem(&a); // the first source goes: the whole list goes
    EXPECT_TRUE(sources.Empty());
    EXPECT_EQ(c.LinkedSeriesCount(), 0);
}

TEST_F(SeriesListsTest, GroupsDeriveTheirActiveState) {
    TChartSeries one(nullptr), two(nullptr);
    one.SetName("Series1");
    two.SetName("Series2");
    TSeriesGroups groups(&chart);
    TSeriesGroup* group = groups.AddGroup();
    EXPECT_EQ(group->Name(), "Group1");
    EXPECT_EQ(groups.AddGroup()->Name(), "Group2");
    EXPECT_EQ(group->Active(), gaYes); // no members
    group->Series().Add(&one);
    group->Series().Add(&two);
    two.SetActive(false);
    EXPECT_EQ(group->Active(), gaSome);
    group->SetActive(gaSome); // changes nothing
    EXPECT_TRUE(one.Active());
    EXPECT_FALSE(two.Active());
    group->SetActive(gaYes);
    EXPECT_TRUE(two.Active());
    group->SetActive(gaNo);
    EXPECT_FALSE(one.Active());
    EXPECT_EQ(group->Active(), gaNo);
    EXPECT_EQ(groups.Contains(&two), 0);
    groups.Group(1)->Series().Add(&two);
    EXPECT_EQ(groups.Contains(&two), 0); // the first group that holds it
    TChartSeries stranger(nullptr);
    EXPECT_EQ(groups.Contains(&stranger), -1);

    TSeriesGroup copy(nullptr);
    copy.Assign(group);
    EXPECT_EQ(copy.Name(), "Group1");
    EXPECT_EQ(copy.Series().Count(), 2);
}

// A form holding two series and a group of them, as a description stores it.
class TGroupForm : public TComponent {
    Q4_CLASS(TGroupForm, TComponent)
public:
    explicit TGroupForm(TComponent* owner) : TComponent(owner), groups(nullptr, this) {}
    static void DeclareProperties(TPropertyList& p) {
        p.Add("Groups", &TGroupForm::GetGroups, &TGroupForm::SetGroups);
    }
    TSeriesGroups* GetGroups() { return &groups; }
    void SetGroups(TSeriesGroups* value) { groups.Assign(value); }
    TSeriesGroups groups;
};

TEST_F(SeriesListsTest, GroupMembersAreStoredByName) {
    TGroupForm form(nullptr);
    form.SetName("Form1");
    auto* one = new TChartSeries(&form);
    one->SetName("Series1");
    auto* two = new TChartSeries(&form);
    two->SetName("Series2");
    TSeriesGroup* group = form.groups.AddGroup();
    group->SetName("Power");
    group->Series().Add(two);
    group->Series().Add(one);
    form.groups.AddGroup(); // an empty group stores no member list
    const std::string text = ComponentToText(&form);
    EXPECT_NE(text.find("Series = ("), std::string::npos) << text;
    EXPECT_LT(text.find("'Series2'"), text.find("'Series1'")) << text;
    EXPECT_EQ(text.find("Series = (", text.find("Group2")), std::string::npos) << text;

    TGroupForm read(nullptr);
    auto* r1 = new TChartSeries(&read);
    r1->SetName("Series1");
    auto* r2 = new TChartSeries(&read);
    r2->SetName("Series2");
    ReadComponentDescription(ObjectTextToBinary(text), &read);
    ASSERT_EQ(read.groups.Count(), 2);
    read.groups.ResolveSeries(&read);
    TSeriesGroup* power = read.groups.Group(0);
    EXPECT_EQ(power->Name(), "Power");
    ASSERT_EQ(power->Series().Count(), 2);
    EXPECT_EQ(power->Series()[0], r2);
    EXPECT_EQ(power->Series()[1], r1);
}

TEST_F(SeriesListsTest, TitlesAndEditorLists) {
    TChartSeries named(nullptr), titled(nullptr), bare(nullptr);
    named.SetName("Voltage");
    titled.SetTitle("U\x06min");
    named.SetParentChart(&chart);
    titled.SetParentChart(&chart);
    bare.SetParentChart(&chart);
    EXPECT_EQ(SeriesTitleText(&titled), "U min");
    EXPECT_EQ(SeriesTitleText(&named), "Voltage");
    EXPECT_EQ(SeriesTitleText(&bare), "Series3");

    TCustomSeriesList list(&chart);
    for (TChartSeries* s : {&named, &titled, &bare})
        list.Add(s);
    bare.SetShowInEditor(false);
    TStringList strings;
    SeriesListToStrings(list, &strings, true);
    ASSERT_EQ(strings.Count(), 2);
    EXPECT_EQ(strings.Get(1), "U min");
    EXPECT_EQ(strings.Objects(1), &titled);
    strings.Clear();
    SeriesListToStrings(list, &strings, false);
    EXPECT_EQ(strings.Get(0), "Voltage");
    EXPECT_EQ(strings.Get(1), "");

    list.Exchange(0, 2);
    EXPECT_EQ(list[0], &bare);
    list.Remove(&titled);
    EXPECT_EQ(list.IndexOf(&named), 1);
    EXPECT_THROW(list[2], EChartIndexError);
}

} // namespace
