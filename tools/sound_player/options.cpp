#include "options.h"

cli::Parser PlayerCommandLine(PlayerOptions& options) {
    cli::Parser parser("stompvale-sound",
                       "Plays each sound file in turn through the game's sound library; a folder "
                       "is a\nsound set, and one of its files (subfolders included) is played at "
                       "random.\nWAV, AIFF, FLAC, Ogg Vorbis, Opus and MP3 are read.");
    parser.Arguments("FILE|FOLDER", options.paths, 1, "")
        .Number("--volume", "V", options.volume, -100.0, 100.0,
                "-100 (silent) .. 100 (full); 0 is half volume. Default 100.")
        .Number("--pan", "P", options.pan, -100.0, 100.0, "-100 (left) .. 100 (right). Default 0.")
        .Number("--pitch", "F", options.pitch, -1000.0, 1000.0,
                "change of rate in percent: 100 plays at twice the rate (an octave up), -100 at "
                "half the rate (an octave down). Default 0.")
        .Flag("--loop", options.loop, "play in a loop until Ctrl-C.")
        .Flag("--stream", options.stream,
              "decode while playing (for long music) instead of loading whole.")
        .Notes("On a terminal a line shows the position and length in seconds. Ctrl-C stops.\n"
               "Exit status: 0 when everything was played; 1 when there is no sound device or\n"
               "a file could not be played; 2 for a command line that is not understood; 130\n"
               "after Ctrl-C. SDL_AUDIODRIVER chooses SDL's audio driver (for example \"disk\",\n"
               "which writes to SDL_DISKAUDIOFILE).");
    return parser;
}
