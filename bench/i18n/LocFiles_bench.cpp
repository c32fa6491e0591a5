// Speed of external translation files: loading one kind of a big shared file (keys in the order
// a translator left them, so the in-memory ini file has to sort them) must grow no worse than
// n log n. BM_LoadGrowth loads 5,000 and 20,000 keys in every iteration and reports the ratio of
// the fastest times of the two beside the ratio n log n predicts (4.65; quadratic would be 16).

#include "i18n/lang/LocLang.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Streams.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
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

// Loads the Strings of a file made by TranslationFile(n); false when keys went missing.
bool LoadStrings(TLocLang* loc, const std::string& file, int n) {
    TStringStream stream(file);
    return loc->LoadTypeFromStream(stStrings, stream, true) == 2 * n;
}

void BM_LoadTranslationFile(benchmark::State& state) {
    InitLocaliserClasses();
    const int n = static_cast<int>(state.range(0));
    const std::string file = TranslationFile(n);
    TBenchForm form(nullptr);
    auto* loc = new TLocLang(&form);
    loc->FileBusy = true;
    for (auto _ : state)
        if (!LoadStrings(loc, file, n))
            state.SkipWithError("keys missing");
    state.SetComplexityN(n);
    state.counters["entries"] = loc->GetStringsOfType(stStrings)->Count();
}
BENCHMARK(BM_LoadTranslationFile)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

void BM_LoadGrowth(benchmark::State& state) {
    InitLocaliserClasses();
    constexpr int small = 5000, large = 20000;
    const std::string smallFile = TranslationFile(small), largeFile = TranslationFile(large);
    // One localiser per size, so that each load finds the state its own size left.
    TBenchForm smallForm(nullptr), largeForm(nullptr);
    auto* smallLoc = new TLocLang(&smallForm);
    auto* largeLoc = new TLocLang(&largeForm);
    smallLoc->FileBusy = largeLoc->FileBusy = true;
    // Processor time, so that other work on the machine does not skew the comparison.
    auto now = [] { return double(std::clock()) / CLOCKS_PER_SEC; };
    // The fastest load of each size: the least disturbed by the rest of the machine.
    double smallTime = 1e9, largeTime = 1e9;
    for (auto _ : state) {
        const double start = now();
        const bool smallOk = LoadStrings(smallLoc, smallFile, small);
        const double middle = now();
        const bool largeOk = LoadStrings(largeLoc, largeFile, large);
        largeTime = std::min(largeTime, now() - middle);
        smallTime = std::min(smallTime, middle - start);
        if (!smallOk || !largeOk)
            state.SkipWithError("keys missing");
    }
    const double nLogN = (large * std::log(double(large))) / (small * std::log(double(small)));
    state.counters["ratio_20k_5k"] = largeTime / smallTime;
    state.counters["nlogn_ratio"] = nLogN;
}
BENCHMARK(BM_LoadGrowth)->MinTime(3)->Unit(benchmark::kMillisecond);

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
