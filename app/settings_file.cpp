#include "app/settings_file.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "files/atomic_write.h"
#include "files/bounded_read.h"
#include "gdi/raster.h"
#include "platform/setting_lines.h"
#include "platform/warning_list.h"
#include "vb/strings.h"

namespace {

// The file's words for each choice, in the order of its values.
const char* const kSwitchWords[] = {"off", "on"};
const char* const kDisplayWords[] = {"game", "window", "fullscreen"};
const char* const kScalingWords[] = {"whole", "smooth"};
const char* const kMarkerWords[] = {"off", "hidden", "always"};
const char* const kColourWords[] = {"red", "orange", "skyblue", "yellow", "blue", "purple"};

// What else a switch may say, off then on.
const char* const kOtherSwitchWords[][2] = {{"no", "yes"}, {"false", "true"}, {"0", "1"}};

struct ManColourInfo {
    uint32_t value;
    const char* label;
};
const ManColourInfo kManColours[] = {
    {gdi::RGB(255, 0, 0), "Red"},         {gdi::RGB(230, 159, 0), "Orange"},
    {gdi::RGB(86, 180, 233), "Sky blue"}, {gdi::RGB(240, 228, 66), "Yellow"},
    {gdi::RGB(0, 114, 178), "Blue"},      {gdi::RGB(204, 121, 167), "Purple"},
};
static_assert(std::size(kManColours) == static_cast<size_t>(ManColour::Count));
static_assert(std::size(kColourWords) == static_cast<size_t>(ManColour::Count));

const ManColourInfo& InfoOf(ManColour colour) {
    const auto index = static_cast<size_t>(colour);
    return kManColours[index < std::size(kManColours) ? index : 0];
}

template <typename Choice, size_t N>
bool ReadWord(const std::string& value, const char* const (&words)[N], Choice& out) {
    const std::string lower = vb::LCase(value);
    for (size_t i = 0; i < N; ++i) {
        if (lower == words[i]) {
            out = static_cast<Choice>(i);
            return true;
        }
    }
    return false;
}

bool ReadSwitch(const std::string& value, bool& out) {
    if (ReadWord(value, kSwitchWords, out)) return true;
    for (const auto& words : kOtherSwitchWords) {
        if (ReadWord(value, words, out)) return true;
    }
    return false;
}

// A value past the words (no choice the screen offers) is written as the first.
template <typename Choice, size_t N>
const char* WordOf(Choice choice, const char* const (&words)[N]) {
    const auto index = static_cast<size_t>(choice);
    return words[index < N ? index : 0];
}

// "game, window or fullscreen".
template <size_t N> std::string Listed(const char* const (&words)[N]) {
    std::string list;
    for (size_t i = 0; i < N; ++i)
        list += (i == 0 ? "" : i + 1 == N ? " or " : ", ") + std::string(words[i]);
    return list;
}

bool ReadVolume(const std::string& value, int32_t& out) {
    int32_t n = -1;
    const char* end = value.data() + value.size();
    const auto [at, error] = std::from_chars(value.data(), end, n);
    if (error != std::errc() || at != end || n < 0 || n > 100) return false;
    out = n;
    return true;
}

// Takes one line into `settings`: "" when it did, or why not.
std::string ReadSetting(Settings& settings, const std::string& name, const std::string& value) {
    const std::string key = vb::LCase(name);
    bool read = false;
    std::string canonical, expected;
    if (key == "sound") {
        canonical = "Sound", expected = "on or off";
        read = ReadSwitch(value, settings.sound);
    } else if (key == "volume") {
        canonical = "Volume", expected = "a whole number from 0 to 100";
        read = ReadVolume(value, settings.volume);
    } else if (key == "display") {
        canonical = "Display", expected = Listed(kDisplayWords);
        read = ReadWord(value, kDisplayWords, settings.display);
    } else if (key == "scaling") {
        canonical = "Scaling", expected = Listed(kScalingWords);
        read = ReadWord(value, kScalingWords, settings.scaling);
    } else if (key == "marker") {
        canonical = "Marker", expected = Listed(kMarkerWords);
        read = ReadWord(value, kMarkerWords, settings.marker);
    } else if (key == "mancolour") {
        canonical = "ManColour", expected = Listed(kColourWords);
        read = ReadWord(value, kColourWords, settings.manColour);
    } else if (key == "timer") {
        canonical = "Timer", expected = "on or off";
        read = ReadSwitch(value, settings.timer);
    } else {
        return "unknown setting " + platform::QuoteForWarning(name);
    }
    if (read) return "";
    return "unknown value " + platform::QuoteForWarning(value) + " for " + canonical + " (" +
           expected + ")";
}

} // namespace

uint32_t ManColourValue(ManColour colour) {
    return InfoOf(colour).value;
}

const char* ManColourLabel(ManColour colour) {
    return InfoOf(colour).label;
}

Settings ParseSettings(const std::string& text, const std::string& fileName,
                       std::vector<std::string>& warnings) {
    Settings settings;
    platform::WarningList problems(fileName);
    platform::ReadSettingLines(text, "Key = value", problems,
                               [&](const std::string& name, const std::string& value) {
                                   return ReadSetting(settings, name, value);
                               });
    for (std::string& warning : problems.Lines()) warnings.push_back(std::move(warning));
    return settings;
}

std::string SettingsText(const Settings& s) {
    const auto line = [](const char* key, const std::string& value) {
        return std::string(key) + " = " + value + "\n";
    };
    return "; Stompvale settings, as the options screen left them.\n" +
           line("Sound", WordOf(s.sound, kSwitchWords)) +
           line("Volume", std::to_string(std::clamp(s.volume, 0, 100))) +
           line("Display", WordOf(s.display, kDisplayWords)) +
           line("Scaling", WordOf(s.scaling, kScalingWords)) +
           line("Marker", WordOf(s.marker, kMarkerWords)) +
           line("ManColour", WordOf(s.manColour, kColourWords)) +
           line("Timer", WordOf(s.timer, kSwitchWords));
}

Settings LoadSettings(const std::string& path) {
    std::string text;
    const files::ReadOutcome outcome = files::ReadBoundedFile(path, kSettingsMostBytes, text);
    if (outcome.kind == files::ReadOutcome::Missing) return {};
    if (outcome.kind != files::ReadOutcome::Read) {
        std::fprintf(stderr, "%s: %s; the default settings are used\n", path.c_str(),
                     files::ReadProblem(outcome, kSettingsMostBytes).c_str());
        return {};
    }
    std::vector<std::string> warnings;
    const Settings settings = ParseSettings(text, path, warnings);
    for (const std::string& warning : warnings) std::fprintf(stderr, "%s\n", warning.c_str());
    return settings;
}

void SaveSettings(const Settings& settings, const std::string& path) {
    files::WriteFileAtomically(path, SettingsText(settings));
}
