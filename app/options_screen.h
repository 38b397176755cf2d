// The options screen over the paused game (Tab or F1): the sound, the
// window, the scaling, seeing the man, the timer, the controls (each action
// bound again by pressing its new key or pad input) and the statistics.
// While it is open every key and pad input reaches it as itself (the raw
// control map), so it reads the same in a replay as it did when recorded.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/settings_file.h"
#include "app/view_marks.h"
#include "history/stats_file.h"
#include "input/clsKeyboard.h"
#include "platform/controls.h"

class OptionsScreen {
  public:
    enum class Page { Closed, Main, Controls, Capture, Stats };

    void Open(const Settings& settings, const platform::ControlMap& controls);
    bool IsOpen() const { return mPage != Page::Closed; }
    // One frame while open. Changes to the settings are made at once
    // (`settingsChanged` is called); the controls count from the closing on.
    void Step(const clsKeyboard& keys);
    void Draw(ViewMarks& marks, const std::vector<MonsterStats>& stats) const;

    std::function<void(const Settings&)> settingsChanged;

    const Settings& ChosenSettings() const { return mSettings; }
    const platform::ControlMap& ChosenControls() const { return mControls; }
    Page CurrentPage() const { return mPage; }
    int Row() const { return mRow; }
    // What the screen says about the last thing tried ("" for nothing).
    const std::string& Notice() const { return mNotice; }

    // The lines of the page as drawn, label and value (tests read them).
    struct Line {
        std::string label, value;
        bool warning = false; // a clash, shown in its own colour
    };
    std::vector<Line> Lines(const std::vector<MonsterStats>& stats) const;

  private:
    void StepMain(int move, int change, bool enter);
    void StepControls(int move, bool enter);
    void Capture(const clsKeyboard& keys);
    void Change(int row, int step);
    std::string InputsOf(platform::Action action) const;
    std::string ClashOf(platform::Action action) const;

    Page mPage = Page::Closed;
    int mRow = 0, mStatsTop = 0;
    Settings mSettings;
    platform::ControlMap mControls = platform::ControlMap::Defaults();
    platform::Action mCapturing = platform::Action::Left;
    std::string mNotice;
};
