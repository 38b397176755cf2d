// Recorded games on arbitrary bytes: the file as it comes (first byte even),
// or a payload packed here as a recording would pack it (first byte odd), so
// that the fuzzer reaches past zlib. What decodes must encode and decode to
// the same, and a few frames of it are played back in the headless game.
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/game_folder.h"
#include "game/frmMain.h"
#include "gdi/picture.h"
#include "history/history.h"
#include "platform/headless_host.h"
#include "replay/recorded_game.h"

namespace {

// Frames played back at the most: a recording of an hour would take a while.
constexpr size_t kFrames = 24;

void Check(bool condition) {
    if (!condition) std::abort();
}

// The game's folder with two small monsters.
struct World {
    GameFolder folder;
    World() {
        gdi::Picture body{6, 4, std::vector<gdi::COLORREF>(24, 0x4AE6E6)};
        body.pixels[13] = 0xFFFFFF;
        gdi::SavePictureGif((folder.path() / "Monsters" / "1 Fuzz 1-12-30.gif").string(), body);
        gdi::SavePictureGif((folder.path() / "Monsters" / "2 Other 41.gif").string(), body);
    }
};

std::string Packed(const std::string& payload) {
    uLongf size = compressBound(static_cast<uLong>(payload.size()));
    std::string packed(size, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
              reinterpret_cast<const Bytef*>(payload.data()), static_cast<uLong>(payload.size()),
              1);
    packed.resize(size);
    std::string file = "STOMPVALE RECORDED GAME 1\n";
    for (int i = 0; i < 8; ++i) file += static_cast<char>((payload.size() >> (8 * i)) & 0xFF);
    return file + packed;
}

bool Same(const RecordedGame& a, const RecordedGame& b) {
    return a.program == b.program && a.version == b.version && a.desktopWidth == b.desktopWidth &&
           a.desktopHeight == b.desktopHeight && a.monsters == b.monsters &&
           a.historyAtStart == b.historyAtStart && a.checksum == b.checksum && a.seeds == b.seeds &&
           a.clock == b.clock && a.now == b.now && a.keys == b.keys && a.events == b.events &&
           a.cursor == b.cursor && a.audio == b.audio;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const bool packHere = data[0] & 1;
    const bool desktop = data[0] & 2;
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string bytes = packHere ? Packed(rest) : rest;

    RecordedGame record;
    std::string error;
    if (!DecodeRecordedGame(bytes, record, error)) {
        Check(!error.empty());
        return 0;
    }
    Check(error.empty());
    RecordedGame again;
    Check(DecodeRecordedGame(EncodeRecordedGame(record, 1), again, error));
    Check(Same(record, again));

    static World world;
    // A few frames: the replay asks the game to close when the events end.
    if (record.events.size() > kFrames) record.events.resize(kFrames);
    const std::string history = (world.folder.path() / "History.ini").string();
    world.folder.Write("History.ini",
                       std::string_view(record.historyAtStart.data(),
                                        std::min(record.historyAtStart.size(), kHistoryMostBytes)));
    SetHistoryFile(history);
    platform::HeadlessHost inner(world.folder.path().string());
    {
        ReplayingHost replay(inner, record, false);
        platform::SetHost(&replay);
        ProgramSetup setup =
            GameProgramSetup(desktop ? ScreenSizeMode::Desktop : ScreenSizeMode::Windowed1024x768);
        setup.mute = true;
        setup.bitmapMemoryBudget = uint64_t{96} << 20;
        setup.newSeed = [&replay] { return replay.NewSeed(); };
        const int status = Main(setup);
        Check(status == 0 || status == 1);
        platform::SetHost(nullptr);
    }
    SetHistoryFile("");
    return 0;
}
