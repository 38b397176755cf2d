// How the man sees a colour: deadly, grip or fur, by its hue, saturation and
// value. Shared by the man and the monster checker.
#pragma once

#include <cstdint>

// Bright pure red: value >= 0.6, 0.9 < saturation < 1.1, -0.015 < hue < 0.015.
bool IsDeadlyColour(int32_t colour);
// White, or bright in the yellow-green or yellow band (value >= ValueThreshold).
bool IsGripColour(int32_t colour);
// The yellow band the sword cuts: value >= ValueThreshold, 0.5 < s <= 1,
// 0.151 < hue < 0.181.
bool IsFurColour(int32_t colour);
// What the monster reports as solid: value >= ValueThreshold.
bool IsSolidMonsterColour(int32_t colour);

// The same classes on hue, saturation and value (each 0..1), for callers that
// already have them.
bool IsDeadlyHsv(double h, double s, double v);
bool IsGripHsv(double h, double s, double v);
bool IsFurHsv(double h, double s, double v);
