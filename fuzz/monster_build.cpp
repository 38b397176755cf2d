// A monster built from an arbitrary small GIF in the headless game: the game
// starts (or refuses the picture with a runtime error), the man is put on or
// beside the monster, and a few frames are played with scripted keys.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/game_session.h"
#include "app/modMain.h"
#include "fuzz/game_folder.h"
#include "game/frmMain.h"
#include "gdi/gif_decode.h"
#include "gdi/picture.h"
#include "history/history.h"
#include "monsters/clsMonster.h"
#include "platform/headless_host.h"
#include "player/clsMan.h"
#include "vb/runtime_error.h"

namespace {

// Larger pictures are a matter for the loader's own fuzzer: here they would
// only slow every run down.
constexpr int32_t kMostSide = 300;
constexpr int kFrames = 30;
constexpr int32_t kScreenWidth = 300, kScreenHeight = 240;

// The first byte picks the name, and with it the movement codes.
const char* const kNames[] = {
    "3 Fuzz 1-12-30.gif",
    "2 Fuzz 41-40-42.gif",
    "9 Fuzz 25-31-10.gif",
    "5 Fuzz 42.gif",
    "7.gif",
    "4 Fuzz_Bat 40-5-20.gif",
    "1 X 30-31-9.gif",
    "6 Odd 99-0-15.gif",
};
constexpr int kNameCount = sizeof(kNames) / sizeof(kNames[0]);

// The keys the man reads: arrows, sword, hold, jump, and F.
const int kKeys[] = {37, 38, 39, 40, 90, 88, 32, 70};

struct World {
    GameFolder folder;
    platform::HeadlessHost host{folder.path().string()};
    GameSession game{NewGameForm};

    World() {
        platform::SetHost(&host);
        gdi::SetBitmapMemoryLimit(uint64_t{512} << 20);
    }
};

World& TheWorld() {
    static World world;
    return world;
}

uint32_t NextRandom(uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const char* name = kNames[data[0] % kNameCount];
    uint32_t keyState = data[1];
    const double manAcross = data[2] / 255.0, manDown = data[3] / 255.0;
    data += 4;
    size -= 4;
    gdi::DecodedPicture decoded;
    if (gdi::gif::DecodeFirstImage(data, size, decoded) &&
        (decoded.width > kMostSide || decoded.height > kMostSide)) {
        return 0;
    }

    World& world = TheWorld();
    std::error_code ignored;
    std::filesystem::remove_all(world.folder.path() / "Monsters", ignored);
    world.folder.Write(std::string("Monsters/") + name,
                       std::string_view(reinterpret_cast<const char*>(data), size));
    world.folder.Write("History.ini", "");
    world.host.ReleaseAllKeys();

    try {
        world.game.StartPlaying(kScreenWidth, kScreenHeight, keyState);
    } catch (const vb::RuntimeError&) {
        return 0; // a picture the game cannot load: its error ends the run
    }
    clsMonster& monster = TheGameForm()->Monster(1);
    clsMan& man = *TheGameForm()->mMan;
    monster.mX = man.mX - monster.mWidth / 2.0;
    monster.mY = 1 - monster.mHeight;
    monster.mState = 2;
    man.mX = monster.mX + manAcross * (monster.mWidth + 4) - 2;
    man.mY = monster.mY + manDown * (monster.mHeight + 4) - 2;

    for (int frame = 0; frame < kFrames; ++frame) {
        const uint32_t r = NextRandom(keyState);
        if (r % 3 == 0) {
            const int key = kKeys[(r >> 4) % (sizeof(kKeys) / sizeof(kKeys[0]))];
            world.host.SetKey(key, !(world.host.Keys[key] & 0x80));
        }
        world.host.AdvanceMilliseconds(20);
        world.game.Frame();
    }
    world.game.Stop();
    MonsterHistory.clear();
    return 0;
}
