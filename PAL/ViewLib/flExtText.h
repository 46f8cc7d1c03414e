#pragma once
// A label that shows the window background under it normally, and a greyed image while the plain
// value of its parameter is 6 (in the sample-rate window: while the rate index is 6).
//
// Arguments: the greyed image, the backdrop. Parameter 0: the watched value.

#include <cstdint>

#include "PAL/ViewLib/View.h"

class flExtText : public View {
public:
    flExtText(const LayoutRecord* record, ControlPage* page) : View(record, page) {}
    ~flExtText() override;

    void SetBitmaps(const char* const* items, int32_t count) override;
    // Sub 0: repaints only when the look changes.
    void OnValueChanged(int32_t sub) override;
    void Paint(DrawContext* context) override;

    bool IsNormalLook() const { return m_normal; }

    // The plain value at which the label is greyed.
    static constexpr float kGreyValue = 6.0f;

private:
    bool m_normal = false;
    Bitmap* m_normalImage = nullptr;  // owned: the backdrop under the control
    Bitmap* m_greyImage = nullptr;    // the cache's
};
