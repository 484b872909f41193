// The subcommands of tavimore, the command-line companion of the clocks.
//
// Exit codes, the same for every command: 0 done; 1 refused input or a usage error;
// 2 a damaged clock file. Every message goes to stderr and begins with "tavimore: ".
//
// Each Add...Command adds its subcommand to the command line; when the command line names
// that subcommand, parsing leaves the command's work in *chosen, which main then runs.
#pragma once

#include <functional>
#include <string>

namespace CLI {
class App;
}

namespace tavimore {

enum ExitCode { kExitDone = 0, kExitRefused = 1, kExitDamaged = 2 };

// Prints "tavimore: <message>" to stderr and returns `code`, so a command can end with
// `return Complain(kExitRefused, ...)`.
int Complain(int code, const std::string& message);

using CommandAction = std::function<int()>;

void AddBuildCommand(CLI::App& app, CommandAction* chosen);
void AddInspectCommand(CLI::App& app, CommandAction* chosen);
void AddExtractCommand(CLI::App& app, CommandAction* chosen);
void AddRenderCommand(CLI::App& app, CommandAction* chosen);
#ifndef _WIN32
void AddRunCommand(CLI::App& app, CommandAction* chosen);  // the native clock, Linux only
// The web page is built and tried on Linux; Windows users serve it with any web server.
void AddServeCommand(CLI::App& app, CommandAction* chosen);
#endif

}  // namespace tavimore
