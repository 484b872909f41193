#include "core/jpeg_image_data.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/picture_strip.h"
#include "picture_fixtures.h"

namespace tavimore {
namespace {

using Bytes = std::vector<uint8_t>;

// The check every program makes before it decodes a picture.
StripError Check(const Bytes& b) {
  PictureHeader header;
  PictureStrip strip;
  return CheckStripHeader(b.data(), b.size(), &header, &strip);
}

// Test that a real JPEG cut anywhere, even in its end marker, is refused, while bytes after
// its end (padding, a camera's own data) do not matter.
TEST(JpegImageDataTest, ACutFileIsRefused) {
  Bytes whole = test::EncodeJpeg(test::MakeStrip(80, 160));
  ASSERT_EQ(Check(whole), StripError::kNone);
  for (size_t n = 3; n < whole.size(); ++n)
    ASSERT_EQ(Check(Bytes(whole.begin(), whole.begin() + static_cast<long>(n))),
              StripError::kNotAPicture) << "cut to " << n << " of " << whole.size() << " bytes";
  whole.insert(whole.end(), {0x00, 0xFF, 0xFF, 0xDA});
  EXPECT_EQ(Check(whole), StripError::kNone);
}

// Test that a JPEG with every header and no image data is refused: it decodes to grey.
TEST(JpegImageDataTest, AFileWithoutScanDataIsRefused) {
  const Bytes scanless = test::WithoutScanData(test::EncodeJpeg(test::MakeStrip(80, 80)));
  ASSERT_FALSE(scanless.empty());
  EXPECT_EQ(Check(scanless), StripError::kNotAPicture);
}

}  // namespace
}  // namespace tavimore
