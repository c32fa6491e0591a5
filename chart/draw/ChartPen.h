#pragma once
// Chart pens: the platform pen plus visibility, line ends and fine dotted lines, and the few
// variants that only change the defaults. Stored with the chart's description.

#include "chart/draw/ChartTypes.h"
#include "platform/graphics/Graphics.h"

class TChartPen : public TPen {
    Q4_CLASS(TChartPen, TPen)
public:
    // onChange becomes the pen's change notification (the owner repaints).
    explicit TChartPen(TNotifyEvent onChange = {});
    static void DeclareProperties(TPropertyList& p);

    using TPen::Assign;
    void Assign(TPersistent* source) override;

    TPenEndStyle EndStyle() const { return endStyle_; }
    void SetEndStyle(TPenEndStyle style);
    bool SmallDots() const { return smallDots_; }
    void SetSmallDots(bool on);
    int SmallSpace() const { return smallSpace_; }
    void SetSmallSpace(int space);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

protected:
    // What Visible and EndStyle are compared with when deciding whether to store them.
    bool defaultVisible_ = true;
    TPenEndStyle defaultEndStyle_ = esRound;

private:
    bool VisibleStored() const { return visible_ != defaultVisible_; }
    bool EndStyleStored() const { return endStyle_ != defaultEndStyle_; }

    TPenEndStyle endStyle_ = esRound;
    bool smallDots_ = false;
    int smallSpace_ = 0;
    bool visible_ = true;
};

// Invisible until shown; stored only when visible.
class TChartHiddenPen : public TChartPen {
    Q4_CLASS(TChartHiddenPen, TChartPen)
public:
    explicit TChartHiddenPen(TNotifyEvent onChange = {});
};

class TDottedGrayPen : public TChartPen {
    Q4_CLASS(TDottedGrayPen, TChartPen)
public:
    explicit TDottedGrayPen(TNotifyEvent onChange = {});
    static void DeclareProperties(TPropertyList& p);
};

class TDarkGrayPen : public TChartPen {
    Q4_CLASS(TDarkGrayPen, TChartPen)
public:
    explicit TDarkGrayPen(TNotifyEvent onChange = {});
    static void DeclareProperties(TPropertyList& p);
};

// White; its Visible is always stored.
class TWhitePen : public TChartPen {
    Q4_CLASS(TWhitePen, TChartPen)
public:
    explicit TWhitePen(TNotifyEvent onChange = {});
    static void DeclareProperties(TPropertyList& p);
};
