#include "launcher/run_program.h"

#include <cstdio>
#include <ctime>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/view_overlay_host.h"
#include "files/bounded_read.h"
#include "history/history.h"
#include "launcher/comforts_files.h"
#include "launcher/end_signals.h"
#include "launcher/game_window.h"
#include "launcher/monster_trial.h"
#include "launcher/options.h"
#include "launcher/picture_watch.h"
#include "launcher/program_files.h"
#include "launcher/run_recorded.h"
#include "launcher/screenshots.h"
#include "launcher/trial_messages.h"
#include "platform/controls.h"
#include "platform/host.h"

#ifndef STOMPVALE_VERSION
#define STOMPVALE_VERSION "unknown"
#endif

namespace {

// A Controls.ini is a dozen short lines.
constexpr size_t kControlsMostBytes = size_t{1} << 20;

// The player's controls: the defaults, or Controls.ini where there is one.
// Lines that cannot be read are named on stderr and left out; a file that
// cannot be read at all leaves the defaults, and says so.
platform::ControlMap LoadControls(const std::string& path) {
    std::string text;
    const files::ReadOutcome outcome = files::ReadBoundedFile(path, kControlsMostBytes, text);
    if (outcome.kind == files::ReadOutcome::Missing) return platform::ControlMap::Defaults();
    if (outcome.kind != files::ReadOutcome::Read) {
        std::fprintf(stderr, "%s: %s; the default controls are used\n", path.c_str(),
                     files::ReadProblem(outcome, kControlsMostBytes).c_str());
        return platform::ControlMap::Defaults();
    }
    std::vector<std::string> warnings;
    platform::ControlMap map = platform::ParseControls(text, path, warnings);
    for (const std::string& warning : warnings) std::fprintf(stderr, "%s\n", warning.c_str());
    return map;
}

// F12 in live play. The page has no pictures folder of the player's: the
// browser keeps its own F12.
ViewOverlayHost::Screenshot TakeScreenshot() {
#ifdef __EMSCRIPTEN__
    return nullptr;
#else
    return [folder = ScreenshotFolder(ThisPicturesPlace())](const gdi::Picture& view) {
        return SaveScreenshot(view, folder, std::time(nullptr));
    };
#endif
}

// What the game ran to, once its window is gone: a SIGQUIT ends it as such.
int Ended(int status) {
    EndAsTheSignalAsks();
    return status;
}

} // namespace

int RunProgram(int argc, char** argv, const ProgramSetup& setup) {
    std::string program = argc > 0 ? argv[0] : "stompvale";
    program = program.substr(program.rfind('/') + 1);
    const ParsedOptions parsed =
        ParseOptions(program, std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "%s: %s (see --help)\n", program.c_str(), parsed.error.c_str());
        return 2;
    }
    const GameOptions& options = parsed.options;
    if (options.help) {
        std::fputs(UsageText(program).c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%s %s\n", program.c_str(), STOMPVALE_VERSION);
        return 0;
    }

    // From here on, every way the system asks the game to end saves as
    // closing its window does.
    CatchEndSignals();
    ProgramSetup withOptions = setup;
    withOptions.sound = options.sound;
    withOptions.mute = options.mute;
    ProgramFiles files = ResolveProgramFiles(options, ThisProgramPlace());
    const ProgramIdentity identity{program, STOMPVALE_VERSION};
    // Removed when the game has ended, after its window.
    std::unique_ptr<MonsterTrialFolder> trial;
    std::unique_ptr<PictureWatch> watch;
    if (WantsMonsterTrial(options)) {
        try {
            trial = std::make_unique<MonsterTrialFolder>(files.dataFolder, options);
        } catch (const MonsterTrialError& error) {
            std::fprintf(stderr, "%s: %s\n", program.c_str(), error.what());
            return 1;
        }
        files.dataFolder = trial->DataFolder();
        if (options.historyFile.empty()) {
            files.historyFile = trial->HistoryFile();
            files.copyHistoryFrom.clear();
        }
        if (options.watch) watch = std::make_unique<PictureWatch>(trial->Sources());
    }

    const platform::ControlMap controls = LoadControls(files.controlsFile);
    if (!options.replayFile.empty()) {
        const std::unique_ptr<PlayerComforts> comforts = ReplayComforts();
        withOptions.comforts = comforts.get();
        return Ended(RunReplay(withOptions, files, identity, options, controls));
    }
    const std::unique_ptr<PlayerComforts> comforts =
        LiveComforts(options, files, controls, setup.filesSaved);
    const Settings& settings = comforts->CurrentSettings();
    withOptions.comforts = comforts.get();
    withOptions.sound = settings.sound;

    PrepareHistoryFile(files);
    SetHistoryFile(files.historyFile);
    std::unique_ptr<platform::Host> window;
    try {
        window = OpenGameWindow(WithDisplay(options, settings), files.dataFolder, controls);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", kGameCaption, error.what());
        return 1;
    }
    int status = 0;
    {
        EndSignalHost ending(*window);
        ViewOverlayHost overlay(ending, TakeScreenshot());
        overlay.drawOver = [&comforts](ViewMarks& marks) { comforts->DrawOver(marks); };
        TrialMessageHost messages(overlay);
        platform::SetHost(trial ? static_cast<platform::Host*>(&messages) : &overlay);
        ApplySettings(settings, options.mute);
        if (trial) {
            status = PlayMonsterTrial(withOptions, *trial, watch.get(), messages);
        } else {
            status = options.recordFile.empty()
                         ? Main(withOptions)
                         : RunRecording(overlay, withOptions, files, identity, options.recordFile);
        }
        platform::SetHost(nullptr);
    }
    window.reset();
    return Ended(status);
}
