#include "PAL/ViewLib/ViewClasses.h"

#include "PAL/ViewLib/ViewFactory.h"
#include "PAL/ViewLib/flInvPPM.h"
#include "PAL/ViewLib/flPPM.h"

void RegisterMeterViewClasses()
{
    RegisterViewClass("flPPM", CreateViewOf<flPPM>);
    RegisterViewClass("flInvPPM", CreateViewOf<flInvPPM>);
}
