#pragma once
// The horizontal fader: left is 0.0. The handle's centre follows the pointer across a travel of the
// control's width less the handle's width less 3; with a step above 1 the handle and the written value
// move in whole steps of that many pixels (the model selectors of the effect panels). The handle shows
// only inside the tray mask's opening; without a tray mask of the control's size it shows whole. A drag
// step writes the value and invalidates; the page repaints.
//
// Arguments: handle, handle mask, tray mask (the control's size), window background, and optionally
// the step in decimal digits. Bound parameter 0 is the value.

#include <cstdint>

#include "PAL/ViewLib/BackdropImage.h"
#include "PAL/ViewLib/View.h"

class flHSlider : public View {
public:
    flHSlider(const LayoutRecord* record, ControlPage* page);
    ~flHSlider() override;

    void SetBitmaps(const char* const* items, int32_t count) override;
    // Tracking follows the button: a press starts the drag, a release on the slider ends it.
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    void OnDrag(DrawContext* context) override;
    void Paint(DrawContext* context) override;

    int32_t GetTravel() const { return m_travel; }
    // The handle's left edge inside the control, less one, for a value: the nearest whole step
    // (NaN counts as 0, values held to 0..1).
    int32_t HandleLeft(float value) const;

    // Largest step taken from the arguments.
    static constexpr int32_t kMaxStep = 4096;

private:
    void Release();

    float m_value = 0.0f;
    int32_t m_travel = 0;
    int32_t m_step = 1;
    const Bitmap* m_handle = nullptr;
    BackdropImage m_work;   // the background, then the layer through the tray mask
    const Bitmap* m_handleMask = nullptr;
    const Bitmap* m_trayMask = nullptr;
    BackdropImage m_layer;  // the background with the handle
};
