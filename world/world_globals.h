// The world globals: the screen and pixel sizes, the view, the camera, the
// physics constants, the top-level state and the keyboard. Start-up sets them;
// every game object reads them.
#pragma once

#include <cstdint>
#include <memory>

class clsKeyboard;

extern int32_t ScreenWidth, ScreenHeight;
extern double PixelWidth, PixelHeight;
extern int32_t ViewWidth, ViewHeight;
extern double CentreX, CentreY;
extern double CameraSnapX, CameraSnapY;
extern double OffsetX, OffsetY;
extern double CameraX, CameraY, CameraSpeedX, CameraSpeedY, CameraLeadX, CameraLeadY;
extern double Gravity;
extern double ValueThreshold;
extern int32_t WorldLimitX;
extern int32_t ColourGreen, ColourWhite;
extern int32_t GameState, NextGameState, StateFrames;
// SoundEnabled belongs to the audio library: audio/sound_enabled.h.
// Whether the game plays its own sounds; start-up sets it from the setup.
extern bool GameSoundsOn;
extern std::unique_ptr<clsKeyboard> Keyboard;
