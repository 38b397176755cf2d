#include "vb/program_folder.h"

namespace vb {

std::filesystem::path ProgramFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !self.has_parent_path()) return ".";
    return self.parent_path();
}

} // namespace vb
