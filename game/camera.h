// The camera that follows the man with a look-ahead lead, never comes closer
// to the ground line than 30 % of the view, and sets OffsetX and OffsetY.
#pragma once

// One frame of the camera. pLead: whether the man's movement adds lead (he is
// alive and a monster is left); (pOldX, pOldY) where he was before this
// frame's moves, (pX, pY) where he is now, in game pixels.
void CameraStep(bool pLead, double pOldX, double pOldY, double pX, double pY);
