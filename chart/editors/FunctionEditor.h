#pragma once
// The small option pages a series editor embeds for the function of a series: the base page
// (loading the function into the controls when shown, writing them into it when closed) and
// the page for the period options most functions share (all points, every number of points or
// every range of positions, and where in its period a result stands).

#include "platform/forms/Forms.h"

class TButton;
class TChartSeries;
class TComboBox;
class TEdit;
class TPlotFunction;

// What the form that embeds a function editor (its owner) offers it.
class TFunctionEditorHost {
public:
    virtual ~TFunctionEditorHost() = default;
    // Enabled by the editor when something changed, disabled after loading; may be null.
    virtual TControl* ApplyButton() = 0;
    // The series whose function is edited.
    virtual TChartSeries* EditedSeries() = 0;
    // The function class a new function is made of (the chosen entry of a list of function
    // classes); null when none is chosen.
    virtual TClass SelectedFunctionClass() = 0;
};

class TBaseFunctionEditor : public TForm {
    Q4_CLASS(TBaseFunctionEditor, TForm)
public:
    explicit TBaseFunctionEditor(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);

    // The function to load when shown (not owned); none for a series that has no function yet.
    void SetSubject(TPlotFunction* function) { subject_ = function; }

    // True while LoadOptions runs.
    bool Loading = false;
    // The function loaded and written to (not owned).
    TPlotFunction* EditedFunction = nullptr;

    // Writes the controls into EditedFunction; nothing here.
    virtual void ApplyOptions() {}
    // Fills the controls from EditedFunction; nothing here.
    virtual void LoadOptions() {}

    void FormShow(TObject* sender);
    // Always lets the page close. Without a function, one of the host's chosen class is made
    // for the host's series; the options are written with the function's recomputing held
    // back, and a series without a function is given it. A function that cannot take the
    // options is not given to the series.
    void FormCloseQuery(TObject* sender, bool& canClose);

protected:
    TFunctionEditorHost* Host() const;
    // Enables the host's apply button (something changed).
    void EnableApply(bool enabled);

private:
    TPlotFunction* subject_ = nullptr;
};

class TPlotFunctionEditor : public TBaseFunctionEditor {
    Q4_CLASS(TPlotFunctionEditor, TBaseFunctionEditor)
public:
    static constexpr int AllPoints = 0;
    static constexpr int NumPoints = 1;
    static constexpr int RangeItem = 2;

    explicit TPlotFunctionEditor(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);
    void AfterConstruction() override;

    void ApplyOptions() override;
    void LoadOptions() override;

    void CBStyleChange(TObject* sender);
    void ENumChange(TObject* sender);
    void CBAlignChange(TObject* sender);
    void BChangeClick(TObject* sender);

private:
    void EnableForStyle();

    TComboBox* style_ = nullptr;
    TEdit* num_ = nullptr;
    TButton* change_ = nullptr;
    TComboBox* align_ = nullptr;
};
