// stompvale-monster-check: tells a monster maker, before anyone plays, whether
// each picture works as a monster of the game.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/monster_check/monster_check.h"
#include "vb/runtime_error.h"

namespace {

void Usage() {
    std::fputs("usage: stompvale-monster-check [--preview out.gif] [--map] picture-or-folder...\n"
               "  Checks monster pictures the way the game reads them: the file name\n"
               "  (\"ID Name Code-Code-Code.gif\"), the colour of every pixel, the white\n"
               "  hit points, and whether the man can reach and strike them.\n"
               "  A folder is checked file by file, subfolders included.\n"
               "  --preview out.gif  writes the colour classes of the picture (with several\n"
               "                     pictures: out-1.gif, out-2.gif, ...).\n"
               "  --map              prints the classes as text: '.' empty, 'o' where the\n"
               "                     man can stand or hold on, '#' solid, 'g' grip, 'f' fur,\n"
               "                     'X' deadly, 'W' white.\n"
               "  Exit status: 0 every monster can be beaten, 1 some cannot, 2 bad usage.\n",
               stderr);
}

std::string NumberedPath(const std::string& path, size_t index, size_t count) {
    if (count == 1) return path;
    std::filesystem::path p(path);
    const std::string stem = p.stem().string() + "-" + std::to_string(index + 1);
    return (p.parent_path() / (stem + p.extension().string())).string();
}

// Bad usage: what is wrong, then how to use the program.
int BadUsage(const std::string& problem) {
    if (!problem.empty()) std::fprintf(stderr, "stompvale-monster-check: %s\n", problem.c_str());
    Usage();
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string preview;
    bool textMap = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--preview") {
            if (i + 1 == argc) return BadUsage("--preview needs the name of a picture to write");
            preview = argv[++i];
        } else if (arg == "--map") {
            textMap = true;
        } else if (arg == "-h" || arg == "--help") {
            Usage();
            return 0;
        } else if (arg.rfind("--", 0) == 0) {
            return BadUsage("unknown option " + arg);
        } else if (std::filesystem::is_directory(arg)) {
            std::vector<std::string> found;
            std::error_code error;
            for (std::filesystem::recursive_directory_iterator it(arg, error), end;
                 !error && it != end; it.increment(error))
                if (it->is_regular_file()) found.push_back(it->path().string());
            if (error) return BadUsage("cannot list " + arg + ": " + error.message());
            std::sort(found.begin(), found.end());
            files.insert(files.end(), found.begin(), found.end());
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty()) return BadUsage("no picture or folder to check");

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
