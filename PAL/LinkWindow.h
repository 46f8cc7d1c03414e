#pragma once
// What the stereo links and the main frame's reactions need of a panel window: where it is, how big,
// whether it is shown, bringing it to the front, and its title. The skinned window implements it;
// tests use a fake.

#include <cstdint>
#include <string>

class LinkWindow {
public:
    virtual ~LinkWindow() = default;
    virtual void GetPosition(int32_t& x, int32_t& y) = 0;
    virtual void GetSize(int32_t& width, int32_t& height) = 0;
    virtual void SetSize(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual bool IsShown() = 0;
    virtual bool Show(bool show) = 0;
    virtual void Raise() = 0;
    // The window's title, UTF-8.
    virtual void SetCaption(const std::string& title) = 0;
    virtual std::string GetCaption() = 0;
};
