// Recording a game while it is played, and playing a recording back.
#pragma once

#include <memory>
#include <string>

#include "app/modMain.h"
#include "launcher/options.h"
#include "launcher/program_files.h"
#include "platform/host.h"

struct ProgramIdentity {
    std::string program, version;
};

// Main on `host`, with every value the game reads written to
// options.recordFile at the end; prints the final state's checksum.
int RunRecording(platform::Host& host, const ProgramSetup& setup, const ProgramFiles& files,
                 const ProgramIdentity& identity, const std::string& recordFile);

// Plays options.replayFile back: refused, with what differs, for another
// program or version or other monster files. In a window (with the player's
// controls) at the recorded pace, or headless as fast as it goes. Prints the final state's
// checksum and exits non-zero when it is not the recorded one.
int RunReplay(const ProgramSetup& setup, const ProgramFiles& files, const ProgramIdentity& identity,
              const GameOptions& options, const platform::ControlMap& controls);
