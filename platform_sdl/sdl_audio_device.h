// SDL's sound output as the game's audio device.
#pragma once

#include <memory>
#include <string>

#include "platform/audio_device.h"

namespace platform_sdl {

// SDL's default output at `frequency` (converted by SDL when the hardware
// wants another rate), playing from the moment it opens. nullptr when there
// is no device; nothing is printed then.
std::unique_ptr<platform::AudioDevice> OpenSdlAudioDevice(int32_t frequency);
// Why the last OpenSdlAudioDevice found no device ("" after a success).
std::string LastAudioDeviceError();

} // namespace platform_sdl
