// The toolkit's view classes, one row each. Pages call RegisterViewClasses before they build, and the
// table and the call share this file, so the registrations are linked into every program that builds a
// page.
#include "PAL/ViewLib/ViewClassInfo.h"

#include <cstring>

#include "PAL/ViewLib/BitmapControl.h"
#include "PAL/ViewLib/Canvas.h"
#include "PAL/ViewLib/HSlider.h"
#include "PAL/ViewLib/Knob.h"
#include "PAL/ViewLib/PButton.h"
#include "PAL/ViewLib/Slider.h"
#include "PAL/ViewLib/Static.h"
#include "PAL/ViewLib/TextBox.h"
#include "PAL/ViewLib/View.h"
#include "PAL/ViewLib/ViewFactory.h"
#include "PAL/ViewLib/flButton.h"
#include "PAL/ViewLib/flButton2.h"
#include "PAL/ViewLib/flCanvas.h"
#include "PAL/ViewLib/flCopyButton.h"
#include "PAL/ViewLib/flCueMixButton.h"
#include "PAL/ViewLib/flEQType.h"
#include "PAL/ViewLib/flExtLed.h"
#include "PAL/ViewLib/flExtText.h"
#include "PAL/ViewLib/flFXLed.h"
#include "PAL/ViewLib/flFXPushButton.h"
#include "PAL/ViewLib/flHPushButton.h"
#include "PAL/ViewLib/flHSlider.h"
#include "PAL/ViewLib/flInvPPM.h"
#include "PAL/ViewLib/flIpMixButton.h"
#include "PAL/ViewLib/flKnob.h"
#include "PAL/ViewLib/flKnob2.h"
#include "PAL/ViewLib/flKnob3.h"
#include "PAL/ViewLib/flLogoButton.h"
#include "PAL/ViewLib/flPPM.h"
#include "PAL/ViewLib/flPasteButton.h"
#include "PAL/ViewLib/flPushButton.h"
#include "PAL/ViewLib/flRateLed.h"
#include "PAL/ViewLib/flTextKnob.h"
#include "PAL/ViewLib/flTray.h"
#include "PAL/ViewLib/flTray2.h"
#include "PAL/ViewLib/flTray3.h"
#include "PAL/ViewLib/flTray4.h"
#include "PAL/ViewLib/flVSlider.h"

namespace {

// Arguments, then bound parameters, as the layout tables give them.
constexpr ViewClassInfo kViewClasses[] = {
    {"View", CreateViewOf<View>, kInNoTable, kInNoTable},
    {"BitmapControl", CreateViewOf<BitmapControl>, kInNoTable, kInNoTable},
    {"PButton", CreateViewOf<PButton>, kInNoTable, kInNoTable},
    {"Canvas", CreateViewOf<Canvas>, Counts({0}), Counts({0})},
    {"HSlider", CreateViewOf<HSlider>, kInNoTable, kInNoTable},
    {"Knob", CreateViewOf<Knob>, kInNoTable, kInNoTable},
    {"Slider", CreateViewOf<Slider>, kInNoTable, kInNoTable},
    {"TextBox", CreateViewOf<TextBox>, kInNoTable, kInNoTable},
    {"Static", CreateViewOf<Static>, Counts({5}), Counts({0})},
    {"flCanvas", CreateViewOf<flCanvas>, Counts({1}), Counts({0})},
    {"flExtText", CreateViewOf<flExtText>, Counts({2}), Counts({1})},
    {"flEQType", CreateViewOf<flEQType>, Counts({1}), Counts({0})},
    {"flKnob", CreateViewOf<flKnob>, Counts({5}), Counts({1})},
    {"flKnob2", CreateViewOf<flKnob2>, Counts({4}), Counts({2})},
    {"flKnob3", CreateViewOf<flKnob3>, Counts({6}), Counts({2})},
    {"flTextKnob", CreateViewOf<flTextKnob>, Counts({11}), Counts({1})},
    {"flVSlider", CreateViewOf<flVSlider>, Counts({4}), Counts({1})},
    {"flHSlider", CreateViewOf<flHSlider>, Counts({4, 5}), Counts({1})},
    {"flTray", CreateViewOf<flTray>, Counts({2}), Counts({1})},
    {"flTray2", CreateViewOf<flTray2>, Counts({2}), Counts({1})},
    {"flTray3", CreateViewOf<flTray3>, Counts({3}), Counts({1})},
    {"flTray4", CreateViewOf<flTray4>, Counts({3, 4, 7}), Counts({1, 2})},
    {"flPPM", CreateViewOf<flPPM>, Counts({3}), Counts({0})},
    {"flInvPPM", CreateViewOf<flInvPPM>, Counts({2}), Counts({0})},
    {"flExtLed", CreateViewOf<flExtLed>, Counts({3}), Counts({1})},
    {"flRateLed", CreateViewOf<flRateLed>, Counts({4}), Counts({2})},
    {"flFXLed", CreateViewOf<flFXLed>, Counts({4}), Counts({2})},
    {"flCueMixButton", CreateViewOf<flCueMixButton>, Counts({3}), Counts({12})},
    {"flIpMixButton", CreateViewOf<flIpMixButton>, Counts({3}), Counts({12})},
    {"flButton", CreateViewOf<flButton>, Counts({2, 3}), Counts({1})},
    {"flButton2", CreateViewOf<flButton2>, Counts({3}), Counts({1})},
    {"flPushButton", CreateViewOf<flPushButton>, Counts({2}), Counts({1})},
    {"flHPushButton", CreateViewOf<flHPushButton>, Counts({3}), Counts({2})},
    {"flFXPushButton", CreateViewOf<flFXPushButton>, Counts({11}), Counts({3})},
    {"flLogoButton", CreateViewOf<flLogoButton>, Counts({0}), Counts({1})},
    {"flCopyButton", CreateViewOf<flCopyButton>, Counts({3}), Counts({0})},
    {"flPasteButton", CreateViewOf<flPasteButton>, Counts({3}), Counts({0})},
};

}  // namespace

const ViewClassInfo* FindViewClass(const char* name)
{
    if (!name)
        return nullptr;
    for (const ViewClassInfo& info : kViewClasses)
        if (!std::strcmp(info.name, name))
            return &info;
    return nullptr;
}

void RegisterViewClasses()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    for (const ViewClassInfo& info : kViewClasses)
        RegisterViewClass(info.name, info.creator);
}
