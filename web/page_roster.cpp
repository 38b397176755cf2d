#include "web/page_roster.h"

#include <filesystem>
#include <functional>
#include <set>
#include <system_error>

#include "files/bounded_read.h"
#include "monster_check/monster_check.h"
#include "replay/recorded_game.h"
#include "vb/strings.h"

namespace fs = std::filesystem;

namespace web {
namespace {

// Far more than any monster picture: the page's memory is the limit.
constexpr size_t kDroppedMostBytes = size_t{32} << 20;

bool EndsWithGif(const std::string& name) {
    return name.size() >= 4 && vb::LCase(name.substr(name.size() - 4)) == ".gif";
}

// The same name in another case is the same monster to the history.
bool SameName(const std::string& a, const std::string& b) {
    return vb::LCase(a) == vb::LCase(b);
}

bool ShippedHas(const RosterFolders& folders, const std::string& name) {
    std::error_code error;
    for (fs::directory_iterator it(folders.shipped + "/Monsters", error), end; !error && it != end;
         it.increment(error)) {
        if (SameName(it->path().filename().string(), name)) return true;
    }
    return false;
}

Verdict Refused(const std::string& reason, const std::string& report = "") {
    return Verdict{false, reason + (report.empty() ? "" : "\n\n" + report)};
}

} // namespace

namespace {

// `play` made afresh: the shipped data, and beside its monsters the kept ones
// that `wanted` names.
void BuildPlayFolder(const RosterFolders& folders,
                     const std::function<bool(const std::string&)>& wanted) {
    std::error_code error;
    fs::remove_all(folders.play, error);
    fs::create_directories(folders.play, error);
    fs::copy(folders.shipped, folders.play, fs::copy_options::recursive, error);
    for (fs::directory_iterator it(folders.kept, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!it->is_regular_file() || !wanted(name)) continue;
        std::error_code copyError;
        fs::copy_file(it->path(), fs::path(folders.play) / "Monsters" / name,
                      fs::copy_options::overwrite_existing, copyError);
    }
}

} // namespace

void PrepareRoster(const RosterFolders& folders) {
    BuildPlayFolder(folders, [](const std::string&) { return true; });
}

void PrepareReplayRoster(const std::string& recording, const RosterFolders& folders) {
    std::set<std::string> recorded;
    std::string bytes, error;
    RecordedGame game;
    if (files::ReadBoundedFile(recording, kRecordingMostBytes, bytes).kind ==
            files::ReadOutcome::Read &&
        DecodeRecordedGame(bytes, game, error)) {
        for (const MonsterFileHash& monster : game.monsters) recorded.insert(monster.path);
    }
    BuildPlayFolder(folders, [&](const std::string& name) { return recorded.count(name) > 0; });
}

Verdict CheckDroppedMonster(const std::string& path, const RosterFolders& folders) {
    const std::string name = fs::path(path).filename().string();
    if (!EndsWithGif(name)) {
        return Refused("Refused: " + name + " is not a GIF picture; monsters are .gif files.");
    }
    if (ShippedHas(folders, name)) {
        return Refused("Refused: a monster of the game is called " + name +
                       "; give yours another name.");
    }
    std::string bytes;
    const files::ReadOutcome outcome = files::ReadBoundedFile(path, kDroppedMostBytes, bytes);
    if (outcome.kind != files::ReadOutcome::Read) {
        return Refused("Refused: " + name + ": " + files::ReadProblem(outcome, kDroppedMostBytes));
    }
    const monster_check::CheckResult result = monster_check::CheckMonsterBytes(
        name, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    const std::string report = monster_check::FormatReport(result);
    if (!result.loadError.empty()) return Refused("Refused: " + result.loadError, report);
    if (!result.nameOk) {
        return Refused("Refused: the game would stop with Run-time error '" +
                           std::to_string(result.errorNumber) + "': " + result.errorText,
                       report);
    }
    if (!result.beatable) {
        return Refused("Refused: the man cannot beat it (" +
                           std::to_string(result.reachableGroups) + " of the " +
                           std::to_string(monster_check::kHitPointsNeeded) +
                           " hit points needed are in reach).",
                       report);
    }
    std::error_code error;
    fs::create_directories(folders.kept, error);
    // One monster under one name, whatever the case of the new file's.
    for (fs::directory_iterator it(folders.kept, error), end; !error && it != end;
         it.increment(error)) {
        if (SameName(it->path().filename().string(), name)) {
            std::error_code removeError;
            fs::remove(it->path(), removeError);
        }
    }
    const fs::path kept = fs::path(folders.kept) / name;
    if (!fs::copy_file(path, kept, fs::copy_options::overwrite_existing, error)) {
        return Refused("Refused: it could not be kept: " + error.message(), report);
    }
    return Verdict{true, "Accepted: " + name + " joins the monsters.\n\n" + report};
}

bool RemoveKeptMonster(const std::string& fileName, const RosterFolders& folders) {
    if (fileName.empty() || fileName.find('/') != std::string::npos || fileName == "." ||
        fileName == "..")
        return false;
    std::error_code error;
    return fs::remove(fs::path(folders.kept) / fileName, error);
}

} // namespace web
