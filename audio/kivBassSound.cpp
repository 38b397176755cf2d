#include "audio/kivBassSound.h"

#include <cmath>

#include "audio/bass.h"
#include "audio/kivBassSoundm.h"
#include "audio/sound_enabled.h"
#include "platform/host.h"
#include "vb/numeric.h"
#include "vb/runtime_error.h"

namespace {

constexpr int32_t kErrOverflow = 6;

// Conversion to Long, raising the runtime's Overflow outside its range.
int32_t ToLong(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
        throw vb::RuntimeError(kErrOverflow, "Overflow");
    }
    return vb::RoundEven(rounded);
}

// The library's lengths and positions are used by their low 32 bits.
int32_t Low32(uint64_t bytes) {
    return static_cast<int32_t>(static_cast<uint32_t>(bytes));
}

} // namespace

void kivBassSound::ApplyAttributes() {
    if (!SoundEnabled || mChannel == 0) return;
    BASS_ChannelSetAttributes(mChannel, BassFrequency(), BassVolume(), BassPan());
    BASS_ChannelSetFlags(mChannel, mLoopz ? BASS_SAMPLE_LOOP : 0);
}

int32_t kivBassSound::BassVolume() const {
    return ToLong((mVolume + 100) / 2);
}

int32_t kivBassSound::BassFrequency() const {
    if (mFrequency == 0) return DefaultFrequency;
    if (mFrequency > 0) return ToLong((mFrequency / 100 + 1) * DefaultFrequency);
    return ToLong(DefaultFrequency / (std::fabs(mFrequency) / 100 + 1));
}

int32_t kivBassSound::BassPan() const {
    return ToLong(mPan);
}

void kivBassSound::Initialize(int32_t pTypez, const std::string& pFileName, int32_t pNumber) {
    if (!SoundEnabled) return;
    Terminate();
    // The sample of an earlier load would otherwise be held until the end.
    ReleaseSample();
    mTypez = pTypez;
    mFilename = pFileName;
    FromResource = false;
    if (mFilename.find("::") != std::string::npos) {
        // "type::id" names a resource of the program. This program carries no
        // sound resources, so the data is empty and the load fails below.
        FromResource = true;
        ResourceData.clear();
    }
    const int32_t mem = FromResource ? 1 : 0;
    const void* source = FromResource ? static_cast<const void*>(ResourceData.data())
                                      : static_cast<const void*>(mFilename.c_str());
    const auto length = FromResource ? static_cast<uint32_t>(ResourceData.size()) : 0u;
    if (IsStream()) {
        mChannel = BASS_StreamCreateFile(mem, source, 0, length, 0);
    } else {
        SampleHandle = BASS_SampleLoad(mem, source, 0, length, static_cast<uint32_t>(pNumber),
                                       BASS_SAMPLE_OVER_POS);
        // A failed load keeps its own error code for the message.
        mChannel = SampleHandle != 0 ? BASS_SampleGetChannel(SampleHandle, 0) : 0;
        NeedChannel = false;
    }
    if (mChannel != 0) {
        uint32_t frequency = 0;
        BASS_ChannelGetAttributes(mChannel, &frequency, nullptr, nullptr);
        DefaultFrequency = static_cast<int32_t>(frequency);
    } else {
        platform::host().MessageBox("Error: kivBassSound: Initialize: Could not initialize '" +
                                        mFilename +
                                        ". Bass Error Code:" + std::to_string(BASS_ErrorGetCode()),
                                    "");
    }
}

void kivBassSound::Play(double pVolume, double pPan, double pFrequency, int32_t pLoopz) {
    if (!SoundEnabled) return;
    if (Paused) {
        BASS_ChannelPlay(mChannel, 0);
        Paused = false;
        return;
    }
    // The new settings are for the new playback: a sample's earlier
    // playbacks keep theirs.
    if (pVolume != kKeep) mVolume = pVolume;
    if (pPan != kKeep) mPan = pPan;
    if (pFrequency != kKeep) mFrequency = pFrequency;
    if (pLoopz != kKeep) mLoopz = pLoopz != 0;
    if (!IsStream() && NeedChannel) mChannel = BASS_SampleGetChannel(SampleHandle, 0);
    if (mChannel == 0) return; // nothing loaded: plays silently
    ApplyAttributes();
    if (BASS_ChannelPlay(mChannel, 1) == 0) {
        platform::host().MessageBox("Error: kivBassSound: Play: Could not play '" + mFilename +
                                        "." + std::to_string(BASS_ErrorGetCode()),
                                    "");
    }
    if (!IsStream()) NeedChannel = true;
}

void kivBassSound::Pause() {
    if (!SoundEnabled || Paused) return;
    BASS_ChannelPause(mChannel);
    Paused = true;
}

void kivBassSound::Stopz() {
    if (!SoundEnabled) return;
    if (IsStream()) {
        if (BASS_ChannelIsActive(mChannel) != 0) BASS_ChannelStop(mChannel);
    } else {
        if (!mFilename.empty()) BASS_SampleStop(SampleHandle);
        NeedChannel = true;
    }
}

void kivBassSound::Terminate() {
    if (!SoundEnabled) return;
    if (mChannel != 0) {
        Stopz();
        if (IsStream()) BASS_StreamFree(mChannel);
        mChannel = 0;
    }
    // A sample stays loaded: Play fetches a new channel of it.
}

kivBassSound::~kivBassSound() {
    Terminate();
    ReleaseSample();
}

void kivBassSound::ReleaseSample() {
    if (SoundEnabled && SampleHandle != 0) BASS_SampleFree(SampleHandle);
    SampleHandle = 0;
}

bool kivBassSound::PlayingStream() const {
    if (!SoundEnabled || mChannel == 0) return false;
    const float length = BytesToSeconds(mChannel, Low32(BASS_ChannelGetLength(mChannel)));
    const uint32_t active = BASS_ChannelIsActive(mChannel);
    const float position = BytesToSeconds(mChannel, Low32(BASS_ChannelGetPosition(mChannel)));
    return position < length && active == BASS_ACTIVE_PLAYING;
}

// Without a channel the library answers its failure value (-1) for handle 0.
float kivBassSound::Length() const {
    if (!SoundEnabled) return 0;
    return BytesToSeconds(mChannel, Low32(BASS_ChannelGetLength(mChannel)));
}

void kivBassSound::SetVolume(double value) {
    mVolume = value;
    ApplyAttributes();
}

void kivBassSound::SetPan(double value) {
    mPan = value;
    ApplyAttributes();
}

void kivBassSound::SetFrequency(double value) {
    mFrequency = value;
    ApplyAttributes();
}

void kivBassSound::SetLoopz(bool value) {
    mLoopz = value;
    ApplyAttributes();
}
