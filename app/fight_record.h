// The times and statistics of the fights: the current monster's fight time
// and the run's, counted in played frames so that a replay counts the same;
// per monster file its best time, deaths and strikes (Stats.ini). Fed once
// after every frame the game played.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/game_form.h"
#include "history/stats_file.h"

class FightRecord {
  public:
    explicit FightRecord(std::vector<MonsterStats> stats = {});

    // A new game: the run's time and the fight start again.
    void NewGame();
    // After a frame the game played.
    void Step(const GameForm::FightView& fight);

    int64_t FightMilliseconds() const { return mFightFrames * kFrameMs; }
    int64_t RunMilliseconds() const { return mRunFrames * kFrameMs; }
    const std::string& FightFile() const { return mFightFile; }
    const std::vector<MonsterStats>& Stats() const { return mStats; }
    // A defeat was counted since the last call.
    bool TakeDefeat();
    // Each defeat of the program's run, a line "FILE = MILLISECONDS": what a
    // recording carries, and its replay must count again.
    const std::string& DefeatTimes() const { return mDefeatTimes; }

    static constexpr int64_t kFrameMs = 20;

  private:
    void BeginFight(const std::string& file);

    std::vector<MonsterStats> mStats;
    std::string mFightFile;
    int32_t mDefeatsAtStart = 0;
    int64_t mFightFrames = 0, mRunFrames = 0;
    int64_t mStrikesSeen = 0;
    bool mDeadSeen = false;
    bool mDefeated = false;
    bool mStarted = false;
    std::string mDefeatTimes;
};
