// DecodeWithSystem for the Windows programs: the Windows Imaging Component decodes JPEG,
// GIF and PNG from memory. Pixels come out as 32-bit BGRA with straight alpha, except
// 16-bit channels, which are copied as they are and cut to their high byte here, by the
// same rule as the Linux decoders, rather than left to the converter's rounding.
#include <windows.h>
#include <wincodec.h>

#include <cstring>
#include <vector>

#include "core/gif_frame.h"
#include "decode/system_decoder.h"
#include "decode/wic_picture.h"
#include "platform/com_apartment.h"
#include "platform/handle_owners.h"

namespace tavimore {
namespace {

struct Wide {
  const GUID* format;
  int channels;  // 16-bit channels a pixel
};

// The 16-bit formats a decoder hands out, and how many channels each has.
bool FindWide(const GUID& format, Wide* wide) {
  static const Wide kWide[] = {{&GUID_WICPixelFormat48bppRGB, 3},
                               {&GUID_WICPixelFormat64bppRGBA, 4},
                               {&GUID_WICPixelFormat16bppGray, 1}};
  for (const Wide& w : kWide)
    if (IsEqualGUID(*w.format, format)) {
      *wide = w;
      return true;
    }
  return false;
}

// Little-endian 16-bit channels to BGRA: the high byte of each, grey copied to all three.
void FromWide(const uint8_t* from, int channels, int pixels, uint8_t* bgra) {
  for (int i = 0; i < pixels; ++i, from += channels * 2, bgra += 4) {
    const uint8_t r = from[1], g = channels >= 3 ? from[3] : r, b = channels >= 3 ? from[5] : r;
    bgra[0] = b, bgra[1] = g, bgra[2] = r;
    bgra[3] = channels == 4 ? from[7] : 255;
  }
}

// The frame's pixels as BGRA, `width` x `height` of them, into `to`.
bool CopyFrame(IWICBitmapFrameDecode* frame, UINT width, UINT height, uint8_t* to) {
  WICPixelFormatGUID format;
  if (FAILED(frame->GetPixelFormat(&format))) return false;
  const UINT stride = width * 4;
  Wide wide;
  if (FindWide(format, &wide)) {
    const UINT wideStride = width * wide.channels * 2;
    std::vector<uint8_t> raw(static_cast<size_t>(wideStride) * height);
    if (FAILED(frame->CopyPixels(nullptr, wideStride, static_cast<UINT>(raw.size()), raw.data())))
      return false;
    FromWide(raw.data(), wide.channels, static_cast<int>(width * height), to);
    return true;
  }
  ComRef<IWICBitmapSource> converted;
  if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame, converted.out())))
    return false;
  return SUCCEEDED(converted->CopyPixels(nullptr, stride, stride * height, to));
}

// Lays a GIF's first frame on the transparent logical screen at its offset.
void PlaceFrame(const std::vector<uint8_t>& frame, const GifFrame& at, DecodedPixels* out) {
  for (int y = 0; y < at.height && at.top + y < out->height; ++y)
    for (int x = 0; x < at.width && at.left + x < out->width; ++x)
      std::memcpy(&out->bytes[(static_cast<size_t>(at.top + y) * out->width + at.left + x) * 4],
                  &frame[(static_cast<size_t>(y) * at.width + x) * 4], 4);
}

}  // namespace

bool DecodeWithSystem(PictureKind kind, const uint8_t* bytes, size_t size, int width, int height,
                      DecodedPixels* out) {
  if (size > MAXDWORD) return false;
  // A GIF goes in cut after its first frame: decoders that read every frame up front then
  // cannot be made to spend memory on frames that are never shown.
  std::vector<uint8_t> firstFrame;
  GifFrame at;
  if (kind == PictureKind::kGif) {
    if (!FindGifFirstFrame(bytes, size, &at)) return false;
    firstFrame.assign(bytes, bytes + at.end);
    firstFrame.push_back(0x3B);  // the trailer
    bytes = firstFrame.data();
    size = firstFrame.size();
  }

  ComApartment apartment;
  if (!apartment.usable()) return false;
  WicPicture picture;
  if (!OpenWicPicture(bytes, size, &picture)) return false;
  ComRef<IWICBitmapFrameDecode> frame;
  if (FAILED(picture.decoder->GetFrame(0, frame.out()))) return false;
  UINT frameWidth = 0, frameHeight = 0;
  if (FAILED(frame->GetSize(&frameWidth, &frameHeight))) return false;

  out->width = width;
  out->height = height;
  out->order = ChannelOrder::kBgra;
  out->bytes.assign(static_cast<size_t>(width) * height * 4, 0);  // transparent
  if (kind != PictureKind::kGif)
    return frameWidth == static_cast<UINT>(width) && frameHeight == static_cast<UINT>(height) &&
           CopyFrame(frame.get(), frameWidth, frameHeight, out->bytes.data());
  if (frameWidth != static_cast<UINT>(at.width) || frameHeight != static_cast<UINT>(at.height))
    return false;
  std::vector<uint8_t> pixels(static_cast<size_t>(frameWidth) * frameHeight * 4);
  if (!CopyFrame(frame.get(), frameWidth, frameHeight, pixels.data())) return false;
  PlaceFrame(pixels, at, out);
  return true;
}

}  // namespace tavimore
