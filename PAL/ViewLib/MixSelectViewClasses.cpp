#include "PAL/ViewLib/ViewClasses.h"

#include "PAL/ViewLib/ViewFactory.h"
#include "PAL/ViewLib/flCueMixButton.h"
#include "PAL/ViewLib/flIpMixButton.h"

void RegisterMixSelectViewClasses()
{
    RegisterViewClass("flCueMixButton", CreateViewOf<flCueMixButton>);
    RegisterViewClass("flIpMixButton", CreateViewOf<flIpMixButton>);
}
