#include "PAL/ViewLib/ViewClasses.h"

#include "PAL/ViewLib/ViewFactory.h"
#include "PAL/ViewLib/flKnob.h"
#include "PAL/ViewLib/flKnob2.h"
#include "PAL/ViewLib/flKnob3.h"
#include "PAL/ViewLib/flTextKnob.h"

void RegisterKnobViewClasses()
{
    RegisterViewClass("flKnob", CreateViewOf<flKnob>);
    RegisterViewClass("flKnob2", CreateViewOf<flKnob2>);
    RegisterViewClass("flKnob3", CreateViewOf<flKnob3>);
    RegisterViewClass("flTextKnob", CreateViewOf<flTextKnob>);
}
