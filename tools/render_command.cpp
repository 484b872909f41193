// tavimore render: draws the window of a clock at a given time as an RGBA PNG, the way the
// clock shows it: the face (face image K of the payload, or the build's own face for a
// clock program without payload), the window background beside it, the hands, and alpha 0
// outside the build's outline; 82 x 82 at 100 %, or as a screen of another scale shows it.
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "core/build_list.h"
#include "core/clock_face.h"
#include "decode/picture_decode.h"
#include "tools/commands.h"
#include "tools/png_file.h"
#include "tools/read_clock_file.h"

namespace tavimore {
namespace {

struct RenderOptions {
  std::string file, time, build, output;
  int frame = 0;
  double scale = 1;
};

std::string BuildNames() {
  std::string names;
  for (const ClockBuild* b : kAllBuilds) names += std::string(names.empty() ? "" : ", ") + b->name;
  return names;
}

int ChooseBuild(const RenderOptions& o, const ClockFile& f, const ClockBuild** build) {
  *build = o.build.empty() ? f.build : FindBuild(o.build);
  if (*build) return kExitDone;
  if (!o.build.empty())
    return Complain(kExitRefused, "there is no clock build \"" + o.build + "\" (there are " +
                                      BuildNames() + ")");
  return Complain(kExitRefused, "cannot tell which clock build " + o.file +
                                    " is; name it with --build");
}

// The face under the hands: face image `frame` of the payload, or the build's own picture,
// or null for the build's plain colour.
int ChooseFace(const RenderOptions& o, const ClockContent& c, std::vector<uint32_t>* builtIn,
               std::vector<uint32_t>* scratch, const uint32_t** face) {
  if (HasFaceImages(c)) {
    if (o.frame < 0 || o.frame >= c.settings.imageCount)
      return Complain(kExitRefused, "--frame must be 0 to " +
                                        std::to_string(c.settings.imageCount - 1) + " for " + o.file);
  } else if (o.frame != 0) {
    return Complain(kExitRefused, o.file + " carries no face images; only --frame 0 is possible");
  } else if (const StripError e = DecodeBuiltInFace(*c.build, builtIn); e != StripError::kNone) {
    return Complain(kExitRefused, std::string("the built-in picture of ") + c.build->name + ": " +
                                      StripErrorText(e));
  }
  scratch->resize(kImageValues);
  *face = TickBackground(c, HasFaceImages(c) ? o.frame : -1,
                         builtIn->empty() ? nullptr : builtIn->data(), scratch->data());
  return kExitDone;
}

int RunRender(const RenderOptions& o) {
  // The clock's own time format, so that the time is read exactly as the clock reads it.
  const std::string timeText = "2000/01/01 " + o.time;
  ClockTime time;
  if (!ParseTimeText(timeText.c_str(), &time))
    return Complain(kExitRefused, "--time must be HH:MM:SS (00:00:00 to 23:59:59), not \"" +
                                      o.time + "\"");
  ClockFile f;
  if (const int code = ReadClockFile(o.file, &f)) return code;
  const ClockBuild* build = nullptr;
  if (const int code = ChooseBuild(o, f, &build)) return code;
  ClockContent content;
  if (const int code = OpenClockAs(f, *build, &content)) return code;
  std::vector<uint32_t> builtIn, scratch;
  const uint32_t* face = nullptr;
  if (const int code = ChooseFace(o, content, &builtIn, &scratch, &face)) return code;

  // A scale is a DPI to the window systems; 1.25 is 120 DPI.
  const int dpi = ClampDpi(static_cast<int>(std::lround(o.scale * kBaseDpi)));
  const int size = ScaledWindowSize(dpi);
  std::vector<uint32_t> window(static_cast<size_t>(size) * size);
  RenderClockWindow(*build, content.settings.hands, face, time, dpi, window.data());
  std::vector<uint8_t> rgba(window.size() * 4);
  WindowRgba(*build, dpi, window.data(), rgba.data());
  return WritePng(o.output, rgba.data(), size, size, 4);
}

}  // namespace

void AddRenderCommand(CLI::App& app, CommandAction* chosen) {
  auto o = std::make_shared<RenderOptions>();
  CLI::App* cmd = app.add_subcommand("render", "Draw a clock's window at a given time as a PNG.");
  cmd->add_option("FILE", o->file, "A clock file or clock program")->required();
  cmd->add_option("--time", o->time, "The time shown, 24-hour clock")->required()->type_name("HH:MM:SS");
  cmd->add_option("--frame", o->frame, "Face image shown, from 0")->type_name("K")->capture_default_str();
  cmd->add_option("--build", o->build, "Clock build to draw it as (default: the one recognised): " +
                                           BuildNames())->type_name("NAME");
  cmd->add_option("--scale", o->scale, "The screen's scale: 1 is 100 % (82 x 82), 1.5 is 150 % (123 x 123)")
      ->type_name("S")->check(CLI::Range(1.0, kMaxDpi / double{kBaseDpi}))->capture_default_str();
  cmd->add_option("--output", o->output, "The PNG to write (RGBA, 82 x 82 at scale 1)")->required()->type_name("FACE.png");
  cmd->callback([o, chosen] { *chosen = [o] { return RunRender(*o); }; });
}

}  // namespace tavimore
