#include "launcher/run_recorded.h"

#include <cinttypes>
#include <cstdio>
#include <unistd.h>

#include "files/atomic_write.h"
#include "files/bounded_read.h"
#include "history/history.h"
#include "launcher/end_signals.h"
#include "launcher/game_window.h"
#include "platform/headless_host.h"
#include "replay/recorded_game.h"

namespace {

// A snapshot of the recording every minute of play keeps the file current and
// finds a full disk early; quick to pack, the final one packed best.
constexpr int kSnapshotFrames = 50 * 60;
constexpr int kSnapshotLevel = 1;

// The recording's file, written whole each time. The first write that fails
// (a full disk, a folder that cannot be written) or would pass the size a
// replay reads stops the recording; the game plays on and the last good
// snapshot stays.
class RecordFile {
  public:
    RecordFile(std::string path, std::string program)
        : mPath(std::move(path)), mProgram(std::move(program)) {}

    bool Stopped() const { return mStopped; }

    void Write(const RecordedGame& record, int level) {
        if (mStopped) return;
        const std::string bytes = EncodeRecordedGame(record, level);
        if (bytes.size() > kRecordingMostBytes) {
            Stop("it reached " + files::SizeInWords(kRecordingMostBytes) +
                 ", the most a replay reads");
            return;
        }
        try {
            files::WriteFileAtomically(mPath, bytes);
        } catch (const std::exception& error) {
            Stop(error.what());
        }
    }

  private:
    void Stop(const std::string& why) {
        std::fprintf(stderr, "%s: recording to %s stopped, the game plays on: %s\n",
                     mProgram.c_str(), mPath.c_str(), why.c_str());
        mStopped = true;
    }

    std::string mPath, mProgram;
    bool mStopped = false;
};

// The setup with seeds from `host` and the final checksum kept in `checksum`.
template <class SeedHost>
ProgramSetup Instrumented(const ProgramSetup& setup, SeedHost& host, uint64_t& checksum) {
    ProgramSetup instrumented = setup;
    instrumented.newSeed = [&host] { return host.NewSeed(); };
    instrumented.beforeGameEnds = [&checksum](GameForm& form) { checksum = form.StateChecksum(); };
    return instrumented;
}

// The recording's bytes, or "" with the reason said on stderr.
bool ReadRecording(const char* program, const std::string& path, std::string& bytes) {
    const files::ReadOutcome outcome = files::ReadBoundedFile(path, kRecordingMostBytes, bytes);
    switch (outcome.kind) {
    case files::ReadOutcome::Read:
        return true;
    case files::ReadOutcome::Folder:
        std::fprintf(stderr, "%s: %s is a folder, not a recorded game\n", program, path.c_str());
        return false;
    case files::ReadOutcome::TooLarge:
        std::fprintf(stderr, "%s: %s is larger than %s, more than a recorded game holds\n", program,
                     path.c_str(), files::SizeInWords(kRecordingMostBytes).c_str());
        return false;
    default:
        std::fprintf(stderr, "%s: cannot read the recording %s: %s\n", program, path.c_str(),
                     files::ReadProblem(outcome, kRecordingMostBytes).c_str());
        return false;
    }
}

void PrintTimes(const std::string& times) {
    if (!times.empty()) std::printf("defeats (fight times in ms):\n%s", times.c_str());
}

} // namespace

int RunRecording(platform::Host& host, const ProgramSetup& setup, const ProgramFiles& files,
                 const ProgramIdentity& identity, const std::string& recordFile) {
    RecordedGame record;
    record.program = identity.program;
    record.version = identity.version;
    record.monsters = HashMonsterFiles(files.dataFolder);
    // A missing history is empty; one that cannot be read stops the game
    // itself at start-up.
    files::ReadBoundedFile(files.historyFile, kHistoryMostBytes, record.historyAtStart);
    RecordingHost recording(host, record);
    RecordFile file(recordFile, identity.program);
    file.Write(record, kSnapshotLevel); // before play: a file that cannot be written is said now
    int frames = 0;
    recording.AfterEvents = [&] {
        if (++frames % kSnapshotFrames == 0) file.Write(record, kSnapshotLevel);
    };
    platform::SetHost(&recording);
    const int status = Main(Instrumented(setup, recording, record.checksum));
    platform::SetHost(&host);
    if (setup.comforts) record.times = setup.comforts->Fights().DefeatTimes();
    file.Write(record, 9);
    std::printf("checksum %016" PRIx64 "\n", record.checksum);
    PrintTimes(record.times);
    return file.Stopped() ? 1 : status;
}

int RunReplay(const ProgramSetup& setup, const ProgramFiles& files, const ProgramIdentity& identity,
              const GameOptions& options, const platform::ControlMap& controls) {
    const char* program = identity.program.c_str();
    std::string bytes, error;
    RecordedGame record;
    if (!ReadRecording(program, options.replayFile, bytes)) return 1;
    if (!DecodeRecordedGame(bytes, record, error)) {
        std::fprintf(stderr, "%s: %s: %s\n", program, options.replayFile.c_str(), error.c_str());
        return 1;
    }
    if (record.program != identity.program || record.version != identity.version) {
        std::fprintf(stderr, "%s: %s was recorded by %s %s, not by %s %s\n", program,
                     options.replayFile.c_str(), record.program.c_str(), record.version.c_str(),
                     program, identity.version.c_str());
        return 1;
    }
    const std::string differ =
        CompareMonsterFiles(record.monsters, HashMonsterFiles(files.dataFolder));
    if (!differ.empty()) {
        std::fprintf(stderr, "%s: the monster files differ from the recording's (%s)\n", program,
                     differ.c_str());
        return 1;
    }
    // The game starts from the recorded history; the player's own is left
    // alone unless --history names where this one goes.
    std::string historyFile = options.historyFile;
    if (historyFile.empty()) {
        char pattern[] = "/tmp/stompvale-replay-XXXXXX";
        const int fd = mkstemp(pattern);
        if (fd >= 0) close(fd);
        historyFile = pattern;
    }
    try {
        files::WriteFileAtomically(historyFile, record.historyAtStart);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", program, e.what());
        if (options.historyFile.empty()) std::remove(historyFile.c_str());
        return 1;
    }
    SetHistoryFile(historyFile);

    std::unique_ptr<platform::Host> inner;
    try {
        if (options.headless) {
            inner = std::make_unique<platform::HeadlessHost>(files.dataFolder);
        } else {
            inner = OpenGameWindow(options, files.dataFolder, controls);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", kGameCaption, e.what());
        if (options.historyFile.empty()) std::remove(historyFile.c_str());
        return 1;
    }
    uint64_t checksum = 0;
    int status = 0;
    bool ranOut = false;
    {
        EndSignalHost ending(*inner);
        ReplayingHost replay(ending, record, !options.headless);
        platform::SetHost(&replay);
        status = Main(Instrumented(setup, replay, checksum));
        platform::SetHost(nullptr);
        ranOut = replay.RanOut();
    }
    inner.reset();
    if (options.historyFile.empty()) std::remove(historyFile.c_str());
    std::printf("checksum %016" PRIx64 "\n", checksum);
    if (ranOut) {
        std::fprintf(stderr, "%s: the replay ran past the end of the recording\n", program);
        return 1;
    }
    const std::string times = setup.comforts ? setup.comforts->Fights().DefeatTimes() : "";
    PrintTimes(times);
    if (!record.times.empty() && times != record.times) {
        std::fprintf(stderr, "%s: the replay's fight times are not the recorded ones:\n%s", program,
                     record.times.c_str());
        return 1;
    }
    if (checksum != record.checksum) {
        std::fprintf(stderr,
                     "%s: the replay did not end as the recording did (recorded %016" PRIx64 ")\n",
                     program, record.checksum);
        return 1;
    }
    return status;
}
