#include "platform/graphics/Snapshot_p.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

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
    if (!canvas.Image())
        return {};
    return SaveSnapshot(*canvas.Image(), name);
}

std::string SaveSnapshot(const TBitmap& bitmap, const std::string& name) {
    return SaveSnapshot(bitmap.Image(), name);
}
