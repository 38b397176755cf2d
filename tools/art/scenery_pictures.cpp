// The scenery pictures, in game pixels (the game enlarges them 3 x 6): three
// clouds, a mountain range and a bridge. The range and the bridge are drawn
// around a loop so that copies side by side join without a seam. Soft, cool
// colours: the man is red and the monsters are bright, the sky must stay
// behind them.
#include <algorithm>
#include <cmath>
#include <vector>

#include "gdi/memory_canvas.h"
#include "tools/art/pictures.h"
#include "vb/split_mix.h"

namespace art {

namespace {

// Value noise around a loop: `points` random values spread evenly over
// `length` pixels, joined smoothly, the last back to the first.
class LoopNoise {
  public:
    LoopNoise(vb::SplitMix& random, int length, int points) : mLength(length) {
        for (int i = 0; i < points; ++i) mValues.push_back(random.Unit() * 2 - 1);
    }
    double At(int x) const {
        const int n = static_cast<int>(mValues.size());
        const double t = static_cast<double>(x) * n / mLength;
        const int i = static_cast<int>(std::floor(t));
        const double f = t - i;
        const double s = f * f * (3 - 2 * f);
        const double a = mValues[((i % n) + n) % n], b = mValues[(((i + 1) % n) + n) % n];
        return a + (b - a) * s;
    }

  private:
    int mLength;
    std::vector<double> mValues;
};

// A ridge line: heights in game pixels per column, repeating every `length`,
// scaled down by `cover` (0..1) so that the range breaks into massifs.
std::vector<int> Ridge(vb::SplitMix& random, int length, double base,
                       const std::vector<std::pair<int, double>>& octaves,
                       const std::vector<double>& cover) {
    std::vector<LoopNoise> layers;
    for (const auto& [points, amplitude] : octaves) layers.emplace_back(random, length, points);
    std::vector<int> heights(length);
    for (int x = 0; x < length; ++x) {
        double h = base;
        for (size_t k = 0; k < layers.size(); ++k) h += octaves[k].second * layers[k].At(x);
        heights[x] = std::max(0, static_cast<int>(std::floor(h * cover[x] + 0.5)));
    }
    return heights;
}

// How much of each layer stands in a column: 1 inside a massif, falling to 0
// in the valleys between them, where whatever lies behind shows through.
std::vector<double> Cover(const LoopNoise& massifs, int length, double reach) {
    std::vector<double> cover(length);
    for (int x = 0; x < length; ++x) cover[x] = std::clamp((massifs.At(x) + reach) * 1.3, 0.0, 1.0);
    return cover;
}

// Rise of the ridge across a few columns around x, wrapping round the loop.
int Slope(const std::vector<int>& heights, int x, int reach) {
    const int n = static_cast<int>(heights.size());
    return heights[(x + reach) % n] - heights[(x + n - reach) % n];
}

gdi::Picture MountainRange() {
    constexpr int kWidth = 600, kHeight = 84;
    vb::SplitMix random(0x5107A11Eull);
    gdi::MemoryCanvas canvas(kWidth, kHeight);
    const LoopNoise massifs(random, kWidth, 7);
    const std::vector<double> everywhere(kWidth, 1.0);
    const std::vector<int> far =
        Ridge(random, kWidth, 54, {{5, 14}, {13, 7}, {40, 2.5}}, Cover(massifs, kWidth, 0.5));
    const std::vector<int> near = Ridge(random, kWidth, 40, {{4, 22}, {9, 12}, {20, 6}, {60, 1.5}},
                                        Cover(massifs, kWidth, 0.2));
    const std::vector<int> hills =
        Ridge(random, kWidth, 15, {{12, 4}, {45, 1.5}}, Cover(massifs, kWidth, 0.3));
    const std::vector<int> facet = Ridge(random, kWidth, 11, {{30, 5}, {120, 2}}, everywhere);

    const Colour farBody = gdi::RGB(180, 184, 204), farTop = gdi::RGB(196, 198, 216);
    const Colour lit = gdi::RGB(154, 164, 190), mid = gdi::RGB(134, 144, 172),
                 shade = gdi::RGB(118, 127, 158);
    const Colour snowLit = gdi::RGB(228, 228, 238), snowShade = gdi::RGB(202, 206, 224);
    const Colour hillLit = gdi::RGB(152, 170, 162), hill = gdi::RGB(140, 158, 152),
                 hillShade = gdi::RGB(128, 146, 144);
    const int snowLine = *std::max_element(near.begin(), near.end()) - 10;

    for (int x = 0; x < kWidth; ++x) {
        // Far ridge, pale with haze.
        const int farTopY = kHeight - far[x];
        if (far[x] > 0) {
            canvas.Fill(x, farTopY, x + 1, kHeight, farBody);
            canvas.Fill(x, farTopY, x + 1, farTopY + 1, farTop);
        }
        // Near ridge, lit from the left: the light or shadow side runs down
        // from the crest in a ragged band over the body.
        const int h = near[x];
        const int topY = kHeight - h;
        const int slope = Slope(near, x, 5);
        canvas.Fill(x, topY, x + 1, kHeight, mid);
        if (h > 0 && (slope >= 3 || slope <= -3))
            canvas.Fill(x, topY, x + 1, topY + facet[x], slope > 0 ? lit : shade);
        if (h > snowLine) {
            const int depth = (h - snowLine) * 2 / 3 + 1;
            canvas.Fill(x, topY, x + 1, topY + depth, slope >= 0 ? snowLit : snowShade);
        }
        // Foothills in front, with a lit or shaded rim.
        const int hillTopY = kHeight - hills[x];
        const int hillSlope = Slope(hills, x, 4);
        canvas.Fill(x, hillTopY, x + 1, kHeight, hill);
        if (hills[x] > 0 && hillSlope != 0)
            canvas.Fill(x, hillTopY, x + 1, hillTopY + 3, hillSlope > 0 ? hillLit : hillShade);
    }
    return canvas.ToPicture();
}

// A tall viaduct: the near range stands in front of it, so only a bridge that
// rises well above the foothills shows where the massifs part.
gdi::Picture Bridge() {
    constexpr int kWidth = 240, kHeight = 64;
    constexpr int kArch = 60, kPier = 12;
    gdi::MemoryCanvas canvas(kWidth, kHeight);
    const Colour rail = gdi::RGB(112, 112, 130), deckTop = gdi::RGB(152, 150, 168),
                 deck = gdi::RGB(126, 124, 142), stone = gdi::RGB(154, 150, 164),
                 course = gdi::RGB(138, 134, 152), ring = gdi::RGB(124, 120, 140);

    // Railing: a handrail on posts.
    canvas.Fill(0, 3, kWidth, 4, rail);
    for (int x = 0; x < kWidth; x += 8) canvas.Fill(x, 3, x + 1, 9, rail);
    // Deck.
    canvas.Fill(0, 9, kWidth, 12, deck);
    canvas.Fill(0, 9, kWidth, 10, deckTop);
    // Masonry with courses and staggered joints.
    canvas.Fill(0, 12, kWidth, kHeight, stone);
    for (int y = 15, row = 0; y < kHeight; y += 4, ++row) {
        canvas.Fill(0, y, kWidth, y + 1, course);
        for (int x = (row % 2) * 3; x < kWidth; x += 6) canvas.Fill(x, y + 1, x + 1, y + 4, course);
    }
    // Arches between the piers; each is drawn at both ends of the loop so the
    // picture repeats without a seam.
    for (int k = 0; k < kWidth / kArch; ++k) {
        for (int shift : {-kWidth, 0, kWidth}) {
            const int left = k * kArch + kPier / 2 + shift,
                      right = (k + 1) * kArch - kPier / 2 + shift;
            canvas.Ellipse(left - 2, 15, right + 2, 2 * kHeight - 15 + 2, ring);
            canvas.Ellipse(left, 17, right, 2 * kHeight - 17, 0);
        }
    }
    return canvas.ToPicture();
}

gdi::Picture Cloud(uint64_t seed, int width, int height, int blobs) {
    vb::SplitMix random(seed);
    gdi::MemoryCanvas canvas(width, height);
    struct Blob {
        int cx, cy, rx, ry;
    };
    std::vector<Blob> parts;
    for (int i = 0; i < blobs; ++i) {
        // Big puffs in the middle, smaller ones towards the ends.
        const double t = (i + 0.5) / blobs;
        const double bulge = 1 - std::abs(2 * t - 1);
        const int ry =
            std::max(2, static_cast<int>(std::floor((height / 2 - 1) * (0.45 + 0.55 * bulge) +
                                                    random.Unit() * 1.5)));
        const int rx = ry * 2 + random.Between(0, 3);
        int cx = static_cast<int>(std::floor(width * (0.12 + 0.76 * t))) + random.Between(-2, 2);
        cx = std::max(rx, std::min(width - 1 - rx, cx));
        const int cy = height - 1 - ry;
        parts.push_back({cx, cy, rx, ry});
    }
    const Colour shadow = gdi::RGB(198, 203, 222), body = gdi::RGB(224, 226, 237),
                 light = gdi::RGB(240, 240, 246);
    for (const Blob& b : parts)
        canvas.Ellipse(b.cx - b.rx, b.cy - b.ry, b.cx + b.rx, b.cy + b.ry, shadow);
    for (const Blob& b : parts)
        canvas.Ellipse(b.cx - b.rx + 1, b.cy - b.ry, b.cx + b.rx - 1, b.cy + b.ry - 2, body);
    for (const Blob& b : parts)
        if (b.ry >= 3)
            canvas.Ellipse(b.cx - b.rx / 2 - 1, b.cy - b.ry + 1, b.cx + b.rx / 3, b.cy - 1, light);
    return canvas.ToPicture();
}

} // namespace

std::vector<NamedPicture> SceneryPictures() {
    return {
        {"Background_Cloud1.gif", Cloud(0xC10D0001ull, 48, 12, 4)},
        {"Background_Cloud2.gif", Cloud(0xC10D0002ull, 72, 16, 5)},
        {"Background_Cloud3.gif", Cloud(0xC10D0003ull, 88, 18, 6)},
        {"Background_Mountain_Range.gif", MountainRange()},
        {"Background_Bridge.gif", Bridge()},
    };
}

} // namespace art
