// Holding on: a grip pixel among the eight around the point.
#include "player/clsMan.h"
#include "player/colour_classes.h"
#include "vb/numeric.h"
#include "world/game_form_state.h"

bool clsMan::Attached(double pX, double pY) {
    const double cx = vb::Int(pX), cy = vb::Int(pY);
    for (double x = cx - 1; x <= cx + 1; ++x) {
        for (double y = cy - 1; y <= cy + 1; ++y) {
            if (x == cx && y == cy) continue;
            const int32_t c = frmMain->GetColour(x, y);
            if (c != -2 && IsGripColour(c)) return true;
        }
    }
    return false;
}
