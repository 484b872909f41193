#include "core/clock_content.h"

#include "core/menu_address.h"

namespace tavimore {
namespace {

template <size_t N>
constexpr ClockText Literal(const char (&text)[N]) {
  return ClockText{text, N - 1};
}

// A payload text field, or the default when the field is empty or there is no payload.
ClockText FieldOr(const ClockContent& c, const TextField& field, ClockText fallback) {
  if (!c.payload || field.length == 0) return fallback;
  return ClockText{reinterpret_cast<const char*>(c.payload) + field.offset, field.length};
}

const ClockText& Source(const ClockContent& c, MenuAddressKind kind) {
  return kind == MenuAddressKind::kHomePage ? c.homePage : c.mail;
}

}  // namespace

ClockOpen OpenClockPayload(const ClockBuild& build, const uint8_t* payload, size_t size,
                           ClockContent* c) {
  c->build = &build;
  c->settings = DefaultSettings(build);
  c->payload = payload;
  c->payloadSize = payload ? size : 0;
  c->damage = payload ? ApplyPayload(payload, size, &c->settings) : PayloadError::kNone;
  if (c->damage != PayloadError::kNone) return ClockOpen::kDamaged;
  c->author = FieldOr(*c, c->settings.author, Literal(kDefaultAuthor));
  c->homePage = FieldOr(*c, c->settings.url, Literal(kDefaultHomePage));
  c->mail = FieldOr(*c, c->settings.mail, Literal(kDefaultMail));
  return ClockOpen::kReady;
}

void ReadContentImage(const ClockContent& c, int index, uint32_t* pixels) {
  ReadFaceImage(c.payload, c.payloadSize, c.settings.imagesOffset, index, pixels);
}

size_t MenuAddressRoom(const ClockContent& c, MenuAddressKind kind) {
  return Source(c, kind).length + kAddressPrefixRoom;
}

size_t MenuAddress(const ClockContent& c, MenuAddressKind kind, char* out) {
  const ClockText& t = Source(c, kind);
  return kind == MenuAddressKind::kHomePage ? HomePageTarget(t.bytes, t.length, out)
                                            : MailTarget(t.bytes, t.length, out);
}

}  // namespace tavimore
