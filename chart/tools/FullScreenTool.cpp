#include "chart/tools/FullScreenTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/tools/ToolTexts.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Messages.h"

#include <algorithm>

namespace {

// Every monitor together; the primary screen's size when there is no monitor list.
TRect DesktopRect() {
    if (Screen == nullptr)
        return Bounds(0, 0, 1024, 768);
    const int count = Screen->MonitorCount();
    if (count <= 0)
        return Bounds(0, 0, Screen->Width(), Screen->Height());
    TRect r = Screen->Monitors(0).BoundsRect;
    for (int i = 1; i < count; ++i) {
        const TRect m = Screen->Monitors(i).BoundsRect;
        r = {std::min(r.Left, m.Left), std::min(r.Top, m.Top), std::max(r.Right, m.Right),
             std::max(r.Bottom, m.Bottom)};
    }
    return r;
}

// Sets a flag for its lifetime.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = was_; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
    bool was_;
};

} // namespace

TFullScreenTool::TFullScreenTool(TComponent* owner)
    : TPlotCustomTool(owner), releaseKey_(VK_ESCAPE) {
    SetActiveField(false);
}

TFullScreenTool::~TFullScreenTool() {
    Leave();
    FreeRetiredForm();
    if (savedParent_ != nullptr)
        savedParent_->RemoveFreeNotification(this);
}

void TFullScreenTool::DeclareProperties(TPropertyList& p) {
    using T = TFullScreenTool;
    p.Add("Active", &T::Active, &T::SetActive).Default(false);
    p.Add("ReleaseKey", &T::ReleaseKey, &T::SetReleaseKey).Default(VK_ESCAPE);
}

std::string TFullScreenTool::ToolTitleText() const {
    return ToolText(ttFullScreenTitle);
}

std::string TFullScreenTool::ToolSummaryText() const {
    return ToolText(ttFullScreenSummary);
}

void TFullScreenTool::SetActive(bool value) {
    SetActiveField(value);
    if (ComponentState().Contains(csDesigning) || ComponentState().Contains(csLoading) ||
        Panel() == nullptr)
        return;
    if (value)
        Enter();
    else
        Leave();
}

void TFullScreenTool::Loaded() {
    TPlotCustomTool::Loaded();
    if (Active())
        SetActive(true);
}

void TFullScreenTool::Notification(TComponent* component, TOperation operation) {
    TPlotCustomTool::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == savedParent_)
        savedParent_ = nullptr;
    if (component == form_)
        form_ = nullptr;
    if (component == retired_)
        retired_ = nullptr;
}

void TFullScreenTool::FreeRetiredForm() {
    if (TCustomForm* form = retired_) {
        retired_ = nullptr;
        form->RemoveFreeNotification(this);
        form->Free();
    }
}

void TFullScreenTool::Enter() {
    // Already in full screen: entering again would take the full-screen window for the chart's
    // own parent, and lose the chart with that window at the end.
    if (form_ != nullptr)
        return;
    FreeRetiredForm();
    TCustomAxisPanel* chart = Panel();
    savedParent_ = chart->Parent();
    if (savedParent_ != nullptr)
        savedParent_->FreeNotification(this);
    const TRect desktop = DesktopRect();
    TCustomForm* form = TCustomForm::Create<TForm>(nullptr);
    form->FreeNotification(this);
    form->SetBorderStyle(bsNone);
    form->SetKeyPreview(true);
    form->SetBoundsRect(desktop);
    form_ = form;
    savedAlign_ = chart->Align();
    chart->SetAlign(alNone);
    chart->SetParent(form);
    savedBounds_ = chart->BoundsRect();
    // The window covers the desktop: the chart fills its client area.
    chart->SetBounds(0, 0, desktop.Width(), desktop.Height());
    form->OnKeyUp = [this](TObject*, TKeyCode& key, TShiftState) {
        if (Active() && key == releaseKey_) {
            const TFlagScope inEvent(inFormEvent_);
            SetActive(false);
            key = 0;
        }
    };
    form->OnCloseQuery = [this](TObject*, bool& canClose) {
        const TFlagScope inEvent(inFormEvent_);
        Leave();
        canClose = true;
    };
    form->Show();
}

void TFullScreenTool::Leave() {
    TCustomForm* form = form_;
    if (form == nullptr)
        return;
    form_ = nullptr;
    if (TCustomAxisPanel* chart = Panel(); chart != nullptr && chart->Parent() == form) {
        TWinControl* parent = savedParent_;
        if (parent != nullptr && parent->ComponentState().Contains(csDestroying))
            parent = nullptr;
        chart->SetParent(parent);
        chart->SetBoundsRect(savedBounds_);
        chart->SetAlign(savedAlign_);
    }
    if (savedParent_ != nullptr)
        savedParent_->RemoveFreeNotification(this);
    savedParent_ = nullptr;
    // The window's handlers stay: with the chart back they find nothing to leave.
    if (inFormEvent_) {
        form->Hide();
        retired_ = form;
        return;
    }
    form->RemoveFreeNotification(this);
    form->Free();
}
