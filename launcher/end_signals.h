// The ways the system asks the game to end (Ctrl-C, a termination request, a
// closed terminal or ended session, Ctrl-\) turned into the game's own
// ending: the frame loop ends, the history is saved and a recording closed,
// as when the window is closed.
#pragma once

#include "platform/forwarding_host.h"

// Catches SIGINT, SIGTERM, SIGHUP and SIGQUIT; a signal the process was told
// to ignore (nohup) stays ignored.
void CatchEndSignals();
// After the game has ended and saved: a SIGQUIT ends the process with its
// usual status (without a core file); the others end it as a close does.
void EndAsTheSignalAsks();

// A host whose window reports a close request once an end signal arrived.
// Wrapped around the window (or headless) host, under a recording, so the
// close is recorded like any other.
class EndSignalHost final : public platform::ForwardingHost {
  public:
    using ForwardingHost::ForwardingHost;
    bool DoEvents() override;
};
