#include "chart/core/ChartErrorBox.h"

#include "platform/forms/Forms.h"

#include <cstdio>
#include <utility>

namespace {

TChartErrorBoxHook& Hook() {
    static TChartErrorBoxHook hook;
    return hook;
}

} // namespace

TChartErrorBoxHook SetChartErrorBoxHook(TChartErrorBoxHook hook) {
    return std::exchange(Hook(), std::move(hook));
}

void ShowChartError(const std::string& text) {
    if (Hook()) {
        Hook()(text);
        return;
    }
    if (Application) {
        Application->MessageBox(text, "", MB_OK | MB_ICONERROR);
        return;
    }
    // No windows to show it in: the text still reaches the operator's console.
    std::fprintf(stderr, "%s\n", text.c_str());
}
