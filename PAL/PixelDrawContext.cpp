#include "PAL/PixelDrawContext.h"

#include <algorithm>
#include <cstdlib>

#include "PAL/PlatformWindow.h"
#include "platform/Clipboard.h"
#include "platform/InputSource.h"

namespace {

// Lines are drawn with 16-bit coordinates, like the windowing system the controls were made for;
// values beyond that range are held at its ends.
int32_t Coordinate16(int64_t v)
{
    return int32_t(std::clamp<int64_t>(v, -32768, 32767));
}

}  // namespace

PixelDrawContext::PixelDrawContext(PlatformWindow* window) : m_window(window) {}

bool PixelDrawContext::IsOptionDown()
{
    InputSource* in = Input();
    return in && in->IsOptionDown();
}

bool PixelDrawContext::IsShiftDown()
{
    InputSource* in = Input();
    return in && in->IsShiftDown();
}

bool PixelDrawContext::IsCommandDown()
{
    InputSource* in = Input();
    return in && in->IsCommandDown();
}

bool PixelDrawContext::IsMouseDown()
{
    InputSource* in = Input();
    return in && in->IsMouseDown();
}

void PixelDrawContext::GetMousePosition(int32_t& x, int32_t& y)
{
    x = 0;
    y = 0;
    InputSource* in = Input();
    if (!in)
        return;
    in->GetMousePosition(x, y);
    // An offscreen port sees the pointer in its own coordinates, as it sees drawing.
    if (m_port && !PortIsWindow()) {
        x += m_originX;
        y += m_originY;
    }
}

void PixelDrawContext::BeginDraw()
{
    if (!m_savedPorts.empty())
        return;
    PushPort();
    SetWindowPort();
}

void PixelDrawContext::EndDraw()
{
    if (m_savedPorts.empty())
        return;
    PopPort();
    m_port = nullptr;
}

bool PixelDrawContext::SetClip(const Rect* clip)
{
    m_clipped = clip != nullptr;
    if (clip)
        m_clip = *clip;
    return true;
}

bool PixelDrawContext::IsInClip(const Rect& r) const
{
    if (!m_clipped || !PortIsWindow())
        return true;
    const int64_t left = int64_t(r.left) + m_originX, right = int64_t(r.right) + m_originX;
    const int64_t top = int64_t(r.top) + m_originY, bottom = int64_t(r.bottom) + m_originY;
    return left < m_clip.right && right > m_clip.left && top < m_clip.bottom && bottom > m_clip.top;
}

bool PixelDrawContext::IsWhollyInClip(const Rect& r) const
{
    if (!m_clipped || !PortIsWindow())
        return true;
    const int64_t left = int64_t(r.left) + m_originX, right = int64_t(r.right) + m_originX;
    const int64_t top = int64_t(r.top) + m_originY, bottom = int64_t(r.bottom) + m_originY;
    return m_clip.left <= left && right <= m_clip.right && m_clip.top <= top && bottom <= m_clip.bottom;
}

void PixelDrawContext::Clip(int64_t& left, int64_t& right, int64_t& top, int64_t& bottom) const
{
    if (!m_clipped || !PortIsWindow())
        return;
    left = std::max<int64_t>(left, m_clip.left);
    right = std::min<int64_t>(right, m_clip.right);
    top = std::max<int64_t>(top, m_clip.top);
    bottom = std::min<int64_t>(bottom, m_clip.bottom);
}

void PixelDrawContext::BeginBitmapDraw(Bitmap* bitmap, int32_t dx, int32_t dy)
{
    m_originX += dx;
    m_originY += dy;
    const bool pushes = bitmap && bitmap->Lock() != nullptr;
    m_bitmapDrawPushed.push_back(pushes);
    if (pushes) {
        PushPort();
        m_port = bitmap;
    }
}

void PixelDrawContext::EndBitmapDraw(Bitmap* bitmap, int32_t dx, int32_t dy)
{
    m_originX -= dx;
    m_originY -= dy;
    if (bitmap)
        bitmap->Unlock();
    if (m_bitmapDrawPushed.empty())
        return;
    const bool pushed = m_bitmapDrawPushed.back();
    m_bitmapDrawPushed.pop_back();
    if (pushed)
        PopPort();
}

void PixelDrawContext::DrawBitmap(Bitmap* bitmap, const Rect& destination, const BitmapOffset* offset)
{
    if (!bitmap)
        return;
    if (m_port && bitmap->Lock() && m_port->IsValid()) {
        const int64_t width = int64_t(destination.right) - destination.left;
        const int64_t height = int64_t(destination.bottom) - destination.top;
        const int64_t dl = int64_t(destination.left) + m_originX;
        const int64_t dt = int64_t(destination.top) + m_originY;
        const int64_t sx = offset ? offset->x : 0;
        const int64_t sy = offset ? offset->y : 0;
        // The copied span in port coordinates: inside the destination, the port and the source.
        int64_t x0 = std::max({dl, int64_t(0), dl - sx});
        int64_t x1 = std::min({dl + width, int64_t(m_port->GetWidth()), dl - sx + bitmap->GetWidth()});
        int64_t y0 = std::max({dt, int64_t(0), dt - sy});
        int64_t y1 = std::min({dt + height, int64_t(m_port->GetHeight()), dt - sy + bitmap->GetHeight()});
        Clip(x0, x1, y0, y1);
        if (x0 < x1 && y0 < y1) {
            const Rect source = {int32_t(x0 - dl + sx), int32_t(x1 - dl + sx), int32_t(y0 - dt + sy),
                                 int32_t(y1 - dt + sy)};
            bitmap->CopyTo(m_port, int32_t(x0), int32_t(y0), &source);
            Changed(x0, x1, y0, y1);
        }
    }
    bitmap->Unlock();
}

void PixelDrawContext::FrameRect(const Rect& rect)
{
    const int64_t l = int64_t(rect.left) + m_originX, r = int64_t(rect.right) + m_originX;
    const int64_t t = int64_t(rect.top) + m_originY, b = int64_t(rect.bottom) + m_originY;
    if (l >= r || t >= b)
        return;
    Fill(l, r, t, t + 1, kPenColour);
    Fill(l, r, b - 1, b, kPenColour);
    Fill(l, l + 1, t, b, kPenColour);
    Fill(r - 1, r, t, b, kPenColour);
}

void PixelDrawContext::EraseRect(const Rect& rect)
{
    Fill(int64_t(rect.left) + m_originX, int64_t(rect.right) + m_originX, int64_t(rect.top) + m_originY,
         int64_t(rect.bottom) + m_originY, kBackgroundColour);
}

void PixelDrawContext::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (!m_port || !m_port->IsValid())
        return;
    int32_t x = Coordinate16(int64_t(x1) + m_originX), y = Coordinate16(int64_t(y1) + m_originY);
    const int32_t xe = Coordinate16(int64_t(x2) + m_originX), ye = Coordinate16(int64_t(y2) + m_originY);
    const int32_t dx = std::abs(xe - x), dy = -std::abs(ye - y);
    const int32_t stepX = x < xe ? 1 : -1, stepY = y < ye ? 1 : -1;
    int64_t left = std::min(x, xe), right = int64_t(std::max(x, xe)) + 1;
    int64_t top = std::min(y, ye), bottom = int64_t(std::max(y, ye)) + 1;
    Clip(left, right, top, bottom);
    Changed(left, right, top, bottom);
    int32_t error = dx + dy;
    for (;;) {
        if (x >= left && x < right && y >= top && y < bottom)
            m_port->SetPixel(x, y, kPenColour);
        if (x == xe && y == ye)
            break;
        const int32_t e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x += stepX;
        }
        if (e2 <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void PixelDrawContext::PutClipboard(const void* data, uint32_t size, uint32_t flavor)
{
    Clipboard* clipboard = m_window ? m_window->GetClipboard() : nullptr;
    if (clipboard)
        clipboard->Put(data, size, flavor);
}

uint32_t PixelDrawContext::GetClipboardSize(uint32_t flavor)
{
    Clipboard* clipboard = m_window ? m_window->GetClipboard() : nullptr;
    return clipboard ? clipboard->GetSize(flavor) : 0;
}

uint32_t PixelDrawContext::GetClipboard(void* buffer, uint32_t capacity, uint32_t flavor)
{
    Clipboard* clipboard = m_window ? m_window->GetClipboard() : nullptr;
    return clipboard && buffer ? clipboard->Get(buffer, capacity, flavor) : 0;
}

void PixelDrawContext::PushPort()
{
    m_savedPorts.push_back(m_port);
}

void PixelDrawContext::PopPort()
{
    if (m_savedPorts.empty())
        return;
    m_port = m_savedPorts.back();
    m_savedPorts.pop_back();
}

void PixelDrawContext::SetWindowPort()
{
    m_port = m_window ? m_window->GetBackBuffer() : nullptr;
}

void PixelDrawContext::Fill(int64_t left, int64_t right, int64_t top, int64_t bottom, uint32_t colour)
{
    if (!m_port || !m_port->IsValid())
        return;
    left = std::max<int64_t>(left, 0);
    top = std::max<int64_t>(top, 0);
    right = std::min<int64_t>(right, m_port->GetWidth());
    bottom = std::min<int64_t>(bottom, m_port->GetHeight());
    Clip(left, right, top, bottom);
    if (left >= right || top >= bottom)
        return;
    uint32_t* pixels = m_port->Lock();
    const int32_t row = m_port->GetRowPixels();
    for (int64_t y = top; y < bottom; ++y)
        std::fill(pixels + y * row + left, pixels + y * row + right, colour);
    m_port->Unlock();
    Changed(left, right, top, bottom);
}

void PixelDrawContext::Changed(int64_t left, int64_t right, int64_t top, int64_t bottom)
{
    if (!PortIsWindow())
        return;
    left = std::max<int64_t>(left, 0);
    top = std::max<int64_t>(top, 0);
    right = std::min<int64_t>(right, m_port->GetWidth());
    bottom = std::min<int64_t>(bottom, m_port->GetHeight());
    if (left < right && top < bottom)
        m_window->MarkChanged(Rect{int32_t(left), int32_t(right), int32_t(top), int32_t(bottom)});
}

InputSource* PixelDrawContext::Input() const
{
    return m_window ? m_window->GetInput() : nullptr;
}

bool PixelDrawContext::PortIsWindow() const
{
    return m_window && m_port && m_port == m_window->GetBackBuffer();
}
