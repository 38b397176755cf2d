// The width file of a system font, measured through the host form.
#include "gfx/modGraphic.h"
#include "platform/forms.h"
#include "text/clsWord.h"
#include "text/width_file.h"
#include "vb/numeric.h"

void clsWord::Save(const std::string& pFileName) {
    // The host form measures in pixels; the face resolves like any other.
    platform::Form& host = HostWindow();
    host.SetFont("CircusDog", 56, false, false);
    CharacterWidths widths{};
    for (int code = 32; code <= 122; ++code)
        widths[code - 32] = vb::RoundEven(host.TextWidth(std::string(1, static_cast<char>(code))));
    WriteWidthFile(pFileName, widths);
}
