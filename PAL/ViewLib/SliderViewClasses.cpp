#include "PAL/ViewLib/ViewClasses.h"

#include "PAL/ViewLib/ViewFactory.h"
#include "PAL/ViewLib/flHSlider.h"
#include "PAL/ViewLib/flVSlider.h"

void RegisterSliderViewClasses()
{
    RegisterViewClass("flVSlider", CreateViewOf<flVSlider>);
    RegisterViewClass("flHSlider", CreateViewOf<flHSlider>);
}
