#pragma once
// A grey-out cover. While active it draws its children and then the cover blended over them, and it
// takes every click and Option-click meant for them (resetting nothing); while not active its children
// are reachable and the tray draws nothing of its own. Active: (value 0 > 0) differs from invert, and
// value 1 is not above 0 (a NaN is not above 0).
//
// Arguments: cover, cover mask, window background, optionally "INVERT" (further items are ignored).
// Bound parameters: 0 the main condition, 1 (optional) the blocking condition.

#include <cstdint>

#include "PAL/ViewLib/TrayCover.h"
#include "PAL/ViewLib/View.h"

class flTray4 : public View {
public:
    flTray4(const LayoutRecord* record, ControlPage* page);

    void SetBitmaps(const char* const* items, int32_t count) override;
    void SetMouseOver(bool over, DrawContext* context) override;
    void OnResetClick(int32_t x, int32_t y, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    View* FindViewAt(int32_t x, int32_t y) override;
    void Paint(DrawContext* context) override;

    bool IsActive() const;

private:
    float m_values[2] = {0.0f, 0.0f};
    bool m_invert = false;
    TrayCover m_cover;
};
