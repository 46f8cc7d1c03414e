#pragma once
// The common part of the bar meters: fed by code through SetLevel, never by parameters, and drawn
// by the window's 100 ms tick. A meter is redrawn by the tick that follows a new level, at most once
// per tick, only while it and every ancestor are visible, and only when the bar it shows differs from
// the one on screen (a quiet meter fed zeros draws nothing); a full page paint draws it as well.
//
// The meter cuts the window background under its rectangle once (SetBitmaps) and composes each
// paint in its own work image: background, then the lit part of the bar at the same rows.
// GUI thread only.

#include <cstdint>

#include "PAL/ViewLib/View.h"

class LevelMeter : public View {
public:
    LevelMeter(const LayoutRecord* record, ControlPage* page);
    ~LevelMeter() override;

    // Items: the bar (from the bitmap cache), then the window background.
    void SetBitmaps(const char* const* items, int32_t count) override;
    // The tick: paints once when a level arrived since the last tick and changed the bar.
    void Broadcast(DrawContext* context) override;
    // Draws the bar GetBarState gives.
    void Paint(DrawContext* context) override;

    // A meter value from the device (1.0 full scale). Stores and marks the meter; draws nothing.
    virtual void SetLevel(float value) = 0;
    // The displayed level, 0..1 of the bar.
    virtual float GetLevel() const = 0;


protected:
    // What the meter shows now: the bar bitmap (null when missing) and its lit rows top..bottom.
    virtual void GetBarState(const Bitmap*& bar, int32_t& top, int32_t& bottom) const = 0;
    // Composes the background and rows top..bottom of bar (none when bar is missing) and draws the
    // result into the meter's rectangle; clears the dirty flag. A hidden meter draws nothing.
    void DrawBar(DrawContext* context, const Bitmap* bar, int32_t top, int32_t bottom);

    Bitmap* m_bar = nullptr;
    bool m_changed = false;

private:
    void Release();

    Bitmap* m_background = nullptr;
    Bitmap* m_work = nullptr;
    // What the last paint drew whole (a top above the bottom forces the next paint).
    const Bitmap* m_drawnBar = nullptr;
    int32_t m_drawnTop = 1;
    int32_t m_drawnBottom = 0;
};
