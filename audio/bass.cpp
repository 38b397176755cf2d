#include "audio/bass.h"

#include "audio/decoder.h"
#include "audio/engine.h"

namespace {

thread_local int32_t gErrorCode = BASS_OK;

using audio::Engine;

// Records the call's outcome; true when it succeeded.
bool Done(int32_t code) {
    gErrorCode = code;
    return code == BASS_OK;
}

// Records a failure; the failed call's result.
uint32_t Failed(int32_t code) {
    gErrorCode = code;
    return 0;
}

std::unique_ptr<audio::Decoder> OpenDecoder(int32_t mem, const void* file, uint32_t offset,
                                            uint32_t length, int32_t* error) {
    if (mem != 0) {
        const char* bytes = static_cast<const char*>(file);
        return audio::Decoder::OpenMemory(bytes ? bytes + offset : nullptr, length, error);
    }
    return audio::Decoder::OpenFile(static_cast<const char*>(file), offset, length, error);
}

} // namespace

const char* BASS_ErrorText(int32_t code) {
    switch (code) {
    case BASS_OK:
        return "no error";
    case BASS_ERROR_INIT:
        return "the sound library is not initialised";
    case BASS_ERROR_ALREADY:
        return "the sound library is already initialised";
    case BASS_ERROR_DEVICE:
        return "no sound device";
    case BASS_ERROR_FILEOPEN:
        return "file cannot be opened";
    case BASS_ERROR_FORMAT:
        return "not a sound format that can be decoded";
    case BASS_ERROR_HANDLE:
        return "bad handle";
    case BASS_ERROR_NOCHAN:
        return "no free channel";
    case BASS_ERROR_ILLPARAM:
        return "an argument is out of range";
    case BASS_ERROR_NOPLAY:
        return "the channel is not playing";
    case BASS_ERROR_MEM:
        return "not enough memory";
    default:
        return "unknown error";
    }
}

int32_t BASS_Init(int32_t device, int32_t freq, int32_t /*flags*/, void* /*win*/, void* /*clsid*/) {
    // Only the default output exists here; 0 ("no sound") would also be one.
    if (device != -1 && device != 1) return static_cast<int32_t>(Failed(BASS_ERROR_DEVICE));
    if (freq <= 0) return static_cast<int32_t>(Failed(BASS_ERROR_ILLPARAM));
    return Done(Engine::Get().Init(freq)) ? 1 : 0;
}

int32_t BASS_Free() {
    return Done(Engine::Get().Free()) ? 1 : 0;
}

int32_t BASS_SetVolume(uint32_t volume) {
    if (volume > 100) return static_cast<int32_t>(Failed(BASS_ERROR_ILLPARAM));
    Engine::Get().SetOutputVolume(static_cast<int32_t>(volume));
    return Done(BASS_OK) ? 1 : 0;
}

uint32_t BASS_GetVolume() {
    return static_cast<uint32_t>(Engine::Get().OutputVolume());
}

HSTREAM BASS_StreamCreateFile(int32_t mem, const void* file, uint32_t offset, uint32_t length,
                              uint32_t flags) {
    if (!Engine::Get().IsOpen()) return Failed(BASS_ERROR_INIT);
    int32_t error = BASS_OK;
    auto decoder = OpenDecoder(mem, file, offset, length, &error);
    if (!decoder) return Failed(error);
    HSTREAM handle = 0;
    return Done(Engine::Get().AddStream(std::move(decoder), flags, handle)) ? handle : 0;
}

HSAMPLE BASS_SampleLoad(int32_t mem, const void* file, uint32_t offset, uint32_t length,
                        uint32_t max, uint32_t flags) {
    if (!Engine::Get().IsOpen()) return Failed(BASS_ERROR_INIT);
    if (max < 1 || max > 65535) return Failed(BASS_ERROR_ILLPARAM);
    int32_t error = BASS_OK;
    auto decoder = OpenDecoder(mem, file, offset, length, &error);
    if (!decoder) return Failed(error);
    audio::DecodedSound sound;
    if (!audio::DecodeWhole(*decoder, sound, &error)) return Failed(error);
    HSAMPLE handle = 0;
    return Done(Engine::Get().AddSample(std::move(sound), max, flags, handle)) ? handle : 0;
}

HCHANNEL BASS_SampleGetChannel(HSAMPLE handle, int32_t onlynew) {
    HCHANNEL channel = 0;
    return Done(Engine::Get().SampleChannel(handle, onlynew != 0, channel)) ? channel : 0;
}

int32_t BASS_SampleStop(HSAMPLE handle) {
    return Done(Engine::Get().SampleStop(handle)) ? 1 : 0;
}

int32_t BASS_SampleFree(HSAMPLE handle) {
    return Done(Engine::Get().SampleFree(handle)) ? 1 : 0;
}

int32_t BASS_StreamFree(HSTREAM handle) {
    return Done(Engine::Get().StreamFree(handle)) ? 1 : 0;
}

int32_t BASS_ChannelGetAttributes(uint32_t handle, uint32_t* freq, uint32_t* volume, int32_t* pan) {
    return Done(Engine::Get().GetAttributes(handle, freq, volume, pan)) ? 1 : 0;
}

int32_t BASS_ChannelSetAttributes(uint32_t handle, int32_t freq, int32_t volume, int32_t pan) {
    return Done(Engine::Get().SetAttributes(handle, freq, volume, pan)) ? 1 : 0;
}

int32_t BASS_ChannelSetFlags(uint32_t handle, uint32_t flags) {
    return Done(Engine::Get().SetFlags(handle, flags)) ? 1 : 0;
}

int32_t BASS_ChannelPlay(uint32_t handle, int32_t restart) {
    return Done(Engine::Get().Play(handle, restart != 0)) ? 1 : 0;
}

int32_t BASS_ChannelPause(uint32_t handle) {
    return Done(Engine::Get().Pause(handle)) ? 1 : 0;
}

int32_t BASS_ChannelStop(uint32_t handle) {
    return Done(Engine::Get().Stop(handle)) ? 1 : 0;
}

uint32_t BASS_ChannelIsActive(uint32_t handle) {
    uint32_t state = BASS_ACTIVE_STOPPED;
    Done(Engine::Get().IsActive(handle, state));
    return state;
}

uint64_t BASS_ChannelGetLength(uint32_t handle) {
    Engine::Extent extent;
    if (!Done(Engine::Get().GetExtent(handle, extent))) return ~uint64_t{0};
    return static_cast<uint64_t>(extent.length) * static_cast<uint64_t>(extent.channels) * 2;
}

uint64_t BASS_ChannelGetPosition(uint32_t handle) {
    Engine::Extent extent;
    if (!Done(Engine::Get().GetExtent(handle, extent))) return ~uint64_t{0};
    return static_cast<uint64_t>(extent.position) * static_cast<uint64_t>(extent.channels) * 2;
}

float BASS_ChannelBytes2Seconds(uint32_t handle, uint64_t pos) {
    Engine::Extent extent;
    if (!Done(Engine::Get().GetExtent(handle, extent))) return -1.0f;
    const double frameBytes = 2.0 * extent.channels;
    return static_cast<float>(static_cast<double>(pos) / frameBytes / extent.rate);
}

int32_t BASS_ErrorGetCode() {
    return gErrorCode;
}
