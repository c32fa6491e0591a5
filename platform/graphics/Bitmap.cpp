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

// The sixteen colours a four-bit bitmap of more colours is brought to: the classic palette.
const QList<QRgb>& SixteenColors() {
    static const QList<QRgb> colors{
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(128, 128, 128),
        qRgb(192, 192, 192), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    return colors;
}

// The pixels as palette indices for the depths that keep a palette (1, 4 and 8 bits).
QImage IndexedFor(const QImage& image, int bits) {
    if (bits == 1)
        return image.convertToFormat(QImage::Format_Indexed8, {qRgb(0, 0, 0), qRgb(255, 255, 255)},
                                     Qt::ThresholdDither);
    QImage exact = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    // A four-bit bitmap of at most sixteen colours keeps them; more are brought to the classic
    // sixteen.
    if (bits == 4 && exact.colorCount() > 16)
        return image.convertToFormat(QImage::Format_Indexed8, SixteenColors(), Qt::ThresholdDither);
    return exact;
}

// BITMAPFILEHEADER and BITMAPINFOHEADER; sixteen-bit rows of the 5-6-5 kind carry their three
// colour masks after the header (bit fields), the 5-5-5 kind is the plain sixteen-bit layout.
void PutBmpHeaders(std::vector<std::uint8_t>& out, int w, int h, int fileBits, bool bitFields,
                   std::uint32_t offset, std::uint32_t imageSize) {
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageSize);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(w));
    Put32(out, static_cast<std::uint32_t>(h));
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(fileBits));
    Put32(out, bitFields ? 3 : 0); // bit fields or uncompressed
    Put32(out, imageSize);
    Put32(out, 3780); // 96 dots per inch
    Put32(out, 3780);
    Put32(out, fileBits <= 8 ? (1u << fileBits) : 0);
    Put32(out, 0);
    if (bitFields) {
        Put32(out, 0xF800);
        Put32(out, 0x07E0);
        Put32(out, 0x001F);
    }
}

// One row of palette indices packed at 1, 4 or 8 bits per pixel, high bits first.
void PutIndexRow(std::vector<std::uint8_t>& out, const std::uint8_t* row, int w, int bits) {
    if (bits == 8) {
        out.insert(out.end(), row, row + w);
        return;
    }
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    std::uint8_t acc = 0;
    for (int x = 0; x < w; ++x) {
        int shift = (perByte - 1 - x % perByte) * bits;
        acc = static_cast<std::uint8_t>(acc | ((row[x] & mask) << shift));
        if (x % perByte == perByte - 1 || x == w - 1) {
            out.push_back(acc);
            acc = 0;
        }
    }
}

// One row of true colours: 5-5-5 (bits 15) or 5-6-5 (bits 16) words, or blue, green, red bytes
// (and a fourth byte at 32 bits).
void PutColorRow(std::vector<std::uint8_t>& out, const QRgb* row, int w, int bits) {
    for (int x = 0; x < w; ++x) {
        unsigned r = qRed(row[x]), g = qGreen(row[x]), b = qBlue(row[x]);
        if (bits == 15) {
            Put16(out, ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
        } else if (bits == 16) {
            Put16(out, ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
        } else {
            out.push_back(static_cast<std::uint8_t>(b));
            out.push_back(static_cast<std::uint8_t>(g));
            out.push_back(static_cast<std::uint8_t>(r));
            if (bits == 32)
                out.push_back(0);
        }
    }
}

// A bottom-up BMP with 1, 4, 8, 15 (as 16-bit 5-5-5 words), 16 (5-6-5), 24 or 32 bits per pixel.
std::vector<std::uint8_t> WriteBmp(const QImage& source, int bits) {
    QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    const int fileBits = bits == 15 ? 16 : bits;
    const bool bitFields = bits == 16;
    std::uint32_t stride = ((static_cast<std::uint32_t>(w) * fileBits + 31) / 32) * 4;
    std::uint32_t paletteSize = fileBits <= 8 ? (1u << fileBits) * 4 : 0;
    std::uint32_t offset = 14 + 40 + (bitFields ? 12 : 0) + paletteSize;
    std::uint32_t imageSize = stride * static_cast<std::uint32_t>(h);
    std::vector<std::uint8_t> out;
    out.reserve(offset + imageSize);
    PutBmpHeaders(out, w, h, fileBits, bitFields, offset, imageSize);
    QImage indexed;
    if (bits <= 8) {
        indexed = IndexedFor(image, bits);
        QList<QRgb> palette = indexed.colorTable();
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
        if (bits <= 8)
            PutIndexRow(out, indexed.constScanLine(y), w, bits);
        else
            PutColorRow(out, reinterpret_cast<const QRgb*>(image.constScanLine(y)), w, bits);
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
        // Plain sixteen-bit rows are 5-5-5; bit fields with a six-bit green are 5-6-5.
        return data.size() >= 62 && data[30] == 3 && data[58] == 0xE0 && data[59] == 0x07 ? pf16bit
                                                                                          : pf15bit;
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
        bits = 4;
        break;
    case pf8bit:
        bits = 8;
        break;
    case pf15bit:
        bits = 15;
        break;
    case pf16bit:
        bits = 16;
        break;
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
