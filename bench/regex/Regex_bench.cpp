// Searches a few megabytes of service-log text for every match of a set of realistic patterns with
// this engine, with PCRE2 (interpreter, no JIT) and with std::regex, and prints the time ratios.
//
//   bench_regex [--benchmark_filter=...]
//
// Each engine counts the non-overlapping matches from the start of the text to its end; the
// counts are compared, so a faster but wrong engine does not pass unnoticed.
//
// A second set compiles a pattern of many alternatives ("k0|k1|...") of growing size with this
// engine and with PCRE2; the time per alternative should stay flat as the count grows.

#include "bench/support/TimesReporter.h"
#include "regex/Regex.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <regex>
#include <string>
#include <vector>

namespace {

struct PatternCase {
    const char* name;
    const char* pattern; // the same text for all three engines
    bool caseless;
};

// Windows-1251 words, as the unit and the settings files carry them.
const char* const kRussian[] = {
    "\xEE\xF8\xE8\xE1\xEA\xE0",                     // ошибка
    "\xED\xE0\xEF\xF0\xFF\xE6\xE5\xED\xE8\xE5",     // напряжение
    "\xEF\xEE\xE4\xEA\xEB\xFE\xF7\xE5\xED\xE8\xE5", // подключение
    "\xE7\xE0\xEF\xE8\xF1\xFC",                     // запись
    "\xF7\xF2\xE5\xED\xE8\xE5",                     // чтение
};
const char* const kWords[] = {"the",   "unit",    "reply",   "sending", "received", "timeout",
                              "modem", "waiting", "history", "record",  "port",     "connection",
                              "error", "warning", "setting", "value",   "GPRS",     "Timeout"};
const char* const kNames[] = {"ivan.petrov", "service", "a.sidorov", "info", "support_team"};
const char* const kDomains[] = {"example.ru", "mail.example.com", "tracker.net"};

const PatternCase kCases[] = {
    {"version", "REV [0-9]{2}\\.[0-9]{3}\\.[0-9]{3}", false},
    {"shell", ".[0-9]{3}.", false},
    {"literal", "connection", false},
    {"literal_ru", "\xEE\xF8\xE8\xE1\xEA\xE0", false},
    {"digits", "[0-9]+", false},
    {"word_ing", "[a-z]+ing", false},
    {"alternation", "error|warning|fatal", false},
    {"email", "[a-zA-Z0-9._]+@[a-zA-Z0-9.]+\\.[a-z]{2,}", false},
    {"date", "[0-9]{2}\\.[0-9]{2}\\.[0-9]{4}", false},
    {"caseless", "timeout", true},
};

const std::string& Text() {
    static const std::string text = [] {
        std::mt19937 gen(2026);
        auto rnd = [&gen] { return static_cast<unsigned>(gen()); };
        auto pick = [&rnd](auto& list) { return list[rnd() % (sizeof(list) / sizeof(list[0]))]; };
        std::string t;
        char buf[64];
        while (t.size() < 4u * 1024 * 1024) {
            std::snprintf(buf, sizeof buf, "%02u.%02u.%04u %02u:%02u:%02u ", 1 + rnd() % 28,
                          1 + rnd() % 12, 2020 + rnd() % 7, rnd() % 24, rnd() % 60, rnd() % 60);
            t += buf;
            int words = 4 + static_cast<int>(rnd() % 10);
            for (int i = 0; i < words; ++i) {
                unsigned k = rnd() % 100;
                if (k < 60)
                    t += pick(kWords);
                else if (k < 80)
                    t += pick(kRussian);
                else if (k < 90)
                    t += std::to_string(rnd() % 100000);
                else if (k < 93)
                    t += std::string(pick(kNames)) + "@" + pick(kDomains);
                else if (k < 96) {
                    std::snprintf(buf, sizeof buf, "REV %02u.%03u.%03u", rnd() % 10,
                                  500 + rnd() % 5, rnd() % 100);
                    t += buf;
                } else
                    t += "voltage=" + std::to_string(rnd() % 300 / 10.0).substr(0, 4);
                t += ' ';
            }
            t += "\n";
        }
        return t;
    }();
    return text;
}

std::map<std::string, long> g_counts; // "case/engine" -> matches found

// The engine searches its own copy of the input; the copy is made once, as a caller that searches
// one text repeatedly would, so that all three engines are timed on searching alone.
TRegex& OurEngine(const std::string& text) {
    static TRegex r;
    static bool loaded = false;
    if (!loaded) {
        r.SetExpression("x");
        r.Exec(text);
        loaded = true;
    }
    return r;
}

long CountOurs(const PatternCase& c, const std::string& text) {
    TRegex& r = OurEngine(text);
    r.SetExpression(c.caseless ? std::string("(?i)") + c.pattern : std::string(c.pattern));
    long count = 0;
    bool found = r.ExecPos(1);
    while (found) {
        ++count;
        int next = r.MatchPos(0) + (r.MatchLen(0) > 0 ? r.MatchLen(0) : 1);
        found = r.ExecPos(next);
    }
    return count;
}

long CountPcre2(const PatternCase& c, const std::string& text) {
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    pcre2_code* code =
        pcre2_compile(reinterpret_cast<PCRE2_SPTR>(c.pattern), PCRE2_ZERO_TERMINATED,
                      c.caseless ? PCRE2_CASELESS : 0, &error, &errorOffset, nullptr);
    if (!code)
        return -1;
    pcre2_match_data* data = pcre2_match_data_create_from_pattern(code, nullptr);
    long count = 0;
    PCRE2_SIZE offset = 0;
    const auto* subject = reinterpret_cast<PCRE2_SPTR>(text.data());
    while (pcre2_match(code, subject, text.size(), offset, 0, data, nullptr) > 0) {
        ++count;
        PCRE2_SIZE* ov = pcre2_get_ovector_pointer(data);
        offset = ov[1] > ov[0] ? ov[1] : ov[0] + 1;
    }
    pcre2_match_data_free(data);
    pcre2_code_free(code);
    return count;
}

long CountStd(const PatternCase& c, const std::string& text) {
    auto flags = std::regex::ECMAScript;
    if (c.caseless)
        flags |= std::regex::icase;
    std::regex re(c.pattern, flags);
    return std::distance(std::sregex_iterator(text.begin(), text.end(), re),
                         std::sregex_iterator());
}

// "k0|k1|...|k<n-1>": every alternative a distinct short word.
std::string Alternatives(int n) {
    std::string p;
    for (int i = 0; i < n; ++i) {
        if (i)
            p += '|';
        p += 'k' + std::to_string(i);
    }
    return p;
}

constexpr int kAlternativeCounts[] = {1000, 5000, 10000, 100000};
// PCRE2 as the system builds it refuses a compiled pattern over 64 KiB ("regular expression is
// too large"): some 6,000 of these alternatives. Beyond that only this engine is timed.
constexpr int kPcre2MaxAlternatives = 5000;

// Compiling, plus one search of a short text, as a caller that sets a new expression pays.
void CompileOurs(benchmark::State& state) {
    const std::string pattern = Alternatives(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TRegex r;
        r.SetExpression(pattern);
        const bool found = r.Exec("k99");
        benchmark::DoNotOptimize(found);
        if (!found)
            state.SkipWithError("the alternatives do not match");
    }
    state.counters["per_alternative_ns"] = benchmark::Counter(
        static_cast<double>(state.range(0)),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void CompilePcre2(benchmark::State& state) {
    const std::string pattern = Alternatives(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        int error = 0;
        PCRE2_SIZE errorOffset = 0;
        pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()),
                                         pattern.size(), 0, &error, &errorOffset, nullptr);
        if (!code) {
            state.SkipWithError("PCRE2 refused the pattern");
            break;
        }
        pcre2_match_data* data = pcre2_match_data_create_from_pattern(code, nullptr);
        const int found =
            pcre2_match(code, reinterpret_cast<PCRE2_SPTR>("k99"), 3, 0, 0, data, nullptr);
        benchmark::DoNotOptimize(found);
        pcre2_match_data_free(data);
        pcre2_code_free(code);
    }
    state.counters["per_alternative_ns"] = benchmark::Counter(
        static_cast<double>(state.range(0)),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

template <long (*Count)(const PatternCase&, const std::string&)>
void Run(benchmark::State& state, const PatternCase* c, const char* engine) {
    const std::string& text = Text();
    long count = 0;
    for (auto _ : state) {
        count = Count(*c, text);
        benchmark::DoNotOptimize(count);
    }
    state.counters["matches"] = static_cast<double>(count);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    g_counts[std::string(c->name) + "/" + engine] = count;
}

// Keeps each run's time per iteration for the ratio table.
} // namespace

int main(int argc, char** argv) {
    for (const PatternCase& c : kCases) {
        benchmark::RegisterBenchmark((std::string("regex/") + c.name + "/q4").c_str(),
                                     Run<CountOurs>, &c, "q4")
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("regex/") + c.name + "/pcre2").c_str(),
                                     Run<CountPcre2>, &c, "pcre2")
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("regex/") + c.name + "/std").c_str(),
                                     Run<CountStd>, &c, "std")
            ->Unit(benchmark::kMillisecond);
    }
    for (int n : kAlternativeCounts) {
        benchmark::RegisterBenchmark("compile/alternatives/q4", CompileOurs)
            ->Arg(n)
            ->Unit(benchmark::kMillisecond);
        if (n <= kPcre2MaxAlternatives)
            benchmark::RegisterBenchmark("compile/alternatives/pcre2", CompilePcre2)
                ->Arg(n)
                ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    TTimesReporter reporter; // "regex/case/engine" -> ns per iteration
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n%-12s %12s %12s %12s %10s %10s  %s\n", "pattern", "q4 ms", "pcre2 ms", "std ms",
                "q4/pcre2", "q4/std", "matches");
    bool countsAgree = true;
    for (const PatternCase& c : kCases) {
        const std::string base = c.name;
        auto time = [&](const char* engine) {
            auto it = reporter.times.find("regex/" + base + "/" + engine);
            return it == reporter.times.end() ? 0.0 : it->second;
        };
        double q4 = time("q4"), pcre = time("pcre2"), stdr = time("std");
        if (q4 == 0)
            continue;
        long n = g_counts[base + "/q4"];
        for (const char* engine : {"pcre2", "std"}) {
            auto it = g_counts.find(base + "/" + engine);
            if (it != g_counts.end() && it->second != n) {
                countsAgree = false;
                std::printf("MATCH COUNT DIFFERS for %s: q4 %ld, %s %ld\n", c.name, n, engine,
                            it->second);
            }
        }
        std::printf("%-12s %12.2f %12.2f %12.2f %10.2f %10.3f  %ld\n", c.name, q4, pcre, stdr,
                    pcre > 0 ? q4 / pcre : 0.0, stdr > 0 ? q4 / stdr : 0.0, n);
    }

    std::printf("\n%-22s %12s %12s %10s %14s\n", "compile alternatives", "q4 ms", "pcre2 ms",
                "q4/pcre2", "q4 ns/alt");
    for (int n : kAlternativeCounts) {
        const std::string arg = "/" + std::to_string(n);
        auto time = [&](const char* engine) {
            auto it = reporter.times.find(std::string("compile/alternatives/") + engine + arg);
            return it == reporter.times.end() ? 0.0 : it->second;
        };
        const double q4 = time("q4"), pcre = time("pcre2");
        if (q4 == 0)
            continue;
        if (pcre > 0)
            std::printf("%-22d %12.2f %12.2f %10.2f %14.1f\n", n, q4, pcre, q4 / pcre,
                        q4 * 1e6 / n);
        else
            std::printf("%-22d %12.2f %12s %10s %14.1f\n", n, q4, "-", "-", q4 * 1e6 / n);
    }
    return countsAgree ? 0 : 1;
}
