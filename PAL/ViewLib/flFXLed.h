#pragma once
// A display-only lamp with four images chosen by two switches: image trunc(first + 2 x second),
// held to the four images (NaN counts as 0). With switches of 0 or 1: (0, 0) the first image,
// (1, 0) the second, (0, 1) the third, (1, 1) the fourth. It ignores clicks.
//
// Items: the four images ("selled1.bmp" .. "selled4.bmp"). Sub 0: the first switch; sub 1: the second.

#include <cstdint>

#include "PAL/ViewLib/View.h"

class flFXLed : public View {
public:
    flFXLed(const LayoutRecord* record, ControlPage* page);

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnValueChanged(int32_t sub) override;
    void Paint(DrawContext* context) override;

    // The image shown for the current values, 0..3.
    int32_t GetImageIndex() const;

    static constexpr int32_t kImageCount = 4;

private:
    float m_values[2] = {};
    Bitmap* m_images[kImageCount] = {};
};
