// The key of a clock file: 16 hexadecimal digits of the 64-bit FNV-1a hash (fnv_hash.h) of
// its canonical path's code units, one unit per step. It names what is kept per clock file
// (the remembered place, the login item) and the one-clock-per-file claim, on Windows and on
// Linux alike. Each system hashes its own code units, UTF-16 on Windows and UTF-8 bytes on
// Linux, and writes the digits in its own case, as the names already stored there are: a
// changed key would lose every place and login item a user has kept.
#pragma once

#include <cstdint>
#include <type_traits>

#include "core/fnv_hash.h"

namespace tavimore {

// A 64-bit hash in hexadecimal, leading zeros kept: every key has one width.
constexpr int kClockFileKeyDigits = 16;

// Windows' names carry upper-case digits, Linux's file names lower-case ones.
enum class KeyDigits { kUpperCase, kLowerCase };

// Writes the key of the `count` code units at `units` as kClockFileKeyDigits characters at
// `key` (no terminator). A unit is hashed as its unsigned value, so a byte of UTF-8 above
// 0x7F is one step of that value on every compiler, whatever the sign of char.
template <typename Unit, typename Char>
void WriteClockFileKey(const Unit* units, int count, KeyDigits digits, Char* key) {
  uint64_t h = kFnvStart;
  for (int i = 0; i < count; ++i) h = FnvStep(h, static_cast<std::make_unsigned_t<Unit>>(units[i]));
  const char* alphabet = digits == KeyDigits::kUpperCase ? "0123456789ABCDEF" : "0123456789abcdef";
  for (int i = kClockFileKeyDigits - 1; i >= 0; --i, h >>= 4) key[i] = alphabet[h & 15];
}

}  // namespace tavimore
