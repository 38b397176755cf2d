// The font generator: its output is what is committed under data/fonts, byte
// for byte, and the committed font keeps its glyphs inside their cells.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "gdi/picture.h"
#include "support/temp_dir.h"
#include "text/modXML.h"
#include "tool_files.h"

namespace {

namespace fs = std::filesystem;
using tool_files::Bytes;
using tool_files::ProgramFolder;
using tool_files::SourceFolder;

fs::path Committed(const std::string& extension) {
    return SourceFolder() / "data" / "fonts" / ("Stompvale" + extension);
}

TEST(FontGenerator, RerunReproducesTheCommittedFont) {
    const fs::path tool = ProgramFolder() / "stompvale-font-gen";
    ASSERT_TRUE(fs::exists(tool)) << tool;
    TempDir out;
    ASSERT_EQ(std::system((tool.string() + " " + out.str() + " > /dev/null").c_str()), 0);
    for (const std::string& extension : {std::string(".gif"), std::string(".txt")}) {
        const std::string fresh = Bytes(out.path() / ("Stompvale" + extension));
        EXPECT_FALSE(fresh.empty()) << extension;
        // Drawn from Liberation Sans Bold of fonts-liberation through FreeType:
        // another version of either draws other pixels.
        EXPECT_TRUE(fresh == Bytes(Committed(extension)))
            << "Stompvale" << extension << " differs from data/fonts: check that "
            << "fonts-liberation is installed, or regenerate on purpose with "
            << "stompvale-font-gen data/fonts and commit";
    }
}

TEST(FontGenerator, BadUsageAndAMissingFaceFail) {
    const std::string tool = (ProgramFolder() / "stompvale-font-gen").string();
    TempDir out;
    EXPECT_NE(std::system((tool + " 2> /dev/null").c_str()), 0);
    EXPECT_NE(std::system((tool + " --face /no/such.ttf " + out.str() + " 2> /dev/null").c_str()),
              0);
    EXPECT_FALSE(fs::exists(out.path() / "Stompvale.gif"));
}

// Every glyph 33 to 122 has ink, kept off the cell's edges, so no glyph
// bleeds into its neighbour's cell; black stays the transparent background.
TEST(FontGenerator, EveryGlyphSitsInsideItsCell) {
    const gdi::Picture strip = gdi::LoadPicture(Committed(".gif").string());
    ASSERT_EQ(strip.width % 90, 0);
    const int cell = strip.width / 90;
    for (int code = 33; code <= 122; ++code) {
        SCOPED_TRACE(static_cast<char>(code));
        int ink = 0, atTheEdge = 0;
        for (int y = 0; y < strip.height; ++y)
            for (int x = 0; x < cell; ++x) {
                if (strip.pixels[y * strip.width + (code - 33) * cell + x] == 0) continue;
                ++ink;
                atTheEdge += x == 0 || x == cell - 1 || y == 0 || y == strip.height - 1;
            }
        EXPECT_GT(ink, 20);
        EXPECT_EQ(atTheEdge, 0);
    }
}

TEST(FontGenerator, WidthFileHasAWidthForEveryCode) {
    std::vector<int> widths(123, -1);
    int ascii = 0;
    ReadXML(Committed(".txt").string(), "CHARACTERS",
            [&](const std::string& pTag, const std::string& pText, const std::vector<std::string>&,
                std::string&) {
                if (pTag == "ASCII") ascii = std::stoi(pText);
                if (pTag == "WIDTH") widths.at(ascii) = std::stoi(pText);
            });
    for (int code = 32; code <= 122; ++code) EXPECT_GT(widths[code], 0) << code;
    EXPECT_GT(widths['W'], widths['i']);
}

} // namespace
