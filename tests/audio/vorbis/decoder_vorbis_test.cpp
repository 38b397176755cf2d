// The browser's decoder (vorbisfile) against libsndfile, which the native
// game decodes with: the same frames for every shipped sound, from a file, a
// region of one and memory, and the same refusals. It is built natively into
// a program of its own, as the two decoders are one interface.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/bass.h"
#include "audio/decoder.h"

namespace fs = std::filesystem;

namespace {

fs::path Sounds() {
    const char* source = std::getenv("STOMPVALE_SOURCE");
    return fs::path(source ? source : ".") / "data" / "Sounds";
}

std::vector<fs::path> ShippedSounds() {
    std::vector<fs::path> paths;
    for (const auto& entry : fs::recursive_directory_iterator(Sounds())) {
        if (entry.path().extension() == ".ogg") paths.push_back(entry.path());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

struct Frames {
    int channels = 0, rate = 0;
    std::vector<int16_t> pcm;
};

// libsndfile's floats, turned into 16-bit samples as the native decoder
// turns them (rounded, clipped): what the native game plays.
Frames ReadWithSndfile(const fs::path& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    Frames frames;
    if (!file) return frames;
    frames.channels = info.channels;
    frames.rate = info.samplerate;
    std::vector<float> block(4096 * info.channels);
    for (sf_count_t got; (got = sf_readf_float(file, block.data(), 4096)) > 0;) {
        for (sf_count_t i = 0; i < got * info.channels; ++i) {
            frames.pcm.push_back(static_cast<int16_t>(
                std::lrint(std::clamp(block[i] * 32768.0f, -32768.0f, 32767.0f))));
        }
    }
    sf_close(file);
    return frames;
}

// Through the decoder, in reads of `chunk` frames.
Frames ReadAll(audio::Decoder& decoder, int64_t chunk) {
    Frames frames;
    frames.channels = decoder.Format().channels;
    frames.rate = decoder.Format().rate;
    std::vector<int16_t> block(chunk * frames.channels);
    for (int64_t got; (got = decoder.Read(block.data(), chunk)) > 0;)
        frames.pcm.insert(frames.pcm.end(), block.begin(), block.begin() + got * frames.channels);
    return frames;
}

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(VorbisDecoder, EveryShippedSoundDecodesToLibsndfilesFrames) {
    const std::vector<fs::path> sounds = ShippedSounds();
    ASSERT_GE(sounds.size(), 8u);
    for (const fs::path& path : sounds) {
        const Frames expected = ReadWithSndfile(path);
        ASSERT_FALSE(expected.pcm.empty()) << path;
        const std::string bytes = Bytes(path);
        // The file framed by other bytes, as a region of a larger file.
        const fs::path framed = fs::temp_directory_path() / "stompvale-framed.bin";
        std::ofstream(framed, std::ios::binary) << std::string(1000, 'x') << bytes << "trailing";
        struct Way {
            const char* what;
            std::unique_ptr<audio::Decoder> decoder;
            int64_t chunk;
        };
        int32_t error = 0;
        Way ways[] = {
            {"file", audio::Decoder::OpenFile(path.c_str(), 0, 0, &error), 4096},
            {"memory", audio::Decoder::OpenMemory(bytes.data(), bytes.size(), &error), 333},
            {"region", audio::Decoder::OpenFile(framed.c_str(), 1000, bytes.size(), &error), 1},
        };
        for (Way& way : ways) {
            ASSERT_TRUE(way.decoder) << path << " from " << way.what;
            const Frames got = ReadAll(*way.decoder, way.chunk);
            EXPECT_EQ(got.channels, expected.channels) << path << " from " << way.what;
            EXPECT_EQ(got.rate, expected.rate) << path << " from " << way.what;
            EXPECT_TRUE(got.pcm == expected.pcm)
                << path << " from " << way.what << ": " << got.pcm.size() << " samples against "
                << expected.pcm.size();
        }
        // Rewound, it gives the same frames again.
        ASSERT_TRUE(ways[0].decoder->Rewind());
        EXPECT_TRUE(ReadAll(*ways[0].decoder, 1024).pcm == expected.pcm) << path;
        fs::remove(framed);
    }
}

TEST(VorbisDecoder, RefusesWhatIsNoOggVorbisAsLibsndfileDoes) {
    const std::string ogg = Bytes(ShippedSounds().front());
    const fs::path words = fs::temp_directory_path() / "stompvale-words.ogg";
    std::ofstream(words, std::ios::binary) << "RIFF words, not a sound";
    struct Case {
        const char* what;
        std::string bytes;
        int32_t error;
    } cases[] = {
        {"empty", "", BASS_ERROR_FILEOPEN},
        {"words", "these are words, not a sound", BASS_ERROR_FORMAT},
        {"the first page only", ogg.substr(0, 58), BASS_ERROR_FORMAT},
    };
    for (const Case& c : cases) {
        int32_t error = 0;
        EXPECT_EQ(audio::Decoder::OpenMemory(c.bytes.data(), c.bytes.size(), &error), nullptr)
            << c.what;
        EXPECT_EQ(error, c.error) << c.what;
    }
    int32_t error = 0;
    EXPECT_EQ(audio::Decoder::OpenFile("/no/such/sound.ogg", 0, 0, &error), nullptr);
    EXPECT_EQ(error, BASS_ERROR_FILEOPEN);
    EXPECT_EQ(audio::Decoder::OpenFile(words.c_str(), 0, 0, &error), nullptr);
    EXPECT_EQ(error, BASS_ERROR_FORMAT);
    fs::remove(words);
}
