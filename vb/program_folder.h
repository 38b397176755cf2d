// The folder holding the running program (the runtime's App.Path), read once
// from /proc/self/exe (under Node, the script Node runs): the built game and
// tools find their data beside it.
#pragma once

#include <filesystem>

namespace vb {

// "." when the system does not say.
std::filesystem::path ProgramFolder();

} // namespace vb
