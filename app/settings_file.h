// The player's choices from the options screen, kept in Settings.ini beside
// Controls.ini.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class DisplayChoice { AsTheGameStarts, Window, FullScreen }; // file: game, window, fullscreen
enum class ScalingChoice { WholeFactor, Smooth };                 // file: whole, smooth
enum class MarkerChoice { Off, WhenHidden, Always };              // file: off, hidden, always
// file: red, orange, skyblue, yellow, blue, purple
enum class ManColour { Red, Orange, SkyBlue, Yellow, Blue, Purple, Count };

struct Settings {
    bool sound = false;   // the game's own sounds
    int32_t volume = 100; // 0..100
    DisplayChoice display = DisplayChoice::AsTheGameStarts;
    ScalingChoice scaling = ScalingChoice::WholeFactor;
    MarkerChoice marker = MarkerChoice::Off;
    ManColour manColour = ManColour::Red;
    bool timer = false;
    bool operator==(const Settings&) const = default;
};

// The colour (&H00BBGGRR, as gdi::RGB makes it) and the name shown on the
// options screen of each man colour: red as the game draws him, the others
// the Okabe-Ito colours, which colour-blind players tell apart. A value past
// the colours gives red's.
uint32_t ManColourValue(ManColour colour);
const char* ManColourLabel(ManColour colour);

// The largest Settings.ini read: a few lines, never near it.
constexpr size_t kSettingsMostBytes = size_t{1} << 20;

// Settings.ini: lines "Key = value" (keys Sound, Volume, Display, Scaling,
// Marker, ManColour, Timer; names and values ignore letter case; on/off,
// yes/no, true/false or 1/0 for the switches; ';' or '#' starts a comment).
// A line that cannot be read is left out with a warning naming the file and
// line, added to `warnings`; the keys not read keep their defaults.
Settings ParseSettings(const std::string& text, const std::string& fileName,
                       std::vector<std::string>& warnings);
// A comment line, then every key: reads back as the same settings.
std::string SettingsText(const Settings& settings);

// A missing file gives the defaults; one that cannot be read gives them with
// a line on stderr, where the warnings go too.
Settings LoadSettings(const std::string& path);
// Writes atomically (files::WriteFileAtomically), keeping the old file's
// permission bits; throws std::runtime_error naming the file on failure.
void SaveSettings(const Settings& settings, const std::string& path);
