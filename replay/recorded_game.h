// Recorded games: everything that makes a run what it is (the program and
// its version, the random seeds, the monster files, the history at the
// start, and every value the game read from the window system frame by
// frame), kept compact and compressed, and played back exactly.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forwarding_host.h"

class RecordReader; // a cursor over one encoded kind of value

struct MonsterFileHash {
    std::string path; // below the Monsters folder
    uint64_t hash = 0;
    bool operator==(const MonsterFileHash&) const = default;
};

// The monster files below a data folder, in a fixed order, with a hash of
// each file's bytes.
std::vector<MonsterFileHash> HashMonsterFiles(const std::string& dataFolder);

// What differs between the recorded monster files and these ("" when
// nothing): files changed, missing or new, each by name.
std::string CompareMonsterFiles(const std::vector<MonsterFileHash>& recorded,
                                const std::vector<MonsterFileHash>& current);

struct RecordedGame {
    std::string program, version;
    int32_t desktopWidth = 0, desktopHeight = 0;
    std::vector<MonsterFileHash> monsters;
    std::string historyAtStart;
    uint64_t checksum = 0; // of the game's state when it ended
    // The values the game read, each kind in the order it read them, encoded
    // as they change (see recorded_game.cpp).
    std::string seeds, clock, now, keys, events, cursor, audio;
    // Each defeat with its fight time, a line "FILE = MILLISECONDS" (counted
    // in played frames): a best time is proved by its replay. Recordings
    // made before the times were kept end without them.
    std::string times;
};

// A recording is a few kilobytes a minute: a file larger than this is not
// read (it would hold days of play), nor is a payload that unpacks past the
// second bound.
constexpr size_t kRecordingMostBytes = size_t{8} << 20;
constexpr uint64_t kRecordingMostPayload = uint64_t{64} << 20;
// No desktop is smaller, wider or higher than these: the game cannot be played
// on a desktop narrower than a few game pixels.
constexpr int64_t kLeastDesktopSide = 16;
constexpr int64_t kMostDesktopSide = 65535;

// The file's bytes: a short uncompressed tag, the payload's size, then the
// payload through zlib at the given level (the best by default).
std::string EncodeRecordedGame(const RecordedGame& game, int level = 9);
// False, with the reason, when the bytes are not a recording of ours. Sizes
// and counts are checked against what the bytes after them can hold before
// anything is reserved for them.
bool DecodeRecordedGame(const std::string& bytes, RecordedGame& game, std::string& error);

// A host that plays as its inner host does and writes down every value the
// game reads from it, and every new random seed.
class RecordingHost final : public platform::ForwardingHost {
  public:
    RecordingHost(platform::Host& inner, RecordedGame& record);
    uint64_t NewSeed();

    uint32_t TimeGetTime() override;
    platform::DateTime Now() override;
    int32_t DesktopWidth() override { return mRecord.desktopWidth; }
    int32_t DesktopHeight() override { return mRecord.desktopHeight; }
    bool DoEvents() override;
    void GetKeyboardState(uint8_t table[256]) override;
    platform::ScreenPoint GetCursorPos() override;
    bool OpenAudio(int32_t frequency) override;

    // Called once a frame, after the frame's events were written down.
    std::function<void()> AfterEvents;

  private:
    RecordedGame& mRecord;
    uint32_t mLastClock = 0;
    platform::DateTime mLastNow = 0;
    uint8_t mLastKeys[256] = {};
    platform::ScreenPoint mLastCursor{};
};

// A host that shows the game through its inner host (a window, or the
// headless host) while every value the game reads comes from a recording.
// Paced, it keeps the recording's speed; unpaced it never waits. When the
// recording runs out it asks the game to close.
class ReplayingHost final : public platform::ForwardingHost {
  public:
    ReplayingHost(platform::Host& inner, const RecordedGame& record, bool paced);
    ~ReplayingHost() override;
    uint64_t NewSeed();
    // Something was read past the recording's end: the replay went its own way.
    bool RanOut() const { return mRanOut; }

    uint32_t TimeGetTime() override;
    void Sleep(uint32_t milliseconds) override;
    void SleepUntil(uint32_t timeGetTime) override;
    platform::DateTime Now() override;
    int32_t DesktopWidth() override { return mRecord.desktopWidth; }
    int32_t DesktopHeight() override { return mRecord.desktopHeight; }
    bool DoEvents() override;
    void GetKeyboardState(uint8_t table[256]) override;
    platform::ScreenPoint GetCursorPos() override;
    bool OpenAudio(int32_t frequency) override;

  private:
    const RecordedGame& mRecord;
    bool mPaced;
    bool mRanOut = false;
    std::unique_ptr<RecordReader> mSeeds, mClock, mNow, mKeys, mEvents, mCursor, mAudio;
    uint32_t mLastClock = 0;
    platform::DateTime mLastNow = 0;
    uint8_t mLastKeys[256] = {};
    platform::ScreenPoint mLastCursor{};
    bool mClockStarted = false;
    uint32_t mFirstClock = 0, mInnerStart = 0;
};
