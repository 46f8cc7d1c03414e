#pragma once
// What a stereo link needs of an effect window: where it is, how big, and whether it is shown. The
// skinned window implements it; tests use a fake.

#include <cstdint>

class LinkWindow {
public:
    virtual ~LinkWindow() = default;
    virtual void GetPosition(int32_t& x, int32_t& y) = 0;
    virtual void GetSize(int32_t& width, int32_t& height) = 0;
    virtual void SetSize(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual bool IsShown() = 0;
    virtual bool Show(bool show) = 0;
};
