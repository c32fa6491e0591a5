#pragma once
// Images: a picture drawn by the control, as it is, stretched or centred.

#include "platform/forms/Controls.h"
#include "platform/graphics/Picture.h"

#include <memory>

class TImage : public TGraphicControl {
    Q4_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;
    static void DeclareProperties(TPropertyList& p);
    TPicture* Picture() const { return picture_.get(); }
    void SetPicture(TPicture* v) { picture_->Assign(*v); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool v);
    bool Center() const { return center_; }
    void SetCenter(bool v);
    bool Proportional() const { return proportional_; }
    void SetProportional(bool v);
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    // Where the picture is drawn within the control.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    std::unique_ptr<TPicture> picture_;
    bool stretch_ = false;
    bool center_ = false;
    bool proportional_ = false;
};
