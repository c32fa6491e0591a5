#include "app/util/BoolText.h"

#include "platform/rtl/Strings.h"

bool TryBoolText(std::string_view text, bool& value) {
    int32_t number = 0;
    if (TryStrToInt(text, number)) {
        value = number != 0;
        return true;
    }
    if (SameText(text, "true") || SameText(text, "false")) {
        value = SameText(text, "true");
        return true;
    }
    return false;
}

bool BoolText(std::string_view text) {
    bool value = false;
    return TryBoolText(text, value) && value;
}
