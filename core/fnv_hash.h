// 64-bit FNV-1a, the hash that turns a clock file (its path, or on Windows its identity on
// its volume) into the short name of what is kept per file: the one-clock-per-file claim, a
// kept place, a login item. Names are not chosen to collide, and 64 bits keep accidental
// collisions out of reach for any number of clocks a person has. Names already stored on
// disk and in the registry come from it: its constants and steps must never change.
#pragma once

#include <cstdint>

namespace tavimore {

// FNV-1a's 64-bit offset basis: the hash of nothing.
constexpr uint64_t kFnvStart = 0xCBF29CE484222325ull;

// The hash `h` with one unit more: the unit xor'ed in, then multiplied by the 64-bit FNV
// prime. A unit is a byte on Linux, 16 bits on Windows (a path's UTF-16 code unit, or half
// of a part of a file's identity).
constexpr uint64_t FnvStep(uint64_t h, uint32_t unit) { return (h ^ unit) * 0x100000001B3ull; }

}  // namespace tavimore
