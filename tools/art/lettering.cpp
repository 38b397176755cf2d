#include "tools/art/lettering.h"

#include <cstring>

namespace art {

namespace {

gdi::LOGFONT Describe(const FontChoice& font) {
    gdi::LOGFONT description{};
    description.lfHeight = -font.pixelHeight;
    description.lfWeight = font.bold ? gdi::FW_BOLD : gdi::FW_NORMAL;
    std::strncpy(description.lfFaceName, font.face.c_str(), sizeof(description.lfFaceName) - 1);
    return description;
}

// Selects a font for the length of one call.
class SelectedFont {
  public:
    SelectedFont(gdi::HDC dc, const FontChoice& font)
        : mDC(dc), mFont(gdi::CreateFontIndirectA(Describe(font))) {
        mDisplaced = gdi::SelectObject(mDC, reinterpret_cast<gdi::HGDIOBJ>(mFont));
    }
    ~SelectedFont() {
        gdi::SelectObject(mDC, mDisplaced);
        gdi::DeleteObject(reinterpret_cast<gdi::HGDIOBJ>(mFont));
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

  private:
    gdi::HDC mDC;
    gdi::HFONT mFont;
    gdi::HGDIOBJ mDisplaced = nullptr;
};

} // namespace

void WriteLine(gdi::MemoryCanvas& canvas, const std::string& text, const FontChoice& font, int left,
               int top, gdi::COLORREF colour) {
    SelectedFont selected(canvas.dc(), font);
    gdi::SetBkMode(canvas.dc(), gdi::TRANSPARENT);
    gdi::SetTextColor(canvas.dc(), colour);
    gdi::RECT box{left, top, canvas.Width(), canvas.Height()};
    gdi::DrawTextA(canvas.dc(), text.c_str(), static_cast<int>(text.size()), &box,
                   gdi::DT_LEFT | gdi::DT_SINGLELINE | gdi::DT_NOCLIP | gdi::DT_NOPREFIX);
}

int LineWidth(gdi::MemoryCanvas& canvas, const std::string& text, const FontChoice& font) {
    SelectedFont selected(canvas.dc(), font);
    gdi::SIZE size{};
    gdi::GetTextExtentPoint32A(canvas.dc(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

} // namespace art
