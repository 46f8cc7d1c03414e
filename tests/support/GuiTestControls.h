#pragma once
// Controls for GUI tests of the window glue, registered under test names: a "Swatch" that fills its
// rectangle with the colour of its first argument (hex) and then paints its children, and a
// "DragKnob" whose value follows a vertical drag (100 pixels up = +1.0, clamped to 0..1) and which
// draws its value as a bar (white over blue).

#include <algorithm>
#include <cstdlib>

#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/View.h"
#include "PAL/ViewLib/ViewFactory.h"

class SwatchView : public View {
public:
    SwatchView(const LayoutRecord* record, ControlPage* page) : View(record, page) {}
    void SetBitmaps(const char* const* items, int32_t count) override
    {
        if (count > 0)
            colour = uint32_t(strtoul(items[0], nullptr, 16));
    }
    void Paint(DrawContext* context) override
    {
        if (m_hidden)
            return;
        Bitmap fill(GetWidth(), GetHeight());
        for (int32_t y = 0; y < fill.GetHeight(); ++y)
            for (int32_t x = 0; x < fill.GetWidth(); ++x)
                fill.SetPixel(x, y, colour);
        context->DrawBitmap(&fill, GetBounds(), nullptr);
        View::Paint(context);
    }
    uint32_t colour = 0;
};

class DragKnobView : public View {
public:
    static constexpr uint32_t kBar = 0x0000FF;
    static constexpr uint32_t kEmpty = 0xFFFFFF;

    DragKnobView(const LayoutRecord* record, ControlPage* page) : View(record, page) {}
    void OnValueChanged(int32_t sub) override
    {
        if (sub == 0 && m_owner)
            value = m_owner->GetValue(m_id, 0);
        Invalidate();
    }
    void OnMouseDown(int32_t, int32_t y, int32_t, bool pressed, DrawContext*) override
    {
        if (!pressed)
            return;
        m_tracking = true;
        startY = y;
        startValue = value;
    }
    void OnDrag(DrawContext* context) override
    {
        int32_t x = 0, y = 0;
        context->GetMousePosition(x, y);
        value = std::clamp(startValue + float(startY - y) / 100.0f, 0.0f, 1.0f);
        ++drags;
        m_owner->SetValue(m_id, 0, value);
    }
    void Paint(DrawContext* context) override
    {
        Bitmap image(GetWidth(), GetHeight());
        const int32_t filled = int32_t(value * float(GetHeight()));
        for (int32_t y = 0; y < image.GetHeight(); ++y)
            for (int32_t x = 0; x < image.GetWidth(); ++x)
                image.SetPixel(x, y, y >= GetHeight() - filled ? kBar : kEmpty);
        context->DrawBitmap(&image, GetBounds(), nullptr);
        m_dirty = false;
    }

    float value = 0.0f;
    float startValue = 0.0f;
    int32_t startY = 0;
    int32_t drags = 0;
};

inline void RegisterGuiTestControls()
{
    if (!IsViewClassRegistered("Swatch"))
        RegisterViewClass("Swatch", CreateViewOf<SwatchView>);
    if (!IsViewClassRegistered("DragKnob"))
        RegisterViewClass("DragKnob", CreateViewOf<DragKnobView>);
}
