#include "chart/editors/PointerEditor.h"

#include "chart/core/ChartHost.h"
#include "chart/core/MarksCallout.h"
#include "chart/core/SeriesPointer.h"
#include "chart/draw/ChartBrush.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/editors/BrushDialog.h"
#include "chart/editors/ButtonPen.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/GradientEditor.h"
#include "chart/editors/ShadowEditor.h"
#include "chart/series/CustomSeries.h"
#include "chart/util/ChartUtils.h"
#include "platform/graphics/Canvas.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/Panel.h"
#include "platform/stdctrls/SpinEdit.h"
#include "platform/stdctrls/TrackBar.h"

#include <memory>

namespace {

// Where a style's sample stands in its item, and its half-size.
constexpr int SampleLeft = 6;
constexpr int SampleTop = 8;
constexpr int SampleHalfSize = 4;
constexpr int TextLeft = 14;
constexpr int TextTop = 2;

// Styles drawn with lines only: without a pen they would show nothing.
bool LineOnly(TSeriesPointerStyle style) {
    return style == psCross || style == psDiagCross || style == psStar || style == psSmallDot;
}

// Styles the chart can draw as solids on any canvas; a circle needs a canvas that renders true 3D.
bool Solid3DStyle(TSeriesPointerStyle style) {
    return style == psRectangle || style == psTriangle || style == psDownTriangle;
}

} // namespace

TSeriesPointerEditor::TSeriesPointerEditor(TComponent* owner) : TForm(owner) {}

void TSeriesPointerEditor::DeclareMethods(TMethodTable& m) {
    using E = TSeriesPointerEditor;
    m.Add("FormShow", &E::FormShow);
    m.Add("CBDrawPointClick", &E::CBDrawPointClick);
    m.Add("CB3dPointClick", &E::CB3dPointClick);
    m.Add("CBPoDarkClick", &E::CBPoDarkClick);
    m.Add("CBInflateClick", &E::CBInflateClick);
    m.Add("SEPointHorizSizeChange", &E::SEPointHorizSizeChange);
    m.Add("SEPointVertSizeChange", &E::SEPointVertSizeChange);
    m.Add("CBStyleChange", &E::CBStyleChange);
    m.Add("BPointFillColorClick", &E::BPointFillColorClick);
    m.Add("CBDefBrushColorClick", &E::CBDefBrushColorClick);
    m.Add("BPoinPenColClick", &E::BPoinPenColClick);
    m.Add("BGradientClick", &E::BGradientClick);
    m.Add("Button2Click", &E::Button2Click);
    m.Add("TBTranspChange", &E::TBTranspChange);
    m.Add("CBColorEachClick", &E::CBColorEachClick);
    m.Add("CBIgnoreNullsClick", &E::CBIgnoreNullsClick);
    m.Add("Button1Click", &E::Button1Click);
}

void TSeriesPointerEditor::AfterConstruction() {
    loading_ = true;
    TForm::AfterConstruction();
    visible_ = FormPart<TCheckBox>(this, "CBDrawPoint");
    draw3D_ = FormPart<TCheckBox>(this, "CB3dPoint");
    dark3D_ = FormPart<TCheckBox>(this, "CBPoDark");
    inflate_ = FormPart<TCheckBox>(this, "CBInflate");
    widthLabel_ = FormPart<TLabel>(this, "LHorizSize");
    heightLabel_ = FormPart<TLabel>(this, "LVertSize");
    width_ = FormPart<TSpinEdit>(this, "SEPointHorizSize");
    height_ = FormPart<TSpinEdit>(this, "SEPointVertSize");
    style_ = FormPart<TComboBox>(this, "CBStyle");
    pattern_ = FormPart<TButton>(this, "BPointFillColor");
    defaultColor_ = FormPart<TCheckBox>(this, "CBDefBrushColor");
    border_ = FormPart<TButtonPen>(this, "BPoinPenCol");
    ignoreNulls_ = FormPart<TCheckBox>(this, "CBIgnoreNulls");
    transparency_ = FormPart<TTrackBar>(this, "TBTransp");
    colorEach_ = FormPart<TCheckBox>(this, "CBColorEach");
    bottom_ = FormPart<TPanel>(this, "PanelBottom");
    style_->OnDrawItem = [this](TWinControl* c, int i, const TRect& r, TOwnerDrawState s) {
        DrawStyleItem(c, i, r, s);
    };
    SetAlign(alClient);
    loading_ = false;
}

void TSeriesPointerEditor::SetSubject(TSeriesPointer* pointer) {
    subjectPointer_ = pointer;
    subjectSeries_ = nullptr;
}

void TSeriesPointerEditor::SetSubject(TCustomSeries* series) {
    subjectSeries_ = series;
    subjectPointer_ = nullptr;
}

void TSeriesPointerEditor::FormShow(TObject*) {
    if (subjectPointer_ != nullptr || subjectSeries_ != nullptr)
        LoadSubject();
    TranslateControl(this);
}

// Mirrors the pointer (and the series) into the controls with the handlers held off, so that
// opening the editor changes nothing.
void TSeriesPointerEditor::LoadSubject() {
    loading_ = true;
    series_ = subjectSeries_;
    pointer_ = series_ != nullptr ? series_->Pointer() : subjectPointer_;
    colorEach_->SetVisible(series_ != nullptr);
    colorEach_->SetEnabled(series_ != nullptr);
    ignoreNulls_->SetVisible(series_ != nullptr);
    ignoreNulls_->SetEnabled(series_ != nullptr);
    if (series_ != nullptr) {
        colorEach_->SetChecked(series_->ColorEachPoint());
        ignoreNulls_->SetChecked(series_->TreatNulls() == tnIgnore);
    }
    ApplyVisibility(pointer_->Visible());
    visible_->SetChecked(pointer_->Visible());
    draw3D_->SetChecked(pointer_->Draw3D());
    Check3DAvailable();
    width_->SetValue(pointer_->HorizSize());
    height_->SetValue(pointer_->VertSize());
    style_->SetItemIndex(pointer_->Style());
    inflate_->SetChecked(pointer_->InflateMargins());
    dark3D_->SetChecked(pointer_->Dark3D());
    CheckDefaultColors();
    border_->LinkPen(pointer_->Pen());
    transparency_->SetPosition(pointer_->Transparency());
    ShowControls(pointer_->AllowChangeSize(), {widthLabel_, heightLabel_, width_, height_});
    loading_ = false;
}

void TSeriesPointerEditor::ApplyVisibility(bool visible) {
    if (visible) {
        Check3DAvailable();
    } else {
        draw3D_->SetEnabled(false);
        dark3D_->SetEnabled(false);
    }
    for (TControl* control : std::initializer_list<TControl*>{inflate_, width_, height_, pattern_,
                                                              style_, border_, defaultColor_})
        control->SetEnabled(visible);
}

void TSeriesPointerEditor::Check3DAvailable() {
    bool available = false;
    TChartHost* chart = pointer_ != nullptr ? pointer_->ParentChart() : nullptr;
    if (chart != nullptr && chart->View3D()) {
        const TSeriesPointerStyle style = pointer_->Style();
        TCanvas3D* canvas = chart->ChartCanvas();
        available = Solid3DStyle(style) ||
                    (style == psCircle && canvas != nullptr && canvas->RendersTrue3D());
    }
    draw3D_->SetEnabled(available);
    dark3D_->SetEnabled(available && draw3D_->Checked());
}

// Ticks "Default" when the fill and the border both take the series' colour; when that changes
// the box, its click handler follows as for the user's click.
void TSeriesPointerEditor::CheckDefaultColors() {
    defaultColor_->SetChecked(pointer_->Brush()->Color() == clDefault &&
                              pointer_->Pen()->Color() == clDefault);
}

void TSeriesPointerEditor::CBDrawPointClick(TObject*) {
    if (Guarded())
        return;
    pointer_->SetVisible(visible_->Checked());
    ApplyVisibility(visible_->Checked());
}

void TSeriesPointerEditor::CB3dPointClick(TObject*) {
    if (Guarded())
        return;
    pointer_->SetDraw3D(draw3D_->Checked());
    dark3D_->SetEnabled(draw3D_->Checked());
}

void TSeriesPointerEditor::CBPoDarkClick(TObject*) {
    if (!Guarded())
        pointer_->SetDark3D(dark3D_->Checked());
}

void TSeriesPointerEditor::CBInflateClick(TObject*) {
    if (!Guarded())
        pointer_->SetInflateMargins(inflate_->Checked());
}

void TSeriesPointerEditor::SEPointHorizSizeChange(TObject*) {
    if (!Guarded())
        pointer_->SetHorizSize(width_->Value());
}

void TSeriesPointerEditor::SEPointVertSizeChange(TObject*) {
    if (!Guarded())
        pointer_->SetVertSize(height_->Value());
}

void TSeriesPointerEditor::CBStyleChange(TObject*) {
    if (Guarded() || style_->ItemIndex() < 0)
        return;
    pointer_->SetStyle(static_cast<TSeriesPointerStyle>(style_->ItemIndex()));
    Check3DAvailable();
}

void TSeriesPointerEditor::BPointFillColorClick(TObject*) {
    if (pointer_ == nullptr)
        return;
    EditChartBrush(this, pointer_->Brush());
    CheckDefaultColors();
    style_->Invalidate();
}

void TSeriesPointerEditor::CBDefBrushColorClick(TObject*) {
    if (Guarded())
        return;
    if (defaultColor_->Checked()) {
        pointer_->Brush()->SetColor(clDefault);
        pointer_->Pen()->SetColor(clDefault);
    } else if (pointer_->Pen()->Color() == clDefault) {
        pointer_->Pen()->SetColor(clBlack);
    }
    border_->Invalidate();
    style_->Invalidate();
}

void TSeriesPointerEditor::BPoinPenColClick(TObject*) {
    if (pointer_ == nullptr)
        return;
    CheckDefaultColors();
    style_->Invalidate();
}

void TSeriesPointerEditor::BGradientClick(TObject*) {
    if (pointer_ != nullptr)
        RunGradientEditor(this, pointer_->Gradient(), !pointer_->FullGradient(), false);
}

void TSeriesPointerEditor::Button2Click(TObject*) {
    if (pointer_ != nullptr)
        RunShadowEditor(this, pointer_->Shadow());
}

void TSeriesPointerEditor::TBTranspChange(TObject*) {
    if (!Guarded())
        pointer_->SetTransparency(static_cast<TPlotTransparency>(transparency_->Position()));
}

void TSeriesPointerEditor::CBColorEachClick(TObject*) {
    if (!Guarded() && series_ != nullptr)
        series_->SetColorEachPoint(colorEach_->Checked());
}

void TSeriesPointerEditor::CBIgnoreNullsClick(TObject*) {
    if (!Guarded() && series_ != nullptr)
        series_->SetTreatNulls(ignoreNulls_->Checked() ? tnIgnore : tnDontPaint);
}

void TSeriesPointerEditor::Button1Click(TObject*) {
    Close();
}

// Each style's item: its sample as the pointer draws it (its colours, or the series' colour
// for a default fill) left of the style's name.
void TSeriesPointerEditor::DrawStyleItem(TWinControl*, int index, const TRect& r, TOwnerDrawState) {
    TCanvas* canvas = style_->Canvas();
    const TColor back = canvas->Brush()->Color();
    canvas->FillRect(r);
    if (index < 0)
        return;
    if (pointer_ != nullptr) {
        const auto style = static_cast<TSeriesPointerStyle>(index);
        TColor color = pointer_->Brush()->Color();
        if (color == clDefault && pointer_->Series() != nullptr)
            color = pointer_->Series()->SeriesColor();
        TPlotCanvas3D sample;
        sample.SetBufferedDisplay(false);
        sample.AttachCanvas(canvas);
        pointer_->SetupCanvas(sample, color);
        if (LineOnly(style) && !pointer_->Pen()->Visible()) {
            sample.Pen()->SetStyle(psSolid);
            sample.Pen()->SetWidth(1);
            sample.Pen()->SetColor(color);
        }
        pointer_->DrawMarker(sample, false, r.Left + SampleLeft, r.Top + SampleTop, SampleHalfSize,
                             SampleHalfSize, color, style);
    }
    canvas->Brush()->SetColor(back);
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(r.Left + TextLeft, r.Top + TextTop, style_->Items()->Get(index));
}

bool RunCalloutPointerEditor(TComponent* owner, TCallout* callout) {
    TFreeingPtr<TSeriesPointerEditor> editor(CreateEditorDialog<TSeriesPointerEditor>(owner));
    PositionDialog(editor.get());
    editor->SetCaption("Pointer");
    editor->SetSubject(callout);
    FormPart<TCheckBox>(editor.get(), "CBInflate")->Hide();
    FormPart<TCheckBox>(editor.get(), "CBColorEach")->Hide();
    editor->BottomPanel()->Show();
    TranslateControl(editor.get());
    editor->ShowModal();
    return true;
}
