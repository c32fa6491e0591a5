#pragma once
// TFrCustomProgressBar / TFrProgressBar: a windowless progress bar that counts parts done out of
// a total into a percentage and paints itself off-screen inside a panel-style frame (or a themed
// trough) as a plain bar with its percent text, a row of segments, or a gradient bar. The bar
// lies down or stands up by its shape: taller than wide paints vertically, filling upwards.

#include "controls/common/FrFrameController.h"
#include "controls/common/FrOrientation.h"
#include "controls/paint/FrFrames.h"
#include "platform/forms/Controls.h"

#include <cstdint>
#include <functional>

Q4_ENUM(TBarStyle, bsTraditional, bsLED, bsGradient);

using TProgressChangeEvent = std::function<void(TObject* Sender, int Percent)>;

// The largest part count the bar takes (TotalParts and PartsComplete).
constexpr std::uint32_t MaxProgressParts = 2147483647u;

// Round(parts / total * 100) with exact ties to the even neighbour, in whole numbers: a true half
// such as 23 of 40 parts, 57.5 %, goes to 58 (in doubles it comes out as 57.49999999999999).
// total must not be 0.
std::uint16_t ProgressPercent(std::uint32_t parts, std::uint32_t total);

class TFrCustomProgressBar : public TGraphicControl, public IFramingNotification {
    Q4_CLASS(TFrCustomProgressBar, TGraphicControl)
public:
    explicit TFrCustomProgressBar(TComponent* owner);
    ~TFrCustomProgressBar() override;

    TColor BackColor() const { return backColor_; }
    virtual void SetBackColor(TColor value);
    TColor BackColorStop() const { return backColorStop_; }
    void SetBackColorStop(TColor value);
    TColor BarColor() const { return barColor_; }
    // The percent text follows: the font colour becomes the bar colour.
    virtual void SetBarColor(TColor value);
    TColor BarColorStop() const { return barColorStop_; }
    void SetBarColorStop(TColor value);
    TBarStyle BarStyle() const { return barStyle_; }
    // Segments hide the percent text and keep one pixel of back colour round the bar.
    virtual void SetBarStyle(TBarStyle value);
    int BevelWidth() const { return bevelWidth_; }
    virtual void SetBevelWidth(int value);
    TColor BorderColor() const { return borderColor_; }
    virtual void SetBorderColor(TColor value);
    TFrameStyleEx BorderInner() const { return borderInner_; }
    virtual void SetBorderInner(TFrameStyleEx value);
    TFrameStyleEx BorderOuter() const { return borderOuter_; }
    virtual void SetBorderOuter(TFrameStyleEx value);
    int BorderWidth() const { return borderWidth_; }
    virtual void SetBorderWidth(int value);
    TColor FlatColor() const { return flatColor_; }
    virtual void SetFlatColor(TColor value);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    virtual void SetFlatColorAdjustment(int value);
    TGradientDirection GradientDirection() const { return gradientDirection_; }
    void SetGradientDirection(TGradientDirection value);
    std::uint8_t InteriorOffset() const { return interiorOffset_; }
    virtual void SetInteriorOffset(std::uint8_t value);
    int NumSegments() const { return numSegments_; }
    // 1..100.
    virtual void SetNumSegments(int value);
    TOrientation Orientation() const { return orientation_; }
    virtual void SetOrientation(TOrientation value);
    std::uint32_t PartsComplete() const { return partsComplete_; }
    // Kept within TotalParts; recomputes Percent (not while loading, nor with no total).
    virtual void SetPartsComplete(std::uint32_t value);
    std::uint16_t Percent() const { return percent_; }
    // Taken as given, even above 100 (the bar is then drawn full); fires OnChange.
    virtual void SetPercent(std::uint16_t value);
    bool ShowPercent() const { return showPercent_; }
    virtual void SetShowPercent(bool value);
    std::uint32_t TotalParts() const { return totalParts_; }
    // A new total starts counting again: PartsComplete and Percent go back to 0.
    virtual void SetTotalParts(std::uint32_t value);
    bool ThemeAware() const { return themeAware_; }
    virtual void SetThemeAware(bool value);
    TFrFrameController* FrameController() const { return frameController_; }
    virtual void SetFrameController(TFrFrameController* value);
    TFrFrameControllerNotifications FrameControllerNotifications() const { return notifications_; }
    void SetFrameControllerNotifications(TFrFrameControllerNotifications value) {
        notifications_ = value;
    }

    TProgressChangeEvent OnChange;

    void FramingChanged() override;
    void SetBounds(int left, int top, int width, int height) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Paint() override;
    // Tells OnChange of the new percent.
    virtual void PercentChanged();

private:
    template <class T> bool Store(T& field, const T& value);
    // The rectangle the bar is drawn in, after the frame (or trough) and the interior offset.
    TRect PaintFrame(TCanvas* canvas, TRect r);
    void PaintBar(TCanvas* canvas, const TRect& r);

    TColor backColor_ = clWhite;
    TColor backColorStop_ = clBtnFace;
    TColor barColor_ = clHighlight;
    TColor barColorStop_ = clHotLight;
    TBarStyle barStyle_ = bsTraditional;
    int bevelWidth_ = 1;
    TColor borderColor_ = clBtnFace;
    TFrameStyleEx borderInner_ = fsNone;
    TFrameStyleEx borderOuter_ = fsLowered;
    int borderWidth_ = 0;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    TGradientDirection gradientDirection_ = gdHorizontalCenter;
    std::uint8_t interiorOffset_ = 0;
    int numSegments_ = 20;
    TOrientation orientation_ = orHorizontal;
    std::uint32_t partsComplete_ = 0;
    std::uint16_t percent_ = 0;
    bool showPercent_ = true;
    std::uint32_t totalParts_ = 0;
    bool themeAware_ = true;
    TFrFrameController* frameController_ = nullptr;
    TFrFrameControllerNotifications notifications_{
        TFrFrameControllerNotifications::FromBits(AllFrameControllerNotifications)};
};

class TFrProgressBar : public TFrCustomProgressBar {
    Q4_CLASS(TFrProgressBar, TFrCustomProgressBar)
public:
    explicit TFrProgressBar(TComponent* owner) : TFrCustomProgressBar(owner) {}
    static void DeclareProperties(TPropertyList& p);
};
