#pragma once
// A lockable knob with a text label under it: the label shows the knob's caption, or at most 5
// characters of its value text while the pointer is over the knob or dragging it (and the knob is
// enabled). The label lies 8 pixels below the knob, 10 pixels high, 4 pixels wider on each side.
// The knob part and the label are drawn by this view; they are not views of the tree. The text knob
// never shows a tooltip.
//
// Arguments: the 6 of flKnob3, then the 5 of the label: font bitmap, font mask, window background,
// justification keyword, caption (11). Bound parameter 0 is the value.

#include <cstdint>

#include "PAL/ViewLib/Static.h"
#include "PAL/ViewLib/View.h"
#include "PAL/ViewLib/flKnob3.h"

class flTextKnob : public View {
public:
    flTextKnob(const LayoutRecord* record, ControlPage* page);
    ~flTextKnob() override;

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void SetMouseOver(bool over, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    void OnDrag(DrawContext* context) override;
    // A drag that ends off the knob restores the caption, as leaving the knob does.
    void OnRelease(DrawContext* context) override;
    void Paint(DrawContext* context) override;
    // Moves the knob part and the label with the view.
    void MoveBy(int32_t dx, int32_t dy) override;
    // The knob and the label below it.
    Rect GetPaintReach() const override;

    // A new caption, shown at once (the EQ panel renames its knobs).
    virtual void SetCaption(const char* text);
    void SetEnabled(bool enabled);

    const flKnob3& GetKnob() const { return m_knob; }
    const Static& GetLabel() const { return *m_label; }

    // Characters of value text the label shows.
    static constexpr int32_t kValueTextLength = 5;

private:
    void ShowValue();

    flKnob3 m_knob;
    bool m_hovered = false;
    LayoutRecord m_labelRecord;
    Static* m_label;
};
