// Controls.ini on arbitrary text: whatever the lines, the warnings stay a
// screenful of short, printable lines, and every key and pad input still
// gives at most one game key per action.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/warning_checks.h"
#include "platform/controls.h"

namespace {

constexpr size_t kActions = static_cast<size_t>(platform::Action::Count);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> warnings;
    const platform::ControlMap map = platform::ParseControls(text, "Controls.ini", warnings);

    CheckWarningsReadable(warnings);
    for (int key = 0; key < 256; ++key) Check(map.KeysForKeyboard(key).size() <= kActions + 1);
    for (size_t pad = 0; pad < static_cast<size_t>(platform::PadInput::Count); ++pad) {
        Check(map.KeysForPad(static_cast<platform::PadInput>(pad)).size() <= kActions);
    }
    return 0;
}
