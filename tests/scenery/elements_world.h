// A headless view of the windowed build's size with the world globals set and
// the committed pictures beside the "program", for the scenery tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/modMain.h"
#include "gdi/raster.h"
#include "platform/headless_host.h"
#include "scenery/clsElements.h"
#include "support/source_tree.h"

// A living record at (x, y) with that depth and picture; the rest as created.
inline ElementRecord LiveRecord(kivSprites3* sprite, double x, double y, double depth) {
    ElementRecord e;
    e.Alive = true;
    e.X = x;
    e.Y = y;
    e.Depth = depth;
    e.Sprite = sprite;
    return e;
}

class SceneryWorld {
  public:
    SceneryWorld() : host((SourceFolder() / "data").string()) {
        platform::SetHost(&host);
        ScreenWidth = 1024;
        ScreenHeight = 768;
        PixelWidth = 3;
        PixelHeight = 6;
        ViewWidth = 1023;
        ViewHeight = 768;
        CentreX = 510;
        CentreY = 384;
        CameraSnapX = 1;
        CameraSnapY = 1;
        CameraX = 0;
        CameraY = -0.3 * ViewHeight;
        host.CreateGameWindow("Gloamward", false);
        host.PlaceView(0, 0, ViewWidth, ViewHeight);
        Clear(kSky);
    }
    ~SceneryWorld() {
        host.DestroyGameWindow();
        platform::SetHost(nullptr);
    }

    static constexpr gdi::COLORREF kSky = gdi::RGB(213, 210, 190);

    void Clear(gdi::COLORREF colour) {
        gdi::FillSolidRect(host.ViewDC(), 0, 0, ViewWidth, ViewHeight, colour);
    }
    std::vector<gdi::COLORREF> View() {
        gdi::HBITMAP bitmap = gdi::CurrentBitmap(host.ViewDC());
        const gdi::COLORREF* bits = gdi::BitmapColourPixels(bitmap);
        return std::vector<gdi::COLORREF>(bits, bits + static_cast<size_t>(ViewWidth) * ViewHeight);
    }
    gdi::COLORREF At(int x, int y) { return gdi::GetPixel(host.ViewDC(), x, y); }

    platform::HeadlessHost host;
};
