#include "tools/read_clock_file.h"

#include <filesystem>

#include "core/clock_file.h"
#include "core/read_whole_file.h"
#include "tools/commands.h"

namespace tavimore {
namespace {

int Damaged(const ClockFile& file, const ClockContent& content) {
  return Complain(kExitDamaged,
                  file.path + ": damaged clock file: " + PayloadErrorText(content.damage));
}

}  // namespace

int ReadClockFile(const std::string& path, ClockFile* file) {
  file->path = path;
  std::string error;
  if (!ReadWholeFile(std::filesystem::u8path(path), &file->bytes, &error))
    return Complain(kExitRefused, error);
  file->hasPayload = file->bytes.size() >= kPayloadOffset;
  if (OpenAnyClockFile(file->bytes.data(), file->bytes.size(), &file->build, &file->content) ==
      ClockOpen::kReady)
    return kExitDone;
  return Damaged(*file, file->content);
}

int OpenClockAs(const ClockFile& file, const ClockBuild& build, ClockContent* content) {
  if (OpenClockFile(file.bytes.data(), file.bytes.size(), &build, content) == ClockOpen::kReady)
    return kExitDone;
  return Damaged(file, *content);
}

}  // namespace tavimore
