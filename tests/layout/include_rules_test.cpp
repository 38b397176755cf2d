// The tree's layering, read from the sources and the build themselves: every
// folder has a rank and uses only folders ranked below it, by include and by
// link, and SDL stays inside the window system's backend.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
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

// The folder a path belongs to; the executables' entry points count as the
// launcher above the game.
std::string TopFolder(const std::string& path) {
    if (path.starts_with("launcher/main/")) return "launcher/main";
    const size_t slash = path.find('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

// Every folder of sources by rank: a folder uses only folders ranked below
// it; folders of one rank know nothing of each other.
const std::map<std::string, int>& Ranks() {
    static const std::map<std::string, int> ranks = {
        {"vb", 0},        {"gdi", 1},
        {"cli", 1},       {"files", 1},
        {"platform", 2},  {"platform_sdl", 3},
        {"input", 3},     {"world", 4},
        {"audio", 4},     {"history", 4},
        {"gfx", 5},       {"sounds", 5},
        {"text", 6},      {"app", 7},
        {"scenery", 8},   {"monsters", 9},
        {"player", 10},   {"game", 11},
        {"replay", 12},   {"monster_check", 12},
        {"launcher", 13}, {"launcher/main", 14},
        {"tools", 15},    {"web", 16},
        {"fuzz", 17},     {"tests", 17},
    };
    return ranks;
}

bool StartsWithAny(const std::string& text, const std::vector<std::string>& prefixes) {
    for (const std::string& prefix : prefixes) {
        if (text.starts_with(prefix)) return true;
    }
    return false;
}

// Only the window system's backend (and the benchmark that times SDL as the
// peer of our blits, and the page's program, which closes SDL's canvas window
// as the browser would) speaks SDL.
bool MaySpeakSdl(const std::string& file) {
    return StartsWithAny(
        file, {"platform_sdl/", "tools/raster_bench/", "tests/platform_sdl/", "web/page_main.cpp"});
}

// The window system's backend is chosen by the launcher alone: the game and
// the headless tools run without it.
bool MayUseBackend(const std::string& folder) {
    return folder == "launcher" || folder == "launcher/main" || folder == "tests";
}

// The rule a use of `to` from `from` breaks, or "".
std::string BrokenRank(const std::string& from, const std::string& to) {
    if (from == to) return "";
    if (to == "platform_sdl" && !MayUseBackend(from)) return from + " may not use the backend";
    const auto& ranks = Ranks();
    const auto f = ranks.find(from), t = ranks.find(to);
    if (f == ranks.end()) return from + " has no rank";
    if (t == ranks.end()) return to + " has no rank";
    if (t->second >= f->second) {
        return from + " (rank " + std::to_string(f->second) + ") may not use " + to + " (rank " +
               std::to_string(t->second) + ")";
    }
    return "";
}

// The tools that exist to drive the real window or sound card.
bool DrivesRealDevices(const std::string& file) {
    return StartsWithAny(file, {"tools/present_bench/", "tools/sound_player/"});
}

// The rule an include breaks, or "" when it keeps them all.
std::string BrokenRule(const Include& include) {
    const bool sdl = include.target.starts_with("SDL");
    if (sdl && !MaySpeakSdl(include.file)) return "SDL outside the window system";
    if (include.system) return "";
    if (include.target.starts_with("platform_sdl/") && DrivesRealDevices(include.file)) return "";
    // Ours are written folder/file.h from the tree's top; the tests, fuzzers
    // and tools also have helpers of their own beside them.
    const std::string from = TopFolder(include.file), to = TopFolder(include.target);
    const bool local = StartsWithAny(include.file, {"tests/", "fuzz/", "tools/"});
    if (local && !Ranks().contains(to)) return "";
    return BrokenRank(from, to);
}

// Each folder's library and what its CMakeLists.txt links it to.
struct Links {
    std::string folder;
    std::vector<std::string> libraries;
};

std::vector<Links> LinksOf(const fs::path& root) {
    static const std::regex kLink(R"(target_link_libraries\(\s*(\S+)([^)]*)\))");
    std::vector<Links> all;
    for (const auto& [folder, rank] : Ranks()) {
        std::ifstream in(root / folder / "CMakeLists.txt");
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        for (auto it = std::sregex_iterator(text.begin(), text.end(), kLink);
             it != std::sregex_iterator(); ++it) {
            if ((*it)[1].str() != folder) continue; // a folder's own library only
            Links links{folder, {}};
            std::istringstream words((*it)[2].str());
            for (std::string word; words >> word;) links.libraries.push_back(word);
            all.push_back(links);
        }
    }
    return all;
}

TEST(Layout, RulesTellAllowedFromForbidden) {
    struct Case {
        Include include;
        bool allowed;
    };
    const std::vector<Case> cases = {
        {{"platform_sdl/sdl_host.cpp", "SDL.h", true}, true},
        {{"tools/raster_bench/main.cpp", "SDL.h", true}, true},
        {{"tests/platform_sdl/pad_test.cpp", "SDL_gamecontroller.h", true}, true},
        {{"platform/host.cpp", "SDL.h", true}, false},
        {{"tests/platform/host_keys_test.cpp", "SDL.h", true}, false},
        {{"game/frmMain.cpp", "SDL.h", true}, false},
        {{"audio/bass.cpp", "SDL_audio.h", true}, false},
        {{"gdi/raster_blit.cpp", "SDL.h", true}, false},
        {{"vb/numeric.cpp", "vb/numeric.h", false}, true},
        {{"vb/random.cpp", "gdi/raster.h", false}, false},
        {{"gdi/picture.cpp", "vb/runtime_error.h", false}, true},
        {{"gdi/picture.cpp", "platform/host.h", false}, false},
        {{"gdi/raster_text.cpp", "app/modMain.h", false}, false},
        {{"gdi/raster.h", "cli/parser.h", false}, false}, // same rank
        {{"platform/forms.cpp", "gdi/raster.h", false}, true},
        {{"platform/forms.cpp", "game/frmMain.h", false}, false},
        {{"platform/host.h", "platform_sdl/sdl_host.h", false}, false},
        {{"gfx/kivSprites3.cpp", "world/world_globals.h", false}, true},
        {{"gfx/kivSprites3.cpp", "app/modMain.h", false}, false},
        {{"monsters/monster_move.cpp", "player/clsMan.h", false}, false},
        {{"player/man_move.cpp", "monsters/clsMonster.h", false}, true},
        {{"scenery/clsParticles.cpp", "game/frmMain.h", false}, false},
        {{"launcher/main/windowed.cpp", "game/frmMain.h", false}, true},
        {{"launcher/main/windowed.cpp", "launcher/run_program.h", false}, true},
        {{"launcher/run_program.cpp", "launcher/main/run_game.h", false}, false},
        {{"launcher/game_window.cpp", "platform_sdl/sdl_host.h", false}, true},
        {{"app/modMain.cpp", "platform_sdl/sdl_host.h", false}, false}, // only the launcher
        {{"game/frmMain.cpp", "platform_sdl/sdl_keys.h", false}, false},
        {{"tools/frame_bench/main.cpp", "platform_sdl/sdl_host.h", false}, false},
        {{"tools/present_bench/main.cpp", "platform_sdl/sdl_host.h", false}, true},
        {{"app/modMain.cpp", "launcher/options.h", false}, false},
        {{"replay/recorded_game.cpp", "game/frmMain.h", false}, true},
        {{"game/frmMain.cpp", "replay/recorded_game.h", false}, false},
        {{"monsters/monster_move.cpp", "history/history.h", false}, true},
        {{"history/history.cpp", "app/game_form.h", false}, false},
        {{"history/history.cpp", "world/world_globals.h", false}, false}, // same rank
        {{"app/modMain.cpp", "game/frmMain.h", false}, false},
        {{"game/frmMain.cpp", "platform/host.h", false}, true},
        {{"gdi/raster.h", "cstdint", true}, true},
        {{"cli/parser.cpp", "cli/number.h", false}, true},
        {{"cli/parser.cpp", "vb/strings.h", false}, true},
        {{"cli/usage.cpp", "gdi/raster.h", false}, false},
        {{"docs/page.cpp", "vb/strings.h", false}, false}, // an unranked folder
        {{"web/page_roster.cpp", "monster_check/monster_check.h", false}, true},
        {{"tools/monster_check/report.cpp", "web/page_roster.h", false}, false},
        {{"tests/web/page_roster_test.cpp", "web/page_roster.h", false}, true},
        {{"tests/gdi/raster_blit_test.cpp", "raster_test_canvas.h", false}, true},
        {{"tests/text/word_test.cpp", "support/temp_dir.h", false}, true},
        {{"game/frmMain.cpp", "frmMain_parts.h", false}, false},
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
    std::set<std::string> folders;
    for (const Include& include : all) {
        folders.insert(TopFolder(include.file));
        const std::string broken = BrokenRule(include);
        EXPECT_TRUE(broken.empty())
            << include.file << " includes " << include.target << ": " << broken;
    }
    // Every folder with sources has its rank.
    for (const std::string& folder : folders) {
        EXPECT_TRUE(Ranks().contains(folder)) << folder << " has no rank";
    }
}

TEST(Layout, EveryLibraryLinksOnlyBelowItself) {
    const fs::path root = SourceFolder();
    const std::vector<Links> all = LinksOf(root);
    ASSERT_GT(all.size(), 10u) << root;
    for (const Links& links : all) {
        for (const std::string& library : links.libraries) {
            if (library.find("SDL2") != std::string::npos) {
                EXPECT_EQ(links.folder, "platform_sdl") << links.folder << " links SDL";
            } else if (Ranks().contains(library)) {
                const std::string broken = BrokenRank(links.folder, library);
                EXPECT_TRUE(broken.empty())
                    << links.folder << " links " << library << ": " << broken;
            }
        }
    }
}

} // namespace
