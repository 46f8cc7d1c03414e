#include "PAL/ViewLib/ViewClasses.h"

#include "PAL/ViewLib/ViewFactory.h"
#include "PAL/ViewLib/flCopyButton.h"
#include "PAL/ViewLib/flPasteButton.h"

void RegisterClipboardViewClasses()
{
    RegisterViewClass("flCopyButton", CreateViewOf<flCopyButton>);
    RegisterViewClass("flPasteButton", CreateViewOf<flPasteButton>);
}
