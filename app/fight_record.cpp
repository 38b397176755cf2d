#include "app/fight_record.h"

#include <algorithm>

#include "history/history.h"

namespace {

// The defeats the history holds for a file: those of its first entry, which
// a defeat counts.
int32_t DefeatsOf(const std::string& file) {
    const std::string key = HistoryKey(file);
    for (const MonsterRecord& record : MonsterHistory)
        if (HistoryKey(record.FileName) == key) return record.Defeats;
    return 0;
}

} // namespace

FightRecord::FightRecord(std::vector<MonsterStats> stats) : mStats(std::move(stats)) {}

void FightRecord::NewGame() {
    mStarted = false;
    mRunFrames = 0;
    mFightFrames = 0;
    mFightFile.clear();
}

void FightRecord::BeginFight(const std::string& file) {
    mFightFile = file;
    mFightFrames = 0;
    mDefeatsAtStart = file.empty() ? 0 : DefeatsOf(file);
}

void FightRecord::Step(const GameForm::FightView& fight) {
    if (!mStarted) {
        mStarted = true;
        mStrikesSeen = fight.strikes;
        mDeadSeen = fight.manDead;
        BeginFight(fight.monsterFile);
    }
    ++mRunFrames;
    if (!mFightFile.empty()) {
        ++mFightFrames;
        MonsterStats& stats = StatsFor(mStats, mFightFile);
        if (fight.strikes > mStrikesSeen) {
            stats.Strikes += fight.strikes - mStrikesSeen;
        }
        if (fight.manDead && !mDeadSeen) {
            ++stats.Deaths;
        }
        if (DefeatsOf(mFightFile) > mDefeatsAtStart) {
            const int64_t time = FightMilliseconds();
            if (stats.BestMilliseconds < 0 || time < stats.BestMilliseconds)
                stats.BestMilliseconds = time;
            mDefeatTimes += mFightFile + " = " + std::to_string(time) + "\n";
            mDefeated = true;
            mFightFile.clear(); // the next one begins below
        }
    }
    mStrikesSeen = fight.strikes;
    mDeadSeen = fight.manDead;
    if (fight.monsterFile != mFightFile) BeginFight(fight.monsterFile);
}

bool FightRecord::TakeDefeat() {
    const bool defeated = mDefeated;
    mDefeated = false;
    return defeated;
}
