// One click on "Calcola >>" without the window: reading nine fields,
// checking, solving and writing the two results.
#include <benchmark/benchmark.h>

#include "../main_window/fake_fields.hpp"

namespace {

void BM_CalculateCommand_Beam(benchmark::State& state)
{
    testing_support::FakeFields fields;
    using main_window::Field;
    const std::pair<Field, const char*> section[] = {
        {Field::B, "30"},  {Field::H, "50"},     {Field::D1, "3.5"},  {Field::As, "10"},
        {Field::As1, "5"}, {Field::Fsd, "3304"}, {Field::Fcd, "110"}, {Field::Nd, "49500"}};
    for (const auto& [field, text] : section)
        fields.set_text(field, QString::fromLatin1(text));
    section_analysis::SectionState s;
    for (auto _ : state)
        benchmark::DoNotOptimize(main_window::cmd_Calc_Click(fields, s, Qt::white));
}
BENCHMARK(BM_CalculateCommand_Beam);

}  // namespace

BENCHMARK_MAIN();
