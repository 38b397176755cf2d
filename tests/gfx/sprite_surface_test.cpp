// Creation, rebuild, transparency rules and plain properties of a surface.
#include <gtest/gtest.h>

#include "gfx/kivSprite3.h"
#include "gfx_support.h"
#include "vb/runtime_error.h"

namespace {

constexpr int32_t kObjectError = static_cast<int32_t>(0x80040000u);
const char* const kVideoText =
    "I'm sorry, your Video card does not have enough RAM to create the Monster. My inefficient "
    "code is the problem, NOT your videocard. If you lowered your desktop screen resolution (800 "
    "x 600 or less), and lowered your color quality (16-bit or less), the game might work.";

int CountEqual(const std::vector<int32_t>& pixels, int32_t value) {
    int n = 0;
    for (int32_t p : pixels) n += p == value;
    return n;
}

// Resets the bitmap memory limit however a test ends.
struct MemoryLimit {
    explicit MemoryLimit(uint64_t extra) {
        gdi::SetBitmapMemoryLimit(gdi::BitmapMemoryInUse() + extra);
    }
    ~MemoryLimit() { gdi::SetBitmapMemoryLimit(0); }
};

} // namespace

TEST(SpriteSurface, BlankMaskedSurfaceIsTransparentOnlyForNegativeOrBlackBackground) {
    for (int32_t back : {-1, 0}) {
        kivSprite3 s;
        s.Initialize(true, 20, 10, back, "", -1);
        EXPECT_NE(s.MaskHDC(), nullptr);
        EXPECT_EQ(CountEqual(SurfacePixels(s, 20, 10), -2), 200) << back;
        Canvas canvas(30, 20, 0x123456);
        const auto before = canvas.Pixels();
        s.BitBlt(canvas.dc(), nullptr, 3, 4);
        EXPECT_EQ(canvas.Pixels(), before) << back;
    }
    for (int32_t back : {0x00FF00, 0x010000, 0xFFFFFF}) {
        kivSprite3 s;
        s.Initialize(true, 20, 10, back, "", -1);
        EXPECT_EQ(CountEqual(SurfacePixels(s, 20, 10), back), 200) << back;
        Canvas canvas(30, 20, 0x123456);
        s.BitBlt(canvas.dc(), nullptr, 3, 4);
        EXPECT_EQ(canvas.At(3, 4), gdi::COLORREF(back));
        EXPECT_EQ(canvas.At(22, 13), gdi::COLORREF(back));
        EXPECT_EQ(canvas.At(23, 13), 0x123456u);
        EXPECT_EQ(canvas.At(2, 4), 0x123456u);
    }
}

TEST(SpriteSurface, ImageKeysExactlyBlackWhateverTheTransparentColour) {
    TempDir dir;
    const std::string path = WriteGif(
        dir, "keys.gif", 4, 2,
        {0, gdi::RGB(0, 0, 1), 0xFFFFFF, gdi::RGB(1, 0, 0), gdi::RGB(0, 1, 0), 0, 0x404040, 0});
    kivSprite3 s;
    s.Initialize(true, 50, 60, -1, path, gdi::RGB(0, 0, 1));
    EXPECT_EQ(s.Width(), 4);
    EXPECT_EQ(s.Height(), 2);
    EXPECT_EQ(s.Path(), path);
    EXPECT_EQ(s.TransparentColor(), int32_t(gdi::RGB(0, 0, 1)));
    const std::vector<int32_t> expected = {-2,
                                           int32_t(gdi::RGB(0, 0, 1)),
                                           0xFFFFFF,
                                           int32_t(gdi::RGB(1, 0, 0)),
                                           int32_t(gdi::RGB(0, 1, 0)),
                                           -2,
                                           0x404040,
                                           -2};
    EXPECT_EQ(SurfacePixels(s, 4, 2), expected);
    // An unmasked image surface reads black as a colour.
    kivSprite3 plain;
    plain.Initialize(false, -1, -1, -1, path, 0);
    EXPECT_EQ(plain.MaskHDC(), nullptr);
    EXPECT_EQ(plain.GetPixel(0, 0), 0);
    EXPECT_EQ(plain.GetPixel(4, 0), -1);
}

TEST(SpriteSurface, ImageSurfaceRebuildsFromItsFile) {
    TempDir dir;
    const std::string path =
        WriteGif(dir, "img.gif", 3, 3, std::vector<gdi::COLORREF>(9, 0x00FF00));
    kivSprite3 s;
    s.Initialize(true, -1, -1, -1, path, 0);
    s.DrawPixel(1, 1, 0x0000FF);
    ASSERT_EQ(s.GetPixel(1, 1), 0x0000FF);
    s.SetBackColor(5);
    EXPECT_EQ(s.GetPixel(1, 1), 0x00FF00);
    s.DrawPixel(1, 1, -2);
    s.SetWidth(40);
    EXPECT_EQ(s.Width(), 3);
    EXPECT_EQ(s.GetPixel(1, 1), 0x00FF00);
    s.Cls();
    EXPECT_EQ(s.Height(), 3);
}

TEST(SpriteSurface, TerminateIsRepeatableAndLeavesTheMainContext) {
    kivSprite3 s;
    EXPECT_NE(s.MainHDC(), nullptr);
    EXPECT_EQ(s.MaskHDC(), nullptr);
    s.Terminate();
    s.Initialize(true, 8, 8, 0x0000FF, "", -1);
    gdi::HDC main = s.MainHDC();
    s.Terminate();
    s.Terminate();
    EXPECT_EQ(s.MaskHDC(), nullptr);
    EXPECT_EQ(s.MainHDC(), main);
    Canvas canvas(10, 10, 0x111111);
    const auto before = canvas.Pixels();
    s.BitBlt(canvas.dc(), nullptr, 0, 0);
    EXPECT_EQ(canvas.Pixels(), before);
    s.Initialize(true, 8, 8, 0x0000FF, "", -1);
    EXPECT_EQ(s.GetPixel(7, 7), 0x0000FF);
}

TEST(SpriteSurface, SpriteModeOnBuildsMaskAndCannotBeReversed) {
    // Background 0 or more: refilled before the mask is made.
    kivSprite3 filled;
    filled.Initialize(false, 4, 4, 0x0000FF, "", -1);
    EXPECT_EQ(filled.MaskHDC(), nullptr);
    filled.DrawPixel(1, 1, 0);
    EXPECT_EQ(filled.GetPixel(1, 1), 0);
    filled.SetSprite(true);
    EXPECT_NE(filled.MaskHDC(), nullptr);
    EXPECT_EQ(CountEqual(SurfacePixels(filled, 4, 4), 0x0000FF), 16);

    // Negative background: the content stays and its black becomes transparent.
    kivSprite3 kept;
    kept.Initialize(false, 4, 4, -1, "", -1);
    kept.DrawPixel(0, 0, 0);
    kept.DrawPixel(1, 0, 0x0000FF);
    kept.DrawPixel(2, 0, 0x00FF00);
    kept.SetSprite(true);
    EXPECT_EQ(kept.GetPixel(0, 0), -2);
    EXPECT_EQ(kept.GetPixel(1, 0), 0x0000FF);
    EXPECT_EQ(kept.GetPixel(2, 0), 0x00FF00);

    try {
        kept.SetSprite(false);
        FAIL() << "no error";
    } catch (const vb::RuntimeError& e) {
        EXPECT_EQ(e.Number(), kObjectError + 1);
        EXPECT_EQ(e.Number(), static_cast<int32_t>(0x80040001u));
        EXPECT_EQ(e.Description(), "Can't reverse the sprite process!");
    }
    EXPECT_NE(kept.MaskHDC(), nullptr);
    // A rebuild from scratch drops the mask.
    kept.Size(4, 4);
    EXPECT_EQ(kept.MaskHDC(), nullptr);
}

TEST(SpriteSurface, BlankRefreshKeepsTheBitmapAndRederivesTheMask) {
    kivSprite3 s;
    s.Initialize(true, 5, 5, -1, "", -1);
    s.DrawRectangle(0, 0, 2, 2, 0x00FF00);
    s.DrawPixel(4, 4, 0); // opaque black until the next rebuild
    EXPECT_EQ(s.GetPixel(4, 4), 0);
    s.Cls();
    EXPECT_EQ(s.GetPixel(1, 1), 0x00FF00);
    EXPECT_EQ(s.GetPixel(4, 4), -2);
    s.SetBackColor(0x0000FF);
    EXPECT_EQ(CountEqual(SurfacePixels(s, 5, 5), 0x0000FF), 25);
}

TEST(SpriteSurface, LongFreeFieldsRoundHalfToEven) {
    kivSprite3 s;
    s.SetXB(2.5);
    EXPECT_EQ(s.XB(), 2.0);
    s.SetXB(3.5);
    EXPECT_EQ(s.XB(), 4.0);
    s.SetYS(-2.5);
    EXPECT_EQ(s.YS(), -2.0);
    s.Setz(7.49);
    EXPECT_EQ(s.z(), 7.0);
    s.SetZS(0.5000001);
    EXPECT_EQ(s.ZS(), 1.0);
    EXPECT_THROW(s.SetZB(3e10), vb::RuntimeError);
}

TEST(SpriteSurface, FrameSizeDividesTruncatingAndZeroFails) {
    kivSprite3 s;
    s.Initialize(true, 100, 7, -1, "", -1);
    try {
        (void)s.WidthOne();
        FAIL() << "no error";
    } catch (const vb::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 11);
    }
    s.NumberX = 3;
    s.NumberY = 2;
    EXPECT_EQ(s.WidthOne(), 33);
    EXPECT_EQ(s.HeightOne(), 3);
}

TEST(SpriteSurface, VideoMemoryErrorWhenTheBlankBitmapCannotBeMade) {
    kivSprite3 s;
    {
        MemoryLimit limit(100 * 100 * 5);         // image and one-byte mask
        s.Initialize(true, 100, 100, -1, "", -1); // just fits
        try {
            kivSprite3 big;
            big.Initialize(true, 200, 200, 0, "", -1);
            FAIL() << "no error";
        } catch (const vb::RuntimeError& e) {
            EXPECT_EQ(e.Number(), static_cast<int32_t>(0x80040002u));
            EXPECT_EQ(e.Description(), kVideoText);
        }
    }
    kivSprite3 after;
    after.Initialize(true, 200, 200, 0x0000FF, "", -1);
    EXPECT_EQ(after.GetPixel(199, 199), 0x0000FF);
}

TEST(SpriteSurface, MissingImageFilePassesTheLoaderError) {
    TempDir dir;
    kivSprite3 s;
    try {
        s.Initialize(true, -1, -1, -1, (dir.path() / "none.gif").string(), 0);
        FAIL() << "no error";
    } catch (const vb::RuntimeError& e) {
        EXPECT_EQ(e.Number(), vb::kErrFileNotFound);
    }
    EXPECT_EQ(s.MaskHDC(), nullptr);
}

TEST(SpriteSurface, ImageSurfaceWithoutMemoryRaisesTheSameError) {
    TempDir dir;
    const std::string path =
        WriteGif(dir, "wide.gif", 64, 64, std::vector<gdi::COLORREF>(64 * 64, 0x00FF00));
    kivSprite3 s;
    {
        MemoryLimit limit(64 * 64 * 2);
        try {
            s.Initialize(true, -1, -1, -1, path, 0);
            FAIL() << "no error";
        } catch (const vb::RuntimeError& e) {
            EXPECT_EQ(e.Number(), static_cast<int32_t>(0x80040002u));
            EXPECT_EQ(e.Description(), kVideoText);
        }
    }
    EXPECT_EQ(s.MaskHDC(), nullptr);
    Canvas canvas(8, 8, 0x123456);
    s.BitBlt(canvas.dc(), nullptr, 0, 0);
    EXPECT_EQ(canvas.At(0, 0), 0x123456u);
    s.Initialize(true, -1, -1, -1, path, 0);
    EXPECT_EQ(s.GetPixel(63, 63), 0x00FF00);
}
