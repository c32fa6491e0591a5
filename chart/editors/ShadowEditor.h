#pragma once
// The shadow editor ("Shadow editor"): visibility, horizontal and vertical offset, transparency,
// colour with a lightness slider, smoothing with blur and clipping. Every change goes to the
// shadow at once. Mostly embedded in a page of the font and shape editors; also a dialog.

#include "platform/forms/Forms.h"
#include "platform/graphics/ColorHls.h"

class TButtonColor;
class TCheckBox;
class TPlotShadow;
class TSpinEdit;
class TTabSheet;
class TTrackBar;

class TPlotShadowEditor : public TForm {
    Q4_CLASS(TPlotShadowEditor, TForm)
public:
    explicit TPlotShadowEditor(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);
    void AfterConstruction() override;

    // Points the editor at shadow and loads the controls; loading changes nothing in it.
    void LoadShadow(TPlotShadow* shadow);
    TPlotShadow* Shadow() const { return shadow_; }
    void SetShadow(TPlotShadow* shadow) { shadow_ = shadow; }

    void FormShow(TObject* sender);
    void Edit1Change(TObject* sender);
    void EVertSizeChange(TObject* sender);
    void EShadowTranspChange(TObject* sender);
    void TBBlurChange(TObject* sender);
    void TBColorChange(TObject* sender);
    void BShadowColorClick(TObject* sender);
    void CBSmoothClick(TObject* sender);
    void CBVisibleClick(TObject* sender);
    void CBClipClick(TObject* sender);
    void BOKClick(TObject* sender);

private:
    bool Guarded() const { return updating_ || shadow_ == nullptr; }
    void EnableSizes();
    void EnableSmoothing();

    TPlotShadow* shadow_ = nullptr;
    THlsColor hls_;
    bool updating_ = true;
    TCheckBox* visible_ = nullptr;
    TSpinEdit* horiz_ = nullptr;
    TSpinEdit* vert_ = nullptr;
    TSpinEdit* transparency_ = nullptr;
    TButtonColor* color_ = nullptr;
    TTrackBar* lightness_ = nullptr;
    TCheckBox* smooth_ = nullptr;
    TTrackBar* blur_ = nullptr;
    TCheckBox* clip_ = nullptr;
};

// The editor as a dialog on shadow; its OK closes it with the cancel result, so this answers
// false (every edit is already in the shadow).
bool RunShadowEditor(TComponent* owner, TPlotShadow* shadow);
// An editor without owner and OK button, embedded in sheet.
TPlotShadowEditor* EmbedShadowEditor(TTabSheet* sheet);
