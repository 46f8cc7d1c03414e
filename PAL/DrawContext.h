#pragma once
// The toolkit's only door to the platform: views and controls read the modifier keys and the mouse,
// redirect drawing into an offscreen bitmap or the window, put bitmaps on screen, draw frames, erased
// boxes and lines, and exchange typed records with the clipboard through it.
//
// Coordinates are window pixels. Inside a BeginBitmapDraw / EndBitmapDraw pair drawing lands in the
// bitmap, shifted by the pair's offset (the origin), so a caller passes the offset that turns its own
// coordinates into the bitmap's. Rectangles are {left, right, top, bottom}, right and bottom
// exclusive. GUI thread only.

#include <cstdint>

#include "PAL/Bitmap.h"

// Which part of a bitmap DrawBitmap shows: the top-left source pixel.
struct BitmapOffset {
    int32_t x;
    int32_t y;
};

class DrawContext {
public:
    DrawContext() = default;
    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;
    virtual ~DrawContext() = default;

    // Input state: that of the event being handled, else the latest the window knows (InputSource).
    virtual bool IsOptionDown() = 0;
    virtual bool IsShiftDown() = 0;
    virtual bool IsCommandDown() = 0;
    virtual bool IsMouseDown() = 0;
    // Outside drawing: window coordinates. During drawing: the current port's coordinates.
    virtual void GetMousePosition(int32_t& x, int32_t& y) = 0;

    // Bracket a paint: the window becomes the port. Nested calls change nothing.
    virtual void BeginDraw() = 0;
    virtual void EndDraw() = 0;
    // Limits what drawing changes in the window to clip (window pixels; null: no limit); drawing into
    // offscreen bitmaps is never limited. False from a context that cannot limit its drawing: it then
    // draws everything it is asked to.
    virtual bool SetClip(const Rect* clip) { return clip == nullptr; }
    // False when drawing inside r (window pixels) cannot change the window now: r lies outside the
    // clip while the window is the port.
    virtual bool IsInClip(const Rect& r) const
    {
        (void)r;
        return true;
    }
    // False when drawing inside r (window pixels) cannot change all of r in the window now: part of r
    // lies outside the clip while the window is the port.
    virtual bool IsWhollyInClip(const Rect& r) const
    {
        (void)r;
        return true;
    }
    // Redirect drawing into bitmap with the origin moved by (dx, dy); the pair must match. A bitmap
    // without pixels moves the origin only.
    virtual void BeginBitmapDraw(Bitmap* bitmap, int32_t dx, int32_t dy) = 0;
    virtual void EndBitmapDraw(Bitmap* bitmap, int32_t dx, int32_t dy) = 0;

    // Copies the part of bitmap the size of destination, from offset (null: from (0, 0)), to
    // destination moved by the origin; clipped to both bitmaps.
    virtual void DrawBitmap(Bitmap* bitmap, const Rect& destination, const BitmapOffset* offset) = 0;
    // One-pixel black outline inside the rectangle.
    virtual void FrameRect(const Rect& rect) = 0;
    // Fills the rectangle with the background colour (white).
    virtual void EraseRect(const Rect& rect) = 0;
    // One-pixel black line, both end points included.
    virtual void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;

    virtual void PutClipboard(const void* data, uint32_t size, uint32_t flavor) = 0;
    // 0 when the clipboard holds no record of flavor.
    virtual uint32_t GetClipboardSize(uint32_t flavor) = 0;
    // Copies at most capacity bytes of the record of flavor; returns the count copied.
    virtual uint32_t GetClipboard(void* buffer, uint32_t capacity, uint32_t flavor) = 0;

    // An erased, framed box with both diagonals: drawn where a control's bitmap is missing.
    virtual void DrawMissingBitmap(const Rect& rect);
    // An erased, framed box with eight 10 x 10 handles at the corners and the middles of the sides.
    virtual void DrawSelectionFrame(const Rect& rect);
    virtual void FrameRectXYWH(int32_t x, int32_t y, int32_t width, int32_t height);
    virtual void EraseRectXYWH(int32_t x, int32_t y, int32_t width, int32_t height);

    // Save and restore the current port. PopPort on an empty stack does nothing.
    virtual void PushPort() = 0;
    virtual void PopPort() = 0;
};
