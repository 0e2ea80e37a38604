// SPDX-License-Identifier: GPL-3.0-or-later
// The solver alone, one click on "Calcola >>" without the window, and a whole resistance domain.
#include <benchmark/benchmark.h>

#include "runs/calculation.hpp"
#include "section_analysis/resistance_domain.hpp"

namespace {

// Beam 30 x 50, kgf and cm; Nd in tenths of the capacity, or of the yielded steel in tension.
void BM_CalcMu_Beam(benchmark::State& state)
{
    const auto tenths = static_cast<float>(state.range(0));
    const section_analysis::SectionState beam{
        30, 50, 3.5f, 46.5f, 10, 5, 3304, 110, tenths >= 0 ? 16500 * tenths : 4956 * tenths};
    for (auto _ : state) {
        section_analysis::SectionState run = beam;
        benchmark::DoNotOptimize(section_analysis::Calc_Mu(run));
    }
}
BENCHMARK(BM_CalcMu_Beam)->Arg(-9)->Arg(0)->Arg(3)->Arg(10);

// Reading the field texts, d through its text, the checks, the solver.
void BM_CalculateCommand_Beam(benchmark::State& state)
{
    const section_inputs::InputTexts texts{"30", "50", "10", "5", "3304", "110", "3.5", "49500"};
    for (auto _ : state)
        benchmark::DoNotOptimize(runs::calculate(texts));
}
BENCHMARK(BM_CalculateCommand_Beam);

// Both branches at 201 axial forces each, from the tension limit to the capacity.
void BM_ResistanceDomain_Beam(benchmark::State& state)
{
    const section_analysis::SectionState beam{30, 50, 3.5f, 46.5f, 10, 5, 3304, 110, 0};
    for (auto _ : state) {
        const auto forces = section_analysis::domain_axial_forces(beam, 200);
        benchmark::DoNotOptimize(section_analysis::resistance_domain(beam, forces));
    }
}
BENCHMARK(BM_ResistanceDomain_Beam)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
