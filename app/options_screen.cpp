#include "app/options_screen.h"

#include <algorithm>
#include <initializer_list>

#include "platform/key_table.h"

namespace {

using platform::Action;
using platform::PadInput;
namespace vk = platform::vk;

enum MainRow {
    kSound,
    kVolume,
    kDisplay,
    kScaling,
    kMarker,
    kColour,
    kTimer,
    kControls,
    kStats,
    kClose,
    kMainRows
};
constexpr int kActions = static_cast<int>(Action::Count);
constexpr int kControlRows = kActions + 2; // the actions, "Defaults", "Back"
constexpr int kStatsShown = 14;
constexpr int32_t kVolumeStep = 10;

// The screen's keys, as the keyboard and the pad's raw inputs give them.
struct Pressed {
    int move = 0, change = 0;
    bool enter = false, back = false, close = false;
};

int Pad(PadInput input) {
    return platform::PadInputKey(input);
}

Pressed Read(const clsKeyboard& keys) {
    auto any = [&](std::initializer_list<int> codes) {
        return std::any_of(codes.begin(), codes.end(),
                           [&](int code) { return keys.KeyPressed(code); });
    };
    Pressed p;
    p.move = any({vk::Down, Pad(PadInput::DPadDown), Pad(PadInput::StickDown)}) -
             any({vk::Up, Pad(PadInput::DPadUp), Pad(PadInput::StickUp)});
    p.change = any({vk::Right, Pad(PadInput::DPadRight), Pad(PadInput::StickRight)}) -
               any({vk::Left, Pad(PadInput::DPadLeft), Pad(PadInput::StickLeft)});
    p.enter = any({vk::Return, vk::Space, Pad(PadInput::A)});
    p.back = any({vk::Escape, Pad(PadInput::B), Pad(PadInput::Back)});
    p.close = any({vk::Tab, vk::F1, Pad(PadInput::Start)});
    return p;
}

// Keys the game keeps for itself around play: never an action's.
bool KeptKey(int code) {
    return code == vk::Tab || code == vk::F1 || code == vk::F3 || code == vk::F11 ||
           code == vk::F12;
}

template <class Choice> Choice Cycle(Choice value, int step, int count) {
    const int next = ((static_cast<int>(value) + step) % count + count) % count;
    return static_cast<Choice>(next);
}

const char* DisplayLabel(DisplayChoice display) {
    switch (display) {
    case DisplayChoice::AsTheGameStarts:
        return "As the game starts";
    case DisplayChoice::Window:
        return "Window";
    case DisplayChoice::FullScreen:
        return "Full screen";
    }
    return "";
}

const char* MarkerLabel(MarkerChoice marker) {
    switch (marker) {
    case MarkerChoice::Off:
        return "Off";
    case MarkerChoice::WhenHidden:
        return "A ring while he is hidden";
    case MarkerChoice::Always:
        return "A ring always";
    }
    return "";
}

std::string OnOff(bool on) {
    return on ? "On" : "Off";
}

} // namespace

void OptionsScreen::Open(const Settings& settings, const platform::ControlMap& controls) {
    mSettings = settings;
    mControls = controls;
    mPage = Page::Main;
    mRow = 0;
    mNotice.clear();
}

void OptionsScreen::Step(const clsKeyboard& keys) {
    if (mPage == Page::Capture) {
        Capture(keys);
        return;
    }
    const Pressed p = Read(keys);
    if (p.close) {
        mPage = Page::Closed;
        return;
    }
    switch (mPage) {
    case Page::Main:
        if (p.back) {
            mPage = Page::Closed;
            return;
        }
        StepMain(p.move, p.change, p.enter);
        break;
    case Page::Controls:
        if (p.back) {
            mPage = Page::Main;
            mRow = kControls;
            return;
        }
        StepControls(p.move, p.enter);
        break;
    case Page::Stats:
        if (p.back || p.enter) {
            mPage = Page::Main;
            mRow = kStats;
            return;
        }
        mStatsTop = std::max(0, mStatsTop + p.move);
        break;
    default:
        break;
    }
}

void OptionsScreen::StepMain(int move, int change, bool enter) {
    mRow = std::clamp(mRow + move, 0, kMainRows - 1);
    if (change != 0 && mRow < kControls) Change(mRow, change);
    if (!enter) return;
    switch (mRow) {
    case kControls:
        mPage = Page::Controls;
        mRow = 0;
        mNotice.clear();
        break;
    case kStats:
        mPage = Page::Stats;
        mStatsTop = 0;
        break;
    case kClose:
        mPage = Page::Closed;
        break;
    default:
        Change(mRow, 1);
        break;
    }
}

void OptionsScreen::Change(int row, int step) {
    Settings& s = mSettings;
    switch (row) {
    case kSound:
        s.sound = !s.sound;
        break;
    case kVolume:
        s.volume = std::clamp(s.volume + step * kVolumeStep, 0, 100);
        break;
    case kDisplay:
        s.display =
            s.display == DisplayChoice::Window ? DisplayChoice::FullScreen : DisplayChoice::Window;
        break;
    case kScaling:
        s.scaling =
            s.scaling == ScalingChoice::Smooth ? ScalingChoice::WholeFactor : ScalingChoice::Smooth;
        break;
    case kMarker:
        s.marker = Cycle(s.marker, step, 3);
        break;
    case kColour:
        s.manColour = Cycle(s.manColour, step, static_cast<int>(ManColour::Count));
        break;
    case kTimer:
        s.timer = !s.timer;
        break;
    default:
        return;
    }
    if (settingsChanged) settingsChanged(mSettings);
}

void OptionsScreen::StepControls(int move, bool enter) {
    mRow = std::clamp(mRow + move, 0, kControlRows - 1);
    if (!enter) return;
    if (mRow < kActions) {
        mCapturing = static_cast<Action>(mRow);
        mPage = Page::Capture;
        mNotice.clear();
    } else if (mRow == kActions) {
        mControls = platform::ControlMap::Defaults();
        mNotice = "The default controls";
    } else {
        mPage = Page::Main;
        mRow = kControls;
    }
}

void OptionsScreen::Capture(const clsKeyboard& keys) {
    if (keys.KeyPressed(vk::Escape)) {
        mPage = Page::Controls;
        mNotice.clear();
        return;
    }
    for (int code = 1; code < 256; ++code) {
        if (!keys.KeyPressed(code)) continue;
        const char* action = platform::ActionName(mCapturing);
        PadInput pad;
        std::vector<int> keyboard = mControls.Keyboard(mCapturing);
        std::vector<PadInput> pads = mControls.Pad(mCapturing);
        if (platform::PadInputOfKey(code, pad)) {
            pads = {pad};
            mNotice = std::string(action) + ": " + platform::PadInputName(pad);
        } else if (KeptKey(code)) {
            mNotice = platform::KeyName(code) + " is kept for the game's own use";
            return;
        } else if (platform::KeyName(code).empty()) {
            mNotice = "That key has no name in Controls.ini: try another";
            return;
        } else {
            keyboard = {code};
            mNotice = std::string(action) + ": " + platform::KeyName(code);
        }
        mControls.Bind(mCapturing, keyboard, pads);
        mPage = Page::Controls;
        return;
    }
}

std::string OptionsScreen::InputsOf(Action action) const {
    std::string text;
    for (int key : mControls.Keyboard(action))
        text += (text.empty() ? "" : ", ") + platform::KeyName(key);
    for (PadInput pad : mControls.Pad(action))
        text += (text.empty() ? "" : ", ") + std::string(platform::PadInputName(pad));
    return text.empty() ? "(none)" : text;
}

std::string OptionsScreen::ClashOf(Action action) const {
    const std::vector<int>& keys = mControls.Keyboard(action);
    const std::vector<PadInput>& pads = mControls.Pad(action);
    std::string clash;
    for (int i = 0; i < kActions; ++i) {
        const Action other = static_cast<Action>(i);
        if (other == action) continue;
        const auto& otherKeys = mControls.Keyboard(other);
        const auto& otherPads = mControls.Pad(other);
        const bool shared =
            std::any_of(keys.begin(), keys.end(),
                        [&](int k) {
                            return std::find(otherKeys.begin(), otherKeys.end(), k) !=
                                   otherKeys.end();
                        }) ||
            std::any_of(pads.begin(), pads.end(), [&](PadInput p) {
                return std::find(otherPads.begin(), otherPads.end(), p) != otherPads.end();
            });
        if (shared) clash += (clash.empty() ? "also " : ", ") + std::string(ActionName(other));
    }
    return clash;
}

std::vector<OptionsScreen::Line>
OptionsScreen::Lines(const std::vector<MonsterStats>& stats) const {
    std::vector<Line> lines;
    switch (mPage) {
    case Page::Main: {
        const Settings& s = mSettings;
        lines = {{"Sound", OnOff(s.sound)},
                 {"Volume", std::to_string(s.volume) + " %"},
                 {"Display", DisplayLabel(s.display)},
                 {"Scaling in a window",
                  s.scaling == ScalingChoice::Smooth ? "Smooth to fit" : "Largest whole factor"},
                 {"Marker around the man", MarkerLabel(s.marker)},
                 {"Colour of the man", ManColourLabel(s.manColour)},
                 {"Timer", OnOff(s.timer)},
                 {"Controls", ""},
                 {"Statistics", ""},
                 {"Close", ""}};
        break;
    }
    case Page::Controls:
    case Page::Capture:
        for (int i = 0; i < kActions; ++i) {
            const Action action = static_cast<Action>(i);
            const bool capturing = mPage == Page::Capture && action == mCapturing;
            const std::string clash = ClashOf(action);
            lines.push_back({ActionName(action),
                             capturing
                                 ? "Press the new key or pad button (Escape: keep)"
                                 : InputsOf(action) + (clash.empty() ? "" : "  (" + clash + ")"),
                             !clash.empty() && !capturing});
        }
        lines.push_back({"Defaults", ""});
        lines.push_back({"Back", ""});
        break;
    case Page::Stats: {
        if (stats.empty()) lines.push_back({"No fights yet", ""});
        const int first = std::min<int>(mStatsTop, std::max<int>(0, stats.size() - kStatsShown));
        for (int i = first; i < static_cast<int>(stats.size()) && i < first + kStatsShown; ++i) {
            const MonsterStats& m = stats[i];
            std::string name = m.FileName;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".gif") == 0)
                name.resize(name.size() - 4);
            lines.push_back(
                {name, (m.BestMilliseconds < 0 ? std::string("not yet defeated")
                                               : "best " + FormatGameTime(m.BestMilliseconds)) +
                           ", " + std::to_string(m.Deaths) + " deaths, " +
                           std::to_string(m.Strikes) + " strikes"});
        }
        break;
    }
    default:
        break;
    }
    return lines;
}

void OptionsScreen::Draw(ViewMarks& marks, const std::vector<MonsterStats>& stats) const {
    if (!IsOpen() || !marks.Usable()) return;
    constexpr gdi::COLORREF kHeading = gdi::RGB(195, 190, 130); // the banner's colours
    constexpr gdi::COLORREF kShadow = gdi::RGB(128, 128, 128);
    constexpr gdi::COLORREF kValue = gdi::RGB(255, 255, 255);
    constexpr gdi::COLORREF kChosen = gdi::RGB(255, 255, 0);
    constexpr gdi::COLORREF kClash = gdi::RGB(255, 128, 64);
    constexpr gdi::COLORREF kHint = gdi::RGB(160, 160, 160);
    constexpr gdi::COLORREF kBand = gdi::RGB(70, 68, 48);
    constexpr int32_t kRowHeight = 26, kTitleHeight = 56, kFootHeight = 52;

    const std::vector<Line> lines = Lines(stats);
    const int32_t width = std::min(marks.Width() - 16, 720);
    const int32_t height =
        std::min(marks.Height() - 16,
                 kTitleHeight + kRowHeight * static_cast<int32_t>(lines.size()) + kFootHeight);
    const int32_t left = (marks.Width() - width) / 2, top = (marks.Height() - height) / 2;
    marks.Dim({left, top, left + width, top + height});

    const char* title = mPage == Page::Stats  ? "Statistics"
                        : mPage == Page::Main ? "Options"
                                              : "Controls";
    const gdi::RECT heading{left + 20, top + 10, left + width - 20, top + kTitleHeight};
    marks.Text({heading.left + 1, heading.top + 1, heading.right + 1, heading.bottom + 1}, title,
               24, true, kShadow, gdi::DT_LEFT);
    marks.Text(heading, title, 24, true, kHeading, gdi::DT_LEFT);

    const bool chooses = mPage != Page::Stats;
    int32_t y = top + kTitleHeight;
    for (size_t i = 0; i < lines.size() && y + kRowHeight <= top + height - kFootHeight + 8; ++i) {
        const bool chosen = chooses && static_cast<int>(i) == mRow;
        if (chosen) marks.Fill({left + 12, y, left + width - 12, y + kRowHeight}, kBand);
        const int32_t split = left + (mPage == Page::Stats ? width / 2 : 250);
        marks.Text({left + 24, y + 3, split - 8, y + kRowHeight}, lines[i].label, 14, chosen,
                   chosen ? kChosen : kHeading, gdi::DT_LEFT);
        marks.Text({split, y + 3, left + width - 24, y + kRowHeight}, lines[i].value, 14, false,
                   lines[i].warning ? kClash : kValue, gdi::DT_LEFT);
        y += kRowHeight;
    }
    const std::string hint = mPage == Page::Stats ? "Up and Down scroll; Escape or Enter goes back"
                             : mPage == Page::Capture
                                 ? "Press the new key or pad button; Escape keeps the old one"
                                 : "Up and Down choose; Left, Right or Enter change; Escape "
                                   "goes back; Tab or F1 closes";
    const int32_t foot = top + height - kFootHeight + 6;
    if (!mNotice.empty())
        marks.Text({left + 24, foot, left + width - 24, foot + 22}, mNotice, 13, true, kChosen,
                   gdi::DT_LEFT);
    marks.Text({left + 24, foot + 22, left + width - 24, foot + 44}, hint, 12, false, kHint,
               gdi::DT_LEFT);
}
