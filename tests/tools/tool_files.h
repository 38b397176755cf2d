// Where the tools' tests find the built programs and the committed data, a
// file's bytes for comparing them, and a built program run with its output.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/source_tree.h"
#include "vb/program_folder.h"

namespace tool_files {

inline std::filesystem::path ProgramFolder() {
    if (const char* bin = std::getenv("STOMPVALE_BIN")) return bin;
    return vb::ProgramFolder().parent_path() / "bin";
}

using ::SourceFolder;

inline std::filesystem::path MonstersFolder() {
    return SourceFolder() / "data" / "Monsters";
}

inline std::string Bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

struct ToolRun {
    int status = -1; // the exit status, -1 when it did not exit normally
    std::string out; // standard output and error together
};

// The program beside the tests, with arguments as the shell reads them.
inline ToolRun RunTool(const std::string& program, const std::string& arguments) {
    const std::string tool = (ProgramFolder() / program).string();
    ToolRun run;
    FILE* pipe = popen(("'" + tool + "' " + arguments + " 2>&1").c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

} // namespace tool_files
