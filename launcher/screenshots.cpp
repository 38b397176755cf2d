#include "launcher/screenshots.h"

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <sstream>

#include "files/bounded_read.h"
#include "gdi/png_file.h"

namespace fs = std::filesystem;

namespace {

// The user's folders file is a few lines.
constexpr size_t kUserDirsMostBytes = 64 * 1024;

// XDG_PICTURES_DIR="$HOME/Pictures" in the user's folders file: "" when the
// file does not say, or says what the format does not allow.
std::string PicturesFromUserDirs(const std::string& text, const std::string& home) {
    std::istringstream lines(text);
    std::string line, found;
    while (std::getline(lines, line)) {
        const std::string key = "XDG_PICTURES_DIR=\"";
        if (line.rfind(key, 0) != 0) continue;
        const size_t end = line.find('"', key.size());
        if (end == std::string::npos) continue;
        std::string value = line.substr(key.size(), end - key.size());
        if (value.rfind("$HOME", 0) == 0) {
            value = home + value.substr(5);
        } else if (value.empty() || value[0] != '/') {
            continue; // only absolute paths or ones under $HOME
        }
        found = value; // the last one counts
    }
    return found;
}

} // namespace

std::string ScreenshotFolder(const PicturesPlace& place) {
    std::string pictures;
    if (!place.xdgPicturesDir.empty() && place.xdgPicturesDir[0] == '/') {
        pictures = place.xdgPicturesDir;
    } else {
        pictures = PicturesFromUserDirs(place.userDirsText, place.home);
    }
    // A folders file that names the home itself means "no pictures folder".
    if (pictures.empty() ||
        fs::path(pictures).lexically_normal() == fs::path(place.home + "/").lexically_normal()) {
        pictures = place.home + "/Pictures";
    }
    return (fs::path(pictures) / "Stompvale").lexically_normal().string();
}

PicturesPlace ThisPicturesPlace() {
    PicturesPlace place;
    if (const char* home = std::getenv("HOME")) place.home = home;
    if (const char* config = std::getenv("XDG_CONFIG_HOME")) place.xdgConfigHome = config;
    if (const char* pictures = std::getenv("XDG_PICTURES_DIR")) place.xdgPicturesDir = pictures;
    const std::string config = !place.xdgConfigHome.empty() && place.xdgConfigHome[0] == '/'
                                   ? place.xdgConfigHome
                                   : place.home + "/.config";
    std::string text;
    if (files::ReadBoundedFile(config + "/user-dirs.dirs", kUserDirsMostBytes, text).kind ==
        files::ReadOutcome::Read)
        place.userDirsText = text;
    return place;
}

std::string SaveScreenshot(const gdi::Picture& view, const std::string& folder, std::time_t when) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) return "No screenshot: " + folder + ": " + error.message();
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H-%M-%S", &local);
    std::string name = std::string("Stompvale ") + stamp + ".png";
    for (int n = 2; fs::exists(fs::path(folder) / name, error); ++n)
        name = std::string("Stompvale ") + stamp + " " + std::to_string(n) + ".png";
    try {
        gdi::SavePicturePng((fs::path(folder) / name).string(), view, false);
    } catch (const std::exception& problem) {
        return std::string("No screenshot: ") + problem.what();
    }
    return "Screenshot: " + name;
}
