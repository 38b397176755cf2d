#include "app/options.h"

ParsedOptions ParseOptions(const std::vector<std::string>& arguments) {
    ParsedOptions parsed;
    GameOptions& o = parsed.options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        // A value follows its option as the next argument or after "=".
        auto value = [&](const std::string& name, std::string& into) {
            if (arg.rfind(name + "=", 0) == 0) {
                into = arg.substr(name.size() + 1);
            } else if (i + 1 < arguments.size()) {
                into = arguments[++i];
            } else {
                parsed.error = name + " needs a value";
                return;
            }
            if (into.empty()) parsed.error = name + " needs a value";
        };
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "--window") {
            o.window = true;
        } else if (arg == "--fullscreen") {
            o.fullScreen = true;
        } else if (arg == "--data" || arg.rfind("--data=", 0) == 0) {
            value("--data", o.dataFolder);
        } else if (arg == "--history" || arg.rfind("--history=", 0) == 0) {
            value("--history", o.historyFile);
        } else if (arg == "--record" || arg.rfind("--record=", 0) == 0) {
            value("--record", o.recordFile);
        } else if (arg == "--replay" || arg.rfind("--replay=", 0) == 0) {
            value("--replay", o.replayFile);
        } else if (arg == "--headless") {
            o.headless = true;
        } else if (arg == "--sound") {
            o.sound = true;
        } else if (arg == "--mute") {
            o.mute = true;
        } else {
            parsed.error = "unknown option " + arg;
        }
        if (!parsed.error.empty()) return parsed;
    }
    if (o.window && o.fullScreen) parsed.error = "--window and --fullscreen exclude each other";
    if (!o.recordFile.empty() && !o.replayFile.empty()) {
        parsed.error = "--record and --replay exclude each other";
    }
    if (o.headless && o.replayFile.empty()) parsed.error = "--headless needs --replay FILE";
    return parsed;
}

std::string UsageText(const std::string& program) {
    return "usage: " + program +
           " [--window | --fullscreen] [--sound] [--mute] [--data DIR]\n"
           "       [--history FILE] [--record FILE | --replay FILE [--headless]]\n"
           "       " +
           program +
           " --help | --version\n"
           "\n"
           "Climb the giant monsters and stab their white hit points.\n"
           "\n"
           "  --window        a normal, resizable window the size of the play area\n"
           "  --fullscreen    start in full screen\n"
           "  --sound         play the game's own sounds (Sounds/ beside its data);\n"
           "                  without it the game is silent\n"
           "  --mute          no sound at all, not even the device opened; wins over --sound\n"
           "  --data DIR      read Monsters/ and images/ from DIR\n"
           "  --history FILE  read and write the defeat counts in FILE\n"
           "  --record FILE   write everything about the game played to FILE\n"
           "  --replay FILE   play a recorded game back and print its checksum; the\n"
           "                  player's history is left alone unless --history is given\n"
           "  --headless      with --replay: no window, as fast as it goes\n"
           "  --help          this text\n"
           "  --version       the program's version\n"
           "\n"
           "Keys: arrows walk, climb and aim; Z sword (hold to charge); X hold on;\n"
           "Space or C jump; F lowers the monster's hit points by 400; P pause;\n"
           "R try again after dying; F11 or Alt+Enter full screen or window;\n"
           "Escape quit. A game pad plays too: D-pad or left stick walk and climb, A jump,\n"
           "X sword, B or a shoulder button hold on, Start pause, Back quit, Y try again.\n"
           "Controls.ini beside the history maps each action (Left, Right, Up, Down,\n"
           "Jump, Sword, Hold, Lower, Pause, Retry, Quit) to keys and pad inputs, e.g.\n"
           "  Jump = J, PadA\n"
           "\n"
           "Data: Monsters/ and images/ beside the program, or else in\n"
           "../share/stompvale beside its folder (an installed game), or --data.\n"
           "History: History.ini beside the program while that folder is writable,\n"
           "otherwise $XDG_DATA_HOME/stompvale/History.ini (~/.local/share/stompvale/),\n"
           "or --history. It is read at the start and written when the game ends.\n";
}
