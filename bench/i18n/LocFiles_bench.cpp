// Speed of external translation files: loading one kind of a big shared file (keys in the order
// a translator left them, so the in-memory ini file has to sort them) must grow no worse than
// n log n. Compare the 5,000-key and the 20,000-key runs (the reported Big O fits both).

#include "i18n/lang/LocLang.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Streams.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

class TBenchForm : public TComponent {
    Q4_CLASS(TBenchForm, TComponent)
    explicit TBenchForm(TComponent* owner) : TComponent(owner) {}
};

// A file of n keys of the form's Strings, shuffled, with texts of two languages, and as many
// keys of another form.
std::string TranslationFile(int n) {
    std::vector<std::string> lines;
    for (int i = 0; i < n; ++i) {
        const std::string id = std::to_string(i * 7919 % 1000003);
        lines.push_back("TBenchForm.Msg" + id + "=\xD2\xE5\xEA\xF1\xF2 " + id + "~!@#Text " + id +
                        "~!@#");
        lines.push_back("TOtherForm.Msg" + id + "=x~!@#y~!@#");
    }
    std::shuffle(lines.begin(), lines.end(), std::mt19937(20261210));
    std::string text = "[OPTIONS]\r\nDELIMITER=~!@#\r\n"
                       "[Language names - for internal use only!]\r\n"
                       "Language_1=Russian\r\nLanguage_2=English\r\n[Strings]\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

void BM_LoadTranslationFile(benchmark::State& state) {
    InitLocaliserClasses();
    const int n = static_cast<int>(state.range(0));
    const std::string file = TranslationFile(n);
    TBenchForm form(nullptr);
    auto* loc = new TLocLang(&form);
    loc->FileBusy = true;
    for (auto _ : state) {
        TStringStream stream(file);
        if (loc->LoadTypeFromStream(stStrings, stream, true) != 2 * n)
            state.SkipWithError("keys missing");
    }
    state.SetComplexityN(n);
    state.counters["entries"] = loc->GetStringsOfType(stStrings)->Count();
}
BENCHMARK(BM_LoadTranslationFile)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

void BM_SaveTranslationFile(benchmark::State& state) {
    InitLocaliserClasses();
    const int n = static_cast<int>(state.range(0));
    TBenchForm form(nullptr);
    auto* loc = new TLocLang(&form);
    loc->FileBusy = true;
    TStringStream source(TranslationFile(n));
    loc->LoadTypeFromStream(stStrings, source, true);
    for (auto _ : state) {
        TStringStream stream;
        loc->SaveAllToStream(stream, "~!@#");
        benchmark::DoNotOptimize(stream.Size());
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_SaveTranslationFile)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

} // namespace
