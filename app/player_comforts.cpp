#include "app/player_comforts.h"

#include <algorithm>

#include "history/history.h"
#include "input/clsKeyboard.h"
#include "platform/host.h"
#include "platform/key_table.h"
#include "world/world_globals.h"

namespace {

constexpr int32_t kRingRadius = 13;
// A man is lost in a crowd when more pixels of his colour than his own are
// this close to him.
constexpr int32_t kCrowdReach = 24;

gdi::COLORREF HalfToWhite(gdi::COLORREF c) {
    return ((c >> 1) & 0x7F7F7F) + 0x808080;
}

} // namespace

PlayerComforts::PlayerComforts(Settings settings, platform::ControlMap controls,
                               std::vector<MonsterStats> stats, ComfortsEffects effects)
    : mSettings(settings), mControls(std::move(controls)), mFights(std::move(stats)),
      mEffects(std::move(effects)) {
    mOptions.settingsChanged = [this](const Settings& chosen) {
        mSettings = chosen;
        mSettingsUnsaved = true;
        if (mEffects.applySettings) mEffects.applySettings(mSettings);
    };
}

bool PlayerComforts::Step(GameForm& form, bool paused) {
    platform::Host& host = platform::host();
    if (!mOptions.IsOpen()) {
        if (!Keyboard->KeyPressed(platform::vk::Tab) && !Keyboard->KeyPressed(platform::vk::F1))
            return false;
        mOpenedAt = host.Now();
        host.UseControls(platform::ControlMap::Raw());
        mOptions.Open(mSettings, mControls);
    } else {
        mOptions.Step(*Keyboard);
        if (!mOptions.IsOpen()) {
            Close(form, paused);
            return true; // the keys of this frame were the screen's
        }
    }
    host.RefreshView();
    return true;
}

void PlayerComforts::Close(GameForm& form, bool paused) {
    platform::Host& host = platform::host();
    if (!(mOptions.ChosenControls() == mControls)) {
        mControls = mOptions.ChosenControls();
        if (mEffects.saveControls) mEffects.saveControls(mControls);
    }
    host.UseControls(mControls);
    if (mSettingsUnsaved && mEffects.saveSettings) mEffects.saveSettings(mSettings);
    mSettingsUnsaved = false;
    // Nothing moved while the screen was open: neither do the timers. A pause
    // under it pushes them back itself when it ends.
    if (!paused) {
        const int64_t open = host.Now() - mOpenedAt;
        MonsterNameUntil += open;
        form.PushBackTimers(open);
    }
    host.RefreshView();
}

void PlayerComforts::AfterFrame(const GameForm& form) {
    mFights.Step(form.Fight());
    // Kept at every defeat: the page's tab may be closed at any moment.
    if (mFights.TakeDefeat() && mEffects.saveStats) mEffects.saveStats(mFights.Stats());
}

void PlayerComforts::Save() {
    // A window closed on the options screen keeps what was chosen there.
    if (mOptions.IsOpen() && !(mOptions.ChosenControls() == mControls)) {
        mControls = mOptions.ChosenControls();
        if (mEffects.saveControls) mEffects.saveControls(mControls);
    }
    if (mEffects.saveStats) mEffects.saveStats(mFights.Stats());
    if (mSettingsUnsaved && mEffects.saveSettings) mEffects.saveSettings(mSettings);
    mSettingsUnsaved = false;
}

void PlayerComforts::DrawOver(ViewMarks& marks) const {
    if (mSession && mSession->Started()) {
        DrawMan(marks, mSession->Form());
        if (mSettings.timer) DrawTimer(marks);
    }
    mOptions.Draw(marks, RosterStats());
}

std::vector<MonsterStats> PlayerComforts::RosterStats() const {
    // Every monster of the roster, in its order, met or not; then those of
    // Stats.ini that are no longer in it.
    std::vector<MonsterStats> all;
    std::vector<MonsterStats> rest = mFights.Stats();
    for (const MonsterRecord& record : MonsterHistory) {
        const std::string key = HistoryKey(record.FileName);
        const auto found = std::find_if(rest.begin(), rest.end(), [&](const MonsterStats& s) {
            return HistoryKey(s.FileName) == key;
        });
        if (found == rest.end()) {
            if (std::none_of(all.begin(), all.end(),
                             [&](const MonsterStats& s) { return HistoryKey(s.FileName) == key; }))
                all.push_back({record.FileName});
            continue;
        }
        all.push_back(*found);
        rest.erase(found);
    }
    all.insert(all.end(), rest.begin(), rest.end());
    return all;
}

void PlayerComforts::DrawMan(ViewMarks& marks, const GameForm& form) const {
    const GameForm::ManOnView man = form.ManDrawn();
    if (!man.drawn) return;
    const gdi::RECT& b = man.block;
    bool seen = false;
    for (int32_t y = b.top; y < b.bottom && !seen; ++y)
        for (int32_t x = b.left; x < b.right && !seen; ++x) seen = marks.Pixel(x, y) == man.colour;
    if (seen && mSettings.marker == MarkerChoice::WhenHidden) {
        // His own colour around him in numbers hides him as well.
        int64_t alike = 0;
        const int64_t own = int64_t{b.right - b.left} * (b.bottom - b.top);
        for (int32_t y = b.top - kCrowdReach; y < b.bottom + kCrowdReach; ++y)
            for (int32_t x = b.left - kCrowdReach; x < b.right + kCrowdReach; ++x)
                alike += marks.Pixel(x, y) == man.colour;
        seen = alike <= 2 * own;
    }
    gdi::COLORREF colour = man.colour;
    if (mSettings.manColour != ManColour::Red) {
        const gdi::COLORREF chosen = ManColourValue(mSettings.manColour);
        // Recovering he shows paler, as the game's pink is to its red.
        colour = man.colour == gdi::RGB(255, 0, 0) ? chosen : HalfToWhite(chosen);
        marks.Recolour(b, man.colour, colour);
    }
    const bool ring = mSettings.marker == MarkerChoice::Always ||
                      (mSettings.marker == MarkerChoice::WhenHidden && !seen);
    if (!ring) return;
    const int32_t cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
    marks.Ring(cx, cy, kRingRadius + 1, 4, 0);
    marks.Ring(cx, cy, kRingRadius, 2, colour);
}

void PlayerComforts::DrawTimer(ViewMarks& marks) const {
    const std::string text =
        (mFights.FightFile().empty() ? std::string()
                                     : FormatGameTime(mFights.FightMilliseconds()) + "    ") +
        "run " + FormatGameTime(mFights.RunMilliseconds());
    const int32_t top = static_cast<int32_t>(8 * PixelHeight);
    const int32_t right = marks.Width() - static_cast<int32_t>(4 * PixelWidth);
    const gdi::RECT area{right - 320, top, right, top + 22};
    marks.Text({area.left + 1, area.top + 1, area.right + 1, area.bottom + 1}, text, 14, true,
               gdi::RGB(128, 128, 128), gdi::DT_RIGHT);
    marks.Text(area, text, 14, true, gdi::RGB(195, 190, 130), gdi::DT_RIGHT);
}
