#include "tools/soak/soak_run.h"

#include <chrono>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>

#include "app/game_session.h"
#include "app/modMain.h"
#include "game/frmMain.h"
#include "gdi/picture.h"
#include "gdi/raster.h"
#include "history/history.h"
#include "monster_check/monster_check.h"
#include "monster_check/strike.h"
#include "monsters/clsMonster.h"
#include "platform/headless_host.h"
#include "player/clsMan.h"
#include "tools/toolkit/scratch_folder.h"

namespace soak {

namespace {

namespace fs = std::filesystem;

constexpr int32_t kScreenWidth = 1024, kScreenHeight = 768;
constexpr int kRandomPlayFrames = 500; // between two scripted events
constexpr int kScreenFrames = 150;     // the death, success and readme screens
constexpr int kStrikesPerHitPoint = 8; // at most; a used-up hit point stops them
constexpr int kDeathFrames = 20;

// The keys the man reads, F and Escape left out: random play is play.
const int kPlayKeys[] = {37, 38, 39, 40, 90, 88, 32, 67};

struct Cell {
    int32_t x = 0, y = 0;
};

// What the soak needs of a monster picture to defeat or die on it.
struct MonsterPlan {
    int32_t width = 0, height = 0;
    std::vector<monster_check::StrikePlace> strikes; // one per hit point within reach
    std::optional<Cell> aboveRed;                    // an empty cell right above a deadly pixel
    std::optional<Cell> insideBody;                  // a solid cell
};

MonsterPlan MakePlan(const std::string& fileName, const gdi::Picture& picture) {
    using monster_check::PixelClass;
    MonsterPlan plan;
    plan.width = picture.width;
    plan.height = picture.height;
    const monster_check::CheckResult check = monster_check::CheckMonster(fileName, picture);
    for (const monster_check::WhitePatch& patch : check.patches) {
        monster_check::StrikePlace place;
        if (monster_check::FindStrikePlace(picture, check, patch, place))
            plan.strikes.push_back(place);
    }
    const auto classAt = [&](int32_t x, int32_t y) {
        if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) return PixelClass::Empty;
        return monster_check::ClassifyPixel(
            picture.pixels[static_cast<size_t>(y) * picture.width + x]);
    };
    for (int32_t y = 0; y < picture.height; ++y) {
        for (int32_t x = 0; x < picture.width; ++x) {
            const PixelClass c = classAt(x, y);
            if (!plan.aboveRed && c == PixelClass::Deadly && classAt(x, y - 1) == PixelClass::Empty)
                plan.aboveRed = Cell{x, y - 1};
            if (!plan.insideBody && c == PixelClass::Solid) plan.insideBody = Cell{x, y};
        }
    }
    return plan;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A program folder of the soak's own, so that no player's History.ini is
// touched: Monsters/ and images/ copied from the data folder.
class ProgramFolder {
  public:
    explicit ProgramFolder(const fs::path& data) {
        for (const char* sub : {"Monsters", "images"}) {
            if (!fs::is_directory(data / sub))
                throw std::runtime_error("no " + std::string(sub) + " folder in " + data.string());
            fs::copy(data / sub, mScratch.path() / sub, fs::copy_options::recursive);
        }
    }
    const fs::path& path() const { return mScratch.path(); }

  private:
    toolkit::ScratchFolder mScratch{"stompvale-soak"};
};

class Soak {
  public:
    explicit Soak(const Options& options)
        : mOptions(options), mFolder(options.dataFolder), mHost(mFolder.path().string()),
          mRandom(options.seed) {
        platform::SetHost(&mHost);
        mCallerLimit = gdi::BitmapMemoryLimit();
        gdi::SetBitmapMemoryLimit(gdi::DefaultBitmapMemoryBudget());
    }
    ~Soak() {
        mGame.Stop();
        MonsterHistory.clear();
        MonstersLeft = 0;
        platform::SetHost(nullptr);
        gdi::SetBitmapMemoryLimit(mCallerLimit);
    }

    Result Play() {
        const auto start = std::chrono::steady_clock::now();
        StartGame();
        // Two defeats, then a death, on red and crushed in turn.
        for (int event = 0; !Done();) {
            RandomFrames(kRandomPlayFrames);
            if (Done()) break;
            if (man().mState != 1) {
                // Random play found a way to die.
                RandomFrames(kScreenFrames);
                NewGame();
            } else if (monster().mFileName.empty()) {
                StartOver();
            } else if (event++ % 3 == 2) {
                Die(event % 6 == 3);
            } else {
                Defeat();
            }
        }
        mGame.Stop();
        SaveAndCheck("the end");
        mResult.end = MemorySample{mResult.frames, toolkit::MeasureProcessMemory()};
        mResult.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return mResult;
    }

  private:
    frmMainForm& form() { return *TheGameForm(); }
    clsMonster& monster() { return form().Monster(1); }
    clsMan& man() { return *form().mMan; }
    bool Done() const { return mResult.frames >= mOptions.frames; }

    void Problem(const std::string& text) {
        mResult.problems.push_back("frame " + std::to_string(mResult.frames) + ": " + text);
    }

    void Frame() {
        mHost.AdvanceMilliseconds(20);
        mGame.Frame();
        ++mResult.frames;
        WatchHistory();
        if (mManAlive && man().mState != 1 && MonstersLeft != 0) {
            mManAlive = false;
            ++mResult.deaths;
        }
    }

    void RandomFrames(int count) {
        for (int i = 0; i < count && !Done(); ++i) {
            const uint64_t r = mRandom();
            if (r % 6 == 0) {
                const int key = kPlayKeys[(r >> 8) % std::size(kPlayKeys)];
                mHost.SetKey(key, !(mHost.Keys[key] & 0x80));
            } else if (r % 211 == 1) {
                mHost.ReleaseAllKeys();
            }
            Frame();
        }
    }

    // Every defeat the game records is counted and must survive into the
    // history file.
    void WatchHistory() {
        for (size_t i = 0; i < MonsterHistory.size() && i < mSeen.size(); ++i) {
            const int32_t added = MonsterHistory[i].Defeats - mSeen[i];
            if (added == 0) continue;
            if (added < 0) Problem("the defeats of " + MonsterHistory[i].FileName + " went down");
            mResult.defeats += added;
            mExpected[HistoryKey(MonsterHistory[i].FileName)] += added;
            mSeen[i] = MonsterHistory[i].Defeats;
        }
    }

    int32_t DefeatsOf(const std::string& fileName) const {
        for (const MonsterRecord& record : MonsterHistory)
            if (record.FileName == fileName) return record.Defeats;
        return 0;
    }

    void StartGame() {
        mHost.ReleaseAllKeys();
        mGame.StartPlaying(kScreenWidth, kScreenHeight, mRandom());
        mSeen.clear();
        for (const MonsterRecord& record : MonsterHistory) mSeen.push_back(record.Defeats);
        mManAlive = true;
    }

    // Saves the history and checks that reading it back gives every defeat.
    void SaveAndCheck(const std::string& when) {
        try {
            SaveHistory();
            LoadHistory();
        } catch (const std::exception& error) {
            Problem(std::string("history at ") + when + ": " + error.what());
            return;
        }
        for (const MonsterRecord& record : MonsterHistory) {
            const auto found = mExpected.find(HistoryKey(record.FileName));
            const int32_t expected = found == mExpected.end() ? 0 : found->second;
            if (record.Defeats != expected) {
                Problem("History.ini at " + when + " holds " + std::to_string(record.Defeats) +
                        " defeats of " + record.FileName + ", not " + std::to_string(expected));
            }
        }
    }

    // A new game in the same process, as a player starting the game again;
    // afresh without the history when startOver.
    void NewGame(bool startOver = false) {
        mGame.Stop();
        SaveAndCheck("a new game");
        if (startOver) {
            std::error_code ignored;
            fs::remove(mFolder.path() / "History.ini", ignored);
            mExpected.clear();
        }
        const ProcessMemory memory = toolkit::MeasureProcessMemory();
        if (!mResult.warm && mResult.frames >= mOptions.warmUpFrames)
            mResult.warm = MemorySample{mResult.frames, memory};
        if (mOptions.onNewGame) mOptions.onNewGame(mResult.frames, memory);
        StartGame();
        ++mResult.restarts;
    }

    // Every monster beaten: the readme is up; the history starts over.
    void StartOver() {
        NewGame(true);
        ++mResult.rounds;
    }

    const MonsterPlan& PlanFor(const std::string& fileName) {
        auto found = mPlans.find(fileName);
        if (found == mPlans.end()) {
            const gdi::Picture picture = gdi::LoadPicture(MonsterFilePath(fileName));
            found = mPlans.emplace(fileName, MakePlan(fileName, picture)).first;
        }
        return found->second;
    }

    // The monster at rest on the ground, to the man's right.
    void PinMonster(double left) {
        clsMonster& m = monster();
        m.mX = left;
        m.mY = 1 - m.mHeight;
        m.mSX = m.mSY = 0;
        m.mState = 2;
        m.mAngryCounter = 0;
    }

    void PlaceMan(double x, double y) {
        clsMan& m = man();
        m.mX = x;
        m.mY = y;
        m.mSX = m.mSY = 0;
        m.mLanded = 15;
    }

    void Defeat() {
        clsMonster& m = monster();
        const std::string fileName = m.mFileName;
        const MonsterPlan& plan = PlanFor(fileName);
        const int32_t before = DefeatsOf(fileName);
        const double left = std::floor(man().mX) + 60, top = 1 - m.mHeight;
        mHost.ReleaseAllKeys();
        for (const monster_check::StrikePlace& s : plan.strikes) {
            for (int strike = 0; strike < kStrikesPerHitPoint && m.mHitTotal > 0; ++strike) {
                const int32_t hitTotal = m.mHitTotal;
                PinMonster(left);
                PlaceMan(left + s.x + 0.5, top + s.y);
                man().mSwordCounter = 100;
                man().mSwordX = s.dx;
                man().mSwordY = s.dy;
                man().SwordHit();
                if (m.mHitTotal == hitTotal) break; // this hit point is used up
            }
        }
        if (m.mHitTotal > 0 || m.mState != 3) {
            Problem("full-charge strikes left " + fileName + " with " +
                    std::to_string(m.mHitTotal) + " hit points");
            return;
        }
        // Out of the way while it sinks.
        PlaceMan(left - 300, 0);
        for (int i = 0; i < m.mHeight + 600 && DefeatsOf(fileName) == before && !Done(); ++i)
            Frame();
        if (Done()) return;
        if (DefeatsOf(fileName) != before + 1) {
            Problem("the defeat of " + fileName + " was not recorded");
            return;
        }
        if (MonstersLeft != 0) return;
        if (!EndsWith(form().TextFileName, "/images/Text_Success.gif"))
            Problem("no success screen after the last monster");
        RandomFrames(kScreenFrames);
        if (Done()) return;
        NewGame();
        if (!EndsWith(form().TextFileName, "/images/Text_Readme.gif") ||
            !monster().mFileName.empty()) {
            Problem("a new game after the last monster does not show the readme");
        }
        RandomFrames(kScreenFrames);
    }

    // The man dies on red (falling onto it) or crushed inside the body.
    void Die(bool onRed) {
        const MonsterPlan& plan = PlanFor(monster().mFileName);
        const std::optional<Cell> cell = onRed && plan.aboveRed ? plan.aboveRed : plan.insideBody;
        if (!cell) return;
        const double left = std::floor(man().mX) + 60, top = 1 - monster().mHeight;
        mHost.ReleaseAllKeys();
        PinMonster(left);
        PlaceMan(left + cell->x + 0.5, top + cell->y);
        if (onRed) {
            man().mLanded = 0;
            man().mSY = 0.5; // falling onto it
        }
        for (int i = 0; i < kDeathFrames && man().mState == 1 && !Done(); ++i) {
            PinMonster(left);
            Frame();
        }
        if (Done()) return;
        if (man().mState == 1) {
            Problem("the man did not die " + std::string(onRed ? "on red" : "inside") + " " +
                    monster().mFileName);
            return;
        }
        if (!EndsWith(form().TextFileName, "/images/Text_Death.gif"))
            Problem("no death screen after a death");
        RandomFrames(kScreenFrames);
        if (Done()) return;
        NewGame();
    }

    Options mOptions;
    ProgramFolder mFolder;
    platform::HeadlessHost mHost;
    GameSession mGame{NewGameForm};
    std::mt19937_64 mRandom;
    uint64_t mCallerLimit = 0;
    Result mResult;
    std::map<std::string, MonsterPlan> mPlans;
    std::map<std::string, int32_t> mExpected; // HistoryKey -> defeats the history must hold
    std::vector<int32_t> mSeen;               // MonsterHistory's defeats as last seen
    bool mManAlive = true;
};

} // namespace

Result Run(const Options& options) {
    Soak soak(options);
    return soak.Play();
}

} // namespace soak
