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
    {"Canvas", nullptr, SheetLook::None, Outline::Canvas, -1},
    {"flCanvas", nullptr, SheetLook::Picture, Outline::Canvas, -1},
    {"Static", nullptr, SheetLook::Label, Outline::Label, -1},
    {"flExtText", nullptr, SheetLook::TextField, Outline::Button, -1},
    {"flEQType", RestingEqType, SheetLook::EqTypeStrip, Outline::Button, -1},
    {"flKnob", RestingKnob, SheetLook::Knob, Outline::Knob, -1},
    {"flKnob2", nullptr, SheetLook::TrayKnob, Outline::Knob, -1},
    {"flKnob3", RestingKnob, SheetLook::LockableKnob, Outline::Knob, -1},
    {"flTextKnob", RestingKnob, SheetLook::TextKnob, Outline::Knob, -1},
    {"flVSlider", RestingFader, SheetLook::Fader, Outline::Slider, -1},
    {"flHSlider", RestingXFader, SheetLook::XFader, Outline::Slider, -1},
    {"flTray", RestingEffectTray, SheetLook::EffectTray, Outline::Tray, -1},
    {"flTray2", nullptr, SheetLook::ImageTray, Outline::Tray, 1},
    {"flTray3", nullptr, SheetLook::ColumnCoverTray, Outline::Tray, -1},
    {"flTray4", nullptr, SheetLook::CoverTray, Outline::Tray, -1},
    {"flPPM", RestingPeakMeter, SheetLook::PeakMeter, Outline::Meter, -1},
    {"flInvPPM", RestingGainMeter, SheetLook::GainMeter, Outline::Meter, -1},
    {"flExtLed", RestingLed, SheetLook::Led, Outline::Button, -1},
    {"flRateLed", RestingLed, SheetLook::Led, Outline::Button, -1},
    {"flFXLed", nullptr, SheetLook::EffectLed, Outline::Button, -1},
    {"flCueMixButton", RestingCueMix, SheetLook::CueMixButton, Outline::Button, -1},
    {"flIpMixButton", RestingInputMix, SheetLook::InputMixButton, Outline::Button, -1},
    {"flButton", RestingLamp, SheetLook::Lamp, Outline::Button, -1},
    {"flButton2", RestingLamp, SheetLook::Lamp, Outline::Button, -1},
    {"flPushButton", RestingPushButton, SheetLook::PushButton, Outline::Button, -1},
    {"flHPushButton", nullptr, SheetLook::ModeButton, Outline::Button, 2},
    {"flFXPushButton", nullptr, SheetLook::EffectButton, Outline::Button, -1},
    {"flLogoButton", RestingLogo, SheetLook::None, Outline::Logo, -1},
    {"flCopyButton", RestingPushButton, SheetLook::PushButton, Outline::Button, -1},
    {"flPasteButton", RestingPushButton, SheetLook::PushButton, Outline::Button, -1},
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
