#include "launcher/trial_messages.h"

#include <algorithm>
#include <utility>

#include "gfx/modGraphic.h"

namespace {

constexpr int32_t kMargin = 12;
constexpr int32_t kPad = 10;
constexpr int32_t kLineHeight = 22;
constexpr double kTextSize = 13;
constexpr gdi::COLORREF kPanel = gdi::RGB(24, 24, 24);
constexpr gdi::COLORREF kText = gdi::RGB(235, 235, 235);
constexpr gdi::COLORREF kHeading = gdi::RGB(255, 220, 130);

// As many lines as the view holds; the rest is on stderr as well.
std::vector<std::string> Fitting(std::vector<std::string> lines, int32_t viewHeight) {
    const int32_t room = std::max(1, (viewHeight - 2 * kMargin - 2 * kPad) / kLineHeight);
    if (static_cast<int32_t>(lines.size()) <= room) return lines;
    const size_t left = lines.size() - room + 1;
    lines.resize(room - 1);
    lines.push_back("... and " + std::to_string(left) + " more lines on stderr");
    return lines;
}

} // namespace

TrialMessageHost::TrialMessageHost(platform::Host& inner) : ForwardingHost(inner) {}

void TrialMessageHost::Show(std::vector<std::string> lines, platform::DateTime until) {
    mLines = std::move(lines);
    mUntil = until;
}

std::vector<std::string> TrialMessageHost::Shown() {
    if (mUntil != 0 && mInner.Now() >= mUntil) mLines.clear();
    return mLines;
}

void TrialMessageHost::RefreshView() {
    gdi::HDC view = mInner.ViewDC();
    const gdi::HBITMAP bitmap = gdi::CurrentBitmap(view);
    gdi::BITMAP size;
    gdi::COLORREF* pixels = bitmap ? gdi::BitmapColourPixels(bitmap) : nullptr;
    if (Shown().empty() || !pixels || !gdi::GetObject(bitmap, size) ||
        size.bmWidth <= 2 * (kMargin + kPad) || size.bmHeight <= 2 * (kMargin + kPad)) {
        mInner.RefreshView();
        return;
    }
    const std::vector<std::string> lines = Fitting(mLines, size.bmHeight);
    const int32_t width = size.bmWidth;
    const int32_t bottom =
        std::min<int32_t>(size.bmHeight, kMargin + 2 * kPad + kLineHeight * lines.size());
    mUnder.assign(pixels, pixels + static_cast<size_t>(bottom) * width);
    for (int32_t y = kMargin; y < bottom; ++y)
        std::fill_n(pixels + static_cast<size_t>(y) * width + kMargin, width - 2 * kMargin, kPanel);
    gdi::BitmapTouched(bitmap);
    const int32_t left = kMargin + kPad, right = width - kMargin - kPad;
    int32_t top = kMargin + kPad;
    for (size_t i = 0; i < lines.size(); ++i) {
        DrawTextGdi(view, lines[i], "Arial", kTextSize, i == 0, false, left, top, right - left,
                    kLineHeight, static_cast<int32_t>(i == 0 ? kHeading : kText),
                    gdi::DT_LEFT | gdi::DT_SINGLELINE | gdi::DT_NOPREFIX, 0, right,
                    top + kLineHeight, 0, 0, true);
        top += kLineHeight;
    }
    mInner.RefreshView();
    std::copy(mUnder.begin(), mUnder.end(), pixels);
    gdi::BitmapTouched(bitmap);
}
