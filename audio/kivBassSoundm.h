// The sound class's module: byte counts of the audio library as seconds.
#pragma once

#include <cstdint>

// Seconds of the channel's sound for a byte count (a Long, passed on as a
// 64-bit value whose high part is 0).
float BytesToSeconds(uint32_t pHandle, int32_t pBytes);
