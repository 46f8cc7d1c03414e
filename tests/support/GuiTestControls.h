#pragma once
// Controls for GUI tests of the window glue, registered under test names: a "Swatch" that fills its
// rectangle with the colour of its first argument (hex), paints its children, and logs the presses
// and releases that reach it ("down x,y", "up x,y"), and a "Bar"
// that shows the value of its parameter as a bar (blue rising from the bottom, white above).

#include <cstdlib>
#include <string>
#include <vector>

#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/View.h"
#include "PAL/ViewLib/ViewFactory.h"
#include "support/PixelPicture.h"

class SwatchView : public View {
public:
    SwatchView(const LayoutRecord* record, ControlPage* page) : View(record, page) {}
    void SetBitmaps(const char* const* items, int32_t count) override
    {
        if (count > 0)
            colour = uint32_t(strtoul(items[0], nullptr, 16));
    }
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override
    {
        View* target = FindViewAt(x, y);
        if (target && target != this)
            target->OnMouseDown(x, y, modifiers, pressed, context);
        else
            Log().push_back((pressed ? "down " : "up ") + std::to_string(x) + "," + std::to_string(y));
    }
    static std::vector<std::string>& Log()
    {
        static std::vector<std::string> log;
        return log;
    }
    void Paint(DrawContext* context) override
    {
        if (m_hidden)
            return;
        Bitmap fill(GetWidth(), GetHeight());
        FillColour(fill, colour);
        context->DrawBitmap(&fill, GetBounds(), nullptr);
        View::Paint(context);
    }
    uint32_t colour = 0;
};

class BarView : public View {
public:
    static constexpr uint32_t kBar = 0x0000FF;
    static constexpr uint32_t kEmpty = 0xFFFFFF;

    BarView(const LayoutRecord* record, ControlPage* page) : View(record, page) {}
    void OnValueChanged(int32_t sub) override
    {
        if (sub == 0 && m_owner)
            value = m_owner->GetValue(m_id, 0);
        Invalidate();
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
};

inline void RegisterGuiTestControls()
{
    if (!IsViewClassRegistered("Swatch"))
        RegisterViewClass("Swatch", CreateViewOf<SwatchView>);
    if (!IsViewClassRegistered("Bar"))
        RegisterViewClass("Bar", CreateViewOf<BarView>);
}
