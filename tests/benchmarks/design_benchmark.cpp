// SPDX-License-Identifier: GPL-3.0-or-later
// progetto's search with ten combinations, the case the command line and
// the page must answer while one types.
#include <benchmark/benchmark.h>

#include "reinforcement_design/design_run.hpp"

namespace {

using section_inputs::Input;
using section_inputs::index;

reinforcement_design::DesignRun ten_combinations()
{
    reinforcement_design::DesignRun run;
    auto& values = run.request.values;
    values[index(Input::B)] = 30;
    values[index(Input::H)] = 50;
    values[index(Input::D1)] = 3.5;
    const auto read = materials::read_materials({"C25/30", "B450C", "", ""}, materials::Units{"kg", "cm"}, '.');
    run.request.materials = *read;
    run.request.units = materials::Units{"kg", "cm"};
    values[index(Input::Fcd)] = read->fcd->value;
    values[index(Input::Fsd)] = read->fsd->value;
    run.request.compression = {reinforcement_design::CompressionSteel::Kind::Ratio, 1};
    for (int i = 0; i < 10; ++i)
        run.request.combinations.push_back(
            {static_cast<float>(i * 15000), static_cast<float>((i % 2 ? -1 : 1) * (900000 + i * 100000)), false, 0,
             "SLU " + std::to_string(i + 1)});
    run.section_words = "-b 30 -h 50 -c 3.5 --calcestruzzo C25/30 --acciaio B450C";
    return run;
}

void BM_Progetto_TenCombinations(benchmark::State& state)
{
    const reinforcement_design::DesignRun run = ten_combinations();
    for (auto _ : state)
        benchmark::DoNotOptimize(reinforcement_design::run_design(run, tables::kCommaPoint));
}
BENCHMARK(BM_Progetto_TenCombinations)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
