#include "PAL/ViewLib/ViewClasses.h"

#include "PAL/ViewLib/ViewFactory.h"
#include "PAL/ViewLib/flExtLed.h"
#include "PAL/ViewLib/flFXLed.h"
#include "PAL/ViewLib/flRateLed.h"

void RegisterLedViewClasses()
{
    RegisterViewClass("flExtLed", CreateViewOf<flExtLed>);
    RegisterViewClass("flRateLed", CreateViewOf<flRateLed>);
    RegisterViewClass("flFXLed", CreateViewOf<flFXLed>);
}
