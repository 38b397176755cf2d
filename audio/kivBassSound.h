// One sound over the audio library: a stream (decoded while it plays, one
// playback; for music) or a sample (decoded whole, overlapping playbacks; for
// effects), with volume, pan, pitch and looping in the class's own units.
// Every operation does nothing while SoundEnabled is false.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class kivBassSound {
  public:
    // An omitted argument of Play: keep the current setting.
    static constexpr int32_t kKeep = -6666;

    kivBassSound() = default;
    // Terminate, and the sample is released too.
    ~kivBassSound();
    kivBassSound(const kivBassSound&) = delete;
    kivBassSound& operator=(const kivBassSound&) = delete;

    // pTypez 1 stream, anything else sample; pNumber is the most playbacks of
    // a sample at once. A name with "::" names a resource of the program.
    void Initialize(int32_t pTypez, const std::string& pFileName, int32_t pNumber);
    // Volume -100..100, pan -100..100, frequency in percent, loop: 0 False,
    // any other value True. Resumes a paused sound, ignoring the arguments.
    void Play(double pVolume = kKeep, double pPan = kKeep, double pFrequency = kKeep,
              int32_t pLoopz = kKeep);
    void Pause();
    void Stopz();
    // Stops and lets go of the channel; a loaded sample stays, so Play plays
    // it again on a new channel.
    void Terminate();

    bool PlayingStream() const;
    uint32_t BassHandle() const { return mChannel; }
    void SetBassHandle(uint32_t value) { mChannel = value; }
    int32_t Typez() const { return mTypez; }
    const std::string& Filename() const { return mFilename; }
    double Volume() const { return mVolume; }
    void SetVolume(double value);
    double Pan() const { return mPan; }
    void SetPan(double value);
    double Frequency() const { return mFrequency; }
    void SetFrequency(double value);
    bool Loopz() const { return mLoopz; }
    void SetLoopz(bool value);
    float Length() const;
    bool Alive() const { return mAlive; }
    void SetAlive(bool value) { mAlive = value; }

  private:
    void ApplyAttributes();
    int32_t BassVolume() const;
    int32_t BassFrequency() const;
    int32_t BassPan() const;
    bool IsStream() const { return mTypez == 1; }
    void ReleaseSample();

    uint32_t mChannel = 0;
    int32_t mTypez = 0;
    std::string mFilename;
    double mVolume = 0, mPan = 0, mFrequency = 0;
    bool mLoopz = false;
    bool mAlive = false;

    uint32_t SampleHandle = 0;
    int32_t DefaultFrequency = 0;
    bool NeedChannel = false;
    bool FromResource = false;
    std::vector<char> ResourceData;
    bool Paused = false;
};
