// Free drawing and colour routines: straight onto any context, colour
// classification for the game's tests, picture loading, rounding up.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "gdi/raster.h"

class kivSprite3;
class kivSprites3;
namespace platform {
class Form;
}

void FillRectGdi(gdi::HDC hDC, int32_t pLeft, int32_t pTop, int32_t pRight, int32_t pBottom,
                 int32_t pColor);
// The platform rectangle drawn with a null pen (its colour &HFF0000 never
// shows) and a solid brush: fills left <= x < right - 1, top <= y < bottom - 1.
// FillRectGdi's general path; its fast path must give the same pixels.
void NullPenRectangle(gdi::HDC hDC, int32_t pLeft, int32_t pTop, int32_t pRight, int32_t pBottom,
                      gdi::COLORREF pColor);
void DrawLineGdi(gdi::HDC hDC, int32_t pX1, int32_t pY1, int32_t pX2, int32_t pY2, int32_t pColor,
                 int32_t pWidth);
void DrawTextGdi(gdi::HDC hDC, const std::string& pText, const std::string& pFontName, double pSize,
                 bool pBold, bool pItalic, int32_t pLeft, int32_t pTop, int32_t pWidth,
                 int32_t pHeight, int32_t pColor, uint32_t pFormat, double pAngle, int32_t pRight,
                 int32_t pBottom, int32_t pCharWidth, int32_t pCharHeight, bool pClip);
void FontFromHostForm(platform::Form& pWindow, gdi::LOGFONT& pFont);

void SplitRgb(int32_t pColor, double& r, double& g, double& b);
void RgbToHsv(double r, double g, double b, double& h, double& s, double& v);

std::unique_ptr<kivSprite3> LoadSprite(const std::string& pPath);
std::unique_ptr<kivSprites3> LoadPixelSprites(const std::string& pPath);

double RoundUp(double pValue, int32_t pDecimals);

// The hidden host window whose font the text routines set and read. Start-up
// registers kivForm; without one, a private hidden form serves (tools, tests).
void SetHostWindow(platform::Form* pWindow);
platform::Form& HostWindow();
