#pragma once
// The series pointer editor: the symbol drawn at each point of a line or point series (also the
// end of a callout's arrow). Visibility, style, size, 3D look, fill pattern and colour, border
// pen, gradient, shadow and transparency; for a line-type series also the colour-each-point
// switch and the handling of null points. Every edit goes to the pointer or the series at once;
// there is nothing to cancel. Embedded in a series page, or run as the small "Pointer" dialog.

#include "platform/forms/Forms.h"
#include "platform/stdctrls/OwnerDraw.h"

class TButton;
class TButtonPen;
class TCallout;
class TCheckBox;
class TComboBox;
class TCustomSeries;
class TLabel;
class TPanel;
class TSeriesPointer;
class TSpinEdit;
class TTrackBar;

class TSeriesPointerEditor : public TForm {
    Q4_CLASS(TSeriesPointerEditor, TForm)
public:
    explicit TSeriesPointerEditor(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);
    void AfterConstruction() override;

    // What the editor is opened for: a pointer of its own, or a line-type series whose pointer
    // is edited together with its colour-each and null settings. Loaded when shown.
    void SetSubject(TSeriesPointer* pointer);
    void SetSubject(TCustomSeries* series);

    // The pointer edited (not owned); null until shown with a subject.
    TSeriesPointer* Pointer() const { return pointer_; }
    // The series edited, null for a pointer of its own.
    TCustomSeries* Series() const { return series_; }

    // The hidden panel at the bottom with its "Close" button (the dialog shows it).
    TPanel* BottomPanel() const { return bottom_; }

    void FormShow(TObject* sender);
    void CBDrawPointClick(TObject* sender);
    void CB3dPointClick(TObject* sender);
    void CBPoDarkClick(TObject* sender);
    void CBInflateClick(TObject* sender);
    void SEPointHorizSizeChange(TObject* sender);
    void SEPointVertSizeChange(TObject* sender);
    void CBStyleChange(TObject* sender);
    void BPointFillColorClick(TObject* sender);
    void CBDefBrushColorClick(TObject* sender);
    void BPoinPenColClick(TObject* sender);
    void BGradientClick(TObject* sender);
    void Button2Click(TObject* sender);
    void TBTranspChange(TObject* sender);
    void CBColorEachClick(TObject* sender);
    void CBIgnoreNullsClick(TObject* sender);
    void Button1Click(TObject* sender);

private:
    bool Guarded() const { return loading_ || pointer_ == nullptr; }
    void LoadSubject();
    void ApplyVisibility(bool visible);
    void Check3DAvailable();
    void CheckDefaultColors();
    void DrawStyleItem(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state);

    TSeriesPointer* subjectPointer_ = nullptr;
    TCustomSeries* subjectSeries_ = nullptr;
    TSeriesPointer* pointer_ = nullptr;
    TCustomSeries* series_ = nullptr;
    bool loading_ = false;

    TCheckBox* visible_ = nullptr;
    TCheckBox* draw3D_ = nullptr;
    TCheckBox* dark3D_ = nullptr;
    TCheckBox* inflate_ = nullptr;
    TLabel* widthLabel_ = nullptr;
    TLabel* heightLabel_ = nullptr;
    TSpinEdit* width_ = nullptr;
    TSpinEdit* height_ = nullptr;
    TComboBox* style_ = nullptr;
    TButton* pattern_ = nullptr;
    TCheckBox* defaultColor_ = nullptr;
    TButtonPen* border_ = nullptr;
    TCheckBox* ignoreNulls_ = nullptr;
    TTrackBar* transparency_ = nullptr;
    TCheckBox* colorEach_ = nullptr;
    TPanel* bottom_ = nullptr;
};

// Runs the editor as the "Pointer" dialog on a callout's end pointer, without the margins and
// colour-each switches and with its "Close" button shown. Answers true.
bool RunCalloutPointerEditor(TComponent* owner, TCallout* callout);
