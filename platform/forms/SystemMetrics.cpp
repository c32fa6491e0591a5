#include "platform/forms/SystemMetrics.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    default:
        return 0;
    }
}

int WheelScrollLines() {
    return std::max(1, QApplication::wheelScrollLines());
}
