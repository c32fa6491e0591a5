#include "controls/splitter/FrSplitterPane.h"

#include "controls/splitter/FrSplitter.h"
#include "platform/classes/Reader.h"

TFrSplitterPane::TFrSplitterPane(TComponent* owner) : TFrCustomPanel(owner) {
    SetBorderOuter(fsNone);
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csDisplayDragImage});
    SetTabStop(false);
    splitter_ = dynamic_cast<TFrSplitter*>(owner);
}

void TFrSplitterPane::DeclareProperties(TPropertyList& p) {
    using C = TFrSplitterPane;
    p.Add("BorderOuter", &C::BorderOuter, &C::SetBorderOuter).Default(fsNone);
}

void TFrSplitterPane::SetPaneVisible(bool value) {
    SetVisible(value);
    if (splitter_ != nullptr)
        splitter_->PaneVisibilityChanged();
}

void TFrSplitterPane::ReadState(TReader* reader) {
    // What a pane holds belongs to the form, not to the splitter the pane belongs to.
    if (auto* splitter = dynamic_cast<TFrSplitter*>(reader->Parent()))
        splitter_ = splitter;
    TComponent* savedOwner = reader->Owner();
    if (splitter_ != nullptr && splitter_->Owner() != nullptr)
        reader->SetOwner(splitter_->Owner());
    try {
        TFrCustomPanel::ReadState(reader);
    } catch (...) {
        reader->SetOwner(savedOwner);
        throw;
    }
    reader->SetOwner(savedOwner);
}

void TFrSplitterPane::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CM_ENTER:
    case CM_EXIT:
        TFrCustomPanel::WndProc(message);
        Invalidate();
        return;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        // The pane's own surface lets the mouse through to its splitter (a docking site keeps
        // it), with the point moved into the splitter's coordinates.
        if (splitter_ != nullptr && !inert_.DockSite) {
            const int x = static_cast<short>(message.LParam & 0xFFFF) + Left();
            const int y = static_cast<short>((message.LParam >> 16) & 0xFFFF) + Top();
            message.Result = splitter_->Perform(message.Msg, message.WParam, MakeLParam(x, y));
            return;
        }
        break;
    default:
        break;
    }
    TFrCustomPanel::WndProc(message);
}

// ---- pane data ----------------------------------------------------------------------------------

void TFrPaneData::DeclareProperties(TPropertyList& p) {
    using C = TFrPaneData;
    p.Add("BorderColor", &C::BorderColor, &C::SetBorderColor, TColorTypeInfo()).Default(clBtnFace);
    p.Add("BorderInner", &C::BorderInner, &C::SetBorderInner).Default(fsNone);
    p.Add("BorderOuter", &C::BorderOuter, &C::SetBorderOuter).Default(fsNone);
    p.Add("BorderWidth", &C::BorderWidth, &C::SetBorderWidth).Default(0);
    p.Add("Color", &C::Color, &C::SetColor, TColorTypeInfo()).Default(clBtnFace);
    p.Add("FlatColor", &C::FlatColor, &C::SetFlatColor, TColorTypeInfo()).Default(clBtnShadow);
    p.Add("FlatColorAdjustment", &C::FlatColorAdjustment, &C::SetFlatColorAdjustment).Default(30);
    p.Add("DockSite", &C::DockSite, &C::SetDockSite).Default(false);
    p.Add("ShowDockClientCaptions", &C::ShowDockClientCaptions, &C::SetShowDockClientCaptions)
        .Default(true);
    p.Add("Visible", &C::Visible, &C::SetVisible).Default(true);
    p.Add("Padding", &C::Padding, &C::SetPadding);
}

void TFrPaneData::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TFrPaneData*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    SetBorderColor(other->BorderColor());
    SetBorderInner(other->BorderInner());
    SetBorderOuter(other->BorderOuter());
    SetBorderWidth(other->BorderWidth());
    SetColor(other->Color());
    SetFlatColor(other->FlatColor());
    SetFlatColorAdjustment(other->FlatColorAdjustment());
    SetDockSite(other->DockSite());
    SetShowDockClientCaptions(other->ShowDockClientCaptions());
    SetPadding(other->Padding());
    SetVisible(other->Visible());
}
