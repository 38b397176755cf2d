#include "audio/bass.h"

#include "platform/host.h"

int32_t BASS_Init(int32_t device, int32_t freq, int32_t /*flags*/, void* /*win*/, void* /*clsid*/) {
    // Only the default output exists here; 0 ("no sound") would also be one.
    if (device != -1 && device != 1) return 0;
    return platform::host().OpenAudio(freq) ? 1 : 0;
}
