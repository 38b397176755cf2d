// A headless game for tests: a temporary program folder with Monsters/ and
// images/, pictures written from small character grids, the world globals as
// start-up sets them for a 1024 x 768 screen, the monster history, the game
// form, and frames run with a scripted key table and a fixed random seed.
//
//   GameWorld world;
//   world.AddMonster("3 Crab 1.gif", {"SSS", "SWS"});
//   world.Start();
//   world.Hold(39);   // Right
//   world.Frame(50);  // one second of play
//
// Every images/ picture is a small all-black (fully transparent) GIF, so the
// scenery and the screen images draw nothing visible unless a test replaces
// one of them with WriteGif.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/game_session.h"
#include "game/frmMain.h"
#include "gdi/picture.h"
#include "gdi/raster.h"
#include "platform/headless_host.h"
#include "platform/key_table.h"
#include "support/temp_dir.h"

class frmMainForm;
class clsMan;
class clsMonster;
class clsParticles;

namespace world_colours {
constexpr gdi::COLORREF kBlack = 0;                            // transparent
constexpr gdi::COLORREF kWhite = 0xFFFFFF;                     // hit point, grip
constexpr gdi::COLORREF kFur = gdi::RGB(220, 220, 70);         // fur: cut by the sword, grip
constexpr gdi::COLORREF kGreen = gdi::RGB(148, 190, 57);       // ColourGreen: grip
constexpr gdi::COLORREF kSolid = gdi::RGB(200, 200, 200);      // solid, nothing else
constexpr gdi::COLORREF kDeadly = gdi::RGB(255, 0, 0);         // bright red
constexpr gdi::COLORREF kDark = gdi::RGB(60, 60, 60);          // too dark: empty
constexpr gdi::COLORREF kBody = gdi::RGB(170, 20, 20);         // solid (value 0.667)
constexpr gdi::COLORREF kPale = gdi::RGB(160, 160, 160);       // empty (value 0.627)
constexpr gdi::COLORREF kDarkGreen = gdi::RGB(74, 95, 28);     // grip hue, too dark
constexpr gdi::COLORREF kBackground = gdi::RGB(213, 210, 190); // the cleared view
constexpr gdi::COLORREF kGround = gdi::RGB(192, 218, 117);
} // namespace world_colours

// Grid characters: '.' or ' ' black, 'W' white, 'Y' fur, 'G' green, 'S' solid
// grey, 'R' deadly red, 'D' dark, 'B' body red, 'P' pale grey, 'K' dark green.
// Extra characters may be passed in `extra`.
gdi::Picture PictureFromGrid(const std::vector<std::string>& rows,
                             const std::map<char, gdi::COLORREF>& extra = {});
// A width x height picture of one colour.
gdi::Picture SolidPicture(int32_t width, int32_t height, gdi::COLORREF colour);

class GameWorld {
  public:
    explicit GameWorld(uint64_t seed = 20261207);
    ~GameWorld();
    GameWorld(const GameWorld&) = delete;
    GameWorld& operator=(const GameWorld&) = delete;

    // --- content, before Start ---------------------------------------------
    void AddMonster(const std::string& fileName, const std::vector<std::string>& rows);
    void AddMonster(const std::string& fileName, const gdi::Picture& picture);
    void WriteHistory(const std::string& text);
    // Any picture below the program folder, e.g. "images/Text_Death.gif".
    void WriteGif(const std::string& relative, const gdi::Picture& picture);

    // Globals, keyboard, history, seed, then the game form: created, loaded
    // and initialized as the frame loop does on the first playing frame.
    void Start();
    bool Started() const { return mGame.Started(); }

    // --- play ------------------------------------------------------------------
    // Runs frames: 20 ms of clock, Keyboard.Check, frmMain.MainLoop.
    void Frame(int count = 1);
    // Runs frames until the condition holds (checked after each frame); false
    // when it did not hold within maxFrames.
    template <typename Condition> bool FrameUntil(Condition condition, int maxFrames) {
        for (int i = 0; i < maxFrames; ++i) {
            Frame();
            if (condition()) return true;
        }
        return false;
    }
    void Hold(int virtualKey) { host.SetKey(virtualKey, true); }
    void Release(int virtualKey) { host.SetKey(virtualKey, false); }
    void ReleaseAll() { host.ReleaseAllKeys(); }
    // Down for one frame, then up for one frame.
    void Tap(int virtualKey);
    // Z held for chargeFrames, then released with Right held: a strike to
    // the right in the frame after, Right up again.
    void StrikeRight(int chargeFrames);

    // --- scene set-up ------------------------------------------------------------
    // Puts the monster at (x, y), at rest, in the given state.
    void PlaceMonster(double x, double y, int32_t state = 2);
    // Puts the man at (x, y), at rest and supported.
    void PlaceMan(double x, double y);

    // --- access --------------------------------------------------------------------
    frmMainForm& game();
    clsMan& man();
    clsMonster& monster();
    clsParticles& particles();
    gdi::COLORREF ViewPixel(int x, int y);
    gdi::Picture ViewPicture();
    std::string ProgramFolder() const { return folder.str(); }

    TempDir folder;
    platform::HeadlessHost host;
    uint64_t seed;

  private:
    GameSession mGame{NewGameForm};
};

// Virtual-key codes the game reads.
namespace keys {
namespace vk = platform::vk;
constexpr int kEscape = vk::Escape, kSpace = vk::Space, kLeft = vk::Left, kUp = vk::Up,
              kRight = vk::Right, kDown = vk::Down;
constexpr int kC = vk::C, kF = vk::F, kX = vk::X, kZ = vk::Z;
} // namespace keys
