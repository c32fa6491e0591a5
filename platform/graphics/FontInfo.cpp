#include "platform/graphics/FontInfo.h"

#include "platform/graphics/Graphics.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <QFontDatabase>
#include <QFontInfo>

bool FontIsScalable(const TFont& font) {
    const QFontInfo info(TGraphicsQt::Font(font));
    return QFontDatabase::isSmoothlyScalable(info.family(), info.styleName());
}
