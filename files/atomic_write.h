// Files replaced in one step: the new bytes go to a temporary file beside the
// old one, reach the disk, and are renamed over it, so a file is never left
// half-written, whatever stops the program.
#pragma once

#include <string>

namespace files {

// Writes through "PATH.new" (a leftover of a killed write is simply
// overwritten), fsync, rename and a sync of the folder. The new file keeps
// the old one's permission bits. A file that may not be written (no write
// permission, or none of its write bits set, which holds for root too) is
// never replaced. Throws std::runtime_error naming the file on failure and
// leaves the old file as it was.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

// Why WriteFileAtomically would fail for `path`, found by trying: the file's
// own write permission and a new file made and removed beside it. "" when it
// can be written.
std::string ReplaceProblem(const std::string& path);

} // namespace files
