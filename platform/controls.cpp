#include "platform/controls.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace platform {
namespace {

constexpr size_t kActions = static_cast<size_t>(Action::Count);

const char* const kActionNames[kActions] = {"Left", "Right", "Up",    "Down",  "Jump", "Sword",
                                            "Hold", "Lower", "Pause", "Retry", "Quit"};

const std::vector<int> kActionKeys[kActions] = {{37}, {39}, {38},   {40},   {32, 67}, {90},
                                                {88}, {70}, {0x50}, {0x52}, {27}};

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
    {"Space", 32},      {"Enter", 13},       {"Return", 13},       {"Escape", 27},
    {"Esc", 27},        {"Tab", 9},          {"Backspace", 8},     {"Left", 37},
    {"Right", 39},      {"Up", 38},          {"Down", 40},         {"Shift", 16},
    {"LeftShift", 160}, {"RightShift", 161}, {"Ctrl", 17},         {"LeftCtrl", 162},
    {"RightCtrl", 163}, {"Alt", 18},         {"LeftAlt", 164},     {"RightAlt", 165},
    {"Insert", 45},     {"Delete", 46},      {"Home", 36},         {"End", 35},
    {"PageUp", 33},     {"PageDown", 34},    {"CapsLock", 20},     {"Comma", 188},
    {"Period", 190},    {"Slash", 191},      {"Semicolon", 186},   {"Quote", 222},
    {"Minus", 189},     {"Equals", 187},     {"LeftBracket", 219}, {"RightBracket", 221},
    {"Backslash", 220}, {"Backquote", 192},
};

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

// A key's virtual-key code from its name; 0 when it has none.
int KeyByName(const std::string& name) {
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        return std::toupper(static_cast<unsigned char>(name[0]));
    }
    const std::string lower = Lower(name);
    if (lower.size() >= 2 && lower[0] == 'f' &&
        std::all_of(lower.begin() + 1, lower.end(), ::isdigit)) {
        const int n = std::stoi(lower.substr(1));
        if (n >= 1 && n <= 24) return 111 + n;
    }
    if (lower.rfind("numpad", 0) == 0 && lower.size() == 7 && std::isdigit(lower[6])) {
        return 96 + (lower[6] - '0');
    }
    for (const auto& [keyName, code] : kKeyNames) {
        if (Lower(keyName) == lower) return code;
    }
    return 0;
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

void ControlMap::Bind(Action action, std::vector<int> keyboardKeys,
                      std::vector<PadInput> padInputs) {
    mBindings[static_cast<size_t>(action)] = {std::move(keyboardKeys), std::move(padInputs)};
}

std::vector<int> ControlMap::KeysForKeyboard(int virtualKey) const {
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
    size_t start = 0;
    int lineNumber = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        const size_t comment = line.find_first_of(";#");
        if (comment != std::string::npos) line.resize(comment);
        line = Trim(line);
        if (line.empty()) {
            if (end == text.size()) break;
            continue;
        }
        auto warn = [&](const std::string& why) {
            warnings.push_back(fileName + ":" + std::to_string(lineNumber) + ": " + why +
                               " (line ignored)");
        };
        const size_t equals = line.find('=');
        Action action = Action::Left;
        if (equals == std::string::npos) {
            warn("expected Action = inputs");
        } else if (!ActionByName(Trim(line.substr(0, equals)), action)) {
            warn("unknown action '" + Trim(line.substr(0, equals)) + "'");
        } else {
            std::vector<int> keys;
            std::vector<PadInput> pads;
            std::string bad;
            std::string rest = line.substr(equals + 1);
            size_t at = 0;
            while (at <= rest.size() && bad.empty()) {
                size_t comma = rest.find(',', at);
                if (comma == std::string::npos) comma = rest.size();
                const std::string name = Trim(rest.substr(at, comma - at));
                at = comma + 1;
                if (name.empty()) {
                    if (comma == rest.size()) break;
                    bad = "an empty input";
                    continue;
                }
                PadInput pad;
                if (PadByName(name, pad)) {
                    pads.push_back(pad);
                } else if (const int key = KeyByName(name)) {
                    keys.push_back(key);
                } else {
                    bad = "unknown key or pad input '" + name + "'";
                }
                if (comma == rest.size()) break;
            }
            if (!bad.empty()) {
                warn(bad);
            } else if (keys.empty() && pads.empty()) {
                warn("no inputs for " + std::string(ActionName(action)));
            } else {
                map.Bind(action, keys, pads);
            }
        }
        if (end == text.size()) break;
    }
    return map;
}

std::string DefaultControlsText() {
    return "; Stompvale controls: Action = keys and pad inputs, separated by commas.\n"
           "Left = Left, PadLeft, StickLeft\n"
           "Right = Right, PadRight, StickRight\n"
           "Up = Up, PadUp, StickUp\n"
           "Down = Down, PadDown, StickDown\n"
           "Jump = Space, C, PadA\n"
           "Sword = Z, PadX\n"
           "Hold = X, PadB, PadLeftShoulder, PadRightShoulder\n"
           "Lower = F\n"
           "Pause = P, PadStart\n"
           "Retry = R, PadY\n"
           "Quit = Escape, PadBack\n";
}

} // namespace platform
