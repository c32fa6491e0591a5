#include "platform/forms/Clipbrd.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "platform/graphics/Metafile.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>
#include <memory>

bool TClipboard::HasText() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

std::string TClipboard::AsText() const {
    return QGuiApplication::clipboard()->text().toStdString();
}

void TClipboard::SetAsText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void TClipboard::Assign(const TGraphic& graphic) {
    TBitmap bitmap(std::max(1, graphic.Width()), std::max(1, graphic.Height()), pf32bit);
    if (auto* source = dynamic_cast<const TBitmap*>(&graphic))
        bitmap.Assign(*source);
    else
        graphic.Draw(bitmap.Canvas(), {0, 0, bitmap.Width(), bitmap.Height()});
    auto data = std::make_unique<QMimeData>();
    data->setImageData(TGraphicsQt::Image(bitmap).copy());
    if (auto* metafile = dynamic_cast<const TMetafile*>(&graphic)) {
        std::vector<std::uint8_t> file = metafile->SaveToBytes();
        data->setData(metafile->Enhanced() ? "image/x-emf" : "image/x-wmf",
                      QByteArray(reinterpret_cast<const char*>(file.data()),
                                 static_cast<qsizetype>(file.size())));
    }
    QGuiApplication::clipboard()->setMimeData(data.release());
}

bool TClipboard::HasImage() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasImage();
}

std::vector<std::uint8_t> TClipboard::ImageAsBmp() const {
    QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull())
        return {};
    TBitmap bitmap;
    TGraphicsQt::SetImage(bitmap, image.convertToFormat(QImage::Format_RGB32));
    bitmap.SetPixelFormat(pf32bit);
    return bitmap.SaveToBytes();
}

std::vector<std::uint8_t> TClipboard::Data(const std::string& mimeType) const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr)
        return {};
    QByteArray bytes = data->data(QString::fromStdString(mimeType));
    return {bytes.begin(), bytes.end()};
}

void TClipboard::Clear() {
    QGuiApplication::clipboard()->clear();
}

TClipboard* Clipboard() {
    static TClipboard clipboard;
    return &clipboard;
}
