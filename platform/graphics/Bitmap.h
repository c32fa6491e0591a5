#pragma once
// A bitmap over an image in memory: a size, a pixel format with the classic row layouts (24-bit
// rows are blue, green, red bytes; 32-bit rows blue, green, red, and a fourth byte), a canvas that
// draws into it, transparency by a key colour, and BMP files.

#include "platform/graphics/Canvas.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Picture.h"

#include <cstdint>
#include <memory>

class QImage;

enum TPixelFormat : std::uint8_t {
    pfDevice,
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit,
    pfCustom
};

enum TTransparentMode : std::uint8_t { tmAuto, tmFixed };

class TBitmap : public TGraphic {
    Q4_CLASS(TBitmap, TGraphic)
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = pfDevice);
    ~TBitmap() override;

    std::unique_ptr<TGraphic> CreateNew() const override;
    using TGraphic::Assign;
    // Deep copy of another bitmap's pixels and settings; any other graphic is drawn into it.
    void Assign(const TGraphic& source) override;
    // "Data" is the length of the BMP file (four bytes) and the file.
    void ReadData(TStream& stream) override;
    void WriteData(TStream& stream) const override;

    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    // Resizing keeps the pixels that still fit; new pixels are white.
    void SetSize(int width, int height);

    TPixelFormat PixelFormat() const { return pixelFormat_; }
    // Converts the pixels to the format's layout.
    void SetPixelFormat(TPixelFormat format);
    bool Monochrome() const { return pixelFormat_ == pf1bit; }
    void SetMonochrome(bool mono);

    // Row y's bytes in the pixel format's layout (formats below 15 bits are held as 32-bit rows).
    // Any drawing in progress is finished first. Raises EInvalidGraphicOperation for a row out of
    // range.
    std::uint8_t* ScanLine(int y);
    const std::uint8_t* ScanLine(int y) const;
    int BytesPerScanLine() const;

    TCanvas* Canvas();

    // Transparency: tmAuto takes the bottom-left pixel's colour, tmFixed the colour given.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode);

    void Draw(TCanvas* canvas, const TRect& r) const override;
    void LoadFromBytes(const std::vector<std::uint8_t>& data) override;
    std::vector<std::uint8_t> SaveToBytes() const override;

    // Drops the pixels (an empty 0 x 0 bitmap).
    void FreeImage();
    void Dormant() {}

protected:
    void Changed() override;

private:
    friend struct TGraphicsQt; // the platform's Qt side (GraphicsQt_p.h)
    friend class TRasterImage;
    // The pixels. The reference stays valid for the bitmap's life; resizing changes it in place.
    const QImage& Image() const;
    // Replaces the pixels by a copy of image; the pixel format follows the image's.
    void SetImage(const QImage& image);
    // Replaces the pixels (the canvas's painter is finished first).
    void ReplaceImage(QImage image);

    std::unique_ptr<QImage> image_;
    std::unique_ptr<TCanvas> canvas_;
    TPixelFormat pixelFormat_ = pfDevice;
    TColor transparentColor_ = clDefault;
    TTransparentMode transparentMode_ = tmAuto;
};

// A bitmap read from and written to a PNG, JPEG or GIF file (by the format it was registered for).
class TRasterImage : public TBitmap {
    Q4_CLASS(TRasterImage, TBitmap)
public:
    explicit TRasterImage(std::string format) : format_(std::move(format)) {}
    TRasterImage() : TRasterImage("png") {}
    std::unique_ptr<TGraphic> CreateNew() const override;
    // "Data" is the image file itself.
    void ReadData(TStream& stream) override;
    void WriteData(TStream& stream) const override;
    void LoadFromBytes(const std::vector<std::uint8_t>& data) override;
    std::vector<std::uint8_t> SaveToBytes() const override;
    const std::string& Format() const { return format_; }

private:
    std::string format_;
};
