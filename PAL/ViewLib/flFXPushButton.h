#pragma once
// The effect-slot button of an input strip: a push button that acts on release (as flPushButton),
// whose face shows which effect sits in its slot. While the effect order differs from its slot digit
// it shows the compressor; otherwise the amp simulator when the EQ/amp switch is on, else the EQ,
// each in the form for its slot, and each in its pressed form while held.
//
// Arguments, in this order: compressor, first EQ, second EQ, first amp, second amp, then the pressed
// forms of the same five, then the slot digit ("0" or "1"). Bound parameters: 0 the toggled
// parameter, 1 the effect order, 2 the EQ/amp-simulator switch. NaN counts as 0 in every choice.

#include <cstdint>
#include <memory>

#include "PAL/ViewLib/View.h"

class flFXPushButton : public View {
public:
    // The faces, in argument order; the pressed form of face f is f + kPressed.
    enum Face : int32_t { Compressor = 0, Eq1, Eq2, Amp1, Amp2, kFaces, kPressed = kFaces };

    flFXPushButton(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    void OnRelease(DrawContext* context) override;
    void Paint(DrawContext* context) override;
    void SetHidden(bool hidden, DrawContext* context) override;

    // The image index (0 .. 2 x kFaces - 1) the button shows now.
    int32_t ChooseImage() const;
    bool IsPressed() const { return m_pressed; }
    float GetValue(int32_t sub) const { return sub >= 0 && sub < 3 ? m_values[sub] : 0.0f; }

private:
    Bitmap* m_images[2 * kFaces] = {};  // the cache's; any may be null
    float m_values[3] = {};
    int32_t m_slot = 0;
    bool m_pressed = false;
    std::unique_ptr<Bitmap> m_work;
};
