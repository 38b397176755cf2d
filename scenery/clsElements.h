// The scenery behind the action: three layers of clouds, two mountain ranges
// and a bridge, drawn with parallax against the camera. Never solid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "gfx/kivSprites3.h"

struct ElementRecord {
    bool Alive = false;
    double X = 0, Y = 0, Depth = 0, SX = 0, SY = 0;
    bool FixedX = false, FixedY = false, AddedFlag = false, CloudFlag = false;
    bool RepeatX = false, RepeatY = false;
    int32_t Type = 0;
    double Width = 0, Height = 0;
    int32_t Colour = 0;
    bool Foreground = false;
    kivSprites3* Sprite = nullptr; // shared picture (owned by clsElements), nullptr = not drawn
};

class clsElements {
  public:
    void Initialize();
    void Move();
    void Draw(bool pForeground);
    // Appends the view rectangles that Draw(pForeground) paints whatever
    // they held; with pEnds, also where each placement's own ones end.
    void OpaqueCover(bool pForeground, std::vector<gdi::RECT>& pOut,
                     std::vector<size_t>* pEnds = nullptr);
    // Draw(false) leaving out what opaque layers drawn after each picture
    // replace: pCovers begun by OpaqueCover(false, pCovers, &pEnds) and
    // continued with the later layers' rectangles. Empty pEnds: Draw(false).
    void DrawBehind(const std::vector<gdi::RECT>& pCovers, const std::vector<size_t>& pEnds);
    int32_t GetColour2(double pX, double pY) const;
    void Add(double pX, double pY);

    std::vector<ElementRecord> mItem; // index 0 holds record 1

  private:
    ElementRecord& Append(kivSprites3* pSprite);
    static gdi::HDC DrawTarget();
    void DrawPass(bool pForeground, std::span<const gdi::RECT> pCovers,
                  std::span<const size_t> pEnds);
    // visit(record, x, y) for every copy of every picture of the pass, in
    // drawing order.
    template <class Visit> void ForEachPlacement(bool pForeground, Visit visit);

    // 1-3 the clouds, 4 the mountain range, 5 the bridge (its record's alone).
    std::vector<std::unique_ptr<kivSprites3>> mImage;
};
