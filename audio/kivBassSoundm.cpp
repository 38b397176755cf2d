#include "audio/kivBassSoundm.h"

#include "audio/bass.h"

float BytesToSeconds(uint32_t pHandle, int32_t pBytes) {
    return BASS_ChannelBytes2Seconds(pHandle, uint64_t{static_cast<uint32_t>(pBytes)});
}
