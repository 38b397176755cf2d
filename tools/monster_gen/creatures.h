// The roster's creatures, each painted from scratch on its own canvas.
#pragma once

#include "platform/picture.h"

namespace monster_gen {

platform::Picture PaintMossback();
platform::Picture PaintHopperToad();
platform::Picture PaintBrushBoar();
platform::Picture PaintBellowsBeast();
platform::Picture PaintGlideMoth();
platform::Picture PaintLongWyrm();
platform::Picture PaintStormRay();
platform::Picture PaintColossus();

} // namespace monster_gen
