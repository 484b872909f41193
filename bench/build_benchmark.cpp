// Building a 255-image clock in memory, as the editor and `tavimore build` do before
// writing the file: the definition cut or padded to the payload's offset, then the payload.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/sample_clock.h"
#include "core/clock_builder.h"

namespace tavimore {
namespace {

void BuildClock255(benchmark::State& state) {
  const std::vector<uint8_t> definition = SampleDefinition();
  const PayloadContent content = SampleContent(kMaxImages);
  std::vector<uint8_t> clock;
  for (auto _ : state) {
    if (!BuildClockBytes(definition, content, &clock)) {
      state.SkipWithError("the sample clock cannot be built");
      break;
    }
    benchmark::DoNotOptimize(clock.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * clock.size()));
}
BENCHMARK(BuildClock255)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavimore
