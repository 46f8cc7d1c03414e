#pragma once
// A lamp that toggles its parameter when clicked and can be greyed out: lit while the value is not
// 0.0, the bare window background while it is 0.0, and the background with the grey lamp while
// disabled (a disabled lamp ignores clicks).
//
// Items: lit lamp, grey lamp, window background ("SampleRateLedExt.bmp", "GrayLed.bmp",
// "SampleRate.bmp"); the grey lamp sits at (4, 2) of the lamp. Sub 0: the toggled switch.

#include <cstdint>

#include "PAL/ViewLib/View.h"

class flExtLed : public View {
public:
    flExtLed(const LayoutRecord* record, ControlPage* page);
    ~flExtLed() override;

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    void Paint(DrawContext* context) override;

    void SetEnabled(bool enabled);
    bool IsEnabled() const { return m_enabled; }
    float GetValue() const { return m_value; }

private:
    void Release();

    float m_value = 0.0f;
    Bitmap* m_lit = nullptr;
    Bitmap* m_offImage = nullptr;
    Bitmap* m_greyImage = nullptr;
    bool m_enabled = true;
};
