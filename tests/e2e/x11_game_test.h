// A test fixture with a private X server for the real game binaries: tool
// checks, the game's environment, xdotool calls and waiting for its window.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "e2e_process.h"

inline std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

class X11GameTest : public ::testing::Test {
  protected:
    // The programs a derived fixture needs besides Xvfb, and what to say when
    // one is missing.
    X11GameTest(std::vector<std::string> tools, std::string missingHint = "")
        : mTools(std::move(tools)), mMissingHint(std::move(missingHint)) {}

    void SetUp() override {
        for (const std::string& tool : mTools) {
            ASSERT_TRUE(CommandExists(tool)) << tool << " is missing" << mMissingHint;
        }
        ASSERT_FALSE(Env("STOMPVALE_BIN").empty());
        display = std::make_unique<VirtualDisplay>(screenWidth, screenHeight);
        ASSERT_FALSE(display->Name().empty()) << "Xvfb did not start";
    }

    std::vector<std::string> GameEnvironment() const {
        auto env = display->Environment();
        env.push_back("SDL_AUDIODRIVER=dummy"); // no sound card on a test machine
        return env;
    }

    // Runs a tool on the display; its output without the trailing line end.
    std::string Tool(const std::vector<std::string>& argv) const {
        std::string out;
        RunCommand(argv, display->Environment(), &out);
        while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
        return out;
    }

    // The id of the visible window named exactly "Gloamward", or "".
    std::string WaitForWindow(ChildProcess& game) const {
        using namespace std::chrono_literals;
        const auto end = std::chrono::steady_clock::now() + 20s;
        while (std::chrono::steady_clock::now() < end && game.Running()) {
            const std::string ids =
                Tool({"xdotool", "search", "--onlyvisible", "--name", "^Gloamward$"});
            if (!ids.empty()) return ids.substr(0, ids.find('\n'));
            std::this_thread::sleep_for(100ms);
        }
        return "";
    }

    // A key held for a while with the pointer over the window: a tap shorter
    // than one frame would leave no trace.
    void HoldKey(const std::string& id, const std::string& key,
                 std::chrono::milliseconds time) const {
        Tool({"xdotool", "mousemove", "--window", id, "200", "200"});
        Tool({"xdotool", "windowfocus", id});
        Tool({"xdotool", "keydown", key});
        std::this_thread::sleep_for(time);
        Tool({"xdotool", "keyup", key});
    }

    std::unique_ptr<VirtualDisplay> display;
    int screenWidth = 1280, screenHeight = 1024; // a derived fixture may set another

  private:
    std::vector<std::string> mTools;
    std::string mMissingHint;
};
