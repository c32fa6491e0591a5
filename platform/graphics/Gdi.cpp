#include "platform/graphics/Gdi.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <QImage>

int GetDeviceCaps(HDC dc, int index) {
    const QImage* image = dc ? TGraphicsQt::Image(*dc) : nullptr;
    int w = image ? image->width() : 0;
    int h = image ? image->height() : 0;
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case HORZRES:
        return w;
    case VERTRES:
        return h;
    case HORZSIZE:
        return (w * 254 + 480) / 960;
    case VERTSIZE:
        return (h * 254 + 480) / 960;
    case BITSPIXEL:
        return 32;
    case NUMCOLORS:
        return -1;
    default:
        return 0;
    }
}
