#include "clock/clock_program.h"

#include "core/menu_address.h"
#include "platform/cp932_text.h"
#include "platform/file_tail.h"
#include "platform/module_path.h"
#include "platform/ole_picture.h"
#include "platform/single_instance.h"

namespace tavimore {
namespace {

struct Text {
  const char* bytes;
  size_t length;
};

// A payload text field, or the default when the field is empty or there is no payload.
Text FieldOr(const ClockProgram& p, const TextField& field, const char* fallback) {
  if (p.payload && field.length > 0)
    return Text{p.payload.as<const char>() + field.offset, field.length};
  size_t n = 0;
  while (fallback[n]) ++n;
  return Text{fallback, n};
}

// What the menu may open, as wide text; empty when the check refuses the text.
HeapBlock Target(Text text, size_t (*check)(const char*, size_t, char*)) {
  HeapBlock checked(text.length + kAddressPrefixRoom);
  if (!checked) return checked;
  const size_t n = check(text.bytes, text.length, checked.as<char>());
  if (n == 0) return HeapBlock();
  return WideFromCp932(checked.as<const char>(), n);
}

}  // namespace

StartResult StartClockProgram(const ClockBuild& build, const wchar_t* buildName,
                              ClockProgram* p) {
  p->build = &build;
  p->buildName = buildName;
  p->executable = OwnExecutablePath();
  if (!p->executable) return StartResult::kDamaged;
  if (!ClaimSingleInstance(p->executable.as<wchar_t>())) return StartResult::kAlreadyRunning;
  p->settings = DefaultSettings(build);
  p->folder = FolderOf(p->executable.as<wchar_t>());

  p->payloadSize = 0;
  switch (ReadFileTail(p->executable.as<wchar_t>(), kPayloadOffset, &p->payload, &p->payloadSize)) {
    case FileTail::kFailed:
      return StartResult::kDamaged;
    case FileTail::kTooShort:
      break;
    case FileTail::kRead:
      if (ApplyPayload(p->payload.as<uint8_t>(), p->payloadSize, &p->settings) != PayloadError::kNone)
        return StartResult::kDamaged;
      break;
  }

  const Text author = FieldOr(*p, p->settings.author, kDefaultAuthor);
  p->author = WideFromCp932(author.bytes, author.length);
  p->homePage = Target(FieldOr(*p, p->settings.url, kDefaultHomePage), HomePageTarget);
  p->mail = Target(FieldOr(*p, p->settings.mail, kDefaultMail), MailTarget);
  if (!p->author || !p->folder) return StartResult::kDamaged;
  return StartResult::kReady;
}

void LoadBuiltInFace(ClockProgram* p) {
  p->hasBuiltInFace = p->build->picture &&
                      DecodePictureWithOle(p->build->picture, p->build->pictureSize, kFaceSize,
                                           kFaceSize, p->builtInFace);
}

}  // namespace tavimore
