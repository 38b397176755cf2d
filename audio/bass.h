// The audio library the sound classes are written against: one output
// device, samples (decoded whole, several playbacks at once) and streams
// (decoded while they play), mixed by our own engine.
//
// Handles are 32-bit values, 0 on failure; a stream's handle is also its
// channel. Lengths and positions are bytes of the decoded 16-bit data at the
// file's own channel count and rate. Every call that fails sets the code that
// BASS_ErrorGetCode returns (per thread); a call that succeeds sets BASS_OK.
#pragma once

#include <cstdint>

using HSAMPLE = uint32_t;
using HSTREAM = uint32_t;
using HCHANNEL = uint32_t;

// --- error codes ------------------------------------------------------------
constexpr int32_t BASS_OK = 0;
constexpr int32_t BASS_ERROR_INIT = 1;     // BASS_Init has not succeeded
constexpr int32_t BASS_ERROR_ALREADY = 2;  // BASS_Init while the device is open
constexpr int32_t BASS_ERROR_DEVICE = 3;   // no such device, or it cannot be opened
constexpr int32_t BASS_ERROR_FILEOPEN = 4; // the file (or memory) cannot be opened or is empty
constexpr int32_t BASS_ERROR_FORMAT = 5;   // not a sound format the library decodes
constexpr int32_t BASS_ERROR_HANDLE = 6;   // not a live handle of the kind the call needs
constexpr int32_t BASS_ERROR_NOCHAN = 7;   // every playback of the sample is busy
constexpr int32_t BASS_ERROR_ILLPARAM = 8; // an argument out of its range
constexpr int32_t BASS_ERROR_NOPLAY = 9;   // the channel is not playing
constexpr int32_t BASS_ERROR_MEM = 10;     // the decoded sound does not fit in memory

// The code's meaning in a few words ("file cannot be opened").
const char* BASS_ErrorText(int32_t code);

// --- flags --------------------------------------------------------------------
constexpr uint32_t BASS_SAMPLE_LOOP = 4; // loop (load, create, BASS_ChannelSetFlags)
// BASS_SampleLoad: when all `max` playbacks are busy, a new one replaces the
// one that has played longest (without it the new one fails, NOCHAN).
constexpr uint32_t BASS_SAMPLE_OVER_POS = 0x20000;

constexpr uint32_t BASS_ACTIVE_STOPPED = 0;
constexpr uint32_t BASS_ACTIVE_PLAYING = 1;
constexpr uint32_t BASS_ACTIVE_PAUSED = 3;

// --- device -------------------------------------------------------------------
// Opens the output (device -1 or 1: the default; 0 and others fail, DEVICE) at
// `freq` Hz. Non-zero on success; 0 when there is no device, and the game runs
// silent. `flags`, `win` and `clsid` are not used.
int32_t BASS_Init(int32_t device, int32_t freq, int32_t flags, void* win, void* clsid);
// Stops and releases everything and closes the device.
int32_t BASS_Free();
// The output's volume, 0 (silent) to 100 (full, the start), over every
// channel; kept across BASS_Free and BASS_Init. ILLPARAM outside 0..100.
int32_t BASS_SetVolume(uint32_t volume);
// The output's volume, 0..100.
uint32_t BASS_GetVolume();

// --- loading ------------------------------------------------------------------
// mem 0: `file` is a file name (8-bit text), read from `offset` for `length`
// bytes (0: to its end). mem 1: `file` points at `length` bytes, copied.
// flags: BASS_SAMPLE_LOOP. The stream is decoded while it plays.
HSTREAM BASS_StreamCreateFile(int32_t mem, const void* file, uint32_t offset, uint32_t length,
                              uint32_t flags);
// Decodes the whole sound now. `max` (1..65535) is how many playbacks may
// sound at once; flags: BASS_SAMPLE_LOOP, BASS_SAMPLE_OVER_POS.
HSAMPLE BASS_SampleLoad(int32_t mem, const void* file, uint32_t offset, uint32_t length,
                        uint32_t max, uint32_t flags);
// A playback channel of the sample, stopped, at the sample's own rate, volume
// 100, pan 0. onlynew 0 hands out a playback that is not busy (stopped or
// ended) when there is one; otherwise, and always with onlynew 1, a new one.
HCHANNEL BASS_SampleGetChannel(HSAMPLE handle, int32_t onlynew);
int32_t BASS_SampleStop(HSAMPLE handle); // stops every playback of the sample
int32_t BASS_SampleFree(HSAMPLE handle); // and releases it and its playbacks
int32_t BASS_StreamFree(HSTREAM handle);

// --- channels -----------------------------------------------------------------
// The current frequency (Hz; the sound's own rate until changed), volume
// (0..100) and pan (-100..100). Null pointers are skipped.
int32_t BASS_ChannelGetAttributes(uint32_t handle, uint32_t* freq, uint32_t* volume, int32_t* pan);
// freq: Hz (1..1000000, more is taken as 1000000), 0 the sound's own rate,
// -1 unchanged, below -1 fails (ILLPARAM). volume 0..100, -1 unchanged. pan
// -100..100, -101 unchanged. Other volumes and pans are taken as the nearest
// end of their range.
int32_t BASS_ChannelSetAttributes(uint32_t handle, int32_t freq, int32_t volume, int32_t pan);
int32_t BASS_ChannelSetFlags(uint32_t handle, uint32_t flags); // BASS_SAMPLE_LOOP or 0
// restart 1: from the start. 0: where it paused or stopped (from the start
// once it has played to its end).
int32_t BASS_ChannelPlay(uint32_t handle, int32_t restart);
int32_t BASS_ChannelPause(uint32_t handle); // NOPLAY when it is stopped
int32_t BASS_ChannelStop(uint32_t handle);  // keeps the position
// BASS_ACTIVE_STOPPED (also for a bad handle), _PLAYING or _PAUSED.
uint32_t BASS_ChannelIsActive(uint32_t handle);
// Bytes; (uint64_t)-1 on failure.
uint64_t BASS_ChannelGetLength(uint32_t handle);
uint64_t BASS_ChannelGetPosition(uint32_t handle);
// Seconds of the channel's sound at its own rate; -1 on failure.
float BASS_ChannelBytes2Seconds(uint32_t handle, uint64_t pos);

int32_t BASS_ErrorGetCode();
