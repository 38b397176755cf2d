// Every tool's command line behaves alike: --help and --version on stdout with
// exit 0, each mistake one line on stderr naming it with exit 2, and nothing
// written into the folder it runs in.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "cli/parser.h"
#include "support/temp_dir.h"
#include "tool_files.h"

namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int status = -1;
    std::string out, err;
};

// The program beside the tests, run in `folder` with its streams kept apart
// (in a folder of their own, so that `folder` sees nothing of them).
ToolRun RunIn(const fs::path& folder, const std::string& program,
              const std::vector<std::string>& arguments) {
    const TempDir streams;
    std::string command = "cd '" + folder.string() + "' && exec '" +
                          (tool_files::ProgramFolder() / program).string() + "'";
    for (const std::string& a : arguments) command += " '" + a + "'";
    command += " >'" + streams.str() + "/out' 2>'" + streams.str() + "/err' </dev/null";
    const int raw = std::system(command.c_str());
    ToolRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = streams.Read("out");
    run.err = streams.Read("err");
    return run;
}

bool IsEmpty(const fs::path& folder) {
    return fs::is_empty(folder);
}

// One line on stderr, nothing on stdout, that starts with the program's name
// and names `what`.
void ExpectOneLineNaming(const ToolRun& run, const std::string& program, const std::string& what,
                         const std::string& context) {
    EXPECT_EQ(run.out, "") << context;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << context << ": " << run.err;
    EXPECT_TRUE(run.err.ends_with("\n")) << context << ": " << run.err;
    EXPECT_EQ(run.err.rfind(program + ": ", 0), 0u) << context << ": " << run.err;
    EXPECT_NE(run.err.find(what), std::string::npos) << context << ": " << run.err;
}

struct Tool {
    std::string program;
    // A number that does not parse, and the option or argument it is for;
    // empty for a tool that takes no number.
    std::vector<std::string> badNumber;
    std::string numberFor;
    // Writes into a folder it is given.
    bool writesFolder = false;
};

const std::vector<Tool> kTools = {
    {"Stompvale_v1.6_1024x768", {}, "", false},
    {"Stompvale_v1.6_FullScreen", {}, "", false},
    {"stompvale-art", {}, "", true},
    {"stompvale-monster-gen", {}, "", true},
    {"stompvale-monster-check", {}, "", false},
    {"stompvale-font-gen", {}, "", true},
    {"stompvale-sound-gen", {}, "", true},
    {"stompvale-sound", {"--volume", "abc", "x.wav"}, "--volume", false},
    {"stompvale-words", {}, "", false},
    {"stompvale-soak", {"--frames", "abc"}, "--frames", false},
    {"frame_bench", {"--frames=12x"}, "--frames", false},
    {"raster_bench", {}, "", false},
    {"present_bench", {}, "", false},
    {"mixer_bench", {"99999999999999999999"}, "BLOCKS", false},
};

TEST(CommandLine, EveryToolAnswersHelpVersionAndMistakesAlike) {
    for (const Tool& tool : kTools) {
        SCOPED_TRACE(tool.program);
        const TempDir folder;
        const ToolRun help = RunIn(folder.path(), tool.program, {"--help"});
        EXPECT_EQ(help.status, 0);
        const std::string usage = "usage: " + tool.program;
        EXPECT_TRUE(help.out.rfind(usage + " ", 0) == 0 || help.out.rfind(usage + "\n", 0) == 0)
            << help.out;
        EXPECT_NE(help.out.find("  -h, --help "), std::string::npos) << help.out;
        EXPECT_NE(help.out.find("  --version "), std::string::npos) << help.out;
        if (!tool.numberFor.empty()) {
            EXPECT_NE(help.out.find(tool.numberFor), std::string::npos) << help.out;
        }
        EXPECT_EQ(help.err, "");
        EXPECT_TRUE(IsEmpty(folder.path())) << "--help wrote into its folder";

        const ToolRun version = RunIn(folder.path(), tool.program, {"--version"});
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out, tool.program + " " + cli::ProjectVersion() + "\n");
        EXPECT_EQ(version.err, "");
        EXPECT_TRUE(IsEmpty(folder.path())) << "--version wrote into its folder";

        const ToolRun bogus = RunIn(folder.path(), tool.program, {"--bogus"});
        EXPECT_EQ(bogus.status, 2);
        ExpectOneLineNaming(bogus, tool.program, "unknown option --bogus", "--bogus");
        EXPECT_TRUE(IsEmpty(folder.path())) << "--bogus wrote into its folder";

        if (!tool.badNumber.empty()) {
            const ToolRun bad = RunIn(folder.path(), tool.program, tool.badNumber);
            EXPECT_EQ(bad.status, 2);
            ExpectOneLineNaming(bad, tool.program, tool.numberFor + ": '", "bad number");
            EXPECT_TRUE(IsEmpty(folder.path())) << "a bad number wrote into its folder";
        }
    }
}

TEST(CommandLine, AnOutputFolderIsMadeOnlyInsideAFolderThatExists) {
    for (const Tool& tool : kTools) {
        if (!tool.writesFolder) continue;
        SCOPED_TRACE(tool.program);
        const TempDir folder;
        const ToolRun run = RunIn(folder.path(), tool.program, {"missing/deeper"});
        EXPECT_EQ(run.status, 1);
        ExpectOneLineNaming(run, tool.program, "cannot make missing/deeper", "missing/deeper");
        EXPECT_TRUE(IsEmpty(folder.path())) << "a folder was made that was not asked for";
    }
}

// A tool added to the build without a row here would go unchecked.
TEST(CommandLine, TheTableHoldsEveryBuiltTool) {
    std::set<std::string> listed, built;
    for (const Tool& tool : kTools) listed.insert(tool.program);
    for (const fs::directory_entry& entry : fs::directory_iterator(tool_files::ProgramFolder())) {
        const std::string name = entry.path().filename().string();
        const bool executable =
            entry.is_regular_file() &&
            (entry.status().permissions() & fs::perms::owner_exec) != fs::perms::none;
        if (executable) built.insert(name);
    }
    EXPECT_EQ(built, listed);
}

} // namespace
