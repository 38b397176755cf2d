#include "support/sound_files.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sndfile.h>

namespace {

int FormatOf(const std::string& kind) {
    if (kind == "wav") return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    if (kind == "flac") return SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    if (kind == "ogg") return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    if (kind == "aiff") return SF_FORMAT_AIFF | SF_FORMAT_PCM_16;
    if (kind == "opus") return SF_FORMAT_OGG | SF_FORMAT_OPUS;
    if (kind == "mp3") return SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
    return 0;
}

bool Write(const std::string& path, int format, int channels, int rate,
           const std::vector<int16_t>& interleaved) {
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = rate;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return false;
    const sf_count_t frames = static_cast<sf_count_t>(interleaved.size()) / channels;
    const bool written = sf_writef_short(file, interleaved.data(), frames) == frames;
    return sf_close(file) == 0 && written;
}

} // namespace

bool WriteTone(const std::string& path, const std::string& kind, int channels, int rate,
               double seconds, double frequency, double amplitude) {
    const auto frames = static_cast<size_t>(std::lround(seconds * rate));
    std::vector<int16_t> data(frames * static_cast<size_t>(channels));
    for (size_t i = 0; i < frames; ++i) {
        const double value =
            amplitude * std::sin(2 * std::numbers::pi * frequency * static_cast<double>(i) / rate);
        for (int c = 0; c < channels; ++c) {
            data[i * static_cast<size_t>(channels) + static_cast<size_t>(c)] =
                static_cast<int16_t>(std::lround(value));
        }
    }
    return Write(path, FormatOf(kind), channels, rate, data);
}

bool WriteFrames(const std::string& path, int channels, int rate,
                 const std::vector<int16_t>& interleaved) {
    return Write(path, FormatOf("wav"), channels, rate, interleaved);
}

bool WriteFloatFrames(const std::string& path, int channels, int rate,
                      const std::vector<float>& interleaved) {
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = rate;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return false;
    const sf_count_t frames = static_cast<sf_count_t>(interleaved.size()) / channels;
    const bool written = sf_writef_float(file, interleaved.data(), frames) == frames;
    return sf_close(file) == 0 && written;
}

std::vector<int16_t> Side(const std::vector<int16_t>& stereo, int which) {
    std::vector<int16_t> side;
    for (size_t i = static_cast<size_t>(which); i < stereo.size(); i += 2)
        side.push_back(stereo[i]);
    return side;
}

int Peak(const std::vector<int16_t>& samples) {
    int peak = 0;
    for (int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
}

double Level(const std::vector<int16_t>& samples) {
    if (samples.empty()) return 0;
    double sum = 0;
    for (int16_t s : samples) sum += static_cast<double>(s) * s;
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

double ToneFrequency(const std::vector<int16_t>& samples, int rate) {
    if (samples.size() < 2) return 0;
    int crossings = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        if (samples[i - 1] < 0 && samples[i] >= 0) ++crossings;
    }
    return crossings * static_cast<double>(rate) / static_cast<double>(samples.size());
}

std::vector<int16_t> Audible(const std::vector<int16_t>& samples, int threshold) {
    const auto loud = [threshold](int16_t s) { return std::abs(static_cast<int>(s)) > threshold; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
    if (first >= last) return {};
    return std::vector<int16_t>(first, last);
}
