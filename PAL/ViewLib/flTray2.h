#pragma once
// A group shown only while its parameter equals the tray's mode digit; hidden, neither the tray nor
// its children draw or take clicks. Mode 0 draws the window background under the tray, any other mode
// an image of its own. An flKnob2 inside takes its background from the tray's image.
//
// Arguments: mode 0: the window background; other modes: the image; then the mode digit. Bound
// parameter 0 is compared with the mode digit.

#include <cstdint>

#include "PAL/ViewLib/View.h"

class flTray2 : public View {
public:
    flTray2(const LayoutRecord* record, ControlPage* page);
    ~flTray2() override;

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnValueChanged(int32_t sub) override;
    void Paint(DrawContext* context) override;

    // The image drawn under the children, in the tray's own coordinates; null when there is none.
    const Bitmap* GetImage() const { return m_image; }
    int32_t GetMode() const { return m_mode; }

private:
    void Release();

    int32_t m_mode = 0;
    float m_value = 0.0f;
    Bitmap* m_image = nullptr;
    bool m_ownsImage = false;
};
