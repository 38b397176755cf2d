#include "e2e_process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

std::vector<char*> CStrings(std::vector<std::string>& items) {
    std::vector<char*> out;
    for (auto& item : items) out.push_back(item.data());
    out.push_back(nullptr);
    return out;
}

// The current environment with the given NAME=value entries replacing theirs.
std::vector<std::string> MergedEnvironment(const std::vector<std::string>& extra) {
    std::vector<std::string> merged;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        bool replaced = false;
        for (const auto& x : extra) replaced |= x.substr(0, x.find('=')) == name;
        if (!replaced) merged.push_back(entry);
    }
    merged.insert(merged.end(), extra.begin(), extra.end());
    return merged;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::vector<std::string>& env, const std::string& workDir,
                           int passFd) {
    std::vector<std::string> args = argv;
    std::vector<std::string> environment = MergedEnvironment(env);
    auto cargs = CStrings(args);
    auto cenv = CStrings(environment);
    mPid = fork();
    if (mPid == 0) {
        setpgid(0, 0);
        // As a process started from a terminal: whatever the test runner ignores.
        for (const int number : {SIGHUP, SIGINT, SIGQUIT, SIGTERM}) std::signal(number, SIG_DFL);
        if (!workDir.empty() && chdir(workDir.c_str()) != 0) _exit(126);
        // Everything but the standard streams and the one passed on is closed.
        for (int fd = 3; fd < 1024; ++fd) {
            if (fd != passFd) close(fd);
        }
        execvpe(cargs[0], cargs.data(), cenv.data());
        _exit(127);
    }
}

ChildProcess::~ChildProcess() {
    if (mPid > 0 && !mEnded) {
        kill(-mPid, SIGKILL);
        kill(mPid, SIGKILL);
        waitpid(mPid, &mStatus, 0);
    }
}

bool ChildProcess::Running() {
    if (mEnded || mPid <= 0) return false;
    const pid_t r = waitpid(mPid, &mStatus, WNOHANG);
    if (r == mPid) mEnded = true;
    return !mEnded;
}

int ChildProcess::WaitFor(std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (Running()) {
        if (std::chrono::steady_clock::now() >= end) return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (WIFEXITED(mStatus)) return WEXITSTATUS(mStatus);
    return 128 + (WIFSIGNALED(mStatus) ? WTERMSIG(mStatus) : 0);
}

int RunCommand(const std::vector<std::string>& argv, const std::vector<std::string>& env,
               std::string* output) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return -1;
    std::vector<std::string> args = argv;
    std::vector<std::string> environment = MergedEnvironment(env);
    auto cargs = CStrings(args);
    auto cenv = CStrings(environment);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], 1);
        close(pipeFds[0]);
        close(pipeFds[1]);
        execvpe(cargs[0], cargs.data(), cenv.data());
        _exit(127);
    }
    close(pipeFds[1]);
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = read(pipeFds[0], buffer, sizeof(buffer))) > 0) text.append(buffer, n);
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (output) *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool CommandExists(const std::string& name) {
    return RunCommand({"sh", "-c", "command -v '" + name + "' >/dev/null"}, {}) == 0;
}

VirtualDisplay::VirtualDisplay(int width, int height) {
    int fds[2];
    if (pipe(fds) != 0) return;
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    mServer = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                 screen, "-nolisten", "tcp", "-noreset"},
        std::vector<std::string>{}, "", fds[1]);
    close(fds[1]);
    // The server writes its display number once it is ready for clients.
    std::string number;
    pollfd waitFor{fds[0], POLLIN, 0};
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < end) {
        if (poll(&waitFor, 1, 100) > 0) {
            char c;
            const ssize_t n = read(fds[0], &c, 1);
            if (n <= 0 || c == '\n') break;
            number += c;
        }
    }
    close(fds[0]);
    if (!number.empty()) mName = ":" + number;
}

std::vector<std::string> VirtualDisplay::Environment() const {
    return {"DISPLAY=" + mName, "XAUTHORITY=/dev/null"};
}
