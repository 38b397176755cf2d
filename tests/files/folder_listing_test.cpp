#include <gtest/gtest.h>

#include <set>

#include "files/clsFiles.h"
#include "support/temp_dir.h"
#include "vb/random.h"
#include "vb/runtime_error.h"

namespace {

std::vector<std::string> Names(const clsFiles& files) {
    std::vector<std::string> names;
    for (int32_t i = 1; i <= files.Count(); ++i) names.push_back(files.Filename(i));
    return names;
}

TEST(FolderListing, BreadthFirstWithEachFolderInNameOrder) {
    TempDir dir;
    dir.Write("z.gif", "");
    dir.Write("Beta/b2.gif", "");
    dir.Write("alpha/deep/d.gif", "");
    dir.Write("alpha/a1.gif", "");
    dir.Write("Alpha.gif", "");
    dir.Write("beta.txt", "");
    clsFiles files;
    files.Initialize(dir.str());
    EXPECT_EQ(Names(files), (std::vector<std::string>{"Alpha.gif", "beta.txt", "z.gif", "a1.gif",
                                                      "b2.gif", "d.gif"}));
    EXPECT_EQ(files.FileNamePath(4), dir.str() + "/alpha/a1.gif");
    EXPECT_EQ(files.FileNamePath(6), dir.str() + "/alpha/deep/d.gif");
}

TEST(FolderListing, LetterCaseIgnoredWithByteOrderBreakingTies) {
    TempDir dir;
    dir.Write("b.gif", "");
    dir.Write("a.gif", "");
    dir.Write("A.gif", "");
    dir.Write("_x.gif", ""); // '_' sorts before the lower-cased letters
    dir.Write("B.gif", "");
    clsFiles files;
    files.Initialize(dir.str());
    EXPECT_EQ(Names(files),
              (std::vector<std::string>{"_x.gif", "A.gif", "a.gif", "B.gif", "b.gif"}));
}

TEST(FolderListing, TrailingSeparatorGivesTheSameListAndPathIsKeptAsGiven) {
    TempDir dir;
    dir.Write("one.gif", "");
    dir.Write("sub/two.gif", "");
    clsFiles plain, slashed;
    plain.Initialize(dir.str());
    slashed.Initialize(dir.str() + "/");
    EXPECT_EQ(plain.Path(), dir.str());
    EXPECT_EQ(slashed.Path(), dir.str() + "/");
    ASSERT_EQ(plain.Count(), 2);
    ASSERT_EQ(slashed.Count(), 2);
    for (int32_t i = 1; i <= 2; ++i) {
        EXPECT_EQ(plain.FileNamePath(i), slashed.FileNamePath(i));
    }
}

TEST(FolderListing, SameNameInDifferentSubfolders) {
    TempDir dir;
    dir.Write("x/same.gif", "");
    dir.Write("y/same.gif", "");
    clsFiles files;
    files.Initialize(dir.str());
    ASSERT_EQ(files.Count(), 2);
    EXPECT_EQ(files.Filename(1), "same.gif");
    EXPECT_EQ(files.Filename(2), "same.gif");
    EXPECT_NE(files.FileNamePath(1), files.FileNamePath(2));
}

TEST(FolderListing, HiddenEntriesAndEmptyOrMissingFolders) {
    TempDir dir;
    dir.Write(".hidden.gif", "");
    dir.Write(".git/inside.gif", "");
    std::filesystem::create_directories(dir.path() / "empty");
    clsFiles files;
    files.Initialize(dir.str());
    EXPECT_EQ(files.Count(), 0);
    files.Initialize(dir.str() + "/no such folder");
    EXPECT_EQ(files.Count(), 0);
}

TEST(FolderListing, IndexOutsideTheListRaisesObjectErrorOne) {
    TempDir dir;
    for (const char* name : {"1.gif", "2.gif", "3.gif", "4.gif", "5.gif"}) dir.Write(name, "");
    clsFiles files;
    files.Initialize(dir.str());
    ASSERT_EQ(files.Count(), 5);
    try {
        files.FileNamePath(0);
        FAIL() << "no error";
    } catch (const vb::RuntimeError& error) {
        EXPECT_EQ(static_cast<uint32_t>(error.Number()), 0x80040001u);
        EXPECT_EQ(error.Description(), "Index '0' is either below 1 or larger than 5");
    }
    try {
        files.Filename(6);
        FAIL() << "no error";
    } catch (const vb::RuntimeError& error) {
        EXPECT_EQ(error.Description(), "Index '6' is either below 1 or larger than 5");
    }
    EXPECT_THROW(files.Filename(-1), vb::RuntimeError);
    EXPECT_NO_THROW(files.Filename(5));
}

TEST(FolderListing, RandomPickCoversTheList) {
    TempDir dir;
    for (const char* name : {"a.gif", "b.gif", "c/c.gif"}) dir.Write(name, "");
    clsFiles files;
    files.Initialize(dir.str());
    vb::Randomize(7);
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) {
        const std::string pick = files.FileNamePathRandom();
        bool listed = false;
        for (int32_t k = 1; k <= files.Count(); ++k) listed |= files.FileNamePath(k) == pick;
        ASSERT_TRUE(listed) << pick;
        seen.insert(pick);
    }
    EXPECT_EQ(seen.size(), 3u);
}

} // namespace

TEST(FolderListing, LinkedFoldersAreEnteredOnceAndLinkedFilesListed) {
    // Two links to the folder itself used to list the files without end.
    TempDir dir;
    dir.Write("1 Ant.gif", "");
    dir.Write("deep/2 Bee.gif", "");
    dir.Write("elsewhere/3 Cat.gif", "");
    namespace fs = std::filesystem;
    fs::create_directory_symlink(".", dir.path() / "a");
    fs::create_directory_symlink("..", dir.path() / "deep" / "up");
    fs::create_directory_symlink(dir.path(), dir.path() / "b");
    fs::create_directory_symlink(dir.path() / "elsewhere", dir.path() / "deep" / "other");
    fs::create_symlink(dir.path() / "1 Ant.gif", dir.path() / "deep" / "4 Linked.gif");
    fs::create_symlink(dir.path() / "missing.gif", dir.path() / "5 Dangling.gif");
    clsFiles files;
    files.Initialize(dir.str());
    // "elsewhere" comes before "other" by name: the folder is listed there.
    EXPECT_EQ(Names(files),
              (std::vector<std::string>{"1 Ant.gif", "2 Bee.gif", "4 Linked.gif", "3 Cat.gif"}));
    EXPECT_EQ(files.FileNamePath(4), dir.str() + "/elsewhere/3 Cat.gif");
}
