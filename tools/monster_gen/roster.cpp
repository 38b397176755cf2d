#include "tools/monster_gen/roster.h"

#include <filesystem>

#include "tools/monster_gen/creatures.h"

namespace monster_gen {

// Stages grow harder within each monster, and the monsters grow bigger and
// wilder down the list.
const std::vector<RosterEntry>& Roster() {
    static const std::vector<RosterEntry> roster = {
        {"1 Mossback 1-3-5.gif", PaintMossback},
        {"2 Hopper_Toad 10-12-14.gif", PaintHopperToad},
        {"3 Brush_Boar 5-21-24.gif", PaintBrushBoar},
        {"4 Bellows_Beast 3-30-31.gif", PaintBellowsBeast},
        {"5 Glide_Moth 40-41-41.gif", PaintGlideMoth},
        {"6 Long_Wyrm 7-25-28.gif", PaintLongWyrm},
        {"7 Storm_Ray 40-41-42.gif", PaintStormRay},
        {"8 Colossus 15-31-29.gif", PaintColossus},
    };
    return roster;
}

std::vector<std::string> WriteRoster(const std::string& folder) {
    std::vector<std::string> written;
    for (const RosterEntry& entry : Roster()) {
        const std::string path = (std::filesystem::path(folder) / entry.fileName).string();
        gdi::SavePictureGif(path, entry.paint());
        written.push_back(path);
    }
    return written;
}

} // namespace monster_gen
