#include "app/view_marks.h"

#include <algorithm>

#include "gfx/modGraphic.h"

ViewMarks::ViewMarks(gdi::HDC view) : mView(view) {
    mBitmap = gdi::CurrentBitmap(view);
    gdi::BITMAP size;
    mPixels = mBitmap ? gdi::BitmapColourPixels(mBitmap) : nullptr;
    if (!mPixels || !gdi::GetObject(mBitmap, size) || size.bmWidth < 1 || size.bmHeight < 1) {
        mPixels = nullptr;
        return;
    }
    mWidth = size.bmWidth;
    mHeight = size.bmHeight;
}

int64_t ViewMarks::Pixel(int32_t x, int32_t y) const {
    if (!mPixels || x < 0 || y < 0 || x >= mWidth || y >= mHeight) return -1;
    return mPixels[static_cast<size_t>(y) * mWidth + x];
}

bool ViewMarks::Keep(gdi::RECT& area) {
    if (!mPixels) return false;
    area.left = std::max(area.left, 0);
    area.top = std::max(area.top, 0);
    area.right = std::min(area.right, mWidth);
    area.bottom = std::min(area.bottom, mHeight);
    if (area.left >= area.right || area.top >= area.bottom) return false;
    Kept kept{area, {}};
    const size_t width = static_cast<size_t>(area.right - area.left);
    kept.pixels.resize(width * static_cast<size_t>(area.bottom - area.top));
    gdi::COLORREF* to = kept.pixels.data();
    for (int32_t y = area.top; y < area.bottom; ++y, to += width)
        std::copy_n(mPixels + static_cast<size_t>(y) * mWidth + area.left, width, to);
    mKept.push_back(std::move(kept));
    gdi::BitmapTouched(mBitmap);
    return true;
}

void ViewMarks::Undo() {
    for (auto kept = mKept.rbegin(); kept != mKept.rend(); ++kept) {
        const gdi::RECT& a = kept->area;
        const size_t width = static_cast<size_t>(a.right - a.left);
        const gdi::COLORREF* from = kept->pixels.data();
        for (int32_t y = a.top; y < a.bottom; ++y, from += width)
            std::copy_n(from, width, mPixels + static_cast<size_t>(y) * mWidth + a.left);
    }
    if (!mKept.empty()) gdi::BitmapTouched(mBitmap);
    mKept.clear();
}

void ViewMarks::Fill(gdi::RECT area, gdi::COLORREF colour) {
    if (!Keep(area)) return;
    for (int32_t y = area.top; y < area.bottom; ++y)
        std::fill_n(mPixels + static_cast<size_t>(y) * mWidth + area.left, area.right - area.left,
                    colour);
}

void ViewMarks::Dim(gdi::RECT area) {
    if (!Keep(area)) return;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        gdi::COLORREF* row = mPixels + static_cast<size_t>(y) * mWidth;
        for (int32_t x = area.left; x < area.right; ++x) row[x] = (row[x] >> 2) & 0x3F3F3F;
    }
}

void ViewMarks::Recolour(gdi::RECT area, gdi::COLORREF from, gdi::COLORREF to) {
    if (!Keep(area)) return;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        gdi::COLORREF* row = mPixels + static_cast<size_t>(y) * mWidth;
        std::replace(row + area.left, row + area.right, from, to);
    }
}

void ViewMarks::Ring(int32_t centreX, int32_t centreY, int32_t radius, int32_t thickness,
                     gdi::COLORREF colour) {
    gdi::RECT area{centreX - radius, centreY - radius, centreX + radius + 1, centreY + radius + 1};
    if (radius < 1 || !Keep(area)) return;
    const int64_t outer = int64_t{radius} * radius;
    const int64_t innerRadius = std::max(0, radius - thickness);
    const int64_t inner = innerRadius * innerRadius;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        gdi::COLORREF* row = mPixels + static_cast<size_t>(y) * mWidth;
        const int64_t dy = y - centreY;
        for (int32_t x = area.left; x < area.right; ++x) {
            const int64_t dx = x - centreX, d = dx * dx + dy * dy;
            if (d < outer && d >= inner) row[x] = colour;
        }
    }
}

void ViewMarks::Text(gdi::RECT area, const std::string& text, double size, bool bold,
                     gdi::COLORREF colour, uint32_t format) {
    if (!Keep(area)) return;
    DrawTextGdi(mView, text, "Arial", size, bold, false, area.left, area.top,
                area.right - area.left, area.bottom - area.top, static_cast<int32_t>(colour),
                format | gdi::DT_SINGLELINE, 0, area.right, area.bottom, 0, 0, true);
}
