// tavimore build: writes a clock file exactly as the editor would, from a clock definition
// (a clock program), a picture strip and the hands and texts given on the command line.
// With --fit it takes any pictures instead, each --image giving faces in turn
// (decode/fitted_faces.h), a --crop after an --image choosing that picture's square.
// Nothing is written unless every input is sound, and an existing output is replaced
// only with --force, and then only once the new file is complete and no clock runs from it.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

#include "core/clock_builder.h"
#include "core/clock_definition.h"
#include "core/cp932.h"
#include "core/picture_strip.h"
#include "core/read_whole_file.h"
#include "core/starting_hands.h"
#include "core/write_file_atomically.h"
#include "decode/fitted_faces.h"
#include "decode/picture_decode.h"
#include "tools/clock_running_check.h"
#include "tools/commands.h"
#include "tools/hand_text.h"

namespace tavimore {
namespace {

constexpr const char* kHandOption[kHandCount] = {"--hour", "--minute", "--second"};

// An --image and the --crop after it, if any.
struct ImageOption {
  std::string path;
  std::string crop;  // X,Y,SIZE as given, or empty
};

struct BuildOptions {
  std::string definition, output;
  std::vector<ImageOption> images;
  std::string name, url, mail;
  std::string hands[kHandCount] = {HandText(kStartingHands[kHour]),
                                   HandText(kStartingHands[kMinute]),
                                   HandText(kStartingHands[kSecond])};
  bool force = false;
  bool fit = false;
  std::vector<std::string> paths, crops;  // as given, before PairCrops
};

// X,Y,SIZE: three whole numbers, none negative.
bool ParseCrop(const std::string& text, FaceSquare* square) {
  int64_t v[3] = {};
  size_t at = 0;
  for (int i = 0; i < 3; ++i) {
    const size_t start = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 9)
      v[i] = v[i] * 10 + (text[at++] - '0');
    if (at == start || (i < 2 ? at >= text.size() || text[at++] != ',' : at != text.size()))
      return false;
  }
  *square = FaceSquare{static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2])};
  return true;
}

std::string FitErrorText(const FitError e, const FitProblem& p, const std::vector<ImageOption>& images) {
  const std::string size = " (it is " + std::to_string(p.width) + " x " + std::to_string(p.height) + ")";
  const std::string& path = images[p.picture].path;
  switch (e) {
    case FitError::kTooManyFaces:
      return "too many faces: " + std::to_string(p.faces) + " (at most 255)";
    case FitError::kTooLarge:
      return path + ": the picture is larger than " + std::to_string(kMaxFitPixels) + " pixels" + size;
    case FitError::kSquareOutside:
      return path + ": --crop " + images[p.picture].crop + " is not inside the picture" + size;
    default: return path + ": " + StripErrorText(StripError::kNotAPicture);
  }
}

// The faces of every --image, fitted.
int FitPictures(const BuildOptions& o, std::vector<uint32_t>* images) {
  std::vector<std::vector<uint8_t>> files(o.images.size());
  std::vector<FitPicture> pictures(o.images.size());
  for (size_t i = 0; i < o.images.size(); ++i) {
    std::string error;
    if (!ReadWholeFile(std::filesystem::u8path(o.images[i].path), &files[i], &error))
      return Complain(kExitRefused, error);
    pictures[i].bytes = files[i].data();
    pictures[i].size = files[i].size();
    pictures[i].squareGiven = !o.images[i].crop.empty();
    if (pictures[i].squareGiven && !ParseCrop(o.images[i].crop, &pictures[i].square))
      return Complain(kExitRefused, "--crop must be X,Y,SIZE in the picture's pixels, not \"" +
                                        o.images[i].crop + "\"");
  }
  FitProblem problem;
  const FitError e = FitFaces(pictures, images, &problem);
  return e == FitError::kNone ? kExitDone : Complain(kExitRefused, FitErrorText(e, problem, o.images));
}

int ReadPicture(const std::string& path, PictureStrip* strip) {
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(std::filesystem::u8path(path), &bytes, &error))
    return Complain(kExitRefused, error);
  const StripError e = DecodePictureStrip(bytes.data(), bytes.size(), strip);
  if (e == StripError::kNone) return kExitDone;
  std::string message = path + ": " + StripErrorText(e);
  if (e == StripError::kWrongSize)
    message += " (it is " + std::to_string(strip->width) + " x " + std::to_string(strip->height) + ")";
  return Complain(kExitRefused, message);
}

int RunBuild(const BuildOptions& o) {
  PayloadContent content;
  for (int h = 0; h < kHandCount; ++h)
    if (!ParseHandText(o.hands[h], &content.hands[h]))
      return Complain(kExitRefused, std::string(kHandOption[h]) + " must be #RRGGBB,LENGTH with " +
                                        "LENGTH 1 to 100, not \"" + o.hands[h] + "\"");

  const std::filesystem::path output = std::filesystem::u8path(o.output);
  std::error_code ec;
  if (!o.force && std::filesystem::exists(output, ec))
    return Complain(kExitRefused, o.output + " exists; give --force to replace it");
  if (IsClockRunning(output))
    return Complain(kExitRefused, o.output + " is a clock that is running: end it first "
                                  "(Esc, or 終了 in its menu), then build again");

  std::vector<uint8_t> definition;
  std::string error;
  if (!ReadDefinition(std::filesystem::u8path(o.definition), &definition, &error))
    return Complain(kExitRefused, error);
  PictureStrip strip;
  if (o.fit) {
    if (const int code = FitPictures(o, &strip.images)) return code;
  } else if (const int code = ReadPicture(o.images[0].path, &strip)) {
    return code;
  }

  // A Windows clock reads its texts as code page 932, whatever the system it runs on.
  content.author = Cp932FromUtf8(o.name);
  content.url = Cp932FromUtf8(o.url);
  content.mail = Cp932FromUtf8(o.mail);
  content.images = std::move(strip.images);
  std::vector<uint8_t> clock;
  if (!BuildClockBytes(definition, content, &clock))
    return Complain(kExitRefused, o.images[0].path + ": the picture gives no face images");
  if (!WriteFileAtomically(output, clock, &error)) return Complain(kExitRefused, error);
  return kExitDone;
}

// Gives each --crop to the --image before it, in the order they were given. Without --fit
// a second --image is refused as any option given twice is, and --crop is refused.
void PairCrops(const CLI::App& cmd, const CLI::Option* image, const CLI::Option* crop, BuildOptions* o) {
  if (!o->fit && o->paths.size() > 1) throw CLI::ArgumentMismatch::AtMost("--image", 1, o->paths.size());
  if (!o->fit && !o->crops.empty()) throw CLI::RequiresError("--crop", "--fit");
  o->images.clear();
  size_t paths = 0, crops = 0;
  for (const CLI::Option* given : cmd.parse_order()) {
    if (given == image) o->images.push_back(ImageOption{o->paths[paths++], ""});
    if (given != crop) continue;
    if (o->images.empty() || !o->images.back().crop.empty())
      throw CLI::ValidationError("--crop", "give it once after the --image it is for");
    o->images.back().crop = o->crops[crops++];
  }
}

}  // namespace

void AddBuildCommand(CLI::App& app, CommandAction* chosen) {
  auto o = std::make_shared<BuildOptions>();
  CLI::App* cmd = app.add_subcommand("build", "Build a clock file, as the editor does.");
  cmd->add_option("--definition", o->definition, "Clock definition (a clock program)")
      ->required()->type_name("FILE");
  CLI::Option* image =
      cmd->add_option("--image", o->paths,
                      "Face picture strip: BMP, JPEG, GIF or PNG, 80 pixels wide, a multiple of 80 "
                      "high; with --fit any picture, and once or more")
          ->required()->type_name("FILE")->expected(1)
          ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  CLI::Option* crop =
      cmd->add_option("--crop", o->crops,
                      "With --fit, after an --image: the square of that picture that becomes its "
                      "faces, left, top and size in its pixels (default: the largest centred one)")
          ->type_name("X,Y,SIZE")->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  cmd->add_flag("--fit", o->fit,
                "Take any pictures: a strip gives its faces, an animated GIF one face a frame, "
                "any other picture one face of its square");
  cmd->add_option("--output", o->output, "The clock file to write")->required()->type_name("FILE");
  cmd->add_option("--name", o->name, "Author name (empty: the clock's default)")->type_name("TEXT");
  cmd->add_option("--url", o->url, "Home-page address")->type_name("TEXT");
  cmd->add_option("--mail", o->mail, "Mail address")->type_name("TEXT");
  const char* what[kHandCount] = {"Hour hand", "Minute hand", "Second hand"};
  for (int h = 0; h < kHandCount; ++h)
    cmd->add_option(kHandOption[h], o->hands[h],
                    std::string(what[h]) + ": colour #RRGGBB and length 1 to 100 percent")
        ->type_name("COLOR,LENGTH")->capture_default_str();
  cmd->add_flag("--force", o->force, "Replace an existing output file");
  cmd->callback([o, chosen, cmd, image, crop] {
    PairCrops(*cmd, image, crop, o.get());
    *chosen = [o] { return RunBuild(*o); };
  });
}

}  // namespace tavimore
