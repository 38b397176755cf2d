#include <gif_lib.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "gdi/picture.h"
#include "support/temp_dir.h"
#include "vb/runtime_error.h"

using gdi::LoadPicture;
using gdi::Picture;
using gdi::SavePictureGif;

namespace {

struct GifLayout {
    int width = 0, height = 0;
    std::vector<GifColorType> globalColours; // empty: none
    std::vector<GifColorType> localColours;  // empty: none
    int transparentIndex = -1;
    bool interlaced = false;
    std::vector<uint8_t> indices; // rows in picture order
};

GifLayout Layout(int width, int height, std::vector<GifColorType> globalColours) {
    GifLayout s;
    s.width = width;
    s.height = height;
    s.globalColours = std::move(globalColours);
    return s;
}

// Writes a GIF with giflib directly, independent of the code under test.
void WriteGif(const std::string& path, const GifLayout& s) {
    int err = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &err);
    ASSERT_NE(gif, nullptr);
    EGifSetGifVersion(gif, true);
    auto makeMap = [](const std::vector<GifColorType>& c) -> ColorMapObject* {
        return c.empty() ? nullptr : GifMakeMapObject(static_cast<int>(c.size()), c.data());
    };
    ColorMapObject* global = makeMap(s.globalColours);
    ColorMapObject* local = makeMap(s.localColours);
    const int bits = global ? global->BitsPerPixel : local->BitsPerPixel;
    ASSERT_EQ(EGifPutScreenDesc(gif, s.width, s.height, bits, 0, global), GIF_OK);
    if (s.transparentIndex >= 0) {
        GraphicsControlBlock gcb{};
        gcb.TransparentColor = s.transparentIndex;
        GifByteType block[4];
        const size_t n = EGifGCBToExtension(&gcb, block);
        ASSERT_EQ(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), block),
                  GIF_OK);
    }
    ASSERT_EQ(EGifPutImageDesc(gif, 0, 0, s.width, s.height, s.interlaced, local), GIF_OK);
    std::vector<int> order;
    if (s.interlaced) {
        const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
        for (int p = 0; p < 4; ++p)
            for (int y = start[p]; y < s.height; y += step[p]) order.push_back(y);
    } else {
        for (int y = 0; y < s.height; ++y) order.push_back(y);
    }
    for (int y : order) {
        std::vector<GifPixelType> row(s.indices.begin() + y * s.width,
                                      s.indices.begin() + (y + 1) * s.width);
        ASSERT_EQ(EGifPutLine(gif, row.data(), s.width), GIF_OK);
    }
    if (global) GifFreeMapObject(global);
    if (local) GifFreeMapObject(local);
    ASSERT_EQ(EGifCloseFile(gif, &err), GIF_OK);
}

// The layout written to a file of a fresh folder and loaded back.
Picture WrittenAndLoaded(const GifLayout& layout) {
    TempDir dir;
    const std::string path = dir.str() + "/p.gif";
    WriteGif(path, layout);
    return LoadPicture(path);
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Bytes of address space the process has mapped now.
size_t MappedBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmSize:", 0) == 0) return std::stoull(line.substr(7)) * 1024;
    }
    return 0;
}

// The exit status of body run in a child process that may map at most
// `extra` more bytes than this one has now.
int InChildWithMemoryCap(size_t extra, const std::function<int()>& body) {
    const size_t cap = MappedBytes() + extra;
    const pid_t pid = fork();
    if (pid == 0) {
        rlimit limit{cap, cap};
        setrlimit(RLIMIT_AS, &limit);
        int code = 3;
        try {
            code = body();
        } catch (...) {
            code = 2; // anything but the loader's own error, such as bad_alloc
        }
        _exit(code);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A GIF file that claims more than it holds is refused with error 481 by a
// loader that may take no more than 64 MB to find out.
void ExpectRefusedWithinMemory(const std::string& gif) {
    TempDir dir;
    dir.Write("liar.gif", gif);
    const std::string path = dir.str() + "/liar.gif";
    const int status = InChildWithMemoryCap(size_t{64} << 20, [&] {
        try {
            LoadPicture(path);
        } catch (const vb::RuntimeError& e) {
            return e.Number() == 481 ? 0 : 1;
        }
        return 4;
    });
    EXPECT_EQ(status, 0) << "1: another error, 2: ran out of memory, 4: loaded";
}

} // namespace

TEST(PictureLoad, PaletteColoursAndTransparentIndexAsBlack) {
    GifLayout s = Layout(3, 2, {{10, 20, 30}, {255, 255, 255}, {200, 0, 0}, {1, 2, 3}});
    s.transparentIndex = 1;
    s.indices = {0, 1, 2, 3, 3, 0};
    const Picture p = WrittenAndLoaded(s);
    ASSERT_EQ(p.width, 3);
    ASSERT_EQ(p.height, 2);
    const std::vector<gdi::COLORREF> expected = {gdi::RGB(10, 20, 30), 0,
                                                 gdi::RGB(200, 0, 0),  gdi::RGB(1, 2, 3),
                                                 gdi::RGB(1, 2, 3),    gdi::RGB(10, 20, 30)};
    EXPECT_EQ(p.pixels, expected);
}

TEST(PictureLoad, LocalPaletteWinsAndInterlacedRowsComeBackInOrder) {
    GifLayout s = Layout(2, 11, {{0, 0, 0}, {1, 1, 1}});
    s.interlaced = true;
    for (int i = 0; i < 16; ++i)
        s.localColours.push_back(GifColorType{static_cast<GifByteType>(i * 10), 0, 7});
    for (int y = 0; y < 11; ++y) {
        s.indices.push_back(static_cast<uint8_t>(y));
        s.indices.push_back(static_cast<uint8_t>(15 - y));
    }
    const Picture p = WrittenAndLoaded(s);
    ASSERT_EQ(p.height, 11);
    for (int y = 0; y < 11; ++y) {
        EXPECT_EQ(p.pixels[y * 2], gdi::RGB(y * 10, 0, 7)) << y;
        EXPECT_EQ(p.pixels[y * 2 + 1], gdi::RGB((15 - y) * 10, 0, 7)) << y;
    }
}

TEST(PictureLoad, MissingAndBrokenFilesNameThePath) {
    TempDir dir;
    const std::string missing = dir.str() + "/none.gif";
    try {
        LoadPicture(missing);
        FAIL() << "no error";
    } catch (const vb::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 53);
        EXPECT_EQ(e.Description(), "File not found: '" + missing + "'");
    }
    dir.Write("junk.gif", "this is not a picture at all");
    dir.Write("cut.gif", std::string("GIF89a\x04\x00\x04\x00\x80\x00\x00", 13));
    // A real picture cut short in its image data.
    Picture p;
    p.width = 40;
    p.height = 40;
    for (int i = 0; i < 1600; ++i) p.pixels.push_back(static_cast<gdi::COLORREF>((i * 7919) % 200));
    SavePictureGif(dir.str() + "/whole.gif", p);
    const std::string whole = Slurp(dir.str() + "/whole.gif");
    dir.Write("half.gif", whole.substr(0, whole.size() / 2));
    for (const char* name : {"junk.gif", "cut.gif", "half.gif"}) {
        const std::string path = dir.str() + "/" + name;
        try {
            LoadPicture(path);
            FAIL() << "no error for " << name;
        } catch (const vb::RuntimeError& e) {
            EXPECT_EQ(e.Number(), 481);
            EXPECT_EQ(e.Description(), "Invalid picture: '" + path + "'");
        }
    }
}

TEST(PictureSave, RoundTripIsExactAndDeterministic) {
    TempDir dir;
    Picture p;
    p.width = 7;
    p.height = 9;
    for (int i = 0; i < 63; ++i)
        p.pixels.push_back(i % 5 == 0 ? 0 : gdi::RGB(i * 3, 255 - i, i % 7));
    for (bool interlaced : {false, true}) {
        const std::string a = dir.str() + "/a.gif", b = dir.str() + "/b.gif";
        SavePictureGif(a, p, true, interlaced);
        SavePictureGif(b, p, true, interlaced);
        EXPECT_EQ(Slurp(a), Slurp(b));
        const Picture back = LoadPicture(a);
        EXPECT_EQ(back.width, 7);
        EXPECT_EQ(back.height, 9);
        EXPECT_EQ(back.pixels, p.pixels);

        // Read back with giflib: black is index 0 and marked transparent,
        // the palette is padded to a power of two.
        int err = 0;
        GifFileType* gif = DGifOpenFileName(a.c_str(), &err);
        ASSERT_NE(gif, nullptr);
        ASSERT_EQ(DGifSlurp(gif), GIF_OK);
        const ColorMapObject* map = gif->SColorMap;
        ASSERT_NE(map, nullptr);
        EXPECT_EQ(map->ColorCount, 64); // 52 colours + black
        EXPECT_EQ(map->Colors[0].Red + map->Colors[0].Green + map->Colors[0].Blue, 0);
        GraphicsControlBlock gcb;
        ASSERT_EQ(DGifSavedExtensionToGCB(gif, 0, &gcb), GIF_OK);
        EXPECT_EQ(gcb.TransparentColor, 0);
        EXPECT_EQ(gif->SavedImages[0].ImageDesc.Interlace, interlaced);
        DGifCloseFile(gif, &err);
    }
}

TEST(PictureSave, RefusesMoreThan256Colours) {
    TempDir dir;
    Picture p;
    p.width = 300;
    p.height = 1;
    for (int i = 0; i < 300; ++i) p.pixels.push_back(static_cast<gdi::COLORREF>(i + 1));
    EXPECT_THROW(SavePictureGif(dir.str() + "/many.gif", p), vb::RuntimeError);
    p.pixels.resize(256); // 256 colours without black fit when black is not reserved
    p.width = 256;
    EXPECT_NO_THROW(SavePictureGif(dir.str() + "/ok.gif", p, false));
    EXPECT_EQ(LoadPicture(dir.str() + "/ok.gif").pixels, p.pixels);
}

TEST(PictureLoad, AHugeSizeWithoutItsDataFailsWithoutTakingTheMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer maps far more than any cap";
#endif
    // 16384 x 16384 declared in 35 bytes: two colours and a few bytes of image data.
    const std::string header("GIF89a\x00\x40\x00\x40\x80\x00\x00"
                             "\x00\x00\x00\xff\xff\xff"
                             "\x2c\x00\x00\x00\x00\x00\x40\x00\x40\x00"
                             "\x02\x02\x4c\x01\x00\x3b",
                             35);
    ExpectRefusedWithinMemory(header);
}

TEST(PictureLoad, ASizeBeyondWhatItsDataCanHoldFailsWithoutTakingTheMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer maps far more than any cap";
#endif
    // 12000 x 12000 claimed with 16 kB of image data at the smallest code
    // size: codes widen as the table fills, so such data holds at most some 38
    // million pixels, not the 144 million a bound of 3 bits a code allowed.
    auto word = [](int v) {
        return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    };
    std::string file = "GIF89a" + word(12000) + word(12000) + std::string("\x80\x00\x00", 3) +
                       std::string("\x00\x00\x00\xff\xff\xff", 6) + "\x2c" + word(0) + word(0) +
                       word(12000) + word(12000) + std::string("\x00\x02", 2);
    for (int block = 0; block < 64; ++block) file += '\xff' + std::string(255, '\x00');
    file += std::string("\x00\x3b", 2);
    ExpectRefusedWithinMemory(file);
}

TEST(PictureLoad, DecodesWhatGiflibDecodes) {
    // Pictures of every code size, plain and interlaced, long runs (the
    // table's own new entry) and noise (a full table and its clear codes):
    // our decoder against giflib's, pixel for pixel.
    std::mt19937 random(20261208);
    struct Case {
        int width, height, colours;
        bool interlaced, noisy;
    };
    const Case cases[] = {
        {1, 1, 2, false, false},     {7, 3, 2, true, true},      {33, 17, 4, false, true},
        {64, 64, 16, true, false},   {100, 50, 64, false, true}, {257, 190, 256, false, true},
        {300, 301, 256, true, true}, {640, 20, 3, false, false}, {50, 400, 200, true, false},
    };
    TempDir dir;
    for (const Case& c : cases) {
        GifLayout s = Layout(c.width, c.height, {});
        int entries = 2; // giflib's palettes are powers of two
        while (entries < c.colours) entries *= 2;
        for (int i = 0; i < entries; ++i) {
            s.globalColours.push_back(GifColorType{static_cast<GifByteType>(i),
                                                   static_cast<GifByteType>(255 - i),
                                                   static_cast<GifByteType>(i * 7)});
        }
        s.interlaced = c.interlaced;
        uint8_t run = 0;
        for (int i = 0; i < c.width * c.height; ++i) {
            if (c.noisy || random() % 40 == 0) run = static_cast<uint8_t>(random() % c.colours);
            s.indices.push_back(run);
        }
        const std::string path = dir.str() + "/case.gif";
        WriteGif(path, s);
        const Picture ours = LoadPicture(path);
        int err = 0;
        GifFileType* gif = DGifOpenFileName(path.c_str(), &err);
        ASSERT_NE(gif, nullptr);
        ASSERT_EQ(DGifSlurp(gif), GIF_OK);
        const SavedImage& image = gif->SavedImages[0]; // rows in picture order
        ASSERT_EQ(ours.width, image.ImageDesc.Width);
        ASSERT_EQ(ours.height, image.ImageDesc.Height);
        int differ = 0;
        for (int k = 0; k < c.height; ++k) {
            for (int x = 0; x < c.width; ++x) {
                const GifColorType& colour =
                    gif->SColorMap->Colors[image.RasterBits[k * c.width + x]];
                differ +=
                    ours.pixels[k * c.width + x] != gdi::RGB(colour.Red, colour.Green, colour.Blue);
            }
        }
        EXPECT_EQ(differ, 0) << c.width << "x" << c.height << " colours " << c.colours;
        DGifCloseFile(gif, &err);
    }
}

TEST(PictureLoad, CorruptImageDataIsAnInvalidPicture) {
    // A good 40 x 40 picture with its LZW data damaged in several ways.
    TempDir dir;
    Picture p;
    p.width = 40;
    p.height = 40;
    for (int i = 0; i < 1600; ++i) p.pixels.push_back(static_cast<gdi::COLORREF>((i * 31) % 9));
    SavePictureGif(dir.str() + "/good.gif", p);
    const std::string good = Slurp(dir.str() + "/good.gif");
    const size_t image = good.find('\x2c');
    ASSERT_NE(image, std::string::npos);
    const size_t data = image + 10 + 1 + 1; // descriptor, code size, first block's length
    struct Case {
        const char* what;
        std::function<std::string(std::string)> damage;
    };
    const Case cases[] = {
        {"code size 12", [&](std::string s) { return s[image + 10] = 12, s; }},
        {"code size 1", [&](std::string s) { return s[image + 10] = 1, s; }},
        {"end code first",
         [&](std::string s) {
             s[data] = static_cast<char>((1 << s[image + 10]) + 1); // code size + 1 <= 8 bits
             s[data + 1] = 0;
             return s;
         }},
        {"a code beyond the table", [&](std::string s) { return s[data] = '\xff', s; }},
        {"no data blocks", [&](std::string s) { return s.substr(0, data - 1) + '\0' + ';'; }},
        {"no image, only the trailer", [&](std::string s) { return s.substr(0, image) + ';'; }},
        {"not a GIF", [&](std::string s) { return s[0] = 'J', s; }},
    };
    for (const Case& c : cases) {
        dir.Write("bad.gif", c.damage(good));
        try {
            LoadPicture(dir.str() + "/bad.gif");
            ADD_FAILURE() << c.what << ": loaded";
        } catch (const vb::RuntimeError& e) {
            EXPECT_EQ(e.Number(), 481) << c.what;
        }
    }
}
