#include "platform/host.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {
Host* gHost = nullptr;
}

Host& host() {
    if (!gHost) {
        std::fputs("No host set: the program must call platform::SetHost first\n", stderr);
        std::abort();
    }
    return *gHost;
}

void SetHost(Host* newHost) {
    gHost = newHost;
}

} // namespace platform
