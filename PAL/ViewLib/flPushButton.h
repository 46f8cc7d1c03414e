#pragma once
// A push button that acts on release: it shows its pressed image while held and toggles its
// parameter between 0.0 and 1.0 when the mouse button comes up with the pointer still inside its
// rectangle (every edge included). Released outside, or hidden while held, it only pops up.
// Otherwise it shows the bare window background under its rectangle.
//
// Arguments: pressed image; background. Bound parameter 0: the toggled parameter.

#include <cstdint>
#include <memory>

#include "PAL/ViewLib/View.h"

class flPushButton : public View {
public:
    flPushButton(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    void OnRelease(DrawContext* context) override;
    void Paint(DrawContext* context) override;
    // Hiding a held button ends the press without a write.
    void SetHidden(bool hidden, DrawContext* context) override;

    bool IsPressed() const { return m_pressed; }
    float GetValue() const { return m_value; }

protected:
    // What the button shows while not held; may be null (then nothing is drawn).
    virtual Bitmap* NormalImage() { return m_normal.get(); }

    float m_value = 0.0f;
    bool m_pressed = false;
    Bitmap* m_pressedImage = nullptr;  // the cache's; may be null

private:
    std::unique_ptr<Bitmap> m_normal;
};
