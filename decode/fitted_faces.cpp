#include "decode/fitted_faces.h"

#include "core/gif_frame.h"
#include "core/payload_format.h"
#include "core/picture_header.h"
#include "core/picture_strip.h"
#include "decode/picture_decode.h"
#include "decode/system_decoder.h"

namespace tavimore {
namespace {

enum class Source { kStrip, kStill, kFrames };

struct Plan {
  Source source = Source::kStill;
  PictureHeader header;
  FaceSquare square;
  int64_t faces = 1;
};

FitError PlanPicture(const FitPicture& p, Plan* plan) {
  plan->header = ReadPictureHeader(p.bytes, p.size);
  const PictureHeader& h = plan->header;
  if (h.kind == PictureKind::kUnknown || h.width <= 0 || h.height <= 0) return FitError::kNotAPicture;
  if (h.width > kMaxFitPixels / h.height) return FitError::kTooLarge;
  const int width = static_cast<int>(h.width), height = static_cast<int>(h.height);
  plan->square = p.squareGiven ? p.square : CentredSquare(width, height);
  if (!SquareInside(plan->square, width, height)) return FitError::kSquareOutside;
  if (h.kind == PictureKind::kGif) {
    plan->faces = CountGifFrames(p.bytes, p.size);
    if (plan->faces < 1) return FitError::kNotAPicture;
    if (plan->faces > 1) {
      plan->source = Source::kFrames;
      return FitError::kNone;
    }
  }
  if (!p.squareGiven && width == kFaceSize && height % kFaceSize == 0) {
    plan->source = Source::kStrip;
    plan->faces = height / kFaceSize;
    return FitError::kNone;
  }
  plan->source = h.kind == PictureKind::kGif ? Source::kFrames : Source::kStill;
  plan->faces = 1;
  return FitError::kNone;
}

bool AppendFace(const DecodedPixels& pixels, const FaceSquare& square, std::vector<uint32_t>* images) {
  const size_t at = images->size();
  images->resize(at + kImageValues);
  return FitFace(pixels, square, images->data() + at);
}

bool Decode(const FitPicture& p, const Plan& plan, std::vector<uint32_t>* images) {
  const int width = static_cast<int>(plan.header.width), height = static_cast<int>(plan.header.height);
  switch (plan.source) {
    case Source::kStrip: {
      PictureStrip strip;
      if (DecodePictureStrip(p.bytes, p.size, &strip) != StripError::kNone) return false;
      images->insert(images->end(), strip.images.begin(), strip.images.end());
      return true;
    }
    case Source::kStill: {
      DecodedPixels pixels;
      return DecodePicturePixels(p.bytes, p.size, kMaxFitPixels, &pixels) &&
             AppendFace(pixels, plan.square, images);
    }
    case Source::kFrames: {
      int64_t seen = 0;
      bool fitted = true;
      const bool read = DecodeGifFrames(p.bytes, p.size, width, height, [&](const DecodedPixels& screen) {
        fitted = ++seen <= plan.faces && AppendFace(screen, plan.square, images);
        return fitted;
      });
      // Every frame counted must decode, or the clock would lose faces without a word.
      return read && fitted && seen == plan.faces;
    }
  }
  return false;
}

}  // namespace

FitError FitFaces(const std::vector<FitPicture>& pictures, std::vector<uint32_t>* images,
                  FitProblem* problem) {
  std::vector<Plan> plans(pictures.size());
  int64_t faces = 0;
  for (size_t i = 0; i < pictures.size(); ++i) {
    const FitError e = PlanPicture(pictures[i], &plans[i]);
    *problem = FitProblem{i, plans[i].header.width, plans[i].header.height, 0};
    if (e != FitError::kNone) return e;
    faces += plans[i].faces;
  }
  if (faces > kMaxImages) {
    *problem = FitProblem{0, 0, 0, faces};
    return FitError::kTooManyFaces;
  }
  const size_t before = images->size();
  for (size_t i = 0; i < pictures.size(); ++i) {
    if (!Decode(pictures[i], plans[i], images)) {
      images->resize(before);
      *problem = FitProblem{i, plans[i].header.width, plans[i].header.height, 0};
      return FitError::kNotAPicture;
    }
  }
  return FitError::kNone;
}

}  // namespace tavimore
