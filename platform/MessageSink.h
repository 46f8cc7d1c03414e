#pragma once
// Where the program's message boxes go. The desktop shows a modal box (platform/wx/WxMessageSink);
// end-to-end runs log it and answer from a script (ScriptedDialogs); unit tests record it. Code above
// the platform never calls the toolkit's message box itself. GUI thread only.

#include <cstdint>
#include <string>

// Buttons, icon and placement of a box; combine with |.
namespace MessageStyle {
enum : uint32_t {
    Ok = 1u << 0,
    YesNo = 1u << 1,
    Cancel = 1u << 2,
    NoDefault = 1u << 3,  // with YesNo: No is the default button
    IconError = 1u << 4,
    IconWarning = 1u << 5,
    IconInformation = 1u << 6,
    IconQuestion = 1u << 7,
    Centre = 1u << 8,
};
}  // namespace MessageStyle

enum class MessageAnswer { Ok, Yes, No, Cancel };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Shows text under caption with the buttons and icon of style and returns the button chosen.
    virtual MessageAnswer ShowMessage(const std::string& text, const std::string& caption, uint32_t style) = 0;
};
