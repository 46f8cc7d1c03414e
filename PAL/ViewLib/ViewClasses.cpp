// The one list of the toolkit's view classes. Pages call RegisterViewClasses before they build, so
// the registrations are linked into every program that builds a page.
#include "PAL/ViewLib/ViewClasses.h"

#include "PAL/ViewLib/Static.h"
#include "PAL/ViewLib/View.h"
#include "PAL/ViewLib/ViewFactory.h"

void RegisterViewClasses()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    RegisterViewClass("View", CreateViewOf<View>);
    RegisterGenericViewClasses();
    RegisterViewClass("Static", CreateViewOf<Static>);
    RegisterCanvasTextViewClasses();
    RegisterKnobViewClasses();
    RegisterSliderViewClasses();
    RegisterTrayViewClasses();
    RegisterMeterViewClasses();
    RegisterLedViewClasses();
    RegisterMixSelectViewClasses();
    RegisterButtonViewClasses();
    RegisterClipboardViewClasses();
}
