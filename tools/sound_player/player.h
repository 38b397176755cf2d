// Plays one file or sound set through the sound classes, with a progress line
// on a terminal.
#pragma once

#include <csignal>
#include <string>
#include <vector>

#include "options.h"
#include "platform/headless_host.h"

// No window: message boxes are kept for the player to explain in its own words.
class ConsoleHost : public platform::HeadlessHost {
  public:
    void MessageBox(const std::string& text, const std::string& title) override;
    std::vector<std::string> Boxes;
};

enum class PlayResult { Played, Failed, Interrupted };

class SoundPlayer {
  public:
    SoundPlayer(const PlayerOptions& options, ConsoleHost& host,
                const volatile std::sig_atomic_t& interrupted)
        : mOptions(options), mHost(host), mInterrupted(interrupted) {}

    PlayResult Play(const std::string& path);

  private:
    PlayResult PlayLoaded(class kivBassSound& sound, const std::string& path);
    void Fail(const std::string& path, const std::string& why) const;
    std::string LoadError(const std::string& file) const;

    const PlayerOptions& mOptions;
    ConsoleHost& mHost;
    const volatile std::sig_atomic_t& mInterrupted;
};
