// Playing monster pictures that are not the game's own (--monster FILE,
// --monsters DIR): a scratch data folder with the program's scenery, screens
// and sounds and only those monsters, and a history of its own there, so the
// player's progress is left as it was. The folder goes with the object.
#pragma once

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/game_session.h"
#include "app/modMain.h"
#include "launcher/options.h"

// What cannot be played: one line, naming the file or folder.
class MonsterTrialError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A picture is played when the monster checker finds that the game can play
// it (monster_check::Playable); the checker's report says why another is not.
class MonsterTrialFolder {
  public:
    // From the program's data folder (`programData`) and the options' picture
    // or folder of pictures; throws MonsterTrialError. Only the pictures that
    // can be played are copied in.
    MonsterTrialFolder(const std::string& programData, const GameOptions& options);
    ~MonsterTrialFolder();
    MonsterTrialFolder(const MonsterTrialFolder&) = delete;
    MonsterTrialFolder& operator=(const MonsterTrialFolder&) = delete;

    const std::string& DataFolder() const { return mFolder; }
    std::string HistoryFile() const { return mFolder + "/History.ini"; }
    // The pictures as the maker keeps them, in the order they are played.
    const std::vector<std::string>& Sources() const { return mSources; }
    // Whether any of them, or this one, has a copy to play.
    bool AnyPlayable() const { return !mCopied.empty(); }
    bool HasCopy(const std::string& source) const { return mCopied.contains(source); }
    // The checker's reports on the pictures without a copy, in that order.
    std::vector<std::string> Problems() const;

    struct Reloaded {
        std::string name;    // in the trial's Monsters/ folder; "" when not taken
        std::string problem; // why not: a line, or the checker's report
        bool joined = false; // it had no copy before
    };
    // Takes a source picture again after it changed. One that cannot be
    // played leaves the copy before it, if there is one, as it was.
    Reloaded Reload(const std::string& source);

  private:
    std::string mFolder;
    std::vector<std::string> mSources;
    std::set<std::string> mCopied;                // sources with a copy in Monsters/
    std::map<std::string, std::string> mProblems; // source -> report, without a copy
};

// The game forms of `newForm`, started past the title screens: a maker sees
// the monster at once.
GameSession::FormFactory WithoutTitleScreens(GameSession::FormFactory newForm);

// Plays a trial in the window of platform::host(), which is `messages` or a
// host over it: the game past its title screens, and the pictures that cannot
// be played said in the window and on stderr. When none can, their reports
// stand until one is saved that can (with `watch`), or until Escape or the
// window's closing: the status is then 1. Others that cannot are passed over
// with their reports shown for a few seconds. With `watch`, a saved picture
// is built again within a second if it is the game's monster, waits for its
// turn if not, joins the run if it was passed over, and leaves the picture
// before it if it cannot be played. Returns the exit status.
class PictureWatch;
class TrialMessageHost;
int PlayMonsterTrial(ProgramSetup setup, MonsterTrialFolder& trial, PictureWatch* watch,
                     TrialMessageHost& messages);

// Whether the options ask for a trial at all.
inline bool WantsMonsterTrial(const GameOptions& options) {
    return !options.monsterFile.empty() || !options.monstersFolder.empty();
}
