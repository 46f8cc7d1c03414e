#pragma once
// The drawing context of this platform: the window's port is its back buffer (a 32-bit bitmap), an
// offscreen port is any Bitmap, and drawing is plain pixel copying and filling. Every pixel written
// into the window's buffer is reported to the window as changed, so the window refreshes only those.
// The pen is one black pixel and the background white, as frames, erased boxes and lines expect.

#include <vector>

#include "PAL/DrawContext.h"

class InputSource;
class PlatformWindow;

class PixelDrawContext : public DrawContext {
public:
    // window is not owned and must outlive the context; null makes a context that draws nothing.
    explicit PixelDrawContext(PlatformWindow* window);

    bool IsOptionDown() override;
    bool IsShiftDown() override;
    bool IsCommandDown() override;
    bool IsMouseDown() override;
    void GetMousePosition(int32_t& x, int32_t& y) override;

    void BeginDraw() override;
    void EndDraw() override;
    bool SetClip(const Rect* clip) override;
    bool IsInClip(const Rect& r) const override;
    bool IsWhollyInClip(const Rect& r) const override;
    void BeginBitmapDraw(Bitmap* bitmap, int32_t dx, int32_t dy) override;
    void EndBitmapDraw(Bitmap* bitmap, int32_t dx, int32_t dy) override;

    void DrawBitmap(Bitmap* bitmap, const Rect& destination, const BitmapOffset* offset) override;
    void FrameRect(const Rect& rect) override;
    void EraseRect(const Rect& rect) override;
    void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;

    void PutClipboard(const void* data, uint32_t size, uint32_t flavor) override;
    uint32_t GetClipboardSize(uint32_t flavor) override;
    uint32_t GetClipboard(void* buffer, uint32_t capacity, uint32_t flavor) override;

    void PushPort() override;
    void PopPort() override;
    // The window's buffer becomes the port.
    void SetWindowPort();

    // For tests and the window: the port drawn into now (null outside drawing) and the saved ports.
    Bitmap* GetPort() const { return m_port; }
    size_t GetSavedPortCount() const { return m_savedPorts.size(); }
    int32_t GetOriginX() const { return m_originX; }
    int32_t GetOriginY() const { return m_originY; }

    static constexpr uint32_t kPenColour = 0x000000;
    static constexpr uint32_t kBackgroundColour = 0xFFFFFF;

private:
    // Fills [left, right) x [top, bottom) of the port (coordinates already moved by the origin),
    // clipped to it.
    void Fill(int64_t left, int64_t right, int64_t top, int64_t bottom, uint32_t colour);
    void Changed(int64_t left, int64_t right, int64_t top, int64_t bottom);
    // Narrows [left, right) x [top, bottom) (port coordinates) to the clip when the window is the port.
    void Clip(int64_t& left, int64_t& right, int64_t& top, int64_t& bottom) const;
    bool PortIsWindow() const;
    InputSource* Input() const;

    int32_t m_originX = 0;
    int32_t m_originY = 0;
    PlatformWindow* m_window;
    std::vector<Bitmap*> m_savedPorts;
    // One entry per open bitmap draw: whether its BeginBitmapDraw pushed a port.
    std::vector<bool> m_bitmapDrawPushed;
    Bitmap* m_port = nullptr;
    bool m_clipped = false;
    Rect m_clip = {0, 0, 0, 0};
};
