// Applying a language to a form of 500 labels with 2,000 entries (a caption, a hint, a font and
// a charset per label): each iteration switches between the two languages, so every text, font
// name and charset really changes. The budget is 50 ms a switch; "of_budget" reports the processor
// time of one switch divided by it (below 1 meets it).

#include "i18n/lang/LocLang.h"
#include "platform/forms/Forms.h"
#include "platform/stdctrls/Label.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QtGlobal>

#include <ctime>
#include <memory>
#include <string>

namespace {

void EnsureApp() {
    static TApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_i18n_apply";
        static char* argv[] = {name, nullptr};
        return new TApplication(argc, argv);
    }();
    (void)app;
}

class TfrmBench : public TForm {
    Q4_CLASS(TfrmBench, TForm)
public:
    explicit TfrmBench(TComponent* owner) : TForm(owner) {}
};

void BM_ApplyLanguage(benchmark::State& state) {
    EnsureApp();
    const int labels = static_cast<int>(state.range(0));
    auto form = std::make_unique<TfrmBench>(nullptr);
    form->SetName("frmBench");
    auto* loc = new TLocLang(form.get());
    TStringList names{"One", "Two"};
    loc->SetLangNames(&names);
    const std::string d(1, '\x01');
    for (int i = 0; i < labels; ++i) {
        auto* label = new TLabel(form.get());
        const std::string name = "Label" + std::to_string(i);
        label->SetName(name);
        label->SetParent(form.get());
        label->SetParentFont(false);
        const std::string n = std::to_string(i);
        loc->GetStringsOfType(stCaptions)->Add(name + d + "Caption " + n + d + "Title " + n + d);
        loc->GetStringsOfType(stHints)->Add(name + d + "Hint " + n + d + "Tip " + n + d);
        loc->GetStringsOfType(stFonts)->Add(name + d + "Arial" + d + "Tahoma" + d);
        loc->GetStringsOfType(stCharSets)
            ->Add(name + d + "DEFAULT_CHARSET" + d + "RUSSIAN_CHARSET" + d);
    }
    int language = 1;
    // Processor time, so that other work on the machine does not skew the measure.
    auto now = [] { return double(std::clock()) / CLOCKS_PER_SEC; };
    double spent = 0;
    for (auto _ : state) {
        language = 3 - language;
        const double start = now();
        loc->SetActiveLanguage(language);
        spent += now() - start;
    }
    state.counters["entries"] = 4.0 * labels;
    const double budgets = spent / 0.050;
    state.counters["of_budget"] = benchmark::Counter(budgets, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ApplyLanguage)->Arg(500)->Unit(benchmark::kMillisecond);

} // namespace
