// Stats.ini: each monster's best time, deaths and strikes, read forgivingly
// and written in one step.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "history/stats_file.h"
#include "support/temp_dir.h"

void PrintTo(const MonsterStats& s, std::ostream* out) {
    *out << "{\"" << s.FileName << "\", " << s.BestMilliseconds << ", " << s.Deaths << ", "
         << s.Strikes << "}";
}

namespace {

std::vector<MonsterStats> Parse(const std::string& text, std::vector<std::string>& warnings) {
    return ParseStatsText(text, "Stats.ini", warnings);
}

} // namespace

TEST(StatsFile, LinesAreReadByTheirLastEquals) {
    std::vector<std::string> warnings;
    const auto stats = Parse("\xEF\xBB\xBF; header\r\n"
                             "# another\r\n"
                             "First.gif = 83.42, 3, 120\r\n"
                             "a=b.gif = -, 0, 0\n"
                             "  #hash; semi.gif =\t0.5 ,\t7 , 2147483647\n"
                             "\n"
                             "   \n"
                             "slow.gif = 1000000000, 2147483647, 0\r"
                             "seven.gif = 7, 1, 1\n"
                             "FIRST.GIF = 1.2, 4, 5\n",
                             warnings);
    EXPECT_TRUE(warnings.empty()) << warnings.front();
    EXPECT_EQ(stats, (std::vector<MonsterStats>{
                         {"FIRST.GIF", 1200, 4, 5}, // the last line of a name wins
                         {"a=b.gif", -1, 0, 0},
                         {"#hash; semi.gif", 500, 7, 2147483647},
                         {"slow.gif", int64_t{1000000000} * 1000, 2147483647, 0},
                         {"seven.gif", 7000, 1, 1},
                     }));
}

TEST(StatsFile, ABadLineIsNamedAndLeftOut) {
    struct Case {
        std::string line;
        std::string why; // after "Stats.ini:2: "
    };
    const std::string best = " is not '-' or seconds from 0 to 1000000000";
    const std::string count = " are not a whole number from 0 to 2147483647";
    const Case cases[] = {
        {"nothing here", "expected FILE NAME = BEST, DEATHS, STRIKES"},
        {"  = 1.00, 0, 0", "no file name before '='"},
        {"a.gif = 1.00, 0", "expected BEST, DEATHS, STRIKES after '='"},
        {"a.gif = 1.00, 0, 0, 0", "expected BEST, DEATHS, STRIKES after '='"},
        {"a.gif = fast, 0, 0", "the best time 'fast'" + best},
        {"a.gif = -1, 0, 0", "the best time '-1'" + best},
        {"a.gif = 1000000000.001, 0, 0", "the best time '1000000000.001'" + best},
        {"a.gif = 99999999999999999999, 0, 0", "the best time '99999999999999999999'" + best},
        {"a.gif = 1.2345, 0, 0", "the best time '1.2345'" + best},
        {"a.gif = 1., 0, 0", "the best time '1.'" + best},
        {"a.gif = .5, 0, 0", "the best time '.5'" + best},
        {"a.gif = -, -3, 0", "the deaths '-3'" + count},
        {"a.gif = -, 2147483648, 0", "the deaths '2147483648'" + count},
        {"a.gif = -, 0, +4", "the strikes '+4'" + count},
    };
    for (const Case& c : cases) {
        std::vector<std::string> warnings;
        const auto stats = Parse("b.gif = 2.00, 1, 1\n" + c.line + "\n", warnings);
        EXPECT_EQ(warnings, std::vector<std::string>{"Stats.ini:2: " + c.why + " (line ignored)"})
            << c.line;
        EXPECT_EQ(stats, (std::vector<MonsterStats>{{"b.gif", 2000, 1, 1}})) << c.line;
    }
}

TEST(StatsFile, WhatIsWrittenReadsBack) {
    const std::vector<MonsterStats> stats = {
        {"First.gif", 83429, 3, 120}, // hundredths cut short
        {";semi.gif", 0, 0, 0},       // looks like a comment
        {"#hash.gif", -1, 1, 2},
        {"a=b, c.gif", 60000, 0, 1},
        {"  spaced.gif ", 5, 2, 2},
        {"first.GIF", 1, 1, 1}, // the first entry of a name is the one counted
        {"line\nbreak.gif", 1, 1, 1},
        {"cr\rbreak.gif", 1, 1, 1},
        {"   ", 1, 1, 1},
        {"huge.gif", int64_t{1} << 60, -5, int64_t{1} << 40},
    };
    std::vector<std::string> warnings;
    EXPECT_EQ(Parse(StatsText(stats), warnings),
              (std::vector<MonsterStats>{
                  {"First.gif", 83420, 3, 120},
                  {";semi.gif", 0, 0, 0},
                  {"#hash.gif", -1, 1, 2},
                  {"a=b, c.gif", 60000, 0, 1},
                  {"spaced.gif", 0, 2, 2},
                  {"huge.gif", int64_t{1000000000} * 1000, 0, 2147483647},
              }))
        << StatsText(stats);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(StatsText({{"First.gif", 83429, 3, 120}, {"New.gif", -1, 0, 0}})
                  .substr(StatsText({}).size()),
              "First.gif = 83.42, 3, 120\n"
              "New.gif = -, 0, 0\n");
}

TEST(StatsFile, StatsForFindsAFileByItsHistoryName) {
    std::vector<MonsterStats> stats = {{"One.gif", 1000, 1, 1}, {"Two.gif", -1, 0, 0}};
    StatsFor(stats, " TWO.gif").Deaths += 1;
    StatsFor(stats, "Three.gif").Strikes += 4;
    EXPECT_EQ(stats, (std::vector<MonsterStats>{
                         {"One.gif", 1000, 1, 1}, {"Two.gif", -1, 1, 0}, {"Three.gif", -1, 0, 4}}));
}

TEST(StatsFile, TimesAreShownInHundredthsCutShort) {
    struct Case {
        int64_t milliseconds;
        const char* shown;
    };
    for (const Case& c :
         {Case{0, "0.00"}, Case{9, "0.00"}, Case{12400, "12.40"}, Case{59999, "59.99"},
          Case{60000, "1:00.00"}, Case{83420, "1:23.42"}, Case{605010, "10:05.01"},
          Case{3599999, "59:59.99"}, Case{3600000, "1:00:00.00"}, Case{3723000, "1:02:03.00"},
          Case{360000000, "100:00:00.00"}, Case{-1, "-"},
          Case{INT64_MAX, "2562047788015:12:55.80"}}) {
        EXPECT_EQ(FormatGameTime(c.milliseconds), c.shown) << c.milliseconds;
    }
}

TEST(StatsFile, SavingReplacesTheFileInOneStepOrNotAtAll) {
    TempDir folder;
    const std::string path = (folder.path() / "Stats.ini").string();
    const std::vector<MonsterStats> stats = {{"a.gif", 12340, 2, 9}};
    EXPECT_TRUE(LoadStats(path).empty());

    folder.Write("Stats.ini.new", "left by a save that was killed");
    folder.Write("Stats.ini", "");
    chmod(path.c_str(), 0600);
    SaveStats(stats, path);
    EXPECT_EQ(LoadStats(path), stats);
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));
    struct stat info {};
    stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0600u);

    const std::string before = folder.Read("Stats.ini");
    chmod(path.c_str(), 0444);
    EXPECT_THROW(SaveStats({}, path), std::runtime_error);
    EXPECT_EQ(folder.Read("Stats.ini"), before);
    chmod(path.c_str(), 0600);

    folder.Write("Stats.ini", "a.gif = 1.00, 1\n");
    testing::internal::CaptureStderr();
    EXPECT_TRUE(LoadStats(path).empty());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              path + ":1: expected BEST, DEATHS, STRIKES after '=' (line ignored)\n");
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(LoadStats(path).empty());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              path + ": is a folder; the stats are not read\n");
}
