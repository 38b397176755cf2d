#include "support/game_world.h"

#include <stdexcept>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "history/history.h"
#include "input/clsKeyboard.h"
#include "monsters/clsMonster.h"
#include "player/clsMan.h"
#include "scenery/clsParticles.h"
#include "tools/toolkit/game_images.h"
#include "vb/random.h"

gdi::Picture PictureFromGrid(const std::vector<std::string>& rows,
                             const std::map<char, gdi::COLORREF>& extra) {
    using namespace world_colours;
    std::map<char, gdi::COLORREF> palette = {
        {'.', kBlack}, {' ', kBlack}, {'W', kWhite},     {'Y', kFur},
        {'G', kGreen}, {'S', kSolid}, {'R', kDeadly},    {'D', kDark},
        {'B', kBody},  {'P', kPale},  {'K', kDarkGreen},
    };
    for (const auto& [c, colour] : extra) palette[c] = colour;

    gdi::Picture picture;
    picture.height = static_cast<int32_t>(rows.size());
    for (const std::string& row : rows) {
        picture.width = std::max(picture.width, static_cast<int32_t>(row.size()));
    }
    picture.pixels.assign(static_cast<size_t>(picture.width) * picture.height, kBlack);
    for (size_t y = 0; y < rows.size(); ++y) {
        for (size_t x = 0; x < rows[y].size(); ++x) {
            const auto found = palette.find(rows[y][x]);
            if (found == palette.end()) {
                throw std::invalid_argument(std::string("no colour for grid character ") +
                                            rows[y][x]);
            }
            picture.pixels[y * picture.width + x] = found->second;
        }
    }
    return picture;
}

gdi::Picture SolidPicture(int32_t width, int32_t height, gdi::COLORREF colour) {
    gdi::Picture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(static_cast<size_t>(width) * height, colour);
    return picture;
}

GameWorld::GameWorld(uint64_t seedValue) : host(folder.str()), seed(seedValue) {
    platform::SetHost(&host);
    toolkit::WriteGameImages(folder.path(), SolidPicture(60, 30, world_colours::kBlack));
    folder.Write("History.ini", "");
}

GameWorld::~GameWorld() {
    mGame.Stop();
    MonsterHistory.clear();
    MonstersLeft = 0;
    platform::SetHost(nullptr);
}

void GameWorld::AddMonster(const std::string& fileName, const std::vector<std::string>& rows) {
    AddMonster(fileName, PictureFromGrid(rows));
}

void GameWorld::AddMonster(const std::string& fileName, const gdi::Picture& picture) {
    WriteGif("Monsters/" + fileName, picture);
}

void GameWorld::WriteHistory(const std::string& text) {
    folder.Write("History.ini", text);
}

void GameWorld::WriteGif(const std::string& relative, const gdi::Picture& picture) {
    const auto file = folder.path() / relative;
    std::filesystem::create_directories(file.parent_path());
    gdi::SavePictureGif(file.string(), picture);
}

void GameWorld::Start() {
    // What start-up sets for the windowed build, then the playing state.
    mGame.StartPlaying(1024, 768, seed);
}

void GameWorld::Frame(int count) {
    for (int i = 0; i < count; ++i) {
        host.AdvanceMilliseconds(20);
        mGame.Frame();
    }
}

void GameWorld::Tap(int virtualKey) {
    Hold(virtualKey);
    Frame();
    Release(virtualKey);
    Frame();
}

void GameWorld::StrikeRight(int chargeFrames) {
    Hold(keys::kZ);
    Frame(chargeFrames);
    Hold(keys::kRight);
    Release(keys::kZ);
    Frame();
    Release(keys::kRight);
}

void GameWorld::PlaceMonster(double x, double y, int32_t state) {
    clsMonster& m = monster();
    m.mX = x;
    m.mY = y;
    m.mSX = m.mSY = 0;
    m.mState = state;
    m.mAngryCounter = 0;
}

void GameWorld::PlaceMan(double x, double y) {
    clsMan& m = man();
    m.mX = x;
    m.mY = y;
    m.mSX = m.mSY = 0;
    m.mLanded = 15;
}

frmMainForm& GameWorld::game() {
    return *TheGameForm();
}
clsMan& GameWorld::man() {
    return *TheGameForm()->mMan;
}
clsMonster& GameWorld::monster() {
    return TheGameForm()->Monster(1);
}
clsParticles& GameWorld::particles() {
    return *TheGameForm()->mParticles;
}

gdi::COLORREF GameWorld::ViewPixel(int x, int y) {
    return gdi::GetPixel(host.ViewDC(), x, y);
}

gdi::Picture GameWorld::ViewPicture() {
    return gdi::BitmapPicture(gdi::CurrentBitmap(host.ViewDC()));
}
