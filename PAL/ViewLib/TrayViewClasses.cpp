#include "PAL/ViewLib/ViewClasses.h"

#include "PAL/ViewLib/ViewFactory.h"
#include "PAL/ViewLib/flTray.h"
#include "PAL/ViewLib/flTray2.h"
#include "PAL/ViewLib/flTray3.h"
#include "PAL/ViewLib/flTray4.h"

void RegisterTrayViewClasses()
{
    RegisterViewClass("flTray", CreateViewOf<flTray>);
    RegisterViewClass("flTray2", CreateViewOf<flTray2>);
    RegisterViewClass("flTray3", CreateViewOf<flTray3>);
    RegisterViewClass("flTray4", CreateViewOf<flTray4>);
}
