#include "controls/splitter/FrSplitter.h"

#include "controls/splitter/FrDragOutline.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Writer.h"
#include "platform/forms/Forms.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Splitters of the program being read from descriptions: while any is, none aligns its children.
int loadingSplitters = 0;

struct LoadingGuard {
    LoadingGuard() { ++loadingSplitters; }
    ~LoadingGuard() { --loadingSplitters; }
    LoadingGuard(const LoadingGuard&) = delete;
    LoadingGuard& operator=(const LoadingGuard&) = delete;
};

// Rounds to the nearest whole number, halves to the even one, and keeps it inside int.
int RoundClamped(double v) {
    if (std::isnan(v))
        return 0;
    v = std::nearbyint(v);
    if (v >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (v <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(v);
}

int FrameThickness(TFrameStyleEx style, int bevelWidth) {
    switch (style) {
    case fsFlat:
        return 1;
    case fsStatus:
    case fsPopup:
        return bevelWidth;
    case fsGroove:
    case fsBump:
    case fsLowered:
    case fsButtonDown:
    case fsRaised:
    case fsButtonUp:
        return 2;
    default:
        return 0;
    }
}

} // namespace

TFrSplitter::TFrSplitter(TComponent* owner) : TFrCustomPanel(owner) {
    SetBorderOuter(fsNone);
    SetControlStyle(ControlStyle() + TControlStyle{csCaptureMouse, csOpaque});
    SetBounds(Left(), Top(), 200, 100);
    for (int i = 0; i < 2; ++i) {
        panes_[i] = new TFrSplitterPane(this);
        panes_[i]->SetParent(this);
        paneData_[i] = std::make_unique<TFrPaneData>(panes_[i]);
    }
    // The panes' docking events reach the splitter's, with the splitter as sender.
    auto forward = [this](TFrSplitterPane* pane, TGetSiteInfoEvent& site, TDragOverEvent& over,
                          TDragDropEvent& drop, TUnDockEvent& undock) {
        pane->inert_.OnGetSiteInfo = [this, &site](TObject*, TControl* c, TRect& r, TPoint p,
                                                   bool& can) {
            if (site)
                site(this, c, r, p, can);
        };
        pane->inert_.OnDockOver = [this, &over](TObject*, TObject* s, int x, int y, int st,
                                                bool& accept) {
            if (over)
                over(this, s, x, y, st, accept);
        };
        pane->inert_.OnDockDrop = [this, &drop](TObject*, TObject* s, int x, int y) {
            if (drop)
                drop(this, s, x, y);
        };
        pane->inert_.OnUnDock = [this, &undock](TObject*, TControl* c, TWinControl* t,
                                                bool& allow) {
            if (undock)
                undock(this, c, t, allow);
        };
    };
    forward(panes_[0], OnULGetSiteInfo, OnULDockOver, OnULDockDrop, OnULUnDock);
    forward(panes_[1], OnLRGetSiteInfo, OnLRDockOver, OnLRDockDrop, OnLRUnDock);
    static const bool registered = [] {
        RegisterClasses<TFrSplitterPane>();
        return true;
    }();
    (void)registered;
    LayoutPanes();
}

TFrSplitter::~TFrSplitter() = default;

void TFrSplitter::DeclareProperties(TPropertyList& p) {
    using C = TFrSplitter;
    p.Add("Orientation", &C::Orientation, &C::SetOrientation).Default(orHorizontal);
    p.Add("Position", &C::Position, &C::SetPosition);
    p.Add("Percent", &C::Percent, &C::SetPercent).Default(50);
    p.Add("PercentMin", &C::PercentMin, &C::SetPercentMin).Default(0);
    p.Add("PercentMax", &C::PercentMax, &C::SetPercentMax).Default(100);
    p.Add("UsePercent", &C::UsePercent, &C::SetUsePercent).Default(false);
    p.Add("MarginMin", &C::MarginMin, &C::SetMarginMin).Default(0);
    p.Add("MarginMax", &C::MarginMax, &C::SetMarginMax).Default(0);
    p.Add("FixedPane", &C::FixedPane, &C::SetFixedPane).Default(fpUpperLeft);
    p.Add("SplitterWidth", &C::SplitterWidth, &C::SetSplitterWidth).Default(4);
    p.Add("SplitterStyle", &C::SplitterStyle, &C::SetSplitterStyle).Default(ssStandard);
    p.Add("RealTimeDrag", &C::RealTimeDrag, &C::SetRealTimeDrag).Default(false);
    p.Add("LockBar", &C::LockBar, &C::SetLockBar).Default(false);
    p.Add("SelectedPane", &C::SelectedPane, &C::SetSelectedPane).Stored(false);
    p.Add("UpperLeft", &C::UpperLeft, &C::SetUpperLeft);
    p.Add("LowerRight", &C::LowerRight, &C::SetLowerRight);
    p.Add("HotSpotVisible", &C::HotSpotVisible, &C::SetHotSpotVisible).Default(false);
    p.Add("HotSpotColor", &C::HotSpotColor, &C::SetHotSpotColor, TColorTypeInfo())
        .Default(clBtnFace);
    p.Add("HotSpotDotColor", &C::HotSpotDotColor, &C::SetHotSpotDotColor, TColorTypeInfo())
        .Default(clHighlight);
    p.Add("HotSpotFrameColor", &C::HotSpotFrameColor, &C::SetHotSpotFrameColor, TColorTypeInfo())
        .Default(clBtnShadow);
    p.Add("HotSpotHighlight", &C::HotSpotHighlight, &C::SetHotSpotHighlight, TColorTypeInfo())
        .Default(clWindow);
    p.Add("HotSpotIgnoreMargins", &C::HotSpotIgnoreMargins, &C::SetHotSpotIgnoreMargins)
        .Default(true);
    p.Add("HotSpotDirection", &C::HotSpotDirection, &C::SetHotSpotDirection).Default(hsdMin);
    p.Add("HotSpotSizePercent", &C::HotSpotSizePercent, &C::SetHotSpotSizePercent).Default(40);
    p.Add("GradientColorAdjustment", &C::GradientColorAdjustment, &C::SetGradientColorAdjustment)
        .Default(30);
    p.Add("GradientPath", &C::GradientPath, &C::SetGradientPath).Default(gpTopToBottom);
    p.Add("BorderInner", &C::BorderInner, &C::SetBorderInnerAndLayout).Default(fsNone);
    p.Add("BorderOuter", &C::BorderOuter, &C::SetBorderOuterAndLayout).Default(fsNone);
    p.Add("BorderSides", &C::BorderSides, &C::SetBorderSidesAndLayout).Default(AllSides);
    p.Add("BorderWidth", &C::BorderWidth, &C::SetBorderWidthAndLayout).Default(0);
    p.Add("ParentColor", &C::ParentColor, &C::SetParentColorAll).Default(false);
    p.Add("Transparent", &C::Transparent, &C::SetTransparentAll).Default(false);
    p.Add("OnChange", &C::OnChange);
    p.Add("OnChanging", &C::OnChanging);
    p.Add("OnHotSpotClick", &C::OnHotSpotClick);
    p.Add("OnULGetSiteInfo", &C::OnULGetSiteInfo);
    p.Add("OnULDockOver", &C::OnULDockOver);
    p.Add("OnULDockDrop", &C::OnULDockDrop);
    p.Add("OnULUnDock", &C::OnULUnDock);
    p.Add("OnLRGetSiteInfo", &C::OnLRGetSiteInfo);
    p.Add("OnLRDockOver", &C::OnLRDockOver);
    p.Add("OnLRDockDrop", &C::OnLRDockDrop);
    p.Add("OnLRUnDock", &C::OnLRUnDock);
}

// ---- sizes --------------------------------------------------------------------------------------

int TFrSplitter::Size() const {
    return orientation_ == orVertical ? Height() : Width();
}

int TFrSplitter::BorderThickness() const {
    int t = BorderWidth();
    for (TFrameStyleEx style : {BorderOuter(), BorderInner()}) {
        const int w = FrameThickness(style, BevelWidth());
        if (BorderSides().Contains(sdLeft))
            t += w;
        if (BorderSides().Contains(sdTop))
            t += w;
    }
    return t;
}

TRect TFrSplitter::PaneArea() const {
    TRect r = ShrinkByBorders(Rect(0, 0, Width(), Height()), true);
    r.Right = std::max(r.Left, r.Right);
    r.Bottom = std::max(r.Top, r.Bottom);
    return r;
}

bool TFrSplitter::BothPanesVisible() const {
    return panes_[0]->Visible() && panes_[1]->Visible();
}

int TFrSplitter::CheckPosition(int64_t v) const {
    if (BothPanesVisible()) {
        const bool ignore = hotSpotClosed_ && hotSpotIgnoreMargins_;
        const int64_t low = ignore ? 0 : marginMin_;
        const int64_t high = static_cast<int64_t>(Size()) - (ignore ? 0 : marginMax_) -
                             splitterWidth_ - 2 * static_cast<int64_t>(BorderThickness());
        if (v < low)
            v = low;
        if (v > high)
            v = high;
    }
    return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
}

int TFrSplitter::PercentOf(int position) const {
    const int s = Size() - splitterWidth_ / 2;
    if (s == 0)
        return 0;
    return RoundClamped(static_cast<double>(position) / s * 100.0);
}

int TFrSplitter::PositionOfPercent(int percent) const {
    return RoundClamped(percent / 100.0 * (Size() - splitterWidth_ / 2));
}

void TFrSplitter::MarginsFromPercent() {
    const int s = Size() - splitterWidth_ / 2;
    marginMin_ = std::max(0, RoundClamped(percentMin_ / 100.0 * s));
    marginMax_ = std::max(0, s - RoundClamped(percentMax_ / 100.0 * s));
}

int TFrSplitter::ManualPositionOf(int position) const {
    return fixedPane_ == fpLowerRight ? Size() - position : position;
}

// ---- setters ------------------------------------------------------------------------------------

void TFrSplitter::ChangePosition(int64_t v) {
    if (InLoading()) {
        position_ = static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
        return;
    }
    if (v == position_ && !resizing_)
        return;
    const int checked = CheckPosition(v);
    bool allow = true;
    if (OnChanging)
        OnChanging(this, checked, allow);
    if (!allow)
        return;
    position_ = checked;
    percent_ = PercentOf(checked);
    LayoutPanes();
    fixedSize_ = fixedPane_ == fpLowerRight ? Size() - position_ : position_;
    if (OnChange)
        OnChange(this);
}

void TFrSplitter::SetPositionAndRemember(int v) {
    if (v != position_)
        SetPosition(v);
    manualPosition_ = ManualPositionOf(position_);
}

void TFrSplitter::SetPercent(int v) {
    if (v == percent_)
        return;
    percent_ = v;
    if (InLoading())
        return;
    usePercent_ = true;
    SetPosition(PositionOfPercent(v));
}

void TFrSplitter::SetPercentMin(int v) {
    percentMin_ = std::max(v, 0);
    if (usePercent_ && !InLoading())
        MarginsFromPercent();
}

void TFrSplitter::SetPercentMax(int v) {
    percentMax_ = std::min(v, 100);
    if (usePercent_ && !InLoading())
        MarginsFromPercent();
}

void TFrSplitter::SetUsePercent(bool v) {
    if (v == usePercent_)
        return;
    usePercent_ = v;
    if (v) {
        fixedPane_ = fpUpperLeft;
        if (!InLoading())
            MarginsFromPercent();
    }
    const bool saved = resizing_;
    resizing_ = true; // the same position again still goes through the check
    SetPosition(position_);
    resizing_ = saved;
}

void TFrSplitter::SetMarginMin(int v) {
    marginMin_ = std::max(v, 0);
    if (!InLoading() && marginMin_ + marginMax_ > Size())
        marginMin_ = std::max(0, Size() - marginMax_);
}

void TFrSplitter::SetMarginMax(int v) {
    marginMax_ = std::max(v, 0);
    if (!InLoading() && marginMin_ + marginMax_ > Size())
        marginMax_ = std::max(0, Size() - marginMin_);
}

void TFrSplitter::SetFixedPane(TFixedPane v) {
    if (v == fixedPane_)
        return;
    fixedPane_ = v;
    if (v == fpLowerRight)
        usePercent_ = false;
    manualPosition_ = ManualPositionOf(position_);
    fixedSize_ = v == fpLowerRight ? Size() - position_ : position_;
}

void TFrSplitter::SetOrientation(TOrientation v) {
    if (v == orientation_)
        return;
    orientation_ = v;
    if (InLoading())
        return;
    if (usePercent_) {
        SetPosition(PositionOfPercent(percent_));
        MarginsFromPercent();
    } else {
        LayoutPanes();
    }
    Invalidate();
}

void TFrSplitter::SetSplitterWidth(int v) {
    v = std::clamp(v, 0, 0xFFFF);
    if (v == splitterWidth_)
        return;
    splitterWidth_ = v;
    LayoutPanes();
    Invalidate();
}

void TFrSplitter::SetSplitterStyle(TSplitterStyle v) {
    if (v == splitterStyle_)
        return;
    splitterStyle_ = v;
    if (v != ssStandard && splitterWidth_ < 6)
        SetSplitterWidth(6);
    Invalidate();
}

void TFrSplitter::SetGradientColorAdjustment(int v) {
    Change(gradientColorAdjustment_, v);
}

void TFrSplitter::SetGradientPath(TFrGroupBarGradientPath v) {
    Change(gradientPath_, v);
}

void TFrSplitter::SetHotSpotVisible(bool v) {
    if (v == hotSpotVisible_)
        return;
    hotSpotVisible_ = v;
    if (v && splitterWidth_ < 7)
        SetSplitterWidth(7);
    Invalidate();
}

void TFrSplitter::SetHotSpotSizePercent(int v) {
    if (v == hotSpotSizePercent_)
        return;
    hotSpotSizePercent_ = v;
    UpdateHotSpotRect();
    Invalidate();
}

void TFrSplitter::SetParentColorAll(bool v) {
    SetParentColor(v);
    for (TFrSplitterPane* pane : panes_)
        pane->SetParentColor(v);
}

void TFrSplitter::SetTransparentAll(bool v) {
    SetTransparent(v);
    for (TFrSplitterPane* pane : panes_)
        pane->SetTransparent(v);
}

// Sets a border property through its own setter and, when it changed, lays the panes out.
template <class T, class P>
static void ChangeBorder(TFrSplitter* s, T (P::*get)() const, void (P::*set)(T), T v) {
    if (v == (s->*get)())
        return;
    (s->*set)(v);
    s->LayoutPanes();
}

void TFrSplitter::SetBorderOuterAndLayout(TFrameStyleEx v) {
    ChangeBorder(this, &TFrCustomPanel::BorderOuter, &TFrCustomPanel::SetBorderOuter, v);
}
void TFrSplitter::SetBorderInnerAndLayout(TFrameStyleEx v) {
    ChangeBorder(this, &TFrCustomPanel::BorderInner, &TFrCustomPanel::SetBorderInner, v);
}
void TFrSplitter::SetBorderSidesAndLayout(TSides v) {
    ChangeBorder(this, &TFrCustomPanel::BorderSides, &TFrCustomPanel::SetBorderSides, v);
}
void TFrSplitter::SetBorderWidthAndLayout(int v) {
    ChangeBorder(this, &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth, v);
}

// ---- layout -------------------------------------------------------------------------------------

void TFrSplitter::PaneVisibilityChanged() {
    if (InLoading())
        return;
    // A pane that shows again brings the margins back: a position kept while the check was off
    // (the far end of a hot spot closed towards the maximum) is checked now.
    if (BothPanesVisible()) {
        const bool saved = resizing_;
        resizing_ = true;
        SetPosition(position_);
        resizing_ = saved;
    }
    LayoutPanes();
}

void TFrSplitter::LayoutPanes() {
    if (InLoading() || panes_[1] == nullptr)
        return;
    DisableAlign();
    struct Resume {
        TFrSplitter* s;
        ~Resume() { s->EnableAlign(); }
    } resume{this};
    const TRect c = PaneArea();
    const int w = c.Width(), h = c.Height();
    const bool show1 = panes_[0]->Visible(), show2 = panes_[1]->Visible();
    const bool vertical = orientation_ == orVertical;
    const int extent = vertical ? h : w;
    // Pane extents never turn negative, nor pass the client area.
    const int first = std::clamp(position_, 0, extent);
    const int bar = std::clamp(splitterWidth_, 0, extent - first);
    const int second = std::max(0, extent - first - bar);
    auto place = [&](TControl* pane, int from, int length) {
        if (vertical)
            pane->SetBounds(c.Left, c.Top + from, w, length);
        else
            pane->SetBounds(c.Left + from, c.Top, length, h);
    };
    if (!show2)
        place(panes_[0], 0, extent);
    else
        place(panes_[0], 0, show1 ? first : 0);
    if (show1 && show2)
        barRect_ = vertical ? Bounds(c.Left, c.Top + first, w, bar)
                            : Bounds(c.Left + first, c.Top, bar, h);
    else
        barRect_ = vertical ? Bounds(c.Left, c.Top, w, 0) : Bounds(c.Left, c.Top, 0, h);
    if (!show1)
        place(panes_[1], 0, extent);
    else
        place(panes_[1], first + bar, show2 ? second : 0);
    UpdateHotSpotRect();
    for (TFrSplitterPane* pane : panes_)
        for (int i = 0; i < pane->ControlCount(); ++i)
            if (auto* nested = dynamic_cast<TFrSplitter*>(pane->Controls(i)))
                nested->LayoutPanes();
    if (realTimeDrag_)
        for (TFrSplitterPane* pane : panes_)
            pane->Repaint();
    Invalidate();
}

void TFrSplitter::UpdateHotSpotRect() {
    const bool vertical = orientation_ == orVertical;
    const int length = vertical ? barRect_.Width() : barRect_.Height();
    const int middle = (vertical ? barRect_.Left : barRect_.Top) + length / 2;
    const int half = RoundClamped(hotSpotSizePercent_ / 100.0 * length) / 2;
    hotSpotRect_ = vertical ? Rect(middle - half, barRect_.Top, middle + half, barRect_.Bottom)
                            : Rect(barRect_.Left, middle - half, barRect_.Right, middle + half);
}

void TFrSplitter::AlignControls(TControl* changed, TRect& rect) {
    if (loadingSplitters > 0 || InLoading())
        return;
    TFrCustomPanel::AlignControls(changed, rect);
}

void TFrSplitter::Resize() {
    TFrCustomPanel::Resize();
    if (InLoading() || InDestruction() || panes_[1] == nullptr)
        return;
    ResizePanes();
}

void TFrSplitter::ResizePanes() {
    const bool saved = resizing_;
    resizing_ = true;
    struct Restore {
        bool& flag;
        bool value;
        ~Restore() { flag = value; }
    } restore{resizing_, saved};
    if (fixedPane_ == fpUpperLeft) {
        if (usePercent_) {
            const int s = Size() - splitterWidth_ / 2;
            MarginsFromPercent();
            if (!hotSpotClosed_)
                SetPosition(PositionOfPercent(percent_));
            else
                SetPosition(closedToMin_ ? 0 : s);
        } else {
            if (!hotSpotClosed_)
                SetPosition(position_);
            else
                ChangePosition(closedToMin_ ? 0 : INT_MAX);
            if (position_ < manualPosition_ && !hotSpotClosed_)
                SetPosition(manualPosition_);
        }
        return;
    }
    SetPosition(Size() - fixedSize_);
    if (position_ < Size() - manualPosition_ && !hotSpotClosed_)
        SetPosition(Size() - manualPosition_);
    if (hotSpotClosed_)
        hotSpotPosition_ = Size() - manualPosition_;
}

// ---- descriptions -------------------------------------------------------------------------------

void TFrSplitter::GetChildren(const TGetChildProc& proc, TComponent* root) {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c != panes_[0] && c != panes_[1] && c->Owner() == root)
            proc(c);
    }
    for (TFrSplitterPane* pane : panes_)
        for (int i = 0; i < pane->ControlCount(); ++i)
            if (pane->Controls(i)->Owner() == Owner())
                proc(pane->Controls(i));
}

void TFrSplitter::DefineProperties(TFiler* filer) {
    TFrCustomPanel::DefineProperties(filer);
    filer->DefineProperty(
        "BarSize",
        [this](TReader* r) {
            r->ReadListBegin();
            int v[4] = {0, 0, 0, 0};
            for (int i = 0; i < 4 && !r->EndOfList(); ++i)
                v[i] = r->ReadInteger();
            while (!r->EndOfList())
                r->ReadInteger();
            r->ReadListEnd();
            barRect_ = Rect(v[0], v[1], v[2], v[3]);
            UpdateHotSpotRect();
        },
        [this](TWriter* w) {
            w->WriteListBegin();
            w->WriteInteger(barRect_.Left);
            w->WriteInteger(barRect_.Top);
            w->WriteInteger(barRect_.Right);
            w->WriteInteger(barRect_.Bottom);
            w->WriteListEnd();
        },
        true);
    auto flag = [&](const char* name, bool& field) {
        filer->DefineProperty(
            name, [&field](TReader* r) { field = r->ReadBoolean(); },
            [&field](TWriter* w) { w->WriteBoolean(field); }, hotSpotClosed_);
    };
    flag("HotSpotClosed", hotSpotClosed_);
    flag("HotSpotClosedToMin", closedToMin_);
    flag("HotSpotClosedToMax", closedToMax_);
    filer->DefineProperty(
        "HotSpotPosition", [this](TReader* r) { hotSpotPosition_ = r->ReadInteger(); },
        [this](TWriter* w) { w->WriteInteger(hotSpotPosition_); }, hotSpotClosed_);
    for (int i = 0; i < 2; ++i)
        filer->DefineProperty(
            i == 0 ? "UpperLeftControls" : "LowerRightControls",
            [this, i](TReader* r) {
                paneControlNames_[i].clear();
                r->ReadListBegin();
                while (!r->EndOfList())
                    paneControlNames_[i].push_back(r->ReadIdent());
                r->ReadListEnd();
            },
            [this, i](TWriter* w) {
                w->WriteListBegin();
                for (int k = 0; k < panes_[i]->ControlCount(); ++k)
                    w->WriteIdent(panes_[i]->Controls(k)->Name());
                w->WriteListEnd();
            },
            true);
    for (const char* old : {"PositionMin", "PositionMax"})
        filer->DefineProperty(
            old, [](TReader* r) { r->ReadInteger(); }, nullptr, false);
}

void TFrSplitter::Loaded() {
    LoadingGuard guard;
    TFrCustomPanel::Loaded();
    TCustomForm* form = GetParentForm();
    TWinControl* active = form != nullptr ? form->ActiveControl() : nullptr;
    if (usePercent_) {
        // The share is what counts: a stored position from another size follows it.
        MarginsFromPercent();
        position_ = CheckPosition(PositionOfPercent(percent_));
    }
    manualPosition_ = ManualPositionOf(position_);
    LayoutPanes();
    BindPaneControls();
    if (form != nullptr && active != nullptr && form->ActiveControl() != active)
        form->SetActiveControl(active);
}

void TFrSplitter::BindPaneControls() {
    TComponent* owner = Owner();
    if (owner == nullptr)
        return;
    DisableAlign();
    for (int i = 0; i < 2; ++i) {
        for (const std::string& name : paneControlNames_[i]) {
            auto* control = dynamic_cast<TControl*>(owner->FindComponent(name));
            if (control != nullptr && control != panes_[0] && control != panes_[1])
                control->SetParent(panes_[i]);
        }
        paneControlNames_[i].clear();
        panes_[i]->Realign();
    }
    EnableAlign();
}

void TFrSplitter::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSELEAVE:
        TFrCustomPanel::WndProc(message);
        if (hotSpotVisible_)
            TrackHotSpot(mouse_, false);
        return;
    case WM_SHOWWINDOW:
        TFrCustomPanel::WndProc(message);
        if (!InDestruction())
            for (TFrSplitterPane* pane : panes_)
                pane->Invalidate();
        return;
    default:
        break;
    }
    TFrCustomPanel::WndProc(message);
}
