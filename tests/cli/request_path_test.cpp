// Tests of which file a request names inside the served folder: only files inside it,
// whatever the spelling of the target.
#include "tools/request_path.h"

#include <gtest/gtest.h>

namespace tavimore {
namespace {

TEST(RequestPathTest, OnlyFilesInsideTheFolder) {
  const std::filesystem::path root = "/srv/site";
  struct Case {
    const char* target;
    const char* file;  // null: names no file
  };
  const Case cases[] = {
      {"/", "/srv/site/index.html"},
      {"/clocks/", "/srv/site/clocks/index.html"},
      {"/app.js?x=1#y", "/srv/site/app.js"},
      {"/%E3%83%9A%E3%83%BC%E3%82%B8/%e6%99%82.txt", "/srv/site/ページ/時.txt"},
      {"/a%2Fb", "/srv/site/a/b"},
      {"/../secret.txt", nullptr},
      {"/clocks/../../secret.txt", nullptr},
      {"/%2e%2e/secret.txt", nullptr},
      {"/..%2fsecret.txt", nullptr},
      {"/.%2e/secret.txt", nullptr},
      {"/./index.html", nullptr},
      {"/clocks/..%5c..%5csecret.txt", nullptr},
      {"//etc/passwd", nullptr},
      {"/index.html%00.js", nullptr},
      {"/%zz", nullptr},
      {"/%4", nullptr},
      {"/%", nullptr},
      {"secret.txt", nullptr},
      {"", nullptr},
      {"?/index.html", nullptr},
  };
  for (const Case& c : cases) {
    std::filesystem::path file;
    const bool named = RequestPath(root, c.target, &file);
    EXPECT_EQ(named, c.file != nullptr) << c.target;
    if (named && c.file) EXPECT_EQ(file, std::filesystem::u8path(c.file)) << c.target;
  }
}

}  // namespace
}  // namespace tavimore
