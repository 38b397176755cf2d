// stompvale-monster-gen: paints the roster of monsters into a folder and checks
// each one the way the monster checker does; fails if any cannot be beaten.
#include <cstdio>
#include <filesystem>

#include "tools/monster_check/monster_check.h"
#include "tools/monster_gen/roster.h"
#include "vb/runtime_error.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: stompvale-monster-gen output-folder\n", stderr);
        return 2;
    }
    try {
        bool allBeatable = true;
        for (const std::string& path : monster_gen::WriteRoster(argv[1])) {
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
