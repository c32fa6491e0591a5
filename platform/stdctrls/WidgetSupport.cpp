#include "platform/stdctrls/WidgetSupport_p.h"

#include "platform/graphics/GraphicsQt_p.h"
#include "platform/graphics/ImageList.h"

#include <QPalette>
#include <QPixmap>
#include <QWidget>

QIcon IconOf(TCustomImageList* images, int index, const QIcon& fallback) {
    if (!images || index < 0 || index >= images->Count())
        return fallback;
    return QIcon(QPixmap::fromImage(TGraphicsQt::Image(*images, index)));
}

bool KeepArrowKeys(TMessage& message) {
    if (message.Msg != WM_GETDLGCODE)
        return false;
    message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    return true;
}

namespace {

QColor QtColor(TColor color) {
    const TColor c = ColorToRGB(color);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

} // namespace

void ApplyViewColors(QWidget* widget, TColor background, TColor text, bool hideSelection) {
    QPalette palette = widget->palette();
    // A disabled view keeps the style's grey text.
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, QtColor(background));
    for (auto group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::Text, QtColor(text));
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     QtColor(hideSelection ? background : clBtnFace));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     QtColor(hideSelection ? text : clBtnText));
    if (palette != widget->palette())
        widget->setPalette(palette);
}
