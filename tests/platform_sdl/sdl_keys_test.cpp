// SDL's keys as the game's virtual-key codes.
#include <gtest/gtest.h>

#include "platform/controls.h"
#include "platform_sdl/sdl_keys.h"

namespace {

using platform_sdl::VirtualKeyFromSdl;

// SDL numbers: printable keys are their character, others bit 30 + scan code.
constexpr int32_t kScanKey = 1 << 30;

TEST(HostKeyTable, SdlKeysMapToWindowsCodes) {
    EXPECT_EQ(VirtualKeyFromSdl('z', 29), 90);
    EXPECT_EQ(VirtualKeyFromSdl('a', 4), 65);
    EXPECT_EQ(VirtualKeyFromSdl('c', 6), 67);
    EXPECT_EQ(VirtualKeyFromSdl('0', 39), 48);
    EXPECT_EQ(VirtualKeyFromSdl('9', 38), 57);
    EXPECT_EQ(VirtualKeyFromSdl(' ', 44), 32);
    EXPECT_EQ(VirtualKeyFromSdl(27, 41), 27);
    EXPECT_EQ(VirtualKeyFromSdl('\r', 40), 13);
    EXPECT_EQ(VirtualKeyFromSdl('\t', 43), 9);
    EXPECT_EQ(VirtualKeyFromSdl('\b', 42), 8);
    EXPECT_EQ(VirtualKeyFromSdl(kScanKey | 80, 80), 37);  // Left
    EXPECT_EQ(VirtualKeyFromSdl(kScanKey | 82, 82), 38);  // Up
    EXPECT_EQ(VirtualKeyFromSdl(kScanKey | 79, 79), 39);  // Right
    EXPECT_EQ(VirtualKeyFromSdl(kScanKey | 81, 81), 40);  // Down
    EXPECT_EQ(VirtualKeyFromSdl(kScanKey | 58, 58), 112); // F1
    EXPECT_EQ(VirtualKeyFromSdl(kScanKey | 69, 69), 123); // F12
    EXPECT_EQ(VirtualKeyFromSdl(kScanKey | 225, 225), 160);
    EXPECT_EQ(VirtualKeyFromSdl(kScanKey | 229, 229), 161);
    EXPECT_EQ(VirtualKeyFromSdl(kScanKey | 224, 224), 162);
    EXPECT_EQ(VirtualKeyFromSdl(kScanKey | 228, 228), 163);
    EXPECT_EQ(VirtualKeyFromSdl(kScanKey | 226, 226), 164);
    EXPECT_EQ(VirtualKeyFromSdl(kScanKey | 230, 230), 165);
    EXPECT_EQ(VirtualKeyFromSdl(kScanKey | 73, 73), 45); // Insert
    EXPECT_EQ(VirtualKeyFromSdl(127, 76), 46);           // Delete
    EXPECT_EQ(VirtualKeyFromSdl(kScanKey | 74, 74), 36); // Home
    EXPECT_EQ(VirtualKeyFromSdl(kScanKey | 77, 77), 35); // End
    EXPECT_EQ(VirtualKeyFromSdl(kScanKey | 75, 75), 33); // Page Up
    EXPECT_EQ(VirtualKeyFromSdl(kScanKey | 78, 78), 34); // Page Down
    EXPECT_EQ(VirtualKeyFromSdl('[', 47), 219);
    // A letter key of a non-Latin layout still gives its letter by position.
    EXPECT_EQ(VirtualKeyFromSdl(0x44F, 29), 90);
    EXPECT_EQ(VirtualKeyFromSdl(kScanKey | 500, 500), 0);
}

// The options screen tells a pad input from a key by its code alone.
TEST(HostKeyTable, NoKeyGivesTheCodeOfAPadInput) {
    for (int32_t scan = 0; scan < 512; ++scan) {
        for (const int32_t key : {kScanKey | scan, scan, int32_t{'a'}, int32_t{'5'}}) {
            platform::PadInput input;
            EXPECT_FALSE(platform::PadInputOfKey(VirtualKeyFromSdl(key, scan), input))
                << key << " " << scan;
        }
    }
}

} // namespace
