#include "launcher/monster_trial.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "game/frmMain.h"
#include "gdi/picture.h"
#include "launcher/picture_watch.h"
#include "monsters/clsMonster.h"
#include "vb/strings.h"

namespace fs = std::filesystem;

namespace {

// How often --watch looks for saved pictures: five times a second.
constexpr int64_t kWatchFrames = 10;

// What the game reads from its data folder besides the monsters.
constexpr const char* kProgramParts[] = {"images", "Sounds"};

bool IsGifName(const fs::path& path) {
    return vb::LCase(path.extension().string()) == ".gif";
}

// A regular file (a link to one counts), not a folder or a device.
bool IsPicture(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) && IsGifName(path);
}

std::string MakeScratchFolder() {
    std::error_code error;
    fs::path base = fs::temp_directory_path(error);
    if (error) base = "/tmp";
    std::string pattern = (base / "stompvale-monster-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw MonsterTrialError("cannot make a folder in " + base.string() + " to play from");
    }
    return pattern;
}

} // namespace

MonsterTrialFolder::MonsterTrialFolder(const std::string& programData, const GameOptions& options) {
    std::vector<fs::path> pictures;
    std::error_code error;
    if (!options.monsterFile.empty()) {
        const fs::path file = options.monsterFile;
        if (!fs::exists(file, error)) throw MonsterTrialError(file.string() + ": no such file");
        if (!IsPicture(file)) {
            throw MonsterTrialError(file.string() + ": not a monster picture (a .gif file)");
        }
        pictures.push_back(file);
    } else {
        const fs::path folder = options.monstersFolder;
        if (!fs::exists(folder, error))
            throw MonsterTrialError(folder.string() + ": no such folder");
        if (!fs::is_directory(folder, error)) {
            throw MonsterTrialError(folder.string() + ": not a folder");
        }
        // Only the folder's own pictures: a folder inside it, or a link to
        // one, is not followed.
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            if (IsPicture(it->path())) pictures.push_back(it->path());
        }
        if (error) throw MonsterTrialError(folder.string() + ": " + error.message());
        if (pictures.empty()) throw MonsterTrialError(folder.string() + ": no .gif pictures in it");
        std::sort(pictures.begin(), pictures.end());
    }

    mFolder = MakeScratchFolder();
    try {
        for (const char* part : kProgramParts) {
            const fs::path from = fs::path(programData) / part;
            if (!fs::is_directory(from, error)) continue; // the game says what is missing
            fs::copy(from, fs::path(mFolder) / part,
                     fs::copy_options::recursive | fs::copy_options::skip_symlinks, error);
            if (error) throw MonsterTrialError(from.string() + ": " + error.message());
        }
        const fs::path monsters = fs::path(mFolder) / "Monsters";
        fs::create_directory(monsters, error);
        if (error) throw MonsterTrialError(monsters.string() + ": " + error.message());
        for (const fs::path& picture : pictures) {
            fs::copy_file(picture, monsters / picture.filename(),
                          fs::copy_options::overwrite_existing, error);
            if (error) throw MonsterTrialError(picture.string() + ": " + error.message());
        }
        for (const fs::path& picture : pictures) mSources.push_back(picture.string());
    } catch (...) {
        fs::remove_all(mFolder, error);
        throw;
    }
}

GameSession::FormFactory WithoutTitleScreens(GameSession::FormFactory newForm) {
    return [newForm]() {
        std::unique_ptr<GameForm> form = newForm();
        // Past the last title screen: the monster's banner is the first text.
        if (auto* game = dynamic_cast<frmMainForm*>(form.get())) game->TitleStep = 4;
        return form;
    };
}

std::string MonsterTrialFolder::Reload(const std::string& source, std::string& problem) {
    if (std::find(mSources.begin(), mSources.end(), source) == mSources.end()) {
        problem = source + ": not one of the pictures played";
        return "";
    }
    try {
        gdi::LoadPicture(source); // a half-saved or broken picture leaves the old one
    } catch (const std::exception& error) {
        problem = source + ": " + error.what();
        return "";
    }
    const fs::path name = fs::path(source).filename();
    std::error_code error;
    fs::copy_file(source, fs::path(mFolder) / "Monsters" / name,
                  fs::copy_options::overwrite_existing, error);
    if (error) {
        problem = source + ": " + error.message();
        return "";
    }
    return name.string();
}

void ReloadChangedMonsters(MonsterTrialFolder& trial, PictureWatch& watch, int64_t frame) {
    if (frame % kWatchFrames != 0) return;
    for (const std::string& source : watch.Changed()) {
        std::string problem;
        const std::string name = trial.Reload(source, problem);
        if (name.empty()) {
            std::fprintf(stderr, "--watch: %s; the monster stays as it was\n", problem.c_str());
            continue;
        }
        frmMainForm* game = TheGameForm();
        if (!game || game->Monster(1).mFileName != name) continue;
        std::fprintf(stderr, "--watch: %s again\n", name.c_str());
        game->Monster(1).Initialize();
    }
}

MonsterTrialFolder::~MonsterTrialFolder() {
    std::error_code error;
    fs::remove_all(mFolder, error);
}
