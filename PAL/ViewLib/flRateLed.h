#pragma once
// One lamp of a radio group: lit while the rate selection's plain value equals the lamp's code, and
// a click sets that code (again, when it is lit already). Off, it shows the window background.
//
// Items: lit lamp, grey lamp, window background, code digit (for example "SampleRateLed1.bmp",
// "GrayLed.bmp", "SampleRate.bmp", "1"). Sub 0: the rate selection (plain value); sub 1: a
// parameter that is followed but does not change the drawing. A lamp without a code digit is never
// lit and ignores clicks.

#include <cstdint>

#include "PAL/ViewLib/View.h"

class flRateLed : public View {
public:
    flRateLed(const LayoutRecord* record, ControlPage* page);
    ~flRateLed() override;

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    void Paint(DrawContext* context) override;

    bool IsLit() const { return m_code >= 0 && m_values[0] == float(m_code); }

private:
    float m_values[2] = {};
    int32_t m_code = -1;
    Bitmap* m_lit = nullptr;
    Bitmap* m_offImage = nullptr;
};
