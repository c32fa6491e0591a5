#pragma once
// Controls: TControl (position, alignment, visibility, colour, font, text, mouse and keys),
// TWinControl (a control backed by a Qt widget that holds other controls), TCustomControl (a
// windowed control that paints itself through a canvas) and TGraphicControl (a control without a
// widget, painted by its parent).
//
// Every notification reaches a control as a numbered message through WndProc (Messages.h). The
// Qt widget of a windowed control forwards its events through TWidgetLink (WidgetBridge.h); the
// handlers of a control's users are plain std::function members (OnClick, OnMouseDown, ...).
// An exception that escapes a handler while an event is dispatched goes to
// Application->HandleException and never unwinds through Qt.

#include "platform/classes/Component.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Properties.h"
#include "platform/forms/Messages.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Cursors.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Types.h"
#include "platform/rtl/Events.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QEvent;
class QImage;
class QWidget;
class TWinControl;
class TCustomForm;
class TPopupMenu;

Q4_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom);
Q4_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom);
using TAnchors = TSet<TAnchorKind>;
Q4_ENUM(TShiftStateItem, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble);
using TShiftState = TSet<TShiftStateItem>;
Q4_ENUM(TMouseButton, mbLeft, mbRight, mbMiddle);

// Behaviour flags of a control class.
Q4_ENUM(TControlStyleItem, csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents,
        csFramed, csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight,
        csNoDesignVisible, csReplicatable, csNoStdEvents, csDisplayDragImage, csReflector,
        csActionClient, csMenuEvents, csParentBackground);
using TControlStyle = TSet<TControlStyleItem>;

// Run-time state flags of a control.
Q4_ENUM(TControlStateItem, csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded,
        csFocusing, csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking);
using TControlState = TSet<TControlStateItem>;

using TKeyCode = unsigned short;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, TKeyCode& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char16_t& Key)>;

// The shift state of a mouse message's WParam.
TShiftState ShiftStateFromMouseFlags(WPARAM flags);
WPARAM MouseFlagsFromShiftState(TShiftState shift);

// The short part of a hint ("short|long" gives "short") and the long part.
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);

// Minimum and maximum width and height of a control; 0 means no limit.
class TSizeConstraints : public TPersistent {
    Q4_CLASS(TSizeConstraints, TPersistent)
public:
    TSizeConstraints() = default;
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;

    int MinWidth() const { return minWidth_; }
    int MinHeight() const { return minHeight_; }
    int MaxWidth() const { return maxWidth_; }
    int MaxHeight() const { return maxHeight_; }
    void SetMinWidth(int v);
    void SetMinHeight(int v);
    void SetMaxWidth(int v);
    void SetMaxHeight(int v);
    // Applies the limits to a width and a height.
    void Constrain(int& width, int& height) const;

    TNotifyEvent OnChange;

private:
    void Changed();
    int minWidth_ = 0;
    int minHeight_ = 0;
    int maxWidth_ = 0;
    int maxHeight_ = 0;
};

class TControl : public TComponent {
    Q4_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    static void DeclareProperties(TPropertyList& p);

    // ---- parent and position ------------------------------------------------------------------
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    // Moves and sizes the control (within its constraints) and realigns what depends on it.
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    // The area children are placed in, in the control's own coordinates.
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int v);
    void SetClientHeight(int v);
    virtual void SetClientSize(int width, int height);
    // Where the client area starts, in the coordinates of the top-level window.
    TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors);
    TSizeConstraints* Constraints() const { return constraints_.get(); }
    void SetConstraints(TSizeConstraints* value) { constraints_->Assign(value); }
    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool value);
    // The size AutoSize gives; false when the control has no natural size.
    virtual bool CanAutoSize(int& newWidth, int& newHeight);

    // ---- appearance -----------------------------------------------------------------------------
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent up to a shown form visible.
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* value) { font_->Assign(value); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    // Caption and Text are one string (a control shows one or the other).
    virtual std::string GetText() const { return text_; }
    void SetText(const std::string& value);
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& value) { SetText(value); }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle s) { controlStyle_ = s; }
    TControlState ControlState() const { return controlState_; }

    // Asks for a repaint (of the parent's area, for a graphic control).
    virtual void Invalidate();
    // Paints at once what is invalid.
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }
    // Z-order among the parent's controls. Windowed controls always stay above graphic ones.
    void BringToFront();
    void SendToBack();

    // ---- messages and events ------------------------------------------------------------------
    // Sends a message to the control and returns its Result.
    LRESULT Perform(unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // Every message arrives here. The default handles the messages of a control in general.
    virtual void WndProc(TMessage& message);
    // What to do with a message no class handled.
    virtual void DefaultHandler(TMessage& message);

    // Runs OnClick, whether the control is enabled or not.
    virtual void Click();
    virtual void DblClick();
    // Whether a graphic control receives every mouse message of its parent (set while its
    // left button is down). Windowed controls hold the mouse through Qt's own grab.
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;
    // One whole notch of the wheel turned towards the user (down) or away from the user (up).
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

    // The form the control sits on (the top of its parent chain), or null.
    TCustomForm* GetParentForm() const;

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    friend class TWinControl;
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // OnMouseWheel; a turn it leaves unhandled goes on as whole notches (WHEEL_DELTA each, parts
    // of a notch added up) to DoMouseWheelDown or DoMouseWheelUp. mousePos is in screen
    // coordinates.
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual bool DoMouseWheelDown(TShiftState shift, TPoint mousePos);
    virtual bool DoMouseWheelUp(TShiftState shift, TPoint mousePos);
    virtual void Resize();
    // Sets the text itself (after the caller checked that it changes).
    virtual void DoSetText(const std::string& value) { text_ = value; }
    // The parent moved the control through alignment or anchors: no new anchor rules.
    void SetBoundsByParent(int left, int top, int width, int height);
    // The widget (or the parent's area) follows the new bounds.
    virtual void BoundsChanged();
    virtual void VisibleChanging() {}
    // Changes the widget when a property changes; no-op for a control without one.
    virtual void UpdateWidgetState() {}
    void RequestAlign();
    void AdjustSize();
    void UpdateAnchorRules();
    void SetControlState(TControlStateItem item, bool on) {
        on ? controlState_.Include(item) : controlState_.Exclude(item);
    }
    bool InLoading() const { return ComponentState().Contains(csLoading); }
    bool InDestruction() const { return ComponentState().Contains(csDestroying); }

    TControlStyle controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    // Expires with the control: code that calls handlers checks it before going on.
    std::shared_ptr<int> lifeToken_ = std::make_shared<int>(0);

private:
    bool IsCaptionStored() const { return controlStyle_.Contains(csSetCaption); }
    bool IsColorStored() const { return !parentColor_; }
    bool IsFontStored() const { return !parentFont_; }
    bool IsShowHintStored() const { return !parentShowHint_; }
    void FontChanged();
    void HandleMouseButton(TMessage& m, TMouseButton button, bool down, bool dbl);
    // The whole notches a wheel delta completes, each to DoMouseWheelDown or DoMouseWheelUp;
    // answers the last one's result (false when none completes).
    bool DoWheelNotches(TShiftState shift, int wheelDelta, TPoint mousePos);
    bool EffectiveShowHint() const;

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = alNone;
    TAnchors anchors_{akLeft, akTop};
    std::unique_ptr<TSizeConstraints> constraints_;
    bool autoSize_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = true;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool settingParentFont_ = false;
    std::string text_;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TPopupMenu* popupMenu_ = nullptr;
    TCursor cursor_ = crDefault;
    TControlState controlState_;
    // What the wheel turned short of a whole notch, in the last direction.
    int wheelRest_ = 0;
    // The position and the parent's client size when the anchors were last taken.
    struct AnchorRules {
        int left = 0, top = 0, width = 0, height = 0, parentWidth = 0, parentHeight = 0;
        bool valid = false;
    } anchorRules_;
};

class TWinControl : public TControl {
    Q4_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    static void DeclareProperties(TPropertyList& p);

    // ---- the widget ---------------------------------------------------------------------------
    // The control's Qt widget, created on first use through CreateWidget.
    QWidget* Handle();
    bool HandleAllocated() const { return widget_ != nullptr; }
    void HandleNeeded() { Handle(); }
    // The widget's parent for the widgets of child controls (the widget itself by default).
    virtual QWidget* ChildHost();

    // ---- children -----------------------------------------------------------------------------
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;
    bool ContainsControl(const TControl* control) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // The enabled, visible child under a point of the client area, or null. Windowed children
    // are found before graphic ones (they lie above them).
    TControl* ControlAtPos(TPoint p, bool allowDisabled = false,
                           bool allowWinControls = false) const;
    // Sends the message to every child until one sets a nonzero Result.
    void Broadcast(TMessage& message);
    void NotifyControls(unsigned msg);
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;

    // ---- alignment ----------------------------------------------------------------------------
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();
    void Realign();
    // Realigns after changed moved or changed its alignment: it keeps its place among equals.
    void AlignFor(TControl* changed);
    // Call after the border (what WM_NCCALCSIZE answers) changed: children move and realign.
    void FrameChanged();
    // Places the aligned children in rect (the client area less what is already taken).
    virtual void AlignControls(TControl* changed, TRect& rect);
    bool CanAutoSize(int& newWidth, int& newHeight) override;

    // ---- focus and keys -----------------------------------------------------------------------
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    int TabOrder() const;
    void SetTabOrder(int order);
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();
    // The next control in the tab order after current (within this one), or null.
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                 bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    // The windowed children in tab order.
    const std::vector<TWinControl*>& TabList() const { return tabList_; }

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    void WndProc(TMessage& message) override;
    void Invalidate() override;
    // Asks for a repaint of part of the client area only (WindowRegion.cpp).
    void InvalidateRect(const TRect& r);
    // The window's shape: only the region's pixels show (null: the whole rectangle). The region
    // is in the window's own coordinates; the window is repainted (WindowRegion.cpp).
    void SetWindowRegion(const TRegion* region);
    // A copy of the window's shape; false when it has none.
    bool GetWindowRegion(TRegion& region) const;
    void Update() override;
    void Loaded() override;
    TRect ClientRect() const override;
    bool Showing() const override;

    // Paints the widget: non-client area, background, the control itself, then its graphic
    // children, into a back buffer that is then shown. Called by the widget bridge.
    void PaintWindowTo(QWidget* widget, const TRect& area);
    // Routes a Qt event of the widget to the control's messages; true when it was consumed.
    virtual bool HandleWidgetEvent(QWidget* widget, QEvent* event);
    // Whether the control paints its whole widget through the back buffer. Controls over a Qt
    // widget that draws itself answer false; their graphic children are drawn over it.
    virtual bool PaintsOwnWidget() const { return true; }
    // Places a child's widget after its bounds or the order changed.
    void PlaceChildWidget(TWinControl* child);
    // The keyboard handlers: KeyPreview of the form first, then the control's.
    bool DoKeyDown(TKeyCode& key, TShiftState shift);
    bool DoKeyUp(TKeyCode& key, TShiftState shift);
    bool DoKeyPress(char16_t& key);

protected:
    friend class TControl;
    // Makes the widget; the default is a plain bridge widget.
    virtual QWidget* CreateWidget();
    // Applies the control's state (bounds, visibility, font, colour, text) to a new widget.
    virtual void InitializeWidget(QWidget* widget);
    void BoundsChanged() override;
    void UpdateWidgetState() override;
    virtual void KeyDown(TKeyCode& key, TShiftState shift);
    virtual void KeyUp(TKeyCode& key, TShiftState shift);
    virtual void KeyPress(char16_t& key);
    virtual void DoEnter();
    virtual void DoExit();
    // Draws the control on a canvas whose origin is the client area's top-left corner.
    virtual void PaintWindow(TCanvas* canvas);
    // Runs paint with own (the control's canvas) drawing on surface's image in client
    // coordinates, clipped to the client area.
    void PaintOwnCanvas(TCanvas* surface, TCanvas& own, const std::function<void()>& paint);
    // The non-client border: how far the client area lies inside each edge. The default answer
    // to WM_NCCALCSIZE (LParam: the TRect to shrink) applies it; WM_NCPAINT (WParam: a canvas
    // over the whole widget) paints it.
    virtual TRect NonClientMargins() const { return TRect{}; }
    void ApplyTabOrder();
    void RestackWidgets();

private:
    // Paints the graphic children onto surface, canvas's image, at origin.
    void PaintControls(TCanvas* canvas, QImage& surface, TPoint origin);
    void AlignList(TAlign align, TRect& rect, TControl* changed);
    void AnchorChildren();
    TControl* RouteMouseTarget(TPoint p) const;
    // True when the control took the mouse message (a nonzero Result): the widget does not see it.
    bool DispatchMouse(QEvent* event, QWidget* widget);
    // One method per widget event; consumed is set as soon as the event is used up.
    void RouteWidgetEvent(QWidget* widget, QEvent* event, const std::weak_ptr<int>& alive,
                          bool& consumed);
    bool WidgetWheel(QEvent* event);
    void WidgetKeyPress(QEvent* event, const std::weak_ptr<int>& alive, bool& consumed);
    bool WidgetKeyDown(TKeyCode& key, TShiftState shift, const std::weak_ptr<int>& alive,
                       bool& consumed);
    bool WidgetKeyRelease(QEvent* event);
    bool IsDialogChar(TKeyCode key, TShiftState shift);
    void WidgetGeometry(QWidget* widget);
    bool WidgetToolTip(QWidget* widget, QEvent* event);
    bool WidgetContextMenu(QEvent* event);
    void SetHovered(TControl* control);
    void FillTabList(std::vector<TWinControl*>& list) const;

    QWidget* widget_ = nullptr;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    bool tabStop_ = false;
    int alignDisabled_ = 0;
    bool aligning_ = false;
    bool realignPending_ = false;
    std::unique_ptr<QImage> backBuffer_; // the window as last painted
    std::unique_ptr<TRegion> windowRegion_;
    TControl* captureControl_ = nullptr;
    TControl* hoverControl_ = nullptr;
    bool hoverSelf_ = false;
    TRect lastClient_;
};

// A windowed control that paints itself: override Paint and draw on Canvas.
class TCustomControl : public TWinControl {
    Q4_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    TCanvas* Canvas() { return &canvas_; }

protected:
    virtual void Paint() {}
    void PaintWindow(TCanvas* canvas) override;

private:
    TCanvas canvas_;
};

// A control without a widget: its parent paints it (below the parent's windowed children) and
// passes it the mouse messages over its area.
class TGraphicControl : public TControl {
    Q4_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    TCanvas* Canvas() { return &canvas_; }

protected:
    virtual void Paint() {}

private:
    friend class TWinControl;
    // Paints the control on surface, whose pixel (origin) is the control's top-left corner.
    void PaintOn(QImage& surface, TPoint origin, const TRect& clip);

    TCanvas canvas_;
};

// Runs fn; an exception that escapes it goes to Application->HandleException(sender). Every
// place that calls a handler from Qt's event loop goes through here.
void SafeCall(TObject* sender, const std::function<void()>& fn);

// The virtual-key code of a Qt key, and the shift state of Qt modifiers.
TKeyCode VirtualKeyFromQt(int qtKey);
int QtKeyFromVirtualKey(TKeyCode key);
TShiftState ShiftStateFromQt(unsigned modifiers, unsigned buttons = 0);

// The control a widget stands for, or null.
TWinControl* FindControl(QWidget* widget);
