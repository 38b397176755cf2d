// Files read with a cap and replaced in one step: what each kind of file
// gives, and files that may not be written stay as they are, for root too.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "files/atomic_write.h"
#include "files/bounded_read.h"
#include "support/child_run.h"
#include "support/temp_dir.h"

namespace {

using files::ReadOutcome;

TEST(BoundedRead, EachKindOfFileWithinAndPastTheCap) {
    TempDir folder;
    chmod(folder.path().c_str(), 0755);
    folder.Write("small", "abc");
    folder.Write("full", std::string(100, 'x'));
    folder.Write("over", std::string(101, 'x'));
    folder.Write("secret", "no");
    chmod((folder.path() / "secret").c_str(), 0600);
    std::filesystem::create_directories(folder.path() / "sub");
    struct Case {
        std::string path;
        ReadOutcome::Kind kind;
        size_t size;
        const char* problem;
    };
    const Case cases[] = {
        {folder.str() + "/small", ReadOutcome::Read, 3, ""},
        {folder.str() + "/full", ReadOutcome::Read, 100, ""},
        {folder.str() + "/over", ReadOutcome::TooLarge, 0, "is larger than 100 bytes"},
        {folder.str() + "/none", ReadOutcome::Missing, 0, "does not exist"},
        {folder.str() + "/sub", ReadOutcome::Folder, 0, "is a folder"},
        // Endless: the cap holds for what is read, not what the file claims.
        {"/dev/zero", ReadOutcome::TooLarge, 0, "is larger than 100 bytes"},
        {"/dev/null", ReadOutcome::Read, 0, ""},
        {folder.str() + "/secret", ReadOutcome::Failed, 0, "Permission denied"},
    };
    for (const Case& c : cases) {
        // As a player: root would read the secret file.
        const int status = RunInChild(
            [&] {
                std::string bytes = "left from before";
                const ReadOutcome outcome = files::ReadBoundedFile(c.path, 100, bytes);
                return outcome.kind == c.kind && bytes.size() == c.size &&
                               files::ReadProblem(outcome, 100) == c.problem
                           ? 0
                           : 1;
            },
            {.ordinaryUser = true, .memoryBytes = size_t{1} << 30});
        EXPECT_EQ(status, 0) << c.path;
    }
    EXPECT_EQ(files::SizeInWords(size_t{8} << 20), "8 MB");
    EXPECT_EQ(files::SizeInWords(4096), "4 kB");
    EXPECT_EQ(files::SizeInWords(1), "1 byte");
}

std::string Mode(const std::filesystem::path& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    char text[8];
    std::snprintf(text, sizeof(text), "%04o", info.st_mode & 07777);
    return text;
}

TEST(AtomicWrite, AFileThatMayNotBeWrittenIsNeverReplaced) {
    TempDir folder;
    chmod(folder.path().c_str(), 0755);
    const std::filesystem::path file = folder.path() / "History.ini";
    struct Case {
        const char* what;
        mode_t fileMode; // 0: no file
        mode_t folderMode;
        bool asPlayer;
        const char* problem; // what ReplaceProblem says; "" when it can be written
    };
    const Case cases[] = {
        {"a new file", 0, 0755, false, ""},
        {"a writable file", 0644, 0755, false, ""},
        {"a read-only file, as root too", 0444, 0755, false, "it is read-only"},
        {"a read-only file as a player", 0444, 0777, true, "it is read-only"},
        {"another's file as a player", 0644, 0777, true, "it is read-only"},
        {"a folder that cannot be written", 0, 0555, true, "cannot be written: Permission denied"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(file);
        if (c.fileMode != 0) {
            folder.Write("History.ini", "old,1\r\n");
            chmod(file.c_str(), c.fileMode);
        }
        chmod(folder.path().c_str(), c.folderMode);
        const int status = RunInChild(
            [&] {
                const std::string problem = files::ReplaceProblem(file.string());
                if (problem.find(c.problem) == std::string::npos || problem.empty() != !*c.problem)
                    return 1;
                try {
                    files::WriteFileAtomically(file.string(), "new,2\r\n");
                } catch (const std::exception& error) {
                    return *c.problem && std::string(error.what()).find(file.string()) !=
                                             std::string::npos
                               ? 0
                               : 2;
                }
                return *c.problem ? 3 : 0;
            },
            {.ordinaryUser = c.asPlayer});
        chmod(folder.path().c_str(), 0755);
        EXPECT_EQ(status, 0) << c.what << " (1: the problem, 2: the error, 3: it was written)";
        const bool written = !*c.problem;
        if (c.fileMode != 0 || written) {
            EXPECT_EQ(folder.Read("History.ini"), written ? "new,2\r\n" : "old,1\r\n") << c.what;
        }
        if (c.fileMode != 0) {
            EXPECT_EQ(Mode(file), c.fileMode == 0644 ? "0644" : "0444") << c.what;
        }
        EXPECT_FALSE(std::filesystem::exists(folder.path() / "History.ini.new")) << c.what;
    }
}

} // namespace
