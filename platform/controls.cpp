#include "platform/controls.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <utility>

#include "platform/key_table.h"
#include "platform/setting_lines.h"
#include "platform/warning_list.h"

namespace platform {
namespace {

constexpr size_t kActions = static_cast<size_t>(Action::Count);

const char* const kActionNames[kActions] = {"Left", "Right", "Up",    "Down",  "Jump", "Sword",
                                            "Hold", "Lower", "Pause", "Retry", "Quit"};

const std::vector<int> kActionKeys[kActions] = {
    {vk::Left}, {vk::Right}, {vk::Up}, {vk::Down}, {vk::Space, vk::C}, {vk::Z},
    {vk::X},    {vk::F},     {vk::P},  {vk::R},    {vk::Escape}};

const char* const kPadNames[static_cast<size_t>(PadInput::Count)] = {"PadA",
                                                                     "PadB",
                                                                     "PadX",
                                                                     "PadY",
                                                                     "PadBack",
                                                                     "PadStart",
                                                                     "PadLeftShoulder",
                                                                     "PadRightShoulder",
                                                                     "PadUp",
                                                                     "PadDown",
                                                                     "PadLeft",
                                                                     "PadRight",
                                                                     "StickLeft",
                                                                     "StickRight",
                                                                     "StickUp",
                                                                     "StickDown"};

// Key names, with the virtual-key code each stands for. Letters and digits
// are their own character.
const std::pair<const char*, int> kKeyNames[] = {
    {"Space", vk::Space},        {"Enter", vk::Return},
    {"Return", vk::Return},      {"Escape", vk::Escape},
    {"Esc", vk::Escape},         {"Tab", vk::Tab},
    {"Backspace", vk::Back},     {"Left", vk::Left},
    {"Right", vk::Right},        {"Up", vk::Up},
    {"Down", vk::Down},          {"Shift", vk::Shift},
    {"LeftShift", vk::LShift},   {"RightShift", vk::RShift},
    {"Ctrl", vk::Control},       {"LeftCtrl", vk::LControl},
    {"RightCtrl", vk::RControl}, {"Alt", vk::Menu},
    {"LeftAlt", vk::LMenu},      {"RightAlt", vk::RMenu},
    {"Insert", vk::Insert},      {"Delete", vk::Delete},
    {"Home", vk::Home},          {"End", vk::End},
    {"PageUp", vk::Prior},       {"PageDown", vk::Next},
    {"CapsLock", vk::Capital},   {"Comma", vk::OemComma},
    {"Period", vk::OemPeriod},   {"Slash", vk::Oem2},
    {"Semicolon", vk::Oem1},     {"Quote", vk::Oem7},
    {"Minus", vk::OemMinus},     {"Equals", vk::OemPlus},
    {"LeftBracket", vk::Oem4},   {"RightBracket", vk::Oem6},
    {"Backslash", vk::Oem5},     {"Backquote", vk::Oem3},
};

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

constexpr int kMostFunctionKey = 24;

// The Raw map's codes of pad inputs: the block Windows keeps for pad buttons
// (0xC3 to 0xDA), which no keyboard key gives. 0xE0 and up will not do: 0xE2
// is the extra key beside the left Shift of European keyboards.
constexpr int kFirstPadInputKey = 0xC3;

// The number after a key name's prefix ("F" of "F5"), or -1 when the rest is
// not all digits or too large to mean a key.
int NumberAfter(const std::string& lower, size_t prefix) {
    if (lower.size() <= prefix) return -1;
    int n = -1;
    const char* end = lower.data() + lower.size();
    const auto [at, error] = std::from_chars(lower.data() + prefix, end, n);
    return error == std::errc() && at == end && n >= 0 ? n : -1;
}

bool AllDigitsAfter(const std::string& lower, size_t prefix) {
    return lower.size() > prefix &&
           std::all_of(lower.begin() + static_cast<std::ptrdiff_t>(prefix), lower.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// A key's virtual-key code from its name; 0 when it has none.
int KeyByName(const std::string& name) {
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        return std::toupper(static_cast<unsigned char>(name[0]));
    }
    const std::string lower = Lower(name);
    if (lower[0] == 'f' && AllDigitsAfter(lower, 1)) {
        const int n = NumberAfter(lower, 1);
        return n >= 1 && n <= kMostFunctionKey ? 111 + n : 0;
    }
    if (lower.rfind("numpad", 0) == 0 && AllDigitsAfter(lower, 6)) {
        const int n = NumberAfter(lower, 6);
        return n >= 0 && n <= 9 && lower.size() == 7 ? 96 + n : 0;
    }
    for (const auto& [keyName, code] : kKeyNames) {
        if (Lower(keyName) == lower) return code;
    }
    return 0;
}

// Why a name is no key: numbered keys say which numbers there are.
std::string UnknownKey(const std::string& name) {
    const std::string lower = Lower(name);
    std::string why = "unknown key or pad input " + QuoteForWarning(name);
    if (lower[0] == 'f' && AllDigitsAfter(lower, 1)) {
        why += " (function keys go from F1 to F" + std::to_string(kMostFunctionKey) + ")";
    } else if (lower.rfind("numpad", 0) == 0 && AllDigitsAfter(lower, 6)) {
        why += " (number pad keys go from Numpad0 to Numpad9)";
    }
    return why;
}

bool PadByName(const std::string& name, PadInput& out) {
    const std::string lower = Lower(name);
    for (size_t i = 0; i < static_cast<size_t>(PadInput::Count); ++i) {
        if (Lower(kPadNames[i]) == lower) {
            out = static_cast<PadInput>(i);
            return true;
        }
    }
    return false;
}

bool ActionByName(const std::string& name, Action& out) {
    const std::string lower = Lower(name);
    for (size_t i = 0; i < kActions; ++i) {
        if (Lower(kActionNames[i]) == lower) {
            out = static_cast<Action>(i);
            return true;
        }
    }
    return false;
}

bool Contains(const std::vector<int>& v, int x) {
    return std::find(v.begin(), v.end(), x) != v.end();
}

} // namespace

namespace {

// Binds one line's inputs to its action: "" when it did, or why not.
std::string ReadBinding(ControlMap& map, const std::string& actionName, const std::string& rest) {
    Action action = Action::Left;
    if (!ActionByName(actionName, action)) return "unknown action " + QuoteForWarning(actionName);
    std::vector<int> keys;
    std::vector<PadInput> pads;
    for (size_t at = 0; at <= rest.size();) {
        size_t comma = rest.find(',', at);
        if (comma == std::string::npos) comma = rest.size();
        const std::string name = TrimSetting(rest.substr(at, comma - at));
        at = comma + 1;
        PadInput pad;
        if (name.empty()) {
            if (comma != rest.size()) return "an empty input";
        } else if (PadByName(name, pad)) {
            pads.push_back(pad);
        } else if (const int key = KeyByName(name)) {
            keys.push_back(key);
        } else {
            return UnknownKey(name);
        }
    }
    if (keys.empty() && pads.empty()) return "no inputs for " + std::string(ActionName(action));
    map.Bind(action, keys, pads);
    return "";
}

} // namespace

const char* ActionName(Action action) {
    return kActionNames[static_cast<size_t>(action)];
}

const std::vector<int>& ActionKeys(Action action) {
    return kActionKeys[static_cast<size_t>(action)];
}

ControlMap ControlMap::Defaults() {
    ControlMap map;
    using P = PadInput;
    const std::vector<PadInput> pads[kActions] = {{P::DPadLeft, P::StickLeft},
                                                  {P::DPadRight, P::StickRight},
                                                  {P::DPadUp, P::StickUp},
                                                  {P::DPadDown, P::StickDown},
                                                  {P::A},
                                                  {P::X},
                                                  {P::B, P::LeftShoulder, P::RightShoulder},
                                                  {},
                                                  {P::Start},
                                                  {P::Y},
                                                  {P::Back}};
    for (size_t i = 0; i < kActions; ++i) map.mBindings[i] = {kActionKeys[i], pads[i]};
    return map;
}

ControlMap ControlMap::Raw() {
    ControlMap map;
    map.mRaw = true;
    return map;
}

void ControlMap::Bind(Action action, std::vector<int> keyboardKeys,
                      std::vector<PadInput> padInputs) {
    Binding& binding = mBindings[static_cast<size_t>(action)];
    binding = {};
    for (const int key : keyboardKeys) {
        if (!Contains(binding.keyboard, key)) binding.keyboard.push_back(key);
    }
    for (const PadInput pad : padInputs) {
        if (std::find(binding.pad.begin(), binding.pad.end(), pad) == binding.pad.end()) {
            binding.pad.push_back(pad);
        }
    }
}

bool ControlMap::operator==(const ControlMap&) const = default;

const std::vector<int>& ControlMap::Keyboard(Action action) const {
    return mBindings[static_cast<size_t>(action)].keyboard;
}

const std::vector<PadInput>& ControlMap::Pad(Action action) const {
    return mBindings[static_cast<size_t>(action)].pad;
}

std::vector<int> ControlMap::KeysForKeyboard(int virtualKey) const {
    if (mRaw) return {virtualKey};
    std::vector<int> keys;
    bool gameKey = false;
    for (size_t i = 0; i < kActions; ++i) {
        gameKey = gameKey || Contains(kActionKeys[i], virtualKey);
        if (!Contains(mBindings[i].keyboard, virtualKey)) continue;
        const int key = Contains(kActionKeys[i], virtualKey) ? virtualKey : kActionKeys[i][0];
        if (!Contains(keys, key)) keys.push_back(key);
    }
    if (keys.empty() && !gameKey) keys.push_back(virtualKey);
    return keys;
}

std::vector<int> ControlMap::KeysForPad(PadInput input) const {
    if (mRaw) return {PadInputKey(input)};
    std::vector<int> keys;
    for (size_t i = 0; i < kActions; ++i) {
        const std::vector<PadInput>& pad = mBindings[i].pad;
        if (std::find(pad.begin(), pad.end(), input) != pad.end() &&
            !Contains(keys, kActionKeys[i][0])) {
            keys.push_back(kActionKeys[i][0]);
        }
    }
    return keys;
}

ControlMap ParseControls(const std::string& text, const std::string& fileName,
                         std::vector<std::string>& warnings) {
    ControlMap map = ControlMap::Defaults();
    WarningList problems(fileName);
    ReadSettingLines(text, "Action = inputs", problems,
                     [&](const std::string& action, const std::string& inputs) {
                         return ReadBinding(map, action, inputs);
                     });
    for (std::string& warning : problems.Lines()) warnings.push_back(std::move(warning));
    return map;
}

int PadInputKey(PadInput input) {
    return kFirstPadInputKey + static_cast<int>(input);
}

bool PadInputOfKey(int key, PadInput& out) {
    if (key < kFirstPadInputKey || key >= PadInputKey(PadInput::Count)) return false;
    out = static_cast<PadInput>(key - kFirstPadInputKey);
    return true;
}

std::string KeyName(int key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        return std::string(1, static_cast<char>(key));
    }
    if (key >= vk::F1 && key <= vk::F24) return "F" + std::to_string(key - vk::F1 + 1);
    if (key >= vk::Numpad0 && key <= vk::Numpad0 + 9) {
        return "Numpad" + std::to_string(key - vk::Numpad0);
    }
    for (const auto& [name, code] : kKeyNames) {
        if (code == key) return name;
    }
    return "";
}

const char* PadInputName(PadInput input) {
    const auto index = static_cast<size_t>(input);
    return index < static_cast<size_t>(PadInput::Count) ? kPadNames[index] : "";
}

std::string ControlsText(const ControlMap& map) {
    std::string text = "; Stompvale controls: Action = keys and pad inputs, separated by commas.\n";
    for (size_t i = 0; i < kActions; ++i) {
        const auto action = static_cast<Action>(i);
        std::vector<std::string> names;
        for (const int key : map.Keyboard(action)) {
            const std::string name = KeyName(key);
            if (!name.empty()) names.push_back(name);
        }
        for (const PadInput pad : map.Pad(action)) names.push_back(PadInputName(pad));
        if (names.empty()) {
            // A line without inputs would be refused on reading, with a warning.
            text += "; " + std::string(ActionName(action)) + " has no inputs: its defaults hold\n";
            continue;
        }
        text += std::string(ActionName(action)) + " =";
        for (size_t n = 0; n < names.size(); ++n) text += (n == 0 ? " " : ", ") + names[n];
        text += '\n';
    }
    return text;
}

std::string DefaultControlsText() {
    return ControlsText(ControlMap::Defaults());
}

} // namespace platform
