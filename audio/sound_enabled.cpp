#include "audio/sound_enabled.h"

bool SoundEnabled = false;
