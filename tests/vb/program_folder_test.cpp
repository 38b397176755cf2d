#include <gtest/gtest.h>

#include <filesystem>

#include "vb/program_folder.h"

namespace {

TEST(ProgramFolder, IsTheFolderOfTheRunningProgram) {
    const std::filesystem::path folder = vb::ProgramFolder();
    EXPECT_TRUE(folder.is_absolute()) << folder;
    EXPECT_TRUE(std::filesystem::exists(folder / "test_vb")) << folder;
}

} // namespace
