#include "AxisDrawTestSupport.h"

#include "platform/graphics/GraphicsQt_p.h"
#include "tests/chart/support/ChartTestSupport.h"

#include <algorithm>
#include <regex>

void TGroupNotingCanvas::BeginGroup(const std::string& name) {
    marks.emplace_back(log ? log->Lines().size() : 0, "GROUP " + name);
}

void TGroupNotingCanvas::EndGroup() {
    marks.emplace_back(log ? log->Lines().size() : 0, "ENDGROUP");
}

TAxisScene::TAxisScene(int width, int height, const TRect& plot, int depth)
    : bitmap(width, height), log(*bitmap.Canvas()) {
    canvas.log = &log;
    canvas.SetBufferedDisplay(false);
    canvas.BeginDrawing(bitmap.Canvas(), depth > 0 ? &options : nullptr, depth > 0,
                        {0, 0, width, height});
    canvas.ResetAttributes();
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clWhite);
    canvas.FillRect({0, 0, width, height});
    chart.canvas = &canvas;
    chart.view3D = depth > 0;
    chart.depth3D = depth;
    chart.chartRect = plot;
    chart.Layout();
    log.Clear();
}

TAxisScene::~TAxisScene() {
    chart.canvas = nullptr;
}

void TAxisScene::Fit(std::initializer_list<TChartAxis*> shown) {
    for (int i = 0; i < chart.AxisCount(); ++i) {
        TChartAxis* axis = chart.AxisAt(i);
        axis->SetShown(std::find(shown.begin(), shown.end(), axis) != shown.end());
    }
    chart.Layout();
    TRect r = chart.chartRect;
    for (int i = 0; i < chart.AxisCount(); ++i) {
        TChartAxis* axis = chart.AxisAt(i);
        if (!axis->Shown())
            continue;
        TRect room = r;
        axis->CalcAxisRoom(room, i < 5);
        const TRect both{std::max(r.Left, room.Left), std::max(r.Top, room.Top),
                         std::min(r.Right, room.Right), std::min(r.Bottom, room.Bottom)};
        if (!both.IsEmpty())
            r = both;
    }
    chart.chartRect = r;
    chart.Layout();
}

void TAxisScene::Draw(std::initializer_list<TChartAxis*> axes) {
    if (chart.view3D)
        canvas.SetProjectionCenter(chart.depth3D, {0, 0, bitmap.Width(), bitmap.Height()},
                                   chart.chartRect);
    log.Clear();
    canvas.marks.clear();
    for (TChartAxis* axis : axes)
        axis->DrawAxis(true);
}

std::vector<TDrawnText> TAxisScene::Texts() const {
    static const std::regex text(
        R"re(^TEXT (-?\d+),(-?\d+) "([^"]*)" text=\w+ align=(\d+)(?: esc=(-?\d+))?)re");
    std::vector<TDrawnText> texts;
    for (const std::string& line : log.Lines()) {
        std::smatch m;
        if (!std::regex_search(line, m, text))
            continue;
        texts.push_back({std::stoi(m[1]), std::stoi(m[2]), m[3],
                         static_cast<unsigned>(std::stoul(m[4])),
                         m[5].matched ? std::stoi(m[5]) : 0});
    }
    return texts;
}

std::vector<std::string> TAxisScene::TextsOnly() const {
    std::vector<std::string> texts;
    for (const TDrawnText& t : Texts())
        texts.push_back(t.text);
    return texts;
}

std::vector<TDrawnLine> TAxisScene::Lines() const {
    std::vector<TDrawnLine> lines;
    size_t call = 0;
    for (const std::string& line : log.Lines()) {
        if (line.rfind("CLIP", 0) == 0)
            continue;
        const TCanvasCall& c = log.Calls()[call++];
        if (c.op == TCanvasOp::LineTo && c.points.size() == 2)
            lines.push_back({c.points[0], c.points[1], line});
    }
    return lines;
}

std::vector<std::string> TAxisScene::Outline() const {
    std::vector<std::string> out;
    size_t mark = 0;
    const auto& lines = log.Lines();
    for (size_t i = 0; i <= lines.size(); ++i) {
        while (mark < canvas.marks.size() && canvas.marks[mark].first == i)
            out.push_back(canvas.marks[mark++].second);
        if (i < lines.size())
            out.push_back(lines[i]);
    }
    return out;
}

std::string TAxisScene::Save(const std::string& name) {
    bitmap.Canvas()->Flush();
    return charttest::SavePicture(TGraphicsQt::Image(bitmap), name);
}
