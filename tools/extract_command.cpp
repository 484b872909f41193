// tavimore extract: writes a clock's face images as one PNG picture strip, 80 pixels wide,
// image 1 at the top, with the exact pixel values, so that building a clock from the strip
// gives back the same image blocks.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "core/pixel_view.h"
#include "tools/commands.h"
#include "tools/png_file.h"
#include "tools/read_clock_file.h"

namespace tavimore {
namespace {

struct ExtractOptions {
  std::string file, output;
};

int RunExtract(const ExtractOptions& o) {
  ClockFile f;
  if (const int code = ReadClockFile(o.file, &f)) return code;
  if (!f.hasPayload) return Complain(kExitRefused, o.file + " carries no face images");

  const int count = f.content.settings.imageCount;
  std::vector<uint8_t> rgb(static_cast<size_t>(count) * kFacePixels * 3);
  std::vector<uint32_t> image(kImageValues);
  for (int k = 0; k < count; ++k) {
    ReadContentImage(f.content, k, image.data());
    const PixelView face = BottomUpView(image.data(), kFaceSize, kFaceSize);
    uint8_t* out = rgb.data() + static_cast<size_t>(k) * kFacePixels * 3;
    for (int y = 0; y < kFaceSize; ++y) {
      const uint32_t* row = face.Row(y);
      for (int x = 0; x < kFaceSize; ++x, out += 3) {
        out[0] = static_cast<uint8_t>(row[x] >> 16);
        out[1] = static_cast<uint8_t>(row[x] >> 8);
        out[2] = static_cast<uint8_t>(row[x]);
      }
    }
  }
  return WritePng(o.output, rgb.data(), kFaceSize, count * kFaceSize, 3);
}

}  // namespace

void AddExtractCommand(CLI::App& app, CommandAction* chosen) {
  auto o = std::make_shared<ExtractOptions>();
  CLI::App* cmd = app.add_subcommand("extract", "Write a clock's face images as a PNG strip.");
  cmd->add_option("FILE", o->file, "A clock file")->required();
  cmd->add_option("--output", o->output, "The PNG strip to write")->required()->type_name("STRIP.png");
  cmd->callback([o, chosen] { *chosen = [o] { return RunExtract(*o); }; });
}

}  // namespace tavimore
