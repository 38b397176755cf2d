// The roster's creatures, each painted from scratch on its own canvas.
#pragma once

#include "gdi/picture.h"

namespace monster_gen {

gdi::Picture PaintMossback();
gdi::Picture PaintHopperToad();
gdi::Picture PaintBrushBoar();
gdi::Picture PaintBellowsBeast();
gdi::Picture PaintGlideMoth();
gdi::Picture PaintLongWyrm();
gdi::Picture PaintStormRay();
gdi::Picture PaintColossus();

} // namespace monster_gen
