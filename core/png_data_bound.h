// How much compressed image data a PNG may hold for its size. A PNG's data stream can
// inflate to a thousand times its length, and some decoders (Windows' among them) inflate
// the whole stream even when the header's rows were complete long before, so a small file
// whose stream goes on past its rows (a "decompression bomb") could keep a program busy for
// seconds or minutes. The stream the header's size needs is known from the header alone:
// one filter byte and the packed pixels of every row (of every pass, when interlaced).
// No encoder writes more than a little above that: stored blocks add 5 bytes in 65535,
// and fixed Huffman codes, which some small encoders use for everything, at most 9 bits
// for a byte. A PNG whose image data (the IDAT chunks, summed) goes beyond that plus a
// quarter plus 4 KiB is refused before any of it is inflated.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavimore {

// The bytes of the inflated data stream a PNG of this header needs; 0 for a colour type
// and bit depth the format does not have (the decoder refuses those).
uint64_t PngStreamBytes(int64_t width, int64_t height, int bitDepth, int colourType, bool interlaced);

// False when the PNG's image data is more than its size can need. The file must have a
// PNG signature and header; chunks are walked by their lengths, and a file cut short is
// judged by what it holds (the decoder refuses it later if it is not whole).
bool PngDataFitsItsSize(const uint8_t* bytes, size_t size);

}  // namespace tavimore
