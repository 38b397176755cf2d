#include "support/temp_dir.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "stompvale-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    mPath = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(mPath, ignored);
}

void TempDir::Write(const std::string& relative, const std::string& bytes) const {
    const auto file = mPath / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

std::string TempDir::Read(const std::string& relative) const {
    std::ifstream in(mPath / relative, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}
