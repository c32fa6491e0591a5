// The workbook charts' axis records in a program that also links the plotting library: the record
// objects keep their own classes and find their records through their own virtual calls.

#include "spreadsheet/charts/RecordObjects.h"
#include "spreadsheet/drawing/ChartRecords.h"

#include <gtest/gtest.h>

TEST(ChartsLinkedTogether, TheRecordAxesFindTheirRecords) {
    auto root = TChartRecord::NewRoot(nullptr);
    TChartRecord* value = root->Add(crAXIS);
    value->Add(crVALUERANGE);
    TChartRecord* valueTick = value->Add(crTICK);
    TChartRecord* category = root->Add(crAXIS);
    TChartRecord* categoryRange = category->Add(crCATSERRANGE);
    TChartRecord* categoryTick = category->Add(crTICK);

    xlschart::TValueAxis valueAxis;
    xlschart::TCategoryAxis categoryAxis;
    const struct Case {
        xlschart::TChartAxis* axis;
        TClass parent;
        TChartRecord* record;
        TChartRecord* tick;
    } cases[] = {
        {&valueAxis, xlschart::TChartAxis::StaticClass(), value, valueTick},
        {&categoryAxis, xlschart::TChartAxis::StaticClass(), category, categoryTick},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.axis->ClassName());
        c.axis->AttachRecords(c.record);
        EXPECT_EQ(c.axis->ClassType()->ClassParent(), c.parent);
        EXPECT_TRUE(c.axis->InheritsFrom(xlschart::TRecordObject::StaticClass()));
        EXPECT_EQ(c.axis->Record, c.record);
        EXPECT_EQ(c.axis->TickFormat.Record, c.tick);
    }
    EXPECT_EQ(xlschart::TChartAxis::StaticClass()->ClassParent(),
              xlschart::TRecordObject::StaticClass());
    EXPECT_EQ(categoryAxis.Scaling.Record, categoryRange);
    EXPECT_EQ(valueAxis.Scaling.Record, value->Children[0].get());
}

TEST(ChartsLinkedTogether, TheRecordLegendFindsItsFrame) {
    auto root = TChartRecord::NewRoot(nullptr);
    TChartRecord* record = root->Add(crLEGEND);
    TChartRecord* frame = record->Add(crFRAME);
    xlschart::TChartLegend legend;
    xlschart::TRecordObject* object = &legend;
    object->AttachRecords(record);
    EXPECT_EQ(xlschart::TChartLegend::StaticClass()->ClassParent(),
              xlschart::TRecordObject::StaticClass());
    EXPECT_EQ(legend.Record, record);
    EXPECT_EQ(legend.PaintFrame.Record, frame);
}
