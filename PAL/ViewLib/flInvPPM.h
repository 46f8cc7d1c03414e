#pragma once
// The compressor's gain-reduction meter: the value as it comes, shown as a bar hanging from the top
// (0.25 lights the top quarter). No ballistics: the last level before a tick is drawn by that tick.
//
// Items: bar, window background ("grmeter.bmp" and the compressor window's background).

#include "PAL/ViewLib/LevelMeter.h"

class flInvPPM : public LevelMeter {
public:
    flInvPPM(const LayoutRecord* record, ControlPage* page);

    void SetBitmaps(const char* const* items, int32_t count) override;

    // value held to 0..1; NaN counts as 0.
    void SetLevel(float value) override;
    float GetLevel() const override { return m_level; }

protected:
    void GetBarState(const Bitmap*& bar, int32_t& top, int32_t& bottom) const override;

private:
    float m_level = 0.0f;
};
