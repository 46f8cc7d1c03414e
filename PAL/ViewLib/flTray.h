#pragma once
// A backdrop with two images chosen by its parameter: the first below 1.0 (and for NaN), the second
// at 1.0 and above. The children are painted over it.
//
// Arguments: image for value 0, image for value 1. Bound parameter 0 selects.

#include "PAL/ViewLib/View.h"

class flTray : public View {
public:
    flTray(const LayoutRecord* record, ControlPage* page);

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnValueChanged(int32_t sub) override;
    void Paint(DrawContext* context) override;

    // The image index a value selects.
    static int32_t ImageOf(float value);

private:
    float m_value = 0.0f;
    Bitmap* m_images[2] = {nullptr, nullptr};
};
