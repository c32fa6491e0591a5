#include "platform/forms/Monitors.h"

#include "platform/forms/Controls.h"
#include "platform/forms/Forms.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

int MonitorIndexOf(const TControl* control) {
    const TWinControl* windowed = dynamic_cast<const TWinControl*>(control);
    if (windowed == nullptr && control != nullptr)
        windowed = control->Parent();
    if (windowed == nullptr || !windowed->HandleAllocated())
        return 0;
    QScreen* screen = const_cast<TWinControl*>(windowed)->Handle()->screen();
    const int index = static_cast<int>(QGuiApplication::screens().indexOf(screen));
    return index < 0 ? 0 : index;
}
