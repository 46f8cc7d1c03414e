#pragma once
// The peak meter of the signal levels: a bar rising from the bottom on a square-root display law,
// falling back by 0.9 per tick, and shown whole in the clip colour for a few ticks after it reaches
// full scale.
//
// Ballistics, per 100 ms tick of the window (Broadcast):
// - The first level pushed after one or more ticks first lets the bar fall back by 0.9 for every
//   tick since the previous push; further pushes before the next tick only raise it. So a caller
//   may push once per tick (the main window) or on every idle call (the effect panels): the bar
//   shows the highest peak of each tick and decays by 0.9 per tick either way.
// - A rise is instant. Reaching full scale starts the clip hold at 5 ticks; each tick counts it
//   down, and every further full-scale peak restarts it at 5.
//
// Items: bar, window background, and optionally the clip bar ("meter.bmp", the page background,
// "meterclip.bmp"). Without a clip bar the hold still runs and the normal bar is drawn.

#include <cstdint>

#include "PAL/ViewLib/LevelMeter.h"

class flPPM : public LevelMeter {
public:
    flPPM(const LayoutRecord* record, ControlPage* page);

    void SetBitmaps(const char* const* items, int32_t count) override;
    void Broadcast(DrawContext* context) override;

    // value: a meter value, 1.0 full scale; its magnitude counts, NaN counts as 0.
    void SetLevel(float value) override;
    float GetLevel() const override { return m_level; }
    int32_t GetClipHold() const { return m_clipHold; }

    // The display law: (sqrt(|value|) - 0.1) / 0.9 held to 0..1; 0.01 and below give 0.
    static float DisplayLevel(float value);

    static constexpr float kFallBack = 0.9f;
    static constexpr int32_t kClipTicks = 5;

protected:
    void GetBarState(const Bitmap*& bar, int32_t& top, int32_t& bottom) const override;

private:
    float m_level = 0.0f;
    int32_t m_clipHold = 0;
    const Bitmap* m_clipBar = nullptr;
    // Ticks since the last push (held at a bound past which the bar is empty anyway).
    int32_t m_ticksSincePush = 0;
};
