#pragma once
// The page controller of the sample-rate window: shows the device's rate, whether the external S/PDIF
// clock is preferred, whether the audio device is in use and whether the S/PDIF input is locked, and
// turns the user's choices into HAL calls. Its parameters are display state polled from the HAL on
// every tick of the panel; they go to no writer block and into no mix file.
//
// Parameters: 0 rate index 1..6 (44100, 48000, 88200, 96000, 176400, 192000 Hz), 1 "Prefer Ext Lock",
// 2 "Is card in use", 3 "Ext lock locked" (the last two are indicators).
//
// GUI thread only. Choosing a rate or the clock blocks while the HAL pauses its polling thread and
// talks to the unit (a rate in the other DSP mode takes several seconds). Without a HAL, or while the
// device is closed, the panel shows what it showed and asks nothing.

#include <cstdint>

#include "PAL/ViewLib/PageController.h"

class VelbrinHAL;
class flExtLed;

class SampleRatePanel : public PageController {
public:
    enum : int32_t { kRateIndex = 0, kPreferExtLock = 1, kCardInUse = 2, kExtLocked = 3 };

    // Loads the archive as source says (the windows pass the loaded one), disables the two
    // indicators' clicks, then shows the device's state.
    explicit SampleRatePanel(const ArchiveSource& source = ArchiveSource{});
    ~SampleRatePanel() override;

    // A new rate index asks the device for its rate (only indices 1..6 act); a new preference turns
    // the external clock on or off, up to 96 kHz only. The indicators do nothing.
    void ParameterChangedHook(int32_t index) override;
    // The panel's tick: Refresh.
    void Tick(DrawContext* context) override;
    // Rate, clock preference (up to 96 kHz), lock and card-in-use from the HAL; each parameter is set
    // only when it differs. Nothing while the device is closed; a rate outside the table leaves the
    // rate index as it is.
    void Refresh();

    // Hz of rate index 1..6; 0 for any other index.
    static int RateOfIndex(int32_t index);
    // The rate index of hz, 0 for a rate the table does not hold.
    static int32_t IndexOfRate(int hz);
    // The index the rate selection stands on, from its normalised value through its stepped taper:
    // 1..9, of which only 1..6 name a rate.
    int32_t SelectedIndex();

private:
    static VelbrinHAL* Hal();
    // Sets a two-state parameter to 1.0 or 0.0 when it differs.
    void SetSwitch(int32_t index, bool on);

    flExtLed* m_extLed = nullptr;
};
