// Every file of one folder as a kivBassSound, played at random or by number:
// variations of one effect, or a playlist. It remembers the sound it played
// last, to report whether that one still plays, hand it out or stop it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/kivBassSound.h"

class kivBassSounds {
  public:
    kivBassSounds() = default;
    kivBassSounds(const kivBassSounds&) = delete;
    kivBassSounds& operator=(const kivBassSounds&) = delete;

    // Raises "Subscript out of range" (9) when the folder lists no file.
    void Initialize(int32_t pTypez, const std::string& pPath, int32_t pNumber);
    void PlayRandom(double pVolume = kivBassSound::kKeep, double pPan = kivBassSound::kKeep,
                    double pFrequency = kivBassSound::kKeep, int32_t pLoopz = kivBassSound::kKeep);
    // Raises "Subscript out of range" (9) for a number outside 1..N, after
    // making it the current one.
    void PlaySpecific(int32_t pIndex, double pVolume = kivBassSound::kKeep,
                      double pPan = kivBassSound::kKeep, double pFrequency = kivBassSound::kKeep,
                      int32_t pLoopz = kivBassSound::kKeep);
    bool Playing() const;
    // The sound played last; nullptr when none is current.
    kivBassSound* Sound() const;
    void Stopz();
    void Terminate();

    int32_t Count() const { return static_cast<int32_t>(Sounds.size()); }
    int32_t Current() const { return mCurrent; }

  private:
    kivBassSound& At(int32_t pIndex) const;

    std::vector<std::unique_ptr<kivBassSound>> Sounds; // 1..N at 0..N-1
    int32_t mCurrent = 0;
};
