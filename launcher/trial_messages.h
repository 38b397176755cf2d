// What a monster trial tells the maker in the game window: the checker's
// report on a picture that cannot be played, on a dark panel over the view,
// for as long as it stands or for a few seconds. The panel is taken away
// again once the window has its copy: the game reads its view back.
#pragma once

#include <string>
#include <vector>

#include "gdi/raster.h"
#include "platform/forwarding_host.h"

class TrialMessageHost final : public platform::ForwardingHost {
  public:
    explicit TrialMessageHost(platform::Host& inner);

    // The lines from now on, the first as their heading; until the host's
    // Now() reaches `until`, or for good with 0.
    void Show(std::vector<std::string> lines, platform::DateTime until = 0);
    void Clear() { mLines.clear(); }
    // What is over the view now.
    std::vector<std::string> Shown();

    void RefreshView() override;

  private:
    std::vector<std::string> mLines;
    platform::DateTime mUntil = 0;
};
