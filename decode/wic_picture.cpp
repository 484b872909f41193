#include "decode/wic_picture.h"

namespace tavimore {

bool OpenWicPicture(const uint8_t* bytes, size_t size, WicPicture* p) {
  // The stream's size is a DWORD.
  if (size > MAXDWORD) return false;
  return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(p->factory.out()))) &&
         SUCCEEDED(p->factory->CreateStream(p->stream.out())) &&
         SUCCEEDED(p->stream->InitializeFromMemory(const_cast<BYTE*>(bytes), static_cast<DWORD>(size))) &&
         SUCCEEDED(p->factory->CreateDecoderFromStream(p->stream.get(), nullptr,
                                                       WICDecodeMetadataCacheOnDemand,
                                                       p->decoder.out()));
}

}  // namespace tavimore
