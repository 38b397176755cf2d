#include "launcher/trial_messages.h"

#include <algorithm>
#include <utility>

#include "app/view_marks.h"

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
    ViewMarks marks(mInner.ViewDC());
    if (Shown().empty() || !marks.Usable() || marks.Width() <= 2 * (kMargin + kPad) ||
        marks.Height() <= 2 * (kMargin + kPad)) {
        mInner.RefreshView();
        return;
    }
    const std::vector<std::string> lines = Fitting(mLines, marks.Height());
    const int32_t width = marks.Width();
    marks.Fill({kMargin, kMargin, width - kMargin,
                kMargin + 2 * kPad + kLineHeight * static_cast<int32_t>(lines.size())},
               kPanel);
    const int32_t left = kMargin + kPad, right = width - kMargin - kPad;
    int32_t top = kMargin + kPad;
    for (size_t i = 0; i < lines.size(); ++i) {
        marks.Text({left, top, right, top + kLineHeight}, lines[i], kTextSize, i == 0,
                   i == 0 ? kHeading : kText, gdi::DT_LEFT | gdi::DT_NOPREFIX);
        top += kLineHeight;
    }
    mInner.RefreshView();
    marks.Undo(); // after the window has taken its copy
}
