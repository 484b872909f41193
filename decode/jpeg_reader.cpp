// JPEG through libjpeg-turbo, baseline and progressive, colour, grey and CMYK. Its memory
// is capped, and so is the number of scans of a progressive picture: each scan costs a pass
// over the whole coefficient buffer, and a small file of empty scans could keep the
// decoder busy for minutes. Damaged image data fails: the library only warns of a cut
// file, a bad code or a missing scan and fills what it could not decode with grey, and a
// face half or wholly grey is not the picture the person chose (core/jpeg_image_data.h
// refuses what can be seen without decoding; these are the rest).
#include <cstdio>  // jpeglib.h needs FILE

#include <jpeglib.h>
// After jpeglib.h: which warnings exist depends on the library's configuration.
#include <jerror.h>

#include <csetjmp>
#include <vector>

#include "decode/readers.h"

namespace tavimore {
namespace {

// The largest strip, 80 x 20400 pixels of three channels, keeps about 10 MB of
// coefficients for a progressive picture; 64 MiB leaves room for the library's own tables.
constexpr long kMemoryBytes = 64L << 20;
// Real progressive pictures use about 10 scans; the standard's successive approximation
// cannot use more than a few dozen per component.
constexpr int kMaxScans = 256;

struct Failure {
  jpeg_error_mgr manager;
  jmp_buf jump;
};

void Fail(j_common_ptr info) { longjmp(reinterpret_cast<Failure*>(info->err)->jump, 1); }

// The warnings of damaged image data fail: the rest of the picture would be grey or
// garbage. Others pass quietly, since the pixels come out whole: an unknown JFIF revision or
// Adobe transform, a bad colour profile (never applied), stray bytes between segments,
// scans out of the standard's order.
void Warn(j_common_ptr info, int level) {
  if (level >= 0) return;  // trace messages
  switch (info->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC: Fail(info); break;
    default: break;
  }
}

void CountScans(j_common_ptr info) {
  const auto* d = reinterpret_cast<j_decompress_ptr>(info);
  if (d->input_scan_number > kMaxScans) Fail(info);
}

// What the decoding needs beyond the pixels, kept out of the frame a failure jumps from.
struct JpegOwner {
  jpeg_decompress_struct info{};
  jpeg_progress_mgr progress{};
  std::vector<uint8_t> cmykRow;
  ~JpegOwner() { jpeg_destroy_decompress(&info); }
};

// Adobe's CMYK pictures store every channel inverted: 255 is no ink.
void FromCmyk(const uint8_t* cmyk, int width, uint8_t* rgba) {
  for (int x = 0; x < width; ++x, cmyk += 4, rgba += 4) {
    const unsigned k = cmyk[3];
    for (int c = 0; c < 3; ++c) rgba[c] = static_cast<uint8_t>((cmyk[c] * k + 127) / 255);
    rgba[3] = 255;
  }
}

bool ReadScanlines(JpegOwner* o, Failure* failure, const uint8_t* bytes, size_t size, int width,
                   int height, DecodedPixels* out) {
  jpeg_decompress_struct& info = o->info;
  if (setjmp(failure->jump)) return false;
  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = kMemoryBytes;
  o->progress.progress_monitor = CountScans;
  info.progress = &o->progress;
  jpeg_mem_src(&info, bytes, static_cast<unsigned long>(size));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  if (info.image_width != static_cast<JDIMENSION>(width) ||
      info.image_height != static_cast<JDIMENSION>(height))
    return false;
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
  jpeg_start_decompress(&info);
  if (info.output_width != static_cast<JDIMENSION>(width) || info.output_components != 4)
    return false;
  const size_t stride = static_cast<size_t>(width) * 4;
  o->cmykRow.resize(cmyk ? stride : 0);
  while (info.output_scanline < info.output_height) {
    uint8_t* to = out->bytes.data() + stride * info.output_scanline;
    JSAMPROW target = cmyk ? o->cmykRow.data() : to;
    if (jpeg_read_scanlines(&info, &target, 1) != 1) return false;
    if (cmyk) FromCmyk(o->cmykRow.data(), width, to);
  }
  return true;
}

}  // namespace

bool ReadJpeg(const uint8_t* bytes, size_t size, int width, int height, DecodedPixels* out) {
  JpegOwner owner;
  Failure failure;
  owner.info.err = jpeg_std_error(&failure.manager);
  failure.manager.error_exit = Fail;
  failure.manager.emit_message = Warn;
  out->width = width;
  out->height = height;
  out->order = ChannelOrder::kRgba;
  out->bytes.assign(static_cast<size_t>(width) * height * 4, 0);
  return ReadScanlines(&owner, &failure, bytes, size, width, height, out);
}

}  // namespace tavimore
