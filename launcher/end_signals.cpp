#include "launcher/end_signals.h"

#include <csignal>
#include <sys/prctl.h>

namespace {

volatile std::sig_atomic_t gEndSignal = 0;

void NoteEndSignal(int number) {
    if (gEndSignal == 0) gEndSignal = number;
}

} // namespace

void CatchEndSignals() {
    for (const int number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        struct sigaction now {};
        if (sigaction(number, nullptr, &now) == 0 && now.sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = NoteEndSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(number, &action, nullptr);
    }
}

void EndAsTheSignalAsks() {
    if (gEndSignal != SIGQUIT) return;
        // Everything is saved: a core file would only leave a crash report behind.
#ifndef __EMSCRIPTEN__ // a page has no core files
    prctl(PR_SET_DUMPABLE, 0);
#endif
    std::signal(SIGQUIT, SIG_DFL);
    std::raise(SIGQUIT);
}

bool EndSignalHost::DoEvents() {
    const bool close = mInner.DoEvents();
    return close || gEndSignal != 0;
}
