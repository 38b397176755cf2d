// The forms runtime: forms that load and unload, the program's forms
// collection, a device context per form with the form's font, and timers that
// tick while pending messages run.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gdi/raster.h"

namespace platform {

class Form {
  public:
    explicit Form(std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return mName; }

    // Adds the form to the forms collection and runs Form_Load; Unload runs
    // Form_Unload and removes it. Both are idempotent.
    void Load();
    void Unload();
    bool Loaded() const { return mLoaded; }

    // The form's own drawing context, used to measure text and to hand its
    // current font to the graphics library. Its font follows the Font* setters.
    gdi::HDC hDC();
    void SetFont(const std::string& name, double points, bool bold, bool italic);
    const std::string& FontName() const { return mFontName; }
    double FontSize() const { return mFontSize; }
    bool FontBold() const { return mFontBold; }
    bool FontItalic() const { return mFontItalic; }
    // Width and height of a text in the form's font, in pixels.
    float TextWidth(const std::string& text);
    float TextHeight(const std::string& text);

  protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}

  private:
    void ApplyFont();

    std::string mName;
    bool mLoaded = false;
    gdi::HDC mDC = nullptr;
    gdi::HFONT mFont = nullptr;
    gdi::HGDIOBJ mDisplacedFont = nullptr;
    std::string mFontName = "MS Sans Serif";
    double mFontSize = 8.25;
    bool mFontBold = false, mFontItalic = false;
};

// The loaded forms, in load order.
const std::vector<Form*>& Forms();

// A timer control: while enabled, fires its handler every Interval
// milliseconds of TimeGetTime, checked when pending messages run.
class Timer {
  public:
    Timer();
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    uint32_t Interval = 0;
    void SetEnabled(bool enabled);
    bool Enabled() const { return mEnabled; }
    std::function<void()> OnTimer;

    // Runs the handlers of every due timer; called by DoEvents.
    static void RunDue(uint32_t now);

  private:
    bool mEnabled = false;
    uint32_t mLastTick = 0;
};

// Lets pending messages run: window events and due timers. Returns true when
// the user asked to close the game window.
bool DoEvents();

} // namespace platform
