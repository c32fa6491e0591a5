#include "app/worker/MainControls.h"

#include "app/queue/OutArray.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Cursors.h"
#include "platform/rtl/Threads.h"

namespace {

void SetMainControls(TOutArray& queue, const TMainControls& controls, bool enabled) {
    const char* text = enabled ? "true" : "false";
    if (controls.Tree != nullptr)
        queue.PutControlText(controls.Tree, text);
    for (TControl* button : controls.ToolButtons)
        queue.PutControlText(button, text);
    for (TComponent* menu : controls.Menus)
        queue.PutComponentEnabled(menu, text);
    // The cursor belongs to the user-interface thread: handed over, not waited for.
    const TCursor cursor = enabled ? crDefault : crHourGlass;
    TThread::Queue(nullptr, [cursor] {
        if (Screen != nullptr)
            Screen->SetCursor(cursor);
    });
}

} // namespace

void DisableMainControls(TOutArray& queue, const TMainControls& controls) {
    SetMainControls(queue, controls, false);
}

void EnableMainControls(TOutArray& queue, const TMainControls& controls) {
    SetMainControls(queue, controls, true);
}
