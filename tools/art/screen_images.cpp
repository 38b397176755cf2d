// The screen images laid over the running game: light lettering with a dark
// outline, so that it reads over the pale sky and over any monster. Black is
// transparent; the outline is kept clear of pure black for that reason.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tools/art/lettering.h"
#include "tools/art/pictures.h"

namespace art {

namespace {

constexpr int kImageWidth = 600;
constexpr int kImageHeight = 175;
constexpr int kMargin = 10;
constexpr Colour kOutline = gdi::RGB(40, 36, 30);
// Anti-aliased edges are kept in this many steps so that an image stays a
// small, fixed palette.
constexpr int kCoverageSteps = 6;
constexpr int kGradientBands = 4;

struct Style {
    Colour top, bottom; // fill, as a vertical gradient over the line
    int outline;        // radius in pixels
    int shadow;         // extra outline offset down and right, 0 = none
};

const Style kHeading{gdi::RGB(255, 232, 150), gdi::RGB(226, 166, 70), 4, 3};
const Style kKey{gdi::RGB(255, 228, 140), gdi::RGB(232, 180, 84), 2, 0};
const Style kBody{gdi::RGB(255, 250, 232), gdi::RGB(226, 218, 190), 2, 0};

struct Line {
    std::string text;
    int size; // character height in pixels
    int left, top;
    Style style;
    int right = kImageWidth - kMargin; // the text shrinks to end before this
};

Colour Mix(Colour a, Colour b, int num, int den) {
    auto channel = [&](int shift) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        return static_cast<Colour>((ca * (den - num) + cb * num + den / 2) / den) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

// The largest size up to the wanted one at which the text fits the image.
int FittingSize(gdi::MemoryCanvas& canvas, const Line& line) {
    int size = line.size;
    while (size > 8 &&
           line.left + LineWidth(canvas, line.text, {"Liberation Sans", size, true}) > line.right)
        --size;
    return size;
}

// The offsets an inked pixel darkens around it: a disc, dragged down and
// right by the shadow.
std::vector<gdi::POINT> OutlineSpread(const Style& style) {
    const int r = style.outline;
    std::vector<gdi::POINT> spread;
    for (int dy = -r; dy <= r + style.shadow; ++dy)
        for (int dx = -r; dx <= r + style.shadow; ++dx)
            for (int s = 0; s <= style.shadow; ++s)
                if ((dx - s) * (dx - s) + (dy - s) * (dy - s) <= r * r + r) {
                    spread.push_back({dx, dy});
                    break;
                }
    return spread;
}

// Renders every line into one picture: outlines first, then the lettering, so
// that a line's outline never covers its neighbour's letters.
gdi::Picture Compose(std::vector<Line> lines) {
    const int w = kImageWidth, h = kImageHeight;
    std::vector<uint8_t> outline(static_cast<size_t>(w) * h, 0);
    std::vector<uint8_t> level(static_cast<size_t>(w) * h, 0);
    std::vector<Colour> fill(static_cast<size_t>(w) * h, 0);
    gdi::MemoryCanvas scratch(w, h);
    for (Line& line : lines) {
        line.size = FittingSize(scratch, line);
        scratch.Clear();
        WriteLine(scratch, line.text, {"Liberation Sans", line.size, true}, line.left, line.top,
                  gdi::RGB(255, 255, 255));
        const std::vector<Colour> ink = scratch.Pixels();
        int inkTop = h, inkBottom = -1;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if ((ink[y * w + x] & 0xFF) != 0) {
                    inkTop = std::min(inkTop, y);
                    inkBottom = std::max(inkBottom, y);
                }
        if (inkBottom < 0) continue;
        const std::vector<gdi::POINT> spread = OutlineSpread(line.style);
        for (int y = inkTop; y <= inkBottom; ++y) {
            const int band = std::min(kGradientBands - 1,
                                      (y - inkTop) * kGradientBands / (inkBottom - inkTop + 1));
            const Colour bandColour =
                Mix(line.style.top, line.style.bottom, band, kGradientBands - 1);
            for (int x = 0; x < w; ++x) {
                const int a = static_cast<int>(ink[y * w + x] & 0xFF);
                if (a == 0) continue;
                const int q = (a * kCoverageSteps + 127) / 255;
                const size_t at = static_cast<size_t>(y) * w + x;
                if (q > level[at]) {
                    level[at] = static_cast<uint8_t>(q);
                    fill[at] = bandColour;
                }
                if (a < 48) continue; // faint edges do not widen the outline
                for (const gdi::POINT& d : spread) {
                    const int ox = x + d.x, oy = y + d.y;
                    if (ox < 0 || oy < 0 || ox >= w || oy >= h) continue;
                    outline[static_cast<size_t>(oy) * w + ox] = 1;
                }
            }
        }
    }
    gdi::Picture picture;
    picture.width = w;
    picture.height = h;
    picture.pixels.assign(static_cast<size_t>(w) * h, 0);
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        if (level[i] != 0)
            picture.pixels[i] = Mix(kOutline, fill[i], level[i], kCoverageSteps);
        else if (outline[i] != 0)
            picture.pixels[i] = kOutline;
    }
    return picture;
}

// Rows of a name in the key colour and its meaning beside it, from `top` on.
struct Column {
    int left, meaningLeft, right;
};
constexpr int kRowSize = 15;
constexpr int kRowPitch = 19;

void AddRows(std::vector<Line>& lines, const Column& column, int top,
             const std::vector<std::pair<std::string, std::string>>& rows) {
    for (const auto& [name, meaning] : rows) {
        lines.push_back({name, kRowSize, column.left, top, kKey, column.meaningLeft - 6});
        lines.push_back({meaning, kRowSize, column.meaningLeft, top, kBody, column.right});
        top += kRowPitch;
    }
}

// The instructions: the keys on the left; on the right the bars that the
// picture shows under, and the shortcut apart from the controls.
std::vector<Line> InstructionLines() {
    constexpr Column keys{kMargin + 4, 110, 290};
    constexpr Column bars{306, 374, kImageWidth - kMargin};
    std::vector<Line> lines;
    AddRows(lines, keys, 4,
            {
                {"Arrows", "walk, aim and climb"},
                {"Z", "charge, release to strike"},
                {"X", "hold on to the fur"},
                {"Space or C", "jump"},
                {"P", "pause"},
                {"R", "try again after dying"},
                {"F11", "full screen or window"},
                {"Tab or F1", "the options screen"},
                {"Escape", "quit"},
            });
    lines.push_back({"The bars at the top", kRowSize, bars.left, 4, kKey, bars.right});
    AddRows(lines, bars, 4 + kRowPitch,
            {
                {"top", "the monster's hit points left"},
                {"middle", "your strength to hold on"},
                {"bottom", "the sword's charge"},
            });
    lines.push_back({"A hit point takes several strikes.", kRowSize, bars.left, 4 + 4 * kRowPitch,
                     kBody, bars.right});
    lines.push_back({"Shortcut", kRowSize, bars.left, 4 + 6 * kRowPitch, kKey, bars.right});
    AddRows(lines, {bars.left, 332, bars.right}, 4 + 7 * kRowPitch,
            {{"F", "lowers the monster's hit points"}, {"", "by 400"}});
    return lines;
}

} // namespace

std::vector<NamedPicture> ScreenImages() {
    // Each screen is lines of lettering only, composed the same way.
    const std::vector<std::pair<std::string, std::vector<Line>>> screens = {
        {"Title_1Title.gif",
         {
             {"Stompvale", 100, 14, 4, kHeading},
             {"Climb the giants and strike their white hit points", 22, 20, 132, kBody},
         }},
        {"Title_2Instructions.gif", InstructionLines()},
        {"Title_3Credits.gif",
         {
             {"Stompvale", 46, 14, 4, kHeading},
             {"Made by the Stompvale team", 22, 20, 64, kBody},
             {"Built with C++, SDL2, giflib and FreeType", 20, 20, 94, kBody},
             {"Lettering in Liberation Sans", 20, 20, 120, kBody},
             {"Thank you for playing!", 20, 20, 146, kKey},
         }},
        {"Text_Readme.gif",
         {
             {"Every monster is beaten!", 36, 14, 4, kHeading},
             {"Add monsters of your own to the Monsters folder:", 19, 20, 52, kBody},
             {"GIF pictures named \"ID Name Codes.gif\",", 19, 20, 76, kBody},
             {"for example \"4 Stone_Troll 2-12-20.gif\".", 19, 20, 100, kBody},
             {"Pure white pixels are hit points, black is transparent.", 19, 20, 124, kBody},
             {"Empty History.ini to meet every monster again.", 19, 20, 148, kKey},
         }},
        {"Text_Death.gif",
         {
             {"You died", 80, 14, 6, kHeading},
             {"Press R to try again, Escape to quit", 28, 20, 102, kBody},
             {"The arrow keys move the camera", 20, 20, 142, kBody},
         }},
        {"Text_Success.gif",
         {
             {"Victory!", 80, 14, 6, kHeading},
             {"Every monster has been defeated.", 26, 20, 102, kBody},
             {"Press Escape to quit", 22, 20, 140, kKey},
         }},
    };
    std::vector<NamedPicture> images;
    for (const auto& [fileName, lines] : screens) images.push_back({fileName, Compose(lines)});
    return images;
}

} // namespace art
