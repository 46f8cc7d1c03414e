#pragma once
// A window for toolkit tests: a back buffer, a scripted mouse and modifiers, an in-memory clipboard,
// and a record of the rectangles reported as changed.

#include <cstring>
#include <map>
#include <vector>

#include "PAL/Bitmap.h"
#include "PAL/PlatformWindow.h"
#include "platform/Clipboard.h"
#include "platform/InputSource.h"

class FakeInput : public InputSource {
public:
    bool IsOptionDown() override { return option; }
    bool IsShiftDown() override { return shift; }
    bool IsCommandDown() override { return command; }
    bool IsMouseDown() override { return mouseDown; }
    void GetMousePosition(int32_t& px, int32_t& py) override
    {
        px = x;
        py = y;
    }
    bool option = false, shift = false, command = false, mouseDown = false;
    int32_t x = 0, y = 0;
};

class FakeClipboard : public Clipboard {
public:
    void Put(const void* data, uint32_t size, uint32_t flavor) override
    {
        records.clear();
        const auto* bytes = static_cast<const uint8_t*>(data);
        records[flavor].assign(bytes, bytes + size);
    }
    uint32_t GetSize(uint32_t flavor) override
    {
        const auto it = records.find(flavor);
        return it == records.end() ? 0 : uint32_t(it->second.size());
    }
    uint32_t Get(void* buffer, uint32_t capacity, uint32_t flavor) override
    {
        const auto it = records.find(flavor);
        if (it == records.end())
            return 0;
        const uint32_t n = std::min<uint32_t>(capacity, uint32_t(it->second.size()));
        std::memcpy(buffer, it->second.data(), n);
        return n;
    }
    std::map<uint32_t, std::vector<uint8_t>> records;
};

class FakeWindow : public PlatformWindow {
public:
    FakeWindow(int32_t width, int32_t height) : buffer(width, height) {}
    Bitmap* GetBackBuffer() override { return &buffer; }
    void MarkChanged(const Rect& r) override { changed.push_back(r); }
    InputSource* GetInput() override { return &input; }
    Clipboard* GetClipboard() override { return &clipboard; }

    // Pixels reported changed (overlaps counted twice).
    int64_t ChangedPixels() const
    {
        int64_t n = 0;
        for (const Rect& r : changed)
            n += int64_t(r.right - r.left) * (r.bottom - r.top);
        return n;
    }

    Bitmap buffer;
    FakeInput input;
    FakeClipboard clipboard;
    std::vector<Rect> changed;
};
