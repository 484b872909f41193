#include "clock/clock_program.h"

#include "platform/cp932_text.h"
#include "platform/file_tail.h"
#include "platform/module_path.h"
#include "platform/ole_picture.h"
#include "platform/single_instance.h"

namespace tavimore {
namespace {

// What the menu may open, as wide text; empty when the address is refused.
HeapBlock Target(const ClockContent& content, MenuAddressKind kind) {
  HeapBlock checked(MenuAddressRoom(content, kind));
  if (!checked) return checked;
  const size_t n = MenuAddress(content, kind, checked.as<char>());
  if (n == 0) return HeapBlock();
  return WideFromCp932(checked.as<const char>(), n);
}

}  // namespace

StartResult StartClockProgram(const ClockBuild& build, const wchar_t* buildName,
                              ClockProgram* p) {
  p->buildName = buildName;
  p->executable = OwnExecutablePath();
  if (!p->executable) return StartResult::kDamaged;
  if (!ClaimSingleInstance(p->executable.as<wchar_t>())) return StartResult::kAlreadyRunning;
  if (!ClockFileKey(p->executable.as<wchar_t>(), p->fileKey)) p->fileKey[0] = 0;

  // A file too short for a payload leaves the block empty: the build's defaults.
  size_t payloadSize = 0;
  if (ReadFileTail(p->executable.as<wchar_t>(), kPayloadOffset, &p->payload, &payloadSize) ==
      FileTail::kFailed)
    return StartResult::kDamaged;
  if (OpenClockPayload(build, p->payload.as<uint8_t>(), payloadSize, &p->content) !=
      ClockOpen::kReady)
    return StartResult::kDamaged;

  p->author = WideFromCp932(p->content.author.bytes, p->content.author.length);
  p->homePage = Target(p->content, MenuAddressKind::kHomePage);
  p->mail = Target(p->content, MenuAddressKind::kMail);
  if (!p->author) return StartResult::kDamaged;
  return StartResult::kReady;
}

void LoadBuiltInFace(ClockProgram* p) {
  const ClockBuild& build = *p->content.build;
  if (!build.picture) return;
  HeapBlock face(kImageValues * sizeof(uint32_t));
  if (face && DecodePictureWithOle(build.picture, build.pictureSize, kFaceSize, kFaceSize,
                                   face.as<uint32_t>()))
    p->builtInFace = static_cast<HeapBlock&&>(face);
}

}  // namespace tavimore
