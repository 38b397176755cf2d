// The screen images laid over the running game: title, instructions and
// credits at the start, and the readme, death and success screens.
#include <string>

#include "game/frmMain.h"
#include "gfx/kivSprite3.h"
#include "gfx/modGraphic.h"
#include "platform/host.h"
#include "vb/numeric.h"

namespace {

// The title sequence: picture and display time in seconds before scaling.
struct TitleScreen {
    const char* file;
    int32_t seconds;
    bool scaled; // multiplied by TextTimeScale
};
constexpr TitleScreen kTitleScreens[] = {
    {"/images/Title_1Title.gif", 5, false},
    {"/images/Title_2Instructions.gif", 25, true},
    {"/images/Title_3Credits.gif", 10, true},
};

// Pause without an image between two title screens.
constexpr double kTitleGapSeconds = 2;

} // namespace

void frmMainForm::TextChange(const std::string& pFileName, int32_t pTextCounter) {
    std::unique_ptr<kivSprite3> picture = LoadSprite(pFileName);
    TextSprites.FillSprite(*picture, false);
    picture->Terminate();
    TextFileName = pFileName;
    TextUntil = platform::AddSeconds(platform::host().Now(), pTextCounter);
}

void frmMainForm::ScreenImageStep() {
    const platform::DateTime now = platform::host().Now();
    // Two seconds after the last image ran out, the next title screen starts;
    // it is drawn in the frame it starts in, so the title shows on frame 1.
    if (now > platform::AddSeconds(TextUntil, kTitleGapSeconds)) {
        ++TitleStep;
        if (TitleStep >= 1 && TitleStep <= 3) {
            const TitleScreen& screen = kTitleScreens[TitleStep - 1];
            TextChange(platform::host().AppPath() + screen.file,
                       screen.scaled ? screen.seconds * TextTimeScale : screen.seconds);
        } else {
            TitleStep = 4;
        }
    }
    if (now < TextUntil) {
        // The monster banner leaves its text colour on the view, and a masked
        // copy ANDs its opaque part with that colour: black keeps the picture
        // in its own colours.
        const gdi::HDC view = picMainDC();
        const gdi::COLORREF textColour = gdi::SetTextColor(view, 0);
        TextSprites.BitBlt(view, nullptr, vb::RoundEven(3 * PixelWidth - 2),
                           vb::RoundEven(8 * PixelHeight));
        gdi::SetTextColor(view, textColour);
    }
}
