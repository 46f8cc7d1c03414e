#include "PAL/DrawContext.h"

void DrawContext::DrawMissingBitmap(const Rect& rect)
{
    EraseRect(rect);
    FrameRect(rect);
    DrawLine(rect.left, rect.top, rect.right - 1, rect.bottom - 1);
    DrawLine(rect.left, rect.bottom - 1, rect.right - 1, rect.top);
}

void DrawContext::DrawSelectionFrame(const Rect& rect)
{
    EraseRect(rect);
    FrameRect(rect);
    const int32_t cx = (rect.left + rect.right) / 2;
    const int32_t cy = (rect.top + rect.bottom) / 2;
    const int32_t handles[8][2] = {
        {rect.left, rect.top},        {rect.right - 10, rect.top},        {rect.left, rect.bottom - 10},
        {rect.right - 10, rect.bottom - 10}, {rect.left, cy - 5},          {rect.right - 10, cy - 5},
        {cx - 5, rect.top},           {cx - 5, rect.bottom - 10},
    };
    for (const auto& h : handles)
        FrameRectXYWH(h[0], h[1], 10, 10);
}

void DrawContext::FrameRectXYWH(int32_t x, int32_t y, int32_t width, int32_t height)
{
    FrameRect(Rect{x, x + width, y, y + height});
}

void DrawContext::EraseRectXYWH(int32_t x, int32_t y, int32_t width, int32_t height)
{
    EraseRect(Rect{x, x + width, y, y + height});
}
