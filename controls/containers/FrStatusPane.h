#pragma once
// TFrCustomStatusPane: a windowless pane with one line of text in a thin frame. It can size
// itself to its text, blink its text colour in step with every other blinking control of the
// program, and show the application's hints. TFrStatusPane publishes the text properties.

#include "controls/common/FrFrameController.h"
#include "controls/containers/FrControlExtras.h"
#include "controls/paint/FrFrames.h"
#include "platform/forms/Controls.h"
#include "platform/stdctrls/ControlTypes.h"

#include <string>

class TFrCustomStatusPane : public TGraphicControl, public IFramingNotification {
    Q4_CLASS(TFrCustomStatusPane, TGraphicControl)
public:
    explicit TFrCustomStatusPane(TComponent* owner);
    ~TFrCustomStatusPane() override;
    static void DeclareProperties(TPropertyList& p);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    bool AutoHint() const { return autoHint_; }
    void SetAutoHint(bool v) { autoHint_ = v; }
    int DefaultWidth() const { return defaultWidth_; }
    void SetDefaultWidth(int v);
    TColor BlinkColor() const { return blinkColor_; }
    void SetBlinkColor(TColor v);
    bool Blinking() const { return blinking_; }
    void SetBlinking(bool v);
    // The intervals of the program-wide blinking list, shared by every blinking control.
    static int BlinkIntervalOff();
    static void SetBlinkIntervalOff(int v);
    static int BlinkIntervalOn();
    static void SetBlinkIntervalOn(int v);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v);
    int CaptionOffset() const { return captionOffset_; }
    void SetCaptionOffset(int v);
    TColor FillColor() const { return fillColor_; }
    void SetFillColor(TColor v);
    bool ParentFillColor() const { return parentFillColor_; }
    void SetParentFillColor(bool v);
    TColor FlatColor() const { return flatColor_; }
    void SetFlatColor(TColor v);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    void SetFlatColorAdjustment(int v);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    void SetFrameStyle(TFrameStyle v);
    TFrFrameController* FrameController() const { return frameController_; }
    void SetFrameController(TFrFrameController* v);
    TFrFrameControllerNotifications FrameControllerNotifications() const { return notifications_; }
    void SetFrameControllerNotifications(TFrFrameControllerNotifications v) { notifications_ = v; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    // The colour the text shows now (the font's, or the blink colour).
    TColor CurrentTextColor() const { return currentColor_; }

    // The width AutoSize gives: DefaultWidth without a caption, else the caption's width with
    // the frame, the offset and a small margin.
    int PreferredWidth();
    // The rectangle the caption is drawn in.
    TRect CaptionRect() const;
    // A hint to show: taken as the caption when AutoHint is set (true), else refused (false).
    bool ExecuteHintAction(const std::string& hint);

    void FramingChanged() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    TFrInertProperties inert_;

protected:
    void Paint() override;
    virtual void PaintPaneFrame();
    virtual void PaintCaptionText(const std::string& text);
    virtual void ShowBlinkState(bool on);

private:
    bool IsFillColorStored() const { return !parentFillColor_; }
    template <class T> void Change(T& field, const T& value) {
        if (field == value)
            return;
        field = value;
        Invalidate();
    }

    TAlignment alignment_ = taLeftJustify;
    bool autoHint_ = false;
    int defaultWidth_ = 40;
    TColor blinkColor_ = clHighlight;
    bool blinking_ = false;
    TColor fontColor_ = clWindowText;
    TColor currentColor_ = clWindowText;
    int borderWidth_ = 1;
    int captionOffset_ = 2;
    bool parentFillColor_ = true;
    TColor fillColor_ = clBtnFace;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    TFrameStyle frameStyle_ = fsFlat;
    TFrFrameController* frameController_ = nullptr;
    TFrFrameControllerNotifications notifications_ =
        TFrFrameControllerNotifications::FromBits(AllFrameControllerNotifications);
    bool transparent_ = true;
};

class TFrStatusPane : public TFrCustomStatusPane {
    Q4_CLASS(TFrStatusPane, TFrCustomStatusPane)
public:
    explicit TFrStatusPane(TComponent* owner) : TFrCustomStatusPane(owner) {}
};
