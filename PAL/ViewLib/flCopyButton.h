#pragma once
// The copy button of a panel: released with the pointer inside, it puts every value of the page's
// parameter set on the clipboard as one PanelClipboardRecord under the panel's flavor. It shows its
// pressed image while held, else the window background under its rectangle.
//
// Arguments: pressed image; background; four-character tag naming the flavor. No bound parameter.
// Without a tag the button copies nothing.

#include <cstdint>
#include <memory>

#include "PAL/ViewLib/View.h"

class flCopyButton : public View {
public:
    flCopyButton(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnRelease(DrawContext* context) override;
    void Paint(DrawContext* context) override;
    // Hiding a held button ends the press without a copy.
    void SetHidden(bool hidden, DrawContext* context) override;

    uint32_t GetFlavor() const { return m_flavor; }

private:
    std::unique_ptr<Bitmap> m_normal;
    Bitmap* m_pressedImage = nullptr;  // the cache's; may be null
    uint32_t m_flavor = 0;
};
