// stompvale-sound: plays files and sound sets through the game's sound
// classes. See its --help.
#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "audio/bass.h"
#include "audio/sound_enabled.h"
#include "options.h"
#include "platform/audio_device.h"
#include "platform_sdl/sdl_audio_device.h"
#include "player.h"
#include "vb/random.h"

namespace {

volatile std::sig_atomic_t gInterrupted = 0;

void OnInterrupt(int) {
    gInterrupted = 1;
}

} // namespace

int main(int argc, char** argv) {
    PlayerOptions options;
    cli::Parser parser = PlayerCommandLine(options);
    if (const std::optional<int> status = parser.Handle(argc, argv)) return *status;

    ConsoleHost host;
    host.AudioOpener = platform_sdl::OpenSdlAudioDevice;
    platform::SetHost(&host);
    vb::Randomize();
    SoundEnabled = BASS_Init(-1, 44100, 0, nullptr, nullptr) != 0;
    if (!SoundEnabled) {
        const std::string why = platform_sdl::LastAudioDeviceError();
        std::fprintf(stderr, "stompvale-sound: no sound device%s%s\n", why.empty() ? "" : ": ",
                     why.c_str());
        platform::SetHost(nullptr);
        return 1;
    }
    struct sigaction action {};
    action.sa_handler = &OnInterrupt;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    int status = 0;
    SoundPlayer player(options, host, gInterrupted);
    for (const std::string& path : options.paths) {
        const PlayResult result = player.Play(path);
        if (result == PlayResult::Failed) status = 1;
        if (result == PlayResult::Interrupted) {
            status = 130;
            break;
        }
    }
    BASS_Free();
    platform::SetHost(nullptr);
    return status;
}
