// The scenery records: what Initialize builds and in which order it draws its
// random numbers, the drift with its wrap, Add and the colour query.
#include <gtest/gtest.h>

#include <cmath>

#include "elements_world.h"
#include "scenery/clsElements.h"
#include "vb/random.h"

namespace {

ElementRecord Cloud(double x, double depth, double sx) {
    ElementRecord e = LiveRecord(nullptr, x, 0, depth);
    e.SX = sx;
    return e;
}

TEST(ElementsMove, DriftIsScaledByDepthAndWrapsAtTheWorldEdges) {
    SceneryWorld world;
    clsElements elements;
    elements.mItem.push_back(Cloud(100, 0.35, 0.3));
    elements.Move();
    EXPECT_NEAR(elements.mItem[0].X, 100.105, 1e-12);

    // Still inside: no wrap.
    elements.mItem[0].X = 2999.8;
    elements.Move();
    EXPECT_NEAR(elements.mItem[0].X, 2999.905, 1e-9);
    // The step that passes 3000 (1000 x PixelWidth) lands it at -3000.
    elements.mItem[0].X = 2999.95;
    elements.Move();
    EXPECT_EQ(elements.mItem[0].X, -3000);
    elements.Move();
    EXPECT_NEAR(elements.mItem[0].X, -2999.895, 1e-9);

    // Drifting left it wraps the other way.
    elements.mItem[0] = Cloud(-2999.95, 0.35, -0.3);
    elements.Move();
    EXPECT_EQ(elements.mItem[0].X, 3000);
}

TEST(ElementsMove, OnlyLivingDriftingElementsMove) {
    SceneryWorld world;
    clsElements elements;
    elements.mItem.push_back(Cloud(10, 0.5, 0)); // no drift
    ElementRecord dead = Cloud(20, 0.5, 1);
    dead.Alive = false;
    elements.mItem.push_back(dead);
    ElementRecord vertical = Cloud(30, 0.5, 0);
    vertical.SY = 2;
    vertical.Y = 2999.5;
    elements.mItem.push_back(vertical);
    elements.Move();
    EXPECT_EQ(elements.mItem[0].X, 10);
    EXPECT_EQ(elements.mItem[1].X, 20);
    EXPECT_EQ(elements.mItem[2].X, 30);
    EXPECT_EQ(elements.mItem[2].Y, -3000); // 3000.5 wraps like X does
}

TEST(ElementsColour, SceneryIsNeverSolid) {
    SceneryWorld world;
    vb::Randomize(7);
    clsElements elements;
    elements.Initialize();
    // Everywhere, also right on a cloud's centre and on the ranges.
    for (const ElementRecord& e : elements.mItem) EXPECT_EQ(elements.GetColour2(e.X, e.Y), -2);
    for (double x = -5000; x <= 5000; x += 37.5)
        for (double y = -400; y <= 60; y += 11.25) ASSERT_EQ(elements.GetColour2(x, y), -2);
}

TEST(ElementsAdd, AppendsAnUndrawnRecord) {
    SceneryWorld world;
    ColourGreen = gdi::RGB(148, 190, 57);
    clsElements elements;
    elements.Add(12.7, -3.2);
    ASSERT_EQ(elements.mItem.size(), 1u);
    const ElementRecord& e = elements.mItem[0];
    EXPECT_TRUE(e.Alive);
    EXPECT_EQ(e.X, 12);
    EXPECT_EQ(e.Y, 6); // Int(-3.2 + 10)
    EXPECT_EQ(e.Depth, 1);
    EXPECT_EQ(e.SX, 0);
    EXPECT_EQ(e.SY, 0);
    EXPECT_TRUE(e.AddedFlag);
    EXPECT_FALSE(e.CloudFlag);
    EXPECT_EQ(e.Type, 1);
    EXPECT_EQ(e.Width, 25);
    EXPECT_EQ(e.Height, 10);
    EXPECT_EQ(e.Colour, ColourGreen);
    EXPECT_EQ(e.Sprite, nullptr);

    // It is never drawn: no sprite, so not even the unsupported-type message.
    elements.Draw(false);
    elements.Draw(true);
    EXPECT_TRUE(world.host.Messages.empty());
    for (gdi::COLORREF c : world.View()) ASSERT_EQ(c, SceneryWorld::kSky);
}

// Replays the random sequence in the order the scenery draws it.
TEST(ElementsInitialize, TwentyFiveRecordsWithTheirRandomDrawsInOrder) {
    SceneryWorld world;
    constexpr uint64_t kSeed = 20261207;
    vb::Randomize(kSeed);
    clsElements elements;
    elements.Initialize();
    ASSERT_EQ(elements.mItem.size(), 25u);

    vb::Randomize(kSeed);
    const double W = ViewWidth;
    const double d = vb::Rnd() * 0.8 - 0.4;
    const std::vector<ElementRecord>& item = elements.mItem;
    kivSprites3* cloud1 = item[0].Sprite;
    kivSprites3* range = item[10].Sprite;
    kivSprites3* bridge = item[11].Sprite;
    ASSERT_NE(cloud1, nullptr);
    ASSERT_NE(range, nullptr);
    ASSERT_NE(bridge, nullptr);
    EXPECT_NE(range, bridge);

    auto expectCloud = [&](size_t index, double depth, double spread, double top, double height) {
        SCOPED_TRACE(index + 1);
        const ElementRecord& e = item[index];
        const double x = (spread * W * vb::Rnd() - spread * W / 2) / PixelWidth / depth;
        const double y = top - height * vb::Rnd();
        EXPECT_DOUBLE_EQ(e.Depth, depth);
        EXPECT_DOUBLE_EQ(e.X, x);
        EXPECT_DOUBLE_EQ(e.Y, y);
        EXPECT_EQ(e.SX, d);
        EXPECT_EQ(e.SY, 0);
        EXPECT_TRUE(e.CloudFlag);
        EXPECT_FALSE(e.RepeatX);
    };
    std::vector<kivSprites3*> cloudPictures;
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(item[i].Sprite, cloud1);
        const double depth = vb::Rnd() / 12 + 0.3;
        expectCloud(i, depth, 3, -150, 300);
    }
    auto expectBand = [&](size_t index, kivSprites3* sprite, double x, double depth, double base) {
        SCOPED_TRACE(index + 1);
        const ElementRecord& e = item[index];
        EXPECT_EQ(e.Sprite, sprite);
        EXPECT_EQ(e.X, x);
        EXPECT_EQ(e.Depth, depth);
        EXPECT_EQ(e.Y, base - std::floor(sprite->Height() / PixelHeight / 2));
        EXPECT_TRUE(e.RepeatX);
        EXPECT_FALSE(e.CloudFlag);
        EXPECT_EQ(e.SX, 0);
    };
    expectBand(10, range, 0, 0.4, 51);
    expectBand(11, bridge, 0, 0.5, 51);
    // Middle and near clouds: the picture's draw first, then depth, X and Y.
    auto expectChosenClouds = [&](size_t first, size_t end, double depthDivisor, double depthBase,
                                  double spread, double top, double height) {
        for (size_t i = first; i < end; ++i) {
            cloudPictures.push_back(item[i].Sprite);
            vb::Rnd(); // the picture choice
            const double depth = vb::Rnd() / depthDivisor + depthBase;
            expectCloud(i, depth, spread, top, height);
        }
    };
    expectChosenClouds(12, 16, 20, 0.52, 3, -25, 50);
    expectBand(16, range, 175, 0.6, 6);
    expectChosenClouds(17, 25, 10, 0.7, 5, -25, 300);
    // The middle and near clouds pick among the three cloud pictures only.
    for (kivSprites3* p : cloudPictures) {
        EXPECT_NE(p, range);
        EXPECT_NE(p, bridge);
    }
    for (const ElementRecord& e : item) {
        EXPECT_TRUE(e.Alive);
        EXPECT_EQ(e.Type, 0);
        EXPECT_FALSE(e.Foreground);
        EXPECT_FALSE(e.FixedX);
        EXPECT_FALSE(e.FixedY);
        EXPECT_FALSE(e.RepeatY);
        EXPECT_FALSE(e.AddedFlag);
    }
}

TEST(ElementsInitialize, CloudPicturesFollowTheDrawnNumbers) {
    SceneryWorld world;
    // Two seeds whose picture choices differ show that the choice is taken from
    // the draw before each middle and near cloud's depth.
    for (uint64_t seed : {1u, 2u, 3u}) {
        vb::Randomize(seed);
        clsElements elements;
        elements.Initialize();
        vb::Randomize(seed);
        for (int n = 0; n < 1 + 10 * 3; ++n) vb::Rnd();
        const ElementRecord& far = elements.mItem[0];
        std::vector<kivSprites3*> byChoice(3, nullptr);
        auto check = [&](size_t index) {
            const int choice = static_cast<int>(std::floor(3 * vb::Rnd()));
            vb::Rnd();
            vb::Rnd();
            vb::Rnd();
            kivSprites3* sprite = elements.mItem[index].Sprite;
            if (byChoice[choice] == nullptr) byChoice[choice] = sprite;
            EXPECT_EQ(byChoice[choice], sprite) << "record " << index + 1;
            if (choice == 0)
                EXPECT_EQ(sprite, far.Sprite) << "record " << index + 1;
            else
                EXPECT_NE(sprite, far.Sprite) << "record " << index + 1;
        };
        for (size_t i = 12; i < 16; ++i) check(i);
        for (size_t i = 17; i < 25; ++i) check(i);
    }
}

TEST(ElementsInitialize, ReplacesEarlierLists) {
    SceneryWorld world;
    vb::Randomize(3);
    clsElements elements;
    elements.Add(0, 0);
    elements.Initialize();
    elements.Initialize();
    EXPECT_EQ(elements.mItem.size(), 25u);
}

} // namespace
