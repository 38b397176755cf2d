// frame_bench: what the game costs, on the headless host with the real data
// beside the program. Whole frames with a giant monster filling the view,
// building monsters and the memory they hold, each time as a ratio to a memcpy
// of the view timed in the same run; with --pacing, 1000 frames of the idle
// title screen through the real frame loop on the real clock. Frames are timed
// both clearing only what no opaque layer covers, as the game does, and
// clearing the whole view.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/game_session.h"
#include "app/modMain.h"
#include "cli/parser.h"
#include "game/frmMain.h"
#include "gdi/picture.h"
#include "gdi/raster.h"
#include "history/history.h"
#include "monsters/clsMonster.h"
#include "platform/headless_host.h"
#include "platform/monotonic_clock.h"
#include "player/clsMan.h"
#include "scenery/clsParticles.h"
#include "tools/toolkit/process_memory.h"
#include "tools/toolkit/scratch_folder.h"
#include "tools/toolkit/statistics.h"
#include "tools/toolkit/timing.h"
#include "vb/program_folder.h"

namespace {

namespace fs = std::filesystem;
using toolkit::Clock;
using toolkit::Median;
using toolkit::MemcpyMicros;
using toolkit::Micros;
using toolkit::Percentile;

double MegaBytes(uint64_t bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// A program folder of its own: the images beside this program and the
// chosen monster files.
struct ProgramFolder {
    toolkit::ScratchFolder scratch{"frame-bench"};
    fs::path path = scratch.path();
    explicit ProgramFolder(const fs::path& data) {
        fs::copy(data / "images", path / "images", fs::copy_options::recursive);
        fs::create_directories(path / "Monsters");
        std::ofstream(path / "History.ini");
    }
    void AddMonster(const fs::path& from, const std::string& name) const {
        fs::copy_file(from, path / "Monsters" / name, fs::copy_options::overwrite_existing);
    }
};

// The largest picture in the Monsters folder beside the program.
fs::path LargestRosterMonster(const fs::path& data) {
    fs::path best;
    int64_t bestArea = -1;
    for (const auto& entry : fs::recursive_directory_iterator(data / "Monsters")) {
        if (!entry.is_regular_file()) continue;
        const gdi::DecodedPicture p = gdi::DecodePicture(entry.path().string());
        if (int64_t{p.width} * p.height > bestArea) {
            bestArea = int64_t{p.width} * p.height;
            best = entry.path();
        }
    }
    return best;
}

// A giant of our own: a grey body with yellow fur and white hit points.
void WriteSyntheticMonster(const fs::path& file, int width, int height) {
    gdi::Picture p;
    p.width = width;
    p.height = height;
    p.pixels.assign(static_cast<size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double dx = (x - width / 2.0) / (width / 2.0);
            const double dy = (y - height / 2.0) / (height / 2.0);
            if (dx * dx + dy * dy > 1) continue;
            gdi::COLORREF c = gdi::RGB(170, 160, 150);
            if ((x / 9 + y / 13) % 5 == 0) c = gdi::RGB(220, 220, 70);
            if (x % 97 < 4 && y % 131 < 4) c = 0xFFFFFF;
            p.pixels[static_cast<size_t>(y) * width + x] = c;
        }
    }
    gdi::SavePictureGif(file.string(), p);
}

// One game on a headless host of the given view size.
struct Bench {
    platform::HeadlessHost host;
    GameSession game{NewGameForm};
    Bench(const ProgramFolder& folder, int width, int height) : host(folder.path.string()) {
        host.Desktop[0] = width;
        host.Desktop[1] = height;
        platform::SetHost(&host);
        game.StartPlaying(width, height, 20261208);
    }
    ~Bench() {
        game.Stop();
        platform::SetHost(nullptr);
    }
    void Frame() {
        host.AdvanceMilliseconds(20);
        game.Frame();
    }
};

// Median frame times in microseconds, clearing only what no opaque layer
// covers (as the game does) and clearing the whole view.
struct FrameFigures {
    double coveredClear = 0, fullClear = 0, memcpyOfView = 0;
};

// Whole frames at one view size: the monster held still and filling the view,
// the camera on its middle, 400 particles, the banner, the bars and a screen
// image. The two clears take turns, frame by frame.
FrameFigures WholeFrameMicros(const ProgramFolder& folder, int width, int height, int frames) {
    Bench bench(folder, width, height);
    frmMainForm& game = *TheGameForm();
    clsMonster& monster = game.Monster(1);
    clsMan& man = *game.mMan;
    monster.mX = -monster.mWidth / 2.0;
    monster.mY = -monster.mHeight - 20.0;
    monster.mState = 2;
    man.mState = 2; // the free camera: he neither collides nor falls
    man.mX = 0;
    man.mY = -monster.mHeight / 2.0 - 20.0;
    for (int i = 0; i < 300; ++i) bench.Frame(); // the camera settles
    game.TextChange(bench.host.AppPath() + "/images/Title_1Title.gif", 10000);
    // The memcpy of the view it is measured against takes its turn after
    // every frame, where the window would show the view, so both find the
    // machine and the caches alike.
    const size_t viewPixels = static_cast<size_t>(width) * height;
    const gdi::COLORREF* from = gdi::BitmapColourPixels(gdi::CurrentBitmap(bench.host.ViewDC()));
    std::vector<uint32_t> to(viewPixels);
    std::vector<double> times[2], copies;
    for (int i = 0; i < 2 * frames; ++i) {
        game.ClearOnlyUncovered = i % 2 == 0;
        MonsterNameUntil = bench.host.Now() + platform::kMillisecondsPerDay;
        man.mSwordCounter = 60;
        for (int k = 0; k < 400; ++k) {
            game.mParticles->Add(man.mX + (k % 40) - 20, man.mY + (k / 40) - 5, 0.01, -0.01, 1,
                                 gdi::RGB(200, 40, 40));
        }
        bench.host.AdvanceMilliseconds(20);
        const auto t0 = Clock::now();
        bench.game.Frame();
        times[i % 2].push_back(Micros(t0, Clock::now()));
        const auto t1 = Clock::now();
        std::memcpy(to.data(), from, viewPixels * sizeof(uint32_t));
        copies.push_back(Micros(t1, Clock::now()));
    }
    return FrameFigures{Median(times[0]), Median(times[1]), Median(copies)};
}

struct BuildFigures {
    double buildMicros = 0, firstViewMicros = 0, everyTileMicros = 0;
    uint64_t heldBytes = 0, everyTileBytes = 0, residentBytes = 0;
    int width = 0, height = 0;
};

// Builds the folder's one monster again and again on a 1920 x 1080 view: the
// build alone, the first frame after it, and the memory its bitmaps hold then
// (against the same game with a one-pixel monster).
BuildFigures MeasureBuild(const fs::path& data, const fs::path& picture) {
    uint64_t baseline = 0;
    {
        ProgramFolder tiny(data);
        const fs::path dot = tiny.path / "dot.gif";
        WriteSyntheticMonster(dot, 1, 1);
        tiny.AddMonster(dot, "1 Dot 43.gif");
        Bench bench(tiny, 1920, 1080);
        bench.Frame();
        baseline = gdi::BitmapMemoryInUse();
    }
    ProgramFolder folder(data);
    folder.AddMonster(picture, "1 Giant 43.gif");
    Bench bench(folder, 1920, 1080);
    clsMonster& monster = TheGameForm()->Monster(1);
    BuildFigures f;
    std::vector<double> builds, views;
    for (int i = 0; i < 7; ++i) {
        const auto t0 = Clock::now();
        monster.Initialize();
        const auto t1 = Clock::now();
        monster.mX = -monster.mWidth / 2.0;
        monster.mY = -monster.mHeight / 2.0;
        monster.mState = 2;
        bench.Frame();
        const auto t2 = Clock::now();
        builds.push_back(Micros(t0, t1));
        views.push_back(Micros(t1, t2));
        f.heldBytes = gdi::BitmapMemoryInUse() - baseline;
        f.residentBytes = toolkit::ResidentBytes();
    }
    f.buildMicros = Median(builds);
    f.firstViewMicros = Median(views);
    f.width = monster.mWidth;
    f.height = monster.mHeight;
    // Every tile made, as a build that made them all at once would.
    const auto t0 = Clock::now();
    for (int gx = 0; gx < monster.mWidth; gx += 60) {
        for (int gy = 0; gy < monster.mHeight; gy += 30) {
            monster.GetColour2(std::floor(monster.mX) + gx, std::floor(monster.mY) + gy);
        }
    }
    f.everyTileMicros = Micros(t0, Clock::now());
    f.everyTileBytes = gdi::BitmapMemoryInUse() - baseline;
    return f;
}

// The idle title screen through Main's real frame loop on the real clock.
int Pacing(const fs::path& data, int frames, bool fullClear) {
    ProgramFolder folder(data);
    folder.AddMonster(LargestRosterMonster(data), "1 Colossus 15-31-29.gif");
    platform::HeadlessHost host(folder.path.string());
    host.UseRealClock();
    platform::SetHost(&host);
    // Start-up (pictures, the first monster) is left out: the frames after
    // the first 50 are the idle game.
    constexpr int kSettle = 50;
    std::vector<double> intervals;
    Clock::time_point last{}, t0{};
    rusage before{}, after{};
    int count = 0;
    host.OnDoEvents = [&](platform::HeadlessHost& h) {
        if (frmMainForm* form = TheGameForm()) form->ClearOnlyUncovered = !fullClear;
        const auto now = Clock::now();
        if (count > kSettle) intervals.push_back(Micros(last, now) / 1000.0);
        last = now;
        if (++count == kSettle) {
            getrusage(RUSAGE_SELF, &before);
            t0 = now;
            h.SleepLatenessNanos.clear();
        }
        if (count >= frames + kSettle) {
            getrusage(RUSAGE_SELF, &after);
            h.RequestClose();
        }
    };
    const int status = Main(GameProgramSetup(ScreenSizeMode::Windowed1024x768));
    const double wall = Micros(t0, last);
    platform::SetHost(nullptr);
    auto cpu = [](const rusage& r) {
        return (r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1e6 + r.ru_utime.tv_usec +
               r.ru_stime.tv_usec;
    };
    std::vector<double> late;
    for (int64_t ns : host.SleepLatenessNanos) late.push_back(static_cast<double>(ns) / 1e6);
    std::vector<double> offGrid;
    for (double ms : intervals) offGrid.push_back(std::fabs(ms - 20.0));
    std::printf("pacing: %d frames of the idle title screen in %.2f s (exit %d)%s\n",
                count - kSettle, wall / 1e6, status,
                fullClear ? ", clearing the whole view each frame" : "");
    std::printf("  frame start after its deadline: median %.3f ms, p99 %.3f ms, max %.3f ms "
                "(%zu sleeps)\n",
                Median(late), Percentile(late, 0.99), Percentile(late, 1.0), late.size());
    std::printf("  frame-to-frame distance from 20 ms: median %.3f ms, p99 %.3f ms\n",
                Median(offGrid), Percentile(offGrid, 0.99));
    std::printf("  process CPU time: %.2f %% of the wall time\n",
                100.0 * (cpu(after) - cpu(before)) / wall);
    if (fullClear) return status;
    // The machine's own wake-up jitter: the same sleeps with nothing else done.
    platform::MonotonicClock bare;
    std::vector<double> bareLate;
    uint32_t deadline = bare.Milliseconds();
    for (int i = 0; i < 300; ++i) {
        deadline += 20;
        const int64_t ns = bare.SleepUntil(deadline);
        if (ns >= 0) bareLate.push_back(static_cast<double>(ns) / 1e6);
    }
    std::printf("  bare sleeps to a 20 ms grid on this machine: median %.3f ms, p99 %.3f ms\n",
                Median(bareLate), Percentile(bareLate, 0.99));
    return status;
}

} // namespace

int main(int argc, char** argv) {
    int frames = 200;
    bool pacing = false;
    cli::Parser parser(
        "frame_bench",
        "Times whole frames and monster builds on the headless host with the Monsters/ and\n"
        "images/ beside the program, each as a ratio to a memcpy of the view in the same run.");
    parser
        .Number("--frames", "N", frames, 1, 1000000,
                "whole frames timed per view size and way of "
                "clearing (default 200)")
        .Flag("--pacing", pacing,
              "1000 frames of the idle title screen through the frame loop on the real clock, "
              "then the same clearing the whole view every frame");
    if (const std::optional<int> status = parser.Handle(argc, argv)) return *status;
    const fs::path data = vb::ProgramFolder();
    if (!fs::is_directory(data / "Monsters") || !fs::is_directory(data / "images")) {
        std::fprintf(stderr, "frame_bench: no Monsters/ and images/ beside %s\n", data.c_str());
        return 1;
    }
    if (pacing) {
        const int status = Pacing(data, 1000, false);
        return status != 0 ? status : Pacing(data, 1000, true);
    }

    const fs::path largest = LargestRosterMonster(data);
    std::printf("frame_bench: medians; x = ratio to a memcpy of the view in this run\n");
    double aim = 0;
    for (const auto& [w, h] : {std::pair{1023, 768}, std::pair{1920, 1080}}) {
        ProgramFolder folder(data);
        folder.AddMonster(largest, "1 Colossus 43.gif");
        const FrameFigures frame = WholeFrameMicros(folder, w, h, frames);
        const double copy = frame.memcpyOfView;
        std::printf("whole frame %dx%d (%s, 400 particles): %.0f us = %.2fx memcpy (%.0f us)\n", w,
                    h, largest.filename().c_str(), frame.coveredClear, frame.coveredClear / copy,
                    copy);
        std::printf("  the same frames clearing the whole view: %.0f us = %.2fx memcpy\n",
                    frame.fullClear, frame.fullClear / copy);
        aim = frame.coveredClear / copy;
    }
    std::printf("aim: a whole frame at 1920x1080 <= 1.50x memcpy: %.2fx, %s\n", aim,
                aim <= 1.5 ? "met" : "not met");
    const double copy1080 = MemcpyMicros(1920, 1080);
    const toolkit::ScratchFolder scratch("frame-bench");
    const fs::path synthetic = scratch.path() / "giant.gif";
    WriteSyntheticMonster(synthetic, 1200, 1600);
    for (const fs::path& picture : {largest, synthetic}) {
        const BuildFigures f = MeasureBuild(data, picture);
        std::printf("build %dx%d (%s): %.1f ms = %.1fx the 1080p memcpy; first view %.1f ms; "
                    "bitmaps held %.1f MB (process resident %.1f MB)\n",
                    f.width, f.height, picture.filename().c_str(), f.buildMicros / 1000,
                    f.buildMicros / copy1080, f.firstViewMicros / 1000, MegaBytes(f.heldBytes),
                    MegaBytes(f.residentBytes));
        std::printf("  every tile made as well: +%.1f ms, bitmaps held %.1f MB\n",
                    f.everyTileMicros / 1000, MegaBytes(f.everyTileBytes));
    }
    return 0;
}
