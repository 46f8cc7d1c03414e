#pragma once
// A test control: paints its rectangle in the colour named by its first argument (hex), tracks on
// press, and writes every event it receives into a shared log ("3:down 5,6", "3:drag", ...).

#include <cstdlib>
#include <string>
#include <vector>

#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/View.h"
#include "PAL/ViewLib/ViewFactory.h"
#include "support/LayoutRecordMaker.h"

class ProbeView : public View {
public:
    ProbeView(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

    static std::vector<std::string>& Log()
    {
        static std::vector<std::string> log;
        return log;
    }
    static void Register()
    {
        if (!IsViewClassRegistered("Probe"))
            RegisterViewClass("Probe", CreateViewOf<ProbeView>);
    }

    void SetBitmaps(const char* const* items, int32_t count) override
    {
        if (count > 0)
            colour = uint32_t(strtoul(items[0], nullptr, 16));
        itemCount = count;
        for (int32_t i = 0; i < count; ++i)
            items_.push_back(items[i]);
    }
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override
    {
        if (GetChildCount()) {  // a container passes presses on, like the base
            View::OnMouseDown(x, y, modifiers, pressed, context);
            return;
        }
        Note((pressed ? "down " : "up ") + std::to_string(x) + "," + std::to_string(y));
        if (pressed)
            m_tracking = true;
    }
    void OnDrag(DrawContext*) override { Note("drag"); }
    void OnRelease(DrawContext*) override { Note("release"); }
    void OnValueChanged(int32_t sub) override { Note("value " + std::to_string(sub)); }
    void SetMouseOver(bool over, DrawContext* context) override
    {
        Note(over ? "over" : "out");
        View::SetMouseOver(over, context);
    }
    bool IsResettable(int32_t sub) override { return sub != notResettable; }
    void Paint(DrawContext* context) override
    {
        if (m_hidden)
            return;
        Bitmap fill(GetWidth(), GetHeight());
        fill.Fill(0);
        for (int32_t y = 0; y < fill.GetHeight(); ++y)
            for (int32_t x = 0; x < fill.GetWidth(); ++x)
                fill.SetPixel(x, y, colour);
        context->DrawBitmap(&fill, GetBounds(), nullptr);
        View::Paint(context);
    }

    uint32_t colour = 0;
    int32_t itemCount = -1;
    int32_t notResettable = -1;
    std::vector<std::string> items_;

private:
    void Note(const std::string& what) { Log().push_back(std::to_string(m_id) + ":" + what); }
};

