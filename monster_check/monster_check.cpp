#include "monster_check/monster_check.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <set>

#include "gdi/gif_decode.h"
#include "monster_check/reach.h"
#include "player/colour_classes.h"
#include "vb/runtime_error.h"

namespace monster_check {
namespace {

constexpr uint32_t kWhiteColour = 0xFFFFFF;

// Indexed by PixelClass.
constexpr uint8_t kClassFlags[kPixelClassCount] = {
    0, kBlocked, kBlocked | kGrip, kBlocked | kFur, kBlocked | kDeadly, kBlocked | kGrip | kWhite,
};
constexpr const char* kClassNames[kPixelClassCount] = {"empty", "solid",  "grip",
                                                       "fur",   "deadly", "white"};
constexpr int64_t PixelCounts::*kClassCounts[kPixelClassCount] = {
    &PixelCounts::empty, &PixelCounts::solid,  &PixelCounts::grip,
    &PixelCounts::fur,   &PixelCounts::deadly, &PixelCounts::white,
};

// Fur in the yellow band is also grip; no other class changes with the shade.
uint8_t FlagsOf(uint32_t colour, PixelClass cls) {
    const bool furGrip = cls == PixelClass::Fur && IsGripColour(static_cast<int32_t>(colour));
    return kClassFlags[static_cast<size_t>(cls)] | (furGrip ? kGrip : 0);
}

int32_t Find(std::vector<int32_t>& parent, int32_t i) {
    while (parent[i] != i) i = parent[i] = parent[parent[i]];
    return i;
}

// 8-connected white patches; labels hold patch index + 1 per pixel.
std::vector<WhitePatch> FindPatches(const gdi::Picture& picture, std::vector<int32_t>& labels) {
    const int32_t w = picture.width, h = picture.height;
    labels.assign(static_cast<size_t>(w) * h, 0);
    std::vector<WhitePatch> patches;
    std::vector<int32_t> stack;
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const size_t at = static_cast<size_t>(y) * w + x;
            if (picture.pixels[at] != kWhiteColour || labels[at]) continue;
            WhitePatch patch{x, y, x, y, 0, 0, false};
            const int32_t label = static_cast<int32_t>(patches.size()) + 1;
            labels[at] = label;
            stack.assign(1, static_cast<int32_t>(at));
            while (!stack.empty()) {
                const int32_t i = stack.back();
                stack.pop_back();
                const int32_t px = i % w, py = i / w;
                ++patch.pixels;
                patch.left = std::min(patch.left, px);
                patch.right = std::max(patch.right, px);
                patch.top = std::min(patch.top, py);
                patch.bottom = std::max(patch.bottom, py);
                for (int32_t dy = -1; dy <= 1; ++dy) {
                    for (int32_t dx = -1; dx <= 1; ++dx) {
                        const int32_t nx = px + dx, ny = py + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                        const size_t n = static_cast<size_t>(ny) * w + nx;
                        if (picture.pixels[n] == kWhiteColour && !labels[n]) {
                            labels[n] = label;
                            stack.push_back(static_cast<int32_t>(n));
                        }
                    }
                }
            }
            patches.push_back(patch);
        }
    }
    return patches;
}

// Patches with pixels within kSeparation of each other share a group; returns
// the number of groups.
int32_t GroupPatches(const gdi::Picture& picture, const std::vector<int32_t>& labels,
                     std::vector<WhitePatch>& patches) {
    const int32_t count = static_cast<int32_t>(patches.size());
    std::vector<int32_t> parent(count);
    std::iota(parent.begin(), parent.end(), 0);
    const int32_t w = picture.width, h = picture.height;
    for (int32_t a = 0; a < count; ++a) {
        for (int32_t b = a + 1; b < count; ++b) {
            const WhitePatch &pa = patches[a], &pb = patches[b];
            const int32_t gapX = std::max({0, pb.left - pa.right, pa.left - pb.right});
            const int32_t gapY = std::max({0, pb.top - pa.bottom, pa.top - pb.bottom});
            if (std::max(gapX, gapY) > kSeparation || Find(parent, a) == Find(parent, b)) continue;
            // Boxes are close: look for a pixel of b near a pixel of a.
            bool close = false;
            for (int32_t y = pa.top; y <= pa.bottom && !close; ++y) {
                for (int32_t x = pa.left; x <= pa.right && !close; ++x) {
                    if (labels[static_cast<size_t>(y) * w + x] != a + 1) continue;
                    for (int32_t ny = std::max(0, y - kSeparation);
                         ny <= std::min(h - 1, y + kSeparation) && !close; ++ny)
                        for (int32_t nx = std::max(0, x - kSeparation);
                             nx <= std::min(w - 1, x + kSeparation) && !close; ++nx)
                            close = labels[static_cast<size_t>(ny) * w + nx] == b + 1;
                }
            }
            if (close) parent[Find(parent, a)] = Find(parent, b);
        }
    }
    std::vector<int32_t> groupOf(count, -1);
    int32_t groups = 0;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t root = Find(parent, i);
        if (groupOf[root] < 0) groupOf[root] = groups++;
        patches[i].group = groupOf[root] + 1;
    }
    return groups;
}

void AddBorderlineWarnings(const gdi::Picture& picture, CheckResult& result) {
    std::set<uint32_t> colours(picture.pixels.begin(), picture.pixels.end());
    for (uint32_t colour : colours) {
        if (colour == kWhiteColour) continue; // white is exact by nature
        const PixelClass own = ClassifyPixel(colour);
        const bool ownGrip = IsGripColour(static_cast<int32_t>(colour));
        for (int shift = 0; shift < 24; shift += 8) {
            bool borderline = false;
            for (int step : {-2, 2}) {
                const int channel = static_cast<int>((colour >> shift) & 0xFF) + step;
                if (channel < 0 || channel > 255) continue;
                const uint32_t nudged =
                    (colour & ~(0xFFu << shift)) | (static_cast<uint32_t>(channel) << shift);
                if (nudged == kWhiteColour) continue;
                borderline = borderline || ClassifyPixel(nudged) != own ||
                             IsGripColour(static_cast<int32_t>(nudged)) != ownGrip;
            }
            if (borderline) {
                char text[120];
                std::snprintf(text, sizeof text,
                              "colour RGB(%u, %u, %u) (%s) lies on the edge of another class",
                              colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF,
                              ClassName(own));
                result.warnings.push_back(text);
                break;
            }
        }
    }
}

void AddNameWarnings(CheckResult& result) {
    const MonsterName& name = result.name;
    if (name.MonsterName.empty()) result.warnings.push_back("the display name is empty");
    for (size_t i = 0; i < name.MoveCode.size(); ++i) {
        const int32_t code = name.MoveCode[i];
        const std::string stage = "stage " + std::to_string(i + 1);
        const std::string stageCode = stage + " code " + std::to_string(code);
        if (i == 0 && code == 0)
            result.warnings.push_back(stage + " has no movement code: the monster only rises and "
                                              "stands");
        else if (code != 0 && DescribeMoveCode(code) == "no motion of its own")
            result.warnings.push_back(stageCode + " gives no motion of its own");
        if (i > 0 && name.Flying && code >= 1 && code <= 31)
            result.warnings.push_back(stageCode +
                                      " runs without gravity, since the first code flies");
    }
}

CheckResult CheckName(const std::string& fileName) {
    CheckResult result;
    result.fileName = fileName;
    try {
        result.name = ParseMonsterFileName(fileName);
        result.nameOk = true;
        AddNameWarnings(result);
    } catch (const vb::RuntimeError& error) {
        result.errorNumber = error.Number();
        result.errorText = error.Description();
    }
    return result;
}

} // namespace

PixelClass ClassifyPixel(uint32_t colour) {
    const auto c = static_cast<int32_t>(colour);
    if (!IsSolidMonsterColour(c)) return PixelClass::Empty;
    if (colour == kWhiteColour) return PixelClass::White;
    if (IsDeadlyColour(c)) return PixelClass::Deadly;
    if (IsFurColour(c)) return PixelClass::Fur;
    if (IsGripColour(c)) return PixelClass::Grip;
    return PixelClass::Solid;
}

const char* ClassName(PixelClass value) {
    return kClassNames[static_cast<size_t>(value)];
}

std::string CountOf(int64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string DescribeMoveCode(int32_t code) {
    if (code >= 1 && code <= 9) return "walks";
    if (code >= 10 && code <= 19) return "jumps";
    if (code >= 20 && code <= 29) return "walks and jumps";
    if (code == 30 || code == 31) return "heaves";
    if (code == 40 || code == 41) return "flies in loops";
    if (code == 42) return "surfaces and dives";
    if (code == 0) return "stands";
    return "no motion of its own";
}

CheckResult CheckMonster(const std::string& fileName, const gdi::Picture& picture) {
    CheckResult result = CheckName(fileName);
    result.width = picture.width;
    result.height = picture.height;
    const size_t size = static_cast<size_t>(picture.width) * picture.height;
    std::vector<uint8_t> flags(size);
    for (size_t i = 0; i < size; ++i) {
        const uint32_t colour = picture.pixels[i];
        const PixelClass cls = ClassifyPixel(colour);
        ++(result.counts.*kClassCounts[static_cast<size_t>(cls)]);
        if (cls == PixelClass::Fur && !IsGripColour(static_cast<int32_t>(colour)))
            ++result.counts.furNotGrip;
        flags[i] = FlagsOf(colour, cls);
    }

    std::vector<int32_t> labels;
    result.patches = FindPatches(picture, labels);
    result.groups = GroupPatches(picture, labels, result.patches);

    const ReachResult reach = SearchReach(picture.width, picture.height, flags);
    result.restMap = reach.rest;
    for (size_t i = 0; i < size; ++i)
        if (reach.struck[i]) result.patches[labels[i] - 1].reachable = true;
    std::vector<bool> groupReached(result.groups + 1, false);
    for (const WhitePatch& patch : result.patches)
        if (patch.reachable) groupReached[patch.group] = true;
    result.reachableGroups =
        static_cast<int32_t>(std::count(groupReached.begin(), groupReached.end(), true));

    if (result.patches.empty()) {
        result.warnings.push_back("no white (&HFFFFFF) hit points at all");
    } else if (result.groups < kHitPointsNeeded) {
        result.warnings.push_back(
            "only " + CountOf(result.groups, "hit point lies", "hit points lie") +
            " far enough apart: destroying one greens the white within " +
            std::to_string(kGreenRadius) + " cells of the man, so patches need more than " +
            std::to_string(kSeparation) + " cells between them");
    }
    if (result.patches.size() > static_cast<size_t>(kHitPointsNeeded))
        result.warnings.push_back(std::to_string(result.patches.size()) +
                                  " white patches: stray white pixels are hit points too");
    if (result.counts.furNotGrip > 0)
        result.warnings.push_back(
            CountOf(result.counts.furNotGrip, "fur pixel cannot", "fur pixels cannot") +
            " be held on to (grip needs saturation "
            "0.58..0.78 and hue 0.152..0.182)");
    for (size_t i = 0; i < result.patches.size(); ++i)
        if (!result.patches[i].reachable)
            result.warnings.push_back("hit point #" + std::to_string(i + 1) +
                                      " cannot be reached by a strike");

    if (picture.width > 0 && picture.height > 0) {
        const auto lowest = picture.pixels.end() - picture.width;
        if (std::all_of(lowest, picture.pixels.end(), [](uint32_t c) { return c == 0; }))
            result.warnings.push_back("the lowest row is transparent: the body stands above the "
                                      "ground, which is always under the lowest row");
    }
    AddBorderlineWarnings(picture, result);

    result.beatable = result.nameOk && result.reachableGroups >= kHitPointsNeeded;
    return result;
}

bool Playable(const CheckResult& result) {
    return result.nameOk && result.loadError.empty() && !result.patches.empty();
}

namespace {

// The game stops at a picture it cannot load: nothing else to check.
CheckResult NotLoaded(const std::string& fileName, const std::string& why) {
    CheckResult result = CheckName(fileName);
    result.loadError = why;
    result.warnings.insert(result.warnings.begin(), "picture not loaded: " + result.loadError);
    result.beatable = false;
    return result;
}

} // namespace

CheckResult CheckMonsterFile(const std::string& path) {
    const std::string fileName = std::filesystem::path(path).filename().string();
    try {
        return CheckMonster(fileName, gdi::LoadPicture(path));
    } catch (const vb::RuntimeError& error) {
        return NotLoaded(fileName, error.Description());
    }
}

CheckResult CheckMonsterBytes(const std::string& fileName, const uint8_t* data, size_t size) {
    gdi::DecodedPicture decoded;
    if (!gdi::gif::DecodeFirstImage(data, size, decoded)) {
        return NotLoaded(fileName, "Invalid picture: '" + fileName + "'");
    }
    gdi::Picture picture;
    picture.width = decoded.width;
    picture.height = decoded.height;
    picture.pixels.resize(static_cast<size_t>(decoded.width) * decoded.height);
    decoded.ToColours(picture.pixels.data());
    return CheckMonster(fileName, picture);
}

} // namespace monster_check
