#include "platform/graphics/FontInfo.h"

#include "platform/graphics/Graphics.h"

#include <QFontDatabase>
#include <QFontInfo>

bool FontIsScalable(const TFont& font) {
    const QFontInfo info(font.QtFont());
    return QFontDatabase::isSmoothlyScalable(info.family(), info.styleName());
}
