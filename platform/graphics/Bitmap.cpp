#include "platform/graphics/Bitmap.h"

#include "platform/graphics/GraphicsErrors.h"

#include "platform/graphics/GraphicsQt_p.h"
#include "platform/rtl/Streams.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <cstring>

namespace {

QImage::Format StorageOf(TPixelFormat format) {
    switch (format) {
    case pf24bit:
        return QImage::Format_BGR888;
    case pf15bit:
        return QImage::Format_RGB555;
    case pf16bit:
        return QImage::Format_RGB16;
    default:
        // One-, four- and eight-bit bitmaps are drawn on as 32-bit rows; their depth counts when
        // they are saved.
        return QImage::Format_RGB32;
    }
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// A bottom-up BMP with 1, 8, 24 or 32 bits per pixel.
std::vector<std::uint8_t> WriteBmp(const QImage& source, int bits) {
    QImage image = source.convertToFormat(QImage::Format_RGB32);
    int w = image.width();
    int h = image.height();
    std::uint32_t stride = ((static_cast<std::uint32_t>(w) * bits + 31) / 32) * 4;
    std::uint32_t paletteSize = bits <= 8 ? (1u << bits) * 4 : 0;
    std::uint32_t offset = 14 + 40 + paletteSize;
    std::uint32_t imageSize = stride * static_cast<std::uint32_t>(h);
    std::vector<std::uint8_t> out;
    out.reserve(offset + imageSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageSize);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(w));
    Put32(out, static_cast<std::uint32_t>(h));
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(bits));
    Put32(out, 0); // uncompressed
    Put32(out, imageSize);
    Put32(out, 3780); // 96 dots per inch
    Put32(out, 3780);
    Put32(out, bits <= 8 ? (1u << bits) : 0);
    Put32(out, 0);
    QList<QRgb> palette;
    QImage indexed;
    if (bits == 1) {
        indexed = image.convertToFormat(QImage::Format_Indexed8,
                                        {qRgb(0, 0, 0), qRgb(255, 255, 255)}, Qt::ThresholdDither);
        palette = indexed.colorTable();
    } else if (bits == 8) {
        indexed = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
        palette = indexed.colorTable();
    }
    if (bits <= 8) {
        for (std::uint32_t i = 0; i < (1u << bits); ++i) {
            QRgb c =
                i < static_cast<std::uint32_t>(palette.size()) ? palette[static_cast<int>(i)] : 0;
            out.push_back(static_cast<std::uint8_t>(qBlue(c)));
            out.push_back(static_cast<std::uint8_t>(qGreen(c)));
            out.push_back(static_cast<std::uint8_t>(qRed(c)));
            out.push_back(0);
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        std::size_t start = out.size();
        if (bits == 1 || bits == 8) {
            const std::uint8_t* row = indexed.constScanLine(y);
            if (bits == 8) {
                out.insert(out.end(), row, row + w);
            } else {
                std::uint8_t acc = 0;
                for (int x = 0; x < w; ++x) {
                    acc = static_cast<std::uint8_t>(acc | ((row[x] & 1) << (7 - (x & 7))));
                    if ((x & 7) == 7 || x == w - 1) {
                        out.push_back(acc);
                        acc = 0;
                    }
                }
            }
        } else {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                out.push_back(static_cast<std::uint8_t>(qBlue(row[x])));
                out.push_back(static_cast<std::uint8_t>(qGreen(row[x])));
                out.push_back(static_cast<std::uint8_t>(qRed(row[x])));
                if (bits == 32)
                    out.push_back(0);
            }
        }
        out.resize(start + stride, 0);
    }
    return out;
}

// The pixel format a BMP file was written with, from its header.
TPixelFormat FormatOfBmp(const std::vector<std::uint8_t>& data) {
    if (data.size() < 30 || data[0] != 'B' || data[1] != 'M')
        return pfDevice;
    unsigned bits = data[28] | (data[29] << 8);
    switch (bits) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 16:
        return pf16bit;
    case 24:
        return pf24bit;
    case 32:
        return pf32bit;
    default:
        return pfDevice;
    }
}

std::uint32_t Le32(const std::vector<std::uint8_t>& d, std::size_t at) {
    return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) |
           (static_cast<std::uint32_t>(d[at + 3]) << 24);
}

// Checks a BMP file's header against its length before the pixels are decoded: a sane size and
// depth, and, for uncompressed rows, every row present. A short file is refused rather than
// read with made-up rows.
bool PlausibleBmp(const std::vector<std::uint8_t>& d) {
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M')
        return false;
    std::uint32_t offset = Le32(d, 10);
    std::uint32_t headerSize = Le32(d, 14);
    if (headerSize < 40 || offset > d.size())
        return false;
    auto width = static_cast<std::int32_t>(Le32(d, 18));
    auto height = static_cast<std::int32_t>(Le32(d, 22));
    unsigned bits = d[28] | (d[29] << 8);
    std::uint32_t compression = Le32(d, 30);
    if (width <= 0 || height == 0 || width > 32768 || height > 32768 || height < -32768)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    if (compression == 0 || compression == 3) {
        std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bits + 31) / 32) * 4;
        std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
        if (offset + stride * rows > d.size())
            return false;
    }
    return true;
}

} // namespace

TBitmap::TBitmap() : image_(std::make_unique<QImage>()) {
    image_->setDotsPerMeterX(3780);
    image_->setDotsPerMeterY(3780);
}

TBitmap::TBitmap(int width, int height, TPixelFormat format) : TBitmap() {
    pixelFormat_ = format;
    SetSize(width, height);
}

TBitmap::~TBitmap() {
    if (canvas_)
        canvas_->Flush();
}

std::unique_ptr<TGraphic> TBitmap::CreateNew() const {
    return std::make_unique<TBitmap>();
}

void TBitmap::Assign(const TGraphic& source) {
    if (&source == this)
        return;
    if (const auto* bmp = dynamic_cast<const TBitmap*>(&source)) {
        if (bmp->canvas_)
            bmp->canvas_->Flush();
        pixelFormat_ = bmp->pixelFormat_;
        transparentColor_ = bmp->transparentColor_;
        transparentMode_ = bmp->transparentMode_;
        TGraphic::SetTransparent(bmp->Transparent());
        ReplaceImage(bmp->image_->copy()); // never shares pixels with the source
        if (canvas_)
            canvas_->SetMonochrome(Monochrome());
        Changed();
        return;
    }
    // Any other picture is drawn onto a white bitmap of its size.
    SetSize(source.Width(), source.Height());
    Canvas()->Brush()->SetColor(clWhite);
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    source.Draw(Canvas(), Rect(0, 0, Width(), Height()));
    Changed();
}

bool TBitmap::Empty() const {
    return image_->isNull() || image_->width() == 0;
}
int TBitmap::Width() const {
    return image_->width();
}
int TBitmap::Height() const {
    return image_->height();
}
void TBitmap::SetWidth(int width) {
    SetSize(width, Height());
}
void TBitmap::SetHeight(int height) {
    SetSize(Width(), height);
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height() && !image_->isNull())
        return;
    if (width == 0 || height == 0) {
        ReplaceImage(QImage());
        Changed();
        return;
    }
    QImage next(width, height, StorageOf(pixelFormat_));
    next.fill(Qt::white);
    if (!image_->isNull()) {
        if (canvas_)
            canvas_->Flush();
        QPainter p(&next);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, *image_);
    }
    ReplaceImage(std::move(next));
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == pixelFormat_)
        return;
    pixelFormat_ = format;
    if (!image_->isNull()) {
        if (canvas_)
            canvas_->Flush();
        QImage next = image_->convertToFormat(StorageOf(format));
        if (format == pf1bit) {
            // Two colours only: dark pixels black, light ones white.
            next = next.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither)
                       .convertToFormat(QImage::Format_RGB32);
        }
        ReplaceImage(std::move(next));
    }
    if (canvas_)
        canvas_->SetMonochrome(Monochrome());
    Changed();
}

void TBitmap::SetMonochrome(bool mono) {
    if (mono != Monochrome())
        SetPixelFormat(mono ? pf1bit : pfDevice);
}

std::uint8_t* TBitmap::ScanLine(int y) {
    if (y < 0 || y >= Height())
        throw EInvalidGraphicOperation("Scan line index out of range");
    if (canvas_)
        canvas_->Flush();
    return image_->scanLine(y);
}

const std::uint8_t* TBitmap::ScanLine(int y) const {
    if (y < 0 || y >= Height())
        throw EInvalidGraphicOperation("Scan line index out of range");
    if (canvas_)
        canvas_->Flush();
    return image_->constScanLine(y);
}

int TBitmap::BytesPerScanLine() const {
    return static_cast<int>(image_->bytesPerLine());
}

TCanvas* TBitmap::Canvas() {
    if (!canvas_) {
        canvas_ = std::make_unique<TCanvas>();
        TGraphicsQt::SetImage(*canvas_, image_.get());
        canvas_->SetMonochrome(Monochrome());
        canvas_->OnChange = [this](TObject*) { SetModified(true); };
    }
    return canvas_.get();
}

TColor TBitmap::TransparentColor() const {
    if (transparentMode_ == tmFixed && transparentColor_ != clDefault)
        return transparentColor_;
    if (Empty())
        return clDefault;
    if (canvas_)
        canvas_->Flush();
    QRgb c = image_->pixel(0, Height() - 1);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

void TBitmap::SetTransparentColor(TColor color) {
    transparentColor_ = color;
    transparentMode_ = color == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == transparentMode_)
        return;
    transparentMode_ = mode;
    if (mode == tmAuto)
        transparentColor_ = clDefault;
    else
        transparentColor_ = TransparentColor();
    Changed();
}

void TBitmap::Draw(TCanvas* canvas, const TRect& r) const {
    if (!canvas || Empty())
        return;
    auto* self = const_cast<TBitmap*>(this);
    if (Transparent()) {
        canvas->TransparentBlt(r.Left, r.Top, r.Width(), r.Height(), self->Canvas(), 0, 0, Width(),
                               Height(), TransparentColor());
    } else {
        canvas->StretchBlt(r.Left, r.Top, r.Width(), r.Height(), self->Canvas(), 0, 0, Width(),
                           Height(), cmSrcCopy);
    }
}

void TBitmap::LoadFromBytes(const std::vector<std::uint8_t>& data) {
    QImage image;
    if (!PlausibleBmp(data) ||
        !image.loadFromData(data.data(), static_cast<int>(data.size()), "BMP"))
        throw EInvalidGraphic("Bitmap image is not valid");
    TPixelFormat format = FormatOfBmp(data);
    pixelFormat_ = format;
    QImage stored = image.convertToFormat(StorageOf(format));
    stored.setDotsPerMeterX(3780);
    stored.setDotsPerMeterY(3780);
    ReplaceImage(std::move(stored));
    if (canvas_)
        canvas_->SetMonochrome(Monochrome());
    Changed();
}

std::vector<std::uint8_t> TBitmap::SaveToBytes() const {
    if (canvas_)
        canvas_->Flush();
    int bits;
    switch (pixelFormat_) {
    case pf1bit:
        bits = 1;
        break;
    case pf4bit:
    case pf8bit:
        bits = 8;
        break;
    case pf15bit:
    case pf16bit:
    case pf24bit:
        bits = 24;
        break;
    default:
        bits = 32;
        break;
    }
    if (Empty())
        return WriteBmp(QImage(0, 0, QImage::Format_RGB32), bits);
    return WriteBmp(*image_, bits);
}

void TBitmap::FreeImage() {
    ReplaceImage(QImage());
    Changed();
}

const QImage& TBitmap::Image() const {
    if (canvas_)
        canvas_->Flush();
    return *image_;
}

void TBitmap::SetImage(const QImage& image) {
    switch (image.format()) {
    case QImage::Format_BGR888:
    case QImage::Format_RGB888:
        pixelFormat_ = pf24bit;
        break;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        pixelFormat_ = pf1bit;
        break;
    case QImage::Format_Indexed8:
        pixelFormat_ = pf8bit;
        break;
    case QImage::Format_RGB555:
        pixelFormat_ = pf15bit;
        break;
    case QImage::Format_RGB16:
        pixelFormat_ = pf16bit;
        break;
    default:
        pixelFormat_ = pf32bit;
        break;
    }
    QImage stored = image.convertToFormat(StorageOf(pixelFormat_));
    if (stored.constBits() == image.constBits())
        stored = stored.copy();
    ReplaceImage(std::move(stored));
    if (canvas_)
        canvas_->SetMonochrome(Monochrome());
    Changed();
}

void TBitmap::ReplaceImage(QImage image) {
    if (canvas_)
        canvas_->Flush();
    *image_ = std::move(image);
    image_->setDotsPerMeterX(3780);
    image_->setDotsPerMeterY(3780);
}

void TBitmap::Changed() {
    TGraphic::Changed();
}

void TBitmap::ReadData(TStream& stream) {
    std::uint32_t size = stream.ReadValue<std::uint32_t>();
    if (size > stream.Size() - stream.Position())
        throw EInvalidGraphic("Bitmap image is not valid");
    std::vector<std::uint8_t> data(size);
    if (size)
        stream.ReadBuffer(data.data(), size);
    LoadFromBytes(data);
}

void TBitmap::WriteData(TStream& stream) const {
    std::vector<std::uint8_t> data = SaveToBytes();
    std::uint32_t size = static_cast<std::uint32_t>(data.size());
    stream.WriteValue(size);
    stream.WriteBuffer(data.data(), size);
}

// ---- TRasterImage -------------------------------------------------------------------------------

void TRasterImage::ReadData(TStream& stream) {
    TGraphic::ReadData(stream);
}

void TRasterImage::WriteData(TStream& stream) const {
    TGraphic::WriteData(stream);
}

std::unique_ptr<TGraphic> TRasterImage::CreateNew() const {
    return std::make_unique<TRasterImage>(format_);
}

void TRasterImage::LoadFromBytes(const std::vector<std::uint8_t>& data) {
    QImage image;
    if (!image.loadFromData(data.data(), static_cast<int>(data.size())))
        throw EInvalidGraphic("The " + format_ + " image is not valid");
    SetImage(image.convertToFormat(QImage::Format_RGB32));
}

std::vector<std::uint8_t> TRasterImage::SaveToBytes() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    std::string qtFormat = format_ == "jpg" ? "JPEG" : format_;
    if (!Image().save(&buffer, qtFormat.c_str()))
        throw EInvalidGraphicOperation("Cannot write the " + format_ + " image");
    return {bytes.begin(), bytes.end()};
}
