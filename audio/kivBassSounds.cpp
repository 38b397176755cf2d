#include "audio/kivBassSounds.h"

#include "files/clsFiles.h"
#include "vb/numeric.h"
#include "vb/random.h"
#include "vb/runtime_error.h"

namespace {

constexpr int32_t kErrSubscriptOutOfRange = 9;

[[noreturn]] void RaiseSubscriptOutOfRange() {
    throw vb::RuntimeError(kErrSubscriptOutOfRange, "Subscript out of range");
}

} // namespace

kivBassSound& kivBassSounds::At(int32_t pIndex) const {
    if (pIndex < 1 || pIndex > Count()) RaiseSubscriptOutOfRange();
    return *Sounds[static_cast<size_t>(pIndex - 1)];
}

void kivBassSounds::Initialize(int32_t pTypez, const std::string& pPath, int32_t pNumber) {
    clsFiles files;
    files.Initialize(pPath);
    if (files.Count() == 0) RaiseSubscriptOutOfRange(); // no list of sounds to make
    Sounds.clear();
    for (int32_t i = 1; i <= files.Count(); ++i) {
        Sounds.push_back(std::make_unique<kivBassSound>());
        Sounds.back()->Initialize(pTypez, files.FileNamePath(i), pNumber);
    }
}

void kivBassSounds::PlayRandom(double pVolume, double pPan, double pFrequency, int32_t pLoopz) {
    mCurrent = vb::IntL(vb::Rnd() * Count()) + 1;
    At(mCurrent).Play(pVolume, pPan, pFrequency, pLoopz);
}

void kivBassSounds::PlaySpecific(int32_t pIndex, double pVolume, double pPan, double pFrequency,
                                 int32_t pLoopz) {
    mCurrent = pIndex;
    At(mCurrent).Play(pVolume, pPan, pFrequency, pLoopz);
}

bool kivBassSounds::Playing() const {
    if (mCurrent == 0) return false;
    return At(mCurrent).PlayingStream();
}

kivBassSound* kivBassSounds::Sound() const {
    if (mCurrent == 0) return nullptr;
    return &At(mCurrent);
}

void kivBassSounds::Stopz() {
    if (mCurrent == 0) return;
    At(mCurrent).Stopz();
    mCurrent = 0;
}

void kivBassSounds::Terminate() {
    Stopz();
}
