#pragma once
// A recorder that writes each call of a platform canvas as one line of text, with the pen,
// brush and text colour the call used and the clip box whenever it changed, for tests that
// compare drawing calls rather than pixels:
//   CLIP 10 10 20 20
//   RECTANGLE 10 60 50 90 pen=000000/1/solid brush=0000FF/solid
//   TEXT 50 52 "Ab" text=808080 align=0

#include "platform/graphics/CanvasRecorder.h"

#include <string>
#include <vector>

namespace charttest {

class TCanvasCallLog : public TCanvasRecorder {
public:
    // Attaches itself to canvas; detaches when destroyed.
    explicit TCanvasCallLog(TCanvas& canvas);
    ~TCanvasCallLog() override;
    TCanvasCallLog(const TCanvasCallLog&) = delete;
    TCanvasCallLog& operator=(const TCanvasCallLog&) = delete;

    void Record(TCanvas& canvas, const TCanvasCall& call) override;

    const std::vector<std::string>& Lines() const { return lines_; }
    // The calls in order as operation names only (no CLIP lines).
    std::vector<std::string> Ops() const;
    // The calls themselves (no CLIP lines).
    const std::vector<TCanvasCall>& Calls() const { return calls_; }
    // Every line, one per row.
    std::string Text() const;
    // The lines starting with prefix.
    std::vector<std::string> Matching(const std::string& prefix) const;
    void Clear();

private:
    TCanvas& canvas_;
    std::vector<std::string> lines_;
    std::vector<TCanvasCall> calls_;
    std::string clip_ = "none";
};

// "x,y x,y ..." of a point list.
std::string PointsText(const std::vector<TPoint>& points);

} // namespace charttest
