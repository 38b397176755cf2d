// Playing monster pictures that are not the game's own (--monster FILE,
// --monsters DIR): a scratch data folder with the program's scenery, screens
// and sounds and only those monsters, and a history of its own there, so the
// player's progress is left as it was. The folder goes with the object.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "app/game_session.h"
#include "launcher/options.h"

// What cannot be played: one line, naming the file or folder.
class MonsterTrialError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class MonsterTrialFolder {
  public:
    // From the program's data folder (`programData`) and the options' picture
    // or folder of pictures; throws MonsterTrialError.
    MonsterTrialFolder(const std::string& programData, const GameOptions& options);
    ~MonsterTrialFolder();
    MonsterTrialFolder(const MonsterTrialFolder&) = delete;
    MonsterTrialFolder& operator=(const MonsterTrialFolder&) = delete;

    const std::string& DataFolder() const { return mFolder; }
    std::string HistoryFile() const { return mFolder + "/History.ini"; }
    int MonsterCount() const { return static_cast<int>(mSources.size()); }
    // The pictures as the maker keeps them, in the order they are played.
    const std::vector<std::string>& Sources() const { return mSources; }

    // Takes a source picture again after it changed: its file name in the
    // trial's Monsters/ folder, or "" with `problem` set when it is not one
    // of the sources or cannot be read as a picture (the old copy stays).
    std::string Reload(const std::string& source, std::string& problem);

  private:
    std::string mFolder;
    std::vector<std::string> mSources;
};

// The game forms of `newForm`, started past the title screens: a maker sees
// the monster at once.
GameSession::FormFactory WithoutTitleScreens(GameSession::FormFactory newForm);

// With --watch: the game's monster is built again from its picture within a
// second of the maker saving it; other changed pictures wait for their turn.
// Called once a frame.
class PictureWatch;
void ReloadChangedMonsters(MonsterTrialFolder& trial, PictureWatch& watch, int64_t frame);

// Whether the options ask for a trial at all.
inline bool WantsMonsterTrial(const GameOptions& options) {
    return !options.monsterFile.empty() || !options.monstersFolder.empty();
}
