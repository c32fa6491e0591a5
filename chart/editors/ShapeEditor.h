#pragma once
// The framed shape editor: fill colour and pattern, transparency, bevel, round frame and frame
// pen, with pages for the shape's text, gradient, shadow and picture made when first opened.
// Every change goes to the shape at once. Embedded in the editors of titles, legends, walls and
// annotations, whose page controls may take its pages over.

#include "platform/forms/Forms.h"

class TBackImageEditor;
class TButtonColor;
class TButtonPen;
class TCheckBox;
class TComboBox;
class TPageControl;
class TPlotCustomShape;
class TPlotFontEditor;
class TPlotGradientEditor;
class TPlotShadowEditor;
class TSpinEdit;
class TWinControl;

class TFormPlotShape : public TForm {
    Q4_CLASS(TFormPlotShape, TForm)
public:
    explicit TFormPlotShape(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);
    void AfterConstruction() override;

    // The edited shape (not owned); loaded when the editor is shown.
    TPlotCustomShape* Shape() const { return shape_; }
    void SetShape(TPlotCustomShape* shape) { shape_ = shape; }
    void LoadShape(TPlotCustomShape* shape);

    void FormShow(TObject* sender);
    void PC1Change(TObject* sender);
    void Button6Click(TObject* sender);
    void CBTransparentClick(TObject* sender);
    void EShadowTranspChange(TObject* sender);
    void CBBevelChange(TObject* sender);
    void EBevWidthChange(TObject* sender);
    void CBRoundClick(TObject* sender);
    void ERoundSizeChange(TObject* sender);
    // For the editors that embed this one to wire: unticks "Transparent" (after a colour was
    // chosen), and sets the shape's Visible from the check box that sent it.
    void BColorClick(TObject* sender);
    void CBVisibleChecked(TObject* sender);

    // The embedded editors, null until their page is first shown.
    TPlotFontEditor* FontEditor() const { return fontEditor_; }
    TPlotGradientEditor* GradientEditor() const { return gradientEditor_; }
    TBackImageEditor* PictureEditor() const { return pictureEditor_; }
    TPlotShadowEditor* ShadowEditor() const { return shadowEditor_; }

private:
    bool Guarded() const { return updating_ || shape_ == nullptr; }
    void EnableBevel();
    void EnableRound();

    TPlotCustomShape* shape_ = nullptr;
    bool updating_ = true;
    TPlotFontEditor* fontEditor_ = nullptr;
    TPlotGradientEditor* gradientEditor_ = nullptr;
    TBackImageEditor* pictureEditor_ = nullptr;
    TPlotShadowEditor* shadowEditor_ = nullptr;
    TButtonColor* color_ = nullptr;
    TCheckBox* transparent_ = nullptr;
    TSpinEdit* transparency_ = nullptr;
    TComboBox* bevel_ = nullptr;
    TSpinEdit* bevelWidth_ = nullptr;
    TCheckBox* round_ = nullptr;
    TSpinEdit* roundSize_ = nullptr;
    TButtonPen* frame_ = nullptr;
};

// A shape editor owned by owner on shape; with a parent it loses its border and is shown there,
// filling it.
TFormPlotShape* CreateShapeEditor(TComponent* owner, TPlotCustomShape* shape,
                                  TWinControl* parent = nullptr);
// A shape editor without owner whose pages move into pages (in order), the first activated;
// the returned form keeps the embedded editors and serves the pages' changes.
TFormPlotShape* EmbedShapePages(TPageControl* pages, TPlotCustomShape* shape);
