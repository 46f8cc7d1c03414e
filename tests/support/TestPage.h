#pragma once
// A control page on a fake window for control tests: a parameter set from descriptors, a layout table,
// and the mouse moves a user makes (press, drag, release), each followed by the drag poll the window
// runs after every event.

#include <memory>
#include <string>
#include <vector>

#include "PAL/ParameterSet.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/View.h"
#include "support/FakeWindow.h"

struct TestPage {
    TestPage(std::vector<ParamDescriptor> descriptorList, std::vector<LayoutRecord> records, int32_t width,
             int32_t height)
        : descriptors(std::move(descriptorList)),
          table(std::move(records)),
          set(descriptors.data(), int32_t(descriptors.size())),
          window(width, height)
    {
        page = std::make_unique<ControlPage>(&set, table.data(), int32_t(table.size()));
        page->AttachWindow(&window);
    }

    View* V(int32_t control) const { return page->GetView(control); }
    template <class T>
    T* As(int32_t control) const { return static_cast<T*>(page->GetView(control)); }

    void MoveTo(int32_t x, int32_t y)
    {
        window.input.x = x;
        window.input.y = y;
        page->OnMouseMove();
    }
    void Press(int32_t x, int32_t y)
    {
        window.input.x = x;
        window.input.y = y;
        window.input.mouseDown = true;
        page->OnMouseDown(x, y, 0, true);
        page->OnMouseMove();
    }
    void Release()
    {
        window.input.mouseDown = false;
        page->OnMouseDown(window.input.x, window.input.y, 0, false);
        page->OnMouseMove();
    }
    void Click(int32_t x, int32_t y)
    {
        Press(x, y);
        Release();
    }
    void PaintIfNeeded()
    {
        if (page->NeedsPaint())
            page->Paint();
    }
    // Idle and ticks of a window: the broadcast, then the drag poll and a paint when one is due.
    void Tick()
    {
        page->Broadcast();
        page->OnMouseMove();
        PaintIfNeeded();
    }

    std::vector<ParamDescriptor> descriptors;
    std::vector<LayoutRecord> table;
    ParameterSet set;
    FakeWindow window;
    std::unique_ptr<ControlPage> page;
};
