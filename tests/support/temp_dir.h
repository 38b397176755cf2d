// The tests' scratch folder: a fresh folder under the system's temporary
// folder, removed with the object.
#pragma once

#include "tools/toolkit/scratch_folder.h"

using TempDir = toolkit::ScratchFolder;
