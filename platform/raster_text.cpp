// Text: placeholder until the font layer lands.
#include "platform/raster_objects.h"

namespace gdi {

int DrawTextA(HDC, const char*, int, RECT*, UINT) {
    return 0;
}
BOOL GetTextExtentPoint32A(HDC, const char*, int, SIZE* size) {
    if (size) *size = SIZE{};
    return 0;
}

} // namespace gdi
