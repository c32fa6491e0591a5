#pragma once
// The picture editor: load or clear a picture, see its size, kind and (filtered) look, and make
// it transparent; for a back image also its drawing style and its position in the custom style.
// Every change goes to the picture at once. Embedded in the font and shape editors' "Picture"
// pages.

#include "platform/forms/Forms.h"

#include <functional>

class TButton;
class TCheckBox;
class TImage;
class TGroupBox;
class TLabel;
class TPicture;
class TRadioGroup;
class TSpinEdit;
class TTabSheet;

class TBackImageEditor : public TForm {
    Q4_CLASS(TBackImageEditor, TForm)
public:
    explicit TBackImageEditor(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);
    void AfterConstruction() override;

    void LoadBackImage(TPicture* picture);
    TPicture* Picture() const { return picture_; }

    // Runs the filters editor on the picture (true on OK); the "&Filters..." button is enabled
    // only for pictures with filters while this is set.
    static std::function<bool(TComponent* owner, TPicture* picture)>& FiltersEditorHook();

    void FormShow(TObject* sender);
    void BBrowseClick(TObject* sender);
    void CBTranspClick(TObject* sender);
    void Button1Click(TObject* sender);
    void RGBitmapClick(TObject* sender);
    void ELeftChange(TObject* sender);
    void ETopChange(TObject* sender);

private:
    void RefreshControls();
    void RefreshPreview();

    TPicture* picture_ = nullptr;
    bool loading_ = false;
    TImage* preview_ = nullptr;
    TLabel* size_ = nullptr;
    TLabel* extension_ = nullptr;
    TButton* browse_ = nullptr;
    TCheckBox* transparent_ = nullptr;
    TButton* filters_ = nullptr;
    TRadioGroup* style_ = nullptr;
    TGroupBox* position_ = nullptr;
    TSpinEdit* left_ = nullptr;
    TSpinEdit* top_ = nullptr;
};

// An editor without owner, embedded in sheet.
TBackImageEditor* EmbedBackImageEditor(TTabSheet* sheet);
// The default file extension of the graphic's kind ("bmp"), empty for none.
std::string GraphicExtensionOf(const TPicture& picture);
