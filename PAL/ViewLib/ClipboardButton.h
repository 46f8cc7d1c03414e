#pragma once
// The common part of a panel's copy and paste buttons: released with the pointer inside, the button
// exchanges the page's parameter set with the clipboard under the panel's flavor (Act). It shows its
// pressed image while held, else the window background under its rectangle. Hiding a held button ends
// the press without acting.
//
// Arguments: pressed image; background; four-character tag naming the flavor. No bound parameter.
// Without a tag the button does nothing.

#include <cstdint>
#include <memory>

#include "PAL/ViewLib/View.h"

class ParameterSet;

class ClipboardButton : public View {
public:
    ClipboardButton(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnRelease(DrawContext* context) override;
    void Paint(DrawContext* context) override;
    void SetHidden(bool hidden, DrawContext* context) override;

protected:
    // The button's work on a release inside, with a set and a flavor.
    virtual void Act(ParameterSet& set, DrawContext* context) = 0;

    uint32_t m_flavor = 0;

private:
    std::unique_ptr<Bitmap> m_normal;
    Bitmap* m_pressedImage = nullptr;  // the cache's; may be null
};
