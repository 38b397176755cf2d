// The audio library interface the sound classes are written against. Only
// the device opening is wired up: the game itself plays no sound.
#pragma once

#include <cstdint>

// Opens the output device (device -1 is the default) at the given rate.
// Non-zero on success; 0 when there is no device, and the game runs silent.
int32_t BASS_Init(int32_t device, int32_t freq, int32_t flags, void* win, void* clsid);
