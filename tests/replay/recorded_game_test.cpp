// Recorded games on their own: what a recording host writes a replaying host
// gives back value for value, files survive encoding, damage is refused, and
// monster files are compared by name and contents.
#include <gtest/gtest.h>

#include "platform/headless_host.h"
#include "replay/recorded_game.h"
#include "support/child_run.h"
#include "support/temp_dir.h"

TEST(RecordedGame, AReplayHandsBackWhatWasReadInOrder) {
    platform::HeadlessHost live(".");
    live.Desktop[0] = 800;
    live.Desktop[1] = 600;
    RecordedGame record;
    std::vector<uint32_t> clocks;
    std::vector<platform::DateTime> nows;
    std::vector<std::vector<uint8_t>> tables;
    std::vector<bool> closes;
    uint64_t seed = 0;
    {
        RecordingHost recording(live, record);
        seed = recording.NewSeed();
        EXPECT_TRUE(recording.OpenAudio(44100));
        for (int frame = 0; frame < 50; ++frame) {
            live.AdvanceMilliseconds(frame % 7 == 0 ? 35.5 : 20);
            live.SetKey(37, frame >= 10 && frame < 30);
            live.SetKey(90, frame % 9 == 0);
            live.Cursor = {frame * 3, 500 - frame};
            if (frame == 49) live.RequestClose();
            clocks.push_back(recording.TimeGetTime());
            clocks.push_back(recording.TimeGetTime());
            nows.push_back(recording.Now());
            uint8_t table[256];
            recording.GetKeyboardState(table);
            tables.emplace_back(table, table + 256);
            recording.GetCursorPos();
            closes.push_back(recording.DoEvents());
        }
    }
    record.program = "Stompvale_v1.6_1024x768";
    record.version = "1.6";
    record.historyAtStart = "a.gif,3\r\n";
    record.monsters = {{"a.gif", 0x1234}, {"deep/b.gif", 0xFEDCBA9876543210ull}};
    record.checksum = 0xC0FFEE;

    RecordedGame back;
    std::string error;
    ASSERT_TRUE(DecodeRecordedGame(EncodeRecordedGame(record), back, error)) << error;
    EXPECT_EQ(back.program, record.program);
    EXPECT_EQ(back.monsters, record.monsters);
    EXPECT_EQ(back.historyAtStart, record.historyAtStart);
    EXPECT_EQ(back.checksum, record.checksum);
    EXPECT_EQ(back.desktopWidth, 800);

    platform::HeadlessHost other(".");
    ReplayingHost replay(other, back, false);
    EXPECT_EQ(replay.NewSeed(), seed);
    EXPECT_TRUE(replay.OpenAudio(44100));
    EXPECT_EQ(replay.DesktopHeight(), 600);
    for (size_t frame = 0; frame < 50; ++frame) {
        EXPECT_EQ(replay.TimeGetTime(), clocks[2 * frame]) << frame;
        EXPECT_EQ(replay.TimeGetTime(), clocks[2 * frame + 1]) << frame;
        EXPECT_EQ(replay.Now(), nows[frame]) << frame;
        uint8_t table[256];
        replay.GetKeyboardState(table);
        EXPECT_EQ(std::vector<uint8_t>(table, table + 256), tables[frame]) << frame;
        EXPECT_EQ(replay.GetCursorPos().x, static_cast<int32_t>(frame) * 3);
        EXPECT_EQ(replay.DoEvents(), closes[frame]) << frame;
    }
    EXPECT_FALSE(replay.RanOut());
    // Past the end: the game is asked to close, and the clock still moves on.
    const uint32_t last = replay.TimeGetTime();
    EXPECT_GT(replay.TimeGetTime(), last);
    EXPECT_TRUE(replay.DoEvents());
    EXPECT_TRUE(replay.RanOut());
}

TEST(RecordedGame, DamagedFilesAreRefused) {
    RecordedGame record;
    record.program = "p";
    record.clock = std::string(5000, '\1');
    const std::string good = EncodeRecordedGame(record);
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"another file", "GIF89a......"},
        {"cut short", good.substr(0, good.size() / 2)},
        {"a size beyond reason", good.substr(0, 26) + std::string(8, '\xff') + good.substr(34)},
        {"flipped bytes", good.substr(0, 40) + "xxxx" + good.substr(44)},
    };
    for (const Case& c : cases) {
        RecordedGame back;
        std::string error;
        EXPECT_FALSE(DecodeRecordedGame(c.bytes, back, error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
}

TEST(RecordedGame, MonsterFilesAreComparedByNameAndContents) {
    TempDir dir;
    dir.Write("Monsters/1 A 1.gif", "aaa");
    dir.Write("Monsters/sub/2 B 1.gif", "bbb");
    const std::vector<MonsterFileHash> before = HashMonsterFiles(dir.str());
    ASSERT_EQ(before.size(), 2u);
    EXPECT_EQ(before[1].path, "sub/2 B 1.gif");
    EXPECT_EQ(CompareMonsterFiles(before, HashMonsterFiles(dir.str())), "");
    dir.Write("Monsters/1 A 1.gif", "aab");
    dir.Write("Monsters/3 C 1.gif", "ccc");
    std::filesystem::remove(dir.path() / "Monsters/sub/2 B 1.gif");
    EXPECT_EQ(CompareMonsterFiles(before, HashMonsterFiles(dir.str())),
              "changed: '1 A 1.gif'; missing: 'sub/2 B 1.gif'; new: '3 C 1.gif'");
}

// A recording whose payload claims `size` bytes, followed by `packed`.
std::string WithClaimedSize(const std::string& good, uint64_t size, const std::string& packed) {
    std::string bytes = good.substr(0, 26);
    for (int i = 0; i < 8; ++i) bytes += static_cast<char>((size >> (8 * i)) & 0xFF);
    return bytes + packed;
}

TEST(RecordedGame, ASizeIsBelievedOnlyAsFarAsTheFileHoldsIt) {
    RecordedGame record;
    record.program = "p";
    record.desktopWidth = 1280;
    record.desktopHeight = 1024;
    // Bytes that do not pack: a file of about 1.6 kB.
    uint32_t state = 1;
    for (int i = 0; i < 1600; ++i)
        record.keys += static_cast<char>((state = state * 1664525u + 1013904223u) >> 24);
    const std::string good = EncodeRecordedGame(record);
    const std::string packed = good.substr(34);
    uint64_t realSize = 0;
    for (int i = 0; i < 8; ++i) realSize |= uint64_t(uint8_t(good[26 + i])) << (8 * i);
    RecordedGame wide = record;
    wide.desktopWidth = 100000;
    struct Case {
        const char* what;
        std::string bytes;
        bool accepted;
    };
    const Case cases[] = {
        {"as written", good, true},
        {"4.2 GB claimed for 1.6 kB", WithClaimedSize(good, uint64_t{0xFFFFFFFF}, packed), false},
        {"more than deflate can unpack from the data",
         WithClaimedSize(good, packed.size() * 1100, packed), false},
        {"more than any recording unpacks to", WithClaimedSize(good, uint64_t{1} << 40, packed),
         false},
        {"a byte less than it unpacks to", WithClaimedSize(good, realSize - 1, packed), false},
        {"a byte more than it unpacks to", WithClaimedSize(good, realSize + 1, packed), false},
        {"no size at all", good.substr(0, 30), false},
        {"a desktop wider than any", EncodeRecordedGame(wide), false},
    };
    for (const Case& c : cases) {
        // Within 256 MB: a size taken on trust would need gigabytes.
        const int status = RunInChild(
            [&] {
                RecordedGame back;
                std::string error;
                const bool accepted = DecodeRecordedGame(c.bytes, back, error);
                return accepted == c.accepted && error.empty() == accepted ? 0 : 1;
            },
            {.memoryBytes = size_t{256} << 20});
        EXPECT_EQ(status, 0) << c.what;
    }
}

TEST(RecordedGame, ValuesAtTheEndsOfTheirRangesReplayWithoutOverflow) {
    platform::HeadlessHost live(".");
    live.NowAtStart = INT64_MAX - 5; // beyond any clock
    RecordedGame record;
    const platform::ScreenPoint points[] = {
        {INT32_MAX, INT32_MIN}, {INT32_MIN, INT32_MAX}, {0, 0}, {-5, 7}};
    {
        RecordingHost recording(live, record);
        for (const platform::ScreenPoint& p : points) {
            live.Cursor = p;
            recording.GetCursorPos();
            recording.Now();
        }
    }
    platform::HeadlessHost other(".");
    ReplayingHost replay(other, record, false);
    for (const platform::ScreenPoint& p : points) {
        const platform::ScreenPoint back = replay.GetCursorPos();
        EXPECT_EQ(back.x, p.x);
        EXPECT_EQ(back.y, p.y);
        // Held where the game's own sums on it cannot overflow.
        EXPECT_EQ(replay.Now(), int64_t{1} << 52);
    }
    EXPECT_FALSE(replay.RanOut());
}
