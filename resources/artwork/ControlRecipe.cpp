#include "resources/artwork/ControlRecipe.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "PAL/LayoutTables.h"
#include "resources/artwork/Draw.h"
#include "resources/artwork/Palette.h"

namespace {

// ------------------------------------------------------------ resting looks

// A lamp by the name of its lit image: a coloured lens, an EQ type symbol, or text on a plate.
void RestingLamp(cairo_t* cr, const Box& b, const std::vector<std::string>& it)
{
    LampStyle style;
    if (it.empty())
        return;
    if (LampStyleOf(it[0], &style))
        DrawLampButton(cr, b, style, false);
    else if (it[0].rfind("Eq", 0) == 0)
        DrawEqTypeButton(cr, b, it[0], false);
    else
        DrawTextLamp(cr, b, it[0], false);
}

void RestingPushButton(cairo_t* cr, const Box& b, const std::vector<std::string>& it)
{
    if (!it.empty())
        DrawPushButton(cr, b, it[0], false);
}

void RestingKnob(cairo_t* cr, const Box& b, const std::vector<std::string>&) { DrawKnobWell(cr, b); }

void RestingFader(cairo_t* cr, const Box& b, const std::vector<std::string>&) { DrawFaderSlot(cr, b, true); }

// The scale follows the fader's step (item 4, when there is one).
void RestingXFader(cairo_t* cr, const Box& b, const std::vector<std::string>& it)
{
    const int step = it.size() == 5 ? std::max(1, atoi(it[4].c_str())) : 1;
    DrawXFaderSlot(cr, b, step);
}

void RestingPeakMeter(cairo_t* cr, const Box& b, const std::vector<std::string>&) { DrawMeterOff(cr, b, false); }

void RestingGainMeter(cairo_t* cr, const Box& b, const std::vector<std::string>&) { DrawMeterOff(cr, b, true); }

void RestingCueMix(cairo_t* cr, const Box& b, const std::vector<std::string>&) { DrawMixButton(cr, b, false, false); }

void RestingInputMix(cairo_t* cr, const Box& b, const std::vector<std::string>&) { DrawMixButton(cr, b, true, false); }

void RestingEffectTray(cairo_t* cr, const Box& b, const std::vector<std::string>&)
{
    DrawEffectTray(cr, b.x, b.y, false);
}

void RestingLed(cairo_t* cr, const Box& b, const std::vector<std::string>&) { DrawLedSocket(cr, b); }

// A flat display plate in a one-pixel bezel, which the type strip's frames match.
void RestingEqType(cairo_t* cr, const Box& b, const std::vector<std::string>&)
{
    FillRect(cr, b.x - 1, b.y - 1, b.w + 2, b.h + 2, Palette::Bezel());
    FillRect(cr, b.x, b.y, b.w, b.h, DisplayFace());
}

void RestingLogo(cairo_t* cr, const Box& b, const std::vector<std::string>&) { DrawLogo(cr, b); }

// ------------------------------------------------------------ the rows

const ControlRecipe kRecipes[] = {
    {"Canvas", nullptr, Outline::Canvas},
    {"flCanvas", nullptr, Outline::Canvas},
    {"Static", nullptr, Outline::Label},
    {"flExtText", nullptr, Outline::Button},
    {"flEQType", RestingEqType, Outline::Button},
    {"flKnob", RestingKnob, Outline::Knob},
    {"flKnob2", nullptr, Outline::Knob},
    {"flKnob3", RestingKnob, Outline::Knob},
    {"flTextKnob", RestingKnob, Outline::Knob},
    {"flVSlider", RestingFader, Outline::Slider},
    {"flHSlider", RestingXFader, Outline::Slider},
    {"flTray", RestingEffectTray, Outline::Tray},
    {"flTray2", nullptr, Outline::Tray},
    {"flTray3", nullptr, Outline::Tray},
    {"flTray4", nullptr, Outline::Tray},
    {"flPPM", RestingPeakMeter, Outline::Meter},
    {"flInvPPM", RestingGainMeter, Outline::Meter},
    {"flExtLed", RestingLed, Outline::Button},
    {"flRateLed", RestingLed, Outline::Button},
    {"flFXLed", nullptr, Outline::Button},
    {"flCueMixButton", RestingCueMix, Outline::Button},
    {"flIpMixButton", RestingInputMix, Outline::Button},
    {"flButton", RestingLamp, Outline::Button},
    {"flButton2", RestingLamp, Outline::Button},
    {"flPushButton", RestingPushButton, Outline::Button},
    {"flHPushButton", nullptr, Outline::Button},
    {"flFXPushButton", nullptr, Outline::Button},
    {"flLogoButton", RestingLogo, Outline::Logo},
    {"flCopyButton", RestingPushButton, Outline::Button},
    {"flPasteButton", RestingPushButton, Outline::Button},
};

}  // namespace

const ControlRecipe* FindControlRecipe(const char* className)
{
    if (!className)
        return nullptr;
    for (const ControlRecipe& recipe : kRecipes)
        if (!strcmp(recipe.className, className))
            return &recipe;
    return nullptr;
}

std::vector<std::string> ClassesWithoutRecipe()
{
    std::vector<std::string> missing;
    for (int w = 0; w < kLayoutWindowCount; ++w) {
        const LayoutTable& table = GetLayoutTable(LayoutWindow(w));
        for (int i = 0; i < table.count; ++i) {
            const char* name = table.records[i].className;
            if (!FindControlRecipe(name) && std::find(missing.begin(), missing.end(), name) == missing.end())
                missing.push_back(name ? name : "");
        }
    }
    return missing;
}
