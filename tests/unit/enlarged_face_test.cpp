#include "core/enlarged_face.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/clock_face.h"
#include "payload_fixtures.h"

namespace tavimore {
namespace {

// Test that the kept picture follows the tick: another face image at the same scale, then
// the same image at another scale, each drawn as DrawFace draws it without keeping anything.
TEST(EnlargedFaceTest, AnotherImageOrScaleIsEnlargedAnew) {
  const PayloadContent images = test::Content("a", "b", "c", 2);
  const std::vector<uint8_t> payload = test::Encode(images);
  ClockContent content{};
  ASSERT_EQ(OpenClockPayload(kQuelletBuild, payload.data(), payload.size(), &content),
            ClockOpen::kReady);
  const int room = ScaledFaceSize(144);
  std::vector<uint32_t> kept(room * room), scratch(kImageValues);
  EnlargedFace enlarged{kept.data()};
  const struct {
    int faceImage, dpi;
  } ticks[] = {{0, kBaseDpi}, {1, kBaseDpi}, {1, 144}};
  for (const auto& t : ticks) {
    const int size = ScaledFaceSize(t.dpi);
    std::vector<uint32_t> shown(size * size), expected(size * size);
    DrawTickFace(TopDownView(shown.data(), size, size), content, nullptr,
                 TickFace{true, t.faceImage, {3, 0, 15}}, t.dpi, &enlarged, scratch.data());
    DrawFace(TopDownView(expected.data(), size, size), kQuelletBuild, content.settings.hands,
             images.images.data() + t.faceImage * kImageValues, {3, 0, 15}, t.dpi);
    EXPECT_EQ(shown, expected) << "face image " << t.faceImage << " at " << t.dpi;
  }
}

}  // namespace
}  // namespace tavimore
