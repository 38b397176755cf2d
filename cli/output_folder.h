// The folder a program was told to write into. It is made when missing, but
// only inside a folder that exists: a mistyped path fails with a clear line
// instead of growing a tree of folders nobody asked for.
#pragma once

#include <filesystem>
#include <string>

namespace cli {

// Empty when `folder` is there to write into; otherwise why not, one line.
std::string PrepareOutputFolder(const std::filesystem::path& folder);
// The help of a folder argument that PrepareOutputFolder prepares:
// "where <what> go; made if missing, ...".
std::string OutputFolderHelp(const std::string& what);
// PrepareOutputFolder, saying why not as "program: ..." on stderr; false then.
bool OutputFolderReady(const std::string& program, const std::filesystem::path& folder);

} // namespace cli
