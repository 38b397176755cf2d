// The game form as the man, the monster and the scenery reach it: its objects
// and its queries, through the one global instance frmMain. The game form
// (game/frmMain) is its implementation; the objects' own classes sit above
// this room, so they are only named here.
#pragma once

#include <cstdint>
#include <string>

#include "gdi/raster.h"
#include "platform/host.h"

struct ManState;
class clsMonster;
class clsParticles;

class frmMainState {
  public:
    virtual ~frmMainState() = default;

    virtual clsMonster& Monster(int32_t pIndex) = 0;
    // Colour of the world at a point: 0 below the ground line, else the
    // monster's, else the scenery's; -2 for empty.
    virtual int32_t GetColour(double pX, double pY) = 0;
    // Shows a screen image for pTextCounter seconds.
    virtual void TextChange(const std::string& pFileName, int32_t pTextCounter) = 0;
    // The man's public members (mMan; nullptr before he is made) and the
    // particles (mParticles).
    virtual ManState* Man() = 0;
    virtual clsParticles& Particles() = 0;

    // The view picMain: its context, presented by RefreshView.
    gdi::HDC picMainDC() { return platform::host().ViewDC(); }
};

// The one game form while the game runs; nullptr before and after.
extern frmMainState* frmMain;
