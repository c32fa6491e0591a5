// Every label of the editor windows whose caption has an accelerator names the control it
// focuses, a control of the same window.
#include "chart/editors/AnnotationToolEdit.h"
#include "chart/editors/AxisIncrement.h"
#include "chart/editors/BackImageEditor.h"
#include "chart/editors/FiltersEditor.h"
#include "chart/editors/FontEditor.h"
#include "chart/editors/FunctionEditor.h"
#include "chart/editors/GradientEditor.h"
#include "chart/editors/MarginsEditor.h"
#include "chart/editors/PageNumToolEdit.h"
#include "chart/editors/PenDialog.h"
#include "chart/editors/PointerEditor.h"
#include "chart/editors/ShadowEditor.h"
#include "chart/editors/ShapeEditor.h"
#include "platform/stdctrls/Label.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

bool HasAccelerator(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i)
        if (caption[i] == '&') {
            if (caption[i + 1] != '&')
                return true;
            ++i;
        }
    return false;
}

// The names of the window's accelerated labels without a control of the window to focus.
std::vector<std::string> UnboundLabels(TCustomForm* form) {
    std::vector<std::string> unbound;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* label = dynamic_cast<TCustomLabel*>(form->Components(i));
        if (label == nullptr || !HasAccelerator(label->Caption()))
            continue;
        TWinControl* target = label->FocusControl();
        if (target == nullptr || target->Owner() != form)
            unbound.push_back(label->Name());
    }
    return unbound;
}

template <class F> TCustomForm* Make() {
    return TCustomForm::Create<F>(nullptr);
}

TEST(EditorLabels, AcceleratedLabelsFocusAControlOfTheirWindow) {
    const std::vector<std::pair<const char*, std::function<TCustomForm*()>>> windows = {
        {"annotation", Make<TAnnotationToolEdit>}, {"increment", Make<TAxisIncrement>},
        {"back image", Make<TBackImageEditor>},    {"filters", Make<TFiltersEditor>},
        {"shape", Make<TFormPlotShape>},           {"margins", Make<TMarginsEditor>},
        {"page number", Make<TPageNumToolEdit>},   {"pen", Make<TPenDialog>},
        {"font", Make<TPlotFontEditor>},           {"function", Make<TPlotFunctionEditor>},
        {"gradient", Make<TPlotGradientEditor>},   {"shadow", Make<TPlotShadowEditor>},
        {"pointer", Make<TSeriesPointerEditor>},
    };
    for (const auto& [name, make] : windows) {
        TCustomForm* form = make();
        EXPECT_EQ(UnboundLabels(form), std::vector<std::string>{}) << name;
        form->Free();
    }
}

} // namespace
