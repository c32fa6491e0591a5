#pragma once
// The anti-alias tool's editor: smoothing on or off, and the image filters the tool runs over the
// finished chart, edited on a picture of the chart as it looks without them.

#include "platform/forms/Forms.h"

class TAntiAliasTool;
class TCheckBox;

class TAntiAliasEditor : public TForm {
    Q4_CLASS(TAntiAliasEditor, TForm)
public:
    explicit TAntiAliasEditor(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);
    void AfterConstruction() override;

    // The edited tool (not owned); loaded when the editor is shown.
    TAntiAliasTool* Tool() const { return tool_; }
    void SetTool(TAntiAliasTool* tool) { tool_ = tool; }

    void FormShow(TObject* sender);
    void CBAntiClick(TObject* sender);
    // Runs the filters editor on the tool's filters over a picture of its chart taken with the
    // tool switched off; the chart repaints after OK. A tool without a chart gets the editor
    // without a picture.
    void Button1Click(TObject* sender);

private:
    TAntiAliasTool* tool_ = nullptr;
    bool loading_ = false;
    TCheckBox* anti_ = nullptr;
};
