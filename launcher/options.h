// The game binaries' command line. Without arguments the game behaves exactly
// as it always has; every option only adds a comfort around it.
#pragma once

#include <string>
#include <vector>

struct GameOptions {
    bool help = false, version = false;
    bool window = false;        // a real, resizable window the size of the play area
    bool fullScreen = false;    // start in full screen
    std::string dataFolder;     // holds Monsters/ and images/; "" = the usual place
    std::string historyFile;    // "" = the usual place
    std::string monsterFile;    // play just this picture, with the program's own data
    std::string monstersFolder; // the same with every .gif picture in this folder
    bool watch = false;         // with either: rebuild the monster when its picture is saved
    std::string recordFile;     // write the game played to it
    std::string replayFile;     // play a recorded game back
    bool headless = false;      // a replay without a window, as fast as it goes
    bool sound = false;         // the game's own sounds
    bool mute = false;          // no sound at all; wins over `sound`
};

struct ParsedOptions {
    GameOptions options;
    std::string error; // "" when the command line is good
};

// The arguments after the program's name.
ParsedOptions ParseOptions(const std::string& program, const std::vector<std::string>& arguments);

// The usage text for --help: the options, the keys, and where data and
// history are read and written.
std::string UsageText(const std::string& program);
