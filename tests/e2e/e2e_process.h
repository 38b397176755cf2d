// Child processes for the end-to-end tests: a private X server and the game.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

// A started process, killed (with its process group) if still running when
// the object goes.
class ChildProcess {
  public:
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                 const std::string& workDir = "", int passFd = -1);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The exit status, or -1 when it has not ended within the time (still running).
    int WaitFor(std::chrono::milliseconds limit);
    bool Running();
    pid_t Pid() const { return mPid; }

  private:
    pid_t mPid = -1;
    int mStatus = -1;
    bool mEnded = false;
};

// Runs a command to its end; returns its exit status and standard output.
int RunCommand(const std::vector<std::string>& argv, const std::vector<std::string>& env,
               std::string* output = nullptr);

// An Xvfb on a display number of its own choosing.
class VirtualDisplay {
  public:
    VirtualDisplay(int width, int height);
    const std::string& Name() const { return mName; } // ":N"; empty on failure
    std::vector<std::string> Environment() const;

  private:
    std::unique_ptr<ChildProcess> mServer;
    std::string mName;
};

bool CommandExists(const std::string& name);
