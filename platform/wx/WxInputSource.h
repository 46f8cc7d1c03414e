#pragma once
// The live pointer and modifiers of the desktop, read when asked: Alt is the Option key, Control the
// Command key. The pointer is given in the client coordinates of one window. GUI thread only.

#include "platform/InputSource.h"

class wxWindow;

class WxInputSource : public InputSource {
public:
    // window is not owned and must outlive the source.
    explicit WxInputSource(wxWindow* window);

    bool IsOptionDown() override;
    bool IsShiftDown() override;
    bool IsCommandDown() override;
    bool IsMouseDown() override;
    void GetMousePosition(int32_t& x, int32_t& y) override;

private:
    wxWindow* m_window;
};
