#pragma once
// The symbol of an outer EQ band's filter type: one frame, as wide as the control, cut from a strip of
// symbols. It binds no parameter; the EQ panel sets the frame with SetType.
//
// Arguments: the symbol strip (exactly 1 item).

#include <cstdint>

#include "PAL/ViewLib/View.h"

class flEQType : public View {
public:
    // The frames of the symbol strip.
    enum Symbol : int32_t { HighPass = 0, LowShelf = 1, Bell = 2, HighShelf = 3, LowPass = 4 };

    flEQType(const LayoutRecord* record, ControlPage* page) : View(record, page) {}
    ~flEQType() override;

    void SetBitmaps(const char* const* items, int32_t count) override;
    void Paint(DrawContext* context) override;

    // Stores the frame and repaints, also when it is the frame shown. A frame beyond the strip shows
    // only the part of it that lies inside the strip over what was shown before.
    void SetType(int32_t type);
    int32_t GetType() const { return m_type; }

private:
    int32_t m_frameWidth = 0;
    Bitmap* m_strip = nullptr;  // the cache's
    Bitmap* m_image = nullptr;  // owned, the control's size
    int32_t m_type = 0;
};
