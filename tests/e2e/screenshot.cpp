#include "screenshot.h"

#include <fstream>

#include "e2e_process.h"

Screenshot ReadPpm(const std::string& path) {
    Screenshot shot;
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxval = 0;
    in >> magic >> shot.width >> shot.height >> maxval;
    in.get();
    if (magic != "P6" || maxval != 255) return Screenshot{};
    shot.rgb.resize(static_cast<size_t>(shot.width) * shot.height * 3);
    in.read(reinterpret_cast<char*>(shot.rgb.data()),
            static_cast<std::streamsize>(shot.rgb.size()));
    return shot;
}

Screenshot TakeScreenshot(const std::vector<std::string>& displayEnvironment,
                          const std::string& path) {
    if (RunCommand({"import", "-window", "root", "-depth", "8", path}, displayEnvironment) != 0) {
        return Screenshot{};
    }
    return ReadPpm(path);
}

double ShareShown(const Screenshot& shot, const gdi::Picture& picture, int left, int top) {
    int opaque = 0, shown = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const gdi::COLORREF c = picture.pixels[static_cast<size_t>(y) * picture.width + x];
            if (c == 0) continue;
            ++opaque;
            const int sx = left + x, sy = top + y;
            if (sx >= 0 && sy >= 0 && sx < shot.width && sy < shot.height && shot.At(sx, sy) == c) {
                ++shown;
            }
        }
    }
    return opaque == 0 ? 0.0 : static_cast<double>(shown) / opaque;
}
