#include "launcher/options.h"

#include "cli/parser.h"

namespace {

const char* const kSummary = "Climb the giant monsters and stab their white hit points.";

const char* const kNotes =
    "Keys: arrows walk, climb and aim; Z sword (hold to charge); X hold on;\n"
    "Space or C jump; F lowers the monster's hit points by 400; P pause;\n"
    "R try again after dying; F11 or Alt+Enter full screen or window;\n"
    "F12 screenshot into ~/Pictures/Stompvale/; F3 frame time; Escape quit;\n"
    "Tab or F1 the options screen (sound, volume, window, scaling, a marker\n"
    "and colour for the man, a timer, the controls, statistics).\n"
    "A game pad plays too: D-pad or left stick walk and climb, A jump,\n"
    "X sword, B or a shoulder button hold on, Start pause, Back quit, Y try again.\n"
    "Controls.ini beside the history maps each action (Left, Right, Up, Down,\n"
    "Jump, Sword, Hold, Lower, Pause, Retry, Quit) to keys and pad inputs, e.g.\n"
    "  Jump = J, PadA\n"
    "\n"
    "Data: Monsters/ and images/ beside the program, or else in\n"
    "../share/stompvale beside its folder (an installed game), or --data.\n"
    "History: History.ini beside the program while that folder is writable,\n"
    "otherwise $XDG_DATA_HOME/stompvale/History.ini (~/.local/share/stompvale/),\n"
    "or --history. It is read at the start and written when the game ends.\n"
    "Settings.ini (the options screen's choices; the command line wins for\n"
    "its run) and Stats.ini (best times, deaths, strikes) live beside it.\n";

// The one declaration of the games' command line: parsing and --help both
// come from it.
cli::Parser Declared(const std::string& program, GameOptions& o) {
    cli::Parser parser(program, kSummary);
    parser.Flag("--window", o.window, "a normal, resizable window the size of the play area")
        .Flag("--fullscreen", o.fullScreen, "start in full screen")
        .Flag("--sound", o.sound,
              "play the game's own sounds (Sounds/ beside its data); without it the game is "
              "silent")
        .Flag("--mute", o.mute, "no sound at all, not even the device opened; wins over --sound")
        .Value("--data", "DIR", o.dataFolder, "read Monsters/ and images/ from DIR")
        .Value("--history", "FILE", o.historyFile, "read and write the defeat counts in FILE")
        .Value("--monster", "FILE", o.monsterFile,
               "play just the monster picture FILE, with the scenery, screens and sounds of the "
               "program (or of --data), past the title screens; the defeats are kept only with "
               "--history")
        .Value("--monsters", "DIR", o.monstersFolder,
               "the same with every .gif picture in DIR, in the order of their names")
        .Flag("--watch", o.watch,
              "with --monster or --monsters: build the monster again within a second of its "
              "picture being saved")
        .Value("--record", "FILE", o.recordFile, "write everything about the game played to FILE")
        .Value("--replay", "FILE", o.replayFile,
               "play a recorded game back and print its checksum; the player's history is left "
               "alone unless --history is given")
        .Flag("--headless", o.headless, "with --replay: no window, as fast as it goes")
        .Exclusive({"--window", "--fullscreen"})
        .Exclusive({"--record", "--replay"})
        .Exclusive({"--monster", "--monsters", "--record", "--replay"})
        .Requires("--headless", "--replay")
        .Notes(kNotes);
    return parser;
}

} // namespace

ParsedOptions ParseOptions(const std::string& program, const std::vector<std::string>& arguments) {
    ParsedOptions parsed;
    cli::Parser parser = Declared(program, parsed.options);
    switch (parser.Parse(arguments)) {
    case cli::Outcome::Help:
        parsed.options.help = true;
        break;
    case cli::Outcome::Version:
        parsed.options.version = true;
        break;
    case cli::Outcome::Error:
        parsed.error = parser.Error();
        break;
    case cli::Outcome::Run:
        if (parsed.options.watch && parsed.options.monsterFile.empty() &&
            parsed.options.monstersFolder.empty())
            parsed.error = "--watch needs --monster or --monsters";
        break;
    }
    return parsed;
}

std::string UsageText(const std::string& program) {
    GameOptions unused;
    return Declared(program, unused).Usage();
}
