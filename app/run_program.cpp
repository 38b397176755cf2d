#include "app/run_program.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/history.h"
#include "app/options.h"
#include "app/program_files.h"
#include "app/run_recorded.h"
#include "platform/controls.h"
#include "platform/host.h"

#ifndef STOMPVALE_VERSION
#define STOMPVALE_VERSION "unknown"
#endif

namespace {

// The player's controls: the defaults, or Controls.ini where there is one.
// Lines that cannot be read are named on stderr and left out.
platform::ControlMap LoadControls(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return platform::ControlMap::Defaults();
    std::stringstream text;
    text << in.rdbuf();
    std::vector<std::string> warnings;
    platform::ControlMap map = platform::ParseControls(text.str(), path, warnings);
    for (const std::string& warning : warnings) std::fprintf(stderr, "%s\n", warning.c_str());
    return map;
}

} // namespace

int RunProgram(int argc, char** argv, const ProgramSetup& setup) {
    std::string program = argc > 0 ? argv[0] : "stompvale";
    program = program.substr(program.rfind('/') + 1);
    const ParsedOptions parsed = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "%s: %s\n\n%s", program.c_str(), parsed.error.c_str(),
                     UsageText(program).c_str());
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

    ProgramSetup withOptions = setup;
    withOptions.sound = options.sound;
    withOptions.mute = options.mute;
    const ProgramFiles files = ResolveProgramFiles(options, ThisProgramPlace());
    const ProgramIdentity identity{program, STOMPVALE_VERSION};

    platform::SdlHostSettings settings;
    settings.appPath = files.dataFolder;
    settings.controls = LoadControls(files.controlsFile);
    settings.window = options.window       ? platform::WindowChoice::RealWindow
                      : options.fullScreen ? platform::WindowChoice::FullScreen
                                           : platform::WindowChoice::AsTheGameAsks;
    if (!options.replayFile.empty()) {
        return RunReplay(withOptions, files, identity, options, settings);
    }

    PrepareHistoryFile(files);
    SetHistoryFile(files.historyFile);
    std::unique_ptr<platform::Host> window;
    try {
        window = platform::CreateSdlHost(settings);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", kGameCaption, error.what());
        return 1;
    }
    platform::SetHost(window.get());
    const int status = options.recordFile.empty() ? Main(withOptions)
                                                  : RunRecording(*window, withOptions, files,
                                                                 identity, options.recordFile);
    window.reset();
    platform::SetHost(nullptr);
    return status;
}
