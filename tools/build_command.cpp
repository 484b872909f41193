// tavimore build: writes a clock file exactly as the editor would, from a clock definition
// (a clock program), a picture strip and the hands and texts given on the command line.
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
#include "decode/picture_decode.h"
#include "tools/clock_running_check.h"
#include "tools/commands.h"
#include "tools/hand_text.h"

namespace tavimore {
namespace {

constexpr const char* kHandOption[kHandCount] = {"--hour", "--minute", "--second"};

struct BuildOptions {
  std::string definition, image, output;
  std::string name, url, mail;
  std::string hands[kHandCount] = {HandText(kStartingHands[kHour]),
                                   HandText(kStartingHands[kMinute]),
                                   HandText(kStartingHands[kSecond])};
  bool force = false;
};

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
  if (const int code = ReadPicture(o.image, &strip)) return code;

  // A Windows clock reads its texts as code page 932, whatever the system it runs on.
  content.author = Cp932FromUtf8(o.name);
  content.url = Cp932FromUtf8(o.url);
  content.mail = Cp932FromUtf8(o.mail);
  content.images = std::move(strip.images);
  std::vector<uint8_t> clock;
  if (!BuildClockBytes(definition, content, &clock))
    return Complain(kExitRefused, o.image + ": the picture gives no face images");
  if (!WriteFileAtomically(output, clock, &error)) return Complain(kExitRefused, error);
  return kExitDone;
}

}  // namespace

void AddBuildCommand(CLI::App& app, CommandAction* chosen) {
  auto o = std::make_shared<BuildOptions>();
  CLI::App* cmd = app.add_subcommand("build", "Build a clock file, as the editor does.");
  cmd->add_option("--definition", o->definition, "Clock definition (a clock program)")
      ->required()->type_name("FILE");
  cmd->add_option("--image", o->image,
                  "Face picture strip: BMP, JPEG, GIF or PNG, 80 pixels wide, a multiple of 80 high")
      ->required()->type_name("FILE");
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
  cmd->callback([o, chosen] { *chosen = [o] { return RunBuild(*o); }; });
}

}  // namespace tavimore
