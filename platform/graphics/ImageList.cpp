#include "platform/graphics/ImageList.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

struct TCustomImageList::Images {
    std::vector<QImage> cells;
};

TChangeLink::~TChangeLink() {
    if (sender_)
        sender_->UnRegisterChanges(this);
}

TCustomImageList::TCustomImageList(int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)),
      images_(std::make_unique<Images>()) {}

int TCustomImageList::Count() const {
    return static_cast<int>(images_->cells.size());
}

TCustomImageList::~TCustomImageList() {
    for (TChangeLink* link : links_)
        link->sender_ = nullptr;
}

void TCustomImageList::SetSize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == width_ && height == height_)
        return;
    width_ = width;
    height_ = height;
    images_->cells.clear();
    Change();
}

int TCustomImageList::AddImages(const QImage& picture) {
    int first = Count();
    int n = std::max(1, picture.width() / width_);
    for (int i = 0; i < n; ++i) {
        QImage cell(width_, height_, QImage::Format_ARGB32);
        cell.fill(Qt::transparent);
        QPainter p(&cell);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, picture, i * width_, 0, width_, height_);
        p.end();
        images_->cells.push_back(std::move(cell));
    }
    Change();
    return first;
}

namespace {

// The picture with alpha: opaque where the mask is black (or everywhere without a mask).
QImage WithMask(const TBitmap& image, const TBitmap* mask) {
    QImage picture = TGraphicsQt::Image(image).convertToFormat(QImage::Format_ARGB32);
    if (mask && !mask->Empty()) {
        QImage m = TGraphicsQt::Image(*mask).convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x) {
                bool shown = x < m.width() && y < m.height() && qGray(m.pixel(x, y)) < 128;
                row[x] = shown ? (row[x] | 0xFF000000) : 0;
            }
        }
    }
    return picture;
}

} // namespace

int TCustomImageList::Add(const TBitmap& image, const TBitmap* mask) {
    if (image.Empty())
        return -1;
    return AddImages(WithMask(image, mask));
}

int TCustomImageList::AddMasked(const TBitmap& image, TColor maskColor) {
    if (image.Empty())
        return -1;
    QImage picture = TGraphicsQt::Image(image).convertToFormat(QImage::Format_ARGB32);
    TColor rgb = ColorToRGB(maskColor);
    QRgb key = qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)) & 0xFFFFFF;
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if ((row[x] & 0xFFFFFF) == key)
                row[x] = 0;
        }
    }
    return AddImages(picture);
}

void TCustomImageList::Replace(int index, const TBitmap& image, const TBitmap* mask) {
    if (index < 0 || index >= Count())
        throw EInvalidOperation("Invalid image list index");
    QImage picture = WithMask(image, mask);
    QImage cell(width_, height_, QImage::Format_ARGB32);
    cell.fill(Qt::transparent);
    QPainter p(&cell);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, picture, 0, 0, width_, height_);
    p.end();
    images_->cells[static_cast<std::size_t>(index)] = std::move(cell);
    Change();
}

void TCustomImageList::Delete(int index) {
    if (index < 0 || index >= Count())
        throw EInvalidOperation("Invalid image list index");
    images_->cells.erase(images_->cells.begin() + index);
    Change();
}

void TCustomImageList::Clear() {
    if (images_->cells.empty())
        return;
    images_->cells.clear();
    Change();
}

const QImage& TCustomImageList::Image(int index) const {
    if (index < 0 || index >= Count())
        throw EInvalidOperation("Invalid image list index");
    return Cell(index);
}

const QImage& TCustomImageList::Cell(int index) const {
    return images_->cells[static_cast<std::size_t>(index)];
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const {
    if (!canvas || index < 0 || index >= Count())
        return;
    const QImage& image = Cell(index);
    if (enabled) {
        TGraphicsQt::DrawImage(*canvas, x, y, image, true);
        return;
    }
    // Embossed: the shape's dark pixels in the highlight colour one pixel down and right, then in
    // the shadow colour in place.
    auto silhouette = [&](TColor color) {
        TColor rgb = ColorToRGB(color);
        QRgb c = qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
        QImage s(image.size(), QImage::Format_ARGB32);
        for (int yy = 0; yy < image.height(); ++yy) {
            const auto* src = reinterpret_cast<const QRgb*>(image.constScanLine(yy));
            auto* dst = reinterpret_cast<QRgb*>(s.scanLine(yy));
            for (int xx = 0; xx < image.width(); ++xx)
                dst[xx] = qAlpha(src[xx]) != 0 && qGray(src[xx]) < 192 ? c : 0;
        }
        return s;
    };
    TGraphicsQt::DrawImage(*canvas, x + 1, y + 1, silhouette(clBtnHighlight), true);
    TGraphicsQt::DrawImage(*canvas, x, y, silhouette(clBtnShadow), true);
}

bool TCustomImageList::GetBitmap(int index, TBitmap* bitmap) const {
    if (!bitmap || index < 0 || index >= Count())
        return false;
    bitmap->SetSize(width_, height_);
    TCanvas* c = bitmap->Canvas();
    c->FillRect(Rect(0, 0, width_, height_));
    TGraphicsQt::DrawImage(*c, 0, 0, Cell(index), true);
    return true;
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
    if (!link || std::find(links_.begin(), links_.end(), link) != links_.end())
        return;
    if (link->sender_)
        link->sender_->UnRegisterChanges(link);
    link->sender_ = this;
    links_.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
    auto it = std::find(links_.begin(), links_.end(), link);
    if (it == links_.end())
        return;
    (*it)->sender_ = nullptr;
    links_.erase(it);
}

void TCustomImageList::Change() {
    // A handler may unregister its link: walk a copy.
    std::vector<TChangeLink*> links = links_;
    for (TChangeLink* link : links) {
        if (link->sender_ == this && link->OnChange)
            link->OnChange(this);
    }
    if (OnChange)
        OnChange(this);
}
