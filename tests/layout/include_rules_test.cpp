// The tree's layering, read from the sources themselves: SDL stays inside the
// window system, and the runtime and raster below it never reach upward.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "support/source_tree.h"

namespace {

namespace fs = std::filesystem;

struct Include {
    std::string file; // relative to the source tree
    std::string target;
    bool system = false; // <...> rather than "..."
};

std::vector<Include> IncludesOf(const fs::path& root, const fs::path& file) {
    static const std::regex kInclude(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<Include> found;
    std::ifstream in(file);
    std::string line;
    std::smatch match;
    while (std::getline(in, line)) {
        if (std::regex_search(line, match, kInclude)) {
            found.push_back(
                {fs::relative(file, root).generic_string(), match[2].str(), match[1].str() == "<"});
        }
    }
    return found;
}

std::vector<Include> AllIncludes(const fs::path& root) {
    std::vector<Include> all;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const std::string name = it->path().filename().string();
        if (it->is_directory() && (name.starts_with(".") || name.starts_with("build"))) {
            it.disable_recursion_pending();
            continue;
        }
        const std::string ext = it->path().extension().string();
        if (it->is_regular_file() && (ext == ".cpp" || ext == ".h")) {
            for (Include& include : IncludesOf(root, it->path())) all.push_back(include);
        }
    }
    return all;
}

std::string TopFolder(const std::string& path) {
    const size_t slash = path.find('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

bool StartsWithAny(const std::string& text, const std::vector<std::string>& prefixes) {
    for (const std::string& prefix : prefixes) {
        if (text.starts_with(prefix)) return true;
    }
    return false;
}

// The rule an include breaks, or "" when it keeps them all.
std::string BrokenRule(const Include& include) {
    const bool sdl = include.target.starts_with("SDL");
    if (sdl &&
        !StartsWithAny(include.file, {"platform/", "tools/raster_bench/", "tests/platform/"})) {
        return "SDL outside the window system";
    }
    if (include.system) return "";
    // Ours are always written folder/file.h from the tree's top.
    const std::string from = TopFolder(include.file);
    const std::string to = TopFolder(include.target);
    if (from == "vb" && to != "vb") return "vb uses nothing of ours";
    if (from == "gdi" && to != "gdi" && to != "vb") return "gdi uses at most vb";
    if (from == "cli" && to != "cli" && to != "vb") return "cli uses at most vb";
    if (from == "platform" && to != "platform" && to != "gdi" && to != "vb") {
        return "platform uses at most gdi and vb";
    }
    return "";
}

TEST(Layout, RulesTellAllowedFromForbidden) {
    struct Case {
        Include include;
        bool allowed;
    };
    const std::vector<Case> cases = {
        {{"platform/sdl_host.cpp", "SDL.h", true}, true},
        {{"tools/raster_bench/main.cpp", "SDL.h", true}, true},
        {{"tests/platform/pad_test.cpp", "SDL_gamecontroller.h", true}, true},
        {{"game/frmMain.cpp", "SDL.h", true}, false},
        {{"audio/bass.cpp", "SDL_audio.h", true}, false},
        {{"gdi/raster_blit.cpp", "SDL.h", true}, false},
        {{"vb/numeric.cpp", "vb/numeric.h", false}, true},
        {{"vb/random.cpp", "gdi/raster.h", false}, false},
        {{"gdi/picture.cpp", "vb/runtime_error.h", false}, true},
        {{"gdi/picture.cpp", "platform/host.h", false}, false},
        {{"gdi/raster_text.cpp", "app/modMain.h", false}, false},
        {{"platform/forms.cpp", "gdi/raster.h", false}, true},
        {{"platform/forms.cpp", "game/frmMain.h", false}, false},
        {{"game/frmMain.cpp", "platform/host.h", false}, true},
        {{"gdi/raster.h", "cstdint", true}, true},
        {{"cli/parser.cpp", "cli/number.h", false}, true},
        {{"cli/parser.cpp", "vb/strings.h", false}, true},
        {{"cli/usage.cpp", "gdi/raster.h", false}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BrokenRule(c.include).empty(), c.allowed)
            << c.include.file << " includes " << c.include.target;
    }
}

TEST(Layout, EveryIncludeKeepsTheLayering) {
    const fs::path root = SourceFolder();
    const std::vector<Include> all = AllIncludes(root);
    // The walk must have found the tree, or the check proves nothing.
    ASSERT_GT(all.size(), 200u) << root;
    for (const Include& include : all) {
        const std::string broken = BrokenRule(include);
        EXPECT_TRUE(broken.empty())
            << include.file << " includes " << include.target << ": " << broken;
    }
}

} // namespace
