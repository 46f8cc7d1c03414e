#pragma once
// A window that is only its pixels: the back buffer a page draws into, without mouse, modifiers or
// clipboard.

#include <cstdint>

#include "PAL/Bitmap.h"
#include "PAL/PlatformWindow.h"

class PreviewWindow : public PlatformWindow {
public:
    PreviewWindow(int32_t width, int32_t height) : m_buffer(width, height) {}

    Bitmap* GetBackBuffer() override { return &m_buffer; }
    void MarkChanged(const Rect&) override {}
    InputSource* GetInput() override { return nullptr; }
    Clipboard* GetClipboard() override { return nullptr; }

    const Bitmap& GetPixels() const { return m_buffer; }

private:
    Bitmap m_buffer;
};
