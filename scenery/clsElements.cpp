#include "scenery/clsElements.h"

#include <algorithm>
#include <span>
#include <string>

#include "gfx/modGraphic.h"
#include "platform/host.h"
#include "vb/numeric.h"
#include "vb/random.h"
#include "world/world_globals.h"

namespace {

std::string ImagePath(const std::string& pName) {
    return platform::host().AppPath() + "/images/" + pName;
}

// Integer remainder with the sign of the dividend, as the runtime's Mod.
int32_t ModSigned(int32_t pValue, int32_t pDivisor) {
    return pDivisor == 0 ? 0 : pValue % pDivisor;
}

// Wraps a drifting coordinate between the two far edges of the world.
double Wrap(double pValue) {
    const double limit = 1000 * PixelWidth;
    if (pValue < -limit) return limit;
    if (pValue > limit) return -limit;
    return pValue;
}

} // namespace

ElementRecord& clsElements::Append(kivSprites3* pSprite) {
    ElementRecord& e = mItem.emplace_back();
    e.Alive = true;
    e.Type = 0;
    e.Sprite = pSprite;
    return e;
}

void clsElements::Initialize() {
    mItem.clear();
    mImage.clear();
    const double d = vb::Rnd() * 0.8 - 0.4; // one drift for every cloud
    for (int n = 1; n <= 3; ++n)
        mImage.push_back(
            LoadPixelSprites(ImagePath("Background_Cloud" + std::to_string(n) + ".gif")));
    mImage.push_back(LoadPixelSprites(ImagePath("Background_Mountain_Range.gif")));
    kivSprites3* range = mImage[3].get();
    const double w = ViewWidth; // the width of picMain

    auto cloud = [&](kivSprites3* pSprite, double pDepth, double pSpread, double pTop,
                     double pHeight) {
        ElementRecord& e = Append(pSprite);
        e.Depth = pDepth;
        e.X = (pSpread * w * vb::Rnd() - pSpread * w / 2) / PixelWidth / e.Depth;
        e.Y = pTop - pHeight * vb::Rnd();
        e.SX = d;
        e.SY = 0;
        e.CloudFlag = true;
    };
    auto band = [&](kivSprites3* pSprite, double pX, double pDepth, double pBase) {
        ElementRecord& e = Append(pSprite);
        e.X = pX;
        e.Depth = pDepth;
        e.Y = pBase - vb::Int(pSprite->Height() / PixelHeight / 2);
        e.RepeatX = true;
    };

    // Far clouds.
    for (int n = 0; n < 10; ++n) {
        const double depth = vb::Rnd() / 12 + 0.3;
        cloud(mImage[0].get(), depth, 3, -150, 300);
    }
    band(range, 0, 0.4, 51);
    mImage.push_back(LoadPixelSprites(ImagePath("Background_Bridge.gif")));
    band(mImage[4].get(), 0, 0.5, 51);
    // Middle clouds.
    for (int n = 0; n < 4; ++n) {
        kivSprites3* picture = mImage[vb::IntL(3 * vb::Rnd())].get();
        const double depth = vb::Rnd() / 20 + 0.52;
        cloud(picture, depth, 3, -25, 50);
    }
    band(range, 175, 0.6, 6);
    // Near clouds.
    for (int n = 0; n < 8; ++n) {
        kivSprites3* picture = mImage[vb::IntL(3 * vb::Rnd())].get();
        const double depth = vb::Rnd() / 10 + 0.7;
        cloud(picture, depth, 5, -25, 300);
    }
}

void clsElements::Move() {
    for (ElementRecord& e : mItem) {
        if (!e.Alive) continue;
        if (e.SX != 0) e.X = Wrap(e.X + e.Depth * e.SX);
        if (e.SY != 0) e.Y = Wrap(e.Y + e.Depth * e.SY);
    }
}

template <class Visit> void clsElements::ForEachPlacement(bool pForeground, Visit visit) {
    for (ElementRecord& e : mItem) {
        if (e.Sprite == nullptr || !e.Alive || e.Foreground != pForeground) continue;
        const int32_t w = e.Sprite->Width();
        const int32_t h = e.Sprite->Height();
        int32_t sx, nx = 1, sy, ny = 1;
        if (e.FixedX)
            sx = vb::RoundEven(e.X);
        else
            sx = vb::IntL(e.X * e.Depth * PixelWidth - vb::Int(w / 2.0) + CentreX -
                          CameraX * e.Depth);
        if (e.RepeatX) {
            if (!e.FixedX) sx = ModSigned(sx, w);
            sx -= w;
            nx = w > 0 ? vb::IntL(static_cast<double>(ScreenWidth - sx) / w) + 1 : 1;
        }
        if (e.FixedY)
            sy = vb::RoundEven(e.Y);
        else
            sy = vb::IntL(e.Y * e.Depth * PixelHeight - vb::Int(h / 2.0) + CentreY -
                          ViewHeight * 0.15 * (e.Depth - 1) - CameraY * e.Depth);
        if (e.RepeatY) {
            if (!e.FixedY) sy = ModSigned(sy, h);
            sy -= h;
            ny = h > 0 ? vb::IntL(static_cast<double>(ScreenHeight - sy) / h) + 1 : 1;
        }
        for (int32_t i = 1; i <= nx; ++i) {
            for (int32_t j = 1; j <= ny; ++j) {
                const int32_t x =
                    vb::RoundEven(vb::Int(((i - 1) * w + sx) / CameraSnapX) * CameraSnapX);
                const int32_t y =
                    vb::RoundEven(vb::Int(((j - 1) * h + sy) / CameraSnapY) * CameraSnapY);
                visit(e, x, y);
            }
        }
    }
}

void clsElements::Draw(bool pForeground) {
    DrawPass(pForeground, {}, {});
}

void clsElements::DrawBehind(const std::vector<gdi::RECT>& pCovers,
                             const std::vector<size_t>& pEnds) {
    DrawPass(false, pCovers, pEnds);
}

// Without ends, every picture whole; with them, each placement leaves out
// what the covers after its own ones lie over.
void clsElements::DrawPass(bool pForeground, std::span<const gdi::RECT> pCovers,
                           std::span<const size_t> pEnds) {
    // Masked copies AND their opaque part with the view's text colour, which
    // the monster banner leaves set: black keeps the pictures' own colours.
    const gdi::HDC view = DrawTarget();
    const gdi::COLORREF textColour = gdi::SetTextColor(view, 0);
    size_t placement = 0;
    ForEachPlacement(pForeground, [&](ElementRecord& e, int32_t x, int32_t y) {
        const size_t k = placement++;
        if (e.Type != 0) {
            platform::host().MessageBox(
                "Error:clsElements:Type '" + std::to_string(e.Type) + "' not covered by Case.", "");
            return;
        }
        if (k < pEnds.size()) {
            e.Sprite->BitBltUncovered(view, x, y,
                                      pCovers.subspan(std::min(pEnds[k], pCovers.size())));
        } else {
            e.Sprite->BitBlt(view, nullptr, x, y);
        }
    });
    gdi::SetTextColor(view, textColour);
}

void clsElements::OpaqueCover(bool pForeground, std::vector<gdi::RECT>& pOut,
                              std::vector<size_t>* pEnds) {
    if (pEnds) pEnds->clear();
    ForEachPlacement(pForeground, [&](ElementRecord& e, int32_t x, int32_t y) {
        if (e.Type == 0) e.Sprite->OpaqueCover(DrawTarget(), x, y, pOut);
        if (pEnds) pEnds->push_back(pOut.size());
    });
}

// frmMain's picMain: its context is the host's view (no dependency on the
// form itself, so the scenery also draws in tools and tests without one).
gdi::HDC clsElements::DrawTarget() {
    return platform::host().ViewDC();
}

int32_t clsElements::GetColour2(double /*pX*/, double /*pY*/) const {
    return -2;
}

void clsElements::Add(double pX, double pY) {
    ElementRecord& e = mItem.emplace_back();
    e.Alive = true;
    e.X = vb::Int(pX);
    e.Y = vb::Int(pY + 10);
    e.Depth = 1;
    e.SX = 0;
    e.SY = 0;
    e.AddedFlag = true;
    e.Type = 1;
    e.Width = 25;
    e.Height = 10;
    e.Colour = ColourGreen;
    e.Sprite = nullptr;
}
