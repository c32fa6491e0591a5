#pragma once
// The page-number tool's editor: the annotation editor with a "Paging" page for the page
// buttons (shown or not, their width, their fills when usable and not, their outline). It opens
// on that page.

#include "chart/editors/AnnotationToolEdit.h"

class TButtonGradient;
class TPageNumTool;
class TTabSheet;
class TTimer;

class TPageNumToolEdit : public TAnnotationToolEdit {
    Q4_CLASS(TPageNumToolEdit, TAnnotationToolEdit)
public:
    explicit TPageNumToolEdit(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);
    void AfterConstruction() override;

    // The edited tool, when it is a page-number tool.
    TPageNumTool* PageTool() const;

    // The annotation's pages loaded, then the paging page; the timer then brings that page to
    // the front once the showing is over.
    void FormShow(TObject* sender);
    void Timer1Timer(TObject* sender);
    void CBButtonsClick(TObject* sender);
    void EWidthChange(TObject* sender);

private:
    TCheckBox* buttons_ = nullptr;
    TSpinEdit* buttonWidth_ = nullptr;
    TButtonGradient* enabled_ = nullptr;
    TButtonGradient* disabled_ = nullptr;
    TButtonPen* border_ = nullptr;
    TTimer* timer_ = nullptr;
    TTabSheet* paging_ = nullptr;
};
