#include "launcher/program_files.h"

#include <filesystem>
#include <unistd.h>

#include "vb/program_folder.h"

namespace fs = std::filesystem;

ProgramFiles ResolveProgramFiles(const GameOptions& options, const ProgramPlace& place) {
    ProgramFiles files;
    const std::string beside = place.programFolder;
    const std::string shared =
        (fs::path(beside) / ".." / "share" / "stompvale").lexically_normal().string();
    // An installed game never writes beside itself, even when run by root: the
    // package owns that folder and removing it would leave the history behind.
    bool installed = false;
    if (!options.dataFolder.empty()) {
        files.dataFolder = options.dataFolder;
    } else if (place.isFolder(beside + "/Monsters") || place.isFolder(beside + "/images")) {
        files.dataFolder = beside;
    } else if (place.isFolder(shared)) {
        files.dataFolder = shared;
        installed = true;
    } else {
        files.dataFolder = beside; // the game says what is missing there
    }

    const std::string besideHistory = beside + "/History.ini";
    if (!options.historyFile.empty()) {
        files.historyFile = options.historyFile;
    } else if (!installed && place.isWritableFolder(beside)) {
        files.historyFile = besideHistory;
    } else {
        // The base directory rules: a relative XDG_DATA_HOME is ignored.
        const std::string base = !place.xdgDataHome.empty() && place.xdgDataHome[0] == '/'
                                     ? place.xdgDataHome
                                     : place.home + "/.local/share";
        files.historyFile = base + "/stompvale/History.ini";
        if (!place.isFile(files.historyFile) && place.isFile(besideHistory)) {
            files.copyHistoryFrom = besideHistory;
        }
    }
    const size_t slash = files.historyFile.rfind('/');
    files.controlsFile =
        (slash == std::string::npos ? std::string(".") : files.historyFile.substr(0, slash)) +
        "/Controls.ini";
    return files;
}

ProgramPlace ThisProgramPlace() {
    ProgramPlace place;
    place.programFolder = vb::ProgramFolder().string();
    if (const char* xdg = std::getenv("XDG_DATA_HOME")) place.xdgDataHome = xdg;
    if (const char* home = std::getenv("HOME")) place.home = home;
    place.isFolder = [](const std::string& path) {
        std::error_code error;
        return fs::is_directory(path, error);
    };
    place.isWritableFolder = [](const std::string& path) {
        std::error_code error;
        return fs::is_directory(path, error) && access(path.c_str(), W_OK | X_OK) == 0;
    };
    place.isFile = [](const std::string& path) {
        std::error_code error;
        return fs::exists(path, error);
    };
    return place;
}

void PrepareHistoryFile(const ProgramFiles& files) {
    std::error_code ec;
    const fs::path folder = fs::path(files.historyFile).parent_path();
    if (!folder.empty()) fs::create_directories(folder, ec);
    if (!files.copyHistoryFrom.empty()) {
        fs::copy_file(files.copyHistoryFrom, files.historyFile, fs::copy_options::skip_existing,
                      ec);
    }
}
