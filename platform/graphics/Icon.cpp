#include "platform/graphics/Icon.h"

#include "platform/graphics/Canvas.h"
#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <QBuffer>
#include <QImage>

TIcon::TIcon() : image_(std::make_unique<QImage>()) {}
TIcon::~TIcon() = default;

void TIcon::Assign(const TGraphic& source) {
    const auto* icon = dynamic_cast<const TIcon*>(&source);
    if (!icon) {
        TGraphic::Assign(source);
        return;
    }
    if (icon != this)
        SetImage(icon->Image());
}

bool TIcon::Empty() const {
    return image_->isNull();
}
int TIcon::Width() const {
    return image_->width();
}
int TIcon::Height() const {
    return image_->height();
}

void TIcon::SetWidth(int) {
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::SetHeight(int) {
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::Draw(TCanvas* canvas, const TRect& r) const {
    if (canvas && !Empty())
        TGraphicsQt::StretchDrawImage(*canvas, r, *image_, true);
}

void TIcon::LoadFromBytes(const std::vector<std::uint8_t>& data) {
    QImage image;
    if (!image.loadFromData(data.data(), static_cast<int>(data.size())))
        throw EInvalidGraphic("Invalid icon data");
    SetImage(image);
}

std::vector<std::uint8_t> TIcon::SaveToBytes() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image_->save(&buffer, "ICO") && !image_->save(&buffer, "PNG"))
        throw EInvalidGraphicOperation("Cannot write the icon");
    return {bytes.begin(), bytes.end()};
}

void TIcon::SetImage(const QImage& image) {
    *image_ = image.convertToFormat(QImage::Format_ARGB32);
    Changed();
}
