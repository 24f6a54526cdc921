#include "types/Currency.h"

#include <benchmark/benchmark.h>

namespace {

// Totals over many entries are the hot path of every report; they must stay exact and cheap.
void BM_SumAmounts(benchmark::State& state) {
    const auto amount = *tlx4r::Currency::Parse("0.10");
    for (auto _ : state) {
        tlx4r::Currency sum;
        for (int i = 0; i < state.range(0); ++i) sum += amount;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SumAmounts)->Arg(100000);

void BM_VatStyleProduct(benchmark::State& state) {
    const auto amount = *tlx4r::Currency::Parse("123.45");
    for (auto _ : state) {
        benchmark::DoNotOptimize((amount * 20).MulRound(0.077).RoundTo(tlx4r::Currency::FromInt(1)));
    }
}
BENCHMARK(BM_VatStyleProduct);

}  // namespace

BENCHMARK_MAIN();
