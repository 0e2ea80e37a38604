// The solver alone, and one click on "Calcola >>" without the window.
#include <benchmark/benchmark.h>

#include "main_window/calculate_command.hpp"
#include "section_analysis/neutral_axis.hpp"

namespace {

using main_window::Field;

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

struct Fields : main_window::CommandFields {
    QString text(Field field) const override { return texts[static_cast<int>(field)]; }
    void set_text(Field field, const QString& text) override { texts[static_cast<int>(field)] = text; }
    void set_axial_force_background(const QColor&) override {}
    void show_error(const QString&, const QString&) override { std::abort(); }
    QString texts[std::size(main_window::kFieldSet)] = {"30", "50",   "3.5", "",     "10",
                                                        "5",  "3304", "110", "49500"};
};

void BM_CalculateCommand_Beam(benchmark::State& state)
{
    Fields fields;
    section_analysis::SectionState s;
    for (auto _ : state)
        benchmark::DoNotOptimize(main_window::cmd_Calc_Click(fields, s, Qt::white));
}
BENCHMARK(BM_CalculateCommand_Beam);

}  // namespace

BENCHMARK_MAIN();
