// The sound generator: its sets are what is committed under data/Sounds (the
// same sounds decoded; the Ogg streams' serial numbers are chosen afresh on
// each run), and every file is short, below full scale and without clicks.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <filesystem>
#include <set>

#include "support/temp_dir.h"
#include "tool_files.h"

namespace {

namespace fs = std::filesystem;
using tool_files::ProgramFolder;
using tool_files::SourceFolder;

struct Decoded {
    int rate = 0, channels = 0;
    std::vector<float> samples;
};

Decoded Decode(const fs::path& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    Decoded d;
    if (!file) return d;
    d.rate = info.samplerate;
    d.channels = info.channels;
    d.samples.resize(static_cast<size_t>(info.frames * info.channels));
    d.samples.resize(static_cast<size_t>(
        sf_read_float(file, d.samples.data(), static_cast<sf_count_t>(d.samples.size()))));
    sf_close(file);
    return d;
}

std::set<std::string> Files(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        if (e.is_regular_file()) names.insert(fs::relative(e.path(), folder).string());
    }
    return names;
}

} // namespace

TEST(SoundGenerator, ReproducesTheCommittedSetsAndEachSoundsClean) {
    const fs::path tool = ProgramFolder() / "stompvale-sound-gen";
    ASSERT_TRUE(fs::exists(tool)) << tool;
    TempDir out;
    ASSERT_EQ(std::system((tool.string() + " " + out.str() + " > /dev/null").c_str()), 0);
    const fs::path committed = SourceFolder() / "data" / "Sounds";
    const std::set<std::string> names = Files(committed);
    EXPECT_EQ(Files(out.path()), names);
    std::set<std::string> sets;
    for (const std::string& name : names) {
        sets.insert(fs::path(name).parent_path().string());
        const Decoded fresh = Decode(out.path() / name), kept = Decode(committed / name);
        ASSERT_FALSE(kept.samples.empty()) << name;
        EXPECT_EQ(fresh.samples, kept.samples) << name << " sounds different from data/Sounds";
        EXPECT_TRUE(kept.rate == 22050 || kept.rate == 44100) << name;
        const double seconds = double(kept.samples.size()) / kept.channels / kept.rate;
        EXPECT_GT(seconds, 0.1) << name;
        EXPECT_LT(seconds, 1.5) << name;
        float peak = 0;
        for (float v : kept.samples) peak = std::max(peak, std::fabs(v));
        EXPECT_LT(peak, 0.95f) << name << ": too near full scale";
        EXPECT_GT(peak, 0.3f) << name << ": too quiet";
        // Faded in and out: no sound starts or stops on a jump. The first and
        // last samples are near silence, the first and last milliseconds
        // below a fifth of the peak.
        EXPECT_LT(std::fabs(kept.samples.front()), 0.02f) << name << " starts with a click";
        EXPECT_LT(std::fabs(kept.samples.back()), 0.02f) << name << " ends with a click";
        const size_t ms = static_cast<size_t>(kept.rate / 1000 * kept.channels);
        for (size_t i = 0; i < ms; ++i) {
            EXPECT_LT(std::fabs(kept.samples[i]), peak / 5) << name << " starts too hard";
            EXPECT_LT(std::fabs(kept.samples[kept.samples.size() - 1 - i]), peak / 5)
                << name << " stops too hard";
        }
    }
    EXPECT_EQ(sets, (std::set<std::string>{"Cut", "Death", "Defeat", "HitPoint", "Land", "Rise",
                                           "Stage", "Strike"}));
}
