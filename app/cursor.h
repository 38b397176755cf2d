// The mouse cursor: hidden after it has rested for a while, shown again as
// soon as it moves. Run once per frame by the frame loop.
#pragma once

#include <cstdint>

#include "platform/host.h"

extern platform::ScreenPoint CursorPos, LastCursorPos;
extern bool CursorHidden;
extern int32_t CursorIdleFrames; // frames left before a resting cursor hides

constexpr int32_t kCursorIdleReset = 150;

// ShowCursor(true) until the display count is above 0.
void ShowMouseCursor();
// ShowCursor(false) until the display count is below 0.
void HideMouseCursor();
// One frame: read the position, show or hide by the idle count, remember it.
void CursorStep();
