// The redraw of the face, as the clock does it every second: the face picture enlarged for
// the screen's scale (only when it changes), copied into the bottom-up bitmap, then the
// three hands. Pirrow's hands are all long, so the lines are as long as any build draws
// them. The times go round the dial so every direction counts. Each benchmark's argument is
// the screen's DPI: 96 is 100 %, where the face image is copied; 150 % weighs four image
// pixels for each face pixel, 200 % copies blocks.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/sample_clock.h"
#include "core/clock_face.h"
#include "core/enlarged_face.h"
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

// A clock with `images` face images and the face it draws into at `dpi`, as the clock's
// tick has them.
struct TickClock {
  std::vector<uint8_t> payload;
  ClockContent content{};
  std::vector<uint32_t> image = std::vector<uint32_t>(kImageValues);
  std::vector<uint32_t> enlargedPixels, bits;
  EnlargedFace enlarged{};
  PixelView face{};
  bool ready;

  TickClock(int images, int dpi) {
    ready = EncodePayload(SampleContent(images), &payload) &&
            OpenClockPayload(kPirrowBuild, payload.data(), payload.size(), &content) ==
                ClockOpen::kReady &&
            content.settings.imageCount == images;
    const size_t size = static_cast<size_t>(ScaledFaceSize(dpi));
    enlargedPixels.resize(size * size);
    bits.resize(size * size);
    enlarged = EnlargedFace{enlargedPixels.data()};
    face = BottomUpView(bits.data(), static_cast<int>(size), static_cast<int>(size));
  }
};

// The same face image every second, as a clock with one face image (or with its build's
// own face) shows it: enlarged once, then copied.
void Redraw(benchmark::State& state) {
  const int dpi = static_cast<int>(state.range(0));
  TickClock c(1, dpi);
  if (!c.ready) return state.SkipWithError("the sample clock does not open");
  const auto times = TimeTexts();
  int t = 0;
  for (auto _ : state) {
    DrawTickFace(c.face, c.content, nullptr, TickFace{true, 0, times[t]}, dpi, &c.enlarged,
                 c.image.data());
    t = (t + 1) % kTimes;
    benchmark::DoNotOptimize(c.bits.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(Redraw)->Arg(96)->Arg(120)->Arg(144)->Arg(192)->Unit(benchmark::kMicrosecond);

// A new face image every second, as a clock showing its 255 face images in turn: each read
// from the payload and enlarged before the copy.
void TickRedraw(benchmark::State& state) {
  const int dpi = static_cast<int>(state.range(0));
  TickClock c(kMaxImages, dpi);
  if (!c.ready) return state.SkipWithError("the sample clock does not open");
  const auto times = TimeTexts();
  int t = 0, k = 0;
  for (auto _ : state) {
    DrawTickFace(c.face, c.content, nullptr, TickFace{true, k, times[t]}, dpi, &c.enlarged,
                 c.image.data());
    t = (t + 1) % kTimes;
    k = (k + 1) % kMaxImages;
    benchmark::DoNotOptimize(c.bits.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(TickRedraw)->Arg(96)->Arg(120)->Arg(144)->Arg(192)->Unit(benchmark::kMicrosecond);

// The enlargement alone, which a new face image or a new scale costs.
void Enlarge(benchmark::State& state) {
  const int dpi = static_cast<int>(state.range(0));
  const PayloadContent content = SampleContent(1);
  const int size = ScaledFaceSize(dpi);
  std::vector<uint32_t> pixels(static_cast<size_t>(size) * size);
  for (auto _ : state) {
    EnlargeFace(TopDownView(pixels.data(), size, size), content.images.data(), dpi);
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(Enlarge)->Arg(96)->Arg(120)->Arg(144)->Arg(192)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavimore
