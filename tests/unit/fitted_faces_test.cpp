// Test that a list of pictures gives at most 255 faces, and a list of more is refused with
// its count before anything is decoded.
#include "decode/fitted_faces.h"

#include <gtest/gtest.h>

#include "core/payload_format.h"
#include "picture_fixtures.h"

namespace tavimore {
namespace {

TEST(FittedFaces, TakesAt255FacesAndRefusesMore) {
  const std::vector<uint8_t> dot = test::EncodeBmp(test::MakeStrip(1, 1));
  std::vector<FitPicture> list(255, FitPicture{dot.data(), dot.size(), false, {}});
  std::vector<uint32_t> images;
  FitProblem problem;
  ASSERT_EQ(FitFaces(list, &images, &problem), FitError::kNone);
  EXPECT_EQ(images.size(), 255u * kImageValues);
  list.push_back(list.back());
  images.clear();
  EXPECT_EQ(FitFaces(list, &images, &problem), FitError::kTooManyFaces);
  EXPECT_EQ(problem.faces, 256);
  EXPECT_TRUE(images.empty());
}

}  // namespace
}  // namespace tavimore
