#pragma once
// Message boxes shown with wxMessageBox, parented to the window the application names at the time of
// the box (the shown frame), so a box never opens behind a stay-on-top frame.

#include "platform/MessageSink.h"

#include <functional>

class wxWindow;

class WxMessageSink : public MessageSink {
public:
    // parent may be empty or return null: the box then has no parent.
    explicit WxMessageSink(std::function<wxWindow*()> parent = {});
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption, uint32_t style) override;

private:
    std::function<wxWindow*()> m_parent;
};
