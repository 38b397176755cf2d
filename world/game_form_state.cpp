#include "world/game_form_state.h"

frmMainState* frmMain = nullptr;
