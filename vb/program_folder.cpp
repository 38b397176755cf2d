#include "vb/program_folder.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>

#include <vector>

// Under Node the program is the script that Node runs; a page has none.
// clang-format off
EM_JS(int, ScriptPath, (char* buffer, int size), {
    var path = (typeof process === "object" && process.argv && process.argv[1]) || "";
    stringToUTF8(path, buffer, size);
    return lengthBytesUTF8(path);
});
// clang-format on
#endif

namespace vb {

std::filesystem::path ProgramFolder() {
#ifdef __EMSCRIPTEN__
    std::vector<char> buffer(4096);
    const int length = ScriptPath(buffer.data(), static_cast<int>(buffer.size()));
    if (length <= 0 || length >= static_cast<int>(buffer.size())) return ".";
    const std::filesystem::path self = std::filesystem::absolute(buffer.data());
#else
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return ".";
#endif
    if (!self.has_parent_path()) return ".";
    return self.parent_path();
}

} // namespace vb
