#pragma once
// The annotation tool's editor: text, alignment, mouse shape, visibility and clipping; the box's
// automatic or own place and its units; automatic or fixed size; the callout arrow; the inner
// margins; and the box's look on the shape editor's pages, which move into this editor's page
// control. Every change goes to the tool at once. It fills its parent; the page-number tool's
// editor builds on it.

#include "platform/forms/Forms.h"

class TAnnotationTool;
class TButtonPen;
class TCheckBox;
class TComboBox;
class TEdit;
class TFormPlotShape;
class TMarginsEditor;
class TMemo;
class TPageControl;
class TSpinEdit;

class TAnnotationToolEdit : public TForm {
    Q4_CLASS(TAnnotationToolEdit, TForm)
public:
    explicit TAnnotationToolEdit(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);
    void AfterConstruction() override;

    // The edited tool (not owned); loaded when the editor is shown.
    TAnnotationTool* Tool() const { return tool_; }
    void SetTool(TAnnotationTool* tool) { tool_ = tool; }
    // Fills every control from tool with the handlers held off, so that loading writes nothing.
    void LoadTool(TAnnotationTool* tool);

    TFormPlotShape* ShapeEditor() const { return shapeEditor_; }
    TMarginsEditor* MarginsEditor() const { return marginsEditor_; }
    TPageControl* PageControl1() const { return pages_; }

    void FormShow(TObject* sender);
    void MemoTextChange(TObject* sender);
    void CBTextAlignChange(TObject* sender);
    void CBCursorChange(TObject* sender);
    void CBVisibleClick(TObject* sender);
    void CBClipClick(TObject* sender);
    void Button1Click(TObject* sender);
    void CBPosChange(TObject* sender);
    void CBCustPosClick(TObject* sender);
    void ECustLeftChange(TObject* sender);
    void ECustTopChange(TObject* sender);
    void CBUnitsChange(TObject* sender);
    void CBAutoSizeClick(TObject* sender);
    void ECustWidthChange(TObject* sender);
    void ECustHeightChange(TObject* sender);
    void EXChange(TObject* sender);
    void EYChange(TObject* sender);
    void EZChange(TObject* sender);
    void EArrowDistChange(TObject* sender);
    void CBHeadChange(TObject* sender);
    void Edit1Change(TObject* sender);
    void BCalloutPointerClick(TObject* sender);

protected:
    // Handlers write nothing while the controls are being filled, or without a tool.
    bool Guarded() const { return updating_ || tool_ == nullptr; }
    // Holds the handlers off for a while and puts the flag back as it was.
    class TUpdatingScope {
    public:
        explicit TUpdatingScope(TAnnotationToolEdit& editor)
            : editor_(editor), was_(editor.updating_) {
            editor_.updating_ = true;
        }
        ~TUpdatingScope() { editor_.updating_ = was_; }
        TUpdatingScope(const TUpdatingScope&) = delete;
        TUpdatingScope& operator=(const TUpdatingScope&) = delete;

    private:
        TAnnotationToolEdit& editor_;
        bool was_;
    };

private:
    // The place controls follow whether the place is custom; the size controls whether the box
    // sizes itself.
    void RefreshPosition();
    void RefreshSize();
    void LoadControls();
    void LoadCallout();
    // The form translated, the cursor names excepted (they name cursors, not words).
    void TranslateKeepingCursorNames();

    TAnnotationTool* tool_ = nullptr;
    bool updating_ = true;
    TFormPlotShape* shapeEditor_ = nullptr;
    TMarginsEditor* marginsEditor_ = nullptr;
    TPageControl* pages_ = nullptr;
    TMemo* memo_ = nullptr;
    TComboBox* textAlign_ = nullptr;
    TComboBox* cursor_ = nullptr;
    TCheckBox* visible_ = nullptr;
    TCheckBox* clip_ = nullptr;
    TComboBox* position_ = nullptr;
    TCheckBox* custom_ = nullptr;
    TSpinEdit* left_ = nullptr;
    TSpinEdit* top_ = nullptr;
    TComboBox* units_ = nullptr;
    TCheckBox* autoSize_ = nullptr;
    TSpinEdit* width_ = nullptr;
    TSpinEdit* height_ = nullptr;
    TButtonPen* calloutPen_ = nullptr;
    TEdit* x_ = nullptr;
    TEdit* y_ = nullptr;
    TEdit* z_ = nullptr;
    TSpinEdit* distance_ = nullptr;
    TComboBox* head_ = nullptr;
    TSpinEdit* headSize_ = nullptr;
};
