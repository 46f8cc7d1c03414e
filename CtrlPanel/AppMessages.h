#pragma once
// The application's door to the user's boxes: every box of the application and of the device layer
// goes through here to the sink that shows it (boxes on the desktop, a log in scripted runs, a record
// in tests). It counts the boxes that are up, so idle processing can leave the unit and the pages
// alone while one runs its own event loop.
//
// GUI thread; a device-layer message from another thread goes to stderr instead.

#include <cstdint>
#include <string>

#include "CtrlPanel/device/UserNotifier.h"
#include "platform/MessageSink.h"

class AppMessages : public MessageSink, public UserNotifier {
public:
    // inner shows the boxes; not owned.
    explicit AppMessages(MessageSink& inner);

    MessageAnswer ShowMessage(const std::string& text, const std::string& caption, uint32_t style) override;
    // The device layer's boxes: OK, centred; an empty caption is the toolkit's default one.
    void ShowMessage(const std::string& message, const std::string& caption) override;
    void BeginBusy() override;
    void EndBusy() override;

    // True while a box is up.
    bool IsShowing() const { return m_showing > 0; }

    static constexpr const char* kDefaultCaption = "Message";

private:
    MessageSink* m_inner;
    int32_t m_showing = 0;
    int32_t m_busy = 0;
};
