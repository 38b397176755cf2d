// The particle ring: add with the skipping rule, fall, draw.
#include "scenery/clsParticles.h"

#include "gfx/modGraphic.h"
#include "vb/numeric.h"
#include "vb/random.h"
#include "world/game_form_state.h"
#include "world/world_globals.h"

void clsParticles::Initialize() {
    Particles.fill(Particle{});
    NextSlot = 0;
}

void clsParticles::Add(double pX, double pY, double pSX, double pSY, double pSize, int32_t pColor) {
    NextSlot = NextSlot % kSlots + 1;
    // A live slot survives a quarter of the time, so a full ring loses its
    // particles roughly oldest first.
    while (vb::Rnd() < 0.25 && Particles[NextSlot - 1].Alive) NextSlot = NextSlot % kSlots + 1;
    Particle& p = Particles[NextSlot - 1];
    p.Alive = true;
    p.X = pX;
    p.Y = pY;
    p.SX = pSX;
    p.SY = pSY;
    p.Size = pSize;
    p.Colour = pColor;
}

void clsParticles::Move() {
    for (Particle& p : Particles) {
        if (!p.Alive) continue;
        p.SY += Gravity;
        p.X += p.SX;
        p.Y += p.SY;
        if (p.Y > 300) p.Alive = false;
    }
}

void clsParticles::Draw() {
    gdi::HDC dc = frmMain->picMainDC();
    for (const Particle& p : Particles) {
        if (!p.Alive) continue;
        const double half = vb::Int(p.Size / 2);
        const int32_t left = vb::RoundEven((p.X - half) * PixelWidth + OffsetX);
        const int32_t top = vb::RoundEven((p.Y - half) * PixelHeight + OffsetY);
        FillRectGdi(dc, left, top, vb::RoundEven(PixelWidth * p.Size + left),
                    vb::RoundEven(PixelHeight * p.Size + top), p.Colour);
    }
}

int32_t clsParticles::AliveCount() const {
    int32_t count = 0;
    for (const Particle& p : Particles) count += p.Alive ? 1 : 0;
    return count;
}
