#include "chart/editors/BackImageEditor.h"

#include "chart/editors/BrushDialog.h"
#include "chart/editors/EditorMessages.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/imaging/PlotFilter.h"
#include "chart/panel/BackImage.h"
#include "chart/util/ChartUtils.h"
#include "platform/graphics/Picture.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/GroupBox.h"
#include "platform/stdctrls/Image.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/RadioGroup.h"
#include "platform/stdctrls/SpinEdit.h"

#include <string>

std::string GraphicExtensionOf(const TPicture& picture) {
    const TGraphic* graphic = picture.Graphic();
    if (graphic == nullptr)
        return {};
    for (const TGraphicFormat& format : TPicture::FileFormats())
        if (format.create()->ClassType() == graphic->ClassType())
            return format.extension;
    return {};
}

TBackImageEditor::TBackImageEditor(TComponent* owner) : TForm(owner) {}

void TBackImageEditor::DeclareMethods(TMethodTable& m) {
    using E = TBackImageEditor;
    m.Add("FormShow", &E::FormShow);
    m.Add("BBrowseClick", &E::BBrowseClick);
    m.Add("CBTranspClick", &E::CBTranspClick);
    m.Add("Button1Click", &E::Button1Click);
    m.Add("RGBitmapClick", &E::RGBitmapClick);
    m.Add("ELeftChange", &E::ELeftChange);
    m.Add("ETopChange", &E::ETopChange);
}

std::function<bool(TComponent*, TPicture*)>& TBackImageEditor::FiltersEditorHook() {
    static std::function<bool(TComponent*, TPicture*)> hook;
    return hook;
}

void TBackImageEditor::AfterConstruction() {
    TForm::AfterConstruction();
    preview_ = FormPart<TImage>(this, "Image1");
    size_ = FormPart<TLabel>(this, "LabelSize");
    extension_ = FormPart<TLabel>(this, "LabelExt");
    browse_ = FormPart<TButton>(this, "BBrowse");
    transparent_ = FormPart<TCheckBox>(this, "CBTransp");
    filters_ = FormPart<TButton>(this, "Button1");
    style_ = FormPart<TRadioGroup>(this, "RGBitmap");
    position_ = FormPart<TGroupBox>(this, "GBPosition");
    left_ = FormPart<TSpinEdit>(this, "ELeft");
    top_ = FormPart<TSpinEdit>(this, "ETop");
}

void TBackImageEditor::LoadBackImage(TPicture* picture) {
    picture_ = picture;
    loading_ = true;
    if (auto* back = dynamic_cast<TBackImage*>(picture)) {
        style_->SetItemIndex(static_cast<int>(back->Mode()));
        left_->SetValue(back->Left());
        top_->SetValue(back->Top());
    }
    RefreshControls();
    const TGraphic* graphic = picture != nullptr ? picture->Graphic() : nullptr;
    transparent_->SetEnabled(graphic != nullptr);
    transparent_->SetChecked(graphic != nullptr && graphic->Transparent());
    loading_ = false;
}

void TBackImageEditor::RefreshControls() {
    const bool has = picture_ != nullptr && picture_->Graphic() != nullptr;
    auto* back = dynamic_cast<TBackImage*>(picture_);
    style_->SetVisible(back != nullptr);
    position_->SetVisible(back != nullptr);
    style_->SetEnabled(has);
    const bool custom = back != nullptr && back->Mode() == pbmCustom;
    left_->SetEnabled(custom);
    top_->SetEnabled(custom);
    if (transparent_->Visible()) {
        transparent_->SetEnabled(has);
        const bool was = loading_;
        loading_ = true;
        transparent_->SetChecked(has && picture_->Graphic()->Transparent());
        loading_ = was;
    }
    size_->SetVisible(has);
    extension_->SetVisible(has);
    if (has) {
        size_->SetCaption(std::to_string(picture_->Width()) + "x" +
                          std::to_string(picture_->Height()));
        extension_->SetCaption(GraphicExtensionOf(*picture_));
    }
    filters_->SetEnabled(dynamic_cast<TPlotPicture*>(picture_) != nullptr && has &&
                         FiltersEditorHook() != nullptr);
    RefreshPreview();
}

void TBackImageEditor::RefreshPreview() {
    TGraphic* shown = nullptr;
    if (auto* plot = dynamic_cast<TPlotPicture*>(picture_))
        shown = plot->Graphic() != nullptr ? plot->Filtered() : nullptr;
    else if (picture_ != nullptr)
        shown = picture_->Graphic();
    preview_->Picture()->SetGraphic(static_cast<const TGraphic*>(shown));
    browse_->SetCaption(ChartMsg(shown != nullptr ? msgClearImage : msgBrowseImage));
}

void TBackImageEditor::FormShow(TObject*) {
    if (picture_ != nullptr)
        LoadBackImage(picture_);
    TranslateControl(this);
}

void TBackImageEditor::BBrowseClick(TObject*) {
    if (picture_ == nullptr)
        return;
    if (picture_->Graphic() != nullptr)
        picture_->SetGraphic(static_cast<const TGraphic*>(nullptr));
    else
        LoadOrClearPicture(this, picture_);
    RefreshControls();
}

void TBackImageEditor::CBTranspClick(TObject*) {
    if (loading_ || !transparent_->Enabled() || picture_ == nullptr ||
        picture_->Graphic() == nullptr)
        return;
    picture_->Graphic()->SetTransparent(transparent_->Checked());
}

void TBackImageEditor::Button1Click(TObject*) {
    if (picture_ != nullptr && FiltersEditorHook() && FiltersEditorHook()(this, picture_))
        RefreshPreview();
}

void TBackImageEditor::RGBitmapClick(TObject*) {
    auto* back = dynamic_cast<TBackImage*>(picture_);
    if (loading_ || back == nullptr || style_->ItemIndex() < 0)
        return;
    back->SetMode(static_cast<TPlotBackImageMode>(style_->ItemIndex()));
    RefreshControls();
}

void TBackImageEditor::ELeftChange(TObject*) {
    if (auto* back = dynamic_cast<TBackImage*>(picture_); back != nullptr && !loading_)
        back->SetLeft(left_->Value());
}

void TBackImageEditor::ETopChange(TObject*) {
    if (auto* back = dynamic_cast<TBackImage*>(picture_); back != nullptr && !loading_)
        back->SetTop(top_->Value());
}

TBackImageEditor* EmbedBackImageEditor(TTabSheet* sheet) {
    auto* editor = TCustomForm::Create<TBackImageEditor>(nullptr);
    EmbedFormInTab(editor, sheet);
    return editor;
}
