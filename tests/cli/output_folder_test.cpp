// The folder a tool writes into: made when missing, but only inside a folder
// that exists, and never where a file is.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/output_folder.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(OutputFolder, MadeOnlyInsideAFolderThatExists) {
    struct Case {
        std::string folder;  // below the scratch folder
        std::string problem; // how the answer starts; "" for none
        bool exists;         // afterwards
    };
    const std::vector<Case> cases = {
        {"there", "", true},
        {"new", "", true},
        {"there/inner", "", true},
        {"trailing/", "", true},
        {"missing/deeper", "cannot make ", false},
        {"missing/deeper/still", "cannot make ", false},
        {"file", "", false},
        {"file/inside", "cannot make ", false},
    };
    for (const Case& c : cases) {
        TempDir dir;
        fs::create_directory(dir.path() / "there");
        dir.Write("file", "x");
        const fs::path folder = dir.path() / c.folder;
        const std::string problem = cli::PrepareOutputFolder(folder);
        if (c.folder == "file") {
            EXPECT_EQ(problem, folder.string() + " is not a folder");
        } else if (c.problem.empty()) {
            EXPECT_EQ(problem, "") << c.folder;
        } else {
            EXPECT_EQ(problem.rfind(c.problem + folder.string() + ": ", 0), 0u)
                << c.folder << ": " << problem;
        }
        EXPECT_EQ(fs::is_directory(folder), c.exists) << c.folder;
        EXPECT_FALSE(fs::exists(dir.path() / "missing")) << c.folder;
    }
}

TEST(OutputFolder, ARelativeNameIsMadeInTheWorkingFolder) {
    TempDir dir;
    const fs::path before = fs::current_path();
    fs::current_path(dir.path());
    EXPECT_EQ(cli::PrepareOutputFolder("out"), "");
    EXPECT_NE(cli::PrepareOutputFolder("a/b"), "");
    EXPECT_EQ(cli::PrepareOutputFolder(""), "no output folder named");
    fs::current_path(before);
    EXPECT_TRUE(fs::is_directory(dir.path() / "out"));
    EXPECT_FALSE(fs::exists(dir.path() / "a"));
}

} // namespace
