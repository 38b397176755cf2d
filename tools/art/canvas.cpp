#include "tools/art/canvas.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

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

Canvas::Canvas(int width, int height) : mWidth(width), mHeight(height) {
    gdi::HDC screen = gdi::GetDC(nullptr);
    mDC = gdi::CreateCompatibleDC(screen);
    mBitmap = gdi::CreateCompatibleBitmap(screen, width, height);
    gdi::ReleaseDC(nullptr, screen);
    if (mDC == nullptr || mBitmap == nullptr) throw std::runtime_error("cannot make a canvas");
    mDisplaced = gdi::SelectObject(mDC, reinterpret_cast<gdi::HGDIOBJ>(mBitmap));
}

Canvas::~Canvas() {
    gdi::SelectObject(mDC, mDisplaced);
    gdi::DeleteObject(reinterpret_cast<gdi::HGDIOBJ>(mBitmap));
    gdi::DeleteDC(mDC);
}

void Canvas::Clear(Colour colour) {
    Fill(0, 0, mWidth, mHeight, colour);
}

void Canvas::Fill(int left, int top, int right, int bottom, Colour colour) {
    gdi::FillSolidRect(mDC, left, top, right, bottom, colour);
}

void Canvas::Ellipse(int left, int top, int right, int bottom, Colour colour) {
    gdi::HBRUSH brush = gdi::CreateSolidBrush(colour);
    gdi::HGDIOBJ oldBrush = gdi::SelectObject(mDC, reinterpret_cast<gdi::HGDIOBJ>(brush));
    gdi::HGDIOBJ oldPen = gdi::SelectObject(mDC, gdi::GetStockObject(gdi::NULL_PEN));
    // With the null pen the raster fills one pixel less each way.
    gdi::Ellipse(mDC, left, top, right + 1, bottom + 1);
    gdi::SelectObject(mDC, oldPen);
    gdi::SelectObject(mDC, oldBrush);
    gdi::DeleteObject(reinterpret_cast<gdi::HGDIOBJ>(brush));
}

void Canvas::Polygon(const std::vector<gdi::POINT>& points, Colour colour) {
    gdi::HBRUSH brush = gdi::CreateSolidBrush(colour);
    gdi::HGDIOBJ oldBrush = gdi::SelectObject(mDC, reinterpret_cast<gdi::HGDIOBJ>(brush));
    gdi::HGDIOBJ oldPen = gdi::SelectObject(mDC, gdi::GetStockObject(gdi::NULL_PEN));
    gdi::Polygon(mDC, points.data(), static_cast<int>(points.size()));
    gdi::SelectObject(mDC, oldPen);
    gdi::SelectObject(mDC, oldBrush);
    gdi::DeleteObject(reinterpret_cast<gdi::HGDIOBJ>(brush));
}

void Canvas::Text(const std::string& text, const FontChoice& font, int left, int top,
                  Colour colour) {
    SelectedFont selected(mDC, font);
    gdi::SetBkMode(mDC, gdi::TRANSPARENT);
    gdi::SetTextColor(mDC, colour);
    gdi::RECT box{left, top, mWidth, mHeight};
    gdi::DrawTextA(mDC, text.c_str(), static_cast<int>(text.size()), &box,
                   gdi::DT_LEFT | gdi::DT_SINGLELINE | gdi::DT_NOCLIP | gdi::DT_NOPREFIX);
}

int Canvas::TextWidth(const std::string& text, const FontChoice& font) {
    SelectedFont selected(mDC, font);
    gdi::SIZE size{};
    gdi::GetTextExtentPoint32A(mDC, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

std::vector<Colour> Canvas::Pixels() const {
    const Colour* bits = gdi::BitmapColourPixels(mBitmap);
    return std::vector<Colour>(bits, bits + static_cast<size_t>(mWidth) * mHeight);
}

void Canvas::SetPixels(const std::vector<Colour>& pixels) {
    Colour* bits = gdi::BitmapColourPixels(mBitmap);
    std::copy_n(pixels.begin(), std::min(pixels.size(), static_cast<size_t>(mWidth) * mHeight),
                bits);
    gdi::BitmapTouched(mBitmap);
}

gdi::Picture Canvas::ToPicture() const {
    gdi::Picture picture;
    picture.width = mWidth;
    picture.height = mHeight;
    picture.pixels = Pixels();
    return picture;
}

} // namespace art
