// Settings.ini on arbitrary text: the warnings stay a screenful of short,
// printable lines, every setting read is one the options screen offers, and
// what is written back reads back the same without a warning.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/settings_file.h"
#include "fuzz/warning_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> warnings;
    const Settings settings = ParseSettings(text, "Settings.ini", warnings);

    CheckWarningsReadable(warnings);
    Check(settings.volume >= 0 && settings.volume <= 100);
    Check(static_cast<int>(settings.display) <= static_cast<int>(DisplayChoice::FullScreen));
    Check(static_cast<int>(settings.scaling) <= static_cast<int>(ScalingChoice::Smooth));
    Check(static_cast<int>(settings.marker) <= static_cast<int>(MarkerChoice::Always));
    Check(settings.manColour < ManColour::Count);
    Check(std::strlen(ManColourLabel(settings.manColour)) > 0);

    std::vector<std::string> again;
    Check(ParseSettings(SettingsText(settings), "Settings.ini", again) == settings);
    Check(again.empty());
    return 0;
}
