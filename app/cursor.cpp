#include "app/cursor.h"

platform::ScreenPoint CursorPos, LastCursorPos;
bool CursorHidden = false;
int32_t CursorIdleFrames = kCursorIdleReset;

void ShowMouseCursor() {
    while (platform::host().ShowCursor(true) <= 0) {
    }
    CursorHidden = false;
}

void HideMouseCursor() {
    while (platform::host().ShowCursor(false) >= 0) {
    }
    CursorHidden = true;
}

void CursorStep() {
    CursorPos = platform::host().GetCursorPos();
    const bool resting = CursorPos.x == LastCursorPos.x && CursorPos.y == LastCursorPos.y;
    if (CursorHidden) {
        if (!resting) {
            ShowMouseCursor();
            CursorIdleFrames = kCursorIdleReset;
        }
    } else if (resting) {
        --CursorIdleFrames;
        if (CursorIdleFrames < 0) HideMouseCursor();
    } else {
        CursorIdleFrames = kCursorIdleReset;
    }
    LastCursorPos = CursorPos;
}
