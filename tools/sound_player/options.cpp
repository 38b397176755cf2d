#include "options.h"

#include <cmath>
#include <cstdlib>

const char* const kPlayerUsage =
    R"(Usage: stompvale-sound [--volume V] [--pan P] [--pitch F] [--loop] [--stream] FILE|FOLDER...

Plays each sound file in turn through the game's sound library; a folder is a
sound set, and one of its files (subfolders included) is played at random.
WAV, AIFF, FLAC, Ogg Vorbis, Opus and MP3 are read.

  --volume V   -100 (silent) .. 100 (full); 0 is half volume. Default 100.
  --pan P      -100 (left) .. 100 (right). Default 0.
  --pitch F    change of rate in percent: 100 plays at twice the rate (an
               octave up), -100 at half the rate (an octave down). Default 0.
  --loop       play in a loop until Ctrl-C.
  --stream     decode while playing (for long music) instead of loading whole.
  --help       this text.

On a terminal a line shows the position and length in seconds. Ctrl-C stops.
Exit status: 0 when everything was played; 1 when there is no sound device or
a file could not be played; 2 for a command line that is not understood; 130
after Ctrl-C. SDL_AUDIODRIVER chooses SDL's audio driver (for example "disk",
which writes to SDL_DISKAUDIOFILE).
)";

namespace {

bool ParseNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end && *end == '\0' && std::isfinite(value);
}

} // namespace

bool ParsePlayerOptions(const std::vector<std::string>& args, PlayerOptions& options,
                        std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        double* number = nullptr;
        if (arg == "--volume") number = &options.volume;
        if (arg == "--pan") number = &options.pan;
        if (arg == "--pitch") number = &options.pitch;
        if (number) {
            if (i + 1 >= args.size() || !ParseNumber(args[i + 1], *number)) {
                error = arg + " needs a number";
                return false;
            }
            ++i;
        } else if (arg == "--loop") {
            options.loop = true;
        } else if (arg == "--stream") {
            options.stream = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--") {
            options.paths.insert(options.paths.end(), args.begin() + i + 1, args.end());
            break;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return false;
        } else {
            options.paths.push_back(arg);
        }
    }
    if (!options.help && options.paths.empty()) {
        error = "no file or folder to play";
        return false;
    }
    if (options.volume < -100 || options.volume > 100) {
        error = "--volume must lie within -100 .. 100";
        return false;
    }
    if (options.pan < -100 || options.pan > 100) {
        error = "--pan must lie within -100 .. 100";
        return false;
    }
    if (options.pitch < -1000 || options.pitch > 1000) {
        error = "--pitch must lie within -1000 .. 1000";
        return false;
    }
    return true;
}
