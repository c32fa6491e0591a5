#pragma once
// An icon: a picture with its own transparency (an alpha channel), read from icon files or any
// image the platform reads, drawn blended over what lies under it.

#include "platform/graphics/Picture.h"

#include <memory>

class QImage;

class TIcon : public TGraphic {
    Q4_CLASS(TIcon, TGraphic)
public:
    TIcon();
    ~TIcon() override;

    std::unique_ptr<TGraphic> CreateNew() const override { return std::make_unique<TIcon>(); }
    using TGraphic::Assign;
    void Assign(const TGraphic& source) override;

    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    // An icon's size comes from its file.
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    bool Transparent() const override { return true; }

    void Draw(TCanvas* canvas, const TRect& r) const override;
    void LoadFromBytes(const std::vector<std::uint8_t>& data) override;
    std::vector<std::uint8_t> SaveToBytes() const override;

private:
    friend struct TGraphicsQt; // the platform's Qt side (GraphicsQt_p.h)
    const QImage& Image() const { return *image_; }
    void SetImage(const QImage& image);

    std::unique_ptr<QImage> image_;
};
