#pragma once
// The gradient editor ("Gradient Editor"): visibility, direction, start, middle and end colours,
// balance, angle, radial offset and the sub-gradient, seventeen named colour presets and a page
// of direction samples. Run as a dialog (Cancel puts back every field as the edit began) or
// embedded without its buttons in a page of another editor (every edit stays). Also the button
// that shows a gradient and opens the editor.

#include "chart/draw/PlotButton.h"
#include "platform/forms/Forms.h"

#include <memory>

class TButtonColor;
class TButtonGradient;
class TCheckBox;
class TComboBox;
class TCustomPlotGradient;
class TGradientDirections;
class TLabel;
class TListBox;
class TPreviewGradient;
class TScrollBar;
class TSpinEdit;
class TSubGradient;
class TTrackBar;

struct TGradientPreset {
    const char* Name;
    TColor Start;
    TColor Mid; // clNone: no middle colour
    TColor End;
    int Balance;
    TGradientDirection Direction;
};
constexpr int GradientPresetCount = 17;
const TGradientPreset& GradientPreset(int number);
// Start, middle and end colour, then direction and balance, of preset number.
void ApplyGradientPreset(TCustomPlotGradient& gradient, int number);

class TPlotGradientEditor : public TForm {
    Q4_CLASS(TPlotGradientEditor, TForm)
public:
    explicit TPlotGradientEditor(TComponent* owner);
    ~TPlotGradientEditor() override;
    static void DeclareMethods(TMethodTable& m);
    void AfterConstruction() override;

    // An editor of gradient without its buttons, for another editor's page (EmbedFormInTab).
    static TPlotGradientEditor* CreateEmbedded(TComponent* owner, TCustomPlotGradient* gradient);

    // The gradient edited; not owned. Set before showing, or switch with EditGradient.
    TCustomPlotGradient* Gradient = nullptr;
    // Hides the end colour and the swap button.
    bool HideEndColor = false;
    bool Modified() const { return modified_; }
    virtual void EditGradient(TCustomPlotGradient* gradient);
    virtual void RefreshControls();
    virtual void RefreshPreview();

    void FormShow(TObject* sender);
    void CBVisibleClick(TObject* sender);
    void CBDirectionChange(TObject* sender);
    void DirectionsChange(TObject* sender);
    void BStartClick(TObject* sender);
    void BMidClick(TObject* sender);
    void BSwapClick(TObject* sender);
    void CBMidClick(TObject* sender);
    void SBBalanceChange(TObject* sender);
    void TrackBar1Change(TObject* sender);
    void TrackBar2Change(TObject* sender);
    void EAngleChange(TObject* sender);
    void SBTranspChange(TObject* sender);
    void CBSubVisibleClick(TObject* sender);
    void BSubEditClick(TObject* sender);
    void GalleryClick(TObject* sender);
    void BCancelClick(TObject* sender);
    // Closing other than with OK (the window's close box too) restores as Cancel does.
    void FormClose(TObject* sender, TCloseAction& action);

private:
    TSubGradient* SubGradient() const;
    void RefreshEnabling();
    void RefreshMiddleAndRadial();
    void SamplesTakeColors();
    void Restore();

    std::unique_ptr<TSubGradient> backup_;
    bool modified_ = false;
    bool updating_ = false;
    bool hadSub_ = false;
    TPreviewGradient* preview_ = nullptr;
    TGradientDirections* directions_ = nullptr;
    TCheckBox* visible_ = nullptr;
    TComboBox* direction_ = nullptr;
    TListBox* gallery_ = nullptr;
    TButtonColor* start_ = nullptr;
    TButtonColor* mid_ = nullptr;
    TButtonColor* end_ = nullptr;
    TCheckBox* noMiddle_ = nullptr;
    TScrollBar* balance_ = nullptr;
    TLabel* balanceLabel_ = nullptr;
    TSpinEdit* angle_ = nullptr;
    TTrackBar* radialX_ = nullptr;
    TTrackBar* radialY_ = nullptr;
    TScrollBar* subTransparency_ = nullptr;
    TButtonGradient* subEdit_ = nullptr;
    TCheckBox* subVisible_ = nullptr;
};

// Runs the editor as a dialog owned by control's form; true on OK.
bool RunGradientEditor(TComponent* control, TCustomPlotGradient* gradient,
                       bool hideEndColor = false, bool hideVisible = false);

class TButtonGradient : public TPlotButton {
    Q4_CLASS(TButtonGradient, TPlotButton)
public:
    explicit TButtonGradient(TComponent* owner);
    void LinkGradient(TCustomPlotGradient* gradient);
    TCustomPlotGradient* LinkedGradient() const;
    // Runs the editor on the linked gradient; the button's own click follows OK.
    void Click() override;
    void DrawSymbol(TPlotCanvas3D& canvas) override;
};
