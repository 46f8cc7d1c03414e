#pragma once
// The working image of a control that composes itself over the window's background for each paint.
// The image is made at the control's first paint, and the background under the control is copied into
// it straight from its source (a backdrop of the bitmap cache, or a parent's image: either outlives
// the control) at the start of every paint. A control of a window that is never shown thus holds no
// pixels. GUI thread only.

#include <cstdint>
#include <memory>

#include "PAL/Bitmap.h"

class BackdropImage {
public:
    // A width x height image with no background; nothing is allocated yet.
    void Reset(int32_t width, int32_t height);
    // The background: the part under of source (not owned). Null: none.
    void SetBackground(const Bitmap* source, const Rect& under);
    bool HasBackground() const { return m_source != nullptr; }
    // The image, made at the first call; null when it cannot be (a size no bitmap may have).
    Bitmap* Get();
    // The image holding the background (black where the source does not reach; all black without a
    // background): the start of a paint. Null as Get.
    Bitmap* Begin();

private:
    int32_t m_width = 0;
    int32_t m_height = 0;
    const Bitmap* m_source = nullptr;
    Rect m_under = {0, 0, 0, 0};
    std::unique_ptr<Bitmap> m_image;
};
