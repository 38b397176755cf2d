// The font generator: its output is what is committed under data/fonts, byte
// for byte.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/temp_dir.h"
#include "tool_files.h"

namespace {

using tool_files::Bytes;

std::filesystem::path Committed(const std::string& extension) {
    return tool_files::SourceFolder() / "data" / "fonts" / ("Stompvale" + extension);
}

TEST(FontGenerator, RerunReproducesTheCommittedFont) {
    const std::string tool = (tool_files::ProgramFolder() / "stompvale-font-gen").string();
    TempDir out;
    ASSERT_EQ(std::system((tool + " " + out.str() + " > /dev/null").c_str()), 0);
    for (const std::string& extension : {std::string(".gif"), std::string(".txt")}) {
        const std::string fresh = Bytes(out.path() / ("Stompvale" + extension));
        EXPECT_FALSE(fresh.empty());
        // Drawn from Liberation Sans Bold through FreeType: another version of
        // either draws other pixels.
        EXPECT_TRUE(fresh == Bytes(Committed(extension)))
            << "Stompvale" << extension << " differs from data/fonts: check that "
            << "fonts-liberation is installed, or regenerate on purpose with "
            << "stompvale-font-gen data/fonts and commit";
    }
    EXPECT_NE(std::system((tool + " --face /no/such.ttf " + out.str() + " 2>&-").c_str()), 0);
}

} // namespace
