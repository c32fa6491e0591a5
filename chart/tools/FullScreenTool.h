#pragma once
// TFullScreenTool: while active, the chart is shown alone in a borderless window over the whole
// desktop; the release key (Escape) or closing that window puts the chart back into its parent,
// with its bounds and alignment as they were.

#include "chart/axispanel/ChartTool.h"

class TCustomForm;

class TFullScreenTool : public TPlotCustomTool {
    Q4_CLASS(TFullScreenTool, TPlotCustomTool)
public:
    explicit TFullScreenTool(TComponent* owner);
    ~TFullScreenTool() override;
    static void DeclareProperties(TPropertyList& p);
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;
    // True shows the chart full screen, false puts it back (each only when it is not already so;
    // nothing while designing or without a chart; a description read with it set acts when
    // loading ends).
    void SetActive(bool value) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    // The key that ends full screen, as a virtual key code.
    unsigned short ReleaseKey() const { return releaseKey_; }
    void SetReleaseKey(unsigned short value) { releaseKey_ = value; }
    // The window the chart is shown in while in full screen; none otherwise.
    TCustomForm* FullScreenForm() const { return form_; }

private:
    void Enter();
    // Puts the chart back. The window is freed, unless one of its own events is running (then
    // it is only hidden, and freed later).
    void Leave();
    void FreeRetiredForm();

    unsigned short releaseKey_;
    TCustomForm* form_ = nullptr;
    // A window left inside its own event, freed at the next entry or with the tool.
    TCustomForm* retired_ = nullptr;
    TWinControl* savedParent_ = nullptr;
    TAlign savedAlign_ = alNone;
    TRect savedBounds_;
    // A key or close event of the window is running.
    bool inFormEvent_ = false;
};
