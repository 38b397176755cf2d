// Settings.ini: what the options screen keeps, read forgivingly and written
// in one step.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "app/settings_file.h"
#include "support/temp_dir.h"

namespace {

Settings Parse(const std::string& text, std::vector<std::string>& warnings) {
    return ParseSettings(text, "Settings.ini", warnings);
}

mode_t ModeOf(const std::filesystem::path& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

} // namespace

TEST(SettingsFile, LinesIgnoreLetterCaseAndComments) {
    std::vector<std::string> warnings;
    const Settings read = Parse("\xEF\xBB\xBF; mine\r\n"
                                "SOUND = Yes\r\n"
                                "volume=0   # quiet\r\n"
                                "Display = FullScreen\n"
                                "\n"
                                "scaling = SMOOTH\n"
                                "Marker = hidden\n"
                                "mancolour = SkyBlue\n"
                                "Timer = 1\n"
                                "Timer = true\n",
                                warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(read, (Settings{true, 0, DisplayChoice::FullScreen, ScalingChoice::Smooth,
                              MarkerChoice::WhenHidden, ManColour::SkyBlue, true}));
}

TEST(SettingsFile, ABadLineIsNamedAndTheRestIsRead) {
    struct Case {
        std::string line;
        std::string why; // after "Settings.ini:2: "
    };
    const Case cases[] = {
        {"Sound on", "expected Key = value"},
        {"Colour = red", "unknown setting 'Colour'"},
        {"Sound = maybe", "unknown value 'maybe' for Sound (on or off)"},
        {"Volume = 101", "unknown value '101' for Volume (a whole number from 0 to 100)"},
        {"Volume = -1", "unknown value '-1' for Volume (a whole number from 0 to 100)"},
        {"Volume = 50.5", "unknown value '50.5' for Volume (a whole number from 0 to 100)"},
        {"Volume = 99999999999999999999",
         "unknown value '99999999999999999999' for Volume (a whole number from 0 to 100)"},
        {"Display = big", "unknown value 'big' for Display (game, window or fullscreen)"},
        {"Scaling = 2x", "unknown value '2x' for Scaling (whole or smooth)"},
        {"Marker = on", "unknown value 'on' for Marker (off, hidden or always)"},
        {"ManColour = green", "unknown value 'green' for ManColour (red, orange, skyblue, yellow, "
                              "blue or purple)"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> warnings;
        const Settings read = Parse("Volume = 40\n" + c.line + "\nTimer = on\n", warnings);
        EXPECT_EQ(warnings,
                  std::vector<std::string>{"Settings.ini:2: " + c.why + " (line ignored)"})
            << c.line;
        Settings expected;
        expected.volume = 40;
        expected.timer = true;
        EXPECT_EQ(read, expected) << c.line;
    }
}

TEST(SettingsFile, EveryChoiceReadsBackAsWritten) {
    std::vector<Settings> all = {Settings{}};
    for (int i = 0; i < 6; ++i) {
        Settings s;
        s.sound = i % 2 == 1;
        s.timer = i % 2 == 0;
        s.volume = i * 20;
        s.display = static_cast<DisplayChoice>(i % 3);
        s.scaling = static_cast<ScalingChoice>(i % 2);
        s.marker = static_cast<MarkerChoice>(i % 3);
        s.manColour = static_cast<ManColour>(i);
        all.push_back(s);
    }
    for (const Settings& s : all) {
        std::vector<std::string> warnings;
        EXPECT_EQ(Parse(SettingsText(s), warnings), s) << SettingsText(s);
        EXPECT_TRUE(warnings.empty()) << SettingsText(s);
    }
    EXPECT_EQ(SettingsText(Settings{}), "; Stompvale settings, as the options screen left them.\n"
                                        "Sound = off\n"
                                        "Volume = 100\n"
                                        "Display = game\n"
                                        "Scaling = whole\n"
                                        "Marker = off\n"
                                        "ManColour = red\n"
                                        "Timer = off\n");
}

TEST(SettingsFile, ManColoursAreInTheGamesByteOrder) {
    EXPECT_EQ(ManColourValue(ManColour::Red), 0x0000FFu);
    EXPECT_EQ(ManColourValue(ManColour::SkyBlue), 0xE9B456u); // 86, 180, 233
    EXPECT_STREQ(ManColourLabel(ManColour::SkyBlue), "Sky blue");
    EXPECT_EQ(ManColourValue(ManColour::Count), ManColourValue(ManColour::Red));
}

TEST(SettingsFile, SavingReplacesTheFileInOneStepOrNotAtAll) {
    TempDir folder;
    const std::string path = (folder.path() / "Settings.ini").string();
    Settings mine;
    mine.volume = 35;
    mine.manColour = ManColour::Purple;

    EXPECT_EQ(LoadSettings(path), Settings{}); // none yet
    folder.Write("Settings.ini.new", "left by a save that was killed");
    SaveSettings(mine, path);
    EXPECT_EQ(LoadSettings(path), mine);
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));

    chmod(path.c_str(), 0600);
    mine.sound = true;
    SaveSettings(mine, path);
    EXPECT_EQ(ModeOf(path), 0600u);
    EXPECT_EQ(LoadSettings(path), mine);

    // Neither a read-only file nor one whose temporary file cannot be made
    // is touched.
    const std::string before = folder.Read("Settings.ini");
    chmod(path.c_str(), 0444);
    EXPECT_THROW(SaveSettings(Settings{}, path), std::runtime_error);
    chmod(path.c_str(), 0600);
    std::filesystem::create_directory(path + ".new");
    try {
        SaveSettings(Settings{}, path);
        ADD_FAILURE() << "saved";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
    }
    EXPECT_EQ(folder.Read("Settings.ini"), before);
}

TEST(SettingsFile, LoadingTellsOfWhatItCouldNotRead) {
    TempDir folder;
    const std::string path = (folder.path() / "Settings.ini").string();
    std::filesystem::create_directory(path);
    testing::internal::CaptureStderr();
    EXPECT_EQ(LoadSettings(path), Settings{});
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              path + ": is a folder; the default settings are used\n");
    std::filesystem::remove(path);

    folder.Write("Settings.ini", "Timer = on\nVolume = loud\n");
    testing::internal::CaptureStderr();
    EXPECT_TRUE(LoadSettings(path).timer);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              path + ":2: unknown value 'loud' for Volume (a whole number from 0 to 100) (line "
                     "ignored)\n");
}
