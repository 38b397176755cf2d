// The world globals: one definition each. Start-up sets them all; the
// windowed build's values are already here so that game code run without
// start-up (tests, tools) sees a consistent world.
#include "world/world_globals.h"

#include "input/clsKeyboard.h"

int32_t ScreenWidth = 1024, ScreenHeight = 768;
double PixelWidth = 3.0, PixelHeight = 6.0;
int32_t ViewWidth = 1023, ViewHeight = 768;
double CentreX = 510, CentreY = 384;
double CameraSnapX = 1.0, CameraSnapY = 1.0;
double OffsetX = 0, OffsetY = 0;
double CameraX = 0, CameraY = 0, CameraSpeedX = 0, CameraSpeedY = 0, CameraLeadX = 0,
       CameraLeadY = 0;
double Gravity = 0.02;
double ValueThreshold = 0.65;
int32_t WorldLimitX = 20500;
int32_t ColourGreen = 148 + 190 * 256 + 57 * 65536, ColourWhite = 0xFFFFFF;
int32_t GameState = 0, NextGameState = 1, StateFrames = 0;
bool GameSoundsOn = false;
std::unique_ptr<clsKeyboard> Keyboard;
