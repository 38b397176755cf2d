// stompvale-soak: the real game played for a long time in one process. Prints
// frames per second, defeats, deaths, new games and memory after the warm-up
// and at the end; exits 1 when a check failed or memory grew by 1 MB or more
// after the warm-up, 2 on bad usage.
#include <cstdio>
#include <exception>
#include <limits>
#include <optional>
#include <string>

#include "cli/parser.h"
#include "tools/soak/soak_run.h"
#include "vb/program_folder.h"

namespace {

constexpr uint64_t kMostGrowth = 1024 * 1024;
// Under AddressSanitizer its leak check at exit takes the figures' place.
constexpr bool kMemoryMeasured = toolkit::kMemoryFiguresMeanSomething;

double MegaBytes(uint64_t bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

std::string Describe(const toolkit::ProcessMemory& m) {
    char line[160];
    std::snprintf(line, sizeof line, "resident %.2f MB, heap %.2f MB, bitmaps %.2f MB",
                  MegaBytes(m.resident), MegaBytes(m.heap), MegaBytes(m.bitmaps));
    return line;
}

double Growth(uint64_t from, uint64_t to) {
    return (static_cast<double>(to) - static_cast<double>(from)) / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char** argv) {
    soak::Options options;
    options.dataFolder = vb::ProgramFolder().string();
    bool verbose = false;
    constexpr int64_t kMost = std::numeric_limits<int64_t>::max();
    cli::Parser parser("stompvale-soak",
                       "Plays the real game for a long time in one process: random keys,\n"
                       "defeats, deaths and new games. Exits 1 when a check failed or memory\n"
                       "grew by 1 MB or more after the warm-up.");
    parser
        .Number("--frames", "N", options.frames, int64_t{0}, kMost,
                "frames to play, 50 a second (default 180000, one hour)")
        .Number("--seed", "N", options.seed, uint64_t{0}, std::numeric_limits<uint64_t>::max(),
                "seed of the keys and of the game (default 1)")
        .Number("--warm-up", "N", options.warmUpFrames, int64_t{0}, kMost,
                "memory is compared from the first new game after N frames (default 10000)")
        .Value("--data", "FOLDER", options.dataFolder,
               "the folder holding Monsters/ and images/ (default: beside this program)")
        .Flag("--verbose", verbose, "memory at every new game");
    if (const std::optional<int> status = parser.Handle(argc, argv)) return *status;
    if (verbose) {
        options.onNewGame = [](int64_t frame, const toolkit::ProcessMemory& memory) {
            std::printf("new game at frame %lld: %s\n", static_cast<long long>(frame),
                        Describe(memory).c_str());
            std::fflush(stdout);
        };
    }

    soak::Result r;
    try {
        r = soak::Run(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "stompvale-soak: %s\n", error.what());
        return 1;
    }

    std::printf("%lld frames in %.1f s: %.0f frames per second\n", static_cast<long long>(r.frames),
                r.seconds, r.seconds > 0 ? static_cast<double>(r.frames) / r.seconds : 0.0);
    std::printf("defeats %lld, deaths %lld, new games %lld, rounds through every monster %lld\n",
                static_cast<long long>(r.defeats), static_cast<long long>(r.deaths),
                static_cast<long long>(r.restarts), static_cast<long long>(r.rounds));
    bool ok = r.problems.empty();
    for (const std::string& problem : r.problems) std::printf("problem: %s\n", problem.c_str());
    if (r.end) {
        std::printf("memory at the end (frame %lld): %s\n", static_cast<long long>(r.end->frame),
                    Describe(r.end->memory).c_str());
    }
    if (!kMemoryMeasured) {
        std::printf("memory not compared under AddressSanitizer (its leak check runs at exit)\n");
    } else if (r.warm && r.end) {
        std::printf("memory after the warm-up (new game at frame %lld): %s\n",
                    static_cast<long long>(r.warm->frame), Describe(r.warm->memory).c_str());
        const double heap = Growth(r.warm->memory.heap, r.end->memory.heap);
        const double resident = Growth(r.warm->memory.resident, r.end->memory.resident);
        std::printf("growth since: heap %+.3f MB, resident %+.3f MB (limit %+.3f MB)\n", heap,
                    resident, MegaBytes(kMostGrowth));
        if (heap >= MegaBytes(kMostGrowth) || resident >= MegaBytes(kMostGrowth)) {
            std::printf("problem: memory grew by 1 MB or more after the warm-up\n");
            ok = false;
        }
    } else {
        std::printf("no new game after the warm-up of %lld frames: memory not compared\n",
                    static_cast<long long>(options.warmUpFrames));
        ok = false;
    }
    std::printf("%s\n", ok ? "soak passed" : "soak FAILED");
    return ok ? 0 : 1;
}
