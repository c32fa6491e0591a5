#pragma once
// Properties and events that the framed containers publish for their form descriptions but that
// this system does not act on: bidirectional reading, the 3-D look flag, dragging and docking.
// They are read, kept and written back like any other property; nothing fires the events.
// `Padding` is acted on: containers keep their aligned children that far inside.

#include "platform/classes/Persistent.h"
#include "platform/classes/Properties.h"
#include "platform/forms/Controls.h"

#include <functional>

Q4_ENUM(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly);
Q4_ENUM(TDragKind, dkDrag, dkDock);
Q4_ENUM(TDragMode, dmManual, dmAutomatic);

using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, int State, bool& Accept)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TObject*& DragObject)>;
using TUnDockEvent =
    std::function<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;
using TGetSiteInfoEvent = std::function<void(TObject* Sender, TControl* DockClient,
                                             TRect& InfluenceRect, TPoint MousePos, bool& CanDock)>;
using TMouseActivateEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y,
                       int HitTest, int& MouseActivate)>;
using TCanResizeEvent =
    std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
using TConstrainedResizeEvent = std::function<void(TObject* Sender, int& MinWidth, int& MinHeight,
                                                   int& MaxWidth, int& MaxHeight)>;

// Space kept free inside a container's client area, per side.
class TFrPadding : public TPersistent {
    Q4_CLASS(TFrPadding, TPersistent)
public:
    TFrPadding() = default;
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Right() const { return right_; }
    int Bottom() const { return bottom_; }
    void SetLeft(int v) { Set(left_, v); }
    void SetTop(int v) { Set(top_, v); }
    void SetRight(int v) { Set(right_, v); }
    void SetBottom(int v) { Set(bottom_, v); }
    // Moves each side of r inwards by its padding.
    void Apply(TRect& r) const;

    TNotifyEvent OnChange;

private:
    void Set(int& field, int value);
    int left_ = 0;
    int top_ = 0;
    int right_ = 0;
    int bottom_ = 0;
};

// The values behind the properties above, held by each container.
struct TFrInertProperties {
    TBiDiMode BiDiMode = bdLeftToRight;
    bool ParentBiDiMode = true;
    bool Ctl3D = true;
    bool ParentCtl3D = true;
    bool DockSite = false;
    bool UseDockManager = true;
    TCursor DragCursor = crDrag;
    TDragKind DragKind = dkDrag;
    TDragMode DragMode = dmManual;
    TContextPopupEvent OnContextPopup;
    TDragDropEvent OnDockDrop;
    TDragOverEvent OnDockOver;
    TDragDropEvent OnDragDrop;
    TDragOverEvent OnDragOver;
    TEndDragEvent OnEndDock;
    TEndDragEvent OnEndDrag;
    TGetSiteInfoEvent OnGetSiteInfo;
    TMouseActivateEvent OnMouseActivate;
    TStartDragEvent OnStartDock;
    TStartDragEvent OnStartDrag;
    TUnDockEvent OnUnDock;
    TCanResizeEvent OnCanResize;
    TConstrainedResizeEvent OnConstrainedResize;
};

// Publishes the fields of `C::inert_` (a TFrInertProperties member). `windowed` adds those only
// windowed containers have (docking site, resize events).
template <class C> void DeclareInertProperties(TPropertyList& p, bool windowed) {
    auto field = [&p](const char* name, auto member) -> TPropInfo& {
        using V = std::decay_t<decltype(std::declval<TFrInertProperties&>().*member)>;
        return p.AddFn<C>(
            name, [member](C* c) -> V { return c->inert_.*member; },
            [member](C* c, V v) { c->inert_.*member = v; });
    };
    field("BiDiMode", &TFrInertProperties::BiDiMode).Default(bdLeftToRight);
    field("ParentBiDiMode", &TFrInertProperties::ParentBiDiMode).Default(true);
    field("DragCursor", &TFrInertProperties::DragCursor).Default(crDrag);
    field("DragKind", &TFrInertProperties::DragKind).Default(dkDrag);
    field("DragMode", &TFrInertProperties::DragMode).Default(dmManual);
    field("OnContextPopup", &TFrInertProperties::OnContextPopup);
    field("OnDragDrop", &TFrInertProperties::OnDragDrop);
    field("OnDragOver", &TFrInertProperties::OnDragOver);
    field("OnEndDock", &TFrInertProperties::OnEndDock);
    field("OnEndDrag", &TFrInertProperties::OnEndDrag);
    field("OnStartDock", &TFrInertProperties::OnStartDock);
    field("OnStartDrag", &TFrInertProperties::OnStartDrag);
    if (!windowed)
        return;
    field("Ctl3D", &TFrInertProperties::Ctl3D).Default(true);
    field("ParentCtl3D", &TFrInertProperties::ParentCtl3D).Default(true);
    field("DockSite", &TFrInertProperties::DockSite).Default(false);
    field("UseDockManager", &TFrInertProperties::UseDockManager).Default(true);
    field("OnDockDrop", &TFrInertProperties::OnDockDrop);
    field("OnDockOver", &TFrInertProperties::OnDockOver);
    field("OnGetSiteInfo", &TFrInertProperties::OnGetSiteInfo);
    field("OnMouseActivate", &TFrInertProperties::OnMouseActivate);
    field("OnUnDock", &TFrInertProperties::OnUnDock);
    field("OnCanResize", &TFrInertProperties::OnCanResize);
    field("OnConstrainedResize", &TFrInertProperties::OnConstrainedResize);
}
