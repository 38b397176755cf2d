// stompvale-words as a user runs it: the measured size on stdout, the picture
// in the GIF, and one clear line and a non-zero status for every mistake.
#include <gtest/gtest.h>

#include "gdi/picture.h"
#include "support/temp_dir.h"
#include "tool_files.h"
#include <cstdio>

namespace {

using tool_files::ToolRun;

ToolRun Words(const std::string& arguments) {
    return tool_files::RunTool("stompvale-words", arguments);
}

const std::string kFont =
    "'" + (tool_files::SourceFolder() / "data/fonts/Stompvale").string() + "'";

TEST(WordsProgram, WritesThePictureItMeasured) {
    TempDir dir;
    const std::string out = dir.str() + "/hi.gif";
    const ToolRun run = Words(kFont + " 'Hello, Words' '" + out + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    int zero = -1, width = 0, height = 0;
    ASSERT_EQ(std::sscanf(run.out.c_str(), "TextInfo: %d, %d, %d", &zero, &width, &height), 3);
    EXPECT_EQ(zero, 0);
    const gdi::Picture picture = gdi::LoadPicture(out);
    EXPECT_EQ(picture.width, width);
    EXPECT_EQ(picture.height, height);
    const auto opaque = std::count_if(picture.pixels.begin(), picture.pixels.end(),
                                      [](gdi::COLORREF c) { return c != 0; });
    EXPECT_GT(opaque, width * height / 10);
    EXPECT_LT(opaque, width * height * 9 / 10);

    // A typed line break makes two lines; the font is found beside the program.
    ASSERT_EQ(Words("Stompvale \"$(printf 'Hello,\\nWords')\" '" + out + "'").status, 0);
    EXPECT_GT(gdi::LoadPicture(out).height, height * 3 / 2);
}

TEST(WordsProgram, MistakesGiveAClearLineAndFail) {
    TempDir dir;
    const std::string out = " '" + dir.str() + "/x.gif'";
    const std::vector<std::tuple<std::string, int, std::string>> cases = {
        {"", 2, "missing FONT"},
        {kFont + " 'Hi'", 2, "missing OUT.gif"},
        {kFont + " 'Hi'" + out + " more", 2, "unexpected argument 'more'"},
        {"--font " + kFont + " 'Hi'" + out, 2, "unknown option --font"},
        {"'" + dir.str() + "/None' 'Hi'" + out, 1,
         "cannot load the font " + dir.str() + "/None: File not found"},
        {kFont + " 'Hi' '" + dir.str() + "/no/x.gif'", 1,
         "cannot write " + dir.str() + "/no/x.gif"},
    };
    for (const auto& [arguments, status, says] : cases) {
        const ToolRun run = Words(arguments);
        EXPECT_EQ(run.status, status) << arguments;
        EXPECT_NE(run.out.find("stompvale-words: " + says), std::string::npos) << run.out;
    }
    const ToolRun help = Words("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: stompvale-words FONT TEXT OUT.gif"), std::string::npos);
}

} // namespace
