// tavimore inspect: the JSON it prints, and damaged files, which every command that reads
// a clock refuses with exit 2.
#include <nlohmann/json.hpp>

#include "cli_fixture.h"
#include "core/build_marker.h"

namespace tavimore::test {
namespace {

using InspectTest = CliTest;
using nlohmann::json;

TEST_F(InspectTest, ProgramWithoutPayload) {
  Write("pirrow.exe", FakeDefinition("Pirrow", 43520));
  Write("unknown.exe", FakeDefinition("", 54999));
  const RunResult r = Run({"inspect", "pirrow.exe"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "{\"payload\": false, \"build\": \"Pirrow\"}\n");
  EXPECT_EQ(Run({"inspect", "unknown.exe"}).out, "{\"payload\": false, \"build\": null}\n");

  // A marker in the payload is not the program's.
  Write("strip.png", EncodePng(MakeStrip(80, 80)));
  ASSERT_EQ(Run({"build", "--definition", "unknown.exe", "--image", "strip.png", "--output",
                 "c.exe", "--name", std::string(tavimore::kBuildMarkerPrefix) + "Varnet"}).exitCode, 0);
  EXPECT_EQ(json::parse(Run({"inspect", "c.exe"}).out)["build"], nullptr);
}

TEST_F(InspectTest, BuiltClock) {
  ASSERT_EQ(BuildClock("c.exe", 3, {"--name", "時計の作者", "--mail", "a@b.example", "--hour",
                                    "#102030,5", "--second", "#FFFFFF,100"})
                .exitCode, 0);
  const RunResult r = Run({"inspect", "c.exe"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const json expected = json::parse(R"({"payload": true, "build": "Pirrow", "author": "時計の作者",
      "url": null, "mail": "a@b.example", "images": 3, "hands": [
      {"color": "#102030", "length": 5}, {"color": "#000080", "length": 80},
      {"color": "#FFFFFF", "length": 100}]})");
  EXPECT_EQ(json::parse(r.out), expected) << r.out;
  // Keys in the documented order, on one line.
  EXPECT_EQ(r.out.rfind("{\"payload\": true, \"build\": \"Pirrow\", \"author\": ", 0), 0u) << r.out;
  EXPECT_EQ(r.out.find('\n'), r.out.size() - 1);
}

// Damaged: cut inside the images, inside the hand block, right at the payload offset, and a
// count of 0. inspect, extract and render all give exit 2 and write nothing.
TEST_F(InspectTest, DamagedFilesExit2) {
  ASSERT_EQ(BuildClock("c.exe", 2).exitCode, 0);
  const Bytes good = Read("c.exe");
  Bytes zeroCount = good;
  zeroCount[55003] = 0;
  const struct {
    const char* what;
    Bytes bytes;
  } cases[] = {
      {"cut in an image", Bytes(good.begin(), good.end() - 2)},
      {"cut in the hand block", Bytes(good.begin(), good.begin() + 55010)},
      {"only the program", Bytes(good.begin(), good.begin() + 55000)},
      {"count 0", zeroCount},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Write("bad.exe", c.bytes);
    ExpectRefused(Run({"inspect", "bad.exe"}), 2);
    ExpectRefused(Run({"extract", "bad.exe", "--output", "s.png"}), 2);
    ExpectRefused(Run({"render", "bad.exe", "--time", "03:00:00", "--output", "r.png"}), 2);
    EXPECT_FALSE(Exists("s.png") || Exists("r.png"));
  }
  // The reader's own trailing zero stands in for a missing last byte.
  Write("cut1.exe", Bytes(good.begin(), good.end() - 1));
  EXPECT_EQ(Run({"inspect", "cut1.exe"}).exitCode, 0);
  ExpectRefused(Run({"inspect", "missing.exe"}), 1);
}

}  // namespace
}  // namespace tavimore::test
