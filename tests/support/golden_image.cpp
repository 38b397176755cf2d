#include "support/golden_image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/source_tree.h"

void ExpectMatchesGolden(const gdi::Picture& actual, const std::string& relativePath) {
    const std::filesystem::path golden = SourceFolder() / relativePath;
    const char* update = std::getenv("STOMPVALE_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        std::filesystem::create_directories(golden.parent_path());
        gdi::SavePictureGif(golden.string(), actual, false);
        GTEST_SKIP() << "golden image rewritten: " << golden;
    }
    ASSERT_TRUE(std::filesystem::exists(golden)) << golden;
    const gdi::Picture expected = gdi::LoadPicture(golden.string());
    ASSERT_EQ(expected.width, actual.width);
    ASSERT_EQ(expected.height, actual.height);
    int differing = 0;
    for (size_t i = 0; i < actual.pixels.size(); ++i)
        differing += actual.pixels[i] != expected.pixels[i];
    EXPECT_EQ(differing, 0) << "pixels differing from " << golden;
}
