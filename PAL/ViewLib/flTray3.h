#pragma once
// The stereo cover of the main windows' effect section. While its stereo switch is on, the first
// input's effect column is shown a second time in the second column under a cover, and no click at
// the second column (93 pixels and more right of the tray's left edge) reaches the tray or its
// children; the search goes on with the tray's later siblings.
//
// Arguments: cover, cover mask, window background. Bound parameter 0 is the stereo switch.

#include <cstdint>

#include "PAL/ViewLib/TrayCover.h"
#include "PAL/ViewLib/View.h"

class flTray3 : public View {
public:
    flTray3(const LayoutRecord* record, ControlPage* page);

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnValueChanged(int32_t sub) override;
    View* FindViewAt(int32_t x, int32_t y) override;
    void Paint(DrawContext* context) override;
    // In stereo the first column is shown a second time.
    bool RepaintsWholeForChildren() const override { return IsStereo(); }

    // The stereo switch is on (NaN counts as off).
    bool IsStereo() const;

    // Where the second column begins, from the tray's left edge.
    static constexpr int32_t kSecondColumn = 93;
    // The first column as copied into the second: left, right, top, bottom inside the tray.
    static constexpr Rect kFirstColumn = {0, 45, 4, 121};

private:
    float m_value = 0.0f;
    TrayCover m_cover;
};
