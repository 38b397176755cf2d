#include <algorithm>

#include "platform/audio_device.h"

namespace platform {

void PulledAudioDevice::Attach(AudioSource* source) {
    std::lock_guard lock(mMutex);
    mSource = source;
}

void PulledAudioDevice::Pull(int16_t* out, int32_t frames) {
    std::lock_guard lock(mMutex);
    if (mSource) {
        mSource->RenderAudio(out, frames);
    } else {
        std::fill(out, out + frames * kAudioOutputChannels, int16_t{0});
    }
}

} // namespace platform
