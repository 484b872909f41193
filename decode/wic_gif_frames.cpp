// DecodeGifFrames for tavimore.exe: the Windows Imaging Component's GIF decoder hands out
// each frame's own pixels, as palette indexes, and its metadata: the frame's place on the
// logical screen (/imgdesc/Left, /Top), its disposal and transparent index (/grctlext/...).
// The frames are composed by the core's canvas, as giflib's are on Linux, so both give the
// same screens. The indexes are turned into colours here, by the same rule as giflib's
// reader (an index past the palette is black), rather than by the converter, whose
// handling of transparency and of such indexes is the decoder's own. The decoder is asked
// for one frame at a time, and each is released before the next.
#include <windows.h>
#include <wincodec.h>

#include <algorithm>
#include <vector>

#include "core/gif_canvas.h"
#include "decode/system_decoder.h"
#include "platform/com_apartment.h"
#include "platform/handle_owners.h"

namespace tavimore {
namespace {

// One unsigned number of a frame's metadata, or `fallback` where the frame has none (a
// frame without a graphic control extension, say).
UINT MetadataNumber(IWICMetadataQueryReader* reader, const wchar_t* name, UINT fallback) {
  PROPVARIANT value;
  PropVariantInit(&value);
  UINT number = fallback;
  if (SUCCEEDED(reader->GetMetadataByName(name, &value))) {
    if (value.vt == VT_UI1) number = value.bVal;
    else if (value.vt == VT_UI2) number = value.uiVal;
    else if (value.vt == VT_BOOL) number = value.boolVal ? 1 : 0;
  }
  PropVariantClear(&value);
  return number;
}

struct FrameMetadata {
  int left = 0, top = 0;
  int transparent = -1;
  GifDisposal disposal = GifDisposal::kKeep;
};

FrameMetadata ReadMetadata(IWICBitmapFrameDecode* frame) {
  FrameMetadata m;
  ComRef<IWICMetadataQueryReader> reader;
  if (FAILED(frame->GetMetadataQueryReader(reader.out()))) return m;
  m.left = static_cast<int>(MetadataNumber(reader.get(), L"/imgdesc/Left", 0));
  m.top = static_cast<int>(MetadataNumber(reader.get(), L"/imgdesc/Top", 0));
  if (MetadataNumber(reader.get(), L"/grctlext/TransparencyFlag", 0))
    m.transparent = static_cast<int>(MetadataNumber(reader.get(), L"/grctlext/TransparentColorIndex", 0));
  // The disposal method as the extension's packed byte holds it, bits 2 to 4.
  m.disposal = DisposalFromPacked(
      static_cast<uint8_t>(MetadataNumber(reader.get(), L"/grctlext/Disposal", 0) << 2));
  return m;
}

// The part of the frame on a `width` x `height` screen, as BGRA with its transparent index
// at alpha 0.
bool ReadFrame(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, int width, int height,
               GifFrameImage* out) {
  const FrameMetadata m = ReadMetadata(frame);
  UINT frameWidth = 0, frameHeight = 0;
  WICPixelFormatGUID format;
  if (FAILED(frame->GetSize(&frameWidth, &frameHeight)) || FAILED(frame->GetPixelFormat(&format)) ||
      !IsEqualGUID(format, GUID_WICPixelFormat8bppIndexed))
    return false;
  ComRef<IWICPalette> palette;
  WICColor colors[256];  // a GIF's colour table has at most 256 entries
  UINT count = 0;
  if (FAILED(factory->CreatePalette(palette.out())) || FAILED(frame->CopyPalette(palette.get())) ||
      FAILED(palette->GetColors(256, colors, &count)))
    return false;
  out->left = m.left, out->top = m.top, out->disposal = m.disposal;
  DecodedPixels& to = out->pixels;
  to.order = ChannelOrder::kBgra;
  to.width = std::max(std::min(static_cast<int>(frameWidth), width - m.left), 0);
  to.height = std::max(std::min(static_cast<int>(frameHeight), height - m.top), 0);
  to.bytes.assign(static_cast<size_t>(to.width) * to.height * 4, 0);
  if (to.width == 0 || to.height == 0) return true;
  std::vector<BYTE> indexes(static_cast<size_t>(to.width) * to.height);
  const WICRect rect{0, 0, to.width, to.height};
  if (FAILED(frame->CopyPixels(&rect, static_cast<UINT>(to.width), static_cast<UINT>(indexes.size()),
                               indexes.data())))
    return false;
  for (size_t i = 0; i < indexes.size(); ++i) {
    const int index = indexes[i];
    if (index == m.transparent) continue;  // stays transparent
    uint8_t* p = &to.bytes[i * 4];
    const WICColor c = index < static_cast<int>(count) ? colors[index] : 0;  // else black
    p[0] = static_cast<uint8_t>(c), p[1] = static_cast<uint8_t>(c >> 8);
    p[2] = static_cast<uint8_t>(c >> 16), p[3] = 255;
  }
  return true;
}

}  // namespace

bool DecodeGifFrames(const uint8_t* bytes, size_t size, int width, int height,
                     const GifFrameVisit& visit) {
  if (size > MAXDWORD) return false;
  ComApartment apartment;
  if (!apartment.usable()) return false;
  ComRef<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, reinterpret_cast<void**>(factory.out()))))
    return false;
  ComRef<IWICStream> stream;
  if (FAILED(factory->CreateStream(stream.out())) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes), static_cast<DWORD>(size))))
    return false;
  ComRef<IWICBitmapDecoder> decoder;
  UINT frames = 0;
  if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              decoder.out())) ||
      FAILED(decoder->GetFrameCount(&frames)))
    return false;
  GifCanvas canvas;
  StartGifCanvas(width, height, ChannelOrder::kBgra, &canvas);
  GifFrameImage image;
  for (UINT i = 0; i < frames; ++i) {
    ComRef<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(i, frame.out())) ||
        !ReadFrame(factory.get(), frame.get(), width, height, &image) || !DrawGifFrame(image, &canvas))
      return i > 0;  // the frames before the damage
    if (!visit(canvas.screen)) return true;
  }
  return frames > 0;
}

}  // namespace tavimore
