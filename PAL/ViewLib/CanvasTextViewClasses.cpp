#include "PAL/ViewLib/ViewClasses.h"
#include "PAL/ViewLib/ViewFactory.h"
#include "PAL/ViewLib/flCanvas.h"
#include "PAL/ViewLib/flEQType.h"
#include "PAL/ViewLib/flExtText.h"

void RegisterCanvasTextViewClasses()
{
    RegisterViewClass("flCanvas", CreateViewOf<flCanvas>);
    RegisterViewClass("flExtText", CreateViewOf<flExtText>);
    RegisterViewClass("flEQType", CreateViewOf<flEQType>);
}
