// The GIF loader on arbitrary bytes: a picture it accepts must be whole
// (every pixel laid out through the palette), and a small one must come back
// unchanged through the writer.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "gdi/gif_decode.h"
#include "gdi/picture.h"
#include "tools/toolkit/scratch_folder.h"

namespace {

// Round trips only for small pictures: the writer is giflib's and slow.
constexpr int64_t kRoundTripPixels = 64 * 64;
// Colours are laid out up to this size; past it they would take four times
// the indices' memory and say nothing new.
constexpr int64_t kColourPixels = int64_t{1} << 22;

void Check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    gdi::DecodedPicture decoded;
    if (!gdi::gif::DecodeFirstImage(data, size, decoded)) return 0;
    Check(decoded.width >= 1 && decoded.height >= 1 && decoded.indices != nullptr);
    Check(decoded.width <= 65535 && decoded.height <= 65535);

    if (int64_t{decoded.width} * decoded.height > kColourPixels) return 0;
    gdi::Picture picture;
    picture.width = decoded.width;
    picture.height = decoded.height;
    picture.pixels.resize(static_cast<size_t>(decoded.width) * decoded.height);
    decoded.ToColours(picture.pixels.data());
    for (gdi::COLORREF c : picture.pixels) Check(c <= 0xFFFFFFu);

    if (int64_t{picture.width} * picture.height > kRoundTripPixels) return 0;
    static toolkit::ScratchFolder folder("stompvale-fuzz");
    const std::string path = (folder.path() / "round_trip.gif").string();
    gdi::SavePictureGif(path, picture, false);
    const gdi::Picture back = gdi::LoadPicture(path);
    Check(back.width == picture.width && back.height == picture.height);
    Check(back.pixels == picture.pixels);
    return 0;
}
