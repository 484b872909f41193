// The portable core as the web page calls it: plain C functions over WebAssembly memory.
//
// The page owns the pixels and bytes it hands in (it allocates them with tv_alloc); every
// buffer a function returns is the page's to release with tv_free. A picture's header is
// checked here before anything is decoded; bitmaps are then decoded here as in every
// program, other pictures by the browser, and the pixels go to the same cutting, drawing
// and building code the clocks, the editor and the command line use, so a clock made in
// the page is the clock `tavimore build` makes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <emscripten/emscripten.h>

#include "core/bmp_decoder.h"
#include "core/build_list.h"
#include "core/clock_builder.h"
#include "core/clock_face.h"
#include "core/clock_file.h"
#include "core/clock_scale.h"
#include "core/clock_tick.h"
#include "core/cp932.h"
#include "core/editor_texts.h"
#include "core/enlarged_face.h"
#include "core/face_fit.h"
#include "core/gif_frame.h"
#include "core/payload_format.h"
#include "core/picture_header.h"
#include "core/picture_strip.h"

using namespace tavimore;

// The page reads pointers and sizes out of memory as 32-bit values.
static_assert(sizeof(void*) == 4 && sizeof(size_t) == 4, "the page expects wasm32");

namespace {

// Hands cross the boundary as six values: colour 0x00BBGGRR and length, hour first.
void ReadHands(const uint32_t* values, Hand hands[kHandCount]) {
  for (int h = 0; h < kHandCount; ++h)
    hands[h] = Hand{values[2 * h], static_cast<int32_t>(values[2 * h + 1])};
}

const ClockBuild* BuildAt(int index) {
  return index >= 0 && index < kBuildCount ? kAllBuilds[index] : nullptr;
}

char* CopyOut(const std::string& text) {
  char* out = static_cast<char*>(std::malloc(text.size() + 1));
  if (out) std::memcpy(out, text.c_str(), text.size() + 1);
  return out;
}

// What tv_check_picture finds in a picture's header.
struct PictureInfo {
  int32_t kind;  // a PictureKind value
  int32_t width;
  int32_t height;
};

// What tv_cut_faces reports beside the face images.
struct CutResult {
  int32_t error;  // a StripError value
  int32_t count;  // face images cut
};

enum OpenError : int32_t { kOpenRead, kOpenDamaged, kOpenNoPayload, kOpenNoMemory };

// A clock file as the page reads it back; the page finds the fields at the offsets
// tv_value gives.
struct OpenedClock {
  int32_t error;       // an OpenError: read, damaged payload, a clock program without
                       // payload, or out of memory
  int32_t build;       // index of the recognised build, -1 when none is recognised
  int32_t imageCount;  // face images in `images`
  uint32_t hands[2 * kHandCount];
  char* author;  // UTF-8, each released with tv_free
  char* url;
  char* mail;
  uint32_t* images;  // imageCount x kImageValues values
};

// One tick of the preview as the page reads it: TickFace in plain numbers.
struct PageTick {
  int32_t redraw;     // 0: the second drawn last; nothing to draw
  int32_t faceImage;  // the face image to show, -1 with none
  int32_t hour, minute, second;  // the time the hands show
};

// The numbers the page works with, by name.
struct NamedValue {
  const char* name;
  int32_t value;
};

#define TAVIMORE_FIELD(record, field) {#record "." #field, offsetof(record, field)}
const NamedValue kPageValues[] = {
    {"faceSize", kFaceSize},
    {"windowSize", kWindowSize},
    // A screen's scale as the page passes it: 96 DPI is 100 %, where the window is windowSize.
    {"baseDpi", kBaseDpi},
    {"imageValues", kImageValues},
    {"handCount", kHandCount},
    // The face the page shows and builds with before a picture is chosen: the editor's
    // picture box colour, which its preview holds then.
    {"emptyFacePixel", static_cast<int32_t>(kPictureBoxBackground)},
    {"StripError.notAPicture", static_cast<int32_t>(StripError::kNotAPicture)},
    {"StripError.wrongSize", static_cast<int32_t>(StripError::kWrongSize)},
    {"StripError.tooManyFrames", static_cast<int32_t>(StripError::kTooManyFrames)},
    {"PictureKind.bmp", static_cast<int32_t>(PictureKind::kBmp)},
    {"PictureKind.jpeg", static_cast<int32_t>(PictureKind::kJpeg)},
    {"PictureKind.gif", static_cast<int32_t>(PictureKind::kGif)},
    {"PictureKind.png", static_cast<int32_t>(PictureKind::kPng)},
    {"OpenError.read", kOpenRead},
    {"OpenError.damaged", kOpenDamaged},
    {"OpenError.noPayload", kOpenNoPayload},
    {"OpenError.noMemory", kOpenNoMemory},
    {"PictureInfo.size", sizeof(PictureInfo)},
    TAVIMORE_FIELD(PictureInfo, kind),
    TAVIMORE_FIELD(PictureInfo, width),
    TAVIMORE_FIELD(PictureInfo, height),
    {"CutResult.size", sizeof(CutResult)},
    TAVIMORE_FIELD(CutResult, error),
    TAVIMORE_FIELD(CutResult, count),
    {"OpenedClock.size", sizeof(OpenedClock)},
    TAVIMORE_FIELD(OpenedClock, error),
    TAVIMORE_FIELD(OpenedClock, build),
    TAVIMORE_FIELD(OpenedClock, imageCount),
    TAVIMORE_FIELD(OpenedClock, hands),
    TAVIMORE_FIELD(OpenedClock, author),
    TAVIMORE_FIELD(OpenedClock, url),
    TAVIMORE_FIELD(OpenedClock, mail),
    TAVIMORE_FIELD(OpenedClock, images),
    TAVIMORE_FIELD(PageTick, redraw),
    TAVIMORE_FIELD(PageTick, faceImage),
    TAVIMORE_FIELD(PageTick, hour),
    TAVIMORE_FIELD(PageTick, minute),
    TAVIMORE_FIELD(PageTick, second),
    // The record's own size by another name: "size" is its side.
    {"FaceSquare.record", sizeof(FaceSquare)},
    TAVIMORE_FIELD(FaceSquare, left),
    TAVIMORE_FIELD(FaceSquare, top),
    TAVIMORE_FIELD(FaceSquare, size),
    {"maxImages", kMaxImages},
};
#undef TAVIMORE_FIELD
constexpr int kPageValueCount = sizeof kPageValues / sizeof kPageValues[0];

// The editor's messages in Japanese, by the keys the page knows them by.
struct NamedText {
  const char* key;
  const char* text;
};
#define TAVIMORE_PAGE_TEXT(id, key, text) {key, text},
const NamedText kPageTexts[] = {TAVIMORE_EDITOR_TEXTS(TAVIMORE_PAGE_TEXT)};
#undef TAVIMORE_PAGE_TEXT

std::string TextOf(const uint8_t* payload, const TextField& field) {
  return Utf8FromCp932(std::string(reinterpret_cast<const char*>(payload) + field.offset,
                                   field.length));
}

// The preview's face picture, kept from one of the page's redraws (one a second) to the
// next. The page hands its face image in anew each time, so the image is known by its
// pixels: the picture is enlarged again when they differ from the ones kept, or at
// another scale.
struct PreviewFace {
  std::vector<uint32_t> image;  // what the picture was enlarged from; empty for none
  std::vector<uint32_t> pixels;
  EnlargedFace enlarged;
};

// The face as a clock draws it each second over `background` (a face image, or null for the
// plain colour), which to the core is what a build's own face is to a clock: the one
// background besides face images.
void DrawPreviewFace(const PixelView& face, const ClockBuild& build, const uint32_t* handValues,
                     const uint32_t* background, ClockTime time, int dpi) {
  static PreviewFace kept;
  const size_t values = background ? kImageValues : 0;
  const size_t size = static_cast<size_t>(ScaledFaceSize(dpi));
  kept.pixels.resize(size * size);
  if (!std::equal(background, background + values, kept.image.begin(), kept.image.end())) {
    kept.image.assign(background, background + values);
    kept.enlarged = EnlargedFace{};
  }
  kept.enlarged.pixels = kept.pixels.data();
  ClockContent content{};
  content.build = &build;
  content.settings.imageCount = -1;
  ReadHands(handValues, content.settings.hands);
  DrawTickFace(face, content, background, TickFace{true, -1, time}, dpi, &kept.enlarged,
               nullptr);
}

// The page has one preview, a clock of its own: its tick rule's memory from one wake to the
// next, and the answer to the page's last question, which the page reads in place.
Ticker previewTicker;
PageTick lastAnswer;

const PageTick* Answer(const TickFace& face) {
  lastAnswer = PageTick{face.redraw, face.faceImage, face.time.hour, face.time.minute,
                        face.time.second};
  return &lastAnswer;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void* tv_alloc(size_t size) { return std::malloc(size ? size : 1); }
EMSCRIPTEN_KEEPALIVE void tv_free(void* p) { std::free(p); }

// The page's numbers (kPageValues): how many, and each one's name and value.
EMSCRIPTEN_KEEPALIVE int tv_value_count() { return kPageValueCount; }
EMSCRIPTEN_KEEPALIVE const char* tv_value_name(int index) {
  return index >= 0 && index < kPageValueCount ? kPageValues[index].name : "";
}
EMSCRIPTEN_KEEPALIVE int32_t tv_value(int index) {
  return index >= 0 && index < kPageValueCount ? kPageValues[index].value : 0;
}

// The editor's messages (kPageTexts): how many, and each one's key and Japanese text.
EMSCRIPTEN_KEEPALIVE int tv_text_count() { return kEditorTextCount; }
EMSCRIPTEN_KEEPALIVE const char* tv_text_key(int index) {
  return index >= 0 && index < kEditorTextCount ? kPageTexts[index].key : "";
}
EMSCRIPTEN_KEEPALIVE const char* tv_text(int index) {
  return index >= 0 && index < kEditorTextCount ? kPageTexts[index].text : "";
}

// The message a refused picture shows: its title's index times 256 plus its text's.
EMSCRIPTEN_KEEPALIVE int tv_picture_message(int error) {
  const EditorMessage message = PictureMessage(static_cast<StripError>(error));
  return message.title * 256 + message.text;
}

// How long the page waits for its next redraw: the clock's own wake, just after the next
// second begins. Browsers fire timers a few milliseconds early or late, and a redraw just
// before the boundary would draw the old second once more.
EMSCRIPTEN_KEEPALIVE int tv_wake_delay_ms(int millisecondsIntoSecond) {
  return WakeDelay(millisecondsIntoSecond);
}

// The preview's tick rule, as every clock follows it: a new picture or clock starts it
// afresh (the first redraw shows face image 0); tv_tick is asked at every wake with the
// local time, tv_last_tick when the drawing changed within the second (hands, shape, scale).
// Both answer in a PageTick that stays valid until the next call.
EMSCRIPTEN_KEEPALIVE void tv_ticker_restart() { previewTicker = Ticker{}; }
EMSCRIPTEN_KEEPALIVE const PageTick* tv_tick(int imageCount, int year, int month, int day,
                                             int hour, int minute, int second) {
  return Answer(TickAt(&previewTicker, imageCount,
                       LocalTime{year, month, day, hour, minute, second, 0}));
}
EMSCRIPTEN_KEEPALIVE const PageTick* tv_last_tick(int imageCount) {
  return Answer(LastTick(previewTicker, imageCount));
}

EMSCRIPTEN_KEEPALIVE int tv_build_count() { return kBuildCount; }
EMSCRIPTEN_KEEPALIVE const char* tv_build_name(int index) {
  const ClockBuild* build = BuildAt(index);
  return build ? build->name : "";
}

// The header check every program makes before decoding: a StripError value (0 when the
// picture can be a strip), and in `info` the kind, width and height as the header gives
// them (at most 2^31 - 1, which any refused size stays refused at).
EMSCRIPTEN_KEEPALIVE int tv_check_picture(const uint8_t* bytes, size_t size, PictureInfo* info) {
  PictureHeader header;
  PictureStrip strip;
  const StripError error = CheckStripHeader(bytes, size, &header, &strip);
  info->kind = static_cast<int32_t>(header.kind);
  info->width = static_cast<int32_t>(std::min<int64_t>(strip.width, INT32_MAX));
  info->height = static_cast<int32_t>(std::min<int64_t>(strip.height, INT32_MAX));
  return static_cast<int>(error);
}

// The face images of a picture (result->count of them, kImageValues values each), or null
// with the reason in result->error (none when memory ran out). With `decodedHere` the
// bytes are a bitmap file, decoded by the core's own decoder as in every program;
// otherwise they are the browser's decoded pixels, straight RGBA, top row first,
// width x height x 4 bytes.
EMSCRIPTEN_KEEPALIVE uint32_t* tv_cut_faces(const uint8_t* bytes, size_t size, int width,
                                            int height, int decodedHere, CutResult* result) {
  int32_t* error = &result->error;
  result->count = 0;
  DecodedPixels pixels;
  if (decodedHere) {
    if (!DecodeBmp(bytes, size, static_cast<int64_t>(kFaceSize) * kFaceSize * kMaxImages,
                   &pixels)) {
      *error = static_cast<int32_t>(StripError::kNotAPicture);
      return nullptr;
    }
  } else {
    if (width < 0 || height < 0 || size != static_cast<size_t>(width) * height * 4) {
      *error = static_cast<int32_t>(StripError::kNotAPicture);
      return nullptr;
    }
    pixels.width = width;
    pixels.height = height;
    pixels.order = ChannelOrder::kRgba;
    pixels.bytes.assign(bytes, bytes + size);
  }
  PictureStrip strip;
  *error = static_cast<int32_t>(CutStrip(pixels, &strip));
  if (*error != 0) return nullptr;
  result->count = static_cast<int32_t>(strip.images.size() / kImageValues);
  auto* out = static_cast<uint32_t*>(std::malloc(strip.images.size() * sizeof(uint32_t)));
  if (out) std::memcpy(out, strip.images.data(), strip.images.size() * sizeof(uint32_t));
  return out;
}

// A bitmap file that is no strip, decoded by the core's own decoder as every program
// decodes it, so that its framed face is the one `tavimore build --fit` makes: straight
// RGBA, top row first, its size in `info`; null for a file this decoder does not read or
// one of more than `maxPixels` pixels (the size its header gave the page).
EMSCRIPTEN_KEEPALIVE uint8_t* tv_decode_bmp(const uint8_t* bytes, size_t size, double maxPixels,
                                            PictureInfo* info) {
  DecodedPixels pixels;
  if (!DecodeBmp(bytes, size, static_cast<int64_t>(maxPixels), &pixels)) return nullptr;
  info->width = pixels.width;
  info->height = pixels.height;
  auto* out = static_cast<uint8_t*>(std::malloc(pixels.bytes.size()));
  if (out) std::memcpy(out, pixels.bytes.data(), pixels.bytes.size());
  return out;
}

// How many faces a GIF gives as an animation, counted from its records as `tavimore build
// --fit` counts them (0: no whole frame), held within an int: far more than the 255 faces
// a clock can take still says "too many".
EMSCRIPTEN_KEEPALIVE int tv_gif_frame_count(const uint8_t* bytes, size_t size) {
  return static_cast<int>(std::min<int64_t>(CountGifFrames(bytes, size), 1 << 30));
}

// The square a picture of `width` x `height` is framed with before the user moves it.
EMSCRIPTEN_KEEPALIVE void tv_centred_square(int width, int height, FaceSquare* out) {
  *out = CentredSquare(width, height);
}

// The face image of the square `left`, `top`, `side` of a decoded picture (straight RGBA,
// top row first, width x height x 4 bytes) into `face` (kImageValues values), as
// `tavimore build --fit` makes it. 0 for a square not inside the picture.
EMSCRIPTEN_KEEPALIVE int tv_fit_face(const uint8_t* rgba, size_t size, int width, int height,
                                     int left, int top, int side, uint32_t* face) {
  DecodedPixels pixels;
  pixels.width = width;
  pixels.height = height;
  pixels.order = ChannelOrder::kRgba;
  pixels.bytes.assign(rgba, rgba + size);
  return FitFace(pixels, FaceSquare{left, top, side}, face) ? 1 : 0;
}

// The side of the clock's window on a screen of `dpi` (clamped as every clock clamps it),
// which is what tv_render draws at that DPI.
EMSCRIPTEN_KEEPALIVE int tv_window_size(int dpi) { return ScaledWindowSize(ClampDpi(dpi)); }

// The clock's window at the given time, as a clock on a screen of `dpi` shows it, into
// `rgba` (tv_window_size(dpi)^2 x 4 bytes); `face` is one face image, or null for the
// build's plain colour.
EMSCRIPTEN_KEEPALIVE int tv_render(int buildIndex, const uint32_t* handValues,
                                   const uint32_t* face, int hour, int minute, int second,
                                   int dpi, uint8_t* rgba) {
  const ClockBuild* build = BuildAt(buildIndex);
  if (!build || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
    return 0;
  dpi = ClampDpi(dpi);
  const size_t side = static_cast<size_t>(ScaledWindowSize(dpi));
  std::vector<uint32_t> window(side * side);
  DrawPreviewFace(ClearClockWindow(window.data(), dpi), *build, handValues, face,
                  ClockTime{hour, minute, second}, dpi);
  WindowRgba(*build, dpi, window.data(), rgba);
  return 1;
}

// The whole clock file from a definition, the three texts (UTF-8, stored as code page
// 932), the hands and `count` face images. Null when the images do not make a payload
// (0 or more than 255) or memory runs out; else the bytes, their number in *size.
EMSCRIPTEN_KEEPALIVE uint8_t* tv_build_clock(const uint8_t* definition, size_t definitionSize,
                                             const char* author, const char* url,
                                             const char* mail, const uint32_t* handValues,
                                             const uint32_t* images, int count, size_t* size) {
  if (count < 1 || count > kMaxImages || !definition || definitionSize == 0) return nullptr;
  PayloadContent content;
  content.author = Cp932FromUtf8(author);
  content.url = Cp932FromUtf8(url);
  content.mail = Cp932FromUtf8(mail);
  ReadHands(handValues, content.hands);
  content.images.assign(images, images + static_cast<size_t>(count) * kImageValues);
  std::vector<uint8_t> clock;
  if (!BuildClockBytes(std::vector<uint8_t>(definition, definition + definitionSize), content,
                       &clock))
    return nullptr;
  auto* out = static_cast<uint8_t*>(std::malloc(clock.size()));
  if (!out) return nullptr;
  std::memcpy(out, clock.data(), clock.size());
  *size = clock.size();
  return out;
}

// Reads a clock file into `out` (an OpenedClock the page allocated) the way the clock
// itself reads it. Returns out->error.
EMSCRIPTEN_KEEPALIVE int tv_open_clock(const uint8_t* file, size_t size, OpenedClock* out) {
  std::memset(out, 0, sizeof *out);
  // A clock of a build the page does not know still gives its texts, hands and faces.
  const ClockBuild* build = nullptr;
  ClockContent c;
  const ClockOpen open = OpenAnyClockFile(file, size, &build, &c);
  out->build = -1;
  for (int i = 0; i < kBuildCount; ++i)
    if (kAllBuilds[i] == build) out->build = i;
  if (open != ClockOpen::kReady) return out->error = kOpenDamaged;
  if (!HasFaceImages(c)) return out->error = kOpenNoPayload;

  for (int h = 0; h < kHandCount; ++h) {
    out->hands[2 * h] = c.settings.hands[h].color;
    out->hands[2 * h + 1] = static_cast<uint32_t>(c.settings.hands[h].length);
  }
  // The payload's own texts, empty where the clock shows its defaults: the page edits them.
  out->author = CopyOut(TextOf(c.payload, c.settings.author));
  out->url = CopyOut(TextOf(c.payload, c.settings.url));
  out->mail = CopyOut(TextOf(c.payload, c.settings.mail));
  out->images = static_cast<uint32_t*>(
      std::malloc(static_cast<size_t>(c.settings.imageCount) * kImageValues * sizeof(uint32_t)));
  if (!out->author || !out->url || !out->mail || !out->images) return out->error = kOpenNoMemory;
  for (int i = 0; i < c.settings.imageCount; ++i)
    ReadContentImage(c, i, out->images + static_cast<size_t>(i) * kImageValues);
  out->imageCount = c.settings.imageCount;
  return kOpenRead;
}

}  // extern "C"
