// stompvale-monster-check: tells a monster maker, before anyone plays, whether
// each picture works as a monster of the game.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/parser.h"
#include "monster_check/monster_check.h"
#include "vb/runtime_error.h"

namespace {

std::string NumberedPath(const std::string& path, size_t index, size_t count) {
    if (count == 1) return path;
    std::filesystem::path p(path);
    const std::string stem = p.stem().string() + "-" + std::to_string(index + 1);
    return (p.parent_path() / (stem + p.extension().string())).string();
}

} // namespace

int main(int argc, char** argv) {
    std::string preview;
    bool textMap = false;
    std::vector<std::string> named, files;
    cli::Parser parser(
        "stompvale-monster-check",
        "Checks monster pictures the way the game reads them: the file name\n"
        "(\"ID Name Code-Code-Code.gif\"), the colour of every pixel, the white hit points,\n"
        "and whether the man can reach and strike them.");
    parser
        .Arguments("PICTURE", named, 1,
                   "a monster picture, or a folder: checked file by file, "
                   "subfolders included")
        .Value("--preview", "OUT.gif", preview,
               "writes the colour classes of the picture (with several pictures: OUT-1.gif, "
               "OUT-2.gif, ...)")
        .Flag("--map", textMap,
              "prints the classes as text: '.' empty, 'o' where the man can stand or hold on, "
              "'#' solid, 'g' grip, 'f' fur, 'X' deadly, 'W' white")
        .Notes("Exit status: 0 every monster can be beaten, 1 some cannot, 2 bad usage.");
    if (const std::optional<int> status = parser.Handle(argc, argv)) return *status;
    for (const std::string& name : named) {
        if (!std::filesystem::is_directory(name)) {
            files.push_back(name);
            continue;
        }
        std::vector<std::string> found;
        std::error_code error;
        for (std::filesystem::recursive_directory_iterator it(name, error), end;
             !error && it != end; it.increment(error))
            if (it->is_regular_file()) found.push_back(it->path().string());
        if (error) return parser.Fail("cannot list " + name + ": " + error.message());
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
    }
    if (files.empty()) return parser.Fail("no picture or folder to check");

    int beaten = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        const monster_check::CheckResult result = monster_check::CheckMonsterFile(files[i]);
        std::fputs(monster_check::FormatReport(result).c_str(), stdout);
        if (result.beatable) ++beaten;
        if (textMap && result.width > 0) {
            try {
                std::fputs(monster_check::TextMap(gdi::LoadPicture(files[i]), result).c_str(),
                           stdout);
            } catch (const vb::RuntimeError& error) {
                std::fprintf(stderr, "%s\n", error.what());
            }
        }
        if (!preview.empty() && result.width > 0 && result.height > 0) {
            const std::string out = NumberedPath(preview, i, files.size());
            try {
                const gdi::Picture picture = gdi::LoadPicture(files[i]);
                gdi::SavePictureGif(out, monster_check::PreviewPicture(picture, result));
                std::printf("  preview written to %s\n", out.c_str());
            } catch (const vb::RuntimeError& error) {
                std::fprintf(stderr, "preview %s: %s\n", out.c_str(), error.what());
            }
        }
    }
    std::printf("%d of %zu %s can be beaten\n", beaten, files.size(),
                files.size() == 1 ? "monster" : "monsters");
    return beaten == static_cast<int>(files.size()) ? 0 : 1;
}
