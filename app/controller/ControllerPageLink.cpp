#include "app/controller/ControllerPageLink.h"

#include "app/controller/Controller.h"
#include "app/pages/FormIncl.h"
#include "app/queue/Appliers.h"
#include "app/queue/OutArray.h"
#include "platform/stdctrls/Grids.h"

TDevQuorvan& TControllerPageLink::Device() {
    return controller_.Device();
}

bool TControllerPageLink::NewerThan(int build) const {
    return controller_.NewerThan(build);
}

TControl* TControllerPageLink::Part(const std::string& name) const {
    return dynamic_cast<TControl*>(page_.FindComponent(name));
}

void TControllerPageLink::Show(const std::string& name, const std::string& text) {
    if (TControl* control = Part(name))
        controller_.Queue().PutControlText(control, text);
}

void TControllerPageLink::Mark(const std::string& name, bool ok) {
    if (TControl* label = Part(name))
        controller_.MarkLabel(label, ok);
}

void TControllerPageLink::ShowCell(const std::string& name, int col, int row,
                                   const std::string& text) {
    if (auto* grid = dynamic_cast<TStringGrid*>(Part(name)))
        controller_.Queue().PutGridCell(grid, text, row, col);
}

void TControllerPageLink::OnUserInterface(const std::function<void()>& step) {
    // What was queued before is applied first, so that the step sees the page as the unit left it.
    controller_.OnUserInterface([&] {
        DrainOutArray(controller_.Queue());
        step();
    });
}

bool TControllerPageLink::ReadSleepMode() {
    return controller_.ReadSleepMode();
}

bool TControllerPageLink::ReadAntiTheft() {
    return controller_.ReadAntiTheft();
}

TformIncl* FindViewPage(const TController& controller, const char* pageClass) {
    for (TformIncl* page : controller.View().Pages)
        if (page->ClassType()->ClassNameIs(pageClass))
            return page;
    return nullptr;
}
