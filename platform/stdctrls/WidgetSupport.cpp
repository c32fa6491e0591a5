#include "platform/stdctrls/WidgetSupport_p.h"

#include "platform/graphics/ImageList.h"

#include <QPalette>
#include <QPixmap>
#include <QWidget>

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

void ApplyViewColors(QWidget* widget, TColor background, TColor text) {
    const TColor b = ColorToRGB(background), t = ColorToRGB(text);
    const QColor base(GetRValue(b), GetGValue(b), GetBValue(b));
    const QColor ink(GetRValue(t), GetGValue(t), GetBValue(t));
    QPalette palette = widget->palette();
    // A disabled view keeps the style's grey text.
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, base);
    for (auto group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::Text, ink);
    if (palette != widget->palette())
        widget->setPalette(palette);
}
