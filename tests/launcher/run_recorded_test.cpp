// Recording and replaying through the program's own entry points, with a
// fake game form: files that are no recording are named for what they are,
// a replay that runs out fails, a recording that cannot be written is said
// before play and play goes on, and a replay's history goes through the
// same safe write as the game's.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "launcher/run_recorded.h"
#include "replay/recorded_game.h"
#include "support/app_harness.h"
#include "support/child_run.h"
#include "support/file_size_limit.h"

namespace {

const ProgramIdentity kIdentity{"Stompvale_v1.6_1024x768", "1.6"};

ProgramFiles FilesOf(const AppRun& run) {
    ProgramFiles files;
    files.dataFolder = run.folder.str();
    files.historyFile = run.folder.str() + "/History.ini";
    return files;
}

// A short game recorded into the run's folder as game.rec.
std::string Record(AppRun& run) {
    run.QuitAfter(5);
    const std::string path = run.folder.str() + "/game.rec";
    EXPECT_EQ(RunRecording(run.host, run.Setup(), FilesOf(run), kIdentity, path), 0);
    return path;
}

int Replay(AppRun& run, const std::string& file, const std::string& history, std::string& said) {
    GameOptions options;
    options.replayFile = file;
    options.historyFile = history;
    options.headless = true;
    testing::internal::CaptureStderr();
    const int status = RunReplay(run.Setup(), FilesOf(run), kIdentity, options, {});
    said = testing::internal::GetCapturedStderr();
    platform::SetHost(&run.host);
    return status;
}

TEST(RunRecorded, ReplaysThatCannotBeWhatTheyClaimFailAndSayWhy) {
    AppRun run;
    const std::string recording = Record(run);
    RecordedGame record;
    std::string error;
    ASSERT_TRUE(DecodeRecordedGame(run.folder.Read("game.rec"), record, error)) << error;
    record.events.resize(2); // the game goes on past what was recorded
    run.folder.Write("short.rec", EncodeRecordedGame(record));
    std::filesystem::create_directories(run.folder.path() / "a folder");
    struct Case {
        std::string file;
        int status;
        std::string said;
    };
    const Case cases[] = {
        {recording, 0, ""},
        {run.folder.str() + "/short.rec", 1, "the replay ran past the end of the recording"},
        {run.folder.str() + "/a folder", 1, "a folder is a folder, not a recorded game"},
        {"/dev/zero", 1, "/dev/zero is larger than 8 MB, more than a recorded game holds"},
        {run.folder.str() + "/none.rec", 1, "none.rec: does not exist"},
    };
    for (const Case& c : cases) {
        // Within 2 GB: an endless file must not be read to the end of memory.
        std::string said;
        const int status = RunInChild(
            [&] {
                const int result = Replay(run, c.file, "", said);
                return result == c.status && said.find(c.said) != std::string::npos ? 0 : 1;
            },
            {.memoryBytes = size_t{2} << 30});
        EXPECT_EQ(status, 0) << c.file;
    }
}

// Standard error through a pipe, which a limit on file sizes does not reach.
class StderrPipe {
  public:
    StderrPipe() {
        fflush(stderr);
        mSaved = dup(2);
        if (pipe2(mFds, O_NONBLOCK) == 0) dup2(mFds[1], 2);
    }
    ~StderrPipe() {
        fflush(stderr);
        dup2(mSaved, 2);
        close(mSaved);
        close(mFds[0]);
        close(mFds[1]);
    }
    std::string Take() {
        fflush(stderr);
        std::string text;
        char buffer[4096];
        ssize_t n;
        while ((n = read(mFds[0], buffer, sizeof(buffer))) > 0) text.append(buffer, n);
        return text;
    }

  private:
    int mSaved = -1, mFds[2] = {-1, -1};
};

TEST(RunRecorded, ARecordingThatCannotBeWrittenIsSaidBeforePlayAndPlayGoesOn) {
    AppRun run;
    const std::string path = run.folder.str() + "/game.rec";
    StderrPipe said;
    std::string saidAtFirstFrame;
    int frames = 0;
    run.QuitAfter(5, [&](FakeGameForm&, int frame) {
        frames = frame;
        if (frame == 1) saidAtFirstFrame = said.Take();
    });
    int status = 0;
    {
        // Files of 30 bytes at most: not even the first snapshot fits.
        FileSizeLimit full(30);
        ASSERT_TRUE(full.Set());
        status = RunRecording(run.host, run.Setup(), FilesOf(run), kIdentity, path);
    }
    EXPECT_EQ(status, 1);
    EXPECT_EQ(frames, 5); // played to its end
    EXPECT_NE(saidAtFirstFrame.find("recording to " + path + " stopped, the game plays on"),
              std::string::npos)
        << saidAtFirstFrame;
    EXPECT_FALSE(std::filesystem::exists(path)) << "a file that holds no recording";
}

TEST(RunRecorded, AReplaysHistoryIsWrittenSafelyAndNeverOverAReadOnlyFile) {
    AppRun run;
    run.folder.Write("History.ini", "1 First 1-2-3.gif,2\r\n");
    const std::string recording = Record(run);
    struct Case {
        const char* what;
        mode_t mode;
        int status;
        std::string history;
    };
    const Case cases[] = {
        {"a history that can be written", 0640, 0, "1 First 1-2-3.gif,2\r\n"},
        {"a read-only history, as root too", 0444, 1, "mine,7\r\n"},
    };
    for (const Case& c : cases) {
        run.folder.Write("Mine.ini", "mine,7\r\n");
        run.folder.Write("Mine.ini.new", "left by a write that was killed");
        const std::filesystem::path mine = run.folder.path() / "Mine.ini";
        chmod(mine.c_str(), c.mode);
        std::string said;
        EXPECT_EQ(Replay(run, recording, mine.string(), said), c.status) << c.what << said;
        EXPECT_EQ(run.folder.Read("Mine.ini"), c.history) << c.what;
        struct stat info {};
        stat(mine.c_str(), &info);
        EXPECT_EQ(info.st_mode & 07777, c.mode) << c.what;
        chmod(mine.c_str(), 0644);
    }
}

} // namespace
