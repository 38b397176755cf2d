// Where the data and the history are found, for a game beside its data, an
// installed one, and the command line's choices.
#include <gtest/gtest.h>

#include <set>

#include "launcher/program_files.h"

namespace {

struct Case {
    const char* what;
    std::string program;
    std::set<std::string> folders, writable, files;
    std::string xdg;
    GameOptions options;
    struct {
        std::string dataFolder, historyFile, copyHistoryFrom;
    } expected;
};

ProgramPlace PlaceOf(const Case& c) {
    ProgramPlace p;
    p.programFolder = c.program;
    p.xdgDataHome = c.xdg;
    p.home = "/home/ann";
    p.isFolder = [&c](const std::string& f) { return c.folders.count(f) > 0; };
    p.isWritableFolder = [&c](const std::string& f) { return c.writable.count(f) > 0; };
    p.isFile = [&c](const std::string& f) { return c.files.count(f) > 0; };
    return p;
}

} // namespace

TEST(ProgramFiles, DataAndHistoryForEachKindOfGame) {
    GameOptions none, data, history;
    data.dataFolder = "/srv/monsters";
    history.historyFile = "/tmp/h.ini";
    const std::string userHistory = "/home/ann/.local/share/stompvale/History.ini";
    const Case cases[] = {
        {"built, beside its data",
         "/g/bin",
         {"/g/bin/Monsters", "/g/bin/images"},
         {"/g/bin"},
         {},
         "",
         none,
         {"/g/bin", "/g/bin/History.ini", ""}},
        {"installed in a system folder",
         "/usr/bin",
         {"/usr/share/stompvale"},
         {},
         {},
         "",
         none,
         {"/usr/share/stompvale", userHistory, ""}},
        {"installed, a history beside the program to bring along",
         "/usr/bin",
         {"/usr/share/stompvale"},
         {},
         {"/usr/bin/History.ini"},
         "/x/data",
         none,
         {"/usr/share/stompvale", "/x/data/stompvale/History.ini", "/usr/bin/History.ini"}},
        {"installed, the user's history already there",
         "/usr/bin",
         {"/usr/share/stompvale"},
         {},
         {"/usr/bin/History.ini", "/x/data/stompvale/History.ini"},
         "/x/data",
         none,
         {"/usr/share/stompvale", "/x/data/stompvale/History.ini", ""}},
        {"a relative XDG_DATA_HOME is ignored",
         "/usr/bin",
         {"/usr/share/stompvale"},
         {},
         {},
         "rel/data",
         none,
         {"/usr/share/stompvale", userHistory, ""}},
        {"installed and run by root: never beside the program, which the package owns",
         "/usr/games",
         {"/usr/share/stompvale"},
         {"/usr/games"},
         {},
         "",
         none,
         {"/usr/share/stompvale", userHistory, ""}},
        {"installed in a writable prefix: an old history beside it is brought along",
         "/opt/sv/bin",
         {"/opt/sv/share/stompvale"},
         {"/opt/sv/bin"},
         {"/opt/sv/bin/History.ini"},
         "",
         none,
         {"/opt/sv/share/stompvale", userHistory, "/opt/sv/bin/History.ini"}},
        {"--data wins",
         "/g/bin",
         {"/g/bin/Monsters"},
         {"/g/bin"},
         {},
         "",
         data,
         {"/srv/monsters", "/g/bin/History.ini", ""}},
        {"--history wins",
         "/usr/bin",
         {"/usr/share/stompvale"},
         {},
         {"/usr/bin/History.ini"},
         "",
         history,
         {"/usr/share/stompvale", "/tmp/h.ini", ""}},
        {"nothing anywhere: the program folder, which then says what is missing",
         "/g/bin",
         {},
         {"/g/bin"},
         {},
         "",
         none,
         {"/g/bin", "/g/bin/History.ini", ""}},
    };
    for (const Case& c : cases) {
        const ProgramFiles got = ResolveProgramFiles(c.options, PlaceOf(c));
        EXPECT_EQ(got.dataFolder, c.expected.dataFolder) << c.what;
        EXPECT_EQ(got.historyFile, c.expected.historyFile) << c.what;
        EXPECT_EQ(got.copyHistoryFrom, c.expected.copyHistoryFrom) << c.what;
        // The controls live beside the history, wherever that is.
        const std::string folder = got.historyFile.substr(0, got.historyFile.rfind('/'));
        EXPECT_EQ(got.controlsFile, folder + "/Controls.ini") << c.what;
    }
}
