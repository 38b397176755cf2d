#include "support/child_run.h"

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

bool SetLimits(const ChildLimits& limits) {
    if (limits.ordinaryUser && geteuid() == 0) {
        const gid_t nobody = 65534;
        if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0) {
            return false;
        }
    }
    if (limits.memoryBytes != 0 && !kAddressSanitizer) {
        const rlimit memory{limits.memoryBytes, limits.memoryBytes};
        if (setrlimit(RLIMIT_AS, &memory) != 0) return false;
    }
    return true;
}

} // namespace

int RunInChild(const std::function<int()>& body, ChildLimits limits) {
    const pid_t pid = fork();
    if (pid == 0) {
        int code = 99;
        if (SetLimits(limits)) {
            try {
                code = body();
            } catch (...) {
                code = 98;
            }
        }
        _exit(code);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
