// Controls.ini on arbitrary text: whatever the lines, the warnings stay a
// screenful of short, printable lines, and every key and pad input still
// gives at most one game key per action.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/controls.h"
#include "platform/warning_list.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

constexpr size_t kActions = static_cast<size_t>(platform::Action::Count);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> warnings;
    const platform::ControlMap map = platform::ParseControls(text, "Controls.ini", warnings);

    Check(warnings.size() <= platform::WarningList::kMostShown + 1);
    for (const std::string& warning : warnings) {
        // A quote shows at most 80 characters of four bytes each, escaped.
        Check(warning.size() < 600);
        for (const char c : warning) {
            const auto byte = static_cast<unsigned char>(c);
            Check(byte >= 0x20 && byte != 0x7F);
        }
    }
    for (int key = 0; key < 256; ++key) Check(map.KeysForKeyboard(key).size() <= kActions + 1);
    for (size_t pad = 0; pad < static_cast<size_t>(platform::PadInput::Count); ++pad) {
        Check(map.KeysForPad(static_cast<platform::PadInput>(pad)).size() <= kActions);
    }
    return 0;
}
