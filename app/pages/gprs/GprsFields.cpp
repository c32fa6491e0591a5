#include "app/pages/gprs/GprsFields.h"

#include "app/pages/MaskedNumber.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Strings.h"

#include <algorithm>

std::vector<std::string> RestartTimeItems(int first) {
    std::vector<std::string> items;
    for (int minutes = first; minutes <= RestartTimeLast; ++minutes)
        items.push_back(IntToStr(minutes) + " минут");
    return items;
}

int RestartTimeItem(int minutes, int first) {
    return minutes >= first && minutes <= RestartTimeLast ? minutes - first : -1;
}

std::string ClampOnlineTime(const std::string& text) {
    return Format("%.5d", {std::clamp(MaskedNumber(text), MinOnlineSeconds, MaxOnlineSeconds)});
}
