// The native side of the page's tests: a game recorded by the headless host
// with scripted keys, the view of a replay at one frame as a PNG, and a
// monster picture with its white taken away. The page must agree with it.
//
//   web_native_game record DATA OUT        a short game: title, walk, jump, quit
//   web_native_game view DATA REC FRAME OUT.png
//   web_native_game no-white IN.gif OUT.gif
//   web_native_game wall OUT.gif
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "game/frmMain.h"
#include "gdi/picture.h"
#include "gdi/png_file.h"
#include "gdi/raster.h"
#include "launcher/run_recorded.h"
#include "platform/headless_host.h"
#include "platform/key_table.h"

namespace {

const ProgramIdentity kIdentity{"Stompvale_v1.6_1024x768", "1.6"};

int Usage() {
    std::fputs("usage: web_native_game record DATA OUT | view DATA REC FRAME OUT.png | "
               "no-white IN.gif OUT.gif | wall OUT.gif\n",
               stderr);
    return 2;
}

// Keys down over a range of frames, as a player would press them.
struct Press {
    int key;
    int64_t from, to;
};
constexpr Press kScript[] = {
    {platform::vk::Return, 40, 44},   {platform::vk::Right, 120, 230},
    {platform::vk::Space, 160, 166},  {platform::vk::Left, 250, 270},
    {platform::vk::Escape, 320, 324},
};

int Record(const std::string& data, const std::string& out) {
    platform::HeadlessHost host(data);
    platform::SetHost(&host);
    ProgramSetup setup = GameProgramSetup(ScreenSizeMode::Windowed1024x768);
    setup.afterFrame = [&host](int64_t frame) {
        for (const Press& press : kScript) {
            if (frame == press.from) host.SetKey(press.key, true);
            if (frame == press.to) host.SetKey(press.key, false);
        }
    };
    ProgramFiles files;
    files.dataFolder = data;
    files.historyFile = std::filesystem::path(out).parent_path().string() + "/History.ini";
    const int status = RunRecording(host, setup, files, kIdentity, out);
    platform::SetHost(nullptr);
    return status;
}

int View(const std::string& data, const std::string& recording, int64_t at,
         const std::string& out) {
    ProgramSetup setup = GameProgramSetup(ScreenSizeMode::Windowed1024x768);
    bool written = false;
    setup.afterFrame = [&](int64_t frame) {
        if (frame != at) return;
        gdi::SavePicturePng(out, gdi::BitmapPicture(gdi::CurrentBitmap(platform::host().ViewDC())),
                            false);
        written = true;
    };
    ProgramFiles files;
    files.dataFolder = data;
    GameOptions options;
    options.replayFile = recording;
    options.headless = true;
    const int status = RunReplay(setup, files, kIdentity, options, {});
    if (!written)
        std::fprintf(stderr, "web_native_game: the replay ended before frame %lld\n",
                     static_cast<long long>(at));
    return written ? status : 1;
}

// Pure white is what the man strikes: without it a monster has no hit points.
int NoWhite(const std::string& in, const std::string& out) {
    gdi::Picture picture = gdi::LoadPicture(in);
    for (gdi::COLORREF& colour : picture.pixels) {
        if (colour == 0xFFFFFF) colour = gdi::RGB(200, 200, 200);
    }
    gdi::SavePictureGif(out, picture);
    return 0;
}

// A low wall of grip with a hit point in its left side, at the man's height
// when he walks up to it, and two more on its top: beatable, and quick to
// strike from the ground.
int Wall(const std::string& out) {
    gdi::Picture picture;
    picture.width = 100;
    picture.height = 12;
    picture.pixels.assign(static_cast<size_t>(picture.width) * picture.height,
                          gdi::RGB(148, 190, 57));
    const auto white = [&](int left, int top, int right, int bottom) {
        for (int y = top; y <= bottom; ++y) {
            std::fill_n(picture.pixels.begin() + y * picture.width + left, right - left + 1,
                        gdi::COLORREF{0xFFFFFF});
        }
    };
    white(0, 4, 1, 11);
    white(48, 0, 51, 1);
    white(96, 0, 99, 1);
    gdi::SavePictureGif(out, picture);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::string command = argc > 1 ? argv[1] : "";
        if (command == "record" && argc == 4) return Record(argv[2], argv[3]);
        if (command == "view" && argc == 6) {
            return View(argv[2], argv[3], std::strtoll(argv[4], nullptr, 10), argv[5]);
        }
        if (command == "no-white" && argc == 4) return NoWhite(argv[2], argv[3]);
        if (command == "wall" && argc == 3) return Wall(argv[2]);
        return Usage();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "web_native_game: %s\n", error.what());
        return 1;
    }
}
