// tavimore serve: a small static web server for trying the editor's web page on this
// machine. It answers GET and HEAD for the files under one folder, on the loopback address
// only, so nothing outside the machine can reach it. Each connection gets its own thread
// and one answer, then is closed: a browser's idle extra connections never hold up others.
// Which file a request names is RequestPath's (request_path.h).
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include <CLI/CLI.hpp>

#include "core/read_whole_file.h"
#include "tools/commands.h"
#include "tools/request_path.h"

namespace tavimore {
namespace {

struct ServeOptions {
  std::string folder = ".";
  int port = 8080;
};

// A stalled client is dropped after this long, so its thread ends.
constexpr int kReceiveTimeoutSeconds = 10;
// A request line and headers longer than this are not a browser's.
constexpr size_t kMaxRequestBytes = 16384;

const char* ContentType(const std::filesystem::path& path) {
  const std::string ext = path.extension().string();
  // The page's scripts need their type under a strict security policy, and the core's
  // WebAssembly is compiled while it streams in only when served as application/wasm.
  if (ext == ".html") return "text/html; charset=utf-8";
  if (ext == ".js") return "text/javascript; charset=utf-8";
  if (ext == ".css") return "text/css; charset=utf-8";
  if (ext == ".wasm") return "application/wasm";
  if (ext == ".png") return "image/png";
  if (ext == ".txt") return "text/plain; charset=utf-8";
  return "application/octet-stream";
}

void SendAll(int fd, const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return;
    sent += static_cast<size_t>(n);
  }
}

void Answer(int fd, const char* status, const char* type, const std::string& body, bool head) {
  std::string out = std::string("HTTP/1.1 ") + status + "\r\nContent-Type: " + type +
                    "\r\nContent-Length: " + std::to_string(body.size()) +
                    // Every answer is fresh from the folder: a rebuilt page is never stale.
                    "\r\nCache-Control: no-store\r\nX-Content-Type-Options: nosniff" +
                    "\r\nConnection: close\r\n\r\n";
  if (!head) out += body;
  SendAll(fd, out);
}

void Serve(int fd, const std::filesystem::path& root) {
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < kMaxRequestBytes) {
    const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    request.append(buffer, static_cast<size_t>(n));
  }
  const size_t lineEnd = request.find("\r\n");
  const std::string line = request.substr(0, lineEnd);
  const size_t space1 = line.find(' ');
  const size_t space2 = line.find(' ', space1 + 1);
  if (lineEnd == std::string::npos || space1 == std::string::npos || space2 == std::string::npos)
    return Answer(fd, "400 Bad Request", "text/plain", "bad request\n", false);
  const std::string method = line.substr(0, space1);
  const std::string target = line.substr(space1 + 1, space2 - space1 - 1);
  const bool head = method == "HEAD";
  if (method != "GET" && !head)
    return Answer(fd, "405 Method Not Allowed", "text/plain", "only GET and HEAD\n", false);
  std::filesystem::path file;
  std::vector<uint8_t> bytes;
  std::string error;
  std::error_code ec;
  if (!RequestPath(root, target, &file) || !std::filesystem::is_regular_file(file, ec) ||
      !ReadWholeFile(file, &bytes, &error))
    return Answer(fd, "404 Not Found", "text/plain", "not found\n", head);
  Answer(fd, "200 OK", ContentType(file), std::string(bytes.begin(), bytes.end()), head);
}

int RunServe(const ServeOptions& o) {
  std::error_code ec;
  const std::filesystem::path root = std::filesystem::u8path(o.folder);
  if (!std::filesystem::is_directory(root, ec))
    return Complain(kExitRefused, o.folder + " is not a folder");
  if (o.port < 0 || o.port > 65535) return Complain(kExitRefused, "--port must be 0 to 65535");

  const int server = socket(AF_INET, SOCK_STREAM, 0);
  if (server < 0) return Complain(kExitRefused, std::string("socket: ") + std::strerror(errno));
  const int yes = 1;
  setsockopt(server, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(o.port));
  socklen_t length = sizeof address;
  if (bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(server, SOMAXCONN) != 0 ||
      getsockname(server, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    const std::string reason = std::strerror(errno);
    close(server);
    return Complain(kExitRefused, "port " + std::to_string(o.port) + ": " + reason);
  }
  // Port 0 lets the system choose; the line names the port it chose.
  std::printf("Serving %s at http://127.0.0.1:%d/ (Ctrl+C stops)\n", o.folder.c_str(),
              ntohs(address.sin_port));
  std::fflush(stdout);
  for (;;) {
    const int client = accept(server, nullptr, nullptr);
    if (client < 0) continue;
    timeval timeout{kReceiveTimeoutSeconds, 0};
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::thread([client, root] {
      Serve(client, root);
      close(client);
    }).detach();
  }
}

}  // namespace

void AddServeCommand(CLI::App& app, CommandAction* chosen) {
  auto o = std::make_shared<ServeOptions>();
  CLI::App* cmd = app.add_subcommand(
      "serve", "Serve a folder (the editor's web page) on this machine's loopback address.");
  cmd->add_option("DIR", o->folder, "The folder to serve")->capture_default_str();
  cmd->add_option("--port", o->port, "TCP port; 0 lets the system choose")->capture_default_str();
  cmd->callback([o, chosen] { *chosen = [o] { return RunServe(*o); }; });
}

}  // namespace tavimore
