// SDL's audio output. Without a sound card SDL falls back on ALSA, whose
// library prints its failure to open "default" on stderr (eight lines) before
// SDL gets the error; its error handler is silenced while the device is
// looked for, so a machine without sound starts quietly.
#include <SDL.h>
#include <cstring>
#include <dlfcn.h>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include "platform_sdl/sdl_audio_device.h"

namespace platform_sdl {

// The backend implements the platform's interfaces in their own terms.
using namespace platform;
namespace {

std::string gLastError;

// libasound's error handler for the time the object lives. SDL loads the
// library at run time, so its handler is set through the same shared object.
class QuietAlsa {
  public:
    QuietAlsa() {
#ifdef __EMSCRIPTEN__
        return; // the page's sound is Web Audio
#endif
        mLibrary = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!mLibrary) return;
        mSetHandler = reinterpret_cast<SetHandler>(dlsym(mLibrary, "snd_lib_error_set_handler"));
        if (mSetHandler) mSetHandler(&Silent);
    }
    ~QuietAlsa() {
        if (mSetHandler) mSetHandler(nullptr); // the library's own handler again
        if (mLibrary) dlclose(mLibrary);
    }
    QuietAlsa(const QuietAlsa&) = delete;
    QuietAlsa& operator=(const QuietAlsa&) = delete;

  private:
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    static void Silent(const char*, int, const char*, int, const char*, ...) {}

    void* mLibrary = nullptr;
    SetHandler mSetHandler = nullptr;
};

class SdlAudioDevice : public AudioDevice {
  public:
    SdlAudioDevice() = default;
    ~SdlAudioDevice() override {
#ifdef __EMSCRIPTEN__
        // SDL only disconnects the page's audio node: a block already queued
        // would still call back into this object once it is gone.
        EM_ASM({
            const audio = Module['SDL2'] && Module['SDL2'].audio;
            if (audio && audio.scriptProcessorNode) audio.scriptProcessorNode.onaudioprocess = null;
        });
#endif
        if (mDevice != 0) SDL_CloseAudioDevice(mDevice); // waits for a running callback
        if (mSubsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

    // False, with the reason in gLastError, when there is no device.
    bool Open(int32_t frequency) {
        QuietAlsa quiet;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            gLastError = SDL_GetError();
            return false;
        }
        mSubsystem = true;
        SDL_AudioSpec wanted{};
        wanted.freq = frequency;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = kAudioOutputChannels;
        wanted.samples = 1024;
        wanted.callback = &Callback;
        wanted.userdata = this;
        SDL_AudioSpec obtained{};
        // No changes allowed: SDL converts to whatever the hardware wants.
        mDevice = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        if (mDevice == 0) {
            gLastError = SDL_GetError();
            return false;
        }
        mFrequency = frequency;
        mBlockFrames = obtained.samples;
        gLastError.clear();
        SDL_PauseAudioDevice(mDevice, 0); // silence until a source is attached
        return true;
    }

    int32_t Frequency() const override {
        return mFrequency;
    }
    int32_t BlockFrames() const override {
        return mBlockFrames;
    }

    void Attach(AudioSource* source) override {
        SDL_LockAudioDevice(mDevice);
        mSource = source;
        SDL_UnlockAudioDevice(mDevice);
    }

  private:
    static void Callback(void* self, Uint8* stream, int bytes) {
        auto* device = static_cast<SdlAudioDevice*>(self);
        const int frames = bytes / static_cast<int>(sizeof(int16_t) * kAudioOutputChannels);
        if (device->mSource) {
            device->mSource->RenderAudio(reinterpret_cast<int16_t*>(stream), frames);
        } else {
            std::memset(stream, 0, static_cast<size_t>(bytes));
        }
    }

    SDL_AudioDeviceID mDevice = 0;
    bool mSubsystem = false;
    int32_t mFrequency = 0, mBlockFrames = 0;
    AudioSource* mSource = nullptr; // changed only with the device locked
};

} // namespace

std::unique_ptr<AudioDevice> OpenSdlAudioDevice(int32_t frequency) {
    auto device = std::make_unique<SdlAudioDevice>();
    if (!device->Open(frequency)) return nullptr;
    return device;
}

std::string LastAudioDeviceError() {
    return gLastError;
}

} // namespace platform_sdl
