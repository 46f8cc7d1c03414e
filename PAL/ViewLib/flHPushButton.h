#pragma once
// A push button that acts on release (as flPushButton) and shows itself only while a second
// parameter equals its mode digit: the main window pairs two per effect strip, digits 0 and 1, so
// that exactly one of them is visible for either effect order. Hidden while held, it ends the press
// without a write. Both images are drawn whole and unchanged.
//
// Arguments: pressed image; normal image; mode digit. Bound parameters: 0 the toggled parameter,
// 1 the parameter that decides visibility (shown only when it equals the digit exactly).

#include <cstdint>

#include "PAL/ViewLib/flPushButton.h"

class flHPushButton : public flPushButton {
public:
    flHPushButton(const LayoutRecord* record, ControlPage* page) : flPushButton(record, page) {}

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnValueChanged(int32_t sub) override;


protected:
    Bitmap* NormalImage() override { return m_normalImage; }

private:
    int32_t m_modeDigit = 0;
    Bitmap* m_normalImage = nullptr;  // the cache's; may be null (then nothing is drawn)
};
