#pragma once
// Rules the skinned buttons share: what counts as on, the two values a two-state control writes, how
// a digit argument is read, when a release acts, and the images composed from the window background.

#include <cstdint>
#include <memory>

#include "PAL/Bitmap.h"
#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/View.h"

// Any value but 0.0 is on; NaN counts as 0.
inline bool IsOn(float value)
{
    return value < 0.0f || value > 0.0f;
}

// The value a press or release writes: 0.0 for an on value, else 1.0.
inline float Toggled(float value)
{
    return IsOn(value) ? 0.0f : 1.0f;
}

// A value compared with a digit argument; NaN counts as 0.
inline float Comparable(float value)
{
    return value == value ? value : 0.0f;
}

// A digit argument is its first character; anything else reads as 0.
inline int32_t DigitArgument(const char* item)
{
    return item && item[0] >= '0' && item[0] <= '9' ? item[0] - '0' : 0;
}

// A release acts when the pointer is inside the view (every edge included) and neither the view nor
// any view above it is hidden.
inline bool ReleaseActs(const View& view, DrawContext* context)
{
    if (!context)
        return false;
    int32_t x = 0, y = 0;
    context->GetMousePosition(x, y);
    if (!view.Contains(x, y))
        return false;
    for (const View* v = &view; v; v = v->GetParent())
        if (v->IsHidden())
            return false;
    return true;
}

// An image of the view's size holding the named background's part under the view (blank when the
// background is missing).
inline std::unique_ptr<Bitmap> BackgroundPart(const View& view, const char* backgroundName)
{
    auto image = std::make_unique<Bitmap>(view.GetWidth(), view.GetHeight());
    if (const Bitmap* background = backgroundName ? BitmapCache::Get(backgroundName) : nullptr) {
        const Rect under = view.GetBounds();
        background->CopyTo(image.get(), 0, 0, &under);
    }
    return image;
}

// The off and on images of a lit button, both of the view's size: the background's part under the
// view, and the same with the lit image laid over it at (0, 0), blended through the mask when one is
// named, else copied whole. Arguments: lit image, mask, background; lit image, background; or lit
// image alone. A missing lit image or mask leaves the on image equal to the off image.
inline void ComposeLitImages(const View& view, const char* const* items, int32_t count,
                             std::unique_ptr<Bitmap>& on, std::unique_ptr<Bitmap>& off)
{
    const char* mask = count == 3 ? items[1] : nullptr;
    const char* background = count == 3 ? items[2] : count == 2 ? items[1] : nullptr;
    on = BackgroundPart(view, background);
    off = std::make_unique<Bitmap>(view.GetWidth(), view.GetHeight());
    on->CopyTo(off.get(), 0, 0, nullptr);
    const Bitmap* lit = count > 0 ? BitmapCache::Get(items[0]) : nullptr;
    if (!lit)
        return;
    if (!mask) {
        lit->CopyTo(on.get(), 0, 0, nullptr);
    } else if (const Bitmap* opacity = BitmapCache::Get(mask)) {
        lit->CopyMasked(on.get(), opacity, 0, 0, nullptr, true);
    }
}
