#include "monster_check/reach.h"

#include <algorithm>
#include <cstddef>
#include <deque>

namespace monster_check {
namespace {

// Free air around the picture: room to walk up to it, jump over it and fall
// beside it. The row below the picture is the ground.
constexpr int32_t kMargin = 24;

class World {
  public:
    World(int32_t width, int32_t height, const std::vector<uint8_t>& flags)
        : mWidth(width), mHeight(height), mGridW(width + 2 * kMargin), mGridH(height + kMargin + 1),
          mCells(static_cast<size_t>(mGridW) * mGridH, 0) {
        for (int32_t y = 0; y < height; ++y) {
            const uint8_t* from = &flags[static_cast<size_t>(y) * width];
            uint8_t* to = &mCells[Index(kMargin, kMargin + y)];
            std::copy(from, from + width, to);
        }
        uint8_t* ground = &mCells[Index(0, mGridH - 1)];
        std::fill(ground, ground + mGridW, kBlocked);
    }

    int32_t GridW() const { return mGridW; }
    int32_t GridH() const { return mGridH; }
    size_t Index(int32_t x, int32_t y) const { return static_cast<size_t>(y) * mGridW + x; }
    bool Inside(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < mGridW && y < mGridH; }
    // Beyond the searched area counts as a plain wall.
    uint8_t At(int32_t x, int32_t y) const {
        return Inside(x, y) ? mCells[Index(x, y)] : static_cast<uint8_t>(kBlocked);
    }
    bool Free(int32_t x, int32_t y) const { return (At(x, y) & kBlocked) == 0; }
    bool Deadly(int32_t x, int32_t y) const { return (At(x, y) & kDeadly) != 0; }
    // Standing needs something below that is not deadly.
    bool Supported(int32_t x, int32_t y) const {
        const uint8_t below = At(x, y + 1);
        return (below & kBlocked) && !(below & kDeadly);
    }
    // The grip rule of the man's hold: any grip pixel among the eight around him.
    bool Attached(int32_t x, int32_t y) const {
        for (int32_t dx = -1; dx <= 1; ++dx)
            for (int32_t dy = -1; dy <= 1; ++dy)
                if ((dx || dy) && (At(x + dx, y + dy) & kGrip)) return true;
        return false;
    }
    bool CanRest(int32_t x, int32_t y) const {
        return Free(x, y) && (Supported(x, y) || Attached(x, y));
    }
    bool InPicture(int32_t x, int32_t y) const {
        return x >= kMargin && x < kMargin + mWidth && y >= kMargin && y < kMargin + mHeight;
    }
    size_t PictureIndex(int32_t x, int32_t y) const {
        return static_cast<size_t>(y - kMargin) * mWidth + (x - kMargin);
    }

  private:
    int32_t mWidth, mHeight, mGridW, mGridH;
    std::vector<uint8_t> mCells;
};

// Phase 0: standing or holding on; 1..kJumpRows: rows risen in a jump; then falling.
constexpr int32_t kRest = 0;
constexpr int32_t kFall = kJumpRows + 1;
constexpr int32_t kPhases = kJumpRows + 2;

class Search {
  public:
    explicit Search(const World& world)
        : mWorld(world), mSeen(static_cast<size_t>(world.GridW()) * world.GridH() * kPhases, 0) {}

    void Run() {
        const int32_t ground = mWorld.GridH() - 2;
        Push(0, ground, kRest);
        Push(mWorld.GridW() - 1, ground, kRest);
        while (!mQueue.empty()) {
            const State s = mQueue.front();
            mQueue.pop_front();
            if (s.phase == kRest)
                FromRest(s.x, s.y);
            else if (s.phase == kFall)
                FromFall(s.x, s.y);
            else
                FromRise(s.x, s.y, s.phase);
        }
    }

    bool Rested(int32_t x, int32_t y) const { return mSeen[Key(x, y, kRest)] != 0; }

  private:
    struct State {
        int32_t x, y, phase;
    };

    size_t Key(int32_t x, int32_t y, int32_t phase) const {
        return mWorld.Index(x, y) * kPhases + phase;
    }

    void Push(int32_t x, int32_t y, int32_t phase) {
        if (!mWorld.Inside(x, y) || !mWorld.Free(x, y)) return;
        uint8_t& seen = mSeen[Key(x, y, phase)];
        if (seen) return;
        seen = 1;
        mQueue.push_back({x, y, phase});
    }

    // A man arriving at a cell stays there if he can stand or hold on, else falls.
    void Arrive(int32_t x, int32_t y) { Push(x, y, mWorld.CanRest(x, y) ? kRest : kFall); }

    void FromRest(int32_t x, int32_t y) {
        const bool holding = mWorld.Attached(x, y);
        for (int32_t d = -1; d <= 1; d += 2) {
            if (mWorld.Free(x + d, y)) {
                Arrive(x + d, y);
            } else if (!mWorld.Deadly(x + d, y) && mWorld.Supported(x, y) &&
                       mWorld.Free(x, y - 1) && mWorld.Free(x + d, y - 1)) {
                // Pushing against a low wall creeps up onto it.
                Push(x + d, y - 1, kRest);
            }
        }
        if (holding) {
            for (int32_t dx = -1; dx <= 1; ++dx)
                for (int32_t dy = -1; dy <= 1; dy += 2)
                    if (mWorld.Free(x + dx, y + dy) && mWorld.Attached(x + dx, y + dy))
                        Push(x + dx, y + dy, kRest);
        }
        if (!mWorld.Deadly(x, y - 1)) Push(x, y - 1, 1);
        if (!mWorld.Supported(x, y)) Push(x, y, kFall);
    }

    void FromRise(int32_t x, int32_t y, int32_t risen) {
        if (mWorld.Deadly(x, y - 1)) return; // the head meets red: no way out
        if (risen >= kGrabAfterRows && mWorld.Attached(x, y)) Push(x, y, kRest);
        if (risen < kJumpRows && mWorld.Free(x, y - 1)) {
            Push(x, y - 1, risen + 1);
            if (risen >= kStraightJumpRows)
                for (int32_t d = -1; d <= 1; d += 2)
                    if (mWorld.Free(x + d, y)) Push(x + d, y - 1, risen + 1);
        } else {
            Push(x, y, kFall);
        }
    }

    void FromFall(int32_t x, int32_t y) {
        if (mWorld.Deadly(x, y + 1)) return; // landing on red
        if (mWorld.Supported(x, y) || mWorld.Attached(x, y)) {
            Push(x, y, kRest);
            return;
        }
        if (!mWorld.Free(x, y + 1)) return;
        Push(x, y + 1, kFall);
        for (int32_t d = -1; d <= 1; d += 2)
            if (mWorld.Free(x + d, y) && !mWorld.Deadly(x + d, y + 1)) Push(x + d, y + 1, kFall);
    }

    const World& mWorld;
    std::vector<uint8_t> mSeen;
    std::deque<State> mQueue;
};

} // namespace

ReachResult SearchReach(int32_t width, int32_t height, const std::vector<uint8_t>& flags) {
    ReachResult result;
    result.rest.assign(static_cast<size_t>(width) * height, 0);
    result.struck.assign(static_cast<size_t>(width) * height, 0);
    if (width <= 0 || height <= 0) return result;

    const World world(width, height, flags);
    Search search(world);
    search.Run();

    for (int32_t y = 0; y < world.GridH(); ++y) {
        for (int32_t x = 0; x < world.GridW(); ++x) {
            if (!search.Rested(x, y)) continue;
            if (world.InPicture(x, y)) result.rest[world.PictureIndex(x, y)] = 1;
            // The sword looks for white up to three cells on, whatever lies
            // between (only its fur cut stops at the body), and hits the first.
            for (int32_t dx = -1; dx <= 1; ++dx) {
                for (int32_t dy = -1; dy <= 1; ++dy) {
                    if (!dx && !dy) continue;
                    for (int32_t n = 1; n <= kStrikeReach; ++n) {
                        const int32_t cx = x + n * dx, cy = y + n * dy;
                        if (!(world.At(cx, cy) & kWhite)) continue;
                        if (world.InPicture(cx, cy)) result.struck[world.PictureIndex(cx, cy)] = 1;
                        break;
                    }
                }
            }
        }
    }
    return result;
}

} // namespace monster_check
