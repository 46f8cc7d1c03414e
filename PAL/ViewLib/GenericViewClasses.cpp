#include "PAL/ViewLib/BitmapControl.h"
#include "PAL/ViewLib/Canvas.h"
#include "PAL/ViewLib/HSlider.h"
#include "PAL/ViewLib/Knob.h"
#include "PAL/ViewLib/PButton.h"
#include "PAL/ViewLib/Slider.h"
#include "PAL/ViewLib/TextBox.h"
#include "PAL/ViewLib/ViewClasses.h"
#include "PAL/ViewLib/ViewFactory.h"

void RegisterGenericViewClasses()
{
    RegisterViewClass("BitmapControl", CreateViewOf<BitmapControl>);
    RegisterViewClass("PButton", CreateViewOf<PButton>);
    RegisterViewClass("Canvas", CreateViewOf<Canvas>);
    RegisterViewClass("HSlider", CreateViewOf<HSlider>);
    RegisterViewClass("Knob", CreateViewOf<Knob>);
    RegisterViewClass("Slider", CreateViewOf<Slider>);
    RegisterViewClass("TextBox", CreateViewOf<TextBox>);
}
