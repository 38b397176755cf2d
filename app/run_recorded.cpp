#include "app/run_recorded.h"

#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "app/history.h"
#include "app/recorded_game.h"
#include "platform/headless_host.h"

namespace {

bool ReadFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::stringstream s;
    s << in.rdbuf();
    bytes = s.str();
    return !in.bad();
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

// The setup with seeds from `host` and the final checksum kept in `checksum`.
template <class SeedHost>
ProgramSetup Instrumented(const ProgramSetup& setup, SeedHost& host, uint64_t& checksum) {
    ProgramSetup instrumented = setup;
    instrumented.newSeed = [&host] { return host.NewSeed(); };
    instrumented.beforeGameEnds = [&checksum](GameForm& form) { checksum = form.StateChecksum(); };
    return instrumented;
}

} // namespace

int RunRecording(platform::Host& host, const ProgramSetup& setup, const ProgramFiles& files,
                 const ProgramIdentity& identity, const std::string& recordFile) {
    RecordedGame record;
    record.program = identity.program;
    record.version = identity.version;
    record.monsters = HashMonsterFiles(files.dataFolder);
    ReadFile(files.historyFile, record.historyAtStart); // a missing history is empty
    RecordingHost recording(host, record);
    platform::SetHost(&recording);
    const int status = Main(Instrumented(setup, recording, record.checksum));
    platform::SetHost(&host);
    if (!WriteFile(recordFile, EncodeRecordedGame(record))) {
        std::fprintf(stderr, "%s: cannot write the recording %s\n", identity.program.c_str(),
                     recordFile.c_str());
        return 1;
    }
    std::printf("checksum %016" PRIx64 "\n", record.checksum);
    return status;
}

int RunReplay(const ProgramSetup& setup, const ProgramFiles& files, const ProgramIdentity& identity,
              const GameOptions& options, const platform::SdlHostSettings& settings) {
    const char* program = identity.program.c_str();
    std::string bytes, error;
    RecordedGame record;
    if (!ReadFile(options.replayFile, bytes)) {
        std::fprintf(stderr, "%s: cannot read the recording %s\n", program,
                     options.replayFile.c_str());
        return 1;
    }
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
    if (!WriteFile(historyFile, record.historyAtStart)) {
        std::fprintf(stderr, "%s: cannot write the history %s\n", program, historyFile.c_str());
        return 1;
    }
    SetHistoryFile(historyFile);

    std::unique_ptr<platform::Host> inner;
    try {
        if (options.headless) {
            inner = std::make_unique<platform::HeadlessHost>(files.dataFolder);
        } else {
            inner = platform::CreateSdlHost(settings);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", kGameCaption, e.what());
        return 1;
    }
    uint64_t checksum = 0;
    int status = 0;
    {
        ReplayingHost replay(*inner, record, !options.headless);
        platform::SetHost(&replay);
        status = Main(Instrumented(setup, replay, checksum));
        platform::SetHost(nullptr);
        if (replay.RanOut()) {
            std::fprintf(stderr, "%s: the replay ran past the end of the recording\n", program);
        }
    }
    inner.reset();
    if (options.historyFile.empty()) std::remove(historyFile.c_str());
    std::printf("checksum %016" PRIx64 "\n", checksum);
    if (checksum != record.checksum) {
        std::fprintf(stderr,
                     "%s: the replay did not end as the recording did (recorded %016" PRIx64 ")\n",
                     program, record.checksum);
        return 1;
    }
    return status;
}
