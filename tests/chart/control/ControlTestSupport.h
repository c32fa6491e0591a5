#pragma once
// The chart control tests: a recording of one drawing of a chart panel into a bitmap (the
// platform canvas's calls, one line each, and the drawing groups they fell in), and a bare panel
// that draws whatever the test gives it.

#include "chart/draw/PlotCanvas3D.h"
#include "chart/panel/PlotPanelExtended.h"
#include "tests/chart/support/CanvasCallLog.h"

#include <QImage>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace controltest {

// A chart canvas that notes which lines of a call log each drawing group covers.
class TGroupedCanvas : public TPlotCanvas3D {
public:
    struct TGroup {
        std::string name;
        std::size_t begin = 0;
        std::size_t end = 0;
    };
    charttest::TCanvasCallLog* Log = nullptr;
    std::vector<TGroup> Groups;
    // Groups opened and not closed yet.
    int OpenGroups() const { return static_cast<int>(open_.size()); }

    void BeginGroup(const std::string& name) override;
    void EndGroup() override;

private:
    std::vector<std::size_t> open_;
};

// One drawing of panel into a width x height bitmap through a grouped canvas, recorded. The
// panel keeps the grouped canvas afterwards.
class TRecording {
public:
    TRecording(TCustomPlotPanel& panel, int width, int height);
    ~TRecording();

    const std::vector<std::string>& Lines() const;
    // The lines drawn inside the first group of that name (empty when there is none).
    std::vector<std::string> LinesIn(const std::string& group) const;
    // Names of the groups in the order they opened.
    std::vector<std::string> GroupOrder() const;
    // Every text drawn, in order.
    std::vector<std::string> Texts() const;
    // The lines of one operation (RECTANGLE, TEXT, ...).
    std::vector<std::string> Matching(const std::string& op) const;
    int OpenGroups() const { return canvas_->OpenGroups(); }
    QImage Image() const;

private:
    std::unique_ptr<TBitmap> bitmap_;
    std::unique_ptr<charttest::TCanvasCallLog> log_;
    TGroupedCanvas* canvas_;
};

// The numbers of a recorded line after its operation name, up to the first word that is not one
// ("RECTANGLE 1 2 3 4 pen=..." gives 1 2 3 4; point lists "1,2 3,4" give 1 2 3 4).
std::vector<int> NumbersOf(const std::string& line);
// The quoted text of a TEXT line.
std::string TextOf(const std::string& line);

// A plot panel that draws its background and then what Content draws.
class TBarePanel : public TCustomPlotPanelExtended {
    Q4_CLASS(TBarePanel, TCustomPlotPanelExtended)
public:
    explicit TBarePanel(TComponent* owner = nullptr);
    std::function<void(TBarePanel&)> Content;

protected:
    void DrawToRect(const TRect& r) override;
};

} // namespace controltest
