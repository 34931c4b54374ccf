#pragma once
// Little-endian loads, whatever the host's byte order.

#include <cstdint>

namespace tessaro {

// The eight bytes at p as one little-endian number; compilers make this a
// single load on a little-endian host.
inline uint64_t LoadLe64(const uint8_t* p) {
  return uint64_t{p[0]} | uint64_t{p[1]} << 8 | uint64_t{p[2]} << 16 | uint64_t{p[3]} << 24 |
         uint64_t{p[4]} << 32 | uint64_t{p[5]} << 40 | uint64_t{p[6]} << 48 | uint64_t{p[7]} << 56;
}

}  // namespace tessaro
