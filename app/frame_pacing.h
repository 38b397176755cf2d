// Frame pacing: at most one frame every 20 ms, measured from the end of the
// previous wait, with no catch-up.
#pragma once

#include <cstdint>

constexpr int32_t kFrameMilliseconds = 20;

// Waits until the deadline with one absolute sleep to it. A deadline already
// passed, or 30 ms or more ahead (the clock went back or wrapped), ends the
// wait at once. All times compare as signed 32-bit values.
void WaitForFrameDeadline(int32_t frameDeadline);

// The deadline of the next frame: now + 20 ms.
int32_t NextFrameDeadline();
