// Words in a bitmap font: placing the glyphs, reading the width file, drawing
// and writing a width file, on a small font made for each test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

gdi::COLORREF GlyphColour(int code) {
    return gdi::RGB(code, 255 - code, 100);
}

// Letters, digits and signs 20 wide, "i" 9, "W" 30 (wider than its cell),
// the space 10.
CharacterWidths TestWidths() {
    CharacterWidths widths{};
    widths.fill(20);
    widths[' ' - 32] = 10;
    widths['i' - 32] = 9;
    widths['W' - 32] = 30;
    return widths;
}

// A strip whose glyph c inks columns 2 to 21 and rows 0 to 24 of its cell in
// a colour of its own; the rest is black.
std::string WriteFont(const TempDir& dir, const std::string& widthFile) {
    gdi::Picture strip;
    strip.width = kCell * 90;
    strip.height = kHeight;
    strip.pixels.assign(static_cast<size_t>(strip.width) * kHeight, 0);
    for (int code = 33; code <= 122; ++code)
        for (int y = 0; y < kInkRows; ++y)
            for (int x = 2; x < 22; ++x)
                strip.pixels[y * strip.width + (code - 33) * kCell + x] = GlyphColour(code);
    const std::string font = (dir.path() / "Test").string();
    gdi::SavePictureGif(font + ".gif", strip, true);
    dir.Write("Test.txt", widthFile);
    return font;
}

struct Placed {
    char code;
    int x, y;
    bool operator==(const Placed&) const = default;
};

std::vector<Placed> Placement(clsWord& word) {
    std::vector<Placed> placed;
    for (const clsWord::Glyph& g : word.Glyphs())
        placed.push_back({static_cast<char>(g.Code), g.X, g.Y});
    return placed;
}

class Word : public ::testing::Test {
  protected:
    void SetUp() override { word.Initialize(WriteFont(dir, WidthFileText(TestWidths())), 0); }
    TempDir dir;
    clsWord word;
};

TEST_F(Word, FontMeasuresFromTheStrip) {
    EXPECT_EQ(word.CellWidth(), kCell);
    EXPECT_EQ(word.LineHeight(), kHeight);
}

// Pen positions: width 20 letters sit 2 left of their pen (centred in 24),
// "i" 8 left (7.5 rounded to even), "W" at its pen (wider than the cell).
TEST_F(Word, LayoutPlacesGlyphsAndMeasuresTheText) {
    struct Case {
        std::string text;
        std::vector<Placed> glyphs;
        int width, height;
    };
    const std::vector<Case> cases = {
        {"AB", {{'A', -2, 0}, {'B', 18, 0}}, 40, 30},
        {"Ab", {{'A', -2, 0}, {'b', 14, 0}}, 36, 30},
        {"A B", {{'A', -2, 0}, {'B', 33, 0}}, 55, 30},
        {"A   B", {{'A', -2, 0}, {'B', 33, 0}}, 55, 30},
        {"A b", {{'A', -2, 0}, {'b', 20, 0}}, 42, 30}, // 16 + 6.5 to even
        {"1 B", {{'1', -2, 0}, {'B', 20, 0}}, 42, 30}, // 16 + 5.5 to even
        {"z [", {{'z', -2, 0}, {'[', 21, 0}}, 43, 30}, // 16 + 7
        {"AB b", {{'A', -2, 0}, {'B', 18, 0}, {'b', 40, 0}}, 62, 30},
        {"ii", {{'i', -8, 0}, {'i', -1, 0}}, 16, 30},
        {"WA", {{'W', 0, 0}, {'A', 28, 0}}, 50, 30},
        {"A\r\nBCD", {{'A', -2, 0}, {'B', -2, 27}, {'C', 18, 27}, {'D', 38, 27}}, 60, 57},
        {"ABC\rD", {{'A', -2, 0}, {'B', 18, 0}, {'C', 38, 0}, {'D', -2, 27}}, 60, 57},
        {"A \rB", {{'A', -2, 0}, {'B', -2, 27}}, 20, 57},
        {" A ", {{'A', -2, 0}}, 20, 30},
        {"A\tB", {{'A', -2, 0}, {'B', 18, 0}}, 40, 30},
        {"A\nB", {{'A', -2, 0}, {'B', 18, 0}}, 40, 30},
        {"A\xc9{~B", {{'A', -2, 0}, {'B', 18, 0}}, 40, 30},
        {"", {}, 0, 0},
        {"   ", {}, 0, 30},
        {"\r \r", {}, 0, 84},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::array<int32_t, 3> info = word.TextInfo(c.text);
        EXPECT_EQ(Placement(word), c.glyphs);
        EXPECT_EQ(info, (std::array<int32_t, 3>{0, c.width, c.height}));
    }
}

TEST_F(Word, CreateSpriteHoldsTheGlyphsExactlyAsLarge) {
    const std::unique_ptr<kivSprite3> sprite = word.CreateSprite("AB");
    ASSERT_EQ(sprite->Width(), 40);
    ASSERT_EQ(sprite->Height(), 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const int32_t expected = y >= kInkRows ? -2 : GlyphColour(x < 20 ? 'A' : 'B');
            ASSERT_EQ(sprite->GetPixel(x, y), expected) << x << "," << y;
        }
    // Nothing to draw still makes a surface, transparent.
    for (const std::string& text : {std::string(), std::string("  ")}) {
        const std::unique_ptr<kivSprite3> empty = word.CreateSprite(text);
        EXPECT_EQ(empty->Width(), 1);
        EXPECT_EQ(empty->Height(), text.empty() ? 1 : 30);
        EXPECT_EQ(empty->GetPixel(0, 0), -2);
    }
}

TEST_F(Word, BitBltDrawsTransparentlyAtTheCorner) {
    kivSprite3 page;
    page.Initialize(false, 60, 40, gdi::RGB(10, 20, 30), "", -1);
    word.BitBlt(page.MainHDC(), nullptr, "Hi", 5, 7);
    EXPECT_EQ(page.GetPixel(5, 7), static_cast<int32_t>(GlyphColour('H')));
    EXPECT_EQ(page.GetPixel(14, 31), static_cast<int32_t>(GlyphColour('H')));
    EXPECT_EQ(page.GetPixel(25, 7), static_cast<int32_t>(GlyphColour('i')));
    EXPECT_EQ(page.GetPixel(5, 32), static_cast<int32_t>(gdi::RGB(10, 20, 30)));
    EXPECT_EQ(page.GetPixel(4, 7), static_cast<int32_t>(gdi::RGB(10, 20, 30)));
}

// The width of "A" as each width file gives it.
TEST(WordWidthFile, OnlyWidthsInsideCharactersAfterAUsableAscii) {
    struct Case {
        const char* name;
        std::string file;
        int widthOfA;
    };
    const std::vector<Case> cases = {
        {"plain", "<CHARACTERS><ASCII>65</ASCII><WIDTH>17</WIDTH></CHARACTERS>", 17},
        {"any case, spaces, no end", "<characters>\r\n<ascii> 65 </ascii><Width>12</Width>", 12},
        {"CHR and others ignored",
         "<CHARACTERS><ASCII>65</ASCII><CHR>A</CHR><X>3</X><WIDTH>8</WIDTH></CHARACTERS>", 8},
        {"not the outermost element",
         "<FONT><CHARACTERS><ASCII>65</ASCII><WIDTH>17</WIDTH></CHARACTERS></FONT>", 0},
        {"the last ASCII counts",
         "<CHARACTERS><ASCII>65</ASCII><ASCII>66</ASCII><WIDTH>9</WIDTH></CHARACTERS>", 0},
        {"codes without a slot are skipped",
         "<CHARACTERS><ASCII>65</ASCII><WIDTH>5</WIDTH><ASCII>300</ASCII><WIDTH>9</WIDTH>"
         "<ASCII>7</ASCII><WIDTH>8</WIDTH><ASCII>x</ASCII><WIDTH>4</WIDTH></CHARACTERS>",
         5},
        {"widths beyond 16 bits are skipped",
         "<CHARACTERS><ASCII>65</ASCII><WIDTH>7</WIDTH><WIDTH>40000</WIDTH></CHARACTERS>", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        clsWord word;
        word.Initialize(WriteFont(dir, c.file), 0);
        EXPECT_EQ(word.TextInfo("A")[1], c.widthOfA);
    }
}

TEST(WordWidthFile, MissingFontFilesRaiseFileNotFound) {
    TempDir dir;
    const std::string font = WriteFont(dir, "");
    std::filesystem::remove(font + ".txt");
    for (const std::string& missing : {font + ".txt", dir.str() + "/None.gif"}) {
        clsWord word;
        try {
            word.Initialize(missing.substr(0, missing.size() - 4), 0);
            ADD_FAILURE() << missing;
        } catch (const vb::RuntimeError& e) {
            EXPECT_EQ(e.Number(), vb::kErrFileNotFound);
            EXPECT_NE(e.Description().find(missing), std::string::npos) << e.Description();
        }
    }
}

TEST(WordSave, WritesTheHostFontsWidthsThatReadBack) {
    TempDir dir;
    const std::string path = (dir.path() / "Test.txt").string();
    dir.Write("Test.txt", std::string(10000, 'x')); // replaced, not overwritten in part
    clsWord saver;
    saver.Save(path);
    EXPECT_EQ(HostWindow().FontName(), "CircusDog");
    EXPECT_EQ(HostWindow().FontSize(), 56);

    const std::string text = dir.Read("Test.txt");
    ASSERT_TRUE(text.starts_with("<CHARACTERS>\r\n\t<ASCII>32</ASCII><CHR> </CHR><WIDTH>"));
    ASSERT_TRUE(text.ends_with("</WIDTH>\r\n</CHARACTERS>\r\n"));
    size_t lines = 0;
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
        ++lines;
        EXPECT_EQ(text[at - 1], '\r');
    }
    EXPECT_EQ(lines, 93u);
    EXPECT_NE(text.find("\r\n\t<ASCII>60</ASCII><CHR><</CHR><WIDTH>"), std::string::npos);

    // Read back as a font, the widths are the host's: "W" wider than "i".
    const std::string font = WriteFont(dir, text);
    clsWord word;
    word.Initialize(font, 0);
    const int w = word.TextInfo("W")[1], i = word.TextInfo("i")[1];
    EXPECT_GT(i, 0);
    EXPECT_GT(w, i);
    EXPECT_NE(text.find("<ASCII>87</ASCII><CHR>W</CHR><WIDTH>" + std::to_string(w) + "</WIDTH>"),
              std::string::npos);
    // The ">" written as it is costs the reader one message, nothing else.
    const std::string report = ReadXML(path, "", [](auto&&...) {});
    EXPECT_TRUE(report.ends_with("\r\nLine 32: Found a corrupt tag near '>'. No BigBegining '<'."))
        << report;
    EXPECT_EQ(report.find("Line "), report.rfind("Line "));
}

TEST(WordSave, AnUnwritablePathRaisesPathFileAccess) {
    TempDir dir;
    clsWord word;
    const std::string path = dir.str() + "/no/such/folder/Font.txt";
    try {
        word.Save(path);
        ADD_FAILURE();
    } catch (const vb::RuntimeError& e) {
        EXPECT_EQ(e.Number(), vb::kErrPathFileAccess);
        EXPECT_EQ(e.Description(), "Path/File access error: '" + path + "'");
    }
}

} // namespace
