#pragma once
// The vertical fader: top is 1.0. The handle's centre follows the pointer's height (drawn kFaderTop
// pixels lower) over a travel of kFaderTravel pixels (ControlGeometry.h), whatever the point of the
// press; each drag step writes the value and paints at once. A release on the slider ends the drag
// without a further step.
//
// Arguments: handle, handle mask, tray mask, window background (exactly 4); the tray mask is not
// drawn. Bound parameter 0 is the value.

#include <cstdint>

#include "PAL/ViewLib/BackdropImage.h"
#include "PAL/ViewLib/ControlGeometry.h"
#include "PAL/ViewLib/View.h"

class flVSlider : public View {
public:
    flVSlider(const LayoutRecord* record, ControlPage* page);
    ~flVSlider() override;

    void SetBitmaps(const char* const* items, int32_t count) override;
    // Tracking follows the button: a press starts the drag, a release on the slider ends it.
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    void OnDrag(DrawContext* context) override;
    void Paint(DrawContext* context) override;

    int32_t GetTravel() const { return m_travel; }
    // The handle's top inside the control for a value (NaN counts as 0, values held to 0..1).
    int32_t HandleTop(float value) const;

private:
    void Release();

    float m_value = 0.0f;
    int32_t m_travel = 0;
    const Bitmap* m_handle = nullptr;
    const Bitmap* m_handleMask = nullptr;
    const Bitmap* m_trayMask = nullptr;
    BackdropImage m_work;  // the background under the slider, then the handle
};
