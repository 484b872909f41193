// tavimore inspect: prints what a clock file holds as one JSON object on one line,
//   {"payload": false, "build": B}                           for a clock program alone,
//   {"payload": true, "build": B, "author": T, "url": T, "mail": T, "images": N,
//    "hands": [{"color": "#RRGGBB", "length": L}, ...]}       hour, minute, second,
// B being the build recognised from the program part, or null; each text in UTF-8, or
// null where the field is empty and the clock uses its default.
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "core/cp932.h"
#include "tools/commands.h"
#include "tools/console_output.h"
#include "tools/hand_text.h"
#include "tools/read_clock_file.h"

namespace tavimore {
namespace {

using Json = nlohmann::ordered_json;  // keys stay in the order they are written

struct InspectOptions {
  std::string file;
};

Json Text(const ClockFile& f, TextField field) {
  if (field.length == 0) return nullptr;
  const auto* bytes = reinterpret_cast<const char*>(f.content.payload + field.offset);
  return Utf8FromCp932(std::string_view(bytes, field.length));
}

// One line with a space after every colon and comma, which JSON's own compact form lacks.
std::string Spaced(const Json& j) {
  std::string out;
  if (j.is_object() || j.is_array()) {
    out += j.is_object() ? "{" : "[";
    for (auto it = j.begin(); it != j.end(); ++it) {
      if (it != j.begin()) out += ", ";
      if (j.is_object()) out += Json(it.key()).dump() + ": ";
      out += Spaced(it.value());
    }
    return out + (j.is_object() ? "}" : "]");
  }
  return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

int RunInspect(const InspectOptions& o) {
  ClockFile f;
  if (const int code = ReadClockFile(o.file, &f)) return code;
  Json j;
  j["payload"] = f.hasPayload;
  j["build"] = f.build ? Json(f.build->name) : Json(nullptr);
  if (f.hasPayload) {
    const ClockSettings& p = f.content.settings;
    j["author"] = Text(f, p.author);
    j["url"] = Text(f, p.url);
    j["mail"] = Text(f, p.mail);
    j["images"] = p.imageCount;
    j["hands"] = Json::array();
    for (const Hand& h : p.hands)
      j["hands"].push_back(Json{{"color", ColorText(h.color)}, {"length", h.length}});
  }
  WriteText(OutputStream::kOut, Spaced(j) + "\n");
  return kExitDone;
}

}  // namespace

void AddInspectCommand(CLI::App& app, CommandAction* chosen) {
  auto o = std::make_shared<InspectOptions>();
  CLI::App* cmd = app.add_subcommand("inspect", "Print what a clock file holds, as JSON.");
  cmd->add_option("FILE", o->file, "A clock file or clock program")->required();
  cmd->callback([o, chosen] { *chosen = [o] { return RunInspect(*o); }; });
}

}  // namespace tavimore
