#include <benchmark/benchmark.h>

#include "section_analysis/neutral_axis.hpp"

namespace {

// Beam 30 x 50 in kgf and cm; the argument is Nd in tenths of the capacity,
// negative for tension.
void BM_CalcMu_Beam(benchmark::State& state)
{
    section_analysis::SectionState s;
    s.B = 30;
    s.H = 50;
    s.D1 = 3.5f;
    s.D = 46.5f;
    s.As = 10;
    s.As1 = 5;
    s.Fsd = 3304;
    s.Fcd = 110;
    const float capacity = 50.0f * 30 * 110;
    const float steel = 15.0f * 3304;
    const auto tenths = static_cast<float>(state.range(0));
    s.Nd = tenths >= 0 ? capacity * tenths / 10 : steel * tenths / 10;
    for (auto _ : state) {
        section_analysis::SectionState run = s;
        benchmark::DoNotOptimize(section_analysis::Calc_Mu(run));
    }
}
BENCHMARK(BM_CalcMu_Beam)->Arg(-9)->Arg(0)->Arg(3)->Arg(10);

}  // namespace

BENCHMARK_MAIN();
