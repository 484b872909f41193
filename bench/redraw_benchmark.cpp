// One redraw of the face, as the clock does every second: the face image copied into the
// bottom-up bitmap, then the three hands. Pirrow's hands are all long, so the lines are as
// long as any build draws them. The times go round the dial so every direction counts.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/sample_clock.h"
#include "core/clock_face.h"
#include "core/payload_reader.h"

namespace tavimore {
namespace {

constexpr int kTimes = 60;

std::vector<ClockTime> TimeTexts() {
  std::vector<ClockTime> times;
  // 7 and 13 are coprime with 60, so hands land in 60 different places.
  for (int i = 0; i < kTimes; ++i) times.push_back(ClockTime{i % 24, i * 7 % 60, i * 13 % 60});
  return times;
}

// The argument is the screen's DPI: 96 is 100 %, where the face image is copied; 150 %
// weighs four image pixels for each face pixel, 200 % copies blocks.
void Redraw(benchmark::State& state) {
  const int dpi = static_cast<int>(state.range(0));
  const PayloadContent content = SampleContent(1);
  const auto times = TimeTexts();
  const int size = ScaledFaceSize(dpi);
  std::vector<uint32_t> bits(static_cast<size_t>(size) * size);
  const PixelView face = BottomUpView(bits.data(), size, size);
  int t = 0;
  for (auto _ : state) {
    DrawFace(face, kPirrowBuild, content.hands, content.images.data(), times[t], dpi);
    t = (t + 1) % kTimes;
    benchmark::DoNotOptimize(bits.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(Redraw)->Arg(96)->Arg(120)->Arg(144)->Arg(192)->Unit(benchmark::kMicrosecond);

// The same with the face image first read from the payload, as the clock's tick does.
void TickRedraw(benchmark::State& state) {
  std::vector<uint8_t> payload;
  EncodePayload(SampleContent(kMaxImages), &payload);
  DecodedPayload d;
  if (DecodePayload(payload.data(), payload.size(), &d) != PayloadError::kNone) {
    state.SkipWithError("the sample payload does not decode");
    return;
  }
  const auto times = TimeTexts();
  std::vector<uint32_t> image(kImageValues);
  std::vector<uint32_t> bits(kFacePixels);
  const PixelView face = BottomUpView(bits.data(), kFaceSize, kFaceSize);
  int t = 0, k = 0;
  for (auto _ : state) {
    ReadFaceImage(payload.data(), payload.size(), d.imagesOffset, k, image.data());
    DrawFace(face, kPirrowBuild, d.hands, image.data(), times[t], kBaseDpi);
    t = (t + 1) % kTimes;
    k = (k + 1) % d.imageCount;
    benchmark::DoNotOptimize(bits.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(TickRedraw)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavimore
