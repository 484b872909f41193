// Decoding a 255-image clock as a clock starts: the payload's fields, then every face
// image into the memory the clock shows them from.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/sample_clock.h"
#include "core/payload_reader.h"

namespace tavimore {
namespace {

void DecodeClock255(benchmark::State& state) {
  std::vector<uint8_t> payload;
  EncodePayload(SampleContent(kMaxImages), &payload);
  std::vector<uint32_t> faces(static_cast<size_t>(kMaxImages) * kImageValues);
  for (auto _ : state) {
    DecodedPayload d;
    if (DecodePayload(payload.data(), payload.size(), &d) != PayloadError::kNone) {
      state.SkipWithError("the sample payload does not decode");
      break;
    }
    for (int k = 0; k < d.imageCount; ++k)
      ReadFaceImage(payload.data(), payload.size(), d.imagesOffset, k,
                    faces.data() + static_cast<size_t>(k) * kImageValues);
    benchmark::DoNotOptimize(faces.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * payload.size()));
}
BENCHMARK(DecodeClock255)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavimore
