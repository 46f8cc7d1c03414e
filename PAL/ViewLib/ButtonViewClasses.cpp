#include "PAL/ViewLib/ViewClasses.h"

#include "PAL/ViewLib/ViewFactory.h"
#include "PAL/ViewLib/flButton.h"
#include "PAL/ViewLib/flButton2.h"
#include "PAL/ViewLib/flFXPushButton.h"
#include "PAL/ViewLib/flHPushButton.h"
#include "PAL/ViewLib/flLogoButton.h"
#include "PAL/ViewLib/flPushButton.h"

void RegisterButtonViewClasses()
{
    RegisterViewClass("flButton", CreateViewOf<flButton>);
    RegisterViewClass("flButton2", CreateViewOf<flButton2>);
    RegisterViewClass("flPushButton", CreateViewOf<flPushButton>);
    RegisterViewClass("flHPushButton", CreateViewOf<flHPushButton>);
    RegisterViewClass("flFXPushButton", CreateViewOf<flFXPushButton>);
    RegisterViewClass("flLogoButton", CreateViewOf<flLogoButton>);
}
