#pragma once
// What a main frame's reactions need of the frame's own window. The main frame implements it on its
// toolkit window; tests use a fake. GUI thread only.

#include <cstdint>

class ControlPage;

class FrameWindow {
public:
    virtual ~FrameWindow() = default;
    virtual bool IsFrameShown() = 0;
    virtual void ShowFrame(bool show) = 0;
    // The outer rectangle on the screen, decorations included.
    virtual void GetFrameRect(int32_t& x, int32_t& y, int32_t& width, int32_t& height) = 0;
    virtual void SetFrameRect(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual void GetClientArea(int32_t& width, int32_t& height) = 0;
    virtual void SetClientArea(int32_t width, int32_t height) = 0;
    // The page the window shows and draws; null shows none. The window takes the page's size.
    virtual void ShowPage(ControlPage* page) = 0;
    // The "Use Metering" state: the menu's check mark and whether the device's meters are read.
    virtual void ShowMetering(bool on) = 0;
};
