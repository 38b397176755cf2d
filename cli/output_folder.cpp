#include "cli/output_folder.h"

#include <cstdio>

namespace cli {

std::string PrepareOutputFolder(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    if (folder.empty()) return "no output folder named";
    std::error_code error;
    if (fs::is_directory(folder, error)) return "";
    if (fs::exists(folder, error)) return folder.string() + " is not a folder";
    // "out/" names the folder "out".
    const fs::path named = folder.has_filename() ? folder : folder.parent_path();
    const fs::path parent = named.has_parent_path() ? named.parent_path() : fs::path(".");
    if (!fs::is_directory(parent, error))
        return "cannot make " + folder.string() + ": there is no folder " + parent.string();
    if (!fs::create_directory(named, error) && !fs::is_directory(named))
        return "cannot make " + folder.string() + ": " + error.message();
    return "";
}

std::string OutputFolderHelp(const std::string& what) {
    return "where " + what + "; made if missing, inside a folder that exists";
}

bool OutputFolderReady(const std::string& program, const std::filesystem::path& folder) {
    const std::string problem = PrepareOutputFolder(folder);
    if (!problem.empty()) std::fprintf(stderr, "%s: %s\n", program.c_str(), problem.c_str());
    return problem.empty();
}

} // namespace cli
