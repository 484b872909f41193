// Writes the generated seeds of the two fuzzers' corpora: usage
//   fuzz_seeds PAYLOAD_DIR PICTURE_DIR
//
// A valid payload is at least one 25604-byte image block, too big to keep in the source
// tree, so payloads are made here with the payload writer; PNG and BMP pictures are made
// here too (stb_image_write's JPEG encoder shifts negative values, which UBSan stops, so
// the JPEG seeds are kept in the source tree). Each seed reaches a different path of its
// reader: good and damaged payloads, a whole clock file, strips of one and two faces,
// with and without alpha, and a picture of the wrong size.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/build_marker.h"
#include "core/clock_builder.h"
#include "core/payload_format.h"
#include "core/payload_writer.h"
#include "picture_fixtures.h"
#include "tools/picture_encode.h"

namespace {

using namespace tavimore;
using test::PatternPixels;

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

// Face images whose every pixel differs from its neighbours and from the same pixel of
// the other faces, so a seed never collapses into a run of equal bytes.
std::vector<uint32_t> Faces(int count) {
  std::vector<uint32_t> images(static_cast<size_t>(count) * kImageValues, 0);
  for (int k = 0; k < count; ++k)
    for (int i = 0; i < kFacePixels; ++i)
      images[static_cast<size_t>(k) * kImageValues + i] =
          static_cast<uint32_t>((i % kFaceSize) * 3 + k) << 16 |
          static_cast<uint32_t>(i / kFaceSize) << 8 | static_cast<uint32_t>((i * 7) & 0xFF);
  return images;
}

PayloadContent Content(int images) {
  PayloadContent c;
  c.author = "\x83\x5e\x83\x94\x83\x42 Brenwick";  // katakana in code page 932, then ASCII
  c.url = "https://tavimore.example/faces/";
  c.mail = "faces@tavimore.example";
  c.hands[kHour] = {0x000040, 75};
  c.hands[kMinute] = {0x008000, 80};
  c.hands[kSecond] = {0xC00000, 90};
  c.images = Faces(images);
  return c;
}

std::vector<uint8_t> Payload(const PayloadContent& content) {
  std::vector<uint8_t> bytes;
  EncodePayload(content, &bytes);
  return bytes;
}

bool WritePayloadSeeds(const std::string& dir) {
  const std::vector<uint8_t> one = Payload(Content(1));
  std::vector<uint8_t> lastByteCut = one;
  lastByteCut.pop_back();  // the reader's own zero byte stands in for it
  PayloadContent bare = Content(2);
  bare.author = bare.url = bare.mail = "";
  // Texts and a hand block counting three images, with none behind it.
  std::vector<uint8_t> noImages = Payload(Content(1));
  noImages.resize(noImages.size() - kImageBlockBytes);
  noImages[noImages.size() - kHandBlockBytes] = 3;

  // A clock program as far as the reader cares: some code bytes and the build marker.
  std::vector<uint8_t> program(4096, 0x90);
  const std::string marker = std::string(kBuildMarkerPrefix) + "Pirrow";
  program.insert(program.begin() + 1000, marker.c_str(), marker.c_str() + marker.size() + 1);
  std::vector<uint8_t> clock;
  BuildClockBytes(program, Content(1), &clock);

  return WriteBytes(dir + "/one_image", one) && WriteBytes(dir + "/last_byte_cut", lastByteCut) &&
         WriteBytes(dir + "/two_images_no_texts", Payload(bare)) &&
         WriteBytes(dir + "/count_without_images", noImages) &&
         WriteBytes(dir + "/program_only", program) && WriteBytes(dir + "/clock_file", clock);
}

bool WritePictureSeeds(const std::string& dir) {
  const auto rgb80 = PatternPixels(kFaceSize, kFaceSize, 3);
  const auto rgba160 = PatternPixels(kFaceSize, 2 * kFaceSize, 4);
  const auto grey80 = PatternPixels(kFaceSize, kFaceSize, 1);
  const auto rgb81 = PatternPixels(kFaceSize + 1, kFaceSize, 3);
  const int s = kFaceSize;
  return WriteBytes(dir + "/rgb_80x80.png", EncodePng(rgb80.data(), s, s, 3)) &&
         WriteBytes(dir + "/rgba_80x160.png", EncodePng(rgba160.data(), s, 2 * s, 4)) &&
         WriteBytes(dir + "/grey_80x80.png", EncodePng(grey80.data(), s, s, 1)) &&
         WriteBytes(dir + "/rgb_80x80.bmp", EncodeBmp(rgb80.data(), s, s, 3)) &&
         WriteBytes(dir + "/rgba_80x160.bmp", EncodeBmp(rgba160.data(), s, 2 * s, 4)) &&
         WriteBytes(dir + "/rgb_81x80.bmp", EncodeBmp(rgb81.data(), s + 1, s, 3));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: fuzz_seeds PAYLOAD_DIR PICTURE_DIR\n");
    return 1;
  }
  if (!WritePayloadSeeds(argv[1]) || !WritePictureSeeds(argv[2])) {
    std::fprintf(stderr, "fuzz_seeds: could not write the seeds\n");
    return 1;
  }
  return 0;
}
