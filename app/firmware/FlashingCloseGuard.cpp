#include "app/firmware/FlashingCloseGuard.h"

#include "platform/forms/Forms.h"

void RefuseCloseWhileFlashing(TCustomForm& window, std::function<bool()> flashing) {
    TCloseQueryEvent before = window.OnCloseQuery;
    window.OnCloseQuery = [before = std::move(before),
                           flashing = std::move(flashing)](TObject* sender, bool& canClose) {
        if (flashing && flashing()) {
            canClose = false;
            return;
        }
        if (before)
            before(sender, canClose);
    };
}
