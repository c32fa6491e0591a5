#include "platform/stdctrls/WidgetSupport.h"

#include "platform/graphics/ImageList.h"

#include <QPixmap>

QIcon IconOf(TCustomImageList* images, int index, const QIcon& fallback) {
    if (!images || index < 0 || index >= images->Count())
        return fallback;
    return QIcon(QPixmap::fromImage(images->Image(index)));
}

bool KeepArrowKeys(TMessage& message) {
    if (message.Msg != WM_GETDLGCODE)
        return false;
    message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    return true;
}
