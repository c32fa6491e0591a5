#pragma once
// The chart font editor ("PlotFont Editor"): name, size, style, colour, spacing between
// characters, outline pen and outline gradient, and on pages made when first opened the font's
// shadow, gradient and picture through their own editors. Every change goes to the font at once;
// shown as a dialog, Cancel puts back the copy taken when it was shown.

#include "platform/forms/Forms.h"

#include <memory>

class TBackImageEditor;
class TButtonColor;
class TButtonPen;
class TCheckBox;
class TComboBox;
class TPageControl;
class TPlotFont;
class TPlotGradientEditor;
class TPlotShadowEditor;
class TSpinEdit;
class TTabSheet;

class TPlotFontEditor : public TForm {
    Q4_CLASS(TPlotFontEditor, TForm)
public:
    explicit TPlotFontEditor(TComponent* owner);
    ~TPlotFontEditor() override;
    static void DeclareMethods(TMethodTable& m);
    void AfterConstruction() override;

    void LoadFont(TPlotFont* font);
    TPlotFont* Font() const { return font_; }
    void SetFont(TPlotFont* font) { font_ = font; }
    // The embedded editors, null until their page was first shown.
    TPlotShadowEditor* ShadowEditor() const { return shadowEditor_; }
    TPlotGradientEditor* GradientEditor() const { return gradientEditor_; }
    TBackImageEditor* PictureEditor() const { return pictureEditor_; }

    void FormShow(TObject* sender);
    void Button3Click(TObject* sender);
    void ESizeChange(TObject* sender);
    void EInterChange(TObject* sender);
    void CBBoldClick(TObject* sender);
    void CBItalicClick(TObject* sender);
    void CBUnderClick(TObject* sender);
    void CBStrikeClick(TObject* sender);
    void CBNameChange(TObject* sender);
    void CBOutGradClick(TObject* sender);
    void BCancelClick(TObject* sender);
    // Closing the dialog other than with OK (the window's close box too) restores as Cancel does.
    void FormClose(TObject* sender, TCloseAction& action);
    void PageControl1Change(TObject* sender);

private:
    void LoadFontControls();
    void StyleBox(TCheckBox* box, TFontStyle style);
    void Restore();

    std::unique_ptr<TPlotFont> backup_;
    bool restored_ = false;
    TPlotFont* font_ = nullptr;
    TPlotGradientEditor* gradientEditor_ = nullptr;
    TBackImageEditor* pictureEditor_ = nullptr;
    TPlotShadowEditor* shadowEditor_ = nullptr;
    bool loading_ = false;
    TComboBox* name_ = nullptr;
    TSpinEdit* size_ = nullptr;
    TSpinEdit* inter_ = nullptr;
    TButtonColor* color_ = nullptr;
    TButtonPen* outline_ = nullptr;
    TCheckBox* outlineGradient_ = nullptr;
};

// A font editor without owner and buttons, filling sheet.
TPlotFontEditor* EmbedFontEditor(TTabSheet* sheet);
// The font editor as a dialog with OK and Cancel on font; true on OK.
bool RunFontEditor(TComponent* control, TPlotFont* font);
