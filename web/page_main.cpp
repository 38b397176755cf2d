// The page's program: the native game, run after run, in the browser's one
// thread. The page (page.js) says what each run is (play, record or replay)
// and changes the kept files between runs; this side keeps the roster of
// shipped and added monsters and hands the page the monster checker.
#include <SDL.h>
#include <emscripten.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/sound_enabled.h"
#include "game/frmMain.h"
#include "history/history.h"
#include "launcher/run_program.h"
#include "monster_check/monster_check.h"
#include "web/page_roster.h"
#include "world/world_globals.h"

namespace {

// A recording names the program that made it: the page is the windowed game.
constexpr const char* kProgramName = "Stompvale_v1.6_1024x768";

// The page's answers come back as text that the program owns.
std::string TakeText(char* text) {
    std::string copy = text ? text : "";
    std::free(text);
    return copy;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

char* NewText(const std::string& text) {
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

} // namespace

// The page's side of the conversation (page.js).
EM_JS(char*, page_next_run, (), {
    const text = Module.page.nextRun();
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});
EM_JS(void, page_run_ended, (int status), { Module.page.runEnded(status); });
EM_JS(void, page_store, (), { Module.page.store(); });
// The frame of this run at which the page's tests look at the canvas (0: none).
EM_JS(int, page_hold_frame, (), { return Module.page.holdFrame(); });
EM_JS(void, page_held, (int frame), { Module.page.held(frame); });
// The run's first frame is on the canvas.
EM_JS(void, page_shown, (), { Module.page.shown(); });

namespace {
bool gHeld = false;
}

extern "C" {

// The sound switch, for this run and the next ones (which the page starts
// with --sound).
EMSCRIPTEN_KEEPALIVE void page_set_sound(int on) {
    GameSoundsOn = on != 0 && SoundEnabled;
}

EMSCRIPTEN_KEEPALIVE void page_release() {
    gHeld = false;
}

// Ends the run by closing the window, as a player closes it: the history is
// saved, a recording keeps the close and is written, and the page is asked
// for the next run.
EMSCRIPTEN_KEEPALIVE void page_end_run() {
    SDL_Event close{};
    close.type = SDL_QUIT;
    SDL_PushEvent(&close);
}

// The checker's verdict on a picture the player dropped, already written to
// `path` under its own name: "1" or "0", a line break, and the report. An
// accepted picture joins the kept monsters.
EMSCRIPTEN_KEEPALIVE char* page_check_monster(const char* path) {
    const web::Verdict verdict = web::CheckDroppedMonster(path);
    return NewText(std::string(verdict.accepted ? "1" : "0") + "\n" + verdict.report);
}

EMSCRIPTEN_KEEPALIVE int page_remove_monster(const char* fileName) {
    return web::RemoveKeptMonster(fileName) ? 1 : 0;
}

} // extern "C"

int main() {
    // A tab may be closed at any moment: each defeat goes to the page's
    // storage as it happens.
    SetDefeatRecorded([] {
        try {
            SaveHistory();
            page_store();
        } catch (...) {
            // The end of the run says why it cannot be saved.
        }
    });
    setenv("SDL_VIDEODRIVER", "emscripten", 1);
    for (;;) {
        std::vector<std::string> arguments = Lines(TakeText(page_next_run()));
        const auto replay = std::find(arguments.begin(), arguments.end(), "--replay");
        if (replay != arguments.end() && replay + 1 != arguments.end()) {
            web::PrepareReplayRoster(*(replay + 1));
        } else {
            web::PrepareRoster();
        }
        arguments.insert(arguments.begin(), kProgramName);
        std::vector<char*> argv;
        for (std::string& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        ProgramSetup setup = GameProgramSetup(ScreenSizeMode::Windowed1024x768);
        setup.filesSaved = [] { page_store(); };
        setup.afterFrame = [hold = page_hold_frame()](int64_t frame) {
            if (frame == 1) page_shown();
            // The canvas keeps showing this frame until the page lets go.
            if (frame != hold) return;
            gHeld = true;
            page_held(hold);
            while (gHeld) emscripten_sleep(20);
        };
        const int status = RunProgram(static_cast<int>(arguments.size()), argv.data(), setup);
        page_store();
        page_run_ended(status);
    }
}
