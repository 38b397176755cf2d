// Pictures into a surface, or into a sprite set enlarged by the pixel size.
#include "gfx/kivSprite3.h"
#include "gfx/kivSprites3.h"
#include "gfx/modGraphic.h"
#include "vb/numeric.h"
#include "world/world_globals.h"

std::unique_ptr<kivSprite3> LoadSprite(const std::string& pPath) {
    auto surface = std::make_unique<kivSprite3>();
    surface->Initialize(true, -1, -1, -1, pPath, 0);
    return surface;
}

std::unique_ptr<kivSprites3> LoadPixelSprites(const std::string& pPath) {
    // The set takes the picture over rather than copying it: it is dropped
    // here anyway.
    auto surface = std::make_shared<kivSprite3>();
    surface->Initialize(true, -1, -1, -1, pPath, 0);
    const int32_t width = vb::RoundEven(surface->Width() * PixelWidth);
    const int32_t height = vb::RoundEven(surface->Height() * PixelHeight);
    auto set = std::make_unique<kivSprites3>();
    set->Initialize(true, width, height, std::move(surface));
    return set;
}
