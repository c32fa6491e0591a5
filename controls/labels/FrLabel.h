#pragma once
// TFrLabel: a label that can draw a panel-style border, raised, recessed or shadowed text, text
// turned by any angle or set along a curve, a blinking colour (in step with every blinking
// control of the program) and a hover colour. TFrURLLabel opens its address with the desktop's
// program when clicked and shows visited and unvisited colours.

#include "controls/common/FrFrameController.h"
#include "controls/common/FrTextStyle.h"
#include "controls/paint/FrFrames.h"
#include "platform/stdctrls/Label.h"

#include <cstdint>
#include <string>

Q4_ENUM(TRotation, roNone, roFlat, roCurve);
Q4_ENUM(TCenterPoint, cpUpperLeft, cpUpperCenter, cpUpperRight, cpLeftCenter, cpCenter,
        cpRightCenter, cpLowerLeft, cpLowerCenter, cpLowerRight);
Q4_ENUM(TFrCondenseCaption, ccNone, ccAtEnd, ccWithinPath);

// Any angle in degrees brought into 0..359.
int NormalizeAngle(int degrees);

class TFrLabel : public TCustomLabel, public IFramingNotification {
    Q4_CLASS(TFrLabel, TCustomLabel)
public:
    explicit TFrLabel(TComponent* owner);
    ~TFrLabel() override;
    static void DeclareProperties(TPropertyList& p);

    int Angle() const { return angle_; }
    void SetAngle(int v);
    TRotation Rotation() const { return rotation_; }
    void SetRotation(TRotation v);
    TCenterPoint CenterPoint() const { return centerPoint_; }
    void SetCenterPoint(TCenterPoint v) { Change(centerPoint_, v); }
    bool Blinking() const { return blinking_; }
    void SetBlinking(bool v);
    TColor BlinkColor() const { return blinkColor_; }
    void SetBlinkColor(TColor v) { Change(blinkColor_, v); }
    // The intervals of the program-wide blinking list, shared by every blinking control.
    static int BlinkIntervalOn();
    static void SetBlinkIntervalOn(int v);
    static int BlinkIntervalOff();
    static void SetBlinkIntervalOff(int v);
    TFrameStyleEx BorderOuter() const { return borderOuter_; }
    void SetBorderOuter(TFrameStyleEx v) { ChangeSize(borderOuter_, v); }
    TFrameStyleEx BorderInner() const { return borderInner_; }
    void SetBorderInner(TFrameStyleEx v) { ChangeSize(borderInner_, v); }
    TSides BorderSides() const { return borderSides_; }
    void SetBorderSides(TSides v) { ChangeSize(borderSides_, v); }
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v) { ChangeSize(borderWidth_, v); }
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int v) { ChangeSize(bevelWidth_, v); }
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor v) { Change(borderColor_, v); }
    TColor BorderHighlight() const { return borderHighlight_; }
    void SetBorderHighlight(TColor v) { Change(borderHighlight_, v); }
    TColor BorderShadow() const { return borderShadow_; }
    void SetBorderShadow(TColor v) { Change(borderShadow_, v); }
    TColor FlatColor() const { return flatColor_; }
    void SetFlatColor(TColor v) { Change(flatColor_, v); }
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    void SetFlatColorAdjustment(int v) { Change(flatColorAdjustment_, v); }
    TFrCondenseCaption CondenseCaption() const { return condenseCaption_; }
    void SetCondenseCaption(TFrCondenseCaption v);
    bool FlyByEnabled() const { return flyByEnabled_; }
    void SetFlyByEnabled(bool v);
    TColor FlyByColor() const { return flyByColor_; }
    void SetFlyByColor(TColor v) { Change(flyByColor_, v); }
    TTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TTextStyle v) { Change(textStyle_, v); }
    bool LightTextStyle() const { return lightTextStyle_; }
    void SetLightTextStyle(bool v) { Change(lightTextStyle_, v); }
    TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(TColor v) { Change(highlightColor_, v); }
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor v) { Change(shadowColor_, v); }
    int ShadowDepth() const { return shadowDepth_; }
    void SetShadowDepth(int v) { Change(shadowDepth_, v); }
    int TextMargin() const { return textMargin_; }
    void SetTextMargin(int v) { Change(textMargin_, v); }
    TFrFrameController* FrameController() const { return frameController_; }
    void SetFrameController(TFrFrameController* v);
    TFrFrameControllerNotifications FrameControllerNotifications() const { return notifications_; }
    void SetFrameControllerNotifications(TFrFrameControllerNotifications v) { notifications_ = v; }
    // The colour the text shows now (the font's, the blink or the hover colour).
    TColor CurrentTextColor() const { return currentColor_; }

    // The rectangle the text is laid out in: the label less its borders.
    TRect TextArea() const;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void FramingChanged() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler* filer) override;

protected:
    void Paint() override;
    virtual void ShowBlinkState(bool on);
    // The size grown by the borders (and by a shadow), turned for rotated text.
    void GrowByBorders(int& width, int& height) const;
    unsigned TextFormat() const;
    void FollowFont();

private:
    template <class T> void Change(T& field, const T& value) {
        if (field == value)
            return;
        field = value;
        Invalidate();
    }
    template <class T> void ChangeSize(T& field, const T& value) {
        if (field == value)
            return;
        field = value;
        AdjustSize();
        Invalidate();
    }
    void UseOutlineFont();
    void PaintFlatText(TCanvas* canvas);
    void PaintRotatedText(TCanvas* canvas, const TRect& area);
    void PaintCurvedText(TCanvas* canvas);
    // Draws the text with its 3-D copies (or grey when disabled) through `draw(dx, dy)`.
    template <class Draw> void DrawStyled(TCanvas* canvas, int shadowOffset, Draw draw);

    int angle_ = 0;
    TRotation rotation_ = roNone;
    TCenterPoint centerPoint_ = cpCenter;
    bool blinking_ = false;
    TColor blinkColor_ = clHighlight;
    TFrameStyleEx borderOuter_ = fsNone;
    TFrameStyleEx borderInner_ = fsNone;
    TSides borderSides_ = AllSides;
    int borderWidth_ = 0;
    int bevelWidth_ = 1;
    TColor borderColor_ = clBtnFace;
    TColor borderHighlight_ = clBtnHighlight;
    TColor borderShadow_ = clBtnShadow;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    TFrCondenseCaption condenseCaption_ = ccNone;
    bool flyByEnabled_ = false;
    TColor flyByColor_ = clHighlight;
    bool hovered_ = false;
    TColor savedColor_ = clWindowText;
    TTextStyle textStyle_ = tsNormal;
    bool lightTextStyle_ = false;
    TColor highlightColor_ = clBtnHighlight;
    TColor shadowColor_ = clBtnShadow;
    int shadowDepth_ = 2;
    int textMargin_ = 0;
    TFrFrameController* frameController_ = nullptr;
    TFrFrameControllerNotifications notifications_ =
        TFrFrameControllerNotifications::FromBits(AllFrameControllerNotifications);
    TColor fontColor_ = clWindowText;
    TColor currentColor_ = clWindowText;
    bool settingFont_ = false;
};
