#include <gtest/gtest.h>

#include "launcher/comforts_files.h"

namespace {

GameOptions Options(std::initializer_list<const char*> flags) {
    GameOptions o;
    for (const std::string flag : flags) {
        if (flag == "--sound") o.sound = true;
        if (flag == "--mute") o.mute = true;
        if (flag == "--window") o.window = true;
        if (flag == "--fullscreen") o.fullScreen = true;
    }
    return o;
}

} // namespace

TEST(ComfortsFiles, TheCommandLineWinsForItsRunAndOnlyWhatThePlayerChangedIsKept) {
    Settings file;
    file.volume = 40;
    file.display = DisplayChoice::FullScreen;
    file.timer = true;
    struct Case {
        std::initializer_list<const char*> flags;
        bool sound;
        DisplayChoice display;
    };
    const Case cases[] = {
        {{}, false, DisplayChoice::FullScreen},
        {{"--sound"}, true, DisplayChoice::FullScreen},
        {{"--sound", "--mute"}, false, DisplayChoice::FullScreen},
        {{"--window"}, false, DisplayChoice::Window},
        {{"--fullscreen"}, false, DisplayChoice::FullScreen},
    };
    for (const Case& c : cases) {
        const GameOptions options = Options(c.flags);
        const Settings run = ForThisRun(file, options);
        EXPECT_EQ(run.sound, c.sound);
        EXPECT_EQ(run.display, c.display);
        EXPECT_EQ(run.volume, 40);
        // The player turns the timer off on the screen: the file keeps its
        // own sound and display, and the timer as changed.
        Settings now = run;
        now.timer = false;
        Settings expected = file;
        expected.timer = false;
        EXPECT_EQ(ToKeep(file, run, now), expected);
        // The window opens as the settings say unless the command line spoke.
        const GameOptions opened = WithDisplay(options, run);
        EXPECT_EQ(opened.fullScreen, c.display == DisplayChoice::FullScreen);
        EXPECT_EQ(opened.window, c.display == DisplayChoice::Window);
    }
    // A change the player made to what the command line set is kept.
    Settings run = ForThisRun(file, Options({"--sound"}));
    run.sound = false;
    EXPECT_FALSE(ToKeep(file, ForThisRun(file, Options({"--sound"})), run).sound);
    EXPECT_EQ(ToKeep(file, ForThisRun(file, Options({"--sound"})), run).volume, 40);
}
