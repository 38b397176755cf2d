// The camera: lead, target, speed, floor and the snapped offsets.
#include "game/camera.h"

#include "app/modMain.h"
#include "vb/numeric.h"

void CameraStep(bool pLead, double pOldX, double pOldY, double pX, double pY) {
    // The constants are tuned for a 1280 x 1024 view and scale with the view.
    const double VW = ViewWidth, VH = ViewHeight;
    CameraSpeedX *= 0.3;
    CameraSpeedY *= 0.3;
    if (pLead) CameraLeadX += (VW / 1280 * 10) * (pX - pOldX);
    const double targetX = vb::Int(pX) * PixelWidth + CameraLeadX;
    CameraLeadX *= 0.983;
    if (pLead) CameraLeadY += (VH / 1024 * 15) * (pY - pOldY);
    const double targetY = vb::Int(pY) * PixelHeight + CameraLeadY;
    CameraLeadY *= 0.975;
    CameraSpeedX += (targetX - CameraX) / (VW / 1280 * 60);
    CameraSpeedY += (targetY - CameraY) / (VH / 1024 * 60);
    CameraX += CameraSpeedX;
    CameraY += CameraSpeedY;
    if (CameraY > -0.3 * VH) {
        CameraY = -0.3 * VH;
        CameraSpeedY = 0;
    }
    OffsetX = vb::Int((CentreX - CameraX) / CameraSnapX) * CameraSnapX;
    OffsetY = vb::Int((CentreY - CameraY) / CameraSnapY) * CameraSnapY;
}
