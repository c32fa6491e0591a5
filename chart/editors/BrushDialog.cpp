#include "chart/editors/BrushDialog.h"

#include "chart/draw/ChartBrush.h"
#include "chart/editors/BrushTextures.h"
#include "chart/editors/ButtonColor.h"
#include "chart/editors/EditorMessages.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/util/ChartUtils.h"
#include "platform/classes/Resources.h"
#include "platform/forms/Dialogs.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Picture.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/Image.h"
#include "platform/stdctrls/ListBox.h"

namespace {

constexpr int NoneItem = 1;
constexpr int LastHatch = 7;

} // namespace

std::unique_ptr<TBitmap> LoadBrushPattern(int number) {
    auto bitmap = std::make_unique<TBitmap>();
    TResourceStream stream("PlotBrush" + std::to_string(number), RT_BITMAP);
    bitmap->LoadFromStream(stream);
    bitmap->SetTransparentMode(tmFixed);
    bitmap->SetTransparentColor(clWhite);
    return bitmap;
}

TBrushDialog::TBrushDialog(TComponent* owner) : TForm(owner) {}

TBrushDialog::~TBrushDialog() = default;

void TBrushDialog::DeclareMethods(TMethodTable& m) {
    m.Add("FormShow", &TBrushDialog::FormShow);
    m.Add("LStyleClick", &TBrushDialog::LStyleClick);
    m.Add("Button1Click", &TBrushDialog::Button1Click);
    m.Add("CBTranspClick", &TBrushDialog::CBTranspClick);
    m.Add("BBackColorClick", &TBrushDialog::BBackColorClick);
    m.Add("Button3Click", &TBrushDialog::Button3Click);
    m.Add("FormClose", &TBrushDialog::FormClose);
}

void TBrushDialog::AfterConstruction() {
    TForm::AfterConstruction();
    style_ = FormPart<TListBox>(this, "LStyle");
    color_ = FormPart<TButtonColor>(this, "BColor");
    backColor_ = FormPart<TButtonColor>(this, "BBackColor");
    transparent_ = FormPart<TCheckBox>(this, "CBTransp");
    preview_ = FormPart<TImage>(this, "Image1");
    image_ = FormPart<TButton>(this, "Button1");
    for (int i = 0; i < TextureCount; ++i)
        textures_[i] = MakeBrushTexture(i);
    style_->OnDrawItem = [this](TWinControl* c, int i, const TRect& r, TOwnerDrawState s) {
        DrawItem(c, i, r, s);
    };
}

std::unique_ptr<TBitmap> TBrushDialog::ItemBitmap(int index) const {
    const int k = index - FirstPattern;
    if (k >= PatternCount) {
        auto copy = std::make_unique<TBitmap>();
        copy->Assign(*textures_.at(k - PatternCount));
        return copy;
    }
    return LoadBrushPattern(k + 1);
}

void TBrushDialog::FormShow(TObject*) {
    if (backup_ == nullptr)
        backup_ = std::make_unique<TChartBrush>();
    if (Brush == nullptr)
        return;
    backup_->Assign(Brush);
    style_->SetItemIndex(Brush->HasImage() ? -1 : Brush->Style());
    color_->LinkProperty(Brush, "Color");
    backColor_->LinkProperty(Brush, "BackColor");
    RefreshPreview();
    RefreshControls();
}

void TBrushDialog::RefreshControls() {
    color_->SetEnabled(Brush->Style() != bsClear);
    backColor_->SetEnabled(color_->Enabled());
    const bool transparent = Brush->BackColor() == clNone;
    transparent_->SetChecked(transparent); // its click changes nothing more here
    transparent_->SetEnabled(!transparent);
}

void TBrushDialog::RefreshPreview() {
    const TGraphic* shown = nullptr;
    if (Brush->HasImage())
        shown = Brush->Image()->Graphic();
    else if (Brush->Bitmap() != nullptr)
        shown = Brush->Bitmap();
    if (shown == nullptr) {
        image_->SetTag(0);
        image_->SetCaption(ChartMsg(msgBrowseImage));
        preview_->Picture()->SetGraphic(static_cast<const TGraphic*>(nullptr));
        return;
    }
    image_->SetTag(1);
    image_->SetCaption(ChartMsg(msgClearImage));
    preview_->Picture()->SetGraphic(shown);
}

void TBrushDialog::LStyleClick(TObject*) {
    if (Brush == nullptr)
        return;
    const int index = style_->ItemIndex();
    if (index < 0)
        return;
    if (index <= LastHatch) {
        Brush->SetStyle(static_cast<TBrushStyle>(index));
        Brush->SetImage(nullptr);
    } else {
        std::unique_ptr<TBitmap> fill = ItemBitmap(index);
        Brush->Image()->SetGraphic(fill.get());
    }
    RefreshPreview();
    RefreshControls();
}

void TBrushDialog::Button1Click(TObject*) {
    if (Brush == nullptr)
        return;
    style_->SetItemIndex(Brush->Style());
    if (image_->Tag() == 1) {
        Brush->SetImage(nullptr);
        Brush->SetBitmap(nullptr);
    } else {
        const std::string file = AskPictureFileName(this);
        if (!file.empty()) {
            TPicture loaded;
            loaded.LoadFromFile(file);
            if (dynamic_cast<const TBitmap*>(loaded.Graphic()) == nullptr) {
                TBitmap flat(loaded.Width(), loaded.Height(), pf24bit);
                flat.Canvas()->Draw(0, 0, loaded.Graphic());
                loaded.SetGraphic(&flat);
            }
            Brush->Image()->Assign(loaded);
        }
    }
    RefreshPreview();
}

void TBrushDialog::CBTranspClick(TObject*) {
    if (Brush == nullptr)
        return;
    if (transparent_->Checked()) {
        Brush->SetBackColor(clNone);
        backColor_->Invalidate();
    }
    transparent_->SetEnabled(!transparent_->Checked());
}

void TBrushDialog::BBackColorClick(TObject*) {
    if (Brush != nullptr)
        RefreshControls();
}

void TBrushDialog::Button3Click(TObject*) {
    if (Brush != nullptr)
        Brush->Assign(backup_.get());
    SetModalResult(mrCancel);
}

void TBrushDialog::FormClose(TObject*, TCloseAction&) {
    if (ModalResult() != mrOk && Brush != nullptr && backup_ != nullptr)
        Brush->Assign(backup_.get());
}

void TBrushDialog::DrawItem(TWinControl*, int index, const TRect& r, TOwnerDrawState) {
    TCanvas* canvas = style_->Canvas();
    canvas->FillRect(r);
    const TColor textColor = canvas->Font()->Color();
    if (index != NoneItem) {
        const TRect sample = Rect(r.Left + 2, r.Top + 2, r.Left + 16, r.Bottom - 2);
        if (index <= LastHatch) {
            canvas->Brush()->SetStyle(static_cast<TBrushStyle>(index));
            canvas->Brush()->SetColor(clBlack);
            canvas->SetBkColor(clWhite);
            canvas->SetBkMode(TRANSPARENT);
            canvas->FillRect(sample);
        } else {
            canvas->StretchDraw(sample, ItemBitmap(index).get());
        }
        canvas->Brush()->SetStyle(bsClear);
        canvas->Font()->SetColor(textColor);
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(r.Left + 20, r.Top + (r.Height() - canvas->TextHeight("Wg")) / 2,
                    style_->Items()->Get(index));
}

bool EditChartBrush(TComponent* control, TChartBrush* brush) {
    TBrushDialog* dialog = CreateEditorDialog<TBrushDialog>(control);
    dialog->Brush = brush;
    TranslateControl(dialog);
    const bool ok = dialog->ShowModal() == mrOk;
    dialog->Free();
    return ok;
}

bool EditFont(TComponent*, TFont* font) {
    TFontDialog dialog(nullptr);
    dialog.SetFont(font);
    if (!dialog.Execute())
        return false;
    font->Assign(dialog.Font());
    return true;
}

std::string AskPictureFileName(TComponent*) {
    TOpenDialog dialog(nullptr);
    dialog.SetFilter(TPicture::GraphicFilter());
    dialog.SetOptions(dialog.Options() + TOpenOptions{ofFileMustExist});
    return dialog.Execute() ? dialog.FileName() : std::string();
}

void LoadOrClearPicture(TComponent* owner, TPicture* picture) {
    if (picture->Graphic() != nullptr) {
        picture->SetGraphic(static_cast<const TGraphic*>(nullptr));
        return;
    }
    const std::string file = AskPictureFileName(owner);
    if (!file.empty())
        picture->LoadFromFile(file);
}
