#include "launcher/monster_trial.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/frame_pacing.h"
#include "files/clsFiles.h"
#include "game/frmMain.h"
#include "gfx/modGraphic.h"
#include "history/history.h"
#include "launcher/picture_watch.h"
#include "launcher/trial_messages.h"
#include "monster_check/monster_check.h"
#include "monsters/clsMonster.h"
#include "platform/key_table.h"
#include "vb/numeric.h"
#include "vb/strings.h"

namespace fs = std::filesystem;

namespace {

// How often --watch looks for saved pictures: five times a second.
constexpr int64_t kWatchFrames = 10;

// Behind the reports while nothing can be played: the game's cleared view.
constexpr gdi::COLORREF kWaitingBackground = gdi::RGB(213, 210, 190);

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
        for (const fs::path& picture : pictures) mSources.push_back(picture.string());
        for (const std::string& source : mSources) {
            const Reloaded taken = Reload(source);
            if (taken.name.empty() && !mProblems.contains(source))
                throw MonsterTrialError(taken.problem);
        }
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

std::vector<std::string> MonsterTrialFolder::Problems() const {
    std::vector<std::string> reports;
    for (const std::string& source : mSources) {
        const auto problem = mProblems.find(source);
        if (problem != mProblems.end()) reports.push_back(problem->second);
    }
    return reports;
}

MonsterTrialFolder::Reloaded MonsterTrialFolder::Reload(const std::string& source) {
    if (std::find(mSources.begin(), mSources.end(), source) == mSources.end())
        return {"", source + ": not one of the pictures played"};
    std::string report;
    try {
        const monster_check::CheckResult check = monster_check::CheckMonsterFile(source);
        if (!monster_check::Playable(check)) report = monster_check::FormatReport(check);
    } catch (const std::exception& error) {
        report = source + ": " + error.what();
    }
    if (!report.empty()) {
        while (report.back() == '\n') report.pop_back();
        if (!mCopied.contains(source)) mProblems[source] = report;
        return {"", report};
    }
    const fs::path name = fs::path(source).filename();
    std::error_code error;
    fs::copy_file(source, fs::path(mFolder) / "Monsters" / name,
                  fs::copy_options::overwrite_existing, error);
    if (error) return {"", source + ": " + error.message()};
    mProblems.erase(source);
    return {name.string(), "", mCopied.insert(source).second};
}

namespace {

// How long a report shows over the game: long enough to read a few lines.
constexpr int kReportSeconds = 8;

// A heading, the reports line by line, and a last line when there is one.
std::vector<std::string> Message(const std::string& heading,
                                 const std::vector<std::string>& reports,
                                 const std::string& last = "") {
    std::vector<std::string> lines{heading};
    for (const std::string& report : reports) {
        size_t start = 0;
        while (start <= report.size()) {
            const size_t end = std::min(report.find('\n', start), report.size());
            lines.push_back(report.substr(start, end - start));
            start = end + 1;
        }
    }
    if (!last.empty()) lines.push_back(last);
    return lines;
}

// In the window, and on stderr for a terminal or a log.
void Say(TrialMessageHost& messages, const std::vector<std::string>& lines, bool forGood) {
    for (const std::string& line : lines) std::fprintf(stderr, "%s\n", line.c_str());
    messages.Show(lines, forGood ? 0 : platform::AddSeconds(messages.Now(), kReportSeconds));
}

// A picture passed over before comes into the run at its place in the game's
// order, the defeats so far kept; with none left to play it rises at once.
void JoinTheRun(const MonsterTrialFolder& trial) {
    clsFiles files;
    files.Initialize(trial.DataFolder() + "/Monsters");
    std::vector<MonsterRecord> run;
    for (int32_t i = 1; i <= files.Count(); ++i) {
        const std::string name = files.Filename(i);
        const auto known = std::find_if(MonsterHistory.begin(), MonsterHistory.end(),
                                        [&](const MonsterRecord& r) { return r.FileName == name; });
        run.push_back(known != MonsterHistory.end() ? *known : MonsterRecord{name, 0});
    }
    MonsterHistory = std::move(run);
    MonstersLeft =
        static_cast<int32_t>(std::count_if(MonsterHistory.begin(), MonsterHistory.end(),
                                           [](const MonsterRecord& r) { return r.Defeats == 0; }));
    frmMainForm* game = TheGameForm();
    if (game && game->Monster(1).mFileName.empty()) game->Monster(1).Initialize();
}

// With --watch, once a frame while the game runs.
void TakeSavedPictures(MonsterTrialFolder& trial, PictureWatch& watch, TrialMessageHost& messages,
                       int64_t frame) {
    if (frame % kWatchFrames != 0) return;
    for (const std::string& source : watch.Changed()) {
        const MonsterTrialFolder::Reloaded taken = trial.Reload(source);
        if (taken.name.empty()) {
            Say(messages,
                Message(
                    trial.HasCopy(source)
                        ? "--watch: saved, but the game cannot play it; the picture before stays"
                        : "--watch: saved, but the game still cannot play it",
                    {taken.problem}),
                false);
            continue;
        }
        messages.Clear();
        if (taken.joined) {
            std::fprintf(stderr, "--watch: %s joins the monsters\n", taken.name.c_str());
            JoinTheRun(trial);
            continue;
        }
        frmMainForm* game = TheGameForm();
        if (!game || game->Monster(1).mFileName != taken.name) continue;
        std::fprintf(stderr, "--watch: %s again\n", taken.name.c_str());
        game->Monster(1).Initialize();
    }
}

bool EscapeDown(platform::Host& host) {
    uint8_t keys[256];
    host.GetKeyboardState(keys);
    return (keys[platform::vk::Escape] & 0x80) != 0;
}

// The window as the game opens and places it, with nothing but the reports
// in it, until a picture can be played (true) or the player quits (false).
bool WaitForAPlayablePicture(MonsterTrialFolder& trial, PictureWatch* watch,
                             TrialMessageHost& messages, bool fullScreen) {
    const std::string last =
        watch ? "Save it again, mended, and it plays at once. Escape quits." : "Escape quits.";
    Say(messages,
        Message(trial.Sources().size() == 1 ? "The game cannot play this picture:"
                                            : "The game cannot play any of these pictures:",
                trial.Problems(), last),
        true);
    platform::Host& host = platform::host();
    SetWorldGlobals(fullScreen ? host.DesktopWidth() : 1024,
                    fullScreen ? host.DesktopHeight() : 768);
    host.CreateGameWindow(kGameCaption, fullScreen);
    const int32_t screenWidth = host.DesktopWidth(), screenHeight = host.DesktopHeight();
    host.PlaceGameWindow(0, 0, screenWidth, screenHeight);
    host.PlaceView(vb::RoundEven((screenWidth - ViewWidth) / 2.0),
                   vb::RoundEven((screenHeight - ViewHeight) / 2.0), ViewWidth, ViewHeight);
    host.ShowGameWindow();
    int32_t deadline = 0;
    for (int64_t frame = 1;; ++frame) {
        if (host.DoEvents() || EscapeDown(host)) {
            host.DestroyGameWindow();
            return false;
        }
        if (watch && frame % kWatchFrames == 0) {
            const std::vector<std::string> changed = watch->Changed();
            for (const std::string& source : changed) trial.Reload(source);
            if (trial.AnyPlayable()) {
                messages.Clear();
                return true;
            }
            if (!changed.empty())
                Say(messages,
                    Message("--watch: saved, but the game cannot play it:", trial.Problems(), last),
                    true);
        }
        FillRectGdi(host.ViewDC(), 0, 0, ViewWidth, ViewHeight, kWaitingBackground);
        host.RefreshView();
        WaitForFrameDeadline(deadline);
        deadline = NextFrameDeadline();
    }
}

} // namespace

int PlayMonsterTrial(ProgramSetup setup, MonsterTrialFolder& trial, PictureWatch* watch,
                     TrialMessageHost& messages) {
    const bool fullScreen = setup.screenSize == ScreenSizeMode::Desktop;
    if (!trial.AnyPlayable() && !WaitForAPlayablePicture(trial, watch, messages, fullScreen))
        return 1;
    if (!trial.Problems().empty()) {
        Say(messages,
            Message(trial.Problems().size() == 1 ? "Passed over, as the game cannot play it:"
                                                 : "Passed over, as the game cannot play them:",
                    trial.Problems(), watch ? "Saved again, mended, a picture joins the run." : ""),
            false);
    }
    setup.newGameForm = WithoutTitleScreens(setup.newGameForm);
    if (watch) {
        setup.afterFrame = [&trial, watch, &messages, before = setup.afterFrame](int64_t frame) {
            if (before) before(frame);
            TakeSavedPictures(trial, *watch, messages, frame);
        };
    }
    return Main(setup);
}

MonsterTrialFolder::~MonsterTrialFolder() {
    std::error_code error;
    fs::remove_all(mFolder, error);
}
