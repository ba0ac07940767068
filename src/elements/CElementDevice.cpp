#include "elements/CElementDevice.h"

#include "engine/Log.h"

CElementDevice::CElementDevice(int cx, int cy, int w, int deviceType)
    : CElement(cx, cy, w)
{
    type = TYPE_DEVICE;
    typeDevice = deviceType;
}

void CElementDevice::DumpState()
{
    logPrint(LOG_DEBUG, "TYPE=%d  DEVICE=%d  CURRENT=(%d,%d)  STATE=%d  INGRID=%d\n", type, typeDevice, x, y, state,
             inGrid);
}

int CElementDevice::PictureAt(int step, int pictures)
{
    if (pictures < 1)
        return 0;
    int k = step < 0 ? 0 : step / STEPS_PER_PICTURE;
    return k < pictures ? k : pictures - 1;
}
