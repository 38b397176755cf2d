#include "platform/forms.h"

#include <algorithm>
#include <cstring>

#include "platform/host.h"
#include "vb/numeric.h"

namespace platform {
namespace {

std::vector<Form*>& LoadedForms() {
    static std::vector<Form*> forms;
    return forms;
}

std::vector<Timer*>& AllTimers() {
    static std::vector<Timer*> timers;
    return timers;
}

gdi::HGDIOBJ AsObject(gdi::HFONT font) {
    return reinterpret_cast<gdi::HGDIOBJ>(font);
}

} // namespace

const std::vector<Form*>& Forms() {
    return LoadedForms();
}

Form::Form(std::string name) : mName(std::move(name)) {}

Form::~Form() {
    auto& forms = LoadedForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (mDC) {
        gdi::SelectObject(mDC, mDisplacedFont);
        gdi::DeleteObject(AsObject(mFont));
        gdi::DeleteDC(mDC);
    }
}

void Form::Load() {
    if (mLoaded) return;
    mLoaded = true;
    LoadedForms().push_back(this);
    Form_Load();
}

void Form::Unload() {
    if (!mLoaded) return;
    Form_Unload();
    mLoaded = false;
    auto& forms = LoadedForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

gdi::HDC Form::hDC() {
    if (!mDC) {
        mDC = gdi::CreateCompatibleDC(gdi::GetDC(nullptr));
        ApplyFont();
    }
    return mDC;
}

void Form::SetFont(const std::string& name, double points, bool bold, bool italic) {
    mFontName = name;
    mFontSize = points;
    mFontBold = bold;
    mFontItalic = italic;
    if (mDC) ApplyFont();
}

void Form::ApplyFont() {
    gdi::LOGFONT description;
    description.lfHeight = -vb::RoundEven(mFontSize * 96.0 / 72.0);
    description.lfWeight = mFontBold ? gdi::FW_BOLD : gdi::FW_NORMAL;
    description.lfItalic = mFontItalic ? 1 : 0;
    std::strncpy(description.lfFaceName, mFontName.c_str(), sizeof(description.lfFaceName) - 1);
    gdi::HFONT font = gdi::CreateFontIndirectA(description);
    if (!font) return;
    gdi::HGDIOBJ displaced = gdi::SelectObject(mDC, AsObject(font));
    if (mFont) {
        gdi::DeleteObject(AsObject(mFont));
    } else {
        mDisplacedFont = displaced;
    }
    mFont = font;
}

float Form::TextWidth(const std::string& text) {
    gdi::SIZE size;
    gdi::GetTextExtentPoint32A(hDC(), text.data(), static_cast<int>(text.size()), &size);
    return static_cast<float>(size.cx);
}

float Form::TextHeight(const std::string& text) {
    gdi::SIZE size;
    gdi::GetTextExtentPoint32A(hDC(), text.data(), static_cast<int>(text.size()), &size);
    return static_cast<float>(size.cy);
}

Timer::Timer() {
    AllTimers().push_back(this);
}

Timer::~Timer() {
    auto& timers = AllTimers();
    timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
}

void Timer::SetEnabled(bool enabled) {
    if (enabled && !mEnabled) mLastTick = host().TimeGetTime();
    mEnabled = enabled;
}

void Timer::RunDue(uint32_t now) {
    // A handler may unload forms and so destroy timers: walk a copy and skip
    // the ones that have gone.
    const std::vector<Timer*> snapshot = AllTimers();
    for (Timer* timer : snapshot) {
        const auto& live = AllTimers();
        if (std::find(live.begin(), live.end(), timer) == live.end()) continue;
        if (!timer->mEnabled || timer->Interval == 0) continue;
        if (static_cast<int32_t>(now - timer->mLastTick) < static_cast<int32_t>(timer->Interval)) {
            continue;
        }
        timer->mLastTick = now;
        if (timer->OnTimer) timer->OnTimer();
    }
}

bool DoEvents() {
    const bool closeRequested = host().DoEvents();
    Timer::RunDue(host().TimeGetTime());
    return closeRequested;
}

} // namespace platform
