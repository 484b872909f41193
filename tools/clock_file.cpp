#include "tools/clock_file.h"

#include <algorithm>
#include <filesystem>

#include "core/build_list.h"
#include "core/read_whole_file.h"
#include "tools/commands.h"

namespace tavimore {
namespace {

int Damaged(const std::string& path, PayloadError error) {
  return Complain(kExitDamaged, path + ": damaged clock file: " + PayloadErrorText(error));
}

}  // namespace

int ReadClockFile(const std::string& path, ClockFile* file) {
  file->path = path;
  std::string error;
  if (!ReadWholeFile(std::filesystem::u8path(path), &file->bytes, &error))
    return Complain(kExitRefused, error);
  const size_t programSize = std::min<size_t>(file->bytes.size(), kPayloadOffset);
  file->build = DetectBuild(file->bytes.data(), programSize);
  file->hasPayload = file->bytes.size() >= kPayloadOffset;
  if (!file->hasPayload) return kExitDone;
  const PayloadError e = DecodePayload(file->PayloadBytes(), file->PayloadSize(), &file->payload);
  return e == PayloadError::kNone ? kExitDone : Damaged(path, e);
}

int ReadClockSettings(const ClockFile& file, const ClockBuild& build, ClockSettings* settings) {
  *settings = DefaultSettings(build);
  const PayloadError e = ApplyClockFile(file.bytes.data(), file.bytes.size(), settings);
  return e == PayloadError::kNone ? kExitDone : Damaged(file.path, e);
}

}  // namespace tavimore
