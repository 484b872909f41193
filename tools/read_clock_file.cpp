#include "tools/read_clock_file.h"

#include <algorithm>
#include <filesystem>

#include "core/build_list.h"
#include "core/clock_file.h"
#include "core/read_whole_file.h"
#include "tools/commands.h"

namespace tavimore {

int ReadClockFile(const std::string& path, ClockFile* file) {
  file->path = path;
  std::string error;
  if (!ReadWholeFile(std::filesystem::u8path(path), &file->bytes, &error))
    return Complain(kExitRefused, error);
  const size_t programSize = std::min<size_t>(file->bytes.size(), kPayloadOffset);
  file->build = DetectBuild(file->bytes.data(), programSize);
  file->hasPayload = file->bytes.size() >= kPayloadOffset;
  return OpenClockAs(*file, file->build ? *file->build : *kAllBuilds[0], &file->content);
}

int OpenClockAs(const ClockFile& file, const ClockBuild& build, ClockContent* content) {
  if (OpenClockFile(file.bytes.data(), file.bytes.size(), &build, content) == ClockOpen::kReady)
    return kExitDone;
  return Complain(kExitDamaged,
                  file.path + ": damaged clock file: " + PayloadErrorText(content->damage));
}

}  // namespace tavimore
