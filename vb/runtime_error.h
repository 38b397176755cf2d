// Errors raised the way the game's runtime raises them: a number and a text.
// Object errors are &H80040000 plus a small code; runtime errors keep their
// own small numbers (53 "File not found", 75 "Path/File access error",
// 481 "Invalid picture").
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace vb {

constexpr int32_t kObjectErrorBase = static_cast<int32_t>(0x80040000u);

class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(int32_t number, std::string description)
        : std::runtime_error(description), mNumber(number), mDescription(std::move(description)) {}

    int32_t Number() const { return mNumber; }
    const std::string& Description() const { return mDescription; }

  private:
    int32_t mNumber;
    std::string mDescription;
};

// Raises object error kObjectErrorBase + code with the given text.
[[noreturn]] inline void RaiseObjectError(int32_t code, std::string description) {
    throw RuntimeError(kObjectErrorBase + code, std::move(description));
}

constexpr int32_t kErrFileNotFound = 53;
constexpr int32_t kErrPathFileAccess = 75;
constexpr int32_t kErrInvalidPicture = 481;

} // namespace vb
