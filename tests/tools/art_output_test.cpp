// The art generator: its output is what is committed under data/images, byte
// for byte, and the pictures keep to the sizes and looks the game relies on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "gdi/picture.h"
#include "gfx/modGraphic.h"
#include "support/temp_dir.h"
#include "tool_files.h"

namespace {

namespace fs = std::filesystem;
using tool_files::Bytes;
using tool_files::ProgramFolder;
using tool_files::SourceFolder;

const std::vector<std::string> kScreens = {"Title_1Title.gif",   "Title_2Instructions.gif",
                                           "Title_3Credits.gif", "Text_Readme.gif",
                                           "Text_Death.gif",     "Text_Success.gif"};
const std::vector<std::string> kScenery = {"Background_Cloud1.gif", "Background_Cloud2.gif",
                                           "Background_Cloud3.gif", "Background_Mountain_Range.gif",
                                           "Background_Bridge.gif"};

gdi::Picture Committed(const std::string& name) {
    return gdi::LoadPicture((SourceFolder() / "data" / "images" / name).string());
}

bool Opaque(const gdi::Picture& p, int x, int y) {
    return p.pixels[y * p.width + x] != 0;
}

TEST(ArtGenerator, RerunReproducesTheCommittedPictures) {
    const fs::path tool = ProgramFolder() / "stompvale-art";
    ASSERT_TRUE(fs::exists(tool)) << tool;
    TempDir out;
    const std::string command = tool.string() + " " + out.str() + " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::set<std::string> written;
    for (const auto& entry : fs::directory_iterator(out.path()))
        written.insert(entry.path().filename().string());
    std::set<std::string> expected(kScreens.begin(), kScreens.end());
    expected.insert(kScenery.begin(), kScenery.end());
    EXPECT_EQ(written, expected);
    for (const std::string& name : expected) {
        const std::string fresh = Bytes(out.path() / name);
        const std::string committed = Bytes(SourceFolder() / "data" / "images" / name);
        EXPECT_FALSE(fresh.empty()) << name;
        // The lettering comes from the installed Liberation Sans through
        // FreeType: another font or version draws other pixels.
        EXPECT_TRUE(fresh == committed)
            << name << " differs from data/images: check that fonts-liberation is installed, "
            << "or regenerate on purpose with stompvale-art data/images and commit";
    }
}

TEST(ArtGenerator, ScreenImagesFitTheirSlotAndKeepBlackTransparent) {
    for (const std::string& name : kScreens) {
        SCOPED_TRACE(name);
        const gdi::Picture p = Committed(name);
        EXPECT_LE(p.width, 600);
        EXPECT_LE(p.height, 175);
        size_t opaque = 0;
        for (gdi::COLORREF c : p.pixels) opaque += c != 0;
        // Lettering, not a filled box: most of the slot lets the game through.
        EXPECT_GT(opaque, p.pixels.size() / 50);
        EXPECT_LT(opaque, p.pixels.size() / 2);
    }
}

// Light lettering inside a dark outline: every text pixel that borders the
// transparent part is dark, so the words read over sky and monster alike.
TEST(ArtGenerator, ScreenLetteringIsOutlined) {
    for (const std::string& name : kScreens) {
        SCOPED_TRACE(name);
        const gdi::Picture p = Committed(name);
        int light = 0, lightAtTheEdge = 0;
        for (int y = 1; y + 1 < p.height; ++y)
            for (int x = 1; x + 1 < p.width; ++x) {
                double r, g, b, h, s, v;
                SplitRgb(static_cast<int32_t>(p.pixels[y * p.width + x]), r, g, b);
                RgbToHsv(r, g, b, h, s, v);
                if (v < 0.8) continue;
                ++light;
                if (!Opaque(p, x - 1, y) || !Opaque(p, x + 1, y) || !Opaque(p, x, y - 1) ||
                    !Opaque(p, x, y + 1))
                    ++lightAtTheEdge;
            }
        EXPECT_GT(light, 500);
        EXPECT_EQ(lightAtTheEdge, 0);
    }
}

TEST(ArtGenerator, SceneryIsSoftAndSized) {
    for (const std::string& name : kScenery) {
        SCOPED_TRACE(name);
        const gdi::Picture p = Committed(name);
        size_t opaque = 0;
        for (gdi::COLORREF c : p.pixels) {
            if (c == 0) continue;
            ++opaque;
            ASSERT_NE(c, 0xFFFFFFu); // white is the monsters' hit points
            double r, g, b, h, s, v;
            SplitRgb(static_cast<int32_t>(c), r, g, b);
            RgbToHsv(r, g, b, h, s, v);
            ASSERT_LT(s, 0.45) << std::hex << c; // muted, nothing like the man's red
        }
        EXPECT_GT(opaque, p.pixels.size() / 5);
    }
    for (int n = 1; n <= 3; ++n) {
        const gdi::Picture cloud = Committed("Background_Cloud" + std::to_string(n) + ".gif");
        EXPECT_GE(cloud.width, 40);
        EXPECT_LE(cloud.width, 90);
        EXPECT_GE(cloud.height, 10);
        EXPECT_LE(cloud.height, 20);
    }
    const gdi::Picture range = Committed("Background_Mountain_Range.gif");
    EXPECT_GE(range.width, 400);
    EXPECT_LE(range.width, 700);
    EXPECT_GE(range.height, 60);
    EXPECT_LE(range.height, 100);
    const gdi::Picture bridge = Committed("Background_Bridge.gif");
    EXPECT_GE(bridge.width, 200);
    EXPECT_LE(bridge.width, 400);
    // A viaduct: tall enough for its deck to clear the near range's foothills,
    // which stand in front of it, where the massifs part.
    EXPECT_GE(bridge.height, 50);
    EXPECT_LE(bridge.height, 80);
}

// Copies side by side: the right edge runs on into the left edge.
TEST(ArtGenerator, RepeatedPicturesJoinWithoutASeam) {
    const gdi::Picture range = Committed("Background_Mountain_Range.gif");
    auto top = [&](int x) {
        int y = 0;
        while (y < range.height && !Opaque(range, x, y)) ++y;
        return y;
    };
    int biggestStep = 0;
    for (int x = 0; x + 1 < range.width; ++x)
        biggestStep = std::max(biggestStep, std::abs(top(x + 1) - top(x)));
    EXPECT_LE(std::abs(top(0) - top(range.width - 1)), std::max(2, biggestStep));
    for (int y = 0; y < range.height; ++y) ASSERT_EQ(Opaque(range, 0, y), y >= top(0));

    // The bridge repeats itself within the picture, the picture being a whole
    // number of such periods: the seam is then like any point inside.
    const gdi::Picture bridge = Committed("Background_Bridge.gif");
    auto columnsMatch = [&](int a, int b) {
        for (int y = 0; y < bridge.height; ++y)
            if (bridge.pixels[y * bridge.width + a] != bridge.pixels[y * bridge.width + b])
                return false;
        return true;
    };
    int period = 0;
    for (int p = 1; p < bridge.width && period == 0; ++p) {
        if (bridge.width % p != 0) continue;
        bool all = true;
        for (int x = 0; x < bridge.width && all; ++x) all = columnsMatch(x, (x + p) % bridge.width);
        if (all) period = p;
    }
    EXPECT_GT(period, 0) << "the bridge does not repeat within its width";
}

} // namespace
