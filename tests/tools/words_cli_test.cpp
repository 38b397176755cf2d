// stompvale-words as a user runs it: the measured size on stdout, the picture
// in the GIF, and one clear line and a non-zero status for every mistake.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

#include "gdi/picture.h"
#include "support/temp_dir.h"
#include "tool_files.h"

namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int status = -1;
    std::string out;
};

ToolRun Words(const std::string& arguments) {
    const fs::path tool = tool_files::ProgramFolder() / "stompvale-words";
    ToolRun run;
    FILE* pipe = popen(("'" + tool.string() + "' " + arguments + " 2>&1").c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

std::string Font() {
    return "'" + (tool_files::SourceFolder() / "data" / "fonts" / "Stompvale").string() + "'";
}

TEST(WordsProgram, WritesThePictureItMeasured) {
    TempDir dir;
    const std::string out = dir.str() + "/hi.gif";
    const ToolRun run = Words(Font() + " 'Hello, Words' '" + out + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    int zero = -1, width = 0, height = 0;
    ASSERT_EQ(std::sscanf(run.out.c_str(), "TextInfo: %d, %d, %d", &zero, &width, &height), 3)
        << run.out;
    EXPECT_EQ(zero, 0);
    const gdi::Picture picture = gdi::LoadPicture(out);
    EXPECT_EQ(picture.width, width);
    EXPECT_EQ(picture.height, height);
    size_t opaque = 0;
    for (gdi::COLORREF c : picture.pixels) opaque += c != 0;
    EXPECT_GT(opaque, picture.pixels.size() / 10);
    EXPECT_LT(opaque, picture.pixels.size() * 9 / 10);

    // A typed line break makes two lines; the font is found beside the program.
    const ToolRun two = Words("Stompvale \"$(printf 'Hello,\\nWords')\" '" + out + "'");
    ASSERT_EQ(two.status, 0) << two.out;
    EXPECT_GT(gdi::LoadPicture(out).height, height * 3 / 2);
}

TEST(WordsProgram, MistakesGiveAClearLineAndFail) {
    TempDir dir;
    const std::string out = "'" + dir.str() + "/x.gif'";
    struct Case {
        std::string arguments;
        int status;
        std::string says;
    };
    const std::vector<Case> cases = {
        {"", 2, "expected 3 arguments, got 0"},
        {Font() + " 'Hi'", 2, "expected 3 arguments, got 2"},
        {"--font " + Font() + " 'Hi' " + out, 2, "unknown option --font"},
        {"'" + dir.str() + "/Nothing' 'Hi' " + out, 1,
         "cannot load the font " + dir.str() + "/Nothing: File not found"},
        {Font() + " 'Hi' '" + dir.str() + "/no/folder/x.gif'", 1,
         "cannot write " + dir.str() + "/no/folder/x.gif"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const ToolRun run = Words(c.arguments);
        EXPECT_EQ(run.status, c.status) << run.out;
        EXPECT_NE(run.out.find("stompvale-words: " + c.says), std::string::npos) << run.out;
    }
    EXPECT_FALSE(fs::exists(dir.path() / "x.gif"));

    const ToolRun help = Words("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: stompvale-words FONT \"TEXT\" OUT.gif"), std::string::npos);
}

} // namespace
