// The cost of the core alone: building one report, the annual figure, and a
// whole press through the controller against the in-memory engine.
#include <benchmark/benchmark.h>

#include <ctime>

#include "controller.h"
#include "recording_engine.h"
#include "report.h"

namespace {

std::tm sample_time() {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 6;
    t.tm_hour = 12;
    t.tm_min = 51;
    return t;
}

void BM_build_report(benchmark::State& state) {
    const std::tm when = sample_time();
    ReportInputs in;
    in.emission = "365.600000";
    in.monthly = "8.320000";
    in.cost = "850.220000";
    in.adultTrees = state.range(0) != 0;
    int n = 0;
    for (auto _ : state) benchmark::DoNotOptimize(build_report(++n, when, in));
}
BENCHMARK(BM_build_report)->Arg(0)->Arg(1);

void BM_annual_figure(benchmark::State& state) {
    const std::string text = state.range(0) ? "8.320000" : "abc";
    for (auto _ : state) benchmark::DoNotOptimize(annual_figure(text));
}
BENCHMARK(BM_annual_figure)->Arg(1)->Arg(0);

// pega_input x3, verifica_checkbox, the clock, the report, atualiza_texto.
void BM_press_recording_engine(benchmark::State& state) {
    recorder::reset();
    recorder::inputs = {{10, "365.600000"}, {11, "8.320000"}, {12, "850.220000"}};
    Controller controller;
    for (auto _ : state) {
        recorder::calls.clear();
        controller.aoClicarNoBotao("Calculates Compensation");
    }
}
BENCHMARK(BM_press_recording_engine);

}  // namespace

BENCHMARK_MAIN();
