// stompvale-monster-gen: paints the roster of monsters into a folder and checks
// each one the way the monster checker does; fails if any cannot be beaten.
#include <cstdio>
#include <exception>
#include <optional>
#include <string>

#include "cli/output_folder.h"
#include "cli/parser.h"
#include "monster_check/monster_check.h"
#include "tools/monster_gen/roster.h"

int main(int argc, char** argv) {
    std::string folder;
    cli::Parser parser("stompvale-monster-gen",
                       "Paints the game's roster of monsters into FOLDER and checks each one as\n"
                       "stompvale-monster-check does. Exits 1 when one cannot be beaten.");
    parser.Argument("FOLDER", folder, cli::OutputFolderHelp("the monsters go"));
    if (const std::optional<int> status = parser.Handle(argc, argv)) return *status;
    if (!cli::OutputFolderReady(parser.Program(), folder)) return 1;
    try {
        bool allBeatable = true;
        for (const std::string& path : monster_gen::WriteRoster(folder)) {
            const monster_check::CheckResult result = monster_check::CheckMonsterFile(path);
            std::fputs(monster_check::FormatReport(result).c_str(), stdout);
            allBeatable = allBeatable && result.beatable;
        }
        return allBeatable ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "stompvale-monster-gen: %s\n", error.what());
        return 1;
    }
}
