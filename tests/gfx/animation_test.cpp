// Animation strips: stepping, wrapping, the strip checks and frame copies.
#include <gtest/gtest.h>

#include <functional>

#include "gfx/kivAnimation3.h"
#include "gfx_support.h"
#include "vb/runtime_error.h"

namespace {

// A masked strip of `frames` frames of 10 x 10 across, frame c painted in
// colour c + 1 with a transparent top-left pixel.
void MakeStrip(kivSprite3& strip, int frames, int rows = 1) {
    strip.Initialize(true, frames * 10, rows * 10, -1, "", -1);
    for (int c = 0; c < frames; ++c) {
        strip.DrawRectangle(c * 10, 0, c * 10 + 10, rows * 10, c + 1);
        strip.DrawPixel(c * 10, 0, -2);
    }
    strip.NumberX = frames;
    strip.NumberY = rows;
}

void ExpectError(const std::function<void()>& call, uint32_t number, const std::string& text) {
    try {
        call();
        FAIL() << "no error";
    } catch (const vb::RuntimeError& e) {
        EXPECT_EQ(e.Number(), static_cast<int32_t>(number));
        EXPECT_EQ(e.Description(), text);
    }
}

} // namespace

TEST(Animation, StepsForwardAndBackwardThroughTheRow) {
    kivSprite3 strip;
    MakeStrip(strip, 4);
    kivAnimation3 a;
    a.Initialize(strip);
    EXPECT_EQ(a.SpriteXLimit(), 4);
    EXPECT_EQ(a.SpriteYLimit(), 1);
    EXPECT_EQ(a.Width(), 10);
    EXPECT_EQ(a.Height(), 10);

    a.RotateSet(2500, 0);
    EXPECT_EQ(a.FrameStepX(), 10000);
    EXPECT_EQ(a.FrameStepY(), 0);
    std::vector<int32_t> seen;
    for (int i = 0; i < 4; ++i) {
        a.Rotate();
        seen.push_back(a.SpriteX());
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 2, 3, 0}));

    a.RotateSet(-2500, 0);
    EXPECT_EQ(a.FrameStepX(), -10000);
    a.Rotate();
    EXPECT_EQ(a.SpriteX(), 3);

    // Half a frame per call.
    a.SpriteSet(0, 0);
    a.RotateSet(1250, 0);
    a.Rotate();
    EXPECT_EQ(a.FramePositionX(), 5000);
    EXPECT_EQ(a.SpriteX(), 0);
    a.Rotate();
    EXPECT_EQ(a.SpriteX(), 1);

    // A whole row backwards in one call stays inside the grid.
    a.SpriteSet(0, 0);
    a.RotateSet(-10000, 0);
    a.Rotate();
    EXPECT_EQ(a.FramePositionX(), 0);
}

TEST(Animation, SpriteSetWrapsIntoTheGrid) {
    kivSprite3 strip;
    MakeStrip(strip, 4, 2);
    kivAnimation3 a;
    a.Initialize(strip);
    a.SpriteSet(-1, 0);
    EXPECT_EQ(a.SpriteX(), 3);
    a.SetSpriteX(5);
    EXPECT_EQ(a.SpriteX(), 1);
    EXPECT_EQ(a.FramePositionX(), 10000);
    a.SpriteSet(-4, -3);
    EXPECT_EQ(a.SpriteX(), 0);
    EXPECT_EQ(a.SpriteY(), 1);
    a.SetSpriteY(2);
    EXPECT_EQ(a.SpriteY(), 0);
}

TEST(Animation, StripChecksRaiseTheirErrors) {
    kivSprite3 strip;
    strip.Initialize(true, 100, 30, -1, "", -1);
    kivAnimation3 a;
    ExpectError([&] { a.Initialize(strip); }, 0x80040003u,
                "Sprite passed to kivAnimation did not have NumberX initialized.");
    strip.NumberX = 3;
    ExpectError([&] { a.Initialize(strip); }, 0x80040003u,
                "Sprite passed to kivAnimation did not have NumberY initialized.");
    strip.NumberY = 1;
    ExpectError([&] { a.Initialize(strip); }, 0x80040002u,
                "Can't divide bitmap width '100' evenly into '3' sprites.");
    strip.NumberX = 4;
    strip.NumberY = 4;
    ExpectError([&] { a.Initialize(strip); }, 0x80040002u,
                "Can't divide bitmap height '30' evenly into '4' sprites.");
    EXPECT_EQ(a.Width(), 0); // failed checks leave the frame size

    strip.NumberY = 3;
    a.Initialize(strip);
    EXPECT_EQ(a.Width(), 25);
    EXPECT_EQ(a.Height(), 10);
    a.SetWidth(7); // the strip decides again
    EXPECT_EQ(a.Width(), 25);
    strip.NumberX = 3; // not seen until Initialize
    a.Size(1, 1);
    EXPECT_EQ(a.Width(), 25);
}

TEST(Animation, CopiesTheCurrentFrameTransparently) {
    kivSprite3 strip;
    MakeStrip(strip, 4);
    kivAnimation3 a;
    a.Initialize(strip);
    a.SpriteSet(2, 0);
    Canvas canvas(30, 30, 0xFFFFFF);
    a.BitBlt(canvas.dc(), nullptr, 5, 5);
    EXPECT_EQ(canvas.At(5, 5), 0xFFFFFFu); // the frame's transparent corner
    EXPECT_EQ(canvas.At(6, 5), 3u);
    EXPECT_EQ(canvas.At(14, 14), 3u);
    EXPECT_EQ(canvas.At(15, 14), 0xFFFFFFu);

    Canvas stretched(30, 30, 0xFFFFFF);
    a.StretchBlt(stretched.dc(), nullptr, 0, 0, 20, 20);
    EXPECT_EQ(stretched.At(1, 1), 0xFFFFFFu);
    EXPECT_EQ(stretched.At(2, 0), 3u);
    EXPECT_EQ(stretched.At(19, 19), 3u);
    EXPECT_EQ(stretched.At(20, 19), 0xFFFFFFu);
}

TEST(Animation, FrameOverOpaqueMaskedDestinationIsExact) {
    kivSprite3 strip;
    MakeStrip(strip, 2);
    kivAnimation3 a;
    a.Initialize(strip);
    kivSprite3 dest;
    dest.Initialize(true, 20, 20, 0x00FF00, "", -1);
    a.BitBlt(dest.MainHDC(), dest.MaskHDC(), 0, 0);
    EXPECT_EQ(dest.GetPixel(1, 1), 1); // not OR-ed with the green under it
    EXPECT_EQ(dest.GetPixel(0, 0), 0x00FF00);

    kivSprite3 empty;
    empty.Initialize(true, 20, 20, -1, "", -1);
    a.SpriteSet(1, 0);
    a.StretchBlt(empty.MainHDC(), empty.MaskHDC(), 0, 0, 20, 20);
    EXPECT_EQ(empty.GetPixel(0, 0), -2);
    EXPECT_EQ(empty.GetPixel(1, 1), -2); // stretched corner: 2 x 2
    EXPECT_EQ(empty.GetPixel(2, 2), 2);
    EXPECT_EQ(empty.GetPixel(19, 19), 2);
}

TEST(Animation, InitializeWithANewStripKeepsTheFrameAndTheSteps) {
    kivSprite3 strip;
    MakeStrip(strip, 4);
    kivAnimation3 a;
    a.Initialize(strip);
    a.RotateSet(2500, 0);
    a.Rotate();
    a.Rotate();
    ASSERT_EQ(a.SpriteX(), 2);

    // A strip of the same grid in other colours: frame c painted c + 11.
    kivSprite3 other;
    other.Initialize(true, 40, 10, -1, "", -1);
    for (int c = 0; c < 4; ++c) other.DrawRectangle(c * 10, 0, c * 10 + 10, 10, c + 11);
    other.NumberX = 4;
    other.NumberY = 1;
    a.Initialize(other);
    EXPECT_EQ(a.SpriteX(), 2);
    EXPECT_EQ(a.FrameStepX(), 10000);
    Canvas canvas(10, 10, 0x123456);
    a.BitBlt(canvas.dc(), nullptr, 0, 0);
    EXPECT_EQ(canvas.At(5, 5), 13u); // frame 2 of the new strip
    a.Rotate();
    EXPECT_EQ(a.SpriteX(), 3);
}
