#pragma once
// Scope guards for the state a chart's drawing changes for a while: repainting switched off, a
// named group of drawing calls on the canvas, the plot rectangle lent to another extent, the
// chart canvas's pen, brush and font. Each puts back what it changed when it ends, also when the
// drawing raises, so that a failed drawing leaves a chart that draws again.

#include "chart/draw/PlotCanvas.h"
#include "chart/panel/PlotPanel.h"

#include <exception>
#include <string>

// Repainting switched off while the chart draws (changes made by the drawing itself, such as an
// axis' step, ask for no other drawing).
class TRepaintSuspension {
public:
    explicit TRepaintSuspension(TCustomPlotPanel& panel)
        : panel_(panel), was_(panel.RepaintEnabled()) {
        panel_.SetRepaintEnabled(false);
    }
    ~TRepaintSuspension() { panel_.SetRepaintEnabled(was_); }
    TRepaintSuspension(const TRepaintSuspension&) = delete;
    TRepaintSuspension& operator=(const TRepaintSuspension&) = delete;

private:
    TCustomPlotPanel& panel_;
    bool was_;
};

// A named group of drawing calls (a canvas that keeps identifiers writes it out).
class TCanvasGroup {
public:
    TCanvasGroup(TCanvas3D& canvas, const std::string& name) : canvas_(canvas) {
        canvas_.BeginGroup(name);
    }
    ~TCanvasGroup() { canvas_.EndGroup(); }
    TCanvasGroup(const TCanvasGroup&) = delete;
    TCanvasGroup& operator=(const TCanvasGroup&) = delete;

private:
    TCanvas3D& canvas_;
};

// The plot rectangle set to another one for a while, without fixing it.
class TPlotRectLoan {
public:
    TPlotRectLoan(TCustomPlotPanel& panel, const TRect& lent)
        : panel_(panel), saved_(panel.PlotRect()), fixed_(panel.FixedPlotRect()) {
        panel_.SetPlotRect(lent);
        panel_.SetFixedPlotRect(fixed_);
    }
    ~TPlotRectLoan() {
        panel_.SetPlotRect(saved_);
        panel_.SetFixedPlotRect(fixed_);
    }
    TPlotRectLoan(const TPlotRectLoan&) = delete;
    TPlotRectLoan& operator=(const TPlotRectLoan&) = delete;

private:
    TCustomPlotPanel& panel_;
    TRect saved_;
    bool fixed_;
};

// Sets the canvas's pen, brush and font back to their defaults when a drawing that raised
// leaves; a drawing that ends normally resets them itself at its own moment.
class TAttributesOnFailure {
public:
    explicit TAttributesOnFailure(TPlotCanvas& canvas)
        : canvas_(canvas), exceptions_(std::uncaught_exceptions()) {}
    ~TAttributesOnFailure() {
        if (std::uncaught_exceptions() > exceptions_ && canvas_.Canvas() != nullptr)
            canvas_.ResetAttributes();
    }
    TAttributesOnFailure(const TAttributesOnFailure&) = delete;
    TAttributesOnFailure& operator=(const TAttributesOnFailure&) = delete;

private:
    TPlotCanvas& canvas_;
    int exceptions_;
};
