// stompvale-sound-gen FOLDER
// Synthesises the game's sound sets (Sounds/<Event>/<Event>_<n>.ogg, mono,
// 22050 Hz, Ogg Vorbis) and prints each file's length and peak. The sounds
// are the same on every run; the Ogg files differ only in their stream
// serial numbers, which libsndfile picks afresh.
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "cli/output_folder.h"
#include "cli/parser.h"
#include "tools/sound_gen/effects.h"

int main(int argc, char** argv) {
    std::string out;
    cli::Parser parser("stompvale-sound-gen",
                       "Synthesises the game's sound sets into FOLDER as <Event>/<Event>_<n>.ogg\n"
                       "(mono, 22050 Hz, Ogg Vorbis) and prints each file's length and peak.");
    parser.Argument("FOLDER", out, cli::OutputFolderHelp("the sound sets go"));
    if (const std::optional<int> status = parser.Handle(argc, argv)) return *status;
    if (!cli::OutputFolderReady(parser.Program(), out)) return 1;
    namespace fs = std::filesystem;
    for (const soundgen::Effect& effect : soundgen::AllEffects()) {
        const fs::path folder = fs::path(out) / effect.set;
        std::error_code error;
        fs::create_directories(folder, error);
        const std::string path = (folder / (effect.name + ".ogg")).string();
        SF_INFO info{};
        info.samplerate = soundgen::kRate;
        info.channels = 1;
        info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        if (!file) {
            std::fprintf(stderr, "stompvale-sound-gen: cannot write %s: %s\n", path.c_str(),
                         sf_strerror(nullptr));
            return 1;
        }
        double quality = 0.4;
        sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof(quality));
        const sf_count_t n = static_cast<sf_count_t>(effect.samples.size());
        const bool written = sf_writef_float(file, effect.samples.data(), n) == n;
        sf_close(file);
        if (!written) {
            std::fprintf(stderr, "stompvale-sound-gen: cannot write %s\n", path.c_str());
            return 1;
        }
        float peak = 0;
        for (float v : effect.samples) peak = std::max(peak, std::fabs(v));
        std::printf("%s/%s.ogg %.2f s, peak %.1f dBFS\n", effect.set.c_str(), effect.name.c_str(),
                    static_cast<double>(n) / soundgen::kRate, 20 * std::log10(peak));
    }
    return 0;
}
