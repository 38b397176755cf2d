// Words in a bitmap font: placing the glyphs, reading the width file, drawing
// and writing a width file, on a small font made for each test.
#include <gtest/gtest.h>

#include <algorithm>

#include "gdi/picture.h"
#include "gfx/modGraphic.h"
#include "platform/forms.h"
#include "support/temp_dir.h"
#include "text/clsWord.h"
#include "text/modXML.h"
#include "text/width_file.h"
#include "vb/runtime_error.h"

namespace {

constexpr int kCell = 24, kHeight = 30, kInkRows = 25;

int32_t GlyphColour(int code) {
    return static_cast<int32_t>(gdi::RGB(code, 255 - code, 100));
}

// Glyph c inks columns 2 to 21 and rows 0 to 24 of its 24 x 30 cell in a
// colour of its own. Widths: 20, "i" 9, "W" 30 (wider than its cell), space 10.
std::string WriteFont(const TempDir& dir, const std::string& widthFile = "") {
    gdi::Picture strip{kCell * 90, kHeight, {}};
    strip.pixels.assign(static_cast<size_t>(strip.width) * kHeight, 0);
    for (int code = 33; code <= 122; ++code)
        for (int y = 0; y < kInkRows; ++y)
            for (int x = 2; x < 22; ++x)
                strip.pixels[y * strip.width + (code - 33) * kCell + x] = GlyphColour(code);
    gdi::SavePictureGif(dir.str() + "/Test.gif", strip, true);
    CharacterWidths widths{};
    widths.fill(20);
    widths[' ' - 32] = 10;
    widths['i' - 32] = 9;
    widths['W' - 32] = 30;
    dir.Write("Test.txt", widthFile.empty() ? WidthFileText(widths) : widthFile);
    return dir.str() + "/Test";
}

// Pen positions: a width-20 glyph's cell starts 2 left of its pen (centred in
// 24), "i" 8 left (7.5 to even), "W" at its pen.
TEST(Word, LayoutPlacesGlyphsAndMeasuresTheText) {
    struct Case {
        std::string text;
        std::vector<std::array<int, 3>> glyphs; // code, X, Y
        int width, height;
    };
    const std::vector<Case> cases = {
        {"AB", {{'A', -2, 0}, {'B', 18, 0}}, 40, 30},
        {"Ab", {{'A', -2, 0}, {'b', 14, 0}}, 36, 30},
        {"A   B", {{'A', -2, 0}, {'B', 33, 0}}, 55, 30},
        {"A b", {{'A', -2, 0}, {'b', 20, 0}}, 42, 30}, // 16 + 6.5 to even
        {"1 B", {{'1', -2, 0}, {'B', 20, 0}}, 42, 30}, // 16 + 5.5 to even
        {"z [", {{'z', -2, 0}, {'[', 21, 0}}, 43, 30}, // 16 + 7
        {"ii", {{'i', -8, 0}, {'i', -1, 0}}, 16, 30},
        {"WA", {{'W', 0, 0}, {'A', 28, 0}}, 50, 30},
        {"A\r\nBCD", {{'A', -2, 0}, {'B', -2, 27}, {'C', 18, 27}, {'D', 38, 27}}, 60, 57},
        {"ABC \rD", {{'A', -2, 0}, {'B', 18, 0}, {'C', 38, 0}, {'D', -2, 27}}, 60, 57},
        {"A\t\n\xc9{~B", {{'A', -2, 0}, {'B', 18, 0}}, 40, 30},
        {"", {}, 0, 0},
        {"\r \r", {}, 0, 84},
    };
    TempDir dir;
    clsWord word;
    word.Initialize(WriteFont(dir), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(word.TextInfo(c.text), (std::array<int32_t, 3>{0, c.width, c.height}));
        std::vector<std::array<int, 3>> placed;
        for (const clsWord::Glyph& g : word.Glyphs()) placed.push_back({g.Code, g.X, g.Y});
        EXPECT_EQ(placed, c.glyphs);
    }
}

TEST(Word, CreateSpriteHoldsTheGlyphsExactlyAsLarge) {
    TempDir dir;
    clsWord word;
    word.Initialize(WriteFont(dir), 0);
    const std::unique_ptr<kivSprite3> sprite = word.CreateSprite("AB");
    ASSERT_EQ(sprite->Width(), 40);
    ASSERT_EQ(sprite->Height(), 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(sprite->GetPixel(x, y), y >= kInkRows ? -2 : GlyphColour(x < 20 ? 'A' : 'B'))
                << x << "," << y;
    // Nothing to draw still makes a surface, transparent.
    const std::unique_ptr<kivSprite3> blank = word.CreateSprite("  ");
    EXPECT_EQ(blank->Width(), 1);
    EXPECT_EQ(blank->Height(), 30);
    EXPECT_EQ(blank->GetPixel(0, 0), -2);
}

// The width of "A" as each width file gives it.
TEST(Word, WidthsCountInsideCharactersAfterAUsableAscii) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"<CHARACTERS><ASCII>65</ASCII><CHR>A</CHR><WIDTH>17</WIDTH></CHARACTERS>", 17},
        {"<characters>\r\n<ascii> 65 </ascii><Width>12</Width>", 12},
        {"<F><CHARACTERS><ASCII>65</ASCII><WIDTH>17</WIDTH></CHARACTERS></F>", 0},
        {"<CHARACTERS><ASCII>65</ASCII><ASCII>66</ASCII><WIDTH>9</WIDTH>", 0},
        {"<CHARACTERS><ASCII>65</ASCII><WIDTH>5</WIDTH><ASCII>300</ASCII><WIDTH>9</WIDTH>"
         "<ASCII>7</ASCII><WIDTH>8</WIDTH><ASCII>x</ASCII><WIDTH>4</WIDTH><WIDTH>40000</WIDTH>",
         5},
    };
    for (const auto& [file, widthOfA] : cases) {
        TempDir dir;
        clsWord word;
        word.Initialize(WriteFont(dir, file), 0);
        EXPECT_EQ(word.TextInfo("A")[1], widthOfA) << file;
    }
}

TEST(Word, SaveWritesTheHostFontsWidthsThatReadBack) {
    TempDir dir;
    dir.Write("Saved.txt", std::string(10000, 'x')); // replaced whole
    const std::string path = dir.str() + "/Saved.txt";
    clsWord word;
    word.Save(path);
    EXPECT_EQ(HostWindow().FontName(), "CircusDog");
    EXPECT_EQ(HostWindow().FontSize(), 56);
    const std::string text = dir.Read("Saved.txt");
    EXPECT_TRUE(text.starts_with("<CHARACTERS>\r\n\t<ASCII>32</ASCII><CHR> </CHR><WIDTH>"));
    EXPECT_TRUE(text.ends_with("</WIDTH>\r\n</CHARACTERS>\r\n"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 93);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 93);

    word.Initialize(WriteFont(dir, text), 0);
    const int w = word.TextInfo("W")[1];
    EXPECT_GT(w, word.TextInfo("i")[1]);
    EXPECT_NE(text.find("\t<ASCII>87</ASCII><CHR>W</CHR><WIDTH>" + std::to_string(w) + "</"),
              std::string::npos);
    // The ">" written as it is costs the reader one message, nothing else.
    EXPECT_EQ(ReadXML(path, "", [](auto&...) {}),
              "Errors encountered processing:\r\n" + path +
                  "\r\n\r\nLine 32: Found a corrupt tag near '>'. No BigBegining '<'.");

    try {
        word.Save(dir.str() + "/no/Font.txt");
        ADD_FAILURE();
    } catch (const vb::RuntimeError& e) {
        EXPECT_EQ(e.Number(), vb::kErrPathFileAccess);
        EXPECT_EQ(e.Description(), "Path/File access error: '" + dir.str() + "/no/Font.txt'");
    }
}

} // namespace
