#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "history/history.h"
#include "support/app_harness.h"
#include "support/child_run.h"
#include "support/file_size_limit.h"
#include "vb/runtime_error.h"

namespace {

int RegularFiles(const std::filesystem::path& folder) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        files += entry.is_regular_file() ? 1 : 0;
    }
    return files;
}

TEST(HistoryParse, ToleratesSpacesAndRoundsCountsHalfToEven) {
    const auto lines = ParseHistoryText(" Dragon.GIF , 2 \r\n"
                                        "half.gif,2.5\r\n"
                                        "up.gif,3.5\n"
                                        "words.gif,many\r"
                                        "lead.gif,7 frogs\r\n"
                                        "last.gif,4");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].Name, "Dragon.GIF");
    EXPECT_EQ(lines[0].Defeats, 2);
    EXPECT_EQ(lines[1].Defeats, 2);
    EXPECT_EQ(lines[2].Defeats, 4);
    EXPECT_EQ(lines[3].Defeats, 0);
    EXPECT_EQ(lines[4].Defeats, 7);
    EXPECT_EQ(lines[5].Name, "last.gif");
    EXPECT_EQ(lines[5].Defeats, 4);
}

TEST(HistoryParse, EachLineByItself) {
    struct Case {
        const char* line;
        bool accepted;
        const char* name;
        int32_t defeats;
    };
    const Case cases[] = {
        {"no comma here", false, "", 0},
        {"b.gif,", false, "", 0},
        {"c.gif,   ", false, "", 0},
        {"  ,5", false, "", 0},
        {"", false, "", 0},
        {"d.gif,1", true, "d.gif", 1},
        // The count follows the last comma: names may hold commas.
        {"Cat, Dog.gif,3", true, "Cat, Dog.gif", 3},
        {"a.gif,1,2", true, "a.gif,1", 2},
        {",,4", true, ",", 4},
        {"e.gif,,", false, "", 0},
        // Counts beyond a Long are held at its limits, never read as 0.
        {"big.gif,2147483647", true, "big.gif", 2147483647},
        {"bigger.gif,2147483648", true, "bigger.gif", 2147483647},
        {"huge.gif,99999999999999999999999", true, "huge.gif", 2147483647},
        {"low.gif,-2147483648", true, "low.gif", -2147483647 - 1},
        {"lower.gif,-5000000000", true, "lower.gif", -2147483647 - 1},
    };
    for (const Case& c : cases) {
        const auto lines = ParseHistoryText(std::string(c.line) + "\r\n");
        ASSERT_EQ(lines.size(), c.accepted ? 1u : 0u) << c.line;
        if (!c.accepted) continue;
        EXPECT_EQ(lines[0].Name, c.name) << c.line;
        EXPECT_EQ(lines[0].Defeats, c.defeats) << c.line;
    }
}

TEST(HistoryParse, KeysIgnoreCaseAndSurroundingSpaces) {
    EXPECT_EQ(HistoryKey("  Dragon.GIF "), "dragon.gif");
    EXPECT_EQ(HistoryKey("a b.gif"), "a b.gif");
}

class History : public ::testing::Test {
  protected:
    TempDir folder;
    platform::HeadlessHost host{folder.str()};
    void SetUp() override { platform::SetHost(&host); }
    void TearDown() override { platform::SetHost(nullptr); }
    void Monster(const std::string& relative) { folder.Write("Monsters/" + relative, "GIF89a"); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& record : MonsterHistory) names.push_back(record.FileName);
        return names;
    }
};

TEST_F(History, FreshHistoryListsEveryFileBreadthFirstInNameOrder) {
    Monster("deeper/level/2 Deep 1.gif");
    Monster("b folder/9 Inner 1.gif");
    Monster("B.gif");
    Monster("a.gif");
    Monster("C.gif");
    folder.Write("History.ini", "");
    LoadHistory();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.gif", "B.gif", "C.gif", "9 Inner 1.gif",
                                                 "2 Deep 1.gif"}));
    EXPECT_EQ(MonstersLeft, 5);
    EXPECT_EQ(NextMonsterFile(), "a.gif");
}

TEST_F(History, MissingFileReadsAsEmpty) {
    Monster("x.gif");
    LoadHistory();
    ASSERT_EQ(MonsterHistory.size(), 1u);
    EXPECT_EQ(MonsterHistory[0].Defeats, 0);
    EXPECT_EQ(MonstersLeft, 1);
    EXPECT_LT(MonsterNameUntil, host.Now()); // no banner
}

TEST_F(History, MergeMatchesNamesLastLineWinsAndDropsUnknownNames) {
    Monster("dragon.gif");
    Monster("sub/crab.gif");
    Monster("newt.gif");
    folder.Write("History.ini", "  Dragon.GIF ,  2 \r\n"
                                "crab.gif,1\r\n"
                                "gone.gif,9\r\n"
                                "CRAB.GIF,3\r\n");
    LoadHistory();
    EXPECT_EQ(Names(), (std::vector<std::string>{"dragon.gif", "newt.gif", "crab.gif"}));
    EXPECT_EQ(MonsterHistory[0].Defeats, 2);
    EXPECT_EQ(MonsterHistory[1].Defeats, 0);
    EXPECT_EQ(MonsterHistory[2].Defeats, 3);
    EXPECT_EQ(MonstersLeft, 1);
    EXPECT_EQ(NextMonsterFile(), "newt.gif");

    SaveHistory();
    EXPECT_EQ(folder.Read("History.ini"), "dragon.gif,2\r\nnewt.gif,0\r\ncrab.gif,3\r\n");
}

TEST_F(History, SameNameInTwoSubfoldersGivesTwoEntries) {
    Monster("one/twin.gif");
    Monster("two/twin.gif");
    folder.Write("History.ini", "twin.gif,4\r\n");
    LoadHistory();
    ASSERT_EQ(MonsterHistory.size(), 2u);
    EXPECT_EQ(MonsterHistory[0].Defeats, 4);
    EXPECT_EQ(MonsterHistory[1].Defeats, 4);
    EXPECT_EQ(MonstersLeft, 0);
    EXPECT_EQ(NextMonsterFile(), "");
    EXPECT_GT(MonsterNameUntil, host.Now() + 4000); // the banner starts either way
}

TEST_F(History, NextMonsterFileStartsTheBanner) {
    Monster("a.gif");
    LoadHistory();
    host.AdvanceMilliseconds(1234);
    const auto before = host.Now();
    NextMonsterFile();
    EXPECT_GE(MonsterNameUntil, before + 5000);
    EXPECT_LE(MonsterNameUntil, before + 5001);
}

TEST_F(History, DefeatsCountEvenForMonstersDefeatedBefore) {
    Monster("a.gif");
    Monster("b.gif");
    folder.Write("History.ini", "a.gif,2\r\n");
    LoadHistory();
    ASSERT_EQ(MonstersLeft, 1);
    EXPECT_TRUE(RecordDefeat("A.GIF")); // the last one left
    EXPECT_EQ(MonsterHistory[0].Defeats, 3);
    EXPECT_EQ(MonstersLeft, 0);
    EXPECT_FALSE(RecordDefeat(" b.gif")); // the argument itself is not trimmed
    EXPECT_EQ(MonsterHistory[1].Defeats, 0);
    EXPECT_FALSE(RecordDefeat("b.gif")); // none was left
    EXPECT_EQ(MonsterHistory[1].Defeats, 1);
    EXPECT_EQ(MonstersLeft, -1);
}

TEST_F(History, CountsAtTheLimitAndNamesWithCommasSurviveARun) {
    Monster("7 Cat,_Dog 1.gif");
    Monster("veteran.gif");
    folder.Write("History.ini", "7 Cat,_Dog 1.gif,2\r\nveteran.gif,99999999999\r\n");
    LoadHistory();
    EXPECT_EQ(MonsterHistory[0].Defeats, 2);
    EXPECT_EQ(MonsterHistory[1].Defeats, 2147483647);
    EXPECT_EQ(MonstersLeft, 0);
    RecordDefeat("veteran.gif"); // no wrap to a negative count
    RecordDefeat("7 cat,_dog 1.gif");
    SaveHistory();
    EXPECT_EQ(folder.Read("History.ini"), "7 Cat,_Dog 1.gif,3\r\nveteran.gif,2147483647\r\n");
}

TEST_F(History, SaveWritesCrLfLinesAndReplacesTheOldFile) {
    Monster("a.gif");
    Monster("b.gif");
    folder.Write("History.ini", "a.gif,1\r\nsomething long that was there before,77\r\n");
    LoadHistory();
    RecordDefeat("b.gif");
    SaveHistory();
    EXPECT_EQ(folder.Read("History.ini"), "a.gif,1\r\nb.gif,1\r\n");
    EXPECT_EQ(RegularFiles(folder.path()), 1); // no temporary file left beside it
}

TEST_F(History, FailedSaveLeavesTheOldFileIntact) {
    Monster("a monster with a rather long file name to pass the limit.gif");
    folder.Write("History.ini", "old,1\r\n");
    LoadHistory();
    bool threw = false;
    {
        // Files may not grow past 8 bytes: the write of the new history fails.
        FileSizeLimit full(8);
        ASSERT_TRUE(full.Set());
        try {
            SaveHistory();
        } catch (const std::exception& error) {
            threw = true;
            EXPECT_NE(std::string(error.what()).find("History.ini"), std::string::npos);
        }
    }
    EXPECT_TRUE(threw);
    EXPECT_EQ(folder.Read("History.ini"), "old,1\r\n");
    EXPECT_EQ(RegularFiles(folder.path()), 1); // no temporary file left beside it
}

TEST_F(History, EmptyMonstersFolderIsAnErrorNamingTheFolder) {
    std::filesystem::create_directories(folder.path() / "Monsters" / "empty");
    try {
        LoadHistory();
        FAIL() << "no error";
    } catch (const StartUpError& error) {
        EXPECT_NE(std::string(error.what()).find(folder.str() + "/Monsters"), std::string::npos);
    }
}

// The body in a child process with the rights of an ordinary user.
int AsOrdinaryUser(const std::function<int()>& body) {
    return RunInChild(body, {.ordinaryUser = true});
}

TEST_F(History, ASaveKeepsThePermissionsAndOverwritesALeftoverTemporaryFile) {
    Monster("a.gif");
    folder.Write("History.ini", "a.gif,1\r\n");
    folder.Write("History.ini.new", "left by a save that was killed");
    chmod((folder.path() / "History.ini").c_str(), 0640);
    LoadHistory();
    SaveHistory();
    EXPECT_EQ(folder.Read("History.ini"), "a.gif,1\r\n");
    EXPECT_EQ(RegularFiles(folder.path()), 1); // the leftover is gone with the save
    struct stat info {};
    ASSERT_EQ(stat((folder.path() / "History.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(History, NamesWithLineBreaksAreNotTakenAsMonsters) {
    Monster("b.gif");
    Monster("a\rb.gif,5\r\nb.gif");
    Monster("c\nd.gif");
    folder.Write("History.ini", "b.gif,2\r\n");
    LoadHistory();
    EXPECT_EQ(Names(), (std::vector<std::string>{"b.gif"}));
    EXPECT_EQ(MonsterHistory[0].Defeats, 2);
    SaveHistory();
    EXPECT_EQ(folder.Read("History.ini"), "b.gif,2\r\n");
}

TEST_F(History, AHistoryOrMonstersFolderThatCannotBeReadStopsTheStartAndSaysWhy) {
    // Each case: what stands in the way, and the words the reason must hold.
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::string path;
        const char* reason;
    };
    namespace fs = std::filesystem;
    const fs::path history = folder.path() / "History.ini";
    const fs::path monsters = folder.path() / "Monsters";
    // The folder must be open to the ordinary user for the cases below.
    chmod(folder.path().c_str(), 0755);
    const Case cases[] = {
        {"a folder named History.ini", [&] { fs::create_directories(history); }, history.string(),
         "is a folder"},
        {"History.ini without read permission",
         [&] {
             folder.Write("History.ini", "a.gif,3\r\n");
             chmod(history.c_str(), 0200);
         },
         history.string(), "Permission denied"},
        {"Monsters without read permission",
         [&] {
             folder.Write("History.ini", "a.gif,3\r\n");
             chmod(history.c_str(), 0644);
             chmod(monsters.c_str(), 0300);
         },
         monsters.string(), "Permission denied"},
    };
    for (const Case& c : cases) {
        Monster("a.gif");
        chmod(monsters.c_str(), 0755);
        c.arrange();
        const int status = AsOrdinaryUser([&] {
            try {
                LoadHistory();
            } catch (const StartUpError& error) {
                const std::string text = error.what();
                return text.find(c.path) != std::string::npos &&
                               text.find(c.reason) != std::string::npos
                           ? 0
                           : 2;
            }
            return 1;
        });
        EXPECT_EQ(status, 0) << c.what << " (1: no error, 2: the message lacks path or reason)";
        chmod(history.c_str(), 0644);
        chmod(monsters.c_str(), 0755);
        fs::remove_all(history);
    }
}

TEST(HistoryRun, AnUnreadableHistoryEndsWithAMessageAndStaysUntouched) {
    AppRun run;
    std::filesystem::create_directories(run.folder.path() / "History.ini");
    run.folder.Write("History.ini/keep", "progress");
    run.QuitAfter(1);
    EXPECT_NE(run.Run(), 0);
    ASSERT_EQ(run.host.Messages.size(), 1u);
    EXPECT_NE(run.host.Messages[0].find(run.folder.str() + "/History.ini"), std::string::npos);
    EXPECT_EQ(run.folder.Read("History.ini/keep"), "progress");
    EXPECT_EQ(run.form, nullptr); // no game was started
}

// --- through the whole program -----------------------------------------------

TEST(HistoryRun, DefeatIsSavedAtTheEndAndTheLastOneIsSaid) {
    AppRun run;
    run.folder.Write("Monsters/2 Second 1.gif", "GIF89a");
    run.folder.Write("History.ini", "");
    std::vector<bool> last;
    run.QuitAfter(3, [&](FakeGameForm&, int frame) {
        if (frame <= 2) last.push_back(RecordDefeat(NextMonsterFile()));
    });
    ASSERT_EQ(run.Run(), 0);
    EXPECT_EQ(run.folder.Read("History.ini"), "1 First 1-2-3.gif,1\r\n2 Second 1.gif,1\r\n");
    EXPECT_EQ(last, (std::vector<bool>{false, true}));
    EXPECT_EQ(MonstersLeft, 0);
}

TEST(HistoryRun, NoMonsterFileExitsWithAMessageAndLeavesHistoryUntouched) {
    AppRun run;
    std::filesystem::remove_all(run.folder.path() / "Monsters");
    run.folder.Write("History.ini", "keep me,3\r\n");
    run.QuitAfter(1);
    EXPECT_NE(run.Run(), 0);
    ASSERT_EQ(run.host.Messages.size(), 1u);
    EXPECT_NE(run.host.Messages[0].find(run.folder.str() + "/Monsters"), std::string::npos);
    EXPECT_EQ(run.folder.Read("History.ini"), "keep me,3\r\n");
    EXPECT_EQ(run.form, nullptr); // no game was started
}

TEST(HistoryRun, FatalErrorShowsItsTextAndStillSavesTheHistory) {
    AppRun run;
    run.QuitAfter(100, [&](FakeGameForm&, int frame) {
        if (frame == 2) RecordDefeat("1 first 1-2-3.gif");
        if (frame == 3) vb::RaiseObjectError(1, "Index '0' is either below 1 or larger than 5");
    });
    EXPECT_NE(run.Run(), 0);
    ASSERT_EQ(run.host.Messages.size(), 1u);
    EXPECT_NE(run.host.Messages[0].find("Index '0' is either below 1 or larger than 5"),
              std::string::npos);
    EXPECT_EQ(run.folder.Read("History.ini"), "1 First 1-2-3.gif,1\r\n");
    EXPECT_EQ(run.formsReleased, 1);
    EXPECT_TRUE(platform::Forms().empty());
}

} // namespace

namespace {

// --- what a history holds ------------------------------------------------------

TEST_F(History, EveryCountThatCanBeReadIsKeptAndEachNameWrittenOnce) {
    struct Case {
        const char* what;
        std::vector<std::string> monsters;
        std::string text;
        std::vector<int32_t> defeats;
        std::string saved;
        size_t warnings;
    };
    const Case cases[] = {
        {"a byte-order mark before the first line",
         {"a.gif", "b.gif"},
         "\xEF\xBB\xBF"
         "a.gif,3\r\nb.gif,1\r\n",
         {3, 1},
         "a.gif,3\r\nb.gif,1\r\n",
         0},
        {"a byte-order mark and nothing else", {"a.gif"}, "\xEF\xBB\xBF", {0}, "a.gif,0\r\n", 0},
        // A name that starts as the mark does keeps it: one more in front.
        {"a first name that starts with the mark",
         {"\xEF\xBB\xBFodd.gif"},
         "\xEF\xBB\xBF\xEF\xBB\xBFodd.gif,2\r\n",
         {2},
         "\xEF\xBB\xBF\xEF\xBB\xBFodd.gif,2\r\n",
         0},
        // Of several lines for one file the last one counts, as it always
        // has; the change is named.
        {"a later line for the same file",
         {"a.gif"},
         "a.gif,3\r\nA.GIF ,0\r\n",
         {0},
         "a.gif,0\r\n",
         1},
        {"the same count twice", {"a.gif"}, "a.gif,3\r\na.gif,3\r\n", {3}, "a.gif,3\r\n", 0},
        // Two files of one name (in two folders, or in other letter case):
        // one line, so that a reload cannot take the other's count.
        {"two files of one name",
         {"one/twin.gif", "two/Twin.gif"},
         "twin.gif,2\r\n",
         {2, 2},
         "twin.gif,2\r\n",
         0},
        {"a count past a Long",
         {"a.gif"},
         "a.gif,99999999999\r\n",
         {2147483647},
         "a.gif,2147483647\r\n",
         1},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(folder.path() / "Monsters");
        for (const std::string& monster : c.monsters) Monster(monster);
        folder.Write("History.ini", c.text);
        testing::internal::CaptureStderr();
        LoadHistory();
        const std::string said = testing::internal::GetCapturedStderr();
        std::vector<int32_t> defeats;
        for (const MonsterRecord& record : MonsterHistory) defeats.push_back(record.Defeats);
        EXPECT_EQ(defeats, c.defeats) << c.what;
        SaveHistory();
        EXPECT_EQ(folder.Read("History.ini"), c.saved) << c.what;
        EXPECT_EQ(static_cast<size_t>(std::count(said.begin(), said.end(), '\n')), c.warnings)
            << c.what << ": " << said;
        if (c.warnings) {
            EXPECT_NE(said.find(folder.str() + "/History.ini:"), std::string::npos) << c.what;
        }
    }
}

TEST_F(History, AFailedLoadLeavesTheHistoryInMemoryAsItWas) {
    Monster("a.gif");
    folder.Write("History.ini", "a.gif,4\r\n");
    LoadHistory();
    std::filesystem::remove_all(folder.path() / "Monsters");
    EXPECT_THROW(LoadHistory(), StartUpError);
    ASSERT_EQ(MonsterHistory.size(), 1u);
    EXPECT_EQ(MonsterHistory[0].Defeats, 4);
}

// --- a history that cannot be saved, through the whole program ------------------

constexpr int kR = 0x52;

TEST(HistoryRun, AHistoryThatCannotBeSavedIsSaidBeforePlayAndNeverReplaced) {
    struct Case {
        const char* what;
        mode_t fileMode, folderMode;
        bool asPlayer; // root passes permission checks, but not a file's mode
        bool answer;
        int status;
        bool played;
    };
    const Case cases[] = {
        {"a read-only history, not played", 0444, 0755, false, false, 1, false},
        {"a read-only history, played anyway", 0444, 0755, false, true, 1, true},
        {"a read-only history as a player", 0444, 0777, true, true, 1, true},
        {"a folder that cannot be written", 0644, 0555, true, false, 1, false},
        {"all can be written", 0666, 0777, true, false, 0, true},
    };
    for (const Case& c : cases) {
        AppRun run;
        run.folder.Write("History.ini", "1 First 1-2-3.gif,0\r\n");
        const std::filesystem::path history = run.folder.path() / "History.ini";
        chmod(history.c_str(), c.fileMode);
        chmod(run.folder.path().c_str(), c.folderMode);
        chmod((run.folder.path() / "Monsters").c_str(), 0755);
        run.host.YesNoAnswer = c.answer;
        run.QuitAfter(3, [&](FakeGameForm&, int frame) {
            if (frame == 2) RecordDefeat("1 First 1-2-3.gif");
        });
        const int status = RunInChild(
            [&] {
                const int result = run.Run();
                const bool asked =
                    run.host.Questions.size() == 1 &&
                    run.host.Questions[0].find(history.string()) != std::string::npos;
                if (result != c.status) return 1;
                if (asked != (c.status != 0)) return 2;
                if ((run.formsReleased == 1) != c.played) return 3;
                return 0;
            },
            {.ordinaryUser = c.asPlayer});
        chmod(run.folder.path().c_str(), 0755);
        EXPECT_EQ(status, 0) << c.what << " (1: status, 2: the question, 3: play)";
        // Only a history that can be saved is: the defeat is in it.
        EXPECT_EQ(run.folder.Read("History.ini"),
                  c.status == 0 ? "1 First 1-2-3.gif,1\r\n" : "1 First 1-2-3.gif,0\r\n")
            << c.what;
    }
}

TEST(HistoryRun, TryingAgainWithAHistoryThatCannotBeSavedKeepsTheDefeats) {
    AppRun run;
    run.folder.Write("Monsters/2 Second 1.gif", "GIF89a");
    run.folder.Write("History.ini", "");
    chmod((run.folder.path() / "History.ini").c_str(), 0444);
    run.host.YesNoAnswer = true;
    int created = 0, loopFrames = 0;
    std::string firstOfSecondGame;
    run.onCreate = [&](FakeGameForm& f) {
        ++created;
        f.OnFrame = [&, &form = f](int frame) {
            if (created == 1 && frame == 2) RecordDefeat(NextMonsterFile());
            if (created == 1 && frame == 3) form.Dead = true;
            if (created == 2 && frame == 1) firstOfSecondGame = NextMonsterFile();
        };
    };
    run.host.OnDoEvents = [&](platform::HeadlessHost& host) {
        if (++loopFrames == 5) {
            host.SetKey(kR, true);
            host.SetKey(kR, false);
        }
        if (loopFrames == 9) host.RequestClose();
    };
    EXPECT_EQ(run.Run(), 1); // the history could not be saved at the end
    EXPECT_EQ(created, 2);
    EXPECT_EQ(firstOfSecondGame, "2 Second 1.gif"); // the defeat still counts
    EXPECT_EQ(run.folder.Read("History.ini"), "");
}

} // namespace
