// The monster checker on the bytes of a picture file, as the browser build's
// dropped file reaches it: every report it gives is whole, and the preview
// and the text map have the picture's size.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "gdi/gif_decode.h"
#include "monster_check/monster_check.h"

namespace {

// Larger pictures are the GIF loader's fuzzer's business: the reach search
// would only slow every run down.
constexpr int32_t kMostSide = 160;

void Check(bool condition) {
    if (!condition) std::abort();
}

const char* const kNames[] = {"3 Fuzz 1-12-30.gif", "2 Fuzz 41-40-42.gif", "7.gif", ".gif",
                              "3 Crab  .gif"};
constexpr size_t kNameCount = sizeof(kNames) / sizeof(kNames[0]);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::string name = kNames[data[0] % kNameCount];
    ++data;
    --size;
    gdi::DecodedPicture decoded;
    if (gdi::gif::DecodeFirstImage(data, size, decoded) &&
        (decoded.width > kMostSide || decoded.height > kMostSide)) {
        return 0;
    }
    const monster_check::CheckResult result = monster_check::CheckMonsterBytes(name, data, size);
    const std::string report = monster_check::FormatReport(result);
    Check(!report.empty());
    if (!result.loadError.empty()) {
        Check(!result.beatable && result.width == 0);
        return 0;
    }
    Check(result.width == decoded.width && result.height == decoded.height);
    Check(result.reachableGroups <= result.groups);
    Check(!result.beatable || result.nameOk);
    gdi::Picture picture;
    picture.width = decoded.width;
    picture.height = decoded.height;
    picture.pixels.resize(static_cast<size_t>(decoded.width) * decoded.height);
    decoded.ToColours(picture.pixels.data());
    const gdi::Picture preview = monster_check::PreviewPicture(picture, result);
    Check(preview.width == picture.width && preview.height == picture.height);
    const std::string map = monster_check::TextMap(picture, result);
    Check(map.size() >= static_cast<size_t>(picture.width) * picture.height);
    return 0;
}
