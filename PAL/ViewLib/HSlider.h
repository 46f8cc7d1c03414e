#pragma once
// A horizontal slider: a thumb bitmap moved along a white track with a line across its middle. The
// thumb's left edge travels from 0 to the control's width less the thumb's (at least 1 pixel), and
// dragging centres the thumb under the pointer.
//
// Arguments: the thumb (1 item), decoded from the archive into the control's own bitmap.
// Parameter 0: the value.

#include <cstdint>

#include "PAL/ViewLib/View.h"

class HSlider : public View {
public:
    HSlider(const LayoutRecord* record, ControlPage* page) : View(record, page) {}
    ~HSlider() override;

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    void OnDrag(DrawContext* context) override;
    void Paint(DrawContext* context) override;

    int32_t GetTravel() const { return m_travel; }
    // The thumb's left edge in the control for the shown value, held to the travel.
    int32_t GetThumbX() const;

private:
    void Release();

    float m_value = 0.0f;
    int32_t m_travel = 1;
    bool m_trackReady = false;
    Bitmap* m_thumb = nullptr;  // owned, as every bitmap here
    Bitmap* m_track = nullptr;
    Bitmap* m_image = nullptr;
};
