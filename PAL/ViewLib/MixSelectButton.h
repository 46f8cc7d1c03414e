#pragma once
// The 25 x 25 mix-selector buttons of the main window: pressing and releasing one toggles its
// selector parameter (the main frame shows or hides that output's custom-mix window), and the
// button shows how the mix is made up as a row of small black crosses, one per source, whose height
// is the source's level: a cross centre at row 5 for 1.0 down to row 19 for 0.0 (levels held to
// 0..1, NaN as 0).
//
// Items: button image (copied at (5, 4) over the window background), pressed image (drawn whole
// while pressed), window background. Twelve bound parameters; what they mean and where the crosses
// stand is the subclass's.
//
// Release acts when the pointer is still inside the rectangle (edges included) and the button is on
// screen; the pressed state and tracking end before the selector is written, because a listener of
// that write may open a window or a modal dialog. Hiding a pressed button ends the press without a
// write. GUI thread only.

#include <cstdint>

#include "PAL/ViewLib/View.h"

class MixSelectButton : public View {
public:
    static constexpr int32_t kValueCount = 12;
    static constexpr int32_t kMaxDots = 5;

    MixSelectButton(const LayoutRecord* record, ControlPage* page, int32_t selectorSub);
    ~MixSelectButton() override;

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    // Any sub repaints the crosses; subs above 11 are not stored.
    void OnValueChanged(int32_t sub) override;
    void OnRelease(DrawContext* context) override;
    void SetHidden(bool hidden, DrawContext* context) override;
    void Paint(DrawContext* context) override;

    bool IsPressed() const { return m_pressed; }

    // The row above a cross centre for a level: trunc((1 - level) x 14), 0..14 (centre at row + 5).
    static int32_t DotRow(float level);

    struct Dot {
        int32_t x;    // the cross centre's column
        float level;  // 0..1
    };
    // The crosses for the stored values; returns how many (at most kMaxDots).
    virtual int32_t GetDots(Dot* dots) const = 0;

protected:
    float m_values[kValueCount] = {};

private:
    void Release();

    int32_t m_selectorSub;
    bool m_pressed = false;
    Bitmap* m_base = nullptr;
    Bitmap* m_work = nullptr;
    Bitmap* m_pressedImage = nullptr;
};
