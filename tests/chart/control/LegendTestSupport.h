#pragma once
// The legend tests' chart: series with titles (and point texts in two columns), the legend's
// texts and box of the last drawing, and pictures of it for review.

#include "tests/chart/control/ControlTestSupport.h"

#include <QDir>

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace controltest {

class LegendFixture : public ChartFixture {
protected:
    // Series with titles and a few points each; point rows read "P<index>" and "<index * 10>".
    void AddTitledSeries(const std::vector<std::string>& titles, int points = 3) {
        chart->OnGetLegendText = [](TCustomAxisPanel*, TLegendStyle style, int index,
                                    std::string& text) {
            if (style == lsValues || style == lsLastValues)
                text = "P" + std::to_string(index) + "\x06" + std::to_string(index * 10);
        };
        for (const std::string& title : titles) {
            std::vector<std::pair<double, double>> values;
            for (int i = 0; i < points; ++i)
                values.emplace_back(i, (i * 7 + static_cast<int>(title.size())) % 10);
            AddSeries(values)->SetTitle(title);
        }
    }
    void RemoveAllSeries() {
        while (chart->SeriesCount() > 0)
            chart->SeriesAt(0)->SetParentChart(nullptr);
    }
    // The TEXT lines drawn in the legend's group.
    static std::vector<std::string> LegendTextLines(const TRecording& rec) {
        std::vector<std::string> lines;
        for (const std::string& line : rec.LinesIn("Legend"))
            if (line.rfind("TEXT ", 0) == 0)
                lines.push_back(line);
        return lines;
    }
    static std::vector<std::string> LegendTexts(const TRecording& rec) {
        std::vector<std::string> texts;
        for (const std::string& line : LegendTextLines(rec))
            texts.push_back(TextOf(line));
        return texts;
    }
    // The legend's box as its Left and Top report it (relative to the panel).
    TRect Box() const {
        TChartLegend* legend = chart->Legend();
        return TRect{legend->Left(), legend->Top(), legend->Left() + legend->ShapeWidth() - 1,
                     legend->Top() + legend->ShapeHeight() - 1};
    }
    static void Save(const TRecording& rec, const std::string& name) {
        const std::string dir = std::string(Q4_BINARY_DIR) + "/chart-legend";
        QDir().mkpath(QString::fromStdString(dir));
        ASSERT_TRUE(rec.Image().save(QString::fromStdString(dir + "/" + name + ".png")));
    }
};

} // namespace controltest
