// GIF pictures: the first image of a file in (our own decoder), one image
// out (giflib).
#include "gdi/picture.h"

#include <gif_lib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unordered_map>

#include "gdi/gif_decode.h"
#include "vb/runtime_error.h"

namespace gdi {

namespace {

[[noreturn]] void Fail(int32_t number, const char* text, const std::string& path) {
    throw vb::RuntimeError(number, std::string(text) + ": '" + path + "'");
}

[[noreturn]] void NotFound(const std::string& path) {
    Fail(vb::kErrFileNotFound, "File not found", path);
}
[[noreturn]] void Invalid(const std::string& path) {
    Fail(vb::kErrInvalidPicture, "Invalid picture", path);
}

struct Writer {
    GifFileType* gif = nullptr;
    bool Close() {
        int err = 0;
        const bool ok = !gif || EGifCloseFile(gif, &err) == GIF_OK;
        gif = nullptr;
        return ok;
    }
    ~Writer() { Close(); }
};

} // namespace

DecodedPicture DecodePicture(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !std::filesystem::exists(path, ec)) NotFound(path);
    if (std::filesystem::is_directory(path, ec)) Invalid(path);
    std::ifstream file(path, std::ios::binary);
    if (!file) NotFound(path);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    if (file.bad()) Invalid(path);
    DecodedPicture picture;
    if (!gif::DecodeFirstImage(bytes.data(), bytes.size(), picture)) Invalid(path);
    return picture;
}

void DecodedPicture::ToColours(COLORREF* out) const {
    auto placeRow = [&](size_t arrival, int y) {
        const uint8_t* in = indices.get() + arrival * static_cast<size_t>(width);
        COLORREF* row = out + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) row[x] = colours[in[x]];
    };
    if (interlaced) {
        static const int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
        size_t arrival = 0;
        for (int pass = 0; pass < 4; ++pass)
            for (int y = kStart[pass]; y < height; y += kStep[pass]) placeRow(arrival++, y);
    } else {
        for (int y = 0; y < height; ++y) placeRow(static_cast<size_t>(y), y);
    }
}

Picture LoadPicture(const std::string& path) {
    const DecodedPicture decoded = DecodePicture(path);
    Picture picture;
    picture.width = decoded.width;
    picture.height = decoded.height;
    picture.pixels.resize(static_cast<size_t>(decoded.width) * decoded.height);
    decoded.ToColours(picture.pixels.data());
    return picture;
}

void SavePictureGif(const std::string& path, const Picture& picture, bool withTransparentBlack,
                    bool interlaced) {
    const int width = picture.width, height = picture.height;
    if (width < 1 || height < 1 || width > 65535 || height > 65535 ||
        picture.pixels.size() != static_cast<size_t>(width) * height) {
        Invalid(path);
    }
    // Palette in order of first appearance; black first when it is the
    // transparent colour, so the file is the same for the same picture.
    std::vector<COLORREF> palette;
    std::unordered_map<COLORREF, uint8_t> index;
    if (withTransparentBlack) {
        palette.push_back(0);
        index[0] = 0;
    }
    std::vector<GifPixelType> indices(picture.pixels.size());
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        const COLORREF c = picture.pixels[i] & 0xFFFFFFu;
        auto it = index.find(c);
        if (it == index.end()) {
            if (palette.size() == 256) {
                throw vb::RuntimeError(vb::kErrInvalidPicture,
                                       "Invalid picture: more than 256 colours for '" + path + "'");
            }
            it = index.emplace(c, static_cast<uint8_t>(palette.size())).first;
            palette.push_back(c);
        }
        indices[i] = it->second;
    }
    int bits = 1;
    while ((1 << bits) < static_cast<int>(palette.size())) ++bits;
    std::vector<GifColorType> colours(size_t{1} << bits, GifColorType{0, 0, 0});
    for (size_t i = 0; i < palette.size(); ++i) {
        colours[i] = GifColorType{static_cast<GifByteType>(palette[i] & 0xFF),
                                  static_cast<GifByteType>((palette[i] >> 8) & 0xFF),
                                  static_cast<GifByteType>((palette[i] >> 16) & 0xFF)};
    }
    ColorMapObject* map = GifMakeMapObject(1 << bits, colours.data());
    if (!map) Fail(7, "Out of memory", path);

    auto accessError = [&]() { Fail(75, "Path/File access error", path); };
    int err = 0;
    Writer writer;
    writer.gif = EGifOpenFileName(path.c_str(), false, &err);
    if (!writer.gif) {
        GifFreeMapObject(map);
        accessError();
    }
    EGifSetGifVersion(writer.gif, true);
    const int screenOk = EGifPutScreenDesc(writer.gif, width, height, bits, 0, map);
    GifFreeMapObject(map);
    if (screenOk == GIF_ERROR) accessError();
    if (withTransparentBlack) {
        GraphicsControlBlock gcb;
        gcb.DisposalMode = 0; // no disposal asked for
        gcb.UserInputFlag = false;
        gcb.DelayTime = 0;
        gcb.TransparentColor = 0;
        GifByteType block[4];
        const size_t len = EGifGCBToExtension(&gcb, block);
        if (EGifPutExtension(writer.gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(len), block) ==
            GIF_ERROR) {
            accessError();
        }
    }
    if (EGifPutImageDesc(writer.gif, 0, 0, width, height, interlaced, nullptr) == GIF_ERROR) {
        accessError();
    }
    auto putRow = [&](int y) {
        if (EGifPutLine(writer.gif, indices.data() + static_cast<size_t>(y) * width, width) ==
            GIF_ERROR) {
            accessError();
        }
    };
    if (interlaced) {
        static const int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = kStart[pass]; y < height; y += kStep[pass]) putRow(y);
    } else {
        for (int y = 0; y < height; ++y) putRow(y);
    }
    if (!writer.Close()) accessError();
}

Picture BitmapPicture(HBITMAP bitmap) {
    Picture picture;
    BITMAP size;
    const COLORREF* pixels = bitmap ? BitmapColourPixels(bitmap) : nullptr;
    if (!pixels || !GetObject(bitmap, size) || size.bmWidth < 1 || size.bmHeight < 1) {
        return picture;
    }
    picture.width = size.bmWidth;
    picture.height = size.bmHeight;
    picture.pixels.assign(pixels, pixels + static_cast<size_t>(size.bmWidth) * size.bmHeight);
    return picture;
}

} // namespace gdi
