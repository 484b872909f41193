// tavimore: builds, inspects, extracts and renders clock files on any machine, with the
// same portable core the clocks and the editor are made of.
//
// On Windows the arguments are taken as UTF-16 (wmain) and turned into UTF-8, so that
// Japanese names and paths pass through whatever the console's code page is; everything
// after that works on UTF-8 alone, up to the output, which a console gets as UTF-16 again
// (tools/console_output.h).
#include <exception>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "tools/commands.h"
#include "tools/console_output.h"

namespace tavimore {

int Complain(int code, const std::string& message) {
  WriteText(OutputStream::kErr, "tavimore: " + message + "\n");
  return code;
}

namespace {

int Run(int argc, const char* const* argv) {
  CLI::App app{"Builds, inspects, extracts and renders Tavimore clock files.", "tavimore"};
  app.require_subcommand(1);
  CommandAction chosen;
  AddBuildCommand(app, &chosen);
  AddInspectCommand(app, &chosen);
  AddExtractCommand(app, &chosen);
  AddRenderCommand(app, &chosen);
#ifndef _WIN32
  AddRunCommand(app, &chosen);
  AddServeCommand(app, &chosen);
#endif
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // A request for help is a "parse error" that ends successfully.
    if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) return app.exit(e);
    return Complain(kExitRefused, std::string(e.what()) + " (see tavimore --help)");
  }
  return chosen ? chosen() : Complain(kExitRefused, "no command given");
}

int RunGuarded(int argc, const char* const* argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    // Only the system can make us get here (memory, a file system error).
    return Complain(kExitRefused, e.what());
  }
}

}  // namespace
}  // namespace tavimore

#ifdef _WIN32
#include <filesystem>

int wmain(int argc, wchar_t** wargv) {
  std::vector<std::string> args;
  std::vector<const char*> argv;
  try {
    for (int i = 0; i < argc; ++i) args.push_back(std::filesystem::path(wargv[i]).u8string());
  } catch (const std::exception&) {
    return tavimore::Complain(tavimore::kExitRefused, "an argument is not valid Unicode text");
  }
  for (const std::string& a : args) argv.push_back(a.c_str());
  return tavimore::RunGuarded(argc, argv.data());
}
#else
int main(int argc, char** argv) { return tavimore::RunGuarded(argc, argv); }
#endif
