#pragma once
// The pen editor ("Border Editor"): visibility, style (with the fine dotted style of chart pens),
// colour, width, line ends and dot spacing. Every change goes to the pen at once; Cancel puts
// back the copy taken when the dialog was shown.

#include "platform/forms/Forms.h"
#include "platform/stdctrls/OwnerDraw.h"

#include <memory>

class TButtonColor;
class TChartPen;
class TCheckBox;
class TComboBox;
class TPen;
class TSpinEdit;

class TPenDialog : public TForm {
    Q4_CLASS(TPenDialog, TForm)
public:
    explicit TPenDialog(TComponent* owner);
    ~TPenDialog() override;
    static void DeclareMethods(TMethodTable& m);
    void AfterConstruction() override;

    // The pen edited (a chart pen or a plain one); not owned.
    TPen* Pen = nullptr;
    bool Modified() const { return modified_; }
    // The copy the dialog restores on Cancel (made on the first show).
    const TChartPen* BackupPen() const { return backup_.get(); }

    void FormShow(TObject* sender);
    void CBVisibleClick(TObject* sender);
    void SEWidthChange(TObject* sender);
    void CBStyleChange(TObject* sender);
    void CBEndStyleChange(TObject* sender);
    void ESpaceChange(TObject* sender);
    void BColorClick(TObject* sender);
    void BCancelClick(TObject* sender);
    // Closing other than with OK (the window's close box too) restores as Cancel does.
    void FormClose(TObject* sender, TCloseAction& action);

private:
    TChartPen* ChartPen() const;
    void ApplyWidthRule();
    void EnableSmallDots(bool on);
    void Restore();
    void DrawStyleItem(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state);

    std::unique_ptr<TChartPen> backup_;
    bool modified_ = false;
    bool loading_ = false;
    TCheckBox* visible_ = nullptr;
    TComboBox* style_ = nullptr;
    TComboBox* endStyle_ = nullptr;
    TSpinEdit* width_ = nullptr;
    TSpinEdit* space_ = nullptr;
    TButtonColor* color_ = nullptr;
};

// Runs the pen editor for pen, owned by control's form; true on OK.
bool EditChartPen(TComponent* control, TPen* pen);
