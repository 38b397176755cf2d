// Whole files read with a cap on their size, so that no file, however large
// or endless (a device, a damaged file), can make the game reserve more than
// what such a file really holds.
#pragma once

#include <cstddef>
#include <string>

namespace files {

struct ReadOutcome {
    enum Kind { Read, Missing, Folder, TooLarge, Failed };
    Kind kind = Failed;
    int error = 0; // errno for Failed
};

// Reads at most `cap` bytes of the file into `bytes`; a file holding more is
// TooLarge and nothing of it is kept.
ReadOutcome ReadBoundedFile(const std::string& path, size_t cap, std::string& bytes);

// Why a read did not give the file, for messages: "is a folder", "is larger
// than 4 MB", "does not exist", or the system's reason.
std::string ReadProblem(const ReadOutcome& outcome, size_t cap);

// "4 MB", "512 kB", "300 bytes".
std::string SizeInWords(size_t bytes);

} // namespace files
