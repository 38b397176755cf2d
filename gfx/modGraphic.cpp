// Drawing straight onto a context, and the host window that owns the font
// the text routines use.
#include "gfx/modGraphic.h"

#include "platform/forms.h"
#include "vb/numeric.h"

namespace {

platform::Form* gHostWindow = nullptr;

// Scratch of DrawTextGdi, valid during one call.
gdi::LOGFONT gTextFont;
gdi::RECT gTextRect;

} // namespace

void SetHostWindow(platform::Form* pWindow) {
    gHostWindow = pWindow;
}

platform::Form& HostWindow() {
    if (gHostWindow) return *gHostWindow;
    // Never destroyed: it must outlive every surface that may still measure
    // text while the program's statics go away.
    static platform::Form* privateHost = new platform::Form("kivHost");
    return *privateHost;
}

void FillRectGdi(gdi::HDC hDC, int32_t pLeft, int32_t pTop, int32_t pRight, int32_t pBottom,
                 int32_t pColor) {
    const auto colour = static_cast<gdi::COLORREF>(pColor);
    if (pRight >= pLeft && pBottom >= pTop) {
        // What a null-pen rectangle to (right + 1, bottom + 1) fills, without
        // making the pen and brush: particles come here hundreds of times a frame.
        gdi::FillSolidRect(hDC, pLeft, pTop, pRight, pBottom, colour);
        return;
    }
    NullPenRectangle(hDC, pLeft, pTop, pRight + 1, pBottom + 1, colour);
}

void NullPenRectangle(gdi::HDC hDC, int32_t pLeft, int32_t pTop, int32_t pRight, int32_t pBottom,
                      gdi::COLORREF pColor) {
    gdi::HPEN pen = gdi::CreatePen(gdi::PS_NULL, 0, 0xFF0000);
    gdi::HBRUSH brush = gdi::CreateSolidBrush(pColor);
    gdi::HGDIOBJ oldPen = gdi::SelectObject(hDC, pen);
    gdi::HGDIOBJ oldBrush = gdi::SelectObject(hDC, brush);
    gdi::Rectangle(hDC, pLeft, pTop, pRight, pBottom);
    gdi::SelectObject(hDC, oldPen);
    gdi::SelectObject(hDC, oldBrush);
    gdi::DeleteObject(pen);
    gdi::DeleteObject(brush);
}

void DrawLineGdi(gdi::HDC hDC, int32_t pX1, int32_t pY1, int32_t pX2, int32_t pY2, int32_t pColor,
                 int32_t pWidth) {
    gdi::HPEN pen = gdi::CreatePen(gdi::PS_SOLID, pWidth, static_cast<gdi::COLORREF>(pColor));
    gdi::HGDIOBJ oldPen = gdi::SelectObject(hDC, pen);
    gdi::MoveToEx(hDC, pX1, pY1, nullptr);
    gdi::LineTo(hDC, pX2, pY2);
    gdi::SelectObject(hDC, oldPen);
    gdi::DeleteObject(pen);
}

void FontFromHostForm(platform::Form& pWindow, gdi::LOGFONT& pFont) {
    gdi::HDC dc = pWindow.hDC();
    gdi::HGDIOBJ current = gdi::SelectObject(dc, gdi::GetStockObject(gdi::ANSI_FIXED_FONT));
    gdi::SelectObject(dc, current);
    gdi::GetObject(static_cast<gdi::HFONT>(current), pFont);
}

void DrawTextGdi(gdi::HDC hDC, const std::string& pText, const std::string& pFontName, double pSize,
                 bool pBold, bool pItalic, int32_t pLeft, int32_t pTop, int32_t pWidth,
                 int32_t pHeight, int32_t pColor, uint32_t pFormat, double pAngle, int32_t pRight,
                 int32_t pBottom, int32_t pCharWidth, int32_t pCharHeight, bool pClip) {
    platform::Form& host = HostWindow();
    host.SetFont(pFontName, pSize, pBold, pItalic);
    FontFromHostForm(host, gTextFont);
    if (pCharWidth > 0) gTextFont.lfWidth = pCharWidth;
    if (pCharHeight > 0) gTextFont.lfHeight = pCharHeight;
    if (pAngle > 0) {
        gTextFont.lfEscapement = vb::RoundEven(pAngle * 180 / 3.14159265358979 * 10);
        gTextFont.lfOrientation = gTextFont.lfEscapement;
    }
    gTextRect.left = pLeft;
    gTextRect.top = pTop;
    gTextRect.right = pRight > 0 ? pRight : pLeft + pWidth;
    gTextRect.bottom = pBottom > 0 ? pBottom : pTop + pHeight;
    if (!pClip) pFormat += gdi::DT_NOCLIP;

    gdi::HFONT font = gdi::CreateFontIndirectA(gTextFont);
    gdi::HGDIOBJ displaced = gdi::SelectObject(hDC, font);
    const int mode = gdi::GetBkMode(hDC);
    gdi::SetBkMode(hDC, gdi::TRANSPARENT);
    gdi::SetTextColor(hDC, static_cast<gdi::COLORREF>(pColor));
    gdi::DrawTextA(hDC, pText.data(), static_cast<int>(pText.size()), &gTextRect, pFormat);
    gdi::SetBkMode(hDC, mode);
    gdi::SelectObject(hDC, displaced);
    gdi::DeleteObject(font);
}
