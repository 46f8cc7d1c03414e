#pragma once
// The paste button of a panel: released with the pointer inside, it reads the clipboard's record of
// the panel's flavor and stores its values in the page's parameter set, in index order (the set's
// observers are told of each; its listener is not). The clipboard is foreign input: a record is taken
// only when it is exactly the shape of a PanelClipboardRecord of this flavor for a set of this size,
// with finite values, which are held to 0..1; anything else changes nothing. It shows its pressed
// image while held, else the window background under its rectangle.
//
// Arguments: pressed image; background; four-character tag naming the flavor. No bound parameter.
// Without a tag the button pastes nothing.

#include <cstdint>
#include <memory>

#include "PAL/ViewLib/View.h"

class flPasteButton : public View {
public:
    flPasteButton(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnRelease(DrawContext* context) override;
    void Paint(DrawContext* context) override;
    // Hiding a held button ends the press without a paste.
    void SetHidden(bool hidden, DrawContext* context) override;

    uint32_t GetFlavor() const { return m_flavor; }

private:
    void Paste(DrawContext* context);

    std::unique_ptr<Bitmap> m_normal;
    Bitmap* m_pressedImage = nullptr;  // the cache's; may be null
    uint32_t m_flavor = 0;
};
