#include "launcher/game_window.h"

#include "platform_sdl/sdl_host.h"

std::unique_ptr<platform::Host> OpenGameWindow(const GameOptions& options,
                                               const std::string& dataFolder,
                                               const platform::ControlMap& controls) {
    using platform_sdl::WindowChoice;
    platform_sdl::SdlHostSettings settings;
    settings.appPath = dataFolder;
    settings.controls = controls;
    settings.window = options.window       ? WindowChoice::RealWindow
                      : options.fullScreen ? WindowChoice::FullScreen
                                           : WindowChoice::AsTheGameAsks;
    return platform_sdl::CreateSdlHost(settings);
}
