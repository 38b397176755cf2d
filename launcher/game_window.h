// The window the game plays in, from the window system this build has. The
// one place that picks the backend.
#pragma once

#include <memory>
#include <string>

#include "launcher/options.h"
#include "platform/controls.h"
#include "platform/host.h"

// A real window as the options ask (the game's own, a resizable window, or
// full screen) for the game whose data is in `dataFolder`. Throws
// std::runtime_error with what to do when there is no display.
std::unique_ptr<platform::Host> OpenGameWindow(const GameOptions& options,
                                               const std::string& dataFolder,
                                               const platform::ControlMap& controls);
