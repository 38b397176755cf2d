// Short-lived flying squares: cut fur, splashes, the man's death burst and a
// sinking monster's dust. A fixed ring of 400 slots; nothing is allocated
// after Initialize.
#pragma once

#include <array>
#include <cstdint>

struct Particle {
    bool Alive = false;
    double X = 0;
    double Y = 0;
    double SX = 0;
    double SY = 0;
    double Size = 0;
    int32_t Colour = 0;
};

class clsParticles {
  public:
    static constexpr int32_t kSlots = 400;

    void Initialize();
    void Add(double pX, double pY, double pSX, double pSY, double pSize, int32_t pColor);
    void Move();
    void Draw();

    // Slot 1..400.
    Particle& Slot(int32_t pIndex) { return Particles.at(pIndex - 1); }
    int32_t AliveCount() const;

    std::array<Particle, kSlots> Particles{};
    int32_t NextSlot = 0;
};
