#include "app/mainwin/DlgSplash.h"

#include "platform/rtl/Exception.h"

namespace {

TControl* Part(const TComponent* form, const char* name) {
    auto* part = dynamic_cast<TControl*>(form->FindComponent(name));
    if (part == nullptr)
        throw EComponentError(std::string("The connection-progress window has no ") + name);
    return part;
}

} // namespace

TControl* TdlgSplash::StepPanel() const {
    return Part(this, "Panel2");
}

TControl* TdlgSplash::DoneButton() const {
    return Part(this, "Button1");
}

TControl* TdlgSplash::CancelButton() const {
    return Part(this, "CancelBtn");
}
