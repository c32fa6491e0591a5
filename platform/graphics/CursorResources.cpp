#include "platform/graphics/CursorResources.h"

#include "platform/classes/Resources.h"
#include "platform/graphics/Cursors_p.h"

#include <QByteArray>
#include <QImage>

namespace {

std::uint16_t Word(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

} // namespace

bool LoadCursorResource(TCursor cursor, std::string_view name) {
    if (!FindResource(name, RT_CURSOR))
        return false;
    const std::string bytes = LoadResourceBytes(name, RT_CURSOR);
    // A cursor file: reserved 0, type 2, at least one entry; the first entry's hot spot.
    constexpr std::size_t kFirstEntry = 6;
    if (bytes.size() < kFirstEntry + 16 || Word(bytes, 0) != 0 || Word(bytes, 2) != 2 ||
        Word(bytes, 4) == 0)
        return false;
    const QImage image = QImage::fromData(
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())), "CUR");
    if (image.isNull())
        return false;
    const int hotX = std::min<int>(Word(bytes, kFirstEntry + 4), image.width() - 1);
    const int hotY = std::min<int>(Word(bytes, kFirstEntry + 6), image.height() - 1);
    RegisterCursor(cursor, image, hotX, hotY);
    return true;
}

void RemoveCursor(TCursor cursor) {
    UnregisterCursor(cursor);
}
