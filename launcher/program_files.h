// Where the game reads its data and keeps its history: beside the program as
// it always has, or, for an installed game, in the shared data folder and the
// user's data folder; the command line can name either.
#pragma once

#include <functional>
#include <string>

#include "launcher/options.h"

struct ProgramFiles {
    std::string dataFolder;   // holds Monsters/ and images/: the game's program folder
    std::string historyFile;  // History.ini
    std::string controlsFile; // Controls.ini, beside the history (it need not exist)
    // A history beside the program to bring along on first use of the user's
    // data folder ("" when there is none to copy).
    std::string copyHistoryFrom;
};

// What the machine says, passed in so that the rules can be tried anywhere.
struct ProgramPlace {
    std::string programFolder; // the executable's folder
    std::string xdgDataHome;   // $XDG_DATA_HOME ("" when unset)
    std::string home;          // $HOME
    std::function<bool(const std::string&)> isFolder;
    std::function<bool(const std::string&)> isWritableFolder;
    std::function<bool(const std::string&)> isFile;
};

ProgramFiles ResolveProgramFiles(const GameOptions& options, const ProgramPlace& place);

// The place as this process finds it: the executable's folder and the
// environment, with the file system's answers.
ProgramPlace ThisProgramPlace();

// Makes the history's folder and copies the history from beside the program
// when the files say so. Problems are left for the history's own reading and
// writing to report.
void PrepareHistoryFile(const ProgramFiles& files);
