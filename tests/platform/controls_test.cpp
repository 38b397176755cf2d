// Controls.ini and the game input it shapes: defaults as the game always read
// its keys, remapped actions, bad lines, and keys and pads held together.
#include <gtest/gtest.h>

#include "platform/controls.h"
#include "platform/game_input.h"
#include "platform/key_table.h"

using namespace platform;

namespace {

bool Down(const GameInput& input, int key) {
    uint8_t table[256];
    input.CopyTo(table);
    return (table[key] & 0x80) != 0;
}

std::vector<int> Keys(const ControlMap& map, int key) {
    return map.KeysForKeyboard(key);
}

} // namespace

TEST(Controls, DefaultsAreTheGamesOwnKeysAndThePadLayout) {
    const ControlMap map = ControlMap::Defaults();
    struct Case {
        int key;
        std::vector<int> gives;
    };
    for (const Case& c : {Case{32, {32}}, Case{'C', {'C'}}, Case{37, {37}}, Case{'Z', {'Z'}},
                          Case{27, {27}}, Case{'J', {'J'}}, Case{122, {122}}}) {
        EXPECT_EQ(Keys(map, c.key), c.gives) << c.key;
    }
    struct PadCase {
        PadInput input;
        int gives;
    };
    for (const PadCase& c :
         {PadCase{PadInput::A, 32}, PadCase{PadInput::X, 'Z'}, PadCase{PadInput::B, 'X'},
          PadCase{PadInput::RightShoulder, 'X'}, PadCase{PadInput::Start, 'P'},
          PadCase{PadInput::Back, 27}, PadCase{PadInput::Y, 'R'}, PadCase{PadInput::DPadLeft, 37},
          PadCase{PadInput::StickDown, 40}}) {
        EXPECT_EQ(map.KeysForPad(c.input), std::vector<int>{c.gives});
    }
}

TEST(Controls, AFileRemapsActionsAndReportsBadLines) {
    std::vector<std::string> warnings;
    const ControlMap map = ParseControls("; my keys\r\n"
                                         "Jump = J, PadB\r\n"
                                         "sword=space   # the sword on the bar\n"
                                         "Fly = K\n"
                                         "Hold = Nothing\n"
                                         "Left Q\n"
                                         "Quit =\n"
                                         "Pause = F5, Numpad0\n",
                                         "Controls.ini", warnings);
    EXPECT_EQ(warnings, (std::vector<std::string>{
                            "Controls.ini:4: unknown action 'Fly' (line ignored)",
                            "Controls.ini:5: unknown key or pad input 'Nothing' (line ignored)",
                            "Controls.ini:6: expected Action = inputs (line ignored)",
                            "Controls.ini:7: no inputs for Quit (line ignored)"}));
    struct Case {
        int key;
        std::vector<int> gives;
    };
    for (const Case& c : {
             Case{'J', {32}},  // jump, as the game's own Space
             Case{32, {'Z'}},  // the bar now swings the sword
             Case{'C', {}},    // a jump key no longer bound: nothing
             Case{'Z', {}},    // likewise the sword's own key
             Case{'X', {'X'}}, // Hold kept its default: the bad line changed nothing
             Case{116, {'P'}}, // F5
             Case{96, {'P'}},  // Numpad0
             Case{27, {27}},   // Quit's line was bad: its default stays
             Case{'K', {'K'}}, // no action's key: passes as itself
         }) {
        EXPECT_EQ(Keys(map, c.key), c.gives) << c.key;
    }
    EXPECT_EQ(map.KeysForPad(PadInput::B), (std::vector<int>{32, 'X'})); // jump and hold
    EXPECT_TRUE(map.KeysForPad(PadInput::A).empty());

    // The defaults written out read back as the defaults.
    std::vector<std::string> none;
    const ControlMap again = ParseControls(DefaultControlsText(), "x", none);
    EXPECT_TRUE(none.empty());
    for (int key = 1; key < 256; ++key) {
        EXPECT_EQ(Keys(again, key), Keys(ControlMap::Defaults(), key)) << key;
    }
}

TEST(Controls, AGameKeyStaysDownWhileAnyInputHoldsIt) {
    GameInput input;
    input.KeyDown(32);
    input.PadDown(1, PadInput::A);
    input.PadDown(2, PadInput::A); // a second pad: several act as one
    EXPECT_TRUE(Down(input, 32));
    input.KeyUp(32);
    input.PadUp(1, PadInput::A);
    EXPECT_TRUE(Down(input, 32));
    input.PadGone(2); // pulled out while held
    EXPECT_FALSE(Down(input, 32));
    // A repeated press is not a second holder.
    input.KeyDown(37);
    input.KeyDown(37);
    input.KeyUp(37);
    EXPECT_FALSE(Down(input, 37));
    input.PadDown(1, PadInput::StickRight);
    input.KeyDown(39);
    input.ReleaseAll();
    EXPECT_FALSE(Down(input, 39));
    input.KeyUp(39); // after the release, a late key-up changes nothing
    input.KeyDown(39);
    EXPECT_TRUE(Down(input, 39));
}

// Lines no player means, each by itself: numbers past any key, raw bytes,
// a line of a megabyte; none may stop the game or flood the terminal.
TEST(Controls, OddLinesAreNamedReadablyAndChangeNothingElse) {
    struct Case {
        const char* what;
        std::string text;
        std::string warning; // "" when the line is taken
        int key;             // a key Jump then has (or, not taken, still has)
    };
    const std::string megabyte(1 << 20, 'A');
    const Case cases[] = {
        {"a function key past any number", "Jump = F99999999999\n",
         "Controls.ini:1: unknown key or pad input 'F99999999999' (function keys go from F1 to "
         "F24) (line ignored)",
         32},
        {"a number past what an int holds", "Jump = F" + std::string(40, '9') + "\n",
         "Controls.ini:1: unknown key or pad input 'F" + std::string(40, '9') +
             "' (function keys go from F1 to F24) (line ignored)",
         32},
        {"function key 0", "Jump = F0\n",
         "Controls.ini:1: unknown key or pad input 'F0' (function keys go from F1 to F24) (line "
         "ignored)",
         32},
        {"function key 25", "Jump = f25\n",
         "Controls.ini:1: unknown key or pad input 'f25' (function keys go from F1 to F24) (line "
         "ignored)",
         32},
        {"the last function key", "Jump = F24\n", "", 135},
        {"a number pad key past 9", "Jump = Numpad10\n",
         "Controls.ini:1: unknown key or pad input 'Numpad10' (number pad keys go from Numpad0 to "
         "Numpad9) (line ignored)",
         32},
        {"a byte-order mark before the first line", "\xEF\xBB\xBFJump = J\n", "", 'J'},
        {"terminal escapes and a NUL", std::string("Jump = \x1B[31mred\x07\0x\n", 19),
         "Controls.ini:1: unknown key or pad input '\\x1B[31mred\\x07\\x00x' (line ignored)", 32},
        {"a line of a megabyte", "Jump = " + megabyte + "\n",
         "Controls.ini:1: unknown key or pad input '" + megabyte.substr(0, 80) + "'... (" +
             std::to_string(megabyte.size()) + " bytes) (line ignored)",
         32},
    };
    for (const Case& c : cases) {
        std::vector<std::string> warnings;
        const ControlMap map = ParseControls(c.text, "Controls.ini", warnings);
        EXPECT_EQ(warnings, c.warning.empty() ? std::vector<std::string>{}
                                              : std::vector<std::string>{c.warning})
            << c.what;
        EXPECT_EQ(map.KeysForKeyboard(c.key), std::vector<int>{32}) << c.what;
    }
}

TEST(Controls, AFileOfBadLinesGivesAScreenfulOfWarnings) {
    std::string text;
    for (int i = 0; i < 10000; ++i) text += "Fly = K\nJump = Nothing\nnonsense\n";
    std::vector<std::string> warnings;
    ParseControls(text, "Controls.ini", warnings);
    ASSERT_EQ(warnings.size(), 21u);
    EXPECT_EQ(warnings[0], "Controls.ini:1: unknown action 'Fly' (line ignored)");
    EXPECT_EQ(warnings[19], "Controls.ini:20: unknown key or pad input 'Nothing' (line ignored)");
    EXPECT_EQ(warnings[20], "Controls.ini: ... and 29980 more");
}

// What the options screen writes reads back as the map it shows.
TEST(Controls, TheTextOfAMapReadsBackAsThatMap) {
    ControlMap remapped = ControlMap::Defaults();
    remapped.Bind(Action::Jump, {'J', vk::F1 + 12, vk::Numpad0 + 5, 'J'}, {PadInput::B});
    remapped.Bind(Action::Sword, {vk::Oem3, vk::RControl}, {PadInput::StickUp, PadInput::X});
    remapped.Bind(Action::Lower, {}, {PadInput::RightShoulder});
    ControlMap unbound = ControlMap::Defaults();
    unbound.Bind(Action::Retry, {}, {}); // nothing to write: the defaults hold
    struct Case {
        const char* what;
        ControlMap map;
        ControlMap readBack;
    };
    for (const Case& c : {Case{"defaults", ControlMap::Defaults(), ControlMap::Defaults()},
                          Case{"remapped", remapped, remapped},
                          Case{"an action without inputs", unbound, ControlMap::Defaults()}}) {
        std::vector<std::string> warnings;
        EXPECT_EQ(ParseControls(ControlsText(c.map), "Controls.ini", warnings), c.readBack)
            << c.what << "\n"
            << ControlsText(c.map);
        EXPECT_TRUE(warnings.empty()) << c.what;
    }
    EXPECT_NE(remapped, ControlMap::Defaults());
    EXPECT_EQ(remapped.Keyboard(Action::Jump),
              (std::vector<int>{'J', vk::F1 + 12, vk::Numpad0 + 5}));
    EXPECT_EQ(remapped.Pad(Action::Sword), (std::vector<PadInput>{PadInput::StickUp, PadInput::X}));
    EXPECT_EQ(ControlsText(remapped).substr(ControlsText(remapped).find("Jump")),
              "Jump = J, F13, Numpad5, PadB\n"
              "Sword = Backquote, RightCtrl, StickUp, PadX\n"
              "Hold = X, PadB, PadLeftShoulder, PadRightShoulder\n"
              "Lower = PadRightShoulder\n"
              "Pause = P, PadStart\n"
              "Retry = R, PadY\n"
              "Quit = Escape, PadBack\n");
    // The file players already have.
    EXPECT_EQ(DefaultControlsText(),
              "; Stompvale controls: Action = keys and pad inputs, separated by commas.\n"
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
              "Quit = Escape, PadBack\n");
}

TEST(Controls, EveryKeyWithANameIsReadBackByIt) {
    struct Case {
        int key;
        const char* name;
    };
    for (const Case& c : {Case{'A', "A"},
                          Case{'Z', "Z"},
                          Case{'0', "0"},
                          Case{'9', "9"},
                          Case{vk::F1, "F1"},
                          Case{vk::F12, "F12"},
                          Case{vk::F24, "F24"},
                          Case{vk::Numpad0, "Numpad0"},
                          Case{'a', "Numpad1"},
                          Case{vk::Numpad0 + 9, "Numpad9"},
                          Case{vk::Space, "Space"},
                          Case{vk::Return, "Enter"},
                          Case{vk::Escape, "Escape"},
                          Case{vk::Left, "Left"},
                          Case{vk::Prior, "PageUp"},
                          Case{vk::LShift, "LeftShift"},
                          Case{vk::Oem5, "Backslash"},
                          Case{0, ""},
                          Case{-1, ""},
                          Case{vk::Divide, ""},
                          Case{vk::F24 + 1, ""},
                          Case{vk::Oem102, ""},
                          Case{256 + 'A', ""}}) {
        EXPECT_EQ(KeyName(c.key), c.name) << c.key;
    }
    EXPECT_STREQ(PadInputName(PadInput::A), "PadA");
    EXPECT_STREQ(PadInputName(PadInput::StickLeft), "StickLeft");
    int named = 0;
    for (int key = -1; key < 512; ++key) {
        if (KeyName(key).empty()) continue;
        ++named;
        ControlMap map = ControlMap::Defaults();
        map.Bind(Action::Jump, {key}, {});
        std::vector<std::string> warnings;
        EXPECT_EQ(ParseControls(ControlsText(map), "x", warnings), map) << key << KeyName(key);
    }
    // Letters, digits, F keys, the number pad and the keys of their own name
    // (Enter and Return are one, as are Escape and Esc).
    EXPECT_EQ(named, 26 + 10 + 24 + 10 + 36);
}

TEST(Controls, TheRawMapGivesEveryInputAsACodeOfItsOwn) {
    const ControlMap raw = ControlMap::Raw();
    for (const int key : {int{'C'}, int{'J'}, vk::Space, vk::Escape, vk::F24, vk::Oem102, 1}) {
        EXPECT_EQ(raw.KeysForKeyboard(key), std::vector<int>{key}) << key;
    }
    std::vector<int> codes;
    for (size_t i = 0; i < static_cast<size_t>(PadInput::Count); ++i) {
        const auto input = static_cast<PadInput>(i);
        const int code = PadInputKey(input);
        EXPECT_EQ(raw.KeysForPad(input), std::vector<int>{code});
        PadInput back = PadInput::Count;
        EXPECT_TRUE(PadInputOfKey(code, back));
        EXPECT_EQ(back, input);
        // Through the game's key table, which keeps a byte per code.
        EXPECT_EQ(code & 0xFF, code);
        EXPECT_EQ(KeyName(code), "") << code;
        codes.push_back(code);
    }
    PadInput unchanged = PadInput::Y;
    for (const int key : {codes.front() - 1, codes.back() + 1, int{'A'}, vk::Oem102, -1}) {
        EXPECT_FALSE(PadInputOfKey(key, unchanged)) << key;
    }
    EXPECT_EQ(unchanged, PadInput::Y);

    GameInput input(raw);
    input.PadDown(1, PadInput::StickDown);
    input.KeyDown('C');
    EXPECT_TRUE(Down(input, PadInputKey(PadInput::StickDown)));
    EXPECT_FALSE(Down(input, vk::Down));
    EXPECT_FALSE(Down(input, vk::Space)); // C is itself, not the jump
    EXPECT_TRUE(Down(input, 'C'));
    EXPECT_EQ(raw, ControlMap::Raw());
    EXPECT_NE(raw, ControlMap());
}
