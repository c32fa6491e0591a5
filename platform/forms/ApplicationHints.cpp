// Hints the program shows itself at a point (the chart's mark tips), through the platform's tool
// tips.

#include "platform/forms/Forms.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QToolTip>
#include <QWidget>

void TApplication::ActivateHint(TPoint screenPos, const std::string& text, TWinControl* control) {
    QWidget* widget = control != nullptr ? control->Handle() : nullptr;
    QToolTip::showText(QPoint(screenPos.X, screenPos.Y), QString::fromStdString(text), widget,
                       QRect(), hintHidePause_);
}

void TApplication::CancelHint() {
    QToolTip::hideText();
}
