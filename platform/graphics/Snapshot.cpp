#include "platform/graphics/Snapshot_p.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <QDir>
#include <QImage>

#include <cstdlib>

std::string SaveSnapshot(const QImage& image, const std::string& name) {
    QString path = QString::fromStdString(name);
    if (QDir::isRelativePath(path)) {
        const char* dir = std::getenv("Q4_SNAPSHOT_DIR");
        QDir base(dir && *dir ? QString::fromLocal8Bit(dir) : QDir::currentPath());
        base.mkpath(QStringLiteral("."));
        path = base.filePath(path);
    }
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        path += QStringLiteral(".png");
    if (image.isNull() || !image.save(path, "PNG"))
        return {};
    return path.toStdString();
}

std::string SaveSnapshot(TCanvas& canvas, const std::string& name) {
    canvas.Flush();
    if (!TGraphicsQt::Image(canvas))
        return {};
    return SaveSnapshot(*TGraphicsQt::Image(canvas), name);
}

std::string SaveSnapshot(const TBitmap& bitmap, const std::string& name) {
    return SaveSnapshot(TGraphicsQt::Image(bitmap), name);
}
