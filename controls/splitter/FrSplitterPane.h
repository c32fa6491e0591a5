#pragma once
// The two halves of a splitter: TFrSplitterPane, a framed panel that holds the controls placed in
// one half, and TFrPaneData, the small object a splitter publishes for each pane (`UpperLeft`,
// `LowerRight`) so that a form description can set the pane's frames and colours.

#include "controls/containers/FrPanel.h"
#include "platform/classes/Persistent.h"

class TFrSplitter;
class TReader;

class TFrSplitterPane : public TFrCustomPanel {
    Q4_CLASS(TFrSplitterPane, TFrCustomPanel)
public:
    explicit TFrSplitterPane(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    TFrSplitter* Splitter() const { return splitter_; }
    // Shows or hides the pane; the splitter then lays its panes out again.
    void SetPaneVisible(bool value);
    void ReadState(TReader* reader) override;
    void WndProc(TMessage& message) override;

private:
    TFrSplitter* splitter_ = nullptr;
};

class TFrPaneData : public TPersistent {
    Q4_CLASS(TFrPaneData, TPersistent)
public:
    explicit TFrPaneData(TFrSplitterPane* pane = nullptr) : pane_(pane) {}
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;

    TFrSplitterPane* Pane() const { return pane_; }

    TColor BorderColor() const { return pane_->BorderColor(); }
    void SetBorderColor(TColor v) { pane_->SetBorderColor(v); }
    TFrameStyleEx BorderInner() const { return pane_->BorderInner(); }
    void SetBorderInner(TFrameStyleEx v) { pane_->SetBorderInner(v); }
    TFrameStyleEx BorderOuter() const { return pane_->BorderOuter(); }
    void SetBorderOuter(TFrameStyleEx v) { pane_->SetBorderOuter(v); }
    int BorderWidth() const { return pane_->BorderWidth(); }
    void SetBorderWidth(int v) { pane_->SetBorderWidth(v); }
    TColor Color() const { return pane_->Color(); }
    void SetColor(TColor v) { pane_->SetColor(v); }
    TColor FlatColor() const { return pane_->FlatColor(); }
    void SetFlatColor(TColor v) { pane_->SetFlatColor(v); }
    int FlatColorAdjustment() const { return pane_->FlatColorAdjustment(); }
    void SetFlatColorAdjustment(int v) { pane_->SetFlatColorAdjustment(v); }
    bool DockSite() const { return pane_->inert_.DockSite; }
    void SetDockSite(bool v) { pane_->inert_.DockSite = v; }
    bool ShowDockClientCaptions() const { return pane_->ShowDockClientCaptions(); }
    // Stored in the pane as it is: nothing is repainted.
    void SetShowDockClientCaptions(bool v) { pane_->SetShowDockClientCaptions(v); }
    bool Visible() const { return pane_->Visible(); }
    void SetVisible(bool v) { pane_->SetPaneVisible(v); }
    TFrPadding* Padding() const { return pane_->Padding(); }
    void SetPadding(TFrPadding* v) { pane_->SetPadding(v); }

private:
    TFrSplitterPane* pane_;
};
