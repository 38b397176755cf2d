// What the player presses, turned into the game's own keys: every action of
// the game bound to keyboard keys and pad inputs, by default as the game has
// always read them, or as Controls.ini says.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace platform {

enum class Action { Left, Right, Up, Down, Jump, Sword, Hold, Lower, Pause, Retry, Quit, Count };

// A pad's buttons and its left stick's four directions, as one pad of the
// usual layout names them.
enum class PadInput {
    A,
    B,
    X,
    Y,
    Back,
    Start,
    LeftShoulder,
    RightShoulder,
    DPadUp,
    DPadDown,
    DPadLeft,
    DPadRight,
    StickLeft,
    StickRight,
    StickUp,
    StickDown,
    Count
};

class ControlMap {
  public:
    // The game's own keys, and the pad: D-pad and stick the arrows, A jump,
    // X sword, B or a shoulder hold on, Start pause, Back quit, Y try again.
    static ControlMap Defaults();
    // Every key as itself and every pad input as a code of its own
    // (PadInputKey): what the options screen reads while it waits for the
    // player to press the new input of an action. It binds no action.
    static ControlMap Raw();

    // The game's key codes that a keyboard key (its own virtual-key code)
    // stands for. A key bound to an action gives itself when it is one of
    // that action's own keys (so the game still tells Space from C) and the
    // action's first key otherwise; a key no action claims passes as itself,
    // unless it is a game key moved elsewhere, which then gives nothing.
    std::vector<int> KeysForKeyboard(int virtualKey) const;
    std::vector<int> KeysForPad(PadInput input) const;

    // Replaces an action's inputs.
    // Replaces an action's inputs; an input named twice is kept once, where
    // it came first.
    void Bind(Action action, std::vector<int> keyboardKeys, std::vector<PadInput> padInputs);
    const std::vector<int>& Keyboard(Action action) const;
    const std::vector<PadInput>& Pad(Action action) const;

    bool operator==(const ControlMap&) const;

  private:
    struct Binding {
        std::vector<int> keyboard;
        std::vector<PadInput> pad;
        bool operator==(const Binding&) const = default;
    };
    std::array<Binding, static_cast<size_t>(Action::Count)> mBindings;
    bool mRaw = false;
};

// The key code the Raw map gives a pad input, one no keyboard key has (in
// the block Windows keeps for pad buttons), and back: false for any other code.
int PadInputKey(PadInput input);
bool PadInputOfKey(int key, PadInput& out);

// The name Controls.ini uses for a key code ("Space", "J", "F5", "Left",
// "Numpad0", ...), "" when it has none; a pad input's ("PadA", "StickLeft").
std::string KeyName(int virtualKey);
const char* PadInputName(PadInput input);

// An action's name in Controls.ini ("Left", "Jump", "Sword", ...) and the
// game's key codes it stands for, the first one for remapped inputs.
const char* ActionName(Action action);
const std::vector<int>& ActionKeys(Action action);

// Controls.ini: lines "Action = input, input, ..." (names ignore letter case;
// ';' or '#' starts a comment; a byte-order mark before the first line is
// skipped). Keys by name ("Space", "J", "F5", "Left", "Enter", "Escape",
// ...), pad inputs as "PadA", "PadB", "PadX", "PadY", "PadBack", "PadStart",
// "PadLeftShoulder", "PadRightShoulder", "PadUp", "PadDown", "PadLeft",
// "PadRight", "StickLeft", "StickRight", "StickUp", "StickDown". A line that
// cannot be read is left out, with a message naming the file and line added
// to `warnings` (at most WarningList::kMostShown of them, then how many more);
// the actions it does not name keep their defaults.
ControlMap ParseControls(const std::string& text, const std::string& fileName,
                         std::vector<std::string>& warnings);

// The Controls.ini text for a map: a comment line, then one "Action =
// inputs" line per action, keys first. ParseControls reads it back as the
// same map when all its keys have names and every action has an input (an
// action without any gets a comment, and keeps its defaults on reading).
std::string ControlsText(const ControlMap& map);

// The text of a Controls.ini holding the defaults, for players to start from.
std::string DefaultControlsText();

} // namespace platform
